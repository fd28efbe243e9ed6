#include "frmsaveas.h"

namespace cellwright {

namespace {

constexpr FileChooserDesign SaveDesign {
    .Caption = u"Save As ...",
    .ClientWidth = 6990,
    .ClientHeight = 5250,
    .FileName = u"",
    .Pattern = u"*.dat",
    .Label1 = { 120, 120, 975, 255 },
    .Text1 = { 120, 360, 2415, 315 },
    .File1 = { 120, 840, 2415, 3540 },
    .Label2 = { 120, 4560, 2415, 255 },
    .Combo1 = { 120, 4800, 2415, 315 },
    .Label3 = { 2880, 120, 2295, 255 },
    .Label4 = { 2880, 360, 3975, 255 },
    .Dir1 = { 2880, 720, 2295, 3690 },
    .Label5 = { 2880, 4560, 1335, 255 },
    .Drive1 = { 2880, 4800, 2295, 315 },
    .Command1 = { 5520, 720, 1335, 375 },
    .Command2 = { 5520, 1200, 1335, 375 },
};

} // namespace

frmSaveAs::frmSaveAs(ConversionState &state, std::function<bool()> saveChosen)
    : FileChooser(SaveDesign)
    , state(state)
    , saveChosen(std::move(saveChosen))
{
}

void frmSaveAs::Command1_Click()
{
    state.SaveFolder = Dir1.Path().toStdU16String();
    state.SaveFileName = Text1.Text().toStdU16String();
    // A failed save was reported; the dialog stays so that the name can be corrected.
    if (saveChosen())
        Hide();
}

} // namespace cellwright
