#include "label.h"

#include <QLabel>
#include <QMouseEvent>

namespace cellwright {

namespace {

class LabelWidget : public QLabel {
public:
    explicit LabelWidget(Label &label)
        : m_label(label)
    {
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_label.Click.raise();
    }

private:
    Label &m_label;
};

QLabel *widgetOf(const Label &label)
{
    return static_cast<QLabel *>(label.widget());
}

} // namespace

Label::Label(Form &form)
    : Control(form, new LabelWidget(*this))
{
    QLabel *w = widgetOf(*this);
    // Captions are shown as they are: "<Rtn>" is text, "&" marks no access key.
    w->setTextFormat(Qt::PlainText);
    w->setWordWrap(true);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w->setFocusPolicy(Qt::NoFocus);
    w->setAutoFillBackground(true);
}

QString Label::Caption() const
{
    return widgetOf(*this) ? widgetOf(*this)->text() : QString();
}

void Label::setCaption(const QString &caption)
{
    if (QLabel *w = widgetOf(*this))
        w->setText(caption);
}

void Label::setAlignment(Align alignment)
{
    m_alignment = alignment;
    const Qt::Alignment across = alignment == Align::Center ? Qt::AlignHCenter
        : alignment == Align::Right                         ? Qt::AlignRight
                                                            : Qt::AlignLeft;
    if (QLabel *w = widgetOf(*this))
        w->setAlignment(across | Qt::AlignTop);
}

bool Label::WordWrap() const
{
    return widgetOf(*this) && widgetOf(*this)->wordWrap();
}

void Label::setWordWrap(bool wrap)
{
    if (QLabel *w = widgetOf(*this))
        w->setWordWrap(wrap);
}

void Label::setBackStyle(BackMode style)
{
    m_backStyle = style;
    if (QLabel *w = widgetOf(*this))
        w->setAutoFillBackground(style == BackMode::Opaque);
}

} // namespace cellwright
