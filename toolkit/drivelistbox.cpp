#include "drivelistbox.h"

#include "combobox.h"
#include "filelistbox.h"
#include "folders.h"
#include "toolkit.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace cellwright {

namespace {

const QString Root = QStringLiteral("/");

QComboBox *widgetOf(const DriveListBox &box)
{
    return static_cast<QComboBox *>(box.widget());
}

// True when path lies on or below the folder root.
bool isWithin(const QString &path, const QString &root)
{
    if (root == Root)
        return path.startsWith(Root);
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

QString shownName(const QString &root)
{
    const QString name = QStorageInfo(root).name();
    return name.isEmpty() ? root : root + QLatin1String("  [") + name + QLatin1Char(']');
}

} // namespace

QStringList MountedDrives()
{
    Toolkit *toolkit = Toolkit::current();
    if (toolkit && !toolkit->driveList().isEmpty())
        return toolkit->driveList();
    if (toolkit && toolkit->cachedDrives())
        return *toolkit->cachedDrives();
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Files mounted over files (a container's /etc/hosts) are no drives.
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(root).isDir()
            || roots.contains(root))
            continue;
        roots.append(root);
    }
    roots.removeAll(Root);
    SortNames(roots);
    roots.prepend(Root);
    if (toolkit)
        toolkit->cacheDrives(roots);
    return roots;
}

QString DriveOf(const QString &path)
{
    QString best = Root;
    for (const QString &root : MountedDrives())
        if (root.size() > best.size() && isWithin(path, root))
            best = root;
    return best;
}

DriveListBox::DriveListBox(Form &form)
    : Control(form, new QComboBox)
{
    QComboBox *w = widgetOf(*this);
    w->setEditable(false);
    detail::AnnounceAccessibleName(w);
    QObject::connect(w, &QComboBox::activated, w, [this](int index) {
        // The choice is the user's; Change only when it is another drive.
        if (index != m_current) {
            m_current = index;
            Change.raise();
        }
    });
    Refresh();
    choose(int(m_roots.indexOf(DriveOf(detail::CurrentFolder()))), false);
}

QString DriveListBox::Drive() const
{
    return m_current >= 0 && m_current < m_roots.size() ? m_roots[m_current] : QString();
}

bool DriveListBox::setDrive(const QString &path)
{
    return chooseDriveOf(path, true);
}

bool DriveListBox::followPath(const QString &path)
{
    return chooseDriveOf(path, false);
}

bool DriveListBox::chooseDriveOf(const QString &path, bool raiseChange)
{
    const QString target = detail::ResolvePath(detail::CurrentFolder(), path);
    const int index = int(m_roots.indexOf(DriveOf(target)));
    if (index < 0)
        return false;
    choose(index, raiseChange);
    return true;
}

void DriveListBox::choose(int index, bool raiseChange)
{
    const bool changed = index != m_current;
    m_current = index;
    {
        const QSignalBlocker blocker(widgetOf(*this));
        widgetOf(*this)->setCurrentIndex(index);
    }
    if (changed && raiseChange)
        Change.raise();
}

QString DriveListBox::List(int index) const
{
    return index >= 0 && index < m_roots.size() ? widgetOf(*this)->itemText(index) : QString();
}

int DriveListBox::ListCount() const
{
    return int(m_roots.size());
}

int DriveListBox::ListIndex() const
{
    return m_current;
}

void DriveListBox::Refresh()
{
    const QString chosen = Drive();
    m_roots = MountedDrives();
    QComboBox *w = widgetOf(*this);
    const QSignalBlocker blocker(w);
    w->clear();
    for (const QString &root : std::as_const(m_roots))
        w->addItem(shownName(root));
    m_current = chosen.isEmpty() ? -1 : int(m_roots.indexOf(chosen));
    w->setCurrentIndex(m_current);
}

} // namespace cellwright
