#include "dirlistbox.h"

#include "drivelistbox.h"
#include "filelistbox.h"
#include "folders.h"
#include "toolkit.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>

namespace cellwright {

namespace {

const QString Root = QStringLiteral("/");
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int OpenRole = Qt::UserRole + 2; // true for the current folder and its ancestors
constexpr int IndentPixels = 12;

// "/" -> ["/"]; "/a/b" -> ["/", "/a", "/a/b"].
QStringList ancestorsOf(const QString &path)
{
    QStringList chain { Root };
    QString walked;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked += QLatin1Char('/') + part;
        chain.append(walked);
    }
    return chain;
}

QString shownName(const QString &path)
{
    return path == Root ? Root : QFileInfo(path).fileName();
}

// Indents each row by its depth in the tree and gives it a folder icon. The icons are looked up
// when a row is first laid out: a theme lookup costs milliseconds, and a list created hidden at
// start-up need not pay for it before the program's first window is on the screen.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const bool open = index.data(OpenRole).toBool();
        QIcon &icon = open ? m_open : m_closed;
        if (icon.isNull()) {
            const QStyle *style = option->widget ? option->widget->style() : QApplication::style();
            icon = style->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon);
        }
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = icon;
        option->decorationSize
            = option->decorationSize.isValid() ? option->decorationSize : QSize(16, 16);
    }

public:
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + IndentPixels * index.data(DepthRole).toInt());
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index)
            + QSize(IndentPixels * index.data(DepthRole).toInt(), 0);
    }

private:
    mutable QIcon m_open;
    mutable QIcon m_closed;
};

int selectedRow(const QListWidget *list)
{
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

class DirListWidget : public QListWidget {
public:
    DirListWidget(DirListBox &box, std::function<void(int)> open)
        : m_box(box)
        , m_open(std::move(open))
    {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setUniformItemSizes(true);
        setItemDelegate(new IndentDelegate(this));
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton) {
            event->accept();
            return;
        }
        QListWidget::mousePressEvent(event);
        if (itemAt(event->position().toPoint()))
            m_box.Click.raise();
    }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        event->accept();
        if (event->button() != Qt::LeftButton)
            return;
        if (QListWidgetItem *item = itemAt(event->position().toPoint()))
            m_open(row(item));
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        // Enter opens the highlighted folder, as a double-click does.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            if (currentRow() >= 0)
                m_open(currentRow());
            return;
        }
        const int before = selectedRow(this);
        QListWidget::keyPressEvent(event);
        const int after = selectedRow(this);
        if (after >= 0 && after != before)
            m_box.Click.raise();
    }

private:
    DirListBox &m_box;
    std::function<void(int)> m_open;
};

QListWidget *widgetOf(const DirListBox &box)
{
    return static_cast<QListWidget *>(box.widget());
}

} // namespace

DirListBox::DirListBox(Form &form)
    : Control(form, new DirListWidget(*this, [this](int row) { openRow(row); }))
{
    const QString start = detail::CurrentFolder();
    if (!load(start, false)) {
        // The current folder cannot be read: show where it is, with no subfolders.
        m_path = start;
        m_ancestors = ancestorsOf(start);
        m_subfolders.clear();
    }
}

QString DirListBox::Path() const
{
    return m_path;
}

bool DirListBox::setPath(const QString &path)
{
    QString target = detail::ResolvePath(m_path.isEmpty() ? detail::CurrentFolder() : m_path, path);
    // The mount point of another file system stands for that file system's current folder.
    const QString drive = DriveOf(target);
    if (target == drive && (m_path.isEmpty() || DriveOf(m_path) != drive)) {
        const QString last
            = Toolkit::current() ? Toolkit::current()->lastFolderOn(drive) : QString();
        if (!last.isEmpty() && QFileInfo(last).isDir())
            target = last;
    }
    return load(target, true);
}

void DirListBox::openRow(int row)
{
    const QString target = List(row - int(m_ancestors.size()));
    if (!target.isEmpty())
        load(target, true);
}

bool DirListBox::load(const QString &path, bool raiseChange)
{
    QString error;
    QStringList subfolders = ListSubfolders(path, &error);
    if (!error.isEmpty()) {
        if (raiseChange)
            PathError.raise(path, error);
        return false;
    }
    const bool changed = path != m_path;
    m_path = path;
    m_ancestors = ancestorsOf(path);
    m_subfolders = std::move(subfolders);

    QListWidget *w = widgetOf(*this);
    {
        const QSignalBlocker blocker(w);
        w->clear();
        // Rows get their data before they join the list, so that no row is announced twice.
        const auto add = [w](bool open, const QString &name, int depth) {
            auto *item = new QListWidgetItem(name);
            item->setData(DepthRole, depth);
            item->setData(OpenRole, open);
            w->addItem(item);
        };
        int depth = 0;
        for (const QString &folder : std::as_const(m_ancestors))
            add(true, shownName(folder), depth++);
        for (const QString &folder : std::as_const(m_subfolders))
            add(false, folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1), depth);
        // The current folder is highlighted, as ListIndex -1 says.
        w->setCurrentRow(int(m_ancestors.size()) - 1);
    }
    if (Toolkit *toolkit = Toolkit::current())
        toolkit->rememberFolder(DriveOf(path), path);
    if (changed && raiseChange)
        Change.raise();
    return true;
}

QString DirListBox::List(int index) const
{
    if (index >= 0)
        return index < m_subfolders.size() ? m_subfolders[index] : QString();
    const qsizetype row = m_ancestors.size() + index;
    return row >= 0 ? m_ancestors[row] : QString();
}

int DirListBox::ListCount() const
{
    return int(m_subfolders.size());
}

int DirListBox::ListIndex() const
{
    const int row = selectedRow(widgetOf(*this));
    return row < 0 ? -1 : row - int(m_ancestors.size());
}

void DirListBox::setListIndex(int index)
{
    if (List(index).isEmpty())
        return;
    widgetOf(*this)->setCurrentRow(int(m_ancestors.size()) + index);
    Click.raise();
}

void DirListBox::Refresh()
{
    load(m_path, true);
}

} // namespace cellwright
