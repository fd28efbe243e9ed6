// DirListBox: the folder tree of one path: the folders from the root down to the current one, then
// the current folder's subfolders, indented. A double-click (or Enter) on a folder opens it.
#pragma once

#include "control.h"
#include "event.h"

#include <QStringList>

namespace cellwright {

class DirListBox : public Control {
public:
    // Starts at the process's current folder.
    explicit DirListBox(Form &form);

    // The current folder, absolute, without a trailing separator (except the root "/").
    QString Path() const;
    // Opens a folder (absolute, or relative to the current one). The mount point of another file
    // system means that file system's current folder: the one last shown on it, or its root.
    // Raises Change before it returns when the path changes. A folder that cannot be read leaves
    // the list as it was, raises PathError(path, reason) and returns false.
    bool setPath(const QString &path);

    // Full paths by the system's numbering: 0 .. ListCount()-1 are the subfolders, -1 the current
    // folder, -2 its parent and so on up to the root; "" outside.
    QString List(int index) const;
    // Number of subfolders of the current folder.
    int ListCount() const;
    // The highlighted entry in the same numbering (-1: the current folder). Setting it highlights
    // without opening and raises Click.
    int ListIndex() const;
    void setListIndex(int index);

    // Reads the current folder again.
    void Refresh();

    // Path changed, by the user (double-click, Enter) or by setPath.
    Event<> Change;
    // An entry highlighted by the user or by setListIndex.
    Event<> Click;
    // A folder could not be opened; the list is unchanged. Arguments: the folder, the reason.
    Event<const QString &, const QString &> PathError;

private:
    bool load(const QString &path, bool raiseChange);
    void openRow(int row);

    QString m_path;
    QStringList m_ancestors; // full paths, root first, the current folder last
    QStringList m_subfolders; // full paths, sorted
};

} // namespace cellwright
