// Thousands of generated documents and table settings, from a fixed seed, checked against what
// must hold whatever the engine does inside: saving without converting gives the input back;
// converted rows, split at "&" with the final "\\" dropped, give back the cells they were made
// of, in order, with every other line kept; no line outside a block still matches a table;
// Convert then Reset gives back the document as read; a refused conversion changes nothing.
#include "engine_fixture.h"

#include <QtTest>
#include <random>

using namespace cellwright;

namespace {

constexpr unsigned Seed = 20261207;
constexpr int Cases = 4000;

enum class Kind { Utf8, Utf8Bom, Cp1252 };

// Cells that make tables match often. None holds "&", a CR or a final backslash, so rows can be
// split back without doubt.
const QStringList Pool = { "A", "B", "StarA", "", "x", "1", "2.5", "Größe", "€", "a b", "\t", "\tA",
    "A ", "tail\\ x", "é&", "\nlf" };

class Generator {
public:
    explicit Generator(unsigned seed)
        : random(seed)
    {
    }

    int upTo(int n) { return int(random() % unsigned(n + 1)); } // 0..n
    bool chance(int percent) { return upTo(99) < percent; }

    QString cell()
    {
        QString text = Pool[upTo(int(Pool.size()) - 1)];
        text.remove('&');
        if (chance(10)) {
            // Arbitrary characters, but no CR, "&", backslash or C1 control.
            text.clear();
            for (int n = upTo(6); n > 0; --n) {
                const char16_t c = char16_t(1 + upTo(254));
                if (c != u'\r' && c != u'&' && c != u'\\' && (c < 0x80 || c > 0x9F))
                    text += QChar(c);
            }
        }
        return text;
    }

    QString box(const QString &first)
    {
        return QString(upTo(2), ' ') + first + QString(upTo(2), ' ');
    }

    QString count()
    {
        static const QStringList odd
            = { "0.6", "2.5", "1.4", "abc", "", "40000", "&H2", " 3 ", "-1", "1E9", "2e0", "3abc" };
        return chance(3) ? odd[upTo(int(odd.size()) - 1)] : QString::number(1 + upTo(3));
    }

private:
    std::mt19937 random;
};

QByteArray Encode(const QString &text, Kind kind)
{
    if (kind != Kind::Cp1252)
        return text.toUtf8();
    QByteArray bytes;
    for (const QChar c : text)
        bytes += c.unicode() == 0x20AC ? '\x80' : char(c.unicode() < 256 ? c.unicode() : '?');
    return bytes;
}

// The cells a working document was made of: every converted row, split at "&" with the row's
// final "\\" (and those of rows nested in it) dropped.
std::vector<std::u16string> Cells(const std::vector<std::u16string> &lines)
{
    std::vector<std::u16string> cells;
    for (const auto &line : lines) {
        if (!line.ends_with(u"\\\\")) {
            cells.push_back(line);
            continue;
        }
        const std::u16string_view row(line.data(), line.size() - 2);
        size_t start = 0;
        for (;;) {
            const size_t amp = row.find(u'&', start);
            std::u16string_view cell = row.substr(start, amp == row.npos ? row.npos : amp - start);
            while (cell.ends_with(u"\\\\"))
                cell.remove_suffix(2);
            cells.emplace_back(cell);
            if (amp == row.npos)
                break;
            start = amp + 1;
        }
    }
    return cells;
}

std::u16string Trimmed(std::u16string text)
{
    while (!text.empty() && text.back() == u' ')
        text.pop_back();
    return text.substr(std::min(text.find_first_not_of(u' '), text.size()));
}

} // namespace

class TestProperties : public QObject {
    Q_OBJECT

private slots:
    void generatedDocuments();
};

void TestProperties::generatedDocuments()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Generator gen(Seed);
    ConversionState state, again;
    int converted = 0, refused = 0, tooLong = 0, matchedRows = 0;

    for (int n = 0; n < Cases; ++n) {
        const QByteArray tag = "case " + QByteArray::number(n);

        // --- A document ------------------------------------------------------------------
        const Kind kind = Kind(gen.upTo(2));
        const int lineCount = gen.chance(1) ? 4995 + gen.upTo(10)
            : gen.chance(10)                ? 1 + gen.upTo(400)
                                            : 1 + gen.upTo(40);
        QByteArray bytes = kind == Kind::Utf8Bom ? "\xEF\xBB\xBF" : "";
        QByteArray expected = bytes; // saved without converting
        std::vector<std::u16string> lines;
        QByteArray lastLine;
        for (int i = 1; i <= lineCount; ++i) {
            QString text = gen.cell();
            if (kind == Kind::Cp1252 && i == 1)
                text += QChar(0xFF) + QString(QChar(0x81)); // never valid UTF-8
            while (text.startsWith(' '))
                text.remove(0, 1); // what reading takes away
            if (text.startsWith('\n'))
                text.prepend('x'); // after a CR it would join the line end
            const QString indent(gen.chance(30) ? 1 + gen.upTo(3) : 0, ' ');
            lastLine = Encode(indent + text, kind);
            bytes += lastLine;
            bytes += gen.chance(50) ? "\r\n" : "\r";
            expected += Encode(text, kind) + "\r\n";
            lines.push_back(text.toStdU16String());
        }
        // The last line unterminated; a lone line keeps its CR when it holds an LF, which would
        // otherwise end lines.
        if (!lastLine.isEmpty() && gen.chance(30) && (lineCount > 1 || !lastLine.contains('\n')))
            bytes.chop(bytes.endsWith("\r\n") ? 2 : 1);
        QFile file(dir.filePath("doc.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write(bytes) == bytes.size());
        file.close();

        // One state for all cases, as in the program; only the starts begin afresh.
        state.TableStart = {};
        const auto countsBefore = std::make_pair(state.SourceLineCount, state.WorkLineCount);
        FakeMainWindow window;
        Read_Textfile engine(state, window);
        state.OpenFolder = dir.path().toStdU16String();
        state.OpenFileName = u"doc.txt";
        state.SaveFolder = state.OpenFolder;
        engine.ReadDocument();

        if (lineCount > MaxLines) {
            QVERIFY2(window.messages == std::vector<std::u16string> { ReadErrorMessage }, tag);
            QVERIFY2(
                std::make_pair(state.SourceLineCount, state.WorkLineCount) == countsBefore, tag);
            ++tooLong;
            continue;
        }
        QVERIFY2(window.messages.empty(), tag);
        const std::vector<std::u16string> read(
            state.SourceLines.begin() + 1, state.SourceLines.begin() + 1 + state.SourceLineCount);
        QVERIFY2(read == lines, tag);

        // Saved without converting: the input, without leading spaces, CR LF after every line.
        state.SaveFileName = u"plain.txt";
        QVERIFY2(engine.WriteDocument(), tag);
        QFile plain(dir.filePath("plain.txt"));
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QVERIFY2(plain.readAll() == expected, tag);

        // --- Table settings and the conversion -----------------------------------------------
        const int tableCount = gen.chance(3) ? 0 : 1 + gen.upTo(5);
        window.listIndex = tableCount - 1;
        for (int t = 1; t <= tableCount; ++t) {
            const QString first = gen.chance(2) ? QString() : gen.box(gen.cell());
            window.describe(t, first.toStdU16String(), gen.count().toStdU16String(),
                gen.count().toStdU16String());
        }
        const auto buttonsBefore = std::make_tuple(
            window.convertEnabled, window.saveEnabled, window.resetEnabled, window.viewEnabled);
        engine.CaptureTableSettings();
        engine.ConvertTables();
        const std::vector<std::u16string> work(
            state.WorkLines.begin() + 1, state.WorkLines.begin() + 1 + state.WorkLineCount);

        if (!window.messages.empty()) {
            // Refused: nothing converted, nothing enabled or disabled.
            QVERIFY2(window.messages.size() == 1, tag);
            QVERIFY2(work == lines, tag);
            QVERIFY2(std::make_tuple(window.convertEnabled, window.saveEnabled, window.resetEnabled,
                         window.viewEnabled)
                    == buttonsBefore,
                tag);
            QVERIFY2(state.TableStart == decltype(state.TableStart) {}, tag);
            ++refused;
            continue;
        }
        ++converted;

        // Rows give back their cells; every other line stays, in order.
        QVERIFY2(Cells(work) == lines, tag);
        // Every match was converted: no line left outside the blocks still matches a table.
        for (const auto &line : work) {
            if (line.ends_with(u"\\\\")) {
                ++matchedRows;
                continue;
            }
            for (int t = 1; t <= tableCount; ++t)
                QVERIFY2(Trimmed(line) != state.TableFirstCell[t], tag);
        }
        // A table found lies where its start says: a row holding its first cell.
        for (int t = 1; t <= tableCount; ++t) {
            const int s = state.TableStart[t];
            if (s == 0)
                continue;
            QVERIFY2(s <= state.WorkLineCount && work[s - 1].ends_with(u"\\\\"), tag);
            bool holdsFirst = false;
            for (const auto &cell : Cells({ work[s - 1] }))
                holdsFirst = holdsFirst || Trimmed(cell) == state.TableFirstCell[t];
            QVERIFY2(holdsFirst, tag);
        }
        QVERIFY2(!window.convertEnabled && window.saveEnabled && window.resetEnabled, tag);
        for (int k = 0; k < 6; ++k)
            QVERIFY2(window.viewEnabled[k] == (k < tableCount), tag);

        // Saved and read back: the same lines in the same encoding.
        state.SaveFileName = u"converted.txt";
        QVERIFY2(engine.WriteDocument(), tag);
        FakeMainWindow otherWindow;
        Read_Textfile reader(again, otherWindow);
        again.OpenFolder = state.SaveFolder;
        again.OpenFileName = u"converted.txt";
        reader.ReadDocument();
        QVERIFY2(otherWindow.messages.empty(), tag);
        QVERIFY2(again.DocumentEncoding == state.DocumentEncoding, tag);
        QVERIFY2(std::vector<std::u16string>(
                     again.WorkLines.begin() + 1, again.WorkLines.begin() + 1 + again.WorkLineCount)
                == work,
            tag);

        // Reset gives back the document as read; converting again gives the same result.
        const auto starts = state.TableStart;
        engine.ResetConversion();
        QVERIFY2(state.WorkLineCount == state.SourceLineCount, tag);
        QVERIFY2(std::vector<std::u16string>(
                     state.WorkLines.begin() + 1, state.WorkLines.begin() + 1 + state.WorkLineCount)
                == lines,
            tag);
        QVERIFY2(window.convertEnabled && !window.saveEnabled && !window.resetEnabled, tag);
        engine.ConvertTables();
        QVERIFY2(std::vector<std::u16string>(
                     state.WorkLines.begin() + 1, state.WorkLines.begin() + 1 + state.WorkLineCount)
                == work,
            tag);
        QVERIFY2(state.TableStart == starts, tag);
    }

    // The generator reaches every outcome often enough to mean something.
    qInfo("%d converted (%d rows), %d refused, %d too long", converted, matchedRows, refused,
        tooLong);
    QVERIFY(converted > Cases / 3);
    QVERIFY(refused > Cases / 20);
    QVERIFY(matchedRows > Cases);
    QVERIFY(tooLong > 0);
}

QTEST_GUILESS_MAIN(TestProperties)
#include "tst_properties.moc"
