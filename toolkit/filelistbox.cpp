#include "filelistbox.h"

#include "folders.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <algorithm>
#include <numeric>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace cellwright {

namespace detail {

QString CurrentFolder()
{
    QString folder = QDir::currentPath();
#ifdef Q_OS_LINUX
    // getcwd fails for a deleted folder; its link in /proc reads "PATH (deleted)".
    if (folder.isEmpty()) {
        const QString deleted = QStringLiteral(" (deleted)");
        folder = QFile::symLinkTarget(QStringLiteral("/proc/self/cwd"));
        if (folder.endsWith(deleted))
            folder.chop(deleted.size());
    }
#endif
    return folder;
}

QString FolderProblem(const QString &folder)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::closedir(dir);
    return QString();
#else
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("No such file or directory");
    if (!info.isDir())
        return QStringLiteral("Not a directory");
    if (!info.isReadable())
        return QStringLiteral("Permission denied");
    return QString();
#endif
}

QString JoinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString ResolvePath(const QString &base, const QString &path)
{
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

} // namespace detail

namespace {

// The pattern as Qt name filters: "*.*" means every name, as "*" does.
QStringList nameFilters(const QString &pattern)
{
    QStringList filters;
    for (QString part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (part.isEmpty())
            continue;
        if (part == QLatin1String("*.*"))
            part = QStringLiteral("*");
        filters.append(part);
    }
    if (filters.isEmpty())
        filters.append(QStringLiteral("*"));
    return filters;
}

enum class Kind { Files, Folders };

// One expression for all the wildcards, case ignored; none when every name matches.
std::optional<QRegularExpression> matcher(const QStringList &filters)
{
    QStringList alternatives;
    for (const QString &filter : filters) {
        if (filter == QLatin1String("*"))
            return std::nullopt;
        alternatives.append(QRegularExpression::wildcardToRegularExpression(
            filter, QRegularExpression::DefaultWildcardConversion));
    }
    QRegularExpression expression(
        alternatives.join(QLatin1Char('|')), QRegularExpression::CaseInsensitiveOption);
    expression.optimize();
    return expression;
}

// The names of folder's entries of one kind that match the filters, hidden names left out.
// Read straight from the directory: QDir builds a QFileInfo per entry, which costs several
// times as much in a folder of thousands of files.
QStringList listFolder(const QString &folder, const QStringList &filters, Kind kind, QString *error)
{
    const std::optional<QRegularExpression> match = matcher(filters);
    QStringList names;
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return {};
    }
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            // A link counts as what it points to.
            struct stat info;
            if (::fstatat(fd, entry->d_name, &info, 0) != 0)
                continue;
            isFolder = S_ISDIR(info.st_mode);
            isFile = S_ISREG(info.st_mode);
        }
        if (kind == Kind::Files ? !isFile : !isFolder)
            continue;
        QString name = QFile::decodeName(entry->d_name);
        if (!match || match->match(name).hasMatch())
            names.append(std::move(name));
    }
    ::closedir(dir);
#else
    const QString problem = detail::FolderProblem(folder);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return {};
    }
    const QDir::Filters which = kind == Kind::Files ? QDir::Files : QDir::Dirs;
    for (const QString &name : QDir(folder).entryList(which | QDir::NoDotAndDotDot, QDir::NoSort))
        if (!match || match->match(name).hasMatch())
            names.append(name);
#endif
    SortNames(names);
    return names;
}

int mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? ShiftMask : 0)
        | (modifiers & Qt::ControlModifier ? CtrlMask : 0)
        | (modifiers & Qt::AltModifier ? AltMask : 0);
}

int selectedRow(const QListWidget *list)
{
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

class FileListWidget : public QListWidget {
public:
    explicit FileListWidget(FileListBox &box)
        : m_box(box)
    {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setUniformItemSizes(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setTextElideMode(Qt::ElideRight);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        // MouseDown comes first, with the selection as it was before this press.
        const QPointF at = event->position() + viewport()->pos();
        m_box.MouseDown.raise(mouseButton(event->button()), shiftState(event->modifiers()),
            ToTwipsX(1) * float(at.x()), ToTwipsY(1) * float(at.y()));
        // Only the left button selects.
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
        if (QListWidgetItem *item = itemAt(event->position().toPoint())) {
            setCurrentItem(item);
            m_box.DblClick.raise();
        }
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const int before = selectedRow(this);
        QListWidget::keyPressEvent(event);
        const int after = selectedRow(this);
        if (after >= 0 && after != before)
            m_box.Click.raise();
    }

    // One name stays selected once chosen: Ctrl with a click or Space would take it away.
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex &index, const QEvent *event) const override
    {
        const auto command = QListWidget::selectionCommand(index, event);
        return command & QItemSelectionModel::Deselect ? QItemSelectionModel::NoUpdate : command;
    }

private:
    FileListBox &m_box;
};

QListWidget *widgetOf(const FileListBox &box)
{
    return static_cast<QListWidget *>(box.widget());
}

} // namespace

void SortNames(QStringList &names)
{
    // The C locale collates by code point, which ignores neither case nor numbers: English
    // rules stand in for it.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Sort keys are computed once per name; comparing them is cheap.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(names.size()));
    for (const QString &name : std::as_const(names))
        keys.push_back(collator.sortKey(name));
    std::vector<qsizetype> order(std::size_t(names.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = keys[std::size_t(a)].compare(keys[std::size_t(b)]);
        // Names equal but for case keep one order every time.
        return byKey != 0 ? byKey < 0 : names[a] < names[b];
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (qsizetype i : order)
        sorted.append(names[i]);
    names = std::move(sorted);
}

QStringList ListFiles(const QString &folder, const QString &pattern, QString *error)
{
    return listFolder(folder, nameFilters(pattern), Kind::Files, error);
}

QStringList ListSubfolders(const QString &folder, QString *error)
{
    QStringList names = listFolder(folder, { QStringLiteral("*") }, Kind::Folders, error);
    for (QString &name : names)
        name = detail::JoinPath(folder, name);
    return names;
}

FileListBox::FileListBox(Form &form)
    : Control(form, new FileListWidget(*this))
    , m_path(detail::CurrentFolder())
{
    load(m_path, nameFilters(m_pattern));
}

QString FileListBox::Path() const
{
    return m_path;
}

bool FileListBox::setPath(const QString &path)
{
    const QString target = detail::ResolvePath(m_path, path);
    if (!load(target, nameFilters(m_pattern)))
        return false;
    if (target != m_path) {
        m_path = target;
        PathChange.raise();
    }
    return true;
}

QString FileListBox::Pattern() const
{
    return m_pattern;
}

bool FileListBox::setPattern(const QString &pattern)
{
    if (!load(m_path, nameFilters(pattern)))
        return false;
    if (pattern != m_pattern) {
        m_pattern = pattern;
        PatternChange.raise();
    }
    return true;
}

void FileListBox::Refresh()
{
    load(m_path, nameFilters(m_pattern));
}

bool FileListBox::load(const QString &path, const QStringList &filters)
{
    QString error;
    QStringList names = listFolder(path, filters, Kind::Files, &error);
    if (!error.isEmpty()) {
        PathError.raise(path, error);
        return false;
    }
    m_names = std::move(names);
    QListWidget *w = widgetOf(*this);
    const QSignalBlocker blocker(w);
    w->clear();
    w->addItems(m_names);
    return true;
}

QString FileListBox::List(int index) const
{
    return index >= 0 && index < m_names.size() ? m_names[index] : QString();
}

int FileListBox::ListCount() const
{
    return int(m_names.size());
}

int FileListBox::ListIndex() const
{
    return selectedRow(widgetOf(*this));
}

void FileListBox::setListIndex(int index)
{
    QListWidget *w = widgetOf(*this);
    if (index < -1 || index >= w->count())
        return;
    if (index < 0) {
        w->clearSelection();
        return;
    }
    w->setCurrentRow(index);
    Click.raise();
}

QString FileListBox::FileName() const
{
    return List(ListIndex());
}

} // namespace cellwright
