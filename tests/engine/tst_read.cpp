// Reading a document: line ends, leading spaces, the line limit, encodings, and failed reads
// that leave the previous document exactly as it was.
#include "engine_fixture.h"
#include "text_codec.h"

#include <QtTest>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace cellwright;

namespace {

// Text in UTF-16 with its byte-order mark, as Qt encodes it.
QByteArray Utf16(const QString &text, bool little = true)
{
    QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
        QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

QByteArray RepeatLine(const QByteArray &line, int count, const QByteArray &end = "\r\n")
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += line + QByteArray::number(i) + end;
    return bytes;
}

// Everything a failed read must leave alone.
struct Snapshot {
    std::vector<std::u16string> source, work;
    int16_t sourceCount, workCount;
    TextEncoding encoding;
    std::u16string caption;
    bool convert, save, reset;
    std::array<bool, 6> view;

    explicit Snapshot(const EngineFixture &f)
        : source(f.state.SourceLines)
        , work(f.state.WorkLines)
        , sourceCount(f.state.SourceLineCount)
        , workCount(f.state.WorkLineCount)
        , encoding(f.state.DocumentEncoding)
        , caption(f.window.caption)
        , convert(f.window.convertEnabled)
        , save(f.window.saveEnabled)
        , reset(f.window.resetEnabled)
        , view(f.window.viewEnabled)
    {
    }
    bool operator==(const Snapshot &) const = default;
};

} // namespace

class TestRead : public QObject {
    Q_OBJECT

private slots:
    void lineEnds_data();
    void lineEnds();
    void lineLimit_data();
    void lineLimit();
    void failedReadChangesNothing_data();
    void failedReadChangesNothing();
    void unreadableFile();
    void shorterDocumentKeepsOlderTail_data();
    void shorterDocumentKeepsOlderTail();
    void encodings_data();
    void encodings();
    void encodeText_data();
    void encodeText();
};

void TestRead::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF, last line unterminated")
        << QByteArray("a\r\nb") << QStringList { "a", "b" };
    QTest::newRow("CR LF after the last line")
        << QByteArray("a\r\nb\r\n") << QStringList { "a", "b" };
    QTest::newRow("an extra CR LF is an empty line")
        << QByteArray("a\r\nb\r\n\r\n") << QStringList { "a", "b", "" };
    QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList { "a", "b" };
    QTest::newRow("LF alone stays in a line of a document with CR")
        << QByteArray("a\r\nb\nc\r\n") << QStringList { "a", "b\nc" };
    QTest::newRow("LF ends lines in a document without CR")
        << QByteArray("a\nb\nc\n") << QStringList { "a", "b", "c" };
    QTest::newRow("LF: last line unterminated") << QByteArray("a\nb") << QStringList { "a", "b" };
    QTest::newRow("LF: empty lines count")
        << QByteArray("a\n\n\nb\n\n") << QStringList { "a", "", "", "b", "" };
    QTest::newRow("LF: one LF only") << QByteArray("\n") << QStringList { "" };
    QTest::newRow("LF: leading spaces go")
        << QByteArray("  x \n\t y") << QStringList { "x ", "\t y" };
    QTest::newRow("LF: a single CR at the end makes LF text")
        << QByteArray("a\nb\r") << QStringList { "a\nb" };
    QTest::newRow("LF: byte-order mark is not a line")
        << QByteArray("\xEF\xBB\xBF\nx\n") << QStringList { "", "x" };
    QTest::newRow("LF before CR is text") << QByteArray("a\n\rb") << QStringList { "a\n", "b" };
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList { "a", "", "b" };
    QTest::newRow("one CR LF only") << QByteArray("\r\n") << QStringList { "" };
    QTest::newRow("leading spaces go, trailing stay")
        << QByteArray("   x  \r\n") << QStringList { "x  " };
    QTest::newRow("a line of spaces becomes empty")
        << QByteArray("     \r\nx") << QStringList { "", "x" };
    QTest::newRow("a leading tab stays") << QByteArray("\t x\r\n") << QStringList { "\t x" };
    QTest::newRow("spaces after a tab stay") << QByteArray("  \t  x") << QStringList { "\t  x" };
    QTest::newRow("no-break space is not a space")
        << QByteArray("\xC2\xA0x") << QStringList { QString(QChar(0xA0)) + "x" };
}

void TestRead::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    EngineFixture f;
    f.read(bytes, "Paper One.txt");
    QVERIFY(f.window.messages.empty());
    QStringList got;
    for (const auto &line : f.work())
        got << QString::fromStdU16String(line);
    QCOMPARE(got, lines);
    QCOMPARE(f.state.SourceLineCount, lines.size());
    for (int i = 1; i <= f.state.SourceLineCount; ++i)
        QCOMPARE(f.state.SourceLines[i], f.state.WorkLines[i]);
    QVERIFY(f.state.SourceLines[0].empty() && f.state.WorkLines[0].empty());
    QCOMPARE(f.window.caption, u"Paper One.txt");
    QVERIFY(f.window.convertEnabled);
}

void TestRead::lineLimit_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count"); // 0: refused

    QTest::newRow("5000 lines") << RepeatLine("line ", 5000) << 5000;
    QTest::newRow("5000 lines, the last unterminated")
        << RepeatLine("line ", 5000).chopped(2) << 5000;
    QTest::newRow("5000 empty lines") << QByteArray(5000, '\r') << 5000;
    QTest::newRow("5001 lines") << RepeatLine("line ", 5001) << 0;
    QTest::newRow("5001 lines, the last unterminated") << RepeatLine("line ", 5001).chopped(2) << 0;
    QTest::newRow("5000 lines and an empty one") << RepeatLine("line ", 5000) + "\r\n" << 0;
    QTest::newRow("5000 lines and a text after the last CR")
        << RepeatLine("line ", 5000) + "x" << 0;
    QTest::newRow("a million empty lines") << QByteArray(1000000, '\r') << 0;
    QTest::newRow("LF: 5000 lines") << RepeatLine("line ", 5000, "\n") << 5000;
    QTest::newRow("LF: 5001 lines") << RepeatLine("line ", 5001, "\n") << 0;
    QTest::newRow("LF: 5001 lines, the last unterminated")
        << RepeatLine("line ", 5001, "\n").chopped(1) << 0;
    QTest::newRow("LF: a million empty lines") << QByteArray(1000000, '\n') << 0;
    QTest::newRow("LF: 5001 lines in a document with one CR")
        << RepeatLine("line ", 5001, "\n") + "\r" << 1;
    QTest::newRow("UTF-16: 5000 lines") << Utf16(RepeatLine("line ", 5000)) << 5000;
    QTest::newRow("UTF-16: 5001 lines") << Utf16(RepeatLine("line ", 5001)) << 0;
}

void TestRead::lineLimit()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);

    EngineFixture f;
    f.read("earlier\r\ndocument\r\n", "earlier.txt");
    const Snapshot before(f);
    f.read(bytes, "big.txt");

    if (count == 0) {
        QCOMPARE(f.window.messages, std::vector<std::u16string> { ReadErrorMessage });
        QVERIFY(Snapshot(f) == before);
        return;
    }
    QVERIFY(f.window.messages.empty());
    QCOMPARE(f.state.SourceLineCount, count);
    QCOMPARE(f.state.WorkLineCount, count);
    QCOMPARE(f.window.caption, u"big.txt");
}

void TestRead::failedReadChangesNothing_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("empty file") << "empty";
    QTest::newRow("only a byte-order mark") << "bom";
    QTest::newRow("missing file") << "missing";
    QTest::newRow("missing folder") << "no folder";
    QTest::newRow("name of a folder") << "folder";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("no name") << "no name";
    QTest::newRow("larger than 64 MiB") << "huge";
    QTest::newRow("lone surrogate in the name") << "surrogate name";
    QTest::newRow("lone surrogate in the folder") << "surrogate folder";
}

void TestRead::failedReadChangesNothing()
{
    QFETCH(QString, kind);

    EngineFixture f;
    // A converted earlier document with buttons in a mixed state.
    f.read(Document({ "  Head", "a", "b", "c", "d", "tail" }), "first.txt");
    f.window.listIndex = 0;
    f.window.describe(1, u"a", u"2", u"2");
    f.convert();
    QCOMPARE(f.state.WorkLineCount, 4);
    const Snapshot before(f);

    f.state.OpenFolder = f.folder();
    f.state.OpenFileName = u"bad.txt";
    if (kind == "empty") {
        QVERIFY(f.put("bad.txt", ""));
    } else if (kind == "bom") {
        QVERIFY(f.put("bad.txt", "\xEF\xBB\xBF"));
    } else if (kind == "no folder") {
        QVERIFY(f.put("bad.txt", "x\r\n"));
        f.state.OpenFolder = f.folder() + u"/nowhere";
    } else if (kind == "folder") {
        QVERIFY(QDir(f.dir.path()).mkdir("bad.txt"));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(f.path("bad.txt").toLocal8Bit().constData(), 0600), 0);
    } else if (kind == "no name") {
        f.state.OpenFileName.clear();
    } else if (kind == "huge") {
        // One line of NUL bytes, sparse on disk.
        QFile huge(f.path("bad.txt"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize((64 << 20) + 1));
    } else if (kind == "surrogate name") {
        f.state.OpenFileName = u"bad\xD800.txt";
    } else if (kind == "surrogate folder") {
        f.state.OpenFolder = f.folder() + u"/\xDC00";
    }
    f.engine.ReadDocument();

    QCOMPARE(f.window.messages, std::vector<std::u16string> { ReadErrorMessage });
    QVERIFY(Snapshot(f) == before);

    // The failed file was let go: a later read succeeds.
    f.read("next\r\n", "next.txt");
    QCOMPARE(f.window.messages.size(), 1u);
    QCOMPARE(f.work(), Lines({ "next" }));
}

// Permissions do not hold back root, so the read runs in a child as an ordinary user.
void TestRead::unreadableFile()
{
    EngineFixture f;
    f.read("earlier\r\n", "earlier.txt");
    QVERIFY(f.put("locked.txt", "secret\r\n"));
    QVERIFY(QFile::setPermissions(f.path("locked.txt"), QFile::WriteOwner));
    QVERIFY(QFile::setPermissions(f.dir.path(), QFile::Permissions(0x7777)));
    const Snapshot before(f);

    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        f.state.OpenFileName = u"locked.txt";
        f.engine.ReadDocument();
        const bool refused = f.window.messages == std::vector<std::u16string> { ReadErrorMessage };
        _exit(refused && Snapshot(f) == before ? 0 : 11);
    }
    int status = -1;
    QCOMPARE(waitpid(pid, &status, 0), pid);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
}

void TestRead::shorterDocumentKeepsOlderTail_data()
{
    QTest::addColumn<bool>("growing");

    QTest::newRow("stores of 5001 lines") << false;
    QTest::newRow("stores that grow with the documents") << true;
}

void TestRead::shorterDocumentKeepsOlderTail()
{
    QFETCH(bool, growing);

    EngineFixture fixed;
    EngineFixture grown { ConversionState::GrowingLineStores {} };
    EngineFixture &f = growing ? grown : fixed;
    f.read(RepeatLine("old ", 20));
    f.read(RepeatLine("new ", 10));
    QCOMPARE(f.state.SourceLineCount, 10);
    QCOMPARE(f.state.WorkLineCount, 10);
    QCOMPARE(f.state.SourceLines[10], u"new 10");
    QCOMPARE(f.state.SourceLines[11], u"old 11");
    QCOMPARE(f.state.WorkLines[20], u"old 20");
    QVERIFY(f.save());
    QCOMPARE(f.bytesOf("out.txt"), RepeatLine("new ", 10));
}

void TestRead::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("saved"); // saved without converting

    const auto utf8 = int(TextEncoding::Utf8);
    const auto bom = int(TextEncoding::Utf8WithBom);
    const auto cp1252 = int(TextEncoding::Windows1252);

    QTest::newRow("ASCII") << QByteArray("  plain\nx") << "plain" << utf8
                           << QByteArray("plain\r\nx\r\n");
    QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xB6\xC3\x9F"
                                         "e\r")
                           << QString::fromUtf8("Größe") << utf8
                           << QByteArray("Gr\xC3\xB6\xC3\x9F"
                                         "e\r\n");
    QTest::newRow("UTF-8 outside the basic plane")
        << QByteArray("\xF0\x9F\x98\x80") << QString::fromUtf8("\xF0\x9F\x98\x80") << utf8
        << QByteArray("\xF0\x9F\x98\x80\r\n");
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBF  caf\xC3\xA9\r\nx") << QString::fromUtf8("café") << bom
        << QByteArray("\xEF\xBB\xBF"
                      "caf\xC3\xA9\r\nx\r\n");
    QTest::newRow("Windows-1252") << QByteArray("Gr\xF6\xDF"
                                                "e \x80\x93\r\n")
                                  << QString::fromUtf8("Größe €“") << cp1252
                                  << QByteArray("Gr\xF6\xDF"
                                                "e \x80\x93\r\n");
    QTest::newRow("Windows-1252 undefined bytes")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QString::fromUtf16(u"\x81\x8D\x8F\x90\x9D")
        << cp1252 << QByteArray("\x81\x8D\x8F\x90\x9D\r\n");
    QByteArray everyByteButCr;
    for (int b = 1; b < 256; ++b)
        everyByteButCr += b == '\r' ? '\n' : char(b);
    QTest::newRow("every byte but CR, one CR-ended line")
        << everyByteButCr + '\r' << QString() << cp1252 << everyByteButCr + "\r\n";
    QTest::newRow("NUL bytes") << QByteArray("a\0b\r\n\0\r\n", 8) << QString::fromUtf16(u"a\0b", 3)
                               << utf8 << QByteArray("a\0b\r\n\0\r\n", 8);
    QTest::newRow("overlong UTF-8 is not UTF-8")
        << QByteArray("\xC0\x80 x") << QString::fromUtf8("À€ x") << cp1252
        << QByteArray("\xC0\x80 x\r\n");
    QTest::newRow("encoded surrogate is not UTF-8")
        << QByteArray("\xED\xA0\x80") << QString::fromUtf16(u"\xED\xA0\x20AC") << cp1252
        << QByteArray("\xED\xA0\x80\r\n");
    QTest::newRow("truncated UTF-8 at the end")
        << QByteArray("ok\r\n\xE2\x82") << "ok" << cp1252 << QByteArray("ok\r\n\xE2\x82\r\n");
    QTest::newRow("invalid UTF-8 in a later line")
        << QByteArray("  caf\xC3\xA9\r\nok\r\n\xC3(") << QString::fromUtf8("cafÃ©") << cp1252
        << QByteArray("caf\xC3\xA9\r\nok\r\n\xC3(\r\n");
    QTest::newRow("a line end inside a UTF-8 sequence")
        << QByteArray("\xE2\x82\r\n\xAC") << QString::fromUtf8("â‚") << cp1252
        << QByteArray("\xE2\x82\r\n\xAC\r\n");
    // U+0D0A is 0D 0A in big-endian and 0A 0D in little-endian: no line end in either.
    const QString utf16 = QString::fromUtf8("  \u0D0A \u010D\u20AC\r\n\U0001F600 ok\nx");
    QTest::newRow("UTF-16LE with its byte-order mark")
        << Utf16(utf16) << QString::fromUtf8("\u0D0A \u010D\u20AC") << int(TextEncoding::Utf16LE)
        << Utf16(QString(utf16).remove(0, 2) + "\r\n");
    QTest::newRow("UTF-16BE with its byte-order mark")
        << Utf16(utf16, false) << QString::fromUtf8("\u0D0A \u010D\u20AC")
        << int(TextEncoding::Utf16BE) << Utf16(QString(utf16).remove(0, 2) + "\r\n", false);
    QTest::newRow("UTF-16LE, LF line ends, a lone surrogate kept")
        << QByteArray("\xFF\xFE"
                      "a\0\n\0\x00\xD8\n\0",
               10)
        << "a" << int(TextEncoding::Utf16LE)
        << QByteArray("\xFF\xFE"
                      "a\0\r\0\n\0\x00\xD8\r\0\n\0",
               14);
    QTest::newRow("UTF-16 mark with an odd byte over, read as bytes") << QByteArray(
        "\xFF\xFE"
        "a") << QString::fromUtf8("ÿþa") << cp1252
                                                                      << QByteArray("\xFF\xFE"
                                                                                    "a\r\n");
    QTest::newRow("byte-order mark in front of Windows-1252")
        << QByteArray("\xEF\xBB\xBF\xFF") << QString::fromUtf8("ï»¿ÿ") << cp1252
        << QByteArray("\xEF\xBB\xBF\xFF\r\n");
}

void TestRead::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, firstLine);
    QFETCH(int, encoding);
    QFETCH(QByteArray, saved);

    // Splitting first and decoding each line agrees with decoding the whole text first.
    TextEncoding whole, byLine;
    const std::string_view view(bytes.constData(), size_t(bytes.size()));
    QVERIFY(DecodeLines(view, byLine) == SplitLines(DecodeText(view, whole)));
    QCOMPARE(int(byLine), int(whole));

    EngineFixture f;
    f.read(bytes);
    QVERIFY(f.window.messages.empty());
    QCOMPARE(int(f.state.DocumentEncoding), encoding);
    if (!firstLine.isNull())
        QCOMPARE(f.state.SourceLines[1], firstLine.toStdU16String());
    QVERIFY(f.save());
    QCOMPARE(f.bytesOf("out.txt"), saved.isNull() ? bytes + "\r\n" : saved);
}

void TestRead::encodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("bytes");

    const auto utf8 = int(TextEncoding::Utf8);
    const auto cp1252 = int(TextEncoding::Windows1252);
    QTest::newRow("ASCII, longer than eight")
        << "0123456789abcdefXYZ" << utf8 << QByteArray("0123456789abcdefXYZ");
    QTest::newRow("two, three and four bytes") << QString::fromUtf8(
        "é€\xF0\x9F\x98\x80") << utf8 << QByteArray("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    QTest::newRow("lone high surrogate") << QString::fromUtf16(u"a\xD800"
                                                               u"b")
                                         << utf8
                                         << QByteArray("a\xEF\xBF\xBD"
                                                       "b");
    QTest::newRow("lone low surrogate at the end")
        << QString::fromUtf16(u"a\xDC00") << utf8 << QByteArray("a\xEF\xBF\xBD");
    QTest::newRow("Windows-1252") << QString::fromUtf8("Ÿé€") << cp1252
                                  << QByteArray("\x9F\xE9\x80");
}

// Also what the command line prints with.
void TestRead::encodeText()
{
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QFETCH(QByteArray, bytes);

    const std::string encoded = EncodeText(text.toStdU16String(), TextEncoding(encoding));
    QCOMPARE(QByteArray::fromStdString(encoded), bytes);
    if (!text.contains(QChar(0xD800)) && !text.contains(QChar(0xDC00))) {
        TextEncoding decodedAs;
        QCOMPARE(DecodeText(encoded, decodedAs), text.toStdU16String());
        QCOMPARE(int(decodedAs), encoding);
    }
}

QTEST_GUILESS_MAIN(TestRead)
#include "tst_read.moc"
