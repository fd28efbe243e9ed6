// DriveListBox: the mounted file systems (the root first), as a drop-down list.
//
// A drive is named by its mount point ("/", "/home", "/media/usb"). Setting a folder list's Path
// to the mount point of another file system moves it to the folder last shown on that file
// system, or to its root (see DirListBox).
#pragma once

#include "control.h"
#include "event.h"

#include <QStringList>

namespace cellwright {

class DriveListBox : public Control {
public:
    // Starts at the file system holding the process's current folder.
    explicit DriveListBox(Form &form);

    // Mount point of the chosen file system. Setting a path chooses the file system holding it
    // and raises Change before it returns when that is another one; returns false (and changes
    // nothing) for a path on no listed file system.
    QString Drive() const;
    bool setDrive(const QString &path);
    // Shows the file system holding path without raising Change: a folder list moved onto it.
    // Returns false (and changes nothing) for a path on no listed file system.
    bool followPath(const QString &path);

    // Entry i as shown (mount point, and the volume's name when it has one); "" outside.
    QString List(int index) const;
    int ListCount() const;
    int ListIndex() const;

    // Lists the mounted file systems again.
    void Refresh();

    // The chosen drive changed, by the user or by setDrive.
    Event<> Change;

private:
    bool chooseDriveOf(const QString &path, bool raiseChange);
    void choose(int index, bool raiseChange);

    QStringList m_roots;
    int m_current = -1;
};

// The mount points of the mounted file systems that can be listed, the root first, then by name
// (the Toolkit's drive list instead, when one is set).
QStringList MountedDrives();
// The mount point of the file system holding path (path must be absolute).
QString DriveOf(const QString &path);

} // namespace cellwright
