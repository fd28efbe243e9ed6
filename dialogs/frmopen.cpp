#include "frmopen.h"

namespace cellwright {

namespace {

// The layout on resizing, in twips of the outer size.
constexpr Twips MinHeight = 3540;
constexpr Twips MinWidth = 6525;
constexpr Twips FileListAllowance = 2100;
constexpr Twips FolderListAllowance = 1890;
constexpr Twips ReferenceWidth = 7830;
constexpr Twips LeftColumnBase = 3015;
constexpr Twips RightColumnBase = 2655;
constexpr Twips FileListToPatternHeading = 990;
constexpr Twips FileListToPatternBox = 1230;
constexpr Twips FolderListToDriveHeading = 780;
constexpr Twips FolderListToDriveList = 1020;
constexpr Twips LeftColumnToRightColumn = 345;
constexpr Twips ColumnsToButtons = 570;

constexpr FileChooserDesign OpenDesign {
    .Caption = u"Open ",
    .ClientWidth = 7485,
    .ClientHeight = 5220,
    .FileName = u"location.dat",
    .Pattern = u"*.csv",
    .Label1 = { 120, 120, 975, 255 },
    .Text1 = { 120, 360, 3015, 315 },
    .File1 = { 120, 840, 3015, 3345 },
    .Label2 = { 120, 4320, 2415, 255 },
    .Combo1 = { 120, 4680, 3015, 315 },
    .Label3 = { 3480, 120, 3855, 255 },
    .Label4 = { 3480, 360, 3975, 255 },
    .Dir1 = { 3480, 720, 2415, 3465 },
    .Label5 = { 3480, 4320, 1335, 255 },
    .Drive1 = { 3480, 4680, 2415, 315 },
    .Command1 = { 6000, 720, 1335, 375 },
    .Command2 = { 6000, 1200, 1335, 375 },
};

} // namespace

frmOpen::frmOpen(ConversionState &state, std::function<void()> readChosen)
    : FileChooser(OpenDesign)
    , state(state)
    , readChosen(std::move(readChosen))
{
    File1.MouseDown.connect(this, &frmOpen::File1_MouseDown);
}

void frmOpen::File1_MouseDown(int, int, Twips, Twips)
{
    // Right after a folder change nothing is selected: the proposed name stays.
    if (File1.ListIndex() >= 0)
        Text1.setText(File1.List(File1.ListIndex()));
}

void frmOpen::Command1_Click()
{
    // The folder list's own path: the caption may not show it in a dialog made afresh.
    state.OpenFolder = Dir1.Path().toStdU16String();
    state.OpenFileName = Text1.Text().toStdU16String();
    readChosen();
    Hide();
}

void frmOpen::Form_Resize()
{
    if (Height() < MinHeight)
        setHeight(MinHeight);
    if (Width() < MinWidth)
        setWidth(MinWidth);
    File1.setHeight(Height() - FileListAllowance);
    Label2.setTop(File1.Height() + FileListToPatternHeading);
    Combo1.setTop(File1.Height() + FileListToPatternBox);
    Dir1.setHeight(Height() - FolderListAllowance);
    Label5.setTop(Dir1.Height() + FolderListToDriveHeading);
    Drive1.setTop(Dir1.Height() + FolderListToDriveList);
    Text1.setWidth((Width() - ReferenceWidth) / 2 + LeftColumnBase);
    File1.setWidth((Width() - ReferenceWidth) / 2 + LeftColumnBase);
    Combo1.setWidth((Width() - ReferenceWidth) / 2 + LeftColumnBase);
    Dir1.setWidth((Width() - ReferenceWidth) / 2 + RightColumnBase);
    Drive1.setWidth((Width() - ReferenceWidth) / 2 + RightColumnBase);
    Label3.setLeft(Text1.Width() + LeftColumnToRightColumn);
    Label4.setLeft(Text1.Width() + LeftColumnToRightColumn);
    Dir1.setLeft(Text1.Width() + LeftColumnToRightColumn);
    Label5.setLeft(Text1.Width() + LeftColumnToRightColumn);
    Drive1.setLeft(Text1.Width() + LeftColumnToRightColumn);
    Command1.setLeft(Dir1.Width() + Text1.Width() + ColumnsToButtons);
    Command2.setLeft(Dir1.Width() + Text1.Width() + ColumnsToButtons);
}

} // namespace cellwright
