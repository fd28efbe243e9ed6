// frmOpen: the program's own chooser for the document to read. OK stores the folder and the name
// separately in the conversion state and has the document read (the window's ReadDocument); OK and
// Cancel only hide the form, so drive, folder, pattern and name survive to the next showing.
// Form_Resize keeps a minimum outer size and shares extra width between the two columns, extra
// height to the lists.
#pragma once

#include "conversion_state.h"
#include "file_chooser.h"

#include <functional>

namespace cellwright {

class frmOpen : public FileChooser {
public:
    // readChosen reads the document that OpenFolder and OpenFileName name.
    frmOpen(ConversionState &state, std::function<void()> readChosen);

    void Form_Resize() override;

private:
    void File1_MouseDown(int Button, int Shift, Twips X, Twips Y);
    void Command1_Click() override;

    ConversionState &state;
    std::function<void()> readChosen;
};

} // namespace cellwright
