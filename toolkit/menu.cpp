#include "menu.h"

#include "form.h"

#include <QMenuBar>

namespace cellwright {

namespace {

const QString SeparatorCaption = QStringLiteral("-");

// Menu texts mark no access key: a "&" is shown as it is.
QString escaped(const QString &caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

Menu::Menu(Form &form, const QString &caption)
    : m_form(form)
    , m_caption(caption)
{
    QMenuBar *bar = form.menuBar();
    m_menu = new QMenu(escaped(caption), bar);
    m_action = bar->addMenu(m_menu);
    form.syncMenuBarHeight();
    // The title's own Click: its menu opens.
    QObject::connect(m_menu, &QMenu::aboutToShow, m_menu, [this] { Click.raise(); });
}

Menu::Menu(Menu &parent, const QString &caption)
    : m_form(parent.m_form)
    , m_caption(caption)
{
    QMenu *menu = parent.ensureMenu();
    if (caption == SeparatorCaption) {
        m_action = menu->addSeparator();
        return;
    }
    m_action = menu->addAction(escaped(caption));
    QObject::connect(m_action, &QAction::triggered, m_action, [this] {
        // A checkable action turns its own mark over when chosen; the mark is the code's.
        if (m_action->isCheckable())
            m_action->setChecked(m_checked);
        Click.raise();
    });
}

Menu::~Menu()
{
    const bool title = m_menu && m_action == m_menu->menuAction();
    delete m_menu.data(); // a title's action goes with its menu
    if (!title)
        delete m_action.data();
}

QMenu *Menu::ensureMenu()
{
    if (!m_menu) {
        // An entry that gets entries of its own opens a sub-menu.
        m_menu = new QMenu(escaped(m_caption), qobject_cast<QWidget *>(m_action->parent()));
        m_action->setMenu(m_menu);
    }
    return m_menu;
}

QString Menu::Caption() const
{
    return m_caption;
}

void Menu::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_action && !m_action->isSeparator())
        m_action->setText(escaped(caption));
    if (m_menu)
        m_menu->setTitle(escaped(caption));
}

bool Menu::Enabled() const
{
    return m_action && m_action->isEnabled();
}

void Menu::setEnabled(bool enabled)
{
    if (m_action)
        m_action->setEnabled(enabled);
}

bool Menu::Visible() const
{
    return m_action && m_action->isVisible();
}

void Menu::setVisible(bool visible)
{
    if (m_action)
        m_action->setVisible(visible);
}

bool Menu::Checked() const
{
    return m_action && m_action->isChecked();
}

void Menu::setChecked(bool checked)
{
    if (!m_action)
        return;
    m_checked = checked;
    m_action->setCheckable(checked || m_action->isCheckable());
    m_action->setChecked(checked);
}

bool Menu::Checkable() const
{
    return m_action && m_action->isCheckable();
}

void Menu::setCheckable(bool checkable)
{
    if (!m_action || m_action->isSeparator())
        return;
    if (!checkable)
        m_checked = false;
    m_action->setCheckable(checkable);
}

bool Menu::IsSeparator() const
{
    return m_action && m_action->isSeparator();
}

} // namespace cellwright
