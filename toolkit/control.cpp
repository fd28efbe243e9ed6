#include "control.h"

#include "form.h"
#include "toolkit.h"

#include <QPalette>

namespace cellwright {

namespace {
// The size a control has until its form gives it one.
constexpr Twips DefaultWidth = 1215;
constexpr Twips DefaultHeight = 375;
} // namespace

Control::Control(Form &form, QWidget *widget)
    : m_form(form)
    , m_widget(widget)
    , m_width(DefaultWidth)
    , m_height(DefaultHeight)
{
    widget->setParent(form.clientArea());
    // Shown now, so that Visible reads true before the form itself is shown.
    widget->setVisible(true);
    applyGeometry();
    form.registerControl(this);
}

Control::~Control()
{
    m_form.unregisterControl(this);
    delete m_widget.data();
}

Twips Control::Left() const
{
    return m_widget ? ReadBackTwips(m_left, m_widget->x(), TwipsPerPixelX()) : m_left;
}

void Control::setLeft(Twips left)
{
    m_left = left;
    applyGeometry();
}

Twips Control::Top() const
{
    return m_widget ? ReadBackTwips(m_top, m_widget->y(), TwipsPerPixelY()) : m_top;
}

void Control::setTop(Twips top)
{
    m_top = top;
    applyGeometry();
}

Twips Control::Width() const
{
    return m_widget ? ReadBackTwips(m_width, m_widget->width(), TwipsPerPixelX()) : m_width;
}

void Control::setWidth(Twips width)
{
    m_width = width;
    applyGeometry();
}

Twips Control::Height() const
{
    return m_widget ? ReadBackTwips(m_height, m_widget->height(), TwipsPerPixelY()) : m_height;
}

void Control::setHeight(Twips height)
{
    m_height = height;
    applyGeometry();
}

void Control::Move(Twips left, Twips top, Twips width, Twips height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    applyGeometry();
}

void Control::applyGeometry()
{
    if (!m_widget)
        return;
    // Each value is rounded on its own, so a value read back is the value set.
    m_widget->setGeometry(ToPixelsX(m_left), ToPixelsY(m_top), std::max(0, ToPixelsX(m_width)),
        std::max(0, ToPixelsY(m_height)));
}

bool Control::Visible() const
{
    return m_widget && !m_widget->isHidden();
}

void Control::setVisible(bool visible)
{
    if (m_widget)
        m_widget->setVisible(visible);
}

bool Control::Enabled() const
{
    return m_widget && m_widget->isEnabled();
}

void Control::setEnabled(bool enabled)
{
    if (m_widget)
        m_widget->setEnabled(enabled);
}

OleColor Control::BackColor() const
{
    if (m_backColor)
        return *m_backColor;
    const QColor c = m_widget ? m_widget->palette().color(m_widget->backgroundRole()) : QColor();
    return Rgb(c.red(), c.green(), c.blue());
}

void Control::setBackColor(OleColor color)
{
    m_backColor = color;
    applyColors();
}

OleColor Control::ForeColor() const
{
    if (m_foreColor)
        return *m_foreColor;
    const QColor c = m_widget ? m_widget->palette().color(m_widget->foregroundRole()) : QColor();
    return Rgb(c.red(), c.green(), c.blue());
}

void Control::setForeColor(OleColor color)
{
    m_foreColor = color;
    applyColors();
}

void Control::applyColors()
{
    if (!m_widget)
        return;
    QPalette palette = m_widget->palette();
    if (m_backColor) {
        const QColor c = ToQColor(*m_backColor);
        for (auto role : { QPalette::Window, QPalette::Base, QPalette::Button })
            palette.setColor(role, c);
    }
    if (m_foreColor) {
        const QColor c = ToQColor(*m_foreColor);
        for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
            palette.setColor(role, c);
    }
    m_widget->setPalette(palette);
}

void Control::setFont(const QString &name, float points, bool bold, bool italic)
{
    m_fontName = name;
    if (m_widget)
        m_widget->setFont(Toolkit::MakeFont(name, points, bold, italic));
}

QString Control::FontName() const
{
    return m_fontName.isEmpty() ? m_form.FontName() : m_fontName;
}

float Control::FontSize() const
{
    return m_widget ? float(m_widget->font().pointSizeF()) : 0.0f;
}

bool Control::FontBold() const
{
    return m_widget && m_widget->font().bold();
}

void Control::setFontBold(bool bold)
{
    if (!m_widget)
        return;
    QFont font = m_widget->font();
    font.setBold(bold);
    m_widget->setFont(font);
}

void Control::setTabIndex(int index)
{
    m_tabIndex = index;
    m_form.applyTabOrder();
}

bool Control::TabStop() const
{
    return m_widget && (m_widget->focusPolicy() & Qt::TabFocus);
}

void Control::setTabStop(bool stop)
{
    if (m_widget)
        m_widget->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void Control::SetFocus()
{
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
}

void Control::ZOrder(int position)
{
    if (!m_widget)
        return;
    if (position == 0)
        m_widget->raise();
    else
        m_widget->lower();
}

void Control::setAccessibleName(const QString &name)
{
    if (m_widget)
        m_widget->setAccessibleName(name);
}

QString Control::AccessibleName() const
{
    return m_widget ? m_widget->accessibleName() : QString();
}

void Control::setAccessibleDescription(const QString &description)
{
    if (m_widget)
        m_widget->setAccessibleDescription(description);
}

void Control::setToolTipText(const QString &text)
{
    if (m_widget)
        m_widget->setToolTip(text);
}

} // namespace cellwright
