// The start-up set-up of both file dialogs, as the main window's load performs it: two type
// entries "*.txt" and "*.*", the pattern "*.txt", the first entry chosen, the folder caption from
// the folder list. Touching the forms loads them, hidden.
#pragma once

namespace cellwright {

class frmOpen;
class frmSaveAs;

void SetUpFileDialogs(frmOpen &open, frmSaveAs &save);

} // namespace cellwright
