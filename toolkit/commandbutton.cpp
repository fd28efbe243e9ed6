#include "commandbutton.h"

#include <QPushButton>

namespace cellwright {

namespace {
QPushButton *widgetOf(const CommandButton &b)
{
    return static_cast<QPushButton *>(b.widget());
}

// Button texts mark no access key: a "&" is shown as it is.
QString escaped(const QString &caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}
} // namespace

CommandButton::CommandButton(Form &form)
    : Control(form, new QPushButton)
{
    QPushButton *w = widgetOf(*this);
    // No button is the default one: Enter has no special meaning on the forms.
    w->setAutoDefault(false);
    w->setDefault(false);
    QObject::connect(w, &QPushButton::clicked, w, [this] { Click.raise(); });
}

QString CommandButton::Caption() const
{
    return widgetOf(*this)
        ? widgetOf(*this)->text().replace(QLatin1String("&&"), QLatin1String("&"))
        : QString();
}

void CommandButton::setCaption(const QString &caption)
{
    if (QPushButton *w = widgetOf(*this))
        w->setText(escaped(caption));
}

} // namespace cellwright
