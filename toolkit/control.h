// The common part of every control on a form: geometry in twips, visibility, colours, font,
// keyboard order, accessibility, and its place in a control array.
#pragma once

#include "color.h"
#include "twips.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

namespace cellwright {

class Form;

class Control {
public:
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;
    virtual ~Control();

    // Position and size in twips, relative to the form's client area. A getter returns the value
    // that was set while the widget has exactly the pixels it rounds to (see ReadBackTwips).
    Twips Left() const;
    void setLeft(Twips left);
    Twips Top() const;
    void setTop(Twips top);
    Twips Width() const;
    void setWidth(Twips width);
    Twips Height() const;
    void setHeight(Twips height);
    // Sets all four at once.
    void Move(Twips left, Twips top, Twips width, Twips height);

    // The control's own visibility (true also while its form is hidden).
    bool Visible() const;
    void setVisible(bool visible);
    // Whether the control reacts to the user.
    bool Enabled() const;
    void setEnabled(bool enabled);

    // Colours; a control without colours of its own takes its form's.
    OleColor BackColor() const;
    void setBackColor(OleColor color);
    OleColor ForeColor() const;
    void setForeColor(OleColor color);

    // Font by its stored name ("MS Sans Serif", "MS Serif", "Arial" map to installed
    // substitutes), size in points and weight. A control without a font of its own takes its
    // form's.
    void setFont(const QString &name, float points, bool bold = false, bool italic = false);
    QString FontName() const;
    float FontSize() const;
    bool FontBold() const;
    void setFontBold(bool bold);

    // Keyboard order on the form: controls with a lower TabIndex come first (see
    // Form::setTabOrder). -1 until set.
    int TabIndex() const noexcept { return m_tabIndex; }
    void setTabIndex(int index);
    // Whether Tab stops at the control at all.
    bool TabStop() const;
    void setTabStop(bool stop);
    // Gives the control the keyboard focus.
    void SetFocus();

    // Stacking among the form's controls: 0 brings it to the front, 1 sends it to the back.
    void ZOrder(int position = 0);

    // Name and description read out by assistive technology ("File Name", "OK").
    void setAccessibleName(const QString &name);
    QString AccessibleName() const;
    void setAccessibleDescription(const QString &description);
    // Text shown when the pointer rests on the control.
    void setToolTipText(const QString &text);

    // Position in its control array, -1 when the control is not part of one.
    int Index() const noexcept { return m_index; }
    // The form the control is on.
    Form &Parent() const noexcept { return m_form; }

    // The Qt widget, for tests and for the toolkit itself; forms do not need it.
    QWidget *widget() const noexcept { return m_widget.data(); }

protected:
    // Puts widget on the form's client area; the control owns the widget.
    Control(Form &form, QWidget *widget);

private:
    template <class T> friend class ControlArray;
    friend class Form;

    void applyGeometry();
    // Puts the colours set into every palette role a control's widget paints with.
    void applyColors();

    Form &m_form;
    QPointer<QWidget> m_widget;
    Twips m_left = 0;
    Twips m_top = 0;
    Twips m_width = 0;
    Twips m_height = 0;
    std::optional<OleColor> m_backColor;
    std::optional<OleColor> m_foreColor;
    QString m_fontName; // as stored by the form, before substitution
    int m_tabIndex = -1;
    int m_index = -1;
};

} // namespace cellwright
