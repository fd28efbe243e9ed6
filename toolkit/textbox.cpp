#include "textbox.h"

#include <QLineEdit>

namespace cellwright {

namespace {
QLineEdit *widgetOf(const TextBox &box)
{
    return static_cast<QLineEdit *>(box.widget());
}
} // namespace

TextBox::TextBox(Form &form)
    : Control(form, new QLineEdit)
{
    // Typing and setText both change the text; QLineEdit reports only real changes.
    QObject::connect(
        widgetOf(*this), &QLineEdit::textChanged, widgetOf(*this), [this] { Change.raise(); });
}

QString TextBox::Text() const
{
    return widgetOf(*this) ? widgetOf(*this)->text() : QString();
}

void TextBox::setText(const QString &text)
{
    if (QLineEdit *w = widgetOf(*this))
        w->setText(text);
}

bool TextBox::Locked() const
{
    return widgetOf(*this) && widgetOf(*this)->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    if (QLineEdit *w = widgetOf(*this))
        w->setReadOnly(locked);
}

} // namespace cellwright
