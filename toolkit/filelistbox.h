// FileListBox: the names (without folder) of one folder's files that match a pattern, sorted as a
// person expects (numbers by value, case ignored). Hidden files are not listed.
#pragma once

#include "control.h"
#include "event.h"
#include "twips.h"

#include <QStringList>

namespace cellwright {

// Mouse buttons and shift keys as MouseDown reports them.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;
inline constexpr int ShiftMask = 1;
inline constexpr int CtrlMask = 2;
inline constexpr int AltMask = 4;

class FileListBox : public Control {
public:
    // Starts at the process's current folder, listing every file.
    explicit FileListBox(Form &form);

    // The folder listed. Setting it lists that folder again (also when unchanged) and raises
    // PathChange when it changed. A folder that cannot be read leaves the list as it was,
    // raises PathError(path, reason) and returns false.
    QString Path() const;
    bool setPath(const QString &path);

    // Wildcards, several separated by ";" ("*.txt;*.dat"); "*.*" and "*" match every name.
    // Matching ignores case. Setting it lists the folder again and raises PatternChange.
    QString Pattern() const;
    bool setPattern(const QString &pattern);

    // Name i of the list; "" for an index outside the list.
    QString List(int index) const;
    int ListCount() const;
    // The selected entry, -1 when none. Setting it selects (and raises Click); -1 clears.
    int ListIndex() const;
    void setListIndex(int index);
    // The selected name, "" when none.
    QString FileName() const;

    // Reads the folder again.
    void Refresh();

    // An entry selected by a left press or by the keyboard, or by setListIndex.
    Event<> Click;
    // A left double-click on an entry.
    Event<> DblClick;
    // Any mouse press on the list, before the press changes the selection (so before the Click of
    // the same press). Button and Shift as above; X and Y in twips from the list's top-left.
    Event<int, int, Twips, Twips> MouseDown;
    // Path or Pattern changed.
    Event<> PathChange;
    Event<> PatternChange;
    // A folder could not be read; the list is unchanged. Arguments: the folder, the reason.
    Event<const QString &, const QString &> PathError;

private:
    bool load(const QString &path, const QStringList &filters);

    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_names;
};

// Names of the files in folder matching the ";"-separated pattern, sorted as a person expects;
// empty with a reason in *error when the folder cannot be read.
QStringList ListFiles(const QString &folder, const QString &pattern, QString *error);
// Full paths of folder's subfolders, sorted the same way; empty with a reason in *error on failure.
QStringList ListSubfolders(const QString &folder, QString *error);
// Sorts names as a person expects: case ignored, digits by numeric value.
void SortNames(QStringList &names);

} // namespace cellwright
