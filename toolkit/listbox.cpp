#include "listbox.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace cellwright {

namespace {
QListWidget *widgetOf(const ListBox &box)
{
    return static_cast<QListWidget *>(box.widget());
}
} // namespace

ListBox::ListBox(Form &form, ListStyle style)
    : Control(form, new QListWidget)
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
    QObject::connect(w, &QListWidget::itemChanged, w,
        [this, w](QListWidgetItem *item) { ItemCheck.raise(w->row(item)); });
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

void ListBox::AddItem(const QString &text)
{
    QListWidget *w = widgetOf(*this);
    if (!w)
        return;
    const QSignalBlocker blocker(w);
    auto *item = new QListWidgetItem(text, w);
    if (m_style == ListStyle::Checkbox) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
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
    if (m_style != ListStyle::Checkbox || !w || index < 0 || index >= w->count()
        || Selected(index) == selected)
        return;
    // itemChanged raises ItemCheck.
    w->item(index)->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

} // namespace cellwright
