#include "frmopen.h"

#include "drivelistbox.h"
#include "file_dialogs.h"

namespace cellwright {

namespace {

// Light grey.
constexpr OleColor DialogBackColor = Rgb(192, 192, 192);

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

} // namespace

frmOpen::frmOpen(ConversionState &state, Read_Textfile &engine)
    : state(state)
    , engine(engine)
{
    setCaption(QStringLiteral("Open "));
    setBorderStyle(Border::Sizable);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(DialogBackColor);
    setForeColor(SysWindowText);
    setFont(QStringLiteral("MS Sans Serif"), 8.25f, true);
    setClientSize(7485, 5220);

    Label1.Move(120, 120, 975, 255);
    Label1.setCaption(QStringLiteral("File Name:"));
    Text1.Move(120, 360, 3015, 315);
    Text1.setText(QStringLiteral("location.dat"));
    Text1.setAccessibleName(QStringLiteral("File Name"));
    File1.Move(120, 840, 3015, 3345);
    File1.setAccessibleName(QStringLiteral("Files"));
    Label2.Move(120, 4320, 2415, 255);
    Label2.setCaption(QStringLiteral("List Files of Type:"));
    Combo1.Move(120, 4680, 3015, 315);
    Combo1.setText(QStringLiteral("*.csv"));
    Combo1.setAccessibleName(QStringLiteral("List Files of Type"));
    Label3.Move(3480, 120, 3855, 255);
    Label3.setCaption(QStringLiteral("Directories:"));
    Label4.Move(3480, 360, 3975, 255);
    Label4.setCaption(QStringLiteral("Label4"));
    Dir1.Move(3480, 720, 2415, 3465);
    Dir1.setAccessibleName(QStringLiteral("Directories"));
    Label5.Move(3480, 4320, 1335, 255);
    Label5.setCaption(QStringLiteral("Drives:"));
    Drive1.Move(3480, 4680, 2415, 315);
    Drive1.setAccessibleName(QStringLiteral("Drives"));
    Command1.Move(6000, 720, 1335, 375);
    Command1.setCaption(QStringLiteral("OK"));
    Command1.setAccessibleName(QStringLiteral("OK"));
    Command2.Move(6000, 1200, 1335, 375);
    Command2.setCaption(QStringLiteral("Cancel"));
    Command2.setAccessibleName(QStringLiteral("Cancel"));

    setTabOrder({ &Label1, &Text1, &Label2, &Combo1, &Label3, &Label4, &Label5, &Command1,
        &Command2, &Drive1, &Dir1, &File1 });

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    Combo1.Click = [this] { Combo1_Click(); };
    File1.Click = [this] { File1_Click(); };
    File1.DblClick = [this] { File1_DblClick(); };
    File1.MouseDown.connect(this, &frmOpen::File1_MouseDown);
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Dir1.PathError = ReportFolderError;
    File1.PathError = ReportFolderError;
}

void frmOpen::Form_Load()
{
    Label4.setCaption(Dir1.Path());
}

void frmOpen::Drive1_Change()
{
    if (m_keeping)
        return;
    Dir1.setPath(Drive1.Drive());
    KeepDrive();
}

void frmOpen::Dir1_Change()
{
    if (m_keeping)
        return;
    if (!File1.setPath(Dir1.Path())) {
        KeepFolder();
        return;
    }
    Text1.setText(File1.List(0));
    Label4.setCaption(Dir1.Path());
}

void frmOpen::Combo1_Click()
{
    const int i = Combo1.ListIndex();
    Combo1.setText(Combo1.List(i));
    // A folder gone meanwhile: the list keeps its names, so the box shows their pattern again.
    if (!File1.setPattern(Combo1.List(i)))
        Combo1.setText(File1.Pattern());
}

void frmOpen::File1_Click()
{
    Text1.setText(File1.List(File1.ListIndex()));
}

void frmOpen::File1_DblClick()
{
    Text1.setText(File1.List(File1.ListIndex()));
    Command1_Click();
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
    engine.ReadDocument();
    Hide();
}

void frmOpen::Command2_Click()
{
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

void frmOpen::KeepFolder()
{
    m_keeping = true;
    Dir1.setPath(File1.Path());
    m_keeping = false;
}

void frmOpen::KeepDrive()
{
    if (DriveOf(Dir1.Path()) == Drive1.Drive())
        return;
    m_keeping = true;
    Drive1.setDrive(Dir1.Path());
    m_keeping = false;
}

} // namespace cellwright
