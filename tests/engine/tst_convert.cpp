// Converting tables: the worked example end to end, the search and rewrite of blocks, the
// refusals that leave everything as it was, the buttons, and Reset.
#include "engine_fixture.h"
#include "latex_escape.h"

#include <QtTest>

using namespace cellwright;

namespace {

// "first|rows|cols" for tables 1, 2, ...; the selector set to their number.
void Describe(EngineFixture &f, const QStringList &tables)
{
    f.window.listIndex = int(tables.size()) - 1;
    for (int t = 1; t <= tables.size(); ++t) {
        const QStringList box = tables[t - 1].split('|');
        f.window.describe(
            t, box[0].toStdU16String(), box[1].toStdU16String(), box[2].toStdU16String());
    }
}

QByteArray CrLf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

std::vector<std::u16string> ToLines(const QStringList &lines)
{
    std::vector<std::u16string> out;
    for (const QString &line : lines)
        out.push_back(line.toStdU16String());
    return out;
}

} // namespace

class TestConvert : public QObject {
    Q_OBJECT

private slots:
    void endToEnd_data();
    void endToEnd();
    void conversions_data();
    void conversions();
    void vacatedTailKeepsOldLines_data();
    void vacatedTailKeepsOldLines();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void buttons_data();
    void buttons();
    void captureKeepsTablesAboveTheCount();
    void matchFromABoxInTheDocumentsEncoding_data();
    void matchFromABoxInTheDocumentsEncoding();
    void escapeCell_data();
    void escapeCell();
    void escapedConversion_data();
    void escapedConversion();
    void resetGivesBackTheDocumentAsRead();
    void resetBeforeAnyRead();
    void resetAfterLoweringTheTableCount();
};

void TestConvert::endToEnd_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QList<int>>("starts");

    const QByteArray example
        = "Results\r\n\r\nStarA\r\nV\r\nB-V\r\n1\r\n12.3\r\n0.45\r\n2\r\n12.9\r\n"
          "0.51\r\n\r\nEnd\r\n";
    QTest::newRow("worked example")
        << example << QStringList { "StarA|3|3" }
        << QByteArray("Results\r\n\r\nStarA&V&B-V\\\\\r\n1&12.3&0.45\\\\\r\n2&12.9&0.51\\\\\r\n"
                      "\r\nEnd\r\n")
        << QList<int> { 3 };
    QTest::newRow("worked example, one column from Results")
        << example << QStringList { "Results|3|1" }
        << QByteArray("Results\\\\\r\n\\\\\r\nStarA\\\\\r\nV\r\nB-V\r\n1\r\n12.3\r\n0.45\r\n2\r\n"
                      "12.9\r\n0.51\r\n\r\nEnd\r\n")
        << QList<int> { 1 };
    QTest::newRow("indented cells, CR only, no final line end")
        << QByteArray("  Results\r\r   StarA\r V\r  B-V\r1\r 12.3\r0.45\r2\r12.9\r0.51\r\rEnd")
        << QStringList { " StarA |  3.4 | 2.5E0 " }
        << QByteArray("Results\r\n\r\nStarA&V\\\\\r\nB-V&1\\\\\r\n12.3&0.45\\\\\r\n2\r\n12.9\r\n"
                      "0.51\r\n\r\nEnd\r\n")
        << QList<int> { 3 };
    QTest::newRow("two tables")
        << QByteArray("T1\r\nx\r\ny\r\nz\r\nprose\r\nT2\r\n1\r\n2\r\n3\r\n4\r\n5\r\nend")
        << QStringList { "T1|2|2", "T2|2|3" }
        << QByteArray("T1&x\\\\\r\ny&z\\\\\r\nprose\r\nT2&1&2\\\\\r\n3&4&5\\\\\r\nend\r\n")
        << QList<int> { 1, 4 };
    QTest::newRow("LF line ends, byte-order mark")
        << "\xEF\xBB\xBF" + QByteArray(example).replace("\r\n", "\n") << QStringList { "StarA|3|3" }
        << QByteArray("\xEF\xBB\xBF"
                      "Results\r\n\r\nStarA&V&B-V\\\\\r\n1&12.3&0.45\\\\\r\n2&12.9&0."
                      "51\\\\\r\n\r\nEnd\r\n")
        << QList<int> { 3 };
    QTest::newRow("a lone LF inside a cell of a CR LF document")
        << QByteArray("T\r\nline\nbreak\r\nc\r\nd\r\n") << QStringList { "T|2|2" }
        << QByteArray("T&line\nbreak\\\\\r\nc&d\\\\\r\n") << QList<int> { 1 };
}

void TestConvert::endToEnd()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, tables);
    QFETCH(QByteArray, output);
    QFETCH(QList<int>, starts);

    EngineFixture f;
    f.read(input);
    Describe(f, tables);
    f.convert();
    QVERIFY(f.window.messages.empty());
    for (int t = 1; t <= starts.size(); ++t)
        QCOMPARE(f.state.TableStart[t], starts[t - 1]);
    QVERIFY(f.save("paper.tex"));
    QCOMPARE(f.bytesOf("paper.tex"), output);
    // Saving twice leaves one copy.
    QVERIFY(f.save("paper.tex"));
    QCOMPARE(f.bytesOf("paper.tex"), output);
    QCOMPARE(f.window.messages.size(), 0u);
}

void TestConvert::conversions_data()
{
    QTest::addColumn<QStringList>("document");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QStringList>("converted");
    QTest::addColumn<QList<int>>("starts"); // TableStart of tables 1.. after the conversion

    QTest::newRow("two by two") << QStringList { "a", "b", "c", "d" } << QStringList { "a|2|2" }
                                << QStringList { "a&b\\\\", "c&d\\\\" } << QList<int> { 1 };
    QTest::newRow("empty cell") << QStringList { "a", "", "c", "after" } << QStringList { "a|1|3" }
                                << QStringList { "a&&c\\\\", "after" } << QList<int> { 1 };
    QTest::newRow("trailing spaces and ampersands kept")
        << QStringList { "a  ", "b&c ", "x" } << QStringList { "a|1|2" }
        << QStringList { "a  &b&c \\\\", "x" } << QList<int> { 1 };
    QTest::newRow("block ends on the last line")
        << QStringList { "p", "a", "b" } << QStringList { "a|1|2" }
        << QStringList { "p", "a&b\\\\" } << QList<int> { 2 };
    QTest::newRow("blank first box matches empty lines")
        << QStringList { "x", "", "y", "z", "" } << QStringList { "   |1|1" }
        << QStringList { "x", "\\\\", "y", "z", "\\\\" } << QList<int> { 5 };
    QTest::newRow("blank first box, every other line")
        << QStringList { "", "1", "", "2", "", "3" } << QStringList { " |1|2" }
        << QStringList { "&1\\\\", "&2\\\\", "&3\\\\" } << QList<int> { 3 };
    QTest::newRow("first box is trimmed, comparison exact")
        << QStringList { "stara", "StarA.", "\tStarA", "StarA   ", "v", "StarA", "w" }
        << QStringList { "StarA |1|2" }
        << QStringList { "stara", "StarA.", "\tStarA", "StarA   &v\\\\", "StarA&w\\\\" }
        << QList<int> { 5 };
    QTest::newRow("every match converted, the last one wins")
        << QStringList { "S", "1", "2", "mid", "S", "3", "4" } << QStringList { "S|1|3", "S|1|1" }
        << QStringList { "S&1&2\\\\", "mid", "S&3&4\\\\" } << QList<int> { 3, 0 };
    QTest::newRow("a table that is not found keeps its start")
        << QStringList { "a", "b" } << QStringList { "zzz|1|1", "a|1|2" }
        << QStringList { "a&b\\\\" } << QList<int> { 0, 1 };
    QTest::newRow("each table searches from line 1 again")
        << QStringList { "B", "b1", "A", "a1" } << QStringList { "A|1|2", "B|1|2" }
        << QStringList { "B&b1\\\\", "A&a1\\\\" } << QList<int> { 2, 1 };
    // Table 2's block above table 1's rows closes its gap: table 1 moves up with them.
    QTest::newRow("a later block above moves an earlier table")
        << QStringList { "B", "b1", "b2", "b3", "x", "A", "a1", "a2", "a3" }
        << QStringList { "A|2|2", "B|1|4" }
        << QStringList { "B&b1&b2&b3\\\\", "x", "A&a1\\\\", "a2&a3\\\\" } << QList<int> { 3, 1 };
    QTest::newRow("later blocks above move two earlier tables")
        << QStringList { "C", "c", "B", "b", "A", "a" } << QStringList { "A|1|2", "B|1|2", "C|1|2" }
        << QStringList { "C&c\\\\", "B&b\\\\", "A&a\\\\" } << QList<int> { 3, 2, 1 };
    QTest::newRow("a later block takes an earlier table's row as a cell")
        << QStringList { "B", "A", "a" } << QStringList { "A|1|2", "B|1|2" }
        << QStringList { "B&A&a\\\\\\\\" } << QList<int> { 1, 1 };
    QTest::newRow("a later table matches a converted row")
        << QStringList { "a", "b", "c" } << QStringList { "a|1|2", "a&b\\\\|1|2" }
        << QStringList { "a&b\\\\&c\\\\" } << QList<int> { 1, 1 };
    QTest::newRow("rows of six tables")
        << QStringList { "1", "x", "2", "x", "3", "x", "4", "x", "5", "x", "6", "x" }
        << QStringList { "6|1|2", "5|1|2", "4|1|2", "3|1|2", "2|1|2", "1|1|2" }
        << QStringList { "1&x\\\\", "2&x\\\\", "3&x\\\\", "4&x\\\\", "5&x\\\\", "6&x\\\\" }
        << QList<int> { 6, 5, 4, 3, 2, 1 };
}

void TestConvert::conversions()
{
    QFETCH(QStringList, document);
    QFETCH(QStringList, tables);
    QFETCH(QStringList, converted);
    QFETCH(QList<int>, starts);

    EngineFixture f;
    f.read(CrLf(document));
    QCOMPARE(f.state.WorkLineCount, document.size());
    Describe(f, tables);
    f.convert();
    QVERIFY(f.window.messages.empty());
    QCOMPARE(f.work(), ToLines(converted));
    for (int t = 1; t <= starts.size(); ++t)
        QCOMPARE(f.state.TableStart[t], starts[t - 1]);
    // The document as read is untouched.
    for (int i = 1; i <= document.size(); ++i)
        QCOMPARE(f.state.SourceLines[i], document[i - 1].toStdU16String());
}

void TestConvert::vacatedTailKeepsOldLines_data()
{
    QTest::addColumn<QStringList>("document");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("tail"); // the lines after the new count

    QTest::newRow("one table") << QStringList { "Results", "", "StarA", "V", "B-V", "1", "12.3",
        "0.45", "2", "12.9", "0.51", "", "End" }
                               << QStringList { "StarA|3|3" } << 7
                               << QStringList { "0.45", "2", "12.9", "0.51", "", "End" };
    // The second gap leaves lines in the tail that also moved up: each place keeps its own.
    QTest::newRow("two tables, lines left twice")
        << QStringList { "A", "1", "2", "3", "x", "B", "4", "5", "6", "7", "y", "z" }
        << QStringList { "A|2|2", "B|2|2" } << 8 << QStringList { "y", "z", "y", "z" };
    QTest::newRow("two tables, a line left in the tail and in a moved place")
        << QStringList { "A", "1", "2", "3", "x", "B", "b1", "b2", "b3", "b4", "b5", "y1", "y2",
               "y3", "y4", "y5" }
        << QStringList { "A|2|2", "B|2|3" } << 10
        << QStringList { "y2", "y3", "y4", "y5", "y4", "y5" };
}

void TestConvert::vacatedTailKeepsOldLines()
{
    QFETCH(QStringList, document);
    QFETCH(QStringList, tables);
    QFETCH(int, count);
    QFETCH(QStringList, tail);

    EngineFixture f;
    f.read(CrLf(document));
    Describe(f, tables);
    f.convert();
    QCOMPARE(f.state.WorkLineCount, count);
    const auto from = f.state.WorkLines.begin() + count + 1;
    QCOMPARE(std::vector<std::u16string>(from, from + tail.size()), ToLines(tail));
}

void TestConvert::refusalsChangeNothing_data()
{
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QString>("message");

    // Document: H, A, 1, 2, 3, B, x, A, y (9 lines).
    QTest::newRow("first box of table 2 empty")
        << QStringList { "A|2|2", "|1|1" } << "Hey, you need to complete the boxes!";
    QTest::newRow("every table checked")
        << QStringList { "A|0|2", "B|1|1", "x|1|abc" } << "Hey, you need to complete the boxes!";
    QTest::newRow("table 2 too large") << QStringList { "A|2|2",
        "B|200|200" } << "Table 2 is too large: rows × columns must not exceed 32767.";
    QTest::newRow("incomplete before too large")
        << QStringList { "A|1E9|2", "B|0|1" } << "Hey, you need to complete the boxes!";
    QTest::newRow("table 1 runs past the end")
        << QStringList { "B|2|3" }
        << "Table 1 does not fit: 2 rows × 3 columns from line 6 run past the end of the document.";
    QTest::newRow("table 2 runs past the end after table 1 converted: line as read")
        << QStringList { "H|1|2", "x|2|2" }
        << "Table 2 does not fit: 2 rows × 2 columns from line 7 run past the end of the document.";
    QTest::newRow("the second match of a table runs past the end")
        << QStringList { "A|1|3" }
        << "Table 1 does not fit: 1 rows × 3 columns from line 8 run past the end of the document.";
    QTest::newRow("the largest table runs past the end")
        << QStringList { "H|32767|1" }
        << "Table 1 does not fit: 32767 rows × 1 columns from line 1 run past the end of the "
           "document.";
}

void TestConvert::refusalsChangeNothing()
{
    QFETCH(QStringList, tables);
    QFETCH(QString, message);

    EngineFixture f;
    f.read(Document({ "H", "A", "1", "2", "3", "B", "x", "A", "y" }));
    // An earlier conversion left starts behind; a Reset made Convert available again.
    Describe(f, { "H|1|1", "y|1|1", "x|1|1" });
    f.convert();
    f.engine.ResetConversion();
    const auto starts = f.state.TableStart;
    const auto work = f.state.WorkLines;
    const auto views = f.window.viewEnabled;

    Describe(f, tables);
    f.convert();
    QCOMPARE(f.window.messages.size(), 1u);
    QCOMPARE(QString::fromStdU16String(f.window.messages[0]), message);
    QVERIFY(f.state.WorkLines == work);
    QCOMPARE(f.state.WorkLineCount, 9);
    QVERIFY(f.state.TableStart == starts);
    QVERIFY(f.window.convertEnabled && !f.window.saveEnabled && !f.window.resetEnabled);
    QVERIFY(f.window.viewEnabled == views);
    // The settings just captured stay.
    QCOMPARE(f.state.TableCount, tables.size());
    QCOMPARE(QString::fromStdU16String(f.state.TableFirstCell[1]), tables[0].section('|', 0, 0));
}

void TestConvert::buttons_data()
{
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<int>("views"); // "View" buttons enabled after the conversion

    QTest::newRow("nothing selected") << -1 << 0;
    QTest::newRow("one table") << 0 << 1;
    QTest::newRow("three tables") << 2 << 3;
    QTest::newRow("six tables") << 5 << 6;
}

void TestConvert::buttons()
{
    QFETCH(int, listIndex);
    QFETCH(int, views);

    EngineFixture f;
    f.read(Document({ "a", "b" }));
    QVERIFY(f.window.convertEnabled);
    QVERIFY(!f.window.saveEnabled && !f.window.resetEnabled);
    for (int t = 1; t <= 6; ++t)
        f.window.describe(t, u"nowhere", u"1", u"1");
    f.window.listIndex = listIndex;
    f.convert();
    QVERIFY(f.window.messages.empty());
    QCOMPARE(f.state.TableCount, views);
    for (int k = 0; k < 6; ++k)
        QCOMPARE(f.window.viewEnabled[k], k < views);
    QVERIFY(!f.window.convertEnabled);
    QVERIFY(f.window.saveEnabled && f.window.resetEnabled);
    QCOMPARE(f.work(), Lines({ "a", "b" }));
}

void TestConvert::captureKeepsTablesAboveTheCount()
{
    EngineFixture f;
    f.window.listIndex = 2;
    f.window.describe(1, u"  One  ", u"2.5", u"3.5");
    f.window.describe(2, u"Two", u"1", u"1");
    f.window.describe(3, u"Three", u"7", u"8");
    f.engine.CaptureTableSettings();
    QCOMPARE(f.state.TableCount, 3);
    QCOMPARE(f.state.TableFirstCell[1], u"One");
    QCOMPARE(f.state.TableRows[1], 2);
    QCOMPARE(f.state.TableCols[1], 4);

    f.window.listIndex = 0;
    f.window.describe(3, u"Changed", u"1", u"1");
    f.engine.CaptureTableSettings();
    QCOMPARE(f.state.TableCount, 1);
    QCOMPARE(f.state.TableFirstCell[3], u"Three");
    QCOMPARE(f.state.TableRows[3], 7);
    QCOMPARE(f.state.TableCols[3], 8);
    QVERIFY(f.state.TableFirstCell[0].empty());
}

void TestConvert::matchFromABoxInTheDocumentsEncoding_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xB6\xC3\x9F"
                                         "e\r\n\xE2\x82\xAC\r\nx\r\ny\r\n")
                           << QByteArray("Gr\xC3\xB6\xC3\x9F"
                                         "e&\xE2\x82\xAC\\\\\r\nx&y\\\\\r\n");
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF  Gr\xC3\xB6\xC3\x9F"
                                                              "e\r\n\xE2\x82\xAC\r\nx\r\ny")
                                                << QByteArray("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
                                                              "e&\xE2\x82\xAC\\\\\r\nx&y\\\\\r\n");
    QTest::newRow("Windows-1252") << QByteArray("Gr\xF6\xDF"
                                                "e\r\n\x80\r\nx\r\ny\r\n")
                                  << QByteArray("Gr\xF6\xDF"
                                                "e&\x80\\\\\r\nx&y\\\\\r\n");
}

void TestConvert::matchFromABoxInTheDocumentsEncoding()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);

    EngineFixture f;
    f.read(input);
    f.window.listIndex = 0;
    f.window.describe(1, u"Größe", u"2", u"2");
    f.convert();
    QVERIFY(f.window.messages.empty());
    QCOMPARE(f.state.TableStart[1], 1);
    QVERIFY(f.save());
    QCOMPARE(f.bytesOf("out.txt"), output);
}

void TestConvert::escapeCell_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("escaped");

    QTest::newRow("backslash") << "a\\b"
                               << "a\\textbackslash{}b";
    QTest::newRow("ampersand") << "R&D"
                               << "R\\&D";
    QTest::newRow("percent") << "12%"
                             << "12\\%";
    QTest::newRow("dollar") << "$300"
                            << "\\$300";
    QTest::newRow("hash") << "#1"
                          << "\\#1";
    QTest::newRow("underscore") << "x_1"
                                << "x\\_1";
    QTest::newRow("braces") << "{a}"
                            << "\\{a\\}";
    QTest::newRow("tilde") << "~5"
                           << "\\textasciitilde{}5";
    QTest::newRow("caret") << "2^3"
                           << "2\\textasciicircum{}3";
    QTest::newRow("backslash first, nothing escaped twice") << "\\&{}"
                                                            << "\\textbackslash{}\\&\\{\\}";
    QTest::newRow("an escape already typed is escaped as text") << "\\%"
                                                                << "\\textbackslash{}\\%";
    QTest::newRow("every special together")
        << "\\&%$#_{}~^"
        << "\\textbackslash{}\\&\\%\\$\\#\\_\\{\\}\\textasciitilde{}\\textasciicircum{}";
    QTest::newRow("non-ASCII untouched") << "α Cen B−V é €"
                                         << "α Cen B−V é €";
    QTest::newRow("nothing special") << "StarA 12.3 [x] <y> \"q\""
                                     << "StarA 12.3 [x] <y> \"q\"";
    QTest::newRow("empty") << ""
                           << "";
}

void TestConvert::escapeCell()
{
    QFETCH(QString, cell);
    QFETCH(QString, escaped);

    QCOMPARE(EscapeLatexCell(cell.toStdU16String()), escaped.toStdU16String());
    QCOMPARE(HasLatexSpecials(cell.toStdU16String()), cell != escaped);
}

void TestConvert::escapedConversion_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");

    // Only the cells of the table are escaped: not the prose around it, not the "&" and "\\"
    // the conversion adds.
    QTest::newRow("UTF-8") << QByteArray("50% of R&D\r\nT\r\nR&D\r\n12%\r\nα_1\r\nend_\r\n")
                           << QByteArray(
                                  "50% of R&D\r\nT&R\\&D\\\\\r\n12\\%&α\\_1\\\\\r\nend_\r\n");
    QTest::newRow("Windows-1252")
        << QByteArray("T\r\n\x80 5$\r\n\xE9~\r\n{x}\r\n")
        << QByteArray("T&\x80 5\\$\\\\\r\n\xE9\\textasciitilde{}&\\{x\\}\\\\\r\n");
}

void TestConvert::escapedConversion()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);

    EngineFixture f;
    f.read(input);
    f.state.EscapeSpecialCharacters = true;
    Describe(f, { "T|2|2" });
    f.convert();
    QVERIFY(f.window.messages.empty());
    QVERIFY(f.save("paper.tex"));
    QCOMPARE(f.bytesOf("paper.tex"), output);
    // Reset gives back the cells as read; converting without escaping then keeps them raw.
    f.engine.ResetConversion();
    f.state.EscapeSpecialCharacters = false;
    f.convert();
    QVERIFY(f.save("raw.tex"));
    QVERIFY(f.bytesOf("raw.tex") != output);
    QCOMPARE(f.bytesOf("raw.tex").count('\\'), 4);
}

void TestConvert::resetGivesBackTheDocumentAsRead()
{
    EngineFixture f;
    f.read(Document({ "T", "1", "2", "3", "4", "tail", "U", "5", "6" }));
    Describe(f, { "T|2|2", "U|1|2" });
    f.convert();
    const auto first = f.work();
    const auto starts = f.state.TableStart;
    QCOMPARE(first, Lines({ "T&1\\\\", "2&3\\\\", "4", "tail", "U&5\\\\", "6" }));

    f.engine.ResetConversion();
    QCOMPARE(f.work(), Lines({ "T", "1", "2", "3", "4", "tail", "U", "5", "6" }));
    QCOMPARE(f.state.WorkLineCount, f.state.SourceLineCount);
    QVERIFY(f.window.convertEnabled && !f.window.saveEnabled && !f.window.resetEnabled);
    QVERIFY(!f.window.viewEnabled[0] && !f.window.viewEnabled[1]);
    QVERIFY(f.state.TableStart == starts);

    f.convert();
    QCOMPARE(f.work(), first);
    QVERIFY(f.state.TableStart == starts);
}

void TestConvert::resetBeforeAnyRead()
{
    EngineFixture f;
    f.engine.ResetConversion();
    QCOMPARE(f.state.SourceLineCount, 0);
    QCOMPARE(f.state.WorkLineCount, 0);
    QVERIFY(f.window.convertEnabled);
    // Saving then creates an empty file.
    QVERIFY(f.save());
    QCOMPARE(f.bytesOf("out.txt"), QByteArray(""));
}

void TestConvert::resetAfterLoweringTheTableCount()
{
    EngineFixture f;
    f.read(Document({ "a", "b", "c" }));
    Describe(f, { "a|1|1", "b|1|1", "c|1|1" });
    f.convert();
    QVERIFY(f.window.viewEnabled[2]);
    f.window.listIndex = 1;
    f.engine.CaptureTableSettings(); // the selector's count reaches the state only on Convert
    f.engine.ResetConversion();
    QVERIFY(!f.window.viewEnabled[0] && !f.window.viewEnabled[1]);
    QVERIFY(f.window.viewEnabled[2]);
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
