// frmSaveAs: the program's own chooser for where the document is written; a near twin of frmOpen
// without a layout of its own. OK stores the folder and the name and runs WriteDocument; the form
// stays open when the save fails, so the user can correct the name.
#pragma once

#include "file_chooser.h"
#include "read_textfile.h"

namespace cellwright {

class frmSaveAs : public FileChooser {
public:
    frmSaveAs(ConversionState &state, Read_Textfile &engine);

private:
    void Command1_Click() override;

    ConversionState &state;
    Read_Textfile &engine;
};

} // namespace cellwright
