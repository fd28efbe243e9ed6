// The "Tables" menu and the finder's window through real widgets: the menu entry's enabled
// state, ticking and "Use" filling the main window's boxes, "Close", the refusals of "Use", an
// entry's size put right in the Rows and Columns boxes, the preview's first and last rows, "Add",
// entries as check boxes for assistive technology, and the escape check mark changing what
// "Convert" writes and the viewer shows.
#include "app_driver.h"
#include "frmfind_tables.h"
#include "frmprint_table.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QtTest>

using namespace cellwright;
using namespace cellwright::test;

namespace {

const QByteArray Prose = "The measurements below were taken on three clear nights at the "
                         "observatory, with the same telescope and the same filters.\n";

// A table as cell lines, a header row of `cols` words then numbered rows.
QByteArray Table(const QByteArray &first, int rows, int cols, const QByteArray &cell = "12.5")
{
    QByteArray d = first + "\n";
    for (int c = 2; c <= cols; ++c)
        d += "Band " + QByteArray::number(c) + "\n";
    for (int r = 2; r <= rows; ++r) {
        d += QByteArray::number(r - 1) + "\n";
        for (int c = 2; c <= cols; ++c)
            d += cell + "\n";
    }
    return d;
}

QByteArray Document(const QList<QByteArray> &tables)
{
    QByteArray d = "Results\n" + Prose;
    for (const QByteArray &t : tables)
        d += t + Prose;
    return d;
}

// Two tables, the second holding a LaTeX special character.
QByteArray TwoTables()
{
    return Document({ Table("Night", 4, 3), Table("Cost", 3, 2, "R&D") });
}

// The size of each proposal as "FIRST:ROWSxCOLS", in list order.
QStringList Proposed(const frmFind_Tables &find)
{
    QStringList list;
    for (const TableProposal &p : find.Proposals())
        list << QStringLiteral("%1:%2x%3")
                    .arg(QString::fromStdU16String(p.FirstCell))
                    .arg(p.Rows)
                    .arg(p.Cols);
    return list;
}

QStringList Boxes(frmMain &m)
{
    QStringList rows;
    for (int k = 0; k <= m.Combo1.ListIndex(); ++k)
        rows << m.Text1[k].Text() + ":" + m.Text2[k].Text() + "x" + m.Text3[k].Text();
    return rows;
}

// Empties the box and types text into it, as the user puts a number right.
void retype(TextBox &box, const QString &text)
{
    clearByKeyboard(box);
    typeInto(box, text);
}

QStringList column(const Grid &grid, int c)
{
    QStringList cells;
    for (int r = 0; r < grid.Rows(); ++r)
        cells << grid.TextMatrix(r, c);
    return cells;
}

QStringList rowLabels(const Grid &grid)
{
    QStringList labels;
    for (int r = 0; r < grid.Rows(); ++r)
        labels << grid.RowLabel(r);
    return labels;
}

frmFind_Tables &OpenFinder(Program &p)
{
    chooseMenu(p.main().mTables, p.main().mFindTables);
    return *p.app().frmFind_Tables;
}

} // namespace

class TestFrmFindTables : public QObject {
    Q_OBJECT

private slots:
    void init() { m_gui = std::make_unique<GuiFixture>(); }
    void cleanup() { m_gui.reset(); }

    void findTablesNeedsADocument();
    void useFillsTheBoxesInDocumentOrder();
    void fillsNothing_data();
    void fillsNothing();
    void usedRowsConvertAtTheirLines();
    void wordDocumentTablesExactly();
    void tabularEntryWritesWholeEnvironments();
    void rowsAndColumnsPutAnEntryRight();
    void previewShowsFirstAndLastRows_data();
    void previewShowsFirstAndLastRows();
    void addListsTheTableAtALine_data();
    void addListsTheTableAtALine();
    void addTakesTheFindersSizeAtTheLine();
    void entriesAreCheckBoxesToAssistiveTechnology();
    void escapeEntryChangesWhatConvertWrites();

private:
    std::unique_ptr<GuiFixture> m_gui;
};

void TestFrmFindTables::findTablesNeedsADocument()
{
    Program p({ { "paper.txt", TwoTables() } });
    frmMain &m = p.main();
    QVERIFY(!m.mFindTables.Enabled());
    p.open(QStringLiteral("missing.txt"));
    QVERIFY(!m.mFindTables.Enabled());
    p.open(QStringLiteral("paper.txt"));
    QVERIFY(m.mFindTables.Enabled());
    QVERIFY(m.mEscape.Checkable() && !m.mEscape.Checked());
}

void TestFrmFindTables::useFillsTheBoxesInDocumentOrder()
{
    Program p({ { "paper.txt", TwoTables() } });
    frmMain &m = p.main();
    p.open(QStringLiteral("paper.txt"));
    frmFind_Tables &find = OpenFinder(p);
    QVERIFY(find.Visible());
    QCOMPARE(Proposed(find), (QStringList { "Night:4x3", "Cost:3x2" }));
    QCOMPARE(find.tablesList.ListCount(), 2);
    // Only the table with "R&D" in its cells is marked.
    QVERIFY(!find.tablesList.List(0).startsWith(QChar(0x26a0)));
    QVERIFY(find.tablesList.List(1).startsWith(QChar(0x26a0)));
    QVERIFY(find.tablesList.List(1).contains(QRegularExpression(
        QStringLiteral("^\u26a0 Line 16, 3 \u00d7 2 \\((likely|check the size)\\): Cost$"))));

    clickItem(find.tablesList, 1);
    QCOMPARE(find.previewGrid.Rows(), 3);
    QCOMPARE(find.previewGrid.Cols(), 2);
    QCOMPARE(find.previewGrid.TextMatrix(2, 1), QStringLiteral("R&D"));
    for (const auto &[widget, name] : { std::pair { find.tablesList.widget(), "Tables found" },
             { find.useButton.widget(), "Use" }, { find.closeButton.widget(), "Close" },
             { find.rowsBox.widget(), "Rows" }, { find.columnsBox.widget(), "Columns" },
             { find.lineBox.widget(), "Line" }, { find.addButton.widget(), "Add" } })
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
            QString::fromUtf8(name));

    tickItem(find.tablesList, 1);
    tickItem(find.tablesList, 0);
    QVERIFY(find.tablesList.Selected(0) && find.tablesList.Selected(1));
    if (platformHasWindowManager())
        QVERIFY(!saveScreenshot(find, QStringLiteral("find-tables")).isEmpty());
    click(find.useButton);
    QVERIFY(!p.app().frmFind_Tables.IsLoaded());
    QCOMPARE(Boxes(m), (QStringList { "Night:4x3", "Cost:3x2" }));
    QCOMPARE(
        p.stateLine(), QStringLiteral("Convert+ Save- Reset- View:000000 Rows:2 Title:paper.txt"));
    QVERIFY(m_gui->messages().isEmpty());
    p.convert();
    QCOMPARE(p.app().state.WorkLines[3], std::u16string(u"Night&Band 2&Band 3\\\\"));
}

void TestFrmFindTables::fillsNothing_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("use"); // "Use", else "Close"
    QTest::addColumn<QStringList>("messages");

    QList<QByteArray> seven;
    for (int t = 1; t <= 7; ++t)
        seven << Table("Star" + QByteArray::number(t), 3, 2);
    QTest::newRow("Close") << TwoTables() << false << QStringList {};
    QTest::newRow("seven ticked")
        << Document(seven) << true
        << QStringList {
               "7 tables are ticked, but the main window has boxes for six at most. Untick some "
               "and press \"Use\" again."
           };
}

void TestFrmFindTables::usedRowsConvertAtTheirLines()
{
    // One first cell, two sizes: each row converts at its own line until a box of it is edited.
    Program p({ { "paper.txt", Document({ Table("Star", 3, 2), Table("Star", 4, 3) }) } });
    p.open(QStringLiteral("paper.txt"));
    frmFind_Tables &find = OpenFinder(p);
    tickItem(find.tablesList, 0);
    tickItem(find.tablesList, 1);
    click(find.useButton);
    QVERIFY(m_gui->messages().isEmpty());
    p.convert();
    const auto &work = p.app().state.WorkLines;
    QCOMPARE(work[3], std::u16string(u"Star&Band 2\\\\"));
    QCOMPARE(work[7], std::u16string(u"Star&Band 2&Band 3\\\\"));

    p.reset();
    typeInto(p.main().Text1[0], QStringLiteral(" "));
    p.convert();
    // Described again: every block starting "Star" as three rows of two; the second row's line
    // is no line of its own any more.
    QCOMPARE(work[7], std::u16string(u"Star&Band 2\\\\"));
    QCOMPARE(work[8], std::u16string(u"Band 3&1\\\\"));
}

void TestFrmFindTables::fillsNothing()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, use);
    QFETCH(QStringList, messages);
    Program p({ { "paper.txt", document } });
    p.open(QStringLiteral("paper.txt"));
    const QStringList before = Boxes(p.main());
    frmFind_Tables &find = OpenFinder(p);
    for (int i = 0; i < find.tablesList.ListCount(); ++i)
        tickItem(find.tablesList, i);
    click(use ? find.useButton : find.closeButton);
    QCOMPARE(m_gui->messages(), messages);
    // A refusal leaves the window open with its ticks; "Close" closes it.
    QCOMPARE(p.app().frmFind_Tables.IsLoaded(), use);
    QCOMPARE(Boxes(p.main()), before);
}

void TestFrmFindTables::escapeEntryChangesWhatConvertWrites()
{
    Program p({ { "paper.txt", Document({ Table("Cost", 2, 2, "50%") }) } });
    frmMain &m = p.main();
    p.open(QStringLiteral("paper.txt"));
    p.chooseTables(1);
    p.describe(1, QStringLiteral("Cost"), QStringLiteral("2"), QStringLiteral("2"));
    const std::u16string raw = u"1&50%\\\\", escaped = u"1&50\\%\\\\";

    p.convert();
    QCOMPARE(p.app().state.WorkLines[4], raw);
    chooseMenu(m.mTables, m.mEscape);
    QVERIFY(m.mEscape.Checked());
    QCOMPARE(p.app().state.WorkLines[4], raw); // written already
    p.reset();
    p.convert();
    QCOMPARE(p.app().state.WorkLines[4], escaped);
    p.view(1);
    QCOMPARE(p.app().frmPrint_Table->PrintedLines().value(1), QString::fromStdU16String(escaped));

    chooseMenu(m.mTables, m.mEscape);
    QVERIFY(!m.mEscape.Checked());
    p.reset();
    p.convert();
    QCOMPARE(p.app().state.WorkLines[4], raw);
}

void TestFrmFindTables::wordDocumentTablesExactly()
{
    // A .docx opened through the dialog: its own tables listed, converted with their structure.
    QFile docx(QStringLiteral(CELLWRIGHT_TEST_DATA "/documents/photometry.docx"));
    QVERIFY(docx.open(QIODevice::ReadOnly));
    Program p({ { "photometry.docx", docx.readAll() } });
    p.open(QStringLiteral("photometry.docx"));
    QCOMPARE(p.main().Caption(), QStringLiteral("photometry.docx"));
    frmFind_Tables &find = OpenFinder(p);
    QCOMPARE(Proposed(find), (QStringList { "Star:8x5", "Constellation:7x3" }));
    // The preview puts each cell at its place on the grid, spans and merges included.
    QCOMPARE(find.previewGrid.TextMatrix(0, 4), QStringLiteral("Spectral type"));
    QCOMPARE(find.previewGrid.TextMatrix(1, 0), QString());
    QCOMPARE(find.previewGrid.TextMatrix(1, 1), QStringLiteral("V"));
    tickItem(find.tablesList, 0);
    tickItem(find.tablesList, 1);
    if (platformHasWindowManager())
        QVERIFY(!SaveScreen(p.main(), find, QStringLiteral("find-tables-docx")).isEmpty());
    click(find.useButton);
    p.convert();
    QVERIFY(m_gui->messages().isEmpty());
    p.save(QStringLiteral("photometry.tex"));
    const QList<QByteArray> saved = p.read(QStringLiteral("photometry.tex")).split('\n');
    QCOMPARE(saved.value(3), QByteArray("Star&\\multicolumn{3}{c}{Magnitude}&Spectral type\\\\\r"));
    QCOMPARE(saved.value(4),
        QByteArray("&V&B\xe2\x88\x92"
                   "V&U\xe2\x88\x92"
                   "B&\\\\\r"));
    // Saving over the document itself is refused, and it stays as it was.
    p.save(QStringLiteral("photometry.docx"), true);
    QCOMPARE(m_gui->messages().size(), 1);
    QVERIFY(p.read(QStringLiteral("photometry.docx")).startsWith("PK"));
}

void TestFrmFindTables::tabularEntryWritesWholeEnvironments()
{
    Program p({ { "paper.txt", Document({ Table("Cost", 2, 2) }) } });
    frmMain &m = p.main();
    p.open(QStringLiteral("paper.txt"));
    p.chooseTables(1);
    p.describe(1, QStringLiteral("Cost"), QStringLiteral("2"), QStringLiteral("2"));
    QVERIFY(!m.mTabular.Checked()); // off at every start
    chooseMenu(m.mTables, m.mTabular);
    QVERIFY(m.mTabular.Checked());
    p.convert();
    const auto &work = p.app().state.WorkLines;
    QCOMPARE(work[3], std::u16string(u"\\begin{tabular}{rr}"));
    QCOMPARE(work[5], std::u16string(u"Cost&Band 2\\\\"));
    QCOMPARE(work[9], std::u16string(u"\\end{tabular}"));

    chooseMenu(m.mTables, m.mTabular);
    p.reset();
    p.convert();
    QCOMPARE(work[3], std::u16string(u"Cost&Band 2\\\\"));
}

void TestFrmFindTables::rowsAndColumnsPutAnEntryRight()
{
    Program p({ { "paper.txt", TwoTables() } });
    p.open(QStringLiteral("paper.txt"));
    frmFind_Tables &find = OpenFinder(p);
    for (int i = 0; i < find.tablesList.ListCount(); ++i)
        QCOMPARE(find.tablesList.List(i).contains(QStringLiteral("(likely)")),
            find.Proposals()[std::size_t(i)].Confidence >= LikelyConfidence);
    clickItem(find.tablesList, 1);
    QCOMPARE(find.rowsBox.Text(), QStringLiteral("3"));
    QCOMPARE(find.columnsBox.Text(), QStringLiteral("2"));

    // Night, proposed 4 x 3, read as 2 x 2: entry, preview and "Use" follow.
    clickItem(find.tablesList, 0);
    retype(find.rowsBox, QStringLiteral("2"));
    retype(find.columnsBox, QStringLiteral("2"));
    QCOMPARE(
        find.tablesList.List(0), QStringLiteral("Line 3, 2 \u00d7 2 (size set by you): Night"));
    QCOMPARE(find.previewGrid.Rows(), 2);
    QCOMPARE(column(find.previewGrid, 0), (QStringList { "Night", "Band 3" }));
    QCOMPARE(column(find.previewGrid, 1), (QStringList { "Band 2", "1" }));
    // An emptied box leaves the size; choosing another entry and back shows it again.
    clearByKeyboard(find.rowsBox);
    QCOMPARE(find.Proposals()[0].Rows, 2);
    clickItem(find.tablesList, 1);
    clickItem(find.tablesList, 0);
    QCOMPARE(find.rowsBox.Text() + "x" + find.columnsBox.Text(), QStringLiteral("2x2"));

    tickItem(find.tablesList, 0);
    if (platformHasWindowManager())
        QVERIFY(!SaveScreen(p.main(), find, QStringLiteral("find-tables-resized")).isEmpty());
    click(find.useButton);
    QCOMPARE(Boxes(p.main()), (QStringList { "Night:2x2" }));
    p.convert();
    QVERIFY(m_gui->messages().isEmpty());
    QCOMPARE(p.app().state.WorkLines[4], std::u16string(u"Band 3&1\\\\"));
}

void TestFrmFindTables::previewShowsFirstAndLastRows_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("firstColumn");

    const QString gap = QStringLiteral("\u22ee");
    QTest::newRow("long: first four, a gap, last two")
        << "12" << QStringList { "1", "2", "3", "4", gap, "11", "12" }
        << QStringList { "Star", "1", "2", "3", gap, "10", "11" };
    QTest::newRow("one row more than fits whole")
        << "8" << QStringList { "1", "2", "3", "4", gap, "7", "8" }
        << QStringList { "Star", "1", "2", "3", gap, "6", "7" };
    QTest::newRow("short enough to show whole")
        << "7" << QStringList { "1", "2", "3", "4", "5", "6", "7" }
        << QStringList { "Star", "1", "2", "3", "4", "5", "6" };
}

void TestFrmFindTables::previewShowsFirstAndLastRows()
{
    QFETCH(QString, rows);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, firstColumn);

    Program p({ { "paper.txt", Document({ Table("Star", 12, 2) }) } });
    p.open(QStringLiteral("paper.txt"));
    frmFind_Tables &find = OpenFinder(p);
    typeInto(find.lineBox, QStringLiteral("3"));
    click(find.addButton);
    retype(find.columnsBox, QStringLiteral("2"));
    retype(find.rowsBox, rows);
    QCOMPARE(rowLabels(find.previewGrid), labels);
    QCOMPARE(column(find.previewGrid, 0), firstColumn);
}

void TestFrmFindTables::addListsTheTableAtALine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<int>>("lines"); // the entries' lines afterwards
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("refused");

    // The document knows its tables at lines 4 and 43 and nothing elsewhere.
    QTest::newRow("before the first table") << "1" << QList<int> { 1, 4, 43 } << 0 << false;
    QTest::newRow("between two tables") << " 30 " << QList<int> { 4, 30, 43 } << 1 << false;
    QTest::newRow("after the last table") << "60" << QList<int> { 4, 43, 60 } << 2 << false;
    QTest::newRow("a table listed already") << "43" << QList<int> { 4, 43 } << 1 << false;
    QTest::newRow("past the last line") << "9999" << QList<int> { 4, 43 } << 0 << true;
    QTest::newRow("line 0") << "0" << QList<int> { 4, 43 } << 0 << true;
    QTest::newRow("not a number") << "forty" << QList<int> { 4, 43 } << 0 << true;
}

void TestFrmFindTables::addListsTheTableAtALine()
{
    QFETCH(QString, line);
    QFETCH(QList<int>, lines);
    QFETCH(int, chosen);
    QFETCH(bool, refused);

    QFile docx(QStringLiteral(CELLWRIGHT_TEST_DATA "/documents/photometry.docx"));
    QVERIFY(docx.open(QIODevice::ReadOnly));
    Program p({ { "photometry.docx", docx.readAll() } });
    p.open(QStringLiteral("photometry.docx"));
    frmFind_Tables &find = OpenFinder(p);
    typeInto(find.lineBox, line);
    click(find.addButton);

    QCOMPARE(m_gui->messages().size(), refused ? 1 : 0);
    QList<int> listed;
    for (const TableProposal &t : find.Proposals())
        listed << t.FirstLine;
    QCOMPARE(listed, lines);
    QCOMPARE(find.tablesList.ListCount(), lines.size());
    QCOMPARE(find.tablesList.ListIndex(), chosen);
    QVERIFY(!find.statusLabel.Caption().contains(QStringLiteral(".docx")));
    // A line the document knows no table at: one cell, to be sized in the boxes.
    const int n = lines.value(chosen);
    if (!refused && n != 4 && n != 43) {
        const auto text
            = QString::fromStdU16String(std::u16string(p.app().state.SourceLines[std::size_t(n)]));
        QCOMPARE(find.tablesList.List(chosen),
            QStringLiteral("Line %1, 1 \u00d7 1 (check the size): %2").arg(n).arg(text.trimmed()));
        QCOMPARE(find.rowsBox.Text() + "x" + find.columnsBox.Text(), QStringLiteral("1x1"));
    }
}

void TestFrmFindTables::addTakesTheFindersSizeAtTheLine()
{
    // In a text export, Night's rows without its header: the size the finder reads there.
    Program p({ { "paper.txt", TwoTables() } });
    p.open(QStringLiteral("paper.txt"));
    frmFind_Tables &find = OpenFinder(p);
    const std::optional<TableProposal> there = ProposeTable(p.app().state, 6);
    QVERIFY(there && there->FirstLine == 6 && there->Rows > 1);
    typeInto(find.lineBox, QStringLiteral("6"));
    click(find.addButton);
    QCOMPARE(find.tablesList.ListIndex(), 1);
    QVERIFY(find.Proposals()[1] == *there);
    // Prose reads as no table: a guessed cell, and a pointer to the document it came from.
    retype(find.lineBox, QStringLiteral("2"));
    click(find.addButton);
    QCOMPARE(find.tablesList.List(0).section(QLatin1Char(':'), 0, 0),
        QStringLiteral("Line 2, 1 \u00d7 1 (check the size)"));
    QVERIFY(find.statusLabel.Caption().endsWith(
        QStringLiteral("Opening the .docx or .odt itself gives every size exactly.")));
    QVERIFY(!saveScreenshot(find, QStringLiteral("find-tables-guessed")).isEmpty());
}

void TestFrmFindTables::entriesAreCheckBoxesToAssistiveTechnology()
{
    Program p({ { "paper.txt", TwoTables() } });
    p.open(QStringLiteral("paper.txt"));
    frmFind_Tables &find = OpenFinder(p);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(find.tablesList.widget());
    QCOMPARE(list->childCount(), 2);
    QAccessibleInterface *entry = list->child(1);
    QCOMPARE(entry->role(), QAccessible::CheckBox);
    QCOMPARE(entry->text(QAccessible::Name), find.tablesList.List(1));
    QCOMPARE(list->indexOfChild(entry), 1);
    QVERIFY(entry->state().checkable && !entry->state().checked);

    // The toggle action ticks the entry (and does not choose it); a second one unticks it.
    QAccessibleActionInterface *actions = entry->actionInterface();
    QVERIFY(actions && actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(find.tablesList.Selected(1) && entry->state().checked);
    QCOMPARE(find.tablesList.ListIndex(), 0);
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!find.tablesList.Selected(1) && !entry->state().checked);
}

QTEST_MAIN(TestFrmFindTables)
#include "tst_frmfind_tables.moc"
