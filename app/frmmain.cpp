#include "frmmain.h"

#include "app.h"
#include "file_dialogs.h"
#include "frmabout.h"
#include "frmfind_tables.h"
#include "frmhelp.h"
#include "frmopen.h"
#include "frmprint_table.h"
#include "frmsaveas.h"

namespace cellwright {

namespace {
// Light blue.
constexpr OleColor MainBackColor = Rgb(192, 192, 255);
// Dark red.
constexpr OleColor TitleColor = Rgb(128, 0, 0);

// The sample description of three tables the boxes start with.
struct SampleRow {
    const char *firstCell, *rows, *cols;
};
constexpr SampleRow SampleRows[6] = {
    { "StarA", "54", "5" },
    { "StarB", "62", "6" },
    { "Quantity", "15", "7" },
    { "", "", "" },
    { "", "", "" },
    { "", "", "" },
};
} // namespace

frmMain::frmMain(App &app)
    : app(app)
{
    setCaption(QString());
    setBorderStyle(Border::Sizable);
    setBackColor(MainBackColor);
    setClientSize(7020, 5445);
    setAcceptFileDrop(true);

    Label1.Move(240, 120, 5775, 375);
    Label1.setCaption(QStringLiteral("Cellwright  v1.0"));
    Label1.setFont(QStringLiteral("MS Sans Serif"), 18, true);
    Label1.setForeColor(TitleColor);
    Label1.setAlignment(Align::Center);
    // Wider than stored, to the right edge of the "View" column: the substitute font runs wider.
    Label2.Move(240, 600, 6615, 255);
    Label2.setCaption(QStringLiteral("The purpose of this program is to read documents for "
                                     "publication (in text format),"));
    Label3.Move(240, 840, 6615, 255);
    Label3.setCaption(QStringLiteral(
        "convert tables to the standard LaTeX style, and save in the same text format."));

    Command1.Move(480, 1200, 1455, 375);
    Command1.setCaption(QStringLiteral("Open file"));
    Label13.Move(2520, 1200, 1335, 255);
    Label13.setCaption(QStringLiteral("Number of tables"));
    Combo1.Move(3840, 1200, 855, 315);
    Combo1.setAccessibleName(QStringLiteral("Number of tables"));

    Label10.Move(1080, 1680, 2775, 255);
    Label10.setCaption(QStringLiteral("EXACT contents, first box"));
    Label10.setAlignment(Align::Center);
    Label11.Move(4200, 1680, 735, 255);
    Label11.setCaption(QStringLiteral("# Rows"));
    Label11.setAlignment(Align::Center);
    Label12.Move(5280, 1680, 615, 255);
    Label12.setCaption(QStringLiteral("# Cols"));

    for (int k = 0; k < 6; ++k) {
        const Twips top = Twips(2040 + 480 * k);
        const QString table = QStringLiteral("Table %1").arg(k + 1);
        Label4[k].Move(240, top, 615, 255);
        Label4[k].setCaption(table);
        Text1[k].Move(1080, top, 2775, 285);
        Text1[k].setText(QString::fromUtf8(SampleRows[k].firstCell));
        Text1[k].setAccessibleName(table + QStringLiteral(" first cell"));
        Text2[k].Move(4200, top, 735, 285);
        Text2[k].setText(QString::fromUtf8(SampleRows[k].rows));
        Text2[k].setAccessibleName(table + QStringLiteral(" rows"));
        Text3[k].Move(5280, top, 615, 285);
        Text3[k].setText(QString::fromUtf8(SampleRows[k].cols));
        Text3[k].setAccessibleName(table + QStringLiteral(" columns"));
        Command4[k].Move(6120, top, 735, 375);
        Command4[k].setCaption(QStringLiteral("View"));
        Command4[k].setAccessibleName(QStringLiteral("View table %1").arg(k + 1));
    }

    Command2.Move(480, 4920, 1575, 375);
    Command2.setCaption(QStringLiteral("Convert"));
    Command5.Move(2280, 5040, 735, 255);
    Command5.setCaption(QStringLiteral("Reset"));
    Command3.Move(3240, 4920, 1575, 375);
    Command3.setCaption(QStringLiteral("Save File"));
    for (CommandButton *button : { &Command1, &Command2, &Command3, &Command5 })
        button->setAccessibleName(button->Caption());

    for (Label *label : { &Label1, &Label2, &Label3, &Label10, &Label11, &Label12, &Label13 })
        label->setBackColor(MainBackColor);
    for (int k = 0; k < 6; ++k)
        Label4[k].setBackColor(MainBackColor);

    // Down the first-cell column, then the rows column, then the columns column.
    std::vector<Control *> order { &Command1 };
    for (ControlArray<TextBox> *column : { &Text1, &Text2, &Text3 })
        for (int k = 0; k < 6; ++k)
            order.push_back(&(*column)[k]);
    order.insert(order.end(), { &Command2, &Command3, &Combo1 });
    for (int k = 0; k < 6; ++k)
        order.push_back(&Command4[k]);
    order.push_back(&Command5);
    setTabOrder(order);

    Combo1.Click = [this] { Combo1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.on(&CommandButton::Click, [this](int Index) { Command4_Click(Index); });
    Command5.Click = [this] { Command5_Click(); };
    Text1.on(&TextBox::Change, [this](int Index) { Text1_Change(Index); });
    Text2.on(&TextBox::Change, [this](int Index) { Text2_Change(Index); });
    Text3.on(&TextBox::Change, [this](int Index) { Text3_Change(Index); });
    myOpen.Click = [this] { myOpen_Click(); };
    mySave.Click = [this] { mySave_Click(); };
    MyExit.Click = [this] { MyExit_Click(); };
    mEscape.setCheckable(true);
    mFindTables.Click = [this] { mFindTables_Click(); };
    mEscape.Click = [this] { mEscape_Click(); };
    mTabular.setCheckable(true);
    mTabular.Click = [this] { mTabular_Click(); };
    mWhat2Do.Click = [this] { mWhat2Do_Click(); };
    mabout.Click = [this] { mabout_Click(); };
}

void frmMain::Form_Load()
{
    // Touching a dialog loads it, hidden: the open dialog is loaded and set up before the save
    // dialog is loaded, one statement each.
    SetUpFileDialog(*app.frmOpen, true);
    SetUpFileDialog(*app.frmSaveAs);

    for (int k = 0; k < 6; ++k)
        Combo1.setList(k, QString::number(k + 1));
    Combo1.setListIndex(1); // runs Combo1_Click at once
    app.state.TableCount = int16_t(Combo1.ListIndex() + 1);

    for (int t = 1; t <= 6; ++t) {
        ShowRow(t - 1, t <= app.state.TableCount);
        Command4[t - 1].setEnabled(false);
    }
    Command2.setEnabled(false);
    Command3.setEnabled(false);
    Command5.setEnabled(false);
    // Until a document has been read there is nothing to look in.
    mFindTables.setEnabled(false);
}

void frmMain::Form_Unload()
{
    End();
}

void frmMain::Form_FileDrop(const QString &path)
{
    app.OpenDocument(path);
}

void frmMain::ShowRow(int k, bool visible)
{
    Label4[k].setVisible(visible);
    Text1[k].setVisible(visible);
    Text2[k].setVisible(visible);
    Text3[k].setVisible(visible);
    Command4[k].setVisible(visible);
}

void frmMain::Combo1_Click()
{
    app.state.TableCount = int16_t(Combo1.ListIndex() + 1);
    for (int t = 1; t <= 6; ++t)
        ShowRow(t - 1, t <= app.state.TableCount);
}

void frmMain::Command1_Click()
{
    app.frmOpen->Show();
}

void frmMain::Command2_Click()
{
    app.engine.CaptureTableSettings();
    app.engine.ConvertTables();
}

void frmMain::Command3_Click()
{
    app.frmSaveAs->Show();
}

void frmMain::Command4_Click(int Index)
{
    const int t = Index + 1;
    app.state.ViewerHeight = int32_t(app.state.TableRows[t]) * 205;

    // A viewer already open is cleared and takes the new table's height.
    if (class frmPrint_Table *open = app.frmPrint_Table.loaded()) {
        open->Cls();
        open->ApplyViewerHeight();
    }
    class frmPrint_Table &viewer = *app.frmPrint_Table; // created here: its load sets the height
    viewer.Show();
    viewer.ShowTable(t);
}

void frmMain::Command5_Click()
{
    app.engine.ResetConversion();
}

void frmMain::Text1_Change(int Index)
{
    UsedLine[std::size_t(Index)] = 0;
}

void frmMain::Text2_Change(int Index)
{
    UsedLine[std::size_t(Index)] = 0;
}

void frmMain::Text3_Change(int Index)
{
    UsedLine[std::size_t(Index)] = 0;
}

void frmMain::myOpen_Click()
{
    Command1_Click();
}

void frmMain::mySave_Click()
{
    Command3_Click();
}

void frmMain::MyExit_Click()
{
    End();
}

void frmMain::mFindTables_Click()
{
    // A window left open shows the document it was opened on: it looks again.
    if (class frmFind_Tables *open = app.frmFind_Tables.loaded())
        open->Unload();
    app.frmFind_Tables->Show();
}

void frmMain::mEscape_Click()
{
    mEscape.setChecked(!mEscape.Checked());
    // Read by the next conversion; what is converted already stays as written.
    app.state.EscapeSpecialCharacters = mEscape.Checked();
}

void frmMain::mTabular_Click()
{
    mTabular.setChecked(!mTabular.Checked());
    // Read by the next conversion, as escaping is.
    app.state.CompleteTabular = mTabular.Checked();
}

void frmMain::mWhat2Do_Click()
{
    app.frmHelp->Show();
}

void frmMain::mabout_Click()
{
    app.frmAbout->Show();
}

} // namespace cellwright
