// Menu: a title on the form's menu bar, or an entry of a menu. The caption "-" makes a separator.
#pragma once

#include "event.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QString>

namespace cellwright {

class Form;

class Menu {
public:
    // A title on the form's menu bar, after the ones created before it.
    Menu(Form &form, const QString &caption);
    // An entry at the end of parent's menu; parent becomes a menu of its own when it is an entry.
    Menu(Menu &parent, const QString &caption);
    Menu(const Menu &) = delete;
    Menu &operator=(const Menu &) = delete;
    ~Menu();

    // The text shown; "-" shows a separator. No access keys are marked.
    QString Caption() const;
    void setCaption(const QString &caption);
    bool Enabled() const;
    void setEnabled(bool enabled);
    bool Visible() const;
    void setVisible(bool visible);
    // A check mark before the entry. Only code sets it: choosing the entry raises Click and
    // leaves the mark as it was, so the handler decides (mEscape.setChecked(!mEscape.Checked())).
    bool Checked() const;
    void setChecked(bool checked);
    // Whether the entry shows a check box also while it carries no mark, so it reads as a
    // setting that can be turned on. Checked true makes it checkable.
    bool Checkable() const;
    void setCheckable(bool checkable);
    // True for a separator.
    bool IsSeparator() const;

    // An entry chosen by the user; for a title, its menu opening.
    Event<> Click;

    // The Qt action (entry, title or separator), for tests.
    QAction *action() const noexcept { return m_action.data(); }
    // The drop-down menu of a title or sub-menu; null for a plain entry.
    QMenu *menu() const noexcept { return m_menu.data(); }

private:
    QMenu *ensureMenu();

    Form &m_form;
    QPointer<QAction> m_action;
    QPointer<QMenu> m_menu;
    QString m_caption;
    bool m_checked = false;
};

} // namespace cellwright
