#include "frmsaveas.h"

#include "drivelistbox.h"
#include "file_dialogs.h"

namespace cellwright {

namespace {
// Light grey.
constexpr OleColor DialogBackColor = Rgb(192, 192, 192);
} // namespace

frmSaveAs::frmSaveAs(ConversionState &state, Read_Textfile &engine)
    : state(state)
    , engine(engine)
{
    setCaption(QStringLiteral("Save As ..."));
    setBorderStyle(Border::Sizable);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(DialogBackColor);
    setForeColor(SysWindowText);
    setFont(QStringLiteral("MS Sans Serif"), 8.25f, true);
    setClientSize(6990, 5250);

    Label1.Move(120, 120, 975, 255);
    Label1.setCaption(QStringLiteral("File Name:"));
    Text1.Move(120, 360, 2415, 315);
    Text1.setText(QString());
    Text1.setAccessibleName(QStringLiteral("File Name"));
    File1.Move(120, 840, 2415, 3540);
    File1.setAccessibleName(QStringLiteral("Files"));
    Label2.Move(120, 4560, 2415, 255);
    Label2.setCaption(QStringLiteral("List Files of Type:"));
    Combo1.Move(120, 4800, 2415, 315);
    Combo1.setText(QStringLiteral("*.dat"));
    Combo1.setAccessibleName(QStringLiteral("List Files of Type"));
    Label3.Move(2880, 120, 2295, 255);
    Label3.setCaption(QStringLiteral("Directories:"));
    Label4.Move(2880, 360, 3975, 255);
    Label4.setCaption(QStringLiteral("Label4"));
    Dir1.Move(2880, 720, 2295, 3690);
    Dir1.setAccessibleName(QStringLiteral("Directories"));
    Label5.Move(2880, 4560, 1335, 255);
    Label5.setCaption(QStringLiteral("Drives:"));
    Drive1.Move(2880, 4800, 2295, 315);
    Drive1.setAccessibleName(QStringLiteral("Drives"));
    Command1.Move(5520, 720, 1335, 375);
    Command1.setCaption(QStringLiteral("OK"));
    Command1.setAccessibleName(QStringLiteral("OK"));
    Command2.Move(5520, 1200, 1335, 375);
    Command2.setCaption(QStringLiteral("Cancel"));
    Command2.setAccessibleName(QStringLiteral("Cancel"));

    setTabOrder({ &Label1, &Text1, &Label2, &Combo1, &Label3, &Label4, &Label5, &Command1,
        &Command2, &Drive1, &Dir1, &File1 });

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    Combo1.Click = [this] { Combo1_Click(); };
    File1.Click = [this] { File1_Click(); };
    File1.DblClick = [this] { File1_DblClick(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Dir1.PathError = ReportFolderError;
    File1.PathError = ReportFolderError;
}

void frmSaveAs::Form_Load()
{
    Label4.setCaption(Dir1.Path());
}

void frmSaveAs::Drive1_Change()
{
    if (m_keeping)
        return;
    Dir1.setPath(Drive1.Drive());
    KeepDrive();
}

void frmSaveAs::Dir1_Change()
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

void frmSaveAs::Combo1_Click()
{
    const int i = Combo1.ListIndex();
    Combo1.setText(Combo1.List(i));
    // A folder gone meanwhile: the list keeps its names, so the box shows their pattern again.
    if (!File1.setPattern(Combo1.List(i)))
        Combo1.setText(File1.Pattern());
}

void frmSaveAs::File1_Click()
{
    Text1.setText(File1.List(File1.ListIndex()));
}

void frmSaveAs::File1_DblClick()
{
    Text1.setText(File1.List(File1.ListIndex()));
    Command1_Click();
}

void frmSaveAs::Command1_Click()
{
    state.SaveFolder = Dir1.Path().toStdU16String();
    state.SaveFileName = Text1.Text().toStdU16String();
    // A failed save was reported; the dialog stays so that the name can be corrected.
    if (engine.WriteDocument())
        Hide();
}

void frmSaveAs::Command2_Click()
{
    Hide();
}

void frmSaveAs::KeepFolder()
{
    m_keeping = true;
    Dir1.setPath(File1.Path());
    m_keeping = false;
}

void frmSaveAs::KeepDrive()
{
    if (DriveOf(Dir1.Path()) == Drive1.Drive())
        return;
    m_keeping = true;
    Drive1.setDrive(Dir1.Path());
    m_keeping = false;
}

} // namespace cellwright
