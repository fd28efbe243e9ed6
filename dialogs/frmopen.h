// frmOpen: the program's own chooser for the document to read. OK stores the folder and the name
// separately in the conversion state and runs ReadDocument; OK and Cancel only hide the form, so
// drive, folder, pattern and name survive to the next showing. Form_Resize keeps a minimum outer
// size and shares extra width between the two columns, extra height to the lists.
#pragma once

#include "file_chooser.h"
#include "read_textfile.h"

namespace cellwright {

class frmOpen : public FileChooser {
public:
    frmOpen(ConversionState &state, Read_Textfile &engine);

    void Form_Resize() override;

private:
    void File1_MouseDown(int Button, int Shift, Twips X, Twips Y);
    void Command1_Click() override;

    ConversionState &state;
    Read_Textfile &engine;
};

} // namespace cellwright
