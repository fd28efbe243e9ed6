// Whole tabular environments: the column letters, the header rows and their rules, written in
// place of a table's block by the conversion, for text exports and for tables a document knows.
#include "conversion.h"
#include "engine_fixture.h"
#include "tabular.h"

#include <QtTest>

using namespace cellwright;

namespace {

// A state holding these lines as read, environments on.
ConversionState Read(const QStringList &lines)
{
    std::vector<std::u16string> text;
    for (const QString &line : lines)
        text.push_back(line.toStdU16String());
    DocumentRead read = LinesDocument(std::move(text), {});
    ConversionState state;
    TakeDocument(state, std::move(*read.Document));
    state.DocumentTablesKnown = false;
    state.CompleteTabular = true;
    return state;
}

QStringList Work(const ConversionState &state)
{
    QStringList lines;
    for (int i = 1; i <= state.WorkLineCount; ++i)
        lines << QString::fromStdU16String(state.WorkLines[size_t(i)]);
    return lines;
}

// A known table's row from "column[xSPAN][^]" entries: ^ covered from above, vN spans N rows.
ShapeRow Row(const QStringList &entries)
{
    ShapeRow row;
    for (const QString &entry : entries) {
        ShapeCell cell;
        const QStringList parts = QString(entry).remove('^').split(QRegularExpression("[xv]"));
        cell.Column = parts[0].toInt();
        const qsizetype x = entry.indexOf('x'), v = entry.indexOf('v');
        cell.ColSpan = x < 0 ? 1 : entry.mid(x + 1).toInt();
        cell.RowSpan = v < 0 ? 1 : entry.mid(v + 1).toInt();
        cell.CoveredFromAbove = entry.endsWith('^');
        row.Cells.push_back(cell);
    }
    return row;
}

} // namespace

class TestTabular : public QObject {
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void columnLetters_data();
    void columnLetters();
    void knownTables_data();
    void knownTables();
};

void TestTabular::numbers_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("number");
    QTest::newRow("integer") << "42" << true;
    QTest::newRow("Unicode minus, decimals") << "\u22121.46" << true;
    QTest::newRow("exponent") << "6.02e23" << true;
    QTest::newRow("percent") << " 12.5% " << true;
    QTest::newRow("decimal comma") << "0,45" << true;
    QTest::newRow("unit") << "12 kg" << false;
    QTest::newRow("sign alone") << "-" << false;
    QTest::newRow("exponent without digits") << "1e" << false;
    QTest::newRow("code") << "A1V" << false;
}

void TestTabular::numbers()
{
    QFETCH(QString, cell);
    QFETCH(bool, number);
    QCOMPARE(ReadsAsNumber(cell.toStdU16String()), number);
}

void TestTabular::columnLetters_data()
{
    QTest::addColumn<QStringList>("cells"); // a 3 x 3 table, row by row
    QTest::addColumn<QString>("letters");
    QTest::newRow("words over numbers: the header decides nothing") << QStringList { "Star", "V",
        "B-V", "1", "12.3", "0.45", "2", "\u221212.9", "1e-3" } << "rrr";
    QTest::newRow("a word among numbers") << QStringList { "Star", "V", "Type", "Vega", "0.03",
        "A0V", "Rigel", "n/a", "B8" } << "lll";
    QTest::newRow("an empty cell is no word")
        << QStringList { "Year", "Count", "Share", "1990", "", "12%", "2000", "7", "" } << "rrr";
    QTest::newRow("an empty column is left-aligned")
        << QStringList { "Name", "Note", "Mass", "Io", "", "8.9", "Europa", "", "4.8" } << "llr";
}

void TestTabular::columnLetters()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, letters);
    ConversionState state = Read(QStringList { "Results" } + cells + QStringList { "End" });
    QCOMPARE(ConvertTablesAt(state, { { 2, {}, 3, 3 } }), std::u16string());
    const QStringList work = Work(state);
    QCOMPARE(work.value(1), "\\begin{tabular}{" + letters + "}");
    QCOMPARE(work.value(2), QStringLiteral("\\toprule"));
    QCOMPARE(work.value(4), QStringLiteral("\\midrule"));
    QCOMPARE(work.mid(7), (QStringList { "\\bottomrule", "\\end{tabular}", "End" }));
}

void TestTabular::knownTables_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QStringList>>("rows"); // entries as Row takes them
    QTest::addColumn<int>("markedHeaderRows");
    QTest::addColumn<QStringList>("written");

    const QStringList magnitudes { "Star", "Magnitude", "", "V", "B-V", "Vega", "0.03", "0.00" };
    const QList<QStringList> spanning { { "0v2", "1x2" }, { "0^", "1", "2" }, { "0", "1", "2" } };
    const QStringList spanned { "\\begin{tabular}{lrr}", "\\toprule",
        "Star&\\multicolumn{2}{c}{Magnitude}\\\\", "\\cmidrule(lr){2-3}", "&V&B-V\\\\", "\\midrule",
        "Vega&0.03&0.00\\\\", "\\bottomrule", "\\end{tabular}" };
    QTest::newRow("marked header rows, a spanning cell ruled under")
        << magnitudes << spanning << 2 << spanned;
    QTest::newRow("unmarked: the first row and the row its cell spans into")
        << magnitudes << spanning << 0 << spanned;
    QTest::newRow("no header marked or spanned: the first row")
        << QStringList { "Planet", "Moons", "Mars", "2", "Earth", "1" }
        << QList<QStringList> { { "0", "1" }, { "0", "1" }, { "0", "1" } } << 0
        << QStringList { "\\begin{tabular}{lr}", "\\toprule", "Planet&Moons\\\\", "\\midrule",
               "Mars&2\\\\", "Earth&1\\\\", "\\bottomrule", "\\end{tabular}" };
    QTest::newRow("one row: nothing to set off")
        << QStringList { "Total", "12" } << QList<QStringList> { { "0", "1" } } << 0
        << QStringList { "\\begin{tabular}{ll}", "\\toprule", "Total&12\\\\", "\\bottomrule",
               "\\end{tabular}" };
    QTest::newRow("a spanning body cell decides no column")
        << QStringList { "Item", "Cost", "Tax", "Pen", "n/a", "Ink", "3", "0.5" }
        << QList<QStringList> { { "0", "1", "2" }, { "0", "1x2" }, { "0", "1", "2" } } << 1
        << QStringList { "\\begin{tabular}{lrr}", "\\toprule", "Item&Cost&Tax\\\\", "\\midrule",
               "Pen&\\multicolumn{2}{c}{n/a}\\\\", "Ink&3&0.5\\\\", "\\bottomrule",
               "\\end{tabular}" };
}

void TestTabular::knownTables()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<QStringList>, rows);
    QFETCH(int, markedHeaderRows);
    QFETCH(QStringList, written);
    ConversionState state = Read(lines);
    TableShape shape;
    shape.FirstLine = 1;
    shape.HeaderRows = markedHeaderRows;
    for (const QStringList &entries : rows)
        shape.Rows.push_back(Row(entries));
    shape.Cols = 0;
    for (const ShapeRow &row : shape.Rows)
        for (const ShapeCell &cell : row.Cells)
            shape.Cols = std::max(shape.Cols, cell.Column + cell.ColSpan);
    state.DocumentTables = { shape };
    state.DocumentTablesKnown = true;
    QCOMPARE(ConvertTablesAt(state, { { 1, {}, int(rows.size()), shape.Cols } }), std::u16string());
    QCOMPARE(Work(state), written);
}

QTEST_GUILESS_MAIN(TestTabular)
#include "tst_tabular.moc"
