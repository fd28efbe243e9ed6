#include "file_chooser.h"

#include "file_dialogs.h"

namespace cellwright {

namespace {

// Light grey.
constexpr OleColor DialogBackColor = Rgb(192, 192, 192);

void Place(Control &control, const ControlPlace &place)
{
    control.Move(place.Left, place.Top, place.Width, place.Height);
}

} // namespace

FileChooser::FileChooser(const FileChooserDesign &design)
{
    setCaption(QString::fromUtf16(design.Caption));
    setBorderStyle(Border::Sizable);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(DialogBackColor);
    setForeColor(SysWindowText);
    setFont(QStringLiteral("MS Sans Serif"), 8.25f, true);
    setClientSize(design.ClientWidth, design.ClientHeight);

    Place(Label1, design.Label1);
    Label1.setCaption(QStringLiteral("File Name:"));
    Place(Text1, design.Text1);
    Text1.setText(QString::fromUtf16(design.FileName));
    Text1.setAccessibleName(QStringLiteral("File Name"));
    Place(File1, design.File1);
    File1.setAccessibleName(QStringLiteral("Files"));
    Place(Label2, design.Label2);
    Label2.setCaption(QStringLiteral("List Files of Type:"));
    Place(Combo1, design.Combo1);
    Combo1.setText(QString::fromUtf16(design.Pattern));
    Combo1.setAccessibleName(QStringLiteral("List Files of Type"));
    Place(Label3, design.Label3);
    Label3.setCaption(QStringLiteral("Directories:"));
    Place(Label4, design.Label4);
    Label4.setCaption(QStringLiteral("Label4"));
    Place(Dir1, design.Dir1);
    Dir1.setAccessibleName(QStringLiteral("Directories"));
    Place(Label5, design.Label5);
    Label5.setCaption(QStringLiteral("Drives:"));
    Place(Drive1, design.Drive1);
    Drive1.setAccessibleName(QStringLiteral("Drives"));
    Place(Command1, design.Command1);
    Command1.setCaption(QStringLiteral("OK"));
    Command1.setAccessibleName(QStringLiteral("OK"));
    Place(Command2, design.Command2);
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

void FileChooser::Form_Load()
{
    Label4.setCaption(Dir1.Path());
}

void FileChooser::Drive1_Change()
{
    if (m_keeping)
        return;
    Dir1.setPath(Drive1.Drive());
    // Back on the folder list's drive when the drive could not be opened.
    Drive1.followPath(Dir1.Path());
}

void FileChooser::Dir1_Change()
{
    if (m_keeping)
        return;
    if (!File1.setPath(Dir1.Path())) {
        KeepFolder();
        return;
    }
    Text1.setText(File1.List(0));
    Label4.setCaption(Dir1.Path());
    // Into or out of another file system's mount point: the drive list shows where the folder
    // list now is, without running its own change.
    Drive1.followPath(Dir1.Path());
}

void FileChooser::Combo1_Click()
{
    const int i = Combo1.ListIndex();
    Combo1.setText(Combo1.List(i));
    // A folder gone meanwhile: the list keeps its names, so the box shows their pattern again.
    if (!File1.setPattern(Combo1.List(i)))
        Combo1.setText(File1.Pattern());
}

void FileChooser::File1_Click()
{
    Text1.setText(File1.List(File1.ListIndex()));
}

void FileChooser::File1_DblClick()
{
    Text1.setText(File1.List(File1.ListIndex()));
    Command1_Click();
}

void FileChooser::Command2_Click()
{
    Hide();
}

void FileChooser::KeepFolder()
{
    m_keeping = true;
    Dir1.setPath(File1.Path());
    m_keeping = false;
}

} // namespace cellwright
