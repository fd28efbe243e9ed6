// The "Tables" menu and the finder's window through real widgets: the menu entry's enabled
// state, ticking and "Use" filling the main window's boxes, "Close", the refusals of "Use", and
// the escape check mark changing what "Convert" writes and the viewer shows.
#include "app_driver.h"
#include "frmfind_tables.h"
#include "frmprint_table.h"

#include <QAccessible>
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
    QCOMPARE(find.List1.ListCount(), 2);
    // Only the table with "R&D" in its cells is marked.
    QVERIFY(!find.List1.List(0).startsWith(QChar(0x26a0)));
    QVERIFY(find.List1.List(1).startsWith(QChar(0x26a0)));
    QVERIFY(find.List1.List(1).contains(QStringLiteral("3 \u00d7 2: Cost")));

    clickItem(find.List1, 1);
    QCOMPARE(find.Grid1.Rows(), 3);
    QCOMPARE(find.Grid1.Cols(), 2);
    QCOMPARE(find.Grid1.TextMatrix(2, 1), QStringLiteral("R&D"));
    for (const auto &[widget, name] : { std::pair { find.List1.widget(), "Tables found" },
             { find.Command1.widget(), "Use" }, { find.Command2.widget(), "Close" } })
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
            QString::fromUtf8(name));

    tickItem(find.List1, 1);
    tickItem(find.List1, 0);
    QVERIFY(find.List1.Selected(0) && find.List1.Selected(1));
    if (platformHasWindowManager())
        QVERIFY(!saveScreenshot(find, QStringLiteral("find-tables")).isEmpty());
    click(find.Command1);
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
    tickItem(find.List1, 0);
    tickItem(find.List1, 1);
    click(find.Command1);
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
    for (int i = 0; i < find.List1.ListCount(); ++i)
        tickItem(find.List1, i);
    click(use ? find.Command1 : find.Command2);
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
    QCOMPARE(find.Grid1.TextMatrix(0, 4), QStringLiteral("Spectral type"));
    QCOMPARE(find.Grid1.TextMatrix(1, 0), QString());
    QCOMPARE(find.Grid1.TextMatrix(1, 1), QStringLiteral("V"));
    tickItem(find.List1, 0);
    tickItem(find.List1, 1);
    if (platformHasWindowManager())
        QVERIFY(!SaveScreen(p.main(), find, QStringLiteral("find-tables-docx")).isEmpty());
    click(find.Command1);
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

QTEST_MAIN(TestFrmFindTables)
#include "tst_frmfind_tables.moc"
