// frmSaveAs: the program's own chooser for where the document is written; a near twin of frmOpen
// without a layout of its own. OK stores the folder and the name and has the document saved there;
// the form stays open when the save fails, so the user can correct the name.
#pragma once

#include "conversion_state.h"
#include "file_chooser.h"

#include <functional>

namespace cellwright {

class frmSaveAs : public FileChooser {
public:
    // saveChosen saves where SaveFolder and SaveFileName say; false when it could not.
    frmSaveAs(ConversionState &state, std::function<bool()> saveChosen);

private:
    void Command1_Click() override;

    ConversionState &state;
    std::function<bool()> saveChosen;
};

} // namespace cellwright
