// The start-up set-up of both file dialogs, as the main window's load performs it: two type
// entries "*.txt" and "*.*", the pattern "*.txt", the first entry chosen, the folder caption from
// the folder list. Touching the forms loads them, hidden.
#pragma once

#include <QString>

namespace cellwright {

class frmOpen;
class frmSaveAs;

void SetUpFileDialogs(frmOpen &open, frmSaveAs &save);

// The type entries both dialogs offer, in this order; the first is chosen at start-up.
inline constexpr char16_t TextFilesPattern[] = u"*.txt";
inline constexpr char16_t AllFilesPattern[] = u"*.*";

// Tells the user that a folder could not be opened: "Cannot open folder PATH: REASON".
void ReportFolderError(const QString &folder, const QString &reason);

} // namespace cellwright
