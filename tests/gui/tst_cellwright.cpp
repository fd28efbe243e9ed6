// The program through its windows: start-up, the whole road on the worked example with the saved
// bytes compared, the buttons and rows after each operation, the menus, the end of the program,
// and what a screen reader and a keyboard user get.
#include "app_driver.h"
#include "frmabout.h"
#include "frmhelp.h"
#include "frmopen.h"
#include "frmprint_table.h"
#include "frmsaveas.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QtTest>

using namespace cellwright;
using namespace cellwright::test;

namespace {

const QString ReadError = QStringLiteral("Read error of some kind");
const QString Incomplete = QStringLiteral("Hey, you need to complete the boxes!");

// A document with three tables: StarA 3 x 3, StarB 2 x 2, Qty 1 x 2.
QByteArray ThreeTables()
{
    return "Intro\r\nStarA\r\nV\r\nB-V\r\n1\r\n12.3\r\n0.45\r\n2\r\n12.9\r\n0.51\r\n"
           "StarB\r\nX\r\n7\r\n8\r\nQty\r\n5\r\nEnd\r\n";
}

QList<QPair<QString, QByteArray>> Documents()
{
    return { { QStringLiteral("paper.txt"), WorkedExample() },
        { QStringLiteral("tables.txt"), ThreeTables() },
        { QStringLiteral("unix.txt"), ThreeTables().replace("\r\n", "\n") },
        { QStringLiteral("empty.txt"), {} } };
}

// Drops what a file manager would carry onto the main window: file names of the scratch folder
// or addresses, comma-separated.
void Drop(Program &p, const QString &items)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &item : items.split(u','))
        urls << (item.contains(u':') ? QUrl(item) : QUrl::fromLocalFile(p.path(item)));
    data->setUrls(urls);
    QWidget *target = p.main().window();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted())
        QApplication::sendEvent(target, &drop);
    delete data;
}

// Runs one step of a script: "open|NAME", "start|NAME" (named on the command line), "drop|ITEMS",
// "tables|N", "describe|T|FIRST|ROWS|COLS", "convert", "reset".
void RunStep(Program &p, const QString &step)
{
    const QStringList part = step.split(u'|');
    const QString &op = part[0];
    if (op == u"open")
        p.open(part[1]);
    else if (op == u"start")
        p.app().OpenDocument(p.path(part[1]));
    else if (op == u"drop")
        Drop(p, part[1]);
    else if (op == u"tables")
        p.chooseTables(part[1].toInt());
    else if (op == u"describe")
        p.describe(part[1].toInt(), part[2], part[3], part[4]);
    else if (op == u"convert")
        p.convert();
    else if (op == u"reset")
        p.reset();
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
}

int VisibleWindowsTitled(const QString &title)
{
    int count = 0;
    for (const QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title)
            ++count;
    return count;
}

QString AccessibleName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("(no interface)");
}

} // namespace

class TestCellwright : public QObject {
    Q_OBJECT

private slots:
    void init() { m_gui = std::make_unique<GuiFixture>(); }
    void cleanup() { m_gui.reset(); }

    void startUp();
    void openDialogSetUpFirst();
    void wholeRoadOnTheWorkedExample();
    void buttonsAndRowsAfterEachOperation_data();
    void buttonsAndRowsAfterEachOperation();
    void startArguments_data();
    void startArguments();
    void withoutDisplay_data();
    void withoutDisplay();
    void hiddenRowKeepsItsTextsAndIsNotConverted();
    void menusWorkWhileTheButtonsAreDisabled();
    void openFileTwiceKeepsOneDialogAsLeft();
    void closedDialogComesBackInItsDesignState();
    void helpMenuShowsOneWindowEach_data();
    void helpMenuShowsOneWindowEach();
    void endingTheProgramClosesEveryWindow_data();
    void endingTheProgramClosesEveryWindow();
    void screenReaderNames_data();
    void screenReaderNames();
    void menuEntriesAreAnnounced();
    void tabOrder();
    void wholeRoadByKeyboard();

private:
    std::unique_ptr<GuiFixture> m_gui;
};

void TestCellwright::startUp()
{
    Program p;
    frmMain &m = p.main();

    QCOMPARE(p.stateLine(), QStringLiteral("Convert- Save- Reset- View:000000 Rows:2 Title:"));
    QCOMPARE(m.Caption(), QString());
    QCOMPARE(m.Combo1.ListCount(), 6);
    for (int k = 0; k < 6; ++k)
        QCOMPARE(m.Combo1.List(k), QString::number(k + 1));
    QCOMPARE(m.Combo1.ListIndex(), 1);
    QCOMPARE(m.Combo1.Text(), QStringLiteral("2"));
    QCOMPARE(p.app().state.TableCount, int16_t(2));
    // Row 3's sample stays behind the hidden row; rows 4 to 6 start empty.
    QCOMPARE(m.Text1[2].Text(), QStringLiteral("Quantity"));
    QCOMPARE(m.Text2[2].Text(), QStringLiteral("15"));
    QCOMPARE(m.Text3[2].Text(), QStringLiteral("7"));
    QCOMPARE(m.Text1[5].Text(), QString());
    QCOMPARE(m.Label4[5].Caption(), QStringLiteral("Table 6"));
    QCOMPARE(m.Label1.Caption(), QStringLiteral("Cellwright  v1.0"));
    QCOMPARE(m.BackColor(), Rgb(192, 192, 255));
    QCOMPARE(m.Label1.ForeColor(), Rgb(128, 0, 0));
    QVERIFY(m.Label1.FontBold());
    QCOMPARE(m.Label1.FontSize(), 18.0f);
    QCOMPARE(m.ScaleWidth(), 7020.0f);
    QCOMPARE(m.ScaleHeight(), 5445.0f);
    QCOMPARE(m.Command4[5].Top(), 2040.0f + 480 * 5);
    QCOMPARE(m.Command5.Left(), 2280.0f);
    QVERIFY(m.myOpen.Enabled() && m.mySave.Enabled() && m.MyExit.Enabled());

    // Both dialogs exist, hidden, set up with the two types and the folder caption.
    QVERIFY(p.app().frmOpen.IsLoaded() && p.app().frmSaveAs.IsLoaded());
    for (Form *dialog : { static_cast<Form *>(p.app().frmOpen.loaded()),
             static_cast<Form *>(p.app().frmSaveAs.loaded()) })
        QVERIFY(!dialog->Visible());
    QCOMPARE(p.app().frmOpen->Combo1.ListCount(), 3);
    QCOMPARE(p.app().frmOpen->Combo1.Text(), QStringLiteral("*.txt"));
    QCOMPARE(p.app().frmSaveAs->Combo1.List(1), QStringLiteral("*.*"));
    QCOMPARE(p.app().frmOpen->Label4.Caption(), p.folder().path());
    QCOMPARE(p.app().frmSaveAs->Label4.Caption(), p.folder().path());
    QVERIFY(!p.app().frmPrint_Table.IsLoaded());
    QVERIFY(m_gui->messages().isEmpty());
}

void TestCellwright::openDialogSetUpFirst()
{
    // Each dialog reports a start folder that is gone while it is set up, by its name: the open
    // dialog first.
    ScratchFolder scratch;
    const QString previous = QDir::currentPath();
    const QString gone = QFileInfo(scratch.mkdir("gone")).canonicalFilePath();
    QVERIFY(QDir::setCurrent(gone) && QDir().rmdir(gone));
    std::unique_ptr<App> app;
    QStringList shown;
    m_gui->toolkit().setMsgBoxAnswerer([&](const QString &text) {
        shown.append((app->frmSaveAs.IsLoaded() ? "save loaded: " : "") + text);
    });
    app = std::make_unique<App>();
    app->Start();
    QDir::setCurrent(previous);
    const QString report = "Cannot open folder " + gone + ": No such file or directory";
    QCOMPARE(shown,
        (QStringList { report, report, "save loaded: " + report, "save loaded: " + report }));
    // The folder caption names it too.
    QCOMPARE(app->frmOpen->Label4.Caption(), gone);
}

void TestCellwright::wholeRoadOnTheWorkedExample()
{
    Program p(Documents());
    frmMain &m = p.main();

    QVERIFY(p.openByList(QStringLiteral("paper.txt")));
    QVERIFY(!p.app().frmOpen->Visible());
    QCOMPARE(m.Caption(), QStringLiteral("paper.txt"));

    p.chooseTables(1);
    p.describe(1, QStringLiteral("StarA"), QStringLiteral("3"), QStringLiteral("3"));
    p.convert();
    QCOMPARE(
        p.stateLine(), QStringLiteral("Convert- Save+ Reset+ View:100000 Rows:1 Title:paper.txt"));

    p.view(1);
    frmPrint_Table &viewer = *p.app().frmPrint_Table;
    QVERIFY(viewer.Visible());
    QCOMPARE(viewer.Caption(), QStringLiteral("Table  1"));
    QCOMPARE(viewer.Height(), 615.0f);
    const QStringList rows { QStringLiteral("StarA&V&B-V\\\\"), QStringLiteral("1&12.3&0.45\\\\"),
        QStringLiteral("2&12.9&0.51\\\\") };
    QCOMPARE(viewer.PrintedLines(), rows);

    p.save(QStringLiteral("paper.tex"));
    QVERIFY(!p.app().frmSaveAs->Visible());
    QCOMPARE(p.read(QStringLiteral("paper.tex")), WorkedExampleConverted());

    p.reset();
    QCOMPARE(
        p.stateLine(), QStringLiteral("Convert+ Save- Reset- View:000000 Rows:1 Title:paper.txt"));
    p.save(QStringLiteral("as-read.txt"), true);
    QCOMPARE(p.read(QStringLiteral("as-read.txt")), WorkedExample());

    p.convert();
    p.save(QStringLiteral("again.tex"));
    QCOMPARE(p.read(QStringLiteral("again.tex")), WorkedExampleConverted());
    QVERIFY(m_gui->messages().isEmpty());
}

void TestCellwright::buttonsAndRowsAfterEachOperation_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("messages");

    const QString paper = QStringLiteral("Title:paper.txt");
    QTest::newRow("start-up") << QStringList {} << "Convert- Save- Reset- View:000000 Rows:2 Title:"
                              << QStringList {};
    QTest::newRow("same number chosen again")
        << QStringList { "tables|2" }
        << "Convert- Save- Reset- View:000000 Rows:2 Title:" << QStringList {};
    QTest::newRow("six tables") << QStringList { "tables|6" }
                                << "Convert- Save- Reset- View:000000 Rows:6 Title:"
                                << QStringList {};
    QTest::newRow("read") << QStringList { "open|paper.txt" }
                          << "Convert+ Save- Reset- View:000000 Rows:2 " + paper << QStringList {};
    QTest::newRow("failed read at start")
        << QStringList { "open|missing.txt" }
        << "Convert- Save- Reset- View:000000 Rows:2 Title:" << QStringList { ReadError };
    QTest::newRow("empty file") << QStringList { "open|empty.txt" }
                                << "Convert- Save- Reset- View:000000 Rows:2 Title:"
                                << QStringList { ReadError };
    QTest::newRow("failed read keeps the document")
        << QStringList { "open|paper.txt", "open|missing.txt" }
        << "Convert+ Save- Reset- View:000000 Rows:2 " + paper << QStringList { ReadError };
    QTest::newRow("convert one table")
        << QStringList { "open|paper.txt", "tables|1", "describe|1|StarA|3|3", "convert" }
        << "Convert- Save+ Reset+ View:100000 Rows:1 " + paper << QStringList {};
    QTest::newRow("convert two tables")
        << QStringList { "open|tables.txt", "describe|1|StarA|3|3", "describe|2|StarB|2|2",
               "convert" }
        << "Convert- Save+ Reset+ View:110000 Rows:2 Title:tables.txt" << QStringList {};
    QTest::newRow("a table not found still gets its View")
        << QStringList { "open|paper.txt", "describe|1|StarA|3|3", "describe|2|Nowhere|2|2",
               "convert" }
        << "Convert- Save+ Reset+ View:110000 Rows:2 " + paper << QStringList {};
    QTest::newRow("refused: a first box empty")
        << QStringList { "open|paper.txt", "describe|1|StarA|3|3", "describe|2||2|2", "convert" }
        << "Convert+ Save- Reset- View:000000 Rows:2 " + paper << QStringList { Incomplete };
    QTest::newRow("refused: rows below one")
        << QStringList { "open|paper.txt", "tables|1", "describe|1|StarA|0.6|3", "convert" }
        << "Convert+ Save- Reset- View:000000 Rows:1 " + paper << QStringList { Incomplete };
    QTest::newRow("refused: too large")
        << QStringList { "open|paper.txt", "tables|1", "describe|1|StarA|300|300", "convert" }
        << "Convert+ Save- Reset- View:000000 Rows:1 " + paper
        << QStringList { QStringLiteral(
               "Table 1 is too large: rows \u00d7 columns must not exceed 32767.") };
    QTest::newRow("refused: does not fit")
        << QStringList { "open|paper.txt", "tables|1", "describe|1|StarA|5|3", "convert" }
        << "Convert+ Save- Reset- View:000000 Rows:1 " + paper
        << QStringList { QStringLiteral("Table 1 does not fit: 5 rows \u00d7 3 columns from line "
                                        "3 run past the end of the document.") };
    QTest::newRow("read after a conversion")
        << QStringList { "open|paper.txt", "tables|1", "describe|1|StarA|3|3", "convert",
               "open|tables.txt" }
        << "Convert+ Save+ Reset+ View:100000 Rows:1 Title:tables.txt" << QStringList {};
    QTest::newRow("failed read after a conversion")
        << QStringList { "open|paper.txt", "tables|1", "describe|1|StarA|3|3", "convert",
               "open|missing.txt" }
        << "Convert- Save+ Reset+ View:100000 Rows:1 " + paper << QStringList { ReadError };
    QTest::newRow("reset") << QStringList { "open|paper.txt", "tables|1", "describe|1|StarA|3|3",
        "convert", "reset" }
                           << "Convert+ Save- Reset- View:000000 Rows:1 " + paper << QStringList {};
    QTest::newRow("three after converting two")
        << QStringList { "open|tables.txt", "describe|1|StarA|3|3", "describe|2|StarB|2|2",
               "convert", "tables|3" }
        << "Convert- Save+ Reset+ View:110000 Rows:3 Title:tables.txt" << QStringList {};
    QTest::newRow("three then one after converting two")
        << QStringList { "open|tables.txt", "describe|1|StarA|3|3", "describe|2|StarB|2|2",
               "convert", "tables|3", "tables|1" }
        << "Convert- Save+ Reset+ View:110000 Rows:1 Title:tables.txt" << QStringList {};
    QTest::newRow("refused: does not fit, line as read")
        << QStringList { "open|tables.txt", "describe|1|StarA|3|3", "describe|2|StarB|4|2",
               "convert" }
        << "Convert+ Save- Reset- View:000000 Rows:2 Title:tables.txt"
        << QStringList { QStringLiteral("Table 2 does not fit: 4 rows \u00d7 2 columns from line "
                                        "11 run past the end of the document.") };
    QTest::newRow("LF document converted")
        << QStringList { "open|unix.txt", "describe|1|StarA|3|3", "describe|2|StarB|2|2",
               "convert" }
        << "Convert- Save+ Reset+ View:110000 Rows:2 Title:unix.txt" << QStringList {};
    QTest::newRow("started with a document")
        << QStringList { "start|unix.txt" }
        << "Convert+ Save- Reset- View:000000 Rows:2 Title:unix.txt" << QStringList {};
    QTest::newRow("started with an unreadable document")
        << QStringList { "start|missing.txt" }
        << "Convert- Save- Reset- View:000000 Rows:2 Title:" << QStringList { ReadError };
    QTest::newRow("a file dropped")
        << QStringList { "drop|paper.txt" } << "Convert+ Save- Reset- View:000000 Rows:2 " + paper
        << QStringList {};
    QTest::newRow("an unreadable file dropped")
        << QStringList { "open|paper.txt", "drop|empty.txt" }
        << "Convert+ Save- Reset- View:000000 Rows:2 " + paper << QStringList { ReadError };
    QTest::newRow("two files dropped: ignored")
        << QStringList { "drop|paper.txt,tables.txt" }
        << "Convert- Save- Reset- View:000000 Rows:2 Title:" << QStringList {};
    QTest::newRow("a web address dropped: ignored")
        << QStringList { "drop|https://example.org/paper.txt" }
        << "Convert- Save- Reset- View:000000 Rows:2 Title:" << QStringList {};
    QTest::newRow("reset after lowering three to two")
        << QStringList { "open|tables.txt", "tables|3", "describe|1|StarA|3|3",
               "describe|2|StarB|2|2", "describe|3|Qty|1|2", "convert", "tables|2", "reset" }
        << "Convert+ Save- Reset- View:001000 Rows:2 Title:tables.txt" << QStringList {};
}

void TestCellwright::buttonsAndRowsAfterEachOperation()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, state);
    QFETCH(QStringList, messages);

    Program p(Documents());
    std::vector<std::u16string> before;
    for (const QString &step : steps) {
        const ConversionState &s = p.app().state;
        before.assign(s.WorkLines.begin(), s.WorkLines.begin() + s.WorkLineCount + 1);
        RunStep(p, step);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(p.stateLine(), state);
    QCOMPARE(m_gui->messages(), messages);
    QVERIFY(!p.app().frmOpen->Visible());
    // A refused or failed last step leaves the working document as it was.
    if (!messages.isEmpty()) {
        const ConversionState &s = p.app().state;
        QCOMPARE(std::size_t(s.WorkLineCount) + 1, before.size());
        QVERIFY(std::equal(before.begin(), before.end(), s.WorkLines.begin()));
    }
}

void TestCellwright::startArguments_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("action");

    const int run = int(StartArguments::Action::Run);
    QTest::newRow("none") << QStringList {} << QString() << QString() << run;
    QTest::newRow("one document") << QStringList { "paper.txt" } << "paper.txt" << QString() << run;
    QTest::newRow("two documents")
        << QStringList { "a.txt", "b.txt" } << QString() << "one document at most, 2 given" << run;
    QTest::newRow("an option") << QStringList { "--fast" } << QString() << "unknown option '--fast'"
                               << run;
    QTest::newRow("an option after the document")
        << QStringList { "paper.txt", "-x" } << QString() << "unknown option '-x'" << run;
    QTest::newRow("help after the document") << QStringList { "paper.txt", "-h" } << QString()
                                             << QString() << int(StartArguments::Action::Help);
    QTest::newRow("version before a bad option") << QStringList { "--version",
        "-x" } << QString() << QString() << int(StartArguments::Action::Version);
    QTest::newRow("Qt's own options passed over")
        << QStringList { "-platform", "offscreen", "paper.txt", "-reverse", "--style", "Fusion" }
        << "paper.txt" << QString() << run;
}

void TestCellwright::startArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, document);
    QFETCH(QString, error);
    QFETCH(int, action);

    const StartArguments start = ParseStartArguments(QStringList { "cellwright" } + arguments);
    QCOMPARE(start.document, document);
    QCOMPARE(start.error, error);
    QCOMPARE(int(start.action), action);
}

void TestCellwright::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out"); // the start of standard output
    QTest::addColumn<QByteArray>("err"); // the start of standard error
    QTest::addColumn<int>("lines"); // on standard error

    QTest::newRow("--help") << QStringList { "--help" } << 0
                            << QByteArray("Usage: cellwright [FILE]\n") << QByteArray() << 0;
    QTest::newRow("--version") << QStringList { "--version" } << 0
                               << QByteArray("cellwright (Cellwright) ") << QByteArray() << 0;
    QTest::newRow("a bad option") << QStringList { "--fast" } << 2 << QByteArray()
                                  << QByteArray("cellwright: unknown option '--fast'\n") << 2;
    QTest::newRow("a document, no display")
        << QStringList { "paper.txt" } << 1 << QByteArray()
        << QByteArray("cellwright: no display to show the window on") << 1;
}

// The program itself, with no X or Wayland display in its environment: Qt would abort it.
void TestCellwright::withoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, lines);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(name);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(CELLWRIGHT_PROGRAM, arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    const QByteArray printed = process.readAllStandardOutput();
    const QByteArray complained = process.readAllStandardError();
    QVERIFY2(printed.startsWith(out) && (!out.isEmpty() || printed.isEmpty()), printed);
    QVERIFY2(complained.startsWith(err), complained);
    QCOMPARE(complained.count('\n'), qsizetype(lines));
}

void TestCellwright::hiddenRowKeepsItsTextsAndIsNotConverted()
{
    Program p(Documents());
    p.open(QStringLiteral("tables.txt"));
    p.chooseTables(3);
    p.describe(3, QStringLiteral("Qty"), QStringLiteral("1"), QStringLiteral("2"));
    p.chooseTables(2);
    p.chooseTables(3);
    QCOMPARE(p.main().Text1[2].Text(), QStringLiteral("Qty"));
    QCOMPARE(p.main().Text3[2].Text(), QStringLiteral("2"));

    // Hidden again, row 3 is not read: with an empty first box it would refuse the conversion.
    p.describe(1, QStringLiteral("StarA"), QStringLiteral("3"), QStringLiteral("3"));
    p.describe(2, QStringLiteral("StarB"), QStringLiteral("2"), QStringLiteral("2"));
    p.describe(3, QString(), QStringLiteral("1"), QStringLiteral("2"));
    p.chooseTables(2);
    p.convert();
    QVERIFY(m_gui->messages().isEmpty());
    p.save(QStringLiteral("out.tex"));
    QCOMPARE(p.read(QStringLiteral("out.tex")),
        QByteArray("Intro\r\nStarA&V&B-V\\\\\r\n1&12.3&0.45\\\\\r\n2&12.9&0.51\\\\\r\n"
                   "StarB&X\\\\\r\n7&8\\\\\r\nQty\r\n5\r\nEnd\r\n"));
}

void TestCellwright::menusWorkWhileTheButtonsAreDisabled()
{
    Program p(Documents());
    frmMain &m = p.main();

    // Before any document: "Save ..." writes the empty working document.
    QVERIFY(!m.Command3.Enabled());
    p.save(QStringLiteral("nothing.txt"), true);
    QVERIFY(QFileInfo::exists(p.path(QStringLiteral("nothing.txt"))));
    QCOMPARE(p.read(QStringLiteral("nothing.txt")), QByteArray());

    chooseMenu(m.myFile, m.myOpen);
    frmOpen &dialog = *p.app().frmOpen;
    QVERIFY(dialog.Visible());
    clearByKeyboard(dialog.Text1);
    typeInto(dialog.Text1, QStringLiteral("paper.txt"));
    click(dialog.Command1);
    QCOMPARE(m.Caption(), QStringLiteral("paper.txt"));

    // Read but not converted: the document is saved as read, with CR LF.
    QVERIFY(!m.Command3.Enabled());
    p.save(QStringLiteral("copy.txt"), true);
    QCOMPARE(p.read(QStringLiteral("copy.txt")), WorkedExample());
    QVERIFY(m_gui->messages().isEmpty());
}

void TestCellwright::openFileTwiceKeepsOneDialogAsLeft()
{
    Program p(Documents());
    click(p.main().Command1);
    frmOpen *first = &*p.app().frmOpen;
    clearByKeyboard(first->Text1);
    typeInto(first->Text1, QStringLiteral("typed.txt"));
    click(p.main().Command1);
    QCOMPARE(&*p.app().frmOpen, first);
    QVERIFY(first->Visible());
    QCOMPARE(first->Text1.Text(), QStringLiteral("typed.txt"));
    QCOMPARE(VisibleWindowsTitled(first->Caption()), 1);
}

void TestCellwright::closedDialogComesBackInItsDesignState()
{
    Program p(Documents());
    click(p.main().Command1);
    QVERIFY(showAndWait(*p.app().frmOpen));
    clearByKeyboard(p.app().frmOpen->Text1);
    typeInto(p.app().frmOpen->Text1, QStringLiteral("typed.txt"));
    closeByCloseBox(*p.app().frmOpen);
    QVERIFY(!p.app().frmOpen.IsLoaded());
    QCoreApplication::processEvents();

    click(p.main().Command1);
    frmOpen &dialog = *p.app().frmOpen;
    QVERIFY(dialog.Visible());
    // Without the type entries that start-up gave the first one, and without the typed name.
    QCOMPARE(dialog.Combo1.ListCount(), 0);
    QCOMPARE(dialog.Text1.Text(), QStringLiteral("location.dat"));
}

void TestCellwright::helpMenuShowsOneWindowEach_data()
{
    QTest::addColumn<bool>("help");
    QTest::newRow("What to Do") << true;
    QTest::newRow("About") << false;
}

void TestCellwright::helpMenuShowsOneWindowEach()
{
    QFETCH(bool, help);
    Program p;
    frmMain &m = p.main();
    Menu &entry = help ? m.mWhat2Do : m.mabout;
    const auto form = [&]() -> Form * {
        return help ? static_cast<Form *>(p.app().frmHelp.loaded())
                    : static_cast<Form *>(p.app().frmAbout.loaded());
    };

    QVERIFY(!form());
    chooseMenu(m.mHelp, entry);
    Form *shown = form();
    QVERIFY(shown && shown->Visible());
    if (platformHasWindowManager())
        waitForFrame(*shown);
    const QString caption = shown->Caption();
    const QRect geometry = shown->window()->geometry();
    const QStringList texts = [&] {
        QStringList list;
        if (help)
            for (int k = 1; k <= 5; ++k)
                list << QString::number(p.app().frmHelp->Label1[k].Top());
        return list;
    }();

    chooseMenu(m.mHelp, entry);
    QCOMPARE(form(), shown);
    QVERIFY(shown->Visible());
    QCOMPARE(shown->window()->geometry(), geometry);
    QCOMPARE(VisibleWindowsTitled(caption), 1);
    if (help) {
        QStringList after;
        for (int k = 1; k <= 5; ++k)
            after << QString::number(p.app().frmHelp->Label1[k].Top());
        QCOMPARE(after, texts);
        QCOMPARE(p.app().helpParagraphs.HelpParagraphCount, int16_t(5));
    }
}

void TestCellwright::endingTheProgramClosesEveryWindow_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Exit") << true;
    QTest::newRow("close box of the main window") << false;
}

void TestCellwright::endingTheProgramClosesEveryWindow()
{
    QFETCH(bool, byMenu);
    Program p(Documents());
    frmMain &m = p.main();
    p.open(QStringLiteral("paper.txt"));
    p.chooseTables(1);
    p.describe(1, QStringLiteral("StarA"), QStringLiteral("3"), QStringLiteral("3"));
    p.convert();
    p.view(1);
    click(m.Command3);
    chooseMenu(m.mHelp, m.mabout);
    QVERIFY(p.app().frmPrint_Table->Visible());
    QVERIFY(p.app().frmSaveAs->Visible());
    QVERIFY(p.app().frmAbout->Visible());

    if (byMenu)
        chooseMenu(m.myFile, m.MyExit);
    else
        closeByCloseBox(m);

    QVERIFY(m_gui->toolkit().ended());
    for (const QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
    // Nothing runs any more and nothing was written.
    click(m.Command1);
    QVERIFY(m_gui->messages().isEmpty());
    QCOMPARE(QDir(p.folder().path()).entryList(QDir::Files).size(), Documents().size());
}

void TestCellwright::screenReaderNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("Command1") << "Command1"
                              << "Open file";
    QTest::newRow("Combo1") << "Combo1"
                            << "Number of tables";
    QTest::newRow("Command2") << "Command2"
                              << "Convert";
    QTest::newRow("Command3") << "Command3"
                              << "Save File";
    QTest::newRow("Command5") << "Command5"
                              << "Reset";
    for (int k = 0; k < 6; ++k) {
        const QString table = QStringLiteral("Table %1").arg(k + 1);
        QTest::addRow("Text1(%d)", k) << QStringLiteral("Text1 %1").arg(k) << table + " first cell";
        QTest::addRow("Text2(%d)", k) << QStringLiteral("Text2 %1").arg(k) << table + " rows";
        QTest::addRow("Text3(%d)", k) << QStringLiteral("Text3 %1").arg(k) << table + " columns";
        QTest::addRow("Command4(%d)", k)
            << QStringLiteral("Command4 %1").arg(k) << QStringLiteral("View table %1").arg(k + 1);
    }
}

void TestCellwright::screenReaderNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    Program p;
    frmMain &m = p.main();
    m.Combo1.setListIndex(5); // every row shown
    const QStringList part = control.split(u' ');
    const int k = part.size() > 1 ? part[1].toInt() : 0;
    Control *c = &m.Command4[k];
    if (part[0] == u"Command1")
        c = &m.Command1;
    else if (part[0] == u"Combo1")
        c = &m.Combo1;
    else if (part[0] == u"Command2")
        c = &m.Command2;
    else if (part[0] == u"Command3")
        c = &m.Command3;
    else if (part[0] == u"Command5")
        c = &m.Command5;
    else if (part[0] == u"Text1")
        c = &m.Text1[k];
    else if (part[0] == u"Text2")
        c = &m.Text2[k];
    else if (part[0] == u"Text3")
        c = &m.Text3[k];
    QCOMPARE(AccessibleName(c->widget()), name);
}

void TestCellwright::menuEntriesAreAnnounced()
{
    Program p;
    frmMain &m = p.main();
    QAccessibleInterface *bar
        = QAccessible::queryAccessibleInterface(m.window()->findChild<QMenuBar *>());
    QVERIFY(bar);
    QStringList titles;
    for (int i = 0; i < bar->childCount(); ++i)
        titles << bar->child(i)->text(QAccessible::Name);
    QCOMPARE(titles, (QStringList { "File", "Tables", "Help" }));

    const auto entries = [](Menu &title) {
        QStringList names;
        QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(title.menu());
        for (int i = 0; menu && i < menu->childCount(); ++i)
            if (menu->child(i)->role() != QAccessible::Separator)
                names << menu->child(i)->text(QAccessible::Name);
        return names;
    };
    QCOMPARE(entries(m.myFile), (QStringList { "Open ...", "Save ...", "Exit" }));
    QCOMPARE(entries(m.mTables),
        (QStringList {
            "Find Tables ...", "Escape Special Characters", "Complete Tabular Environments" }));
    QCOMPARE(entries(m.mHelp), (QStringList { "What to Do", "About" }));
}

void TestCellwright::tabOrder()
{
    Program p(Documents());
    frmMain &m = p.main();
    p.open(QStringLiteral("paper.txt"));
    m.Combo1.setListIndex(2);
    QApplication::setActiveWindow(m.window());
    m.Command1.SetFocus();

    // Down each column of boxes, then Convert, the selector, the View buttons; disabled Save
    // File, Reset and View buttons are skipped.
    std::vector<Control *> expected { &m.Command1 };
    for (ControlArray<TextBox> *column : { &m.Text1, &m.Text2, &m.Text3 })
        for (int k = 0; k < 3; ++k)
            expected.push_back(&(*column)[k]);
    expected.push_back(&m.Command2);
    expected.push_back(&m.Combo1);
    expected.push_back(&m.Command1);

    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(
            AccessibleName(QApplication::focusWidget()), AccessibleName(expected[i]->widget()));
    }
}

void TestCellwright::wholeRoadByKeyboard()
{
    Program p(Documents());
    frmMain &m = p.main();
    const auto tabTo = [](QWidget *target) {
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget() == target;
    };
    const auto activate = [](Form &form) {
        QApplication::setActiveWindow(form.window());
        return QTest::qWaitForWindowActive(form.window());
    };

    QVERIFY(activate(m));
    m.Command1.SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    frmOpen &open = *p.app().frmOpen;
    QVERIFY(open.Visible());
    QVERIFY(activate(open));
    QVERIFY(tabTo(open.Text1.widget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("paper.txt"));
    QVERIFY(tabTo(open.Command1.widget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m.Caption(), QStringLiteral("paper.txt"));

    QVERIFY(activate(m));
    QVERIFY(tabTo(m.Combo1.widget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(
        p.stateLine(), QStringLiteral("Convert+ Save- Reset- View:000000 Rows:1 Title:paper.txt"));
    const QString texts[] = { "StarA", "3", "3" };
    TextBox *boxes[] = { &m.Text1[0], &m.Text2[0], &m.Text3[0] };
    for (int i = 0; i < 3; ++i) {
        QVERIFY(tabTo(boxes[i]->widget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), texts[i]);
    }
    QVERIFY(tabTo(m.Command2.widget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(tabTo(m.Command4[0].widget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(p.app().frmPrint_Table->PrintedLines().size(), 3);

    // The File menu from the keyboard: Alt reaches the menu bar, Down opens "File" and moves
    // to "Save ...".
    QVERIFY(activate(m));
    auto *bar = m.window()->findChild<QMenuBar *>();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
    QTRY_VERIFY(bar->activeAction() == m.myFile.action());
    QTest::keyClick(bar, Qt::Key_Down);
    QTRY_VERIFY(m.myFile.menu()->isVisible());
    for (int i = 0; i < 4 && m.myFile.menu()->activeAction() != m.mySave.action(); ++i)
        QTest::keyClick(m.myFile.menu(), Qt::Key_Down);
    QCOMPARE(m.myFile.menu()->activeAction(), m.mySave.action());
    QTest::keyClick(m.myFile.menu(), Qt::Key_Return);
    frmSaveAs &save = *p.app().frmSaveAs;
    QVERIFY(save.Visible());
    QVERIFY(activate(save));
    QVERIFY(tabTo(save.Text1.widget()));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("paper.tex"));
    QVERIFY(tabTo(save.Command1.widget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(p.read(QStringLiteral("paper.tex")), WorkedExampleConverted());
    QVERIFY(m_gui->messages().isEmpty());
}

QTEST_MAIN(TestCellwright)
#include "tst_cellwright.moc"
