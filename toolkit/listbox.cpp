#include "listbox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QSignalBlocker>
#include <unordered_map>

namespace cellwright {

namespace {

const char TickableProperty[] = "cellwrightTickableEntries";

// One entry of a check-box list as assistive technology meets it: a check box named by the
// entry's text, checkable, ticked or not, whose toggle action ticks it. (Qt's own entry is a list
// item whose state the accessibility bus carries without "checkable", so an unticked entry sounds
// like any other, and whose toggle action selects it.)
class TickableEntry : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TickableEntry(QListWidget *list, int row)
        : m_list(list)
        , m_index(list->model()->index(row, 0))
    {
    }

    bool isValid() const override { return item() != nullptr; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_list ? QAccessible::queryAccessibleInterface(m_list.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }

    QString text(QAccessible::Text t) const override
    {
        const QListWidgetItem *entry = item();
        return entry && t == QAccessible::Name ? entry->text() : QString();
    }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        const QListWidgetItem *entry = item();
        if (!entry)
            return {};
        const QRect r = m_list->visualItemRect(entry);
        return { m_list->viewport()->mapToGlobal(r.topLeft()), r.size() };
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        const QListWidgetItem *entry = item();
        if (!entry) {
            s.invalid = true;
            return s;
        }
        s.checkable = true;
        s.checked = entry->checkState() == Qt::Checked;
        s.focusable = true;
        s.selectable = true;
        s.selected = entry->isSelected();
        s.focused = m_list->hasFocus() && m_list->currentItem() == entry;
        s.disabled = !m_list->isEnabled();
        s.invisible = !m_list->viewport()->rect().intersects(m_list->visualItemRect(entry));
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
            ? static_cast<QAccessibleActionInterface *>(this)
            : nullptr;
    }

    QStringList actionNames() const override { return { toggleAction(), setFocusAction() }; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void doAction(const QString &action) override
    {
        QListWidgetItem *entry = item();
        if (!entry || !m_list->isEnabled())
            return;
        if (action == toggleAction()) {
            // As a click on the check box: the list raises the entry's ItemCheck.
            entry->setCheckState(entry->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        } else if (action == setFocusAction()) {
            // As a click on the text: the entry is chosen.
            m_list->setFocus();
            m_list->setCurrentItem(entry);
        }
    }

private:
    QListWidgetItem *item() const
    {
        return m_list && m_index.isValid() ? m_list->item(m_index.row()) : nullptr;
    }

    QPointer<QListWidget> m_list;
    QPersistentModelIndex m_index;
};

// A check-box list: its entries as TickableEntry children, nothing else (not its scroll bars).
class TickableList : public QAccessibleWidget {
public:
    explicit TickableList(QListWidget *list)
        : QAccessibleWidget(list, QAccessible::List)
    {
        // An entry's interface answers for the row it was made for until the rows change.
        const auto forget = [this] { forgetEntries(); };
        const QAbstractItemModel *model = list->model();
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &m_guard, forget);
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, &m_guard, forget);
        QObject::connect(model, &QAbstractItemModel::rowsMoved, &m_guard, forget);
        QObject::connect(model, &QAbstractItemModel::modelReset, &m_guard, forget);
        QObject::connect(model, &QAbstractItemModel::layoutChanged, &m_guard, forget);
    }
    ~TickableList() override { forgetEntries(); }

    int childCount() const override { return list()->count(); }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto known = m_entries.find(index); known != m_entries.end())
            return QAccessible::accessibleInterface(known->second);
        QAccessibleInterface *entry = new TickableEntry(list(), index);
        m_entries.emplace(index, QAccessible::registerAccessibleInterface(entry));
        return entry;
    }

    int indexOfChild(const QAccessibleInterface *entry) const override
    {
        for (const auto &[row, id] : m_entries)
            if (QAccessible::accessibleInterface(id) == entry)
                return row;
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = list()->viewport()->mapFromGlobal(QPoint(x, y));
        const QListWidgetItem *entry = list()->itemAt(at);
        return entry ? child(list()->row(entry)) : nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        return list()->hasFocus() ? child(list()->currentRow()) : nullptr;
    }

private:
    QListWidget *list() const { return static_cast<QListWidget *>(widget()); }

    void forgetEntries()
    {
        for (const auto &[row, id] : m_entries)
            QAccessible::deleteAccessibleInterface(id);
        m_entries.clear();
    }

    QObject m_guard; // the connections end with the interface
    mutable std::unordered_map<int, QAccessible::Id> m_entries;
};

QAccessibleInterface *tickableListFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QListWidget") && object
        && object->property(TickableProperty).toBool())
        return new TickableList(static_cast<QListWidget *>(object));
    return nullptr;
}

// Tells assistive technology that entry row was ticked or unticked.
void AnnounceCheck(QListWidget *w, int row)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(w);
    if (QAccessibleInterface *entry = list ? list->child(row) : nullptr) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(entry, changed);
        QAccessible::updateAccessibility(&event);
    }
}

QListWidget *widgetOf(const ListBox &box)
{
    return static_cast<QListWidget *>(box.widget());
}

// The list's widget. A check-box list is marked before it joins the form.
QListWidget *NewListWidget(ListStyle style)
{
    auto *w = new QListWidget;
    if (style == ListStyle::Checkbox) {
        static const bool installed = [] {
            QAccessible::installFactory(tickableListFactory);
            return true;
        }();
        Q_UNUSED(installed);
        w->setProperty(TickableProperty, true);
        // With assistive technology running, the view looks at itself while it is built, before
        // it was marked; the interface that look made (the plain list's) goes.
        if (QAccessible::isActive())
            QAccessible::deleteAccessibleInterface(
                QAccessible::uniqueId(QAccessible::queryAccessibleInterface(w)));
    }
    return w;
}

} // namespace

ListBox::ListBox(Form &form, ListStyle style)
    : Control(form, NewListWidget(style))
    , m_style(style)
{
    QListWidget *w = widgetOf(*this);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setUniformItemSizes(true);
    w->setTextElideMode(Qt::ElideRight);
    // Code changes arrive with the signals blocked; what gets through comes from the user.
    QObject::connect(w, &QListWidget::currentRowChanged, w, [this](int row) {
        if (row >= 0)
            Click.raise();
    });
    QObject::connect(w, &QListWidget::itemChanged, w, [this, w](QListWidgetItem *item) {
        const int row = w->row(item);
        AnnounceCheck(w, row);
        ItemCheck.raise(row);
    });
}

QString ListBox::List(int index) const
{
    const QListWidget *w = widgetOf(*this);
    return w && index >= 0 && index < w->count() ? w->item(index)->text() : QString();
}

int ListBox::ListCount() const
{
    return widgetOf(*this) ? widgetOf(*this)->count() : 0;
}

void ListBox::AddItem(const QString &text, int index)
{
    QListWidget *w = widgetOf(*this);
    if (!w)
        return;
    auto *item = new QListWidgetItem(text);
    if (m_style == ListStyle::Checkbox) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    const QSignalBlocker blocker(w);
    w->insertItem(index >= 0 && index <= w->count() ? index : w->count(), item);
}

void ListBox::setList(int index, const QString &text)
{
    QListWidget *w = widgetOf(*this);
    if (!w || index < 0 || index >= w->count())
        return;
    const QSignalBlocker blocker(w);
    w->item(index)->setText(text);
}

void ListBox::Clear()
{
    if (QListWidget *w = widgetOf(*this)) {
        const QSignalBlocker blocker(w);
        w->clear();
    }
}

int ListBox::ListIndex() const
{
    return widgetOf(*this) ? widgetOf(*this)->currentRow() : -1;
}

bool ListBox::setListIndex(int index)
{
    QListWidget *w = widgetOf(*this);
    if (!w || index < -1 || index >= w->count())
        return false;
    {
        const QSignalBlocker blocker(w);
        w->setCurrentRow(index);
    }
    // The list repaints its current row only when told: the signals were blocked.
    w->viewport()->update();
    if (index >= 0)
        Click.raise();
    return true;
}

bool ListBox::Selected(int index) const
{
    const QListWidget *w = widgetOf(*this);
    return w && index >= 0 && index < w->count() && w->item(index)->checkState() == Qt::Checked;
}

void ListBox::setSelected(int index, bool selected)
{
    QListWidget *w = widgetOf(*this);
    if (m_style != ListStyle::Checkbox || !w || index < 0 || index >= w->count())
        return;
    if (Selected(index) == selected)
        return;
    // itemChanged raises ItemCheck.
    w->item(index)->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

} // namespace cellwright
