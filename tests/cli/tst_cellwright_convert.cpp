// cellwright-convert run as a process, the way a build script runs it. What the window would
// save for the same document and boxes comes from the engine behind a fake window.
#include "fake_main_window.h"
#include "find_tables.h"
#include "latex_escape.h"
#include "read_textfile.h"
#include "text_codec.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace cellwright;

namespace {

// One table as typed into a settings row of the window: first cell, rows, columns.
struct Table {
    QString first, rows, cols;
};
using Tables = QList<Table>;

QStringList tableArguments(const Tables &tables)
{
    QStringList args;
    for (const Table &table : tables)
        args << "--table" << table.first + ':' + table.rows + 'x' + table.cols;
    return args;
}

QByteArray crlf(const QList<QByteArray> &lines)
{
    QByteArray document;
    for (const QByteArray &line : lines)
        document += line + "\r\n";
    return document;
}

const QByteArray workedExample = crlf(
    { "Results", "", "StarA", "V", "B-V", "1", "12.3", "0.45", "2", "12.9", "0.51", "", "End" });
const QByteArray workedExampleConverted
    = crlf({ "Results", "", "StarA&V&B-V\\\\", "1&12.3&0.45\\\\", "2&12.9&0.51\\\\", "", "End" });
const QByteArray precious = "precious, not to be lost\r\n";

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

struct Run {
    int exitCode = -1; // -1: did not finish, or crashed
    QByteArray out, err;
};

// With a user other than 0, the program runs as that user (and its group), for permissions that
// hold back everyone but root.
Run runConvert(
    const QStringList &args, const QString &folder, const QString &stdoutFile = {}, uid_t user = 0)
{
    QProcess process;
    if (user != 0) {
        process.setChildProcessModifier([user] {
            if (setgid(user) != 0 || setuid(user) != 0)
                _exit(99);
        });
    }
    process.setProgram(CELLWRIGHT_CONVERT);
    process.setArguments(args);
    process.setWorkingDirectory(folder);
    if (!stdoutFile.isEmpty())
        process.setStandardOutputFile(stdoutFile);
    process.start();
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// What the window does with the same document and boxes: read, Convert, Save.
struct WindowRun {
    QByteArray saved;
    QStringList messages;
};

WindowRun windowSave(const QByteArray &document, const Tables &tables)
{
    WindowRun result;
    QTemporaryDir dir;
    if (!writeFile(dir.filePath("paper.txt"), document))
        return result;

    ConversionState state;
    FakeMainWindow window;
    Read_Textfile engine(state, window);
    state.OpenFolder = dir.path().toStdU16String();
    state.OpenFileName = u"paper.txt";
    engine.ReadDocument();
    window.listIndex = int(tables.size()) - 1;
    for (int t = 1; t <= tables.size(); ++t) {
        const Table &table = tables[t - 1];
        window.describe(t, table.first.toStdU16String(), table.rows.toStdU16String(),
            table.cols.toStdU16String());
    }
    if (window.messages.empty()) {
        engine.CaptureTableSettings();
        engine.ConvertTables();
    }
    if (window.messages.empty()) {
        state.SaveFolder = dir.path().toStdU16String();
        state.SaveFileName = u"saved.txt";
        if (engine.WriteDocument())
            result.saved = readFile(dir.filePath("saved.txt"));
    }
    for (const std::u16string &message : window.messages)
        result.messages << QString::fromStdU16String(message);
    return result;
}

QByteArray manyLines(int count)
{
    QByteArray document;
    for (int i = 1; i <= count; ++i)
        document += "line " + QByteArray::number(i) + "\r\n";
    return document;
}

// The document as the engine reads it, for what the finder proposes in it.
ConversionState readState(const QByteArray &document)
{
    QTemporaryDir dir;
    ConversionState state;
    FakeMainWindow window;
    writeFile(dir.filePath("paper.txt"), document);
    state.OpenFolder = dir.path().toStdU16String();
    state.OpenFileName = u"paper.txt";
    Read_Textfile(state, window).ReadDocument();
    return state;
}

// The document with every proposed block written as rows; proposals never overlap, so each block
// is taken from the document as read.
QByteArray convertedAt(
    ConversionState state, const std::vector<TableProposal> &proposals, bool escape)
{
    std::vector<std::u16string> lines;
    auto next = proposals.begin();
    for (int n = 1; n <= state.SourceLineCount; ++n) {
        if (next == proposals.end() || next->FirstLine != n) {
            lines.push_back(state.SourceLines[n]);
            continue;
        }
        for (int r = 0; r < next->Rows; ++r, n += next->Cols) {
            std::u16string row;
            for (int c = 0; c < next->Cols; ++c) {
                const std::u16string &cell = state.SourceLines[n + c];
                row += (c ? u"&" : u"") + (escape ? EscapeLatexCell(cell) : cell);
            }
            lines.push_back(row + u"\\\\");
        }
        --n;
        ++next;
    }
    std::copy(lines.begin(), lines.end(), state.WorkLines.begin() + 1);
    state.WorkLineCount = static_cast<int16_t>(lines.size());
    return QByteArray::fromStdString(EncodeDocument(state));
}

const QByteArray alikeFirstCells = "Observations of the night, as logged by the first observer.\n"
                                   "Obs\nTime\nMag\n1\n20:15\n12.1\n2\n20:45\n12.3\n3\n21:10\n"
                                   "12.2\n4\n21:40\n12.6\n"
                                   "The second observer logged fewer columns.\n"
                                   "Obs\nMag\n1\n11.9\n2\n12.0\n3\n12.4\n4\n12.5\n5\n12.2\n"
                                   "End of the log.\n";
const QByteArray alikeConverted
    = crlf({ "Observations of the night, as logged by the first observer.", "Obs&Time&Mag\\\\",
        "1&20:15&12.1\\\\", "2&20:45&12.3\\\\", "3&21:10&12.2\\\\", "4&21:40&12.6\\\\",
        "The second observer logged fewer columns.", "Obs&Mag\\\\", "1&11.9\\\\", "2&12.0\\\\",
        "3&12.4\\\\", "4&12.5\\\\", "5&12.2\\\\", "End of the log." });
} // namespace

class TestCellwrightConvert : public QObject {
    Q_OBJECT

private slots:
    void helpAndVersion_data();
    void helpAndVersion();
    void usageErrors_data();
    void usageErrors();
    void optionSpellings_data();
    void optionSpellings();
    void standardOutputIsWhatTheWindowSaves_data();
    void standardOutputIsWhatTheWindowSaves();
    void realExports_data();
    void realExports();
    void refusedConversionWritesNothing_data();
    void refusedConversionWritesNothing();
    void unreadableDocument_data();
    void unreadableDocument();
    void outputFailures_data();
    void outputFailures();
    void sharedFolder_data();
    void sharedFolder();
    void checkReport_data();
    void checkReport();
    void findAndAuto_data();
    void findAndAuto();
    void tablesByPlaceAndInPasses_data();
    void tablesByPlaceAndInPasses();
};

void TestCellwrightConvert::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("expected"); // the start of standard output

    const QByteArray usage = "Usage: cellwright-convert [--escape] --table TEXT[:ROWSxCOLS]";
    QTest::newRow("--help") << QStringList { "--help" } << usage;
    QTest::newRow("-h") << QStringList { "-h" } << usage;
    QTest::newRow("help before a bad table") << QStringList { "--help", "--table", "bad" } << usage;
    QTest::newRow("--version") << QStringList { "--version" }
                               << QByteArray(
                                      "cellwright-convert (Cellwright) " CELLWRIGHT_VERSION "\n");
}

void TestCellwrightConvert::helpAndVersion()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;

    const Run run = runConvert(args, dir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(expected), run.out.constData());
    QCOMPARE(run.err, QByteArray());
    QVERIFY(listing(dir.path()).isEmpty());
}

void TestCellwrightConvert::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named"); // what the message must name

    const QStringList paper { "paper.txt" };
    const auto table = [](const QString &argument) { return QStringList { "--table", argument }; };

    QTest::newRow("no arguments") << QStringList {} << "no input document";
    QTest::newRow("no table") << paper << "no --table";
    QTest::newRow("zero rows") << table("StarA:0x3") + paper << "'StarA:0x3'";
    QTest::newRow("zero columns") << table("StarA:3x00") + paper << "'StarA:3x00'";
    QTest::newRow("columns missing") << table("StarA:3x") + paper << "'StarA:3x'";
    QTest::newRow("rows with a fraction") << table("StarA:2.5x3") + paper << "'StarA:2.5x3'";
    QTest::newRow("negative rows") << table("StarA:-3x3") + paper << "'StarA:-3x3'";
    QTest::newRow("blank in the size") << table("StarA:3 x3") + paper << "'StarA:3 x3'";
    QTest::newRow("three sizes") << table("StarA:3x3x3") + paper << "'StarA:3x3x3'";
    QTest::newRow("text ending in what looks like a size")
        << table("Time: 12") + paper << "end TEXT with \":\"";
    QTest::newRow("line number 0") << table("0\tStarA:3x3") + paper << "'0'";
    QTest::newRow("--find with a table")
        << QStringList { "--find" } + table("StarA:3x3") + paper << "'StarA:3x3'";
    QTest::newRow("--find with --escape")
        << QStringList { "--find", "--escape" } + paper << "--escape";
    QTest::newRow("--auto with a table")
        << QStringList { "--auto" } + table("StarA:3x3") + paper << "'StarA:3x3'";
    QTest::newRow("table without value") << paper + QStringList { "--table" } << "--table";
    QTest::newRow("output without value")
        << table("StarA:3x3") + paper + QStringList { "-o" } << "-o";
    QTest::newRow("unknown option")
        << table("StarA:3x3") + QStringList { "--fast" } + paper << "'--fast'";
    QTest::newRow("two inputs") << table("StarA:3x3") + paper + QStringList { "other.txt" }
                                << "'other.txt'";
    QTest::newRow("two outputs") << table("StarA:3x3") + paper
            + QStringList { "-o", "out.txt", "-o", "second.txt" }
                                 << "'second.txt'";
    QTest::newRow("check with an output")
        << QStringList { "--check" } + table("StarA:3x3") + paper + QStringList { "-o", "out.txt" }
        << "'out.txt'";
    QTest::newRow("output naming no file")
        << table("StarA:3x3") + paper + QStringList { "-o", "sub/" } << "'sub/'";
    QTest::newRow("empty input name") << table("StarA:3x3") + QStringList { "" } << "input name";
    QTest::newRow("empty first cell")
        << table(":3x3") + paper << "':3x3': the text of the top-left";
    QTest::newRow("empty first cell without a size")
        << table("StarA:3x3") + table("") + paper << "'': the text of the top-left cell is empty";
}

void TestCellwrightConvert::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("paper.txt"), workedExample));
    QVERIFY(writeFile(dir.filePath("out.txt"), precious));

    const Run run = runConvert(args, dir.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("cellwright-convert: "), run.err.constData());
    QVERIFY2(run.err.contains(named.toUtf8()), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(readFile(dir.filePath("out.txt")), precious);
    QCOMPARE(readFile(dir.filePath("paper.txt")), workedExample);
    QCOMPARE(listing(dir.path()), QStringList({ "out.txt", "paper.txt" }));
}

void TestCellwrightConvert::optionSpellings_data()
{
    QTest::addColumn<QStringList>("args"); // @DIR@ stands for the folder the program starts in
    QTest::addColumn<QString>("written"); // where the converted document must land

    QTest::newRow("-o OUTPUT") << QStringList { "--table", "StarA:3x3", "paper.txt", "-o",
        "out.tex" } << "out.tex";
    QTest::newRow("-oOUTPUT") << QStringList { "--table", "StarA:3x3", "-oout.tex", "paper.txt" }
                              << "out.tex";
    QTest::newRow("--output=OUTPUT")
        << QStringList { "paper.txt", "--output=out.tex", "--table", "StarA:3x3" } << "out.tex";
    QTest::newRow("--table=VALUE")
        << QStringList { "--table=StarA:3x3", "paper.txt", "--output", "out.tex" } << "out.tex";
    QTest::newRow("uppercase X in the size")
        << QStringList { "--table", "StarA:3X3", "paper.txt", "-o", "out.tex" } << "out.tex";
    QTest::newRow("names relative to the starting folder")
        << QStringList { "--table", "StarA:3x3", "sub/paper.txt", "-o", "out.tex" } << "out.tex";
    QTest::newRow("output into another folder")
        << QStringList { "--table", "StarA:3x3", "paper.txt", "-o", "sub/../sub/out.tex" }
        << "sub/out.tex";
    QTest::newRow("absolute names") << QStringList { "--table", "StarA:3x3", "@DIR@/paper.txt",
        "-o", "@DIR@/sub/out.tex" } << "sub/out.tex";
    QTest::newRow("input after --")
        << QStringList { "--table", "StarA:3x3", "-o", "out.tex", "--", "-paper.txt" } << "out.tex";
    QTest::newRow("output replacing the input")
        << QStringList { "--table", "StarA:3x3", "paper.txt", "-o", "paper.txt" } << "paper.txt";
    // Standard output is a pipe here, which no file can replace.
    QTest::newRow("-o - is standard output")
        << QStringList { "--table", "StarA:3x3", "paper.txt", "-o", "-" } << QString();
    QTest::newRow("-o /dev/stdout is standard output")
        << QStringList { "--table", "StarA:3x3", "paper.txt", "-o", "/dev/stdout" } << QString();
}

void TestCellwrightConvert::optionSpellings()
{
    QFETCH(QStringList, args);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    for (const QString name : { "paper.txt", "-paper.txt", "sub/paper.txt" })
        QVERIFY(writeFile(dir.filePath(name), workedExample));
    args.replaceInStrings("@DIR@", dir.path());

    const Run run = runConvert(args, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, written.isEmpty() ? workedExampleConverted : QByteArray());
    if (!written.isEmpty())
        QCOMPARE(readFile(dir.filePath(written)), workedExampleConverted);
}

void TestCellwrightConvert::standardOutputIsWhatTheWindowSaves_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<Tables>("tables");

    QTest::newRow("worked example") << workedExample << Tables { { "StarA", "3", "3" } };
    QTest::newRow("header as a one-column table")
        << workedExample << Tables { { "Results", "3", "1" } };
    QTest::newRow("one table found twice")
        << crlf({ "Obs", "a", "b", "c", "text", "Obs", "d", "e", "f", "end" })
        << Tables { { "Obs", "2", "2" } };
    QTest::newRow("six tables") << crlf({ "T1", "a", "T2", "b", "c", "d", "T3", "T4", "e", "T5",
        "f", "g", "T6", "h", "i", "j", "k", "l", "tail" })
                                << Tables { { "T1", "1", "2" }, { "T2", "2", "2" },
                                       { "T3", "1", "1" }, { "T4", "1", "2" }, { "T5", "3", "1" },
                                       { "T6", "2", "3" } };
    QTest::newRow("first cell holding a colon")
        << crlf({ "Time: UT", "V", "20:15", "12.1", "after" })
        << Tables { { "Time: UT", "2", "2" } };
    QTest::newRow("first box of spaces matching empty lines")
        << crlf({ "a", "", "b", "", "c", "x" }) << Tables { { "  ", "1", "2" } };
    QTest::newRow("document normalised around a table")
        << QByteArray("   indented\r\n\tTab kept  \r\n\r\nno terminator")
        << Tables { { "indented", "1", "1" } };
    QTest::newRow("CR alone and LF inside a line")
        << QByteArray("  Head\rStarA\r\n  1\r2\n3\r4") << Tables { { "StarA", "2", "2" } };
    QTest::newRow("UTF-8 with byte-order mark and a non-ASCII first cell")
        << "\xEF\xBB\xBF"
            + crlf({ "Gr\xC3\xB6\xC3\x9F"
                     "e",
                "Wert", "\xC3\xBC", "1", "Ende" })
        << Tables { { QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                                        "e"),
               "2", "2" } };
    QTest::newRow("Windows-1252 bytes kept")
        << crlf({ "Caf\xE9", "\x80 cost", QByteArray("\0nul", 4), "x\xFF", "tail" })
        << Tables { { QString::fromUtf8("Caf\xC3\xA9"), "2", "2" } };
    QTest::newRow("LF line ends") << QByteArray(workedExample).replace("\r\n", "\n")
                                  << Tables { { "StarA", "3", "3" } };
    QTest::newRow("5000 lines, the limit")
        << manyLines(4998) + crlf({ "Last", "cell" }) << Tables { { "Last", "1", "2" } };
}

void TestCellwrightConvert::standardOutputIsWhatTheWindowSaves()
{
    QFETCH(QByteArray, document);
    QFETCH(Tables, tables);
    const WindowRun window = windowSave(document, tables);
    QCOMPARE(window.messages, QStringList());
    QVERIFY(!window.saved.isEmpty());
    if (QByteArray(QTest::currentDataTag()) == "worked example")
        QCOMPARE(window.saved, workedExampleConverted);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("paper.txt"), document));
    const QStringList args = tableArguments(tables) << "paper.txt";

    const Run toStdout = runConvert(args, dir.path());
    QCOMPARE(toStdout.exitCode, 0);
    QCOMPARE(toStdout.err, QByteArray());
    QCOMPARE(toStdout.out, window.saved);

    const Run toFile = runConvert(QStringList(args) << "-o"
                                                    << "out.txt",
        dir.path());
    QCOMPARE(toFile.exitCode, 0);
    QCOMPARE(toFile.out, QByteArray());
    QCOMPARE(readFile(dir.filePath("out.txt")), window.saved);
    QCOMPARE(readFile(dir.filePath("paper.txt")), document);
}

void TestCellwrightConvert::realExports_data()
{
    QTest::addColumn<QString>("name"); // in tests/data/real, without .txt
    QTest::addColumn<Tables>("tables");

    const Tables stars { { "Star", "8", "4" }, { "Item", "5", "3" } };
    const Tables planets { { "Planet", "9", "4" }, { "Dwarf planet", "6", "1" } };
    QTest::newRow("stars, UTF-8 with LF") << "stars-lf" << stars;
    QTest::newRow("stars, Windows-1252 with CR LF") << "stars-crlf-1252" << stars;
    QTest::newRow("stars, UTF-16 with CR LF") << "stars-crlf-utf16" << stars;
    QTest::newRow("planets, UTF-8 with LF") << "planets-lf" << planets;
    QTest::newRow("planets, Windows-1252 with CR LF") << "planets-crlf-1252" << planets;
}

void TestCellwrightConvert::realExports()
{
    QFETCH(QString, name);
    QFETCH(Tables, tables);
    const QString base = QStringLiteral(CELLWRIGHT_TEST_DATA "/real/") + name;
    const QByteArray document = readFile(base + ".txt");
    const QByteArray expected = readFile(base + ".tex");
    QVERIFY(!document.isEmpty() && !expected.isEmpty());

    const WindowRun window = windowSave(document, tables);
    QCOMPARE(window.messages, QStringList());
    QCOMPARE(window.saved, expected);

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("paper.txt"), document));
    const Run run = runConvert(tableArguments(tables) << "paper.txt"
                                                      << "-o"
                                                      << "paper.tex",
        dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(readFile(dir.filePath("paper.tex")), expected);
}

void TestCellwrightConvert::refusedConversionWritesNothing_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<Tables>("tables");

    QTest::newRow("block past the end") << workedExample << Tables { { "End", "3", "3" } };
    QTest::newRow("second table past the end after the first")
        << workedExample << Tables { { "StarA", "3", "3" }, { "End", "2", "1" } };
    QTest::newRow("found twice, the second past the end")
        << crlf({ "Obs", "a", "Obs", "b", "Obs" }) << Tables { { "Obs", "1", "2" } };
    QTest::newRow("more than 32767 cells") << workedExample << Tables { { "StarA", "200", "200" } };
    QTest::newRow("rows beyond 16 bits") << workedExample << Tables { { "StarA", "40000", "1" } };
    QTest::newRow("LF document, second table past the end")
        << QByteArray(workedExample).replace("\r\n", "\n")
        << Tables { { "StarA", "3", "3" }, { "End", "2", "1" } };
}

void TestCellwrightConvert::refusedConversionWritesNothing()
{
    QFETCH(QByteArray, document);
    QFETCH(Tables, tables);
    const WindowRun window = windowSave(document, tables);
    QCOMPARE(window.messages.size(), 1);
    const QByteArray message = "cellwright-convert: " + window.messages.first().toUtf8() + "\n";

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("paper.txt"), document));
    QVERIFY(writeFile(dir.filePath("out.txt"), precious));
    const QStringList args = tableArguments(tables) << "paper.txt";

    const Run toStdout = runConvert(args, dir.path());
    QCOMPARE(toStdout.exitCode, 1);
    QCOMPARE(toStdout.err, message);
    QCOMPARE(toStdout.out, QByteArray());

    const Run toFile = runConvert(QStringList(args) << "-o"
                                                    << "out.txt",
        dir.path());
    QCOMPARE(toFile.exitCode, 1);
    QCOMPARE(toFile.err, message);
    QCOMPARE(readFile(dir.filePath("out.txt")), precious);
    QCOMPARE(listing(dir.path()), QStringList({ "out.txt", "paper.txt" }));
}

void TestCellwrightConvert::unreadableDocument_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("document"); // written as paper.txt
    QTest::addColumn<QByteArray>("reason");

    QTest::newRow("missing file") << "missing.txt" << workedExample << QByteArray("no such file");
    QTest::newRow("empty file") << "paper.txt" << QByteArray() << QByteArray("the file is empty");
    QTest::newRow("5001 lines") << "paper.txt" << manyLines(5001)
                                << QByteArray("it has more than 5000 lines");
    QTest::newRow("5001 LF lines") << "paper.txt" << manyLines(5001).replace("\r\n", "\n")
                                   << QByteArray("it has more than 5000 lines");
    QTest::newRow("a folder") << "sub" << workedExample << QByteArray("it is a folder, not a file");
    QTest::newRow("missing folder")
        << "nowhere/paper.txt" << workedExample << QByteArray("no such file");
    QTest::newRow("a named pipe") << "fifo" << workedExample
                                  << QByteArray("it is not a regular file");
    QTest::newRow("larger than 64 MiB")
        << "huge.txt" << workedExample << QByteArray("it is larger than 64 MiB");
    QTest::newRow("permission denied")
        << "secret.txt" << workedExample << QByteArray("permission denied");
}

void TestCellwrightConvert::unreadableDocument()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, document);
    QFETCH(QByteArray, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(writeFile(dir.filePath("paper.txt"), document));
    QVERIFY(writeFile(dir.filePath("out.txt"), precious));
    QStringList made;
    if (input == "fifo")
        QCOMPARE(mkfifo(dir.filePath(input).toLocal8Bit().constData(), 0600), 0);
    if (input == "huge.txt") {
        QFile huge(dir.filePath(input));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize((64 << 20) + 1));
    }
    uid_t user = 0;
    if (input == "secret.txt") {
        QVERIFY(writeFile(dir.filePath(input), document));
        QVERIFY(QFile::setPermissions(dir.filePath(input), QFile::ReadOwner | QFile::WriteOwner));
        // Root reads any file: the program runs as another user, who may write in the folder.
        QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)));
        user = 65534;
    }
    if (!input.contains('/') && input != "sub" && input != "paper.txt" && input != "missing.txt")
        made << input;
    const QByteArray message = "cellwright-convert: " + input.toUtf8() + ": " + reason + "\n";

    for (const QStringList &output : { QStringList {}, QStringList { "-o", "out.txt" } }) {
        for (const QString &check : { QString(), QString("--check") }) {
            if (!check.isEmpty() && !output.isEmpty())
                continue;
            QStringList args { "--table", "StarA:3x3", input };
            if (!check.isEmpty())
                args.prepend(check);
            const Run run = runConvert(args + output, dir.path(), {}, user);
            QCOMPARE(run.exitCode, 1);
            QCOMPARE(run.err, message);
            QCOMPARE(run.out, QByteArray());
        }
    }
    QCOMPARE(readFile(dir.filePath("out.txt")), precious);
    QStringList expected = QStringList({ "out.txt", "paper.txt", "sub" }) + made;
    expected.sort();
    QCOMPARE(listing(dir.path()), expected);
}

void TestCellwrightConvert::outputFailures_data()
{
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QString>("stdoutFile");
    QTest::addColumn<QByteArray>("complaint"); // the start of standard error

    QTest::newRow("output folder missing")
        << QStringList { "-o", "nowhere/out.txt" } << QString()
        << QByteArray("cellwright-convert: Could not save out.txt: ");
    QTest::newRow("output is a folder") << QStringList { "-o", "sub" } << QString()
                                        << QByteArray("cellwright-convert: Could not save sub: ");
    QTest::newRow("standard output full")
        << QStringList {} << "/dev/full"
        << QByteArray("cellwright-convert: could not write to standard output: ");
}

void TestCellwrightConvert::outputFailures()
{
    QFETCH(QStringList, output);
    QFETCH(QString, stdoutFile);
    QFETCH(QByteArray, complaint);
    if (!stdoutFile.isEmpty() && !QFileInfo::exists(stdoutFile))
        QSKIP("this system has no /dev/full");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(writeFile(dir.filePath("paper.txt"), workedExample));

    const Run run = runConvert(
        QStringList { "--table", "StarA:3x3", "paper.txt" } + output, dir.path(), stdoutFile);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(complaint), run.err.constData());
    QVERIFY2(run.err.count('\n') == 1 && run.err.endsWith('\n'), run.err.constData());
    QCOMPARE(listing(dir.path()), QStringList({ "paper.txt", "sub" }));
    QVERIFY(listing(dir.filePath("sub")).isEmpty());
}

void TestCellwrightConvert::sharedFolder_data()
{
    QTest::addColumn<QString>("planted"); // what stands at shared/paper.tex when bob saves there
    QTest::addColumn<QByteArray>("complaint"); // empty: saved

    QTest::newRow("another user's link, not followed")
        << "alice's link"
        << QByteArray(
               "Could not save paper.tex: the link shared/paper.tex belongs to another user");
    QTest::newRow("one's own link, followed") << "bob's link" << QByteArray();
    QTest::newRow("the folder owner's link, followed") << "root's link" << QByteArray();
    QTest::newRow("another user's file, writable but not to be replaced")
        << "alice's file"
        << QByteArray("replacing another user's file is not allowed in this folder");
    QTest::newRow("a link that loops")
        << "a loop" << QByteArray("Could not save paper.tex: Too many levels");
}

// A folder everyone may write to, with the sticky bit, like /tmp: bob saves there, where alice
// may have planted a link to a file in bob's own folder.
void TestCellwrightConvert::sharedFolder()
{
    QFETCH(QString, planted);
    QFETCH(QByteArray, complaint);
    if (geteuid() != 0)
        QSKIP("switching between users needs root");
    constexpr uid_t alice = 65534, bob = 65533;
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)));
    QVERIFY(QDir(dir.path()).mkdir("shared"));
    QCOMPARE(chmod(dir.filePath("shared").toLocal8Bit().constData(), 01777), 0);
    QVERIFY(writeFile(dir.filePath("paper.txt"), workedExample));
    QVERIFY(QDir(dir.path()).mkdir("bob"));
    QVERIFY(writeFile(dir.filePath("bob/bobs.tex"), precious));
    for (const QString name : { "bob", "bob/bobs.tex" })
        QCOMPARE(chown(dir.filePath(name).toLocal8Bit().constData(), bob, bob), 0);
    const QByteArray at = dir.filePath("shared/paper.tex").toLocal8Bit();
    if (planted == "alice's file") {
        QVERIFY(writeFile(at, precious));
        QCOMPARE(chown(at.constData(), alice, alice), 0);
        QCOMPARE(chmod(at.constData(), 0666), 0);
    } else {
        QCOMPARE(symlink(planted == "a loop" ? "paper.tex" : "../bob/bobs.tex", at.constData()), 0);
        const uid_t owner = planted.startsWith("alice") ? alice
            : planted.startsWith("bob")                 ? bob
                                                        : 0;
        QCOMPARE(lchown(at.constData(), owner, owner), 0);
    }

    const Run run = runConvert(
        { "--table", "StarA:3x3", "paper.txt", "-o", "shared/paper.tex" }, dir.path(), {}, bob);
    QCOMPARE(run.exitCode, complaint.isEmpty() ? 0 : 1);
    if (complaint.isEmpty())
        QCOMPARE(run.err, QByteArray());
    else
        QVERIFY2(run.err.contains(complaint), run.err.constData());
    const bool followed = planted.endsWith("link") && complaint.isEmpty();
    QCOMPARE(readFile(dir.filePath("bob/bobs.tex")), followed ? workedExampleConverted : precious);
    QCOMPARE(QFileInfo(at).isSymLink(), planted != "alice's file");
    if (planted == "alice's file")
        QCOMPARE(readFile(at), precious);
    QCOMPARE(listing(dir.filePath("shared")), QStringList { "paper.tex" });
}

void TestCellwrightConvert::checkReport_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<Tables>("tables");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QByteArray>("complaint");
    QTest::addColumn<QStringList>("options");

    // Line numbers are those of the document as read, also for a block found after an earlier
    // one has shrunk the document.
    QTest::newRow("found twice, one not fitting, one missing")
        << crlf({ "Title", "StarA", "a&b", "c", "d%", "", "StarA", "$\\sim$", "y_1", "z", "Tail",
               "Time: UT", "1", "End" })
        << Tables { { "StarA", "2", "2" }, { "Time: UT", "2", "2" }, { "Missing", "1", "1" } } << 1
        << QByteArray("Table 1 \"StarA\", 2 rows x 2 columns:\n"
                      "  found at line 2, block lines 2-5: fits\n"
                      "    warning: line 3 \"a&b\" holds &\n"
                      "    warning: line 5 \"d%\" holds %\n"
                      "  found at line 7, block lines 7-10: fits\n"
                      "    warning: line 8 \"$\\sim$\" holds $ and \\\n"
                      "    warning: line 9 \"y_1\" holds _\n"
                      "Table 2 \"Time: UT\", 2 rows x 2 columns:\n"
                      "  found at line 12, block lines 12-15: does not fit, the document ends at "
                      "line 14\n"
                      "Table 3 \"Missing\", 1 row x 1 column:\n"
                      "  not found\n"
                      "Check failed: table 3 not found; table 2 does not fit.\n")
        << QByteArray() << QStringList();
    QTest::newRow("every table fits")
        << crlf({ "x", "T", "{a}", "~^#", "T2", "plain" })
        << Tables { { "T", "1", "3" }, { " T2 ", "1", "2" } } << 0
        << QByteArray("Table 1 \"T\", 1 row x 3 columns:\n"
                      "  found at line 2, block lines 2-4: fits\n"
                      "    warning: line 3 \"{a}\" holds { and }\n"
                      "    warning: line 4 \"~^#\" holds ~, ^ and #\n"
                      "Table 2 \" T2 \", 1 row x 2 columns:\n"
                      "  found at line 5, block lines 5-6: fits\n"
                      "Check passed: every table found, every block fits.\n")
        << QByteArray() << QStringList();
    QTest::newRow("escaped cells resolved")
        << crlf({ "x", "T", "{a}", "~^#", "plain" }) << Tables { { "T", "1", "3" } } << 0
        << QByteArray("Table 1 \"T\", 1 row x 3 columns:\n"
                      "  found at line 2, block lines 2-4: fits\n"
                      "    resolved by --escape: line 3 \"{a}\" holds { and }\n"
                      "    resolved by --escape: line 4 \"~^#\" holds ~, ^ and #\n"
                      "Check passed: every table found, every block fits.\n")
        << QByteArray() << QStringList { "--escape" };
    QTest::newRow("a pasted line, looked for at its line only")
        << crlf({ "Obs", "a", "Obs", "b", "c", "d" }) << Tables { { "3\tObs", "2", "2" } } << 0
        << QByteArray("Table 1 \"Obs\" at line 3, 2 rows x 2 columns:\n"
                      "  found at line 3, block lines 3-6: fits\n"
                      "Check passed: every table found, every block fits.\n")
        << QByteArray() << QStringList();
    QTest::newRow("first cell inside an earlier block")
        << workedExample << Tables { { "StarA", "3", "3" }, { "B-V", "1", "1" } } << 1
        << QByteArray("Table 1 \"StarA\", 3 rows x 3 columns:\n"
                      "  found at line 3, block lines 3-11: fits\n"
                      "Table 2 \"B-V\", 1 row x 1 column:\n"
                      "  not found\n"
                      "Check failed: table 2 not found.\n")
        << QByteArray() << QStringList();
    QTest::newRow("control characters shown, not sent to the terminal")
        << crlf({ "T\xC2\x9B", "x\x1b&y" })
        << Tables { { QString::fromUtf8("T\xC2\x9B"), "1", "2" } } << 0
        << QByteArray("Table 1 \"T\\x9b\", 1 row x 2 columns:\n"
                      "  found at line 1, block lines 1-2: fits\n"
                      "    warning: line 2 \"x^[&y\" holds &\n"
                      "Check passed: every table found, every block fits.\n")
        << QByteArray() << QStringList();
    QTest::newRow("refused before the search")
        << workedExample << Tables { { "StarA", "3", "3" }, { "End", "200", "200" } } << 1
        << QByteArray()
        << QByteArray("cellwright-convert: Table 2 is too large: rows \u00d7 columns must not "
                      "exceed 32767.\n")
        << QStringList();
}

void TestCellwrightConvert::checkReport()
{
    QFETCH(QByteArray, document);
    QFETCH(Tables, tables);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, report);
    QFETCH(QByteArray, complaint);
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("paper.txt"), document));

    const Run run = runConvert(
        QStringList { "--check" } + options + tableArguments(tables) << "paper.txt", dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, report);
    QCOMPARE(run.err, complaint);
    QCOMPARE(readFile(dir.filePath("paper.txt")), document);
    QCOMPARE(listing(dir.path()), QStringList({ "paper.txt" }));
}

void TestCellwrightConvert::findAndAuto_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("escape");
    QTest::addColumn<bool>("alike"); // two proposals share a first cell but not a size

    QTest::newRow("alike first cells of different sizes") << alikeFirstCells << false << true;
    QTest::newRow("special characters escaped, CR LF")
        << crlf({ "Budget of the season, in dollars.", "Item", "Share", "Cost", "R&D", "12%",
               "$300", "Travel_costs", "40%", "$1000", "Filters {B,V}", "", "~$250", "Reduction #2",
               "5^2 h", "\\relax", "References follow the tables." })
        << true << false;
    QTest::newRow("prose only") << crlf({ "A paper without tables.", "Only prose, line by line." })
                                << false << false;
    // A cell that would clear the terminal and start a C1 control sequence.
    QTest::newRow("control characters in a first cell")
        << QByteArray(alikeFirstCells).replace("Obs\nTime", "Obs\x1b[2J\xC2\x9B\nTime") << false
        << false;
}

void TestCellwrightConvert::findAndAuto()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, escape);
    QFETCH(bool, alike);
    const ConversionState state = readState(document);
    const std::vector<TableProposal> proposals = FindTables(state);
    QByteArray listed;
    bool differ = false;
    for (auto p = proposals.begin(); p != proposals.end(); ++p) {
        // Control characters are shown escaped, never sent to the terminal.
        QString shown;
        for (const QChar c : QString::fromStdU16String(p->FirstCell)) {
            const bool control = (c < u' ' && c != u'\t') || (c >= u'\x7f' && c <= u'\x9f');
            shown += control ? QString("\\x%1").arg(c.unicode(), 2, 16, QChar('0')) : QString(c);
        }
        listed += QByteArray::number(p->FirstLine) + '\t' + shown.toUtf8() + ':'
            + QByteArray::number(p->Rows) + 'x' + QByteArray::number(p->Cols) + '\n';
        differ = differ || std::any_of(proposals.begin(), p, [&](const TableProposal &q) {
            return q.FirstCell == p->FirstCell && (q.Rows != p->Rows || q.Cols != p->Cols);
        });
    }
    QCOMPARE(differ, alike);
    const int found = proposals.empty() ? 1 : 0;

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("paper.txt"), document));
    const Run find = runConvert({ "--find", "paper.txt" }, dir.path());
    QCOMPARE(find.exitCode, found);
    QCOMPARE(find.out, listed);
    QCOMPARE(find.err.contains("sizes differ"), alike);
    QCOMPARE(find.err.contains("no table found"), proposals.empty());
    QCOMPARE(find.out.contains("\\x1b[2J\\xc2\\x9b") || find.out.contains("\\x1b[2J\\x9b"),
        QByteArray(QTest::currentDataTag()).startsWith("control"));

    const QStringList escaping = escape ? QStringList { "--escape" } : QStringList {};
    const Run automatic = runConvert(escaping + QStringList { "--auto", "paper.txt" }, dir.path());
    QCOMPARE(automatic.exitCode, found);
    QCOMPARE(
        automatic.out, proposals.empty() ? QByteArray() : convertedAt(state, proposals, escape));

    // The lines --find printed, pasted whole as --table arguments, name the same tables.
    QStringList pasted;
    for (const QByteArray &line : listed.split('\n')) {
        if (!line.isEmpty())
            pasted << "--table" << QString::fromUtf8(line);
    }
    if (!pasted.isEmpty())
        QCOMPARE(runConvert(escaping + pasted << "paper.txt", dir.path()).out, automatic.out);
}

void TestCellwrightConvert::tablesByPlaceAndInPasses_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("args"); // paper.txt follows
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("complaint"); // a part of standard error; empty: none at all

    const auto tables = [](const QStringList &arguments) {
        QStringList args;
        for (const QString &argument : arguments)
            args << "--table" << argument;
        return args;
    };
    QTest::newRow("pasted lines tell alike first cells apart")
        << alikeFirstCells << tables({ "18\tObs:6x2", "2\tObs:5x3" }) << 0 << alikeConverted
        << QByteArray();
    QTest::newRow("without a size, each block sized where it stands")
        << alikeFirstCells << tables({ "Obs" }) << 0 << alikeConverted << QByteArray();
    QTest::newRow("without a size, the text found nowhere")
        << alikeFirstCells << tables({ "Obs", "Nowhere:" }) << 1 << QByteArray()
        << QByteArray("--table 'Nowhere:': no line of paper.txt holds \"Nowhere\"");
    QTest::newRow("a pasted line with an empty first cell")
        << crlf({ "Head", "", "A", "B", "1", "2", "3", "", "End" }) << tables({ "2\t:2x3" }) << 0
        << crlf({ "Head", "&A&B\\\\", "1&2&3\\\\", "", "End" }) << QByteArray();
    QTest::newRow("a pasted line the document no longer holds")
        << workedExample << tables({ "4\tStarA:3x3" }) << 1 << QByteArray()
        << QByteArray("line 4 of paper.txt holds \"V\", not \"StarA\"");
    QTest::newRow("a pasted size with leading zeros")
        << workedExample << tables({ "3\tStarA:0000003x03" }) << 0 << workedExampleConverted
        << QByteArray();
    QTest::newRow("a pasted line past the end")
        << workedExample << tables({ "14\tStarA:3x3" }) << 1 << QByteArray()
        << QByteArray("the line is past the end of paper.txt, which has 13 lines");
    QTest::newRow("a pasted line number past any document")
        << workedExample << tables({ "00001234567890123\tStarA" }) << 1 << QByteArray()
        << QByteArray("the line is past the end of paper.txt");
    QTest::newRow("a typo in the first cell")
        << workedExample << tables({ "StarA:3x3", "Sta:4x3" }) << 1 << QByteArray()
        << QByteArray("--table 'Sta:4x3' (table 2): no line of paper.txt holds \"Sta\"; nothing "
                      "was written\n");
    QTest::newRow("a typo among tables by place")
        << workedExample << tables({ "3\tStarA:3x3", "Sta:4x3" }) << 1 << QByteArray()
        << QByteArray("--table 'Sta:4x3' (table 2): no line of paper.txt holds \"Sta\"");
    QTest::newRow("an LF export with a stray CR")
        << QByteArray(workedExample).replace("\r\n", "\n").replace("V\n", "V\r")
        << tables({ "StarA:3x3" }) << 1 << QByteArray()
        << QByteArray("its LF were read as part of lines");
    QTest::newRow("a text the table before took, skipped as in the window")
        << workedExample << tables({ "StarA:3x3", "B-V:1x1" }) << 0 << workedExampleConverted
        << QByteArray();
    // Each block the finder did not propose would be sized on its own, the finder built anew.
    QByteArray manyBlocks;
    for (int i = 0; i < 1000; ++i)
        manyBlocks += "ID\r\nMag\r\n" + QByteArray::number(i) + "\r\n12."
            + QByteArray::number(i % 10) + (i % 2 ? "\r\nA note between tables.\r\n" : "\r\n");
    QTest::newRow("a text that starts a thousand blocks, no size given")
        << manyBlocks << tables({ "ID" }) << 1 << QByteArray()
        << QByteArray("--table 'ID': 1000 lines hold \"ID\"");
    // Each backslash escaped takes 16 characters: 17 MiB of them would pass 256 MiB.
    QTest::newRow("escaped cells past 256 MiB")
        << "T\r\n" + QByteArray(17 << 20, '\\') << QStringList { "--escape" } + tables({ "T:1x2" })
        << 1 << QByteArray()
        << QByteArray("Table 1 cannot be converted: the converted document would be larger than "
                      "256 MiB.");
    QTest::newRow("a pasted line an earlier table took")
        << workedExample << tables({ "StarA:3x3", "4\tV:1x1" }) << 1 << QByteArray()
        << QByteArray("Table 2 cannot start at line 4");
    QTest::newRow("escaped cells, the added & and \\\\ kept")
        << crlf({ "Item", "Cost", "R&D", "$3_0", "50%" })
        << QStringList { "--escape" } + tables({ "Item:2x2" }) << 0
        << crlf({ "Item&Cost\\\\", "R\\&D&\\$3\\_0\\\\", "50%" }) << QByteArray();

    const QByteArray eight = crlf({ "T1", "a", "T2", "b", "c", "d", "T3", "T4", "e", "T5", "f", "g",
        "T6", "h", "i", "j", "k", "l", "T7", "m", "T8", "n", "tail" });
    const QStringList firstSix
        = tables({ "T1:1x2", "T2:2x2", "T3:1x1", "T4:1x2", "T5:3x1", "T6:2x3" });
    // The second pass looks for T7 in the document the first pass left: its row "T1&a\\".
    QTest::newRow("the second pass sees the first one's rows")
        << eight << firstSix + tables({ "T1&a\\\\:1x1" }) << 0
        << crlf({ "T1&a\\\\\\\\", "T2&b\\\\", "c&d\\\\", "T3\\\\", "T4&e\\\\", "T5\\\\", "f\\\\",
               "g\\\\", "T6&h&i\\\\", "j&k&l\\\\", "T7", "m", "T8", "n", "tail" })
        << QByteArray();
    QTest::newRow("eight tables, the second pass refused")
        << eight << firstSix + tables({ "T7:1x2", "T8:9x2" }) << 1 << QByteArray()
        << QByteArray("--table 7 to 8 (tables 1 to 2 below): Table 2 does not fit");
}

void TestCellwrightConvert::tablesByPlaceAndInPasses()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, complaint);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("paper.txt"), document));

    const Run run = runConvert(args << "paper.txt", dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    if (complaint.isEmpty())
        QCOMPARE(run.err, QByteArray());
    else
        QVERIFY2(run.err.contains(complaint), run.err.constData());
    const Run written = runConvert(args << "-o"
                                        << "out.tex",
        dir.path());
    QCOMPARE(readFile(dir.filePath("out.tex")), exitCode ? QByteArray("(unreadable)") : out);
}

QTEST_GUILESS_MAIN(TestCellwrightConvert)
#include "tst_cellwright_convert.moc"
