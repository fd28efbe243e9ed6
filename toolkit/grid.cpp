#include "grid.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

namespace cellwright {

namespace {
QTableWidget *widgetOf(const Grid &grid)
{
    return static_cast<QTableWidget *>(grid.widget());
}
} // namespace

Grid::Grid(Form &form)
    : Control(form, new QTableWidget)
{
    QTableWidget *w = widgetOf(*this);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::NoSelection);
    w->setWordWrap(false);
    w->horizontalHeader()->hide();
    w->verticalHeader()->hide();
    w->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    w->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

int Grid::Rows() const
{
    return widgetOf(*this) ? widgetOf(*this)->rowCount() : 0;
}

void Grid::setRows(int rows)
{
    if (QTableWidget *w = widgetOf(*this))
        w->setRowCount(std::max(rows, 0));
}

int Grid::Cols() const
{
    return widgetOf(*this) ? widgetOf(*this)->columnCount() : 0;
}

void Grid::setCols(int cols)
{
    if (QTableWidget *w = widgetOf(*this))
        w->setColumnCount(std::max(cols, 0));
}

QString Grid::TextMatrix(int row, int col) const
{
    const QTableWidget *w = widgetOf(*this);
    const QTableWidgetItem *item = w ? w->item(row, col) : nullptr;
    return item ? item->text() : QString();
}

void Grid::setTextMatrix(int row, int col, const QString &text)
{
    QTableWidget *w = widgetOf(*this);
    if (!w || row < 0 || row >= w->rowCount() || col < 0 || col >= w->columnCount())
        return;
    if (QTableWidgetItem *item = w->item(row, col))
        item->setText(text);
    else
        w->setItem(row, col, new QTableWidgetItem(text));
}

QString Grid::RowLabel(int row) const
{
    const QTableWidget *w = widgetOf(*this);
    if (!w || row < 0 || row >= w->rowCount())
        return QString();
    const QTableWidgetItem *item = w->verticalHeaderItem(row);
    return item ? item->text() : QString::number(row + 1);
}

void Grid::setRowLabel(int row, const QString &text)
{
    QTableWidget *w = widgetOf(*this);
    if (!w || row < 0 || row >= w->rowCount())
        return;
    w->setVerticalHeaderItem(row, new QTableWidgetItem(text));
    w->verticalHeader()->show();
}

void Grid::Clear()
{
    if (QTableWidget *w = widgetOf(*this))
        w->clearContents();
}

} // namespace cellwright
