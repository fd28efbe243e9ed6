// The start-up set-up of a file dialog, as the main window's load performs it for the open dialog
// and then for the save dialog: two type entries "*.txt" and "*.*" (the open dialog, which also
// reads word-processor documents, a third "*.docx;*.odt"), the pattern "*.txt", the first entry
// chosen, the folder caption from the folder list.
#pragma once

#include <QString>

namespace cellwright {

class FileChooser;

void SetUpFileDialog(FileChooser &dialog, bool readsDocuments = false);

// The type entries both dialogs offer, in this order; the first is chosen at start-up.
inline constexpr char16_t TextFilesPattern[] = u"*.txt";
inline constexpr char16_t AllFilesPattern[] = u"*.*";
inline constexpr char16_t DocumentsPattern[] = u"*.docx;*.odt"; // the open dialog's third

// Tells the user that a folder could not be opened: "Cannot open folder PATH: REASON".
void ReportFolderError(const QString &folder, const QString &reason);

} // namespace cellwright
