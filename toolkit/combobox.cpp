#include "combobox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace cellwright {

namespace {

const char AnnouncedProperty[] = "cellwrightAnnouncesName";

// A combo box as assistive technology sees it: the accessible name as its name, the text shown
// as its value, and the drop-down list opened by the "show menu" action.
class AnnouncedComboBox : public QAccessibleWidget {
public:
    explicit AnnouncedComboBox(QComboBox *combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        QString text = QAccessibleWidget::text(t);
        // Without a name of its own, the box is known by what it shows.
        if (t == QAccessible::Name && text.isEmpty())
            text = combo()->currentText();
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = combo()->isEditable();
        s.expandable = true;
        s.expanded = combo()->view() && combo()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList { showMenuAction() } + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(object()); }
};

QAccessibleInterface *announcedComboFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QComboBox") && object
        && object->property(AnnouncedProperty).toBool())
        return new AnnouncedComboBox(static_cast<QComboBox *>(object));
    return nullptr;
}

} // namespace

void detail::AnnounceAccessibleName(QComboBox *combo)
{
    static const bool installed = [] {
        QAccessible::installFactory(announcedComboFactory);
        return true;
    }();
    Q_UNUSED(installed);
    combo->setProperty(AnnouncedProperty, true);
}

namespace {
QComboBox *widgetOf(const ComboBox &box)
{
    return static_cast<QComboBox *>(box.widget());
}

// The editable field. QComboBox takes Enter in its field, or leaving it, as the choice of the
// entry with the typed text and reports that as the user's: here the typed text stays only text.
class FieldEdit : public QLineEdit {
protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool finishes = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QSignalBlocker blocker(finishes ? this : nullptr);
        QLineEdit::keyPressEvent(event);
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        const QSignalBlocker blocker(this);
        QLineEdit::focusOutEvent(event);
    }
};
} // namespace

ComboBox::ComboBox(Form &form, ComboStyle style)
    : Control(form, new QComboBox)
    , m_style(style)
{
    QComboBox *w = widgetOf(*this);
    if (style == ComboStyle::DropDownCombo)
        w->setLineEdit(new FieldEdit);
    detail::AnnounceAccessibleName(w);
    // Enter in the field never adds an entry; the list is the form's to fill.
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(12);
    // activated comes from the user only (mouse or keys), also for the entry already chosen.
    QObject::connect(w, &QComboBox::activated, w, [this] { Click.raise(); });
    if (QLineEdit *edit = w->lineEdit()) {
        edit->setCompleter(nullptr);
        QObject::connect(edit, &QLineEdit::textEdited, w, [this] { Change.raise(); });
    }
}

QString ComboBox::Text() const
{
    return widgetOf(*this) ? widgetOf(*this)->currentText() : QString();
}

void ComboBox::setText(const QString &text)
{
    QComboBox *w = widgetOf(*this);
    if (!w)
        return;
    if (m_style == ComboStyle::DropDownList) {
        const int index = w->findText(text, Qt::MatchExactly);
        if (index >= 0)
            w->setCurrentIndex(index);
        return;
    }
    if (w->currentText() == text)
        return;
    w->setEditText(text);
    Change.raise();
}

QString ComboBox::List(int index) const
{
    QComboBox *w = widgetOf(*this);
    return w && index >= 0 && index < w->count() ? w->itemText(index) : QString();
}

bool ComboBox::setList(int index, const QString &text)
{
    QComboBox *w = widgetOf(*this);
    if (!w || index < 0 || index > w->count())
        return false;
    if (index == w->count()) {
        AddItem(text);
        return true;
    }
    const QSignalBlocker blocker(w);
    const QString shown = w->currentText();
    w->setItemText(index, text);
    // Renaming the chosen entry leaves the field's text alone.
    if (m_style == ComboStyle::DropDownCombo)
        w->setEditText(shown);
    return true;
}

int ComboBox::ListCount() const
{
    return widgetOf(*this) ? widgetOf(*this)->count() : 0;
}

int ComboBox::ListIndex() const
{
    return widgetOf(*this) ? widgetOf(*this)->currentIndex() : -1;
}

bool ComboBox::setListIndex(int index)
{
    QComboBox *w = widgetOf(*this);
    if (!w || index < -1 || index >= w->count())
        return false;
    {
        const QSignalBlocker blocker(w);
        w->setCurrentIndex(index);
        if (index < 0 && m_style == ComboStyle::DropDownCombo)
            w->setEditText(QString());
    }
    // QComboBox reports nothing for the index it already has; the assignment always raises Click.
    if (index >= 0)
        Click.raise();
    return true;
}

void ComboBox::AddItem(const QString &text, int index)
{
    QComboBox *w = widgetOf(*this);
    if (!w)
        return;
    const QSignalBlocker blocker(w);
    const int chosen = w->currentIndex();
    const QString shown = w->currentText();
    if (index < 0 || index > w->count())
        w->addItem(text);
    else
        w->insertItem(index, text);
    // QComboBox chooses the first entry added to an empty list; the form's list starts unchosen
    // and its field keeps its text until an entry is chosen.
    if (chosen < 0) {
        w->setCurrentIndex(-1);
        if (m_style == ComboStyle::DropDownCombo)
            w->setEditText(shown);
    }
}

void ComboBox::RemoveItem(int index)
{
    QComboBox *w = widgetOf(*this);
    if (!w || index < 0 || index >= w->count())
        return;
    const QSignalBlocker blocker(w);
    const QString shown = w->currentText();
    const bool wasChosen = w->currentIndex() == index;
    w->removeItem(index);
    if (wasChosen) {
        w->setCurrentIndex(-1);
        if (m_style == ComboStyle::DropDownCombo)
            w->setEditText(shown);
    }
}

void ComboBox::Clear()
{
    QComboBox *w = widgetOf(*this);
    if (!w)
        return;
    const QSignalBlocker blocker(w);
    w->clear();
    if (m_style == ComboStyle::DropDownCombo)
        w->clearEditText();
}

} // namespace cellwright
