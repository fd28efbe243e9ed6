// Reading .docx and .odt packages: the lines and table shapes of small documents that hold every
// construct the reader must get right, and a refusal that names the fault for each bad input.
#include "package_writer.h"
#include "word_document.h"

#include <QFile>
#include <QtTest>

using namespace cellwright;

namespace {

const QString Data = QStringLiteral(CELLWRIGHT_TEST_DATA "/documents/");

QByteArray Bytes(const QString &file)
{
    QFile f(Data + file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing fixture)");
}

WordDocumentRead Read(const QByteArray &bytes)
{
    return ReadWordDocument(std::string_view(bytes.constData(), size_t(bytes.size())));
}

// A table as "FIRSTLINE colsN headN: row | row", each cell its grid column, then xSPAN for
// columns spanned, vSPAN for rows spanned, ^ when covered from above.
QString Describe(const TableShape &table)
{
    QStringList rows;
    for (const ShapeRow &row : table.Rows) {
        QStringList cells;
        for (const ShapeCell &c : row.Cells)
            cells << QString::number(c.Column)
                    + (c.ColSpan > 1 ? "x" + QString::number(c.ColSpan) : "")
                    + (c.RowSpan > 1 ? "v" + QString::number(c.RowSpan) : "")
                    + (c.CoveredFromAbove ? "^" : "");
        rows << cells.join(' ');
    }
    return QStringLiteral("%1 cols%2 head%3: ")
               .arg(table.FirstLine)
               .arg(table.Cols)
               .arg(table.HeaderRows)
        + rows.join(" | ");
}

} // namespace

class TestWordDocument : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
    void recognises_data();
    void recognises();
    void readsMadeParts_data();
    void readsMadeParts();
};

void TestWordDocument::reads_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("tables");

    // Tracked changes accepted, fields' results, content controls and links kept; notes, comments
    // and text boxes out; a deleted paragraph mark joins two paragraphs; a deleted row is gone.
    QTest::newRow("docx") << "small/tables.docx"
                          << QStringList { "Results", "Intro kept here", "Page 7 of 9",
                                 "link control tag x y", "Joined here",
                                 QString::fromUtf8("\u03b1\U0001d6fc"), "Name", "Value", "First",
                                 "Second", "Unit", "Merged", "a1", "b1", "", "a2", "b2 more", "c3",
                                 "outer n1 n2 n3 n4", "end1", "end2", "After" }
                          << QStringList {
                                 "7 cols4 head2: 0x2 2 | 0 1 2 | 0v2 1 2 | 0^ 1 2 | 1 2 | 0 1"
                             };
    // The same in OpenDocument terms, with white space collapsing, repeated cells and rows, a
    // cell spanning two rows and two columns, list labels left out.
    QTest::newRow("odt") << "small/tables.odt"
                         << QStringList { "Results", "Intro kept", "a   b c d", "spaced out",
                                "Note after", "Framed", "Item", "Page 3",
                                QString::fromUtf8("\U0001d6fc"), "Name", "Value", "Merged", "a1",
                                "b1", "", "a2", "b2 more", "c3", "outer n1 n2 n3 n4", "z", "Block",
                                "x", "", "y", "r", "r", "r", "r", "r", "r", "After" }
                         << QStringList {
                                "10 cols3 head1: 0x2 2 | 0v2 1 2 | 0^ 1 2 | 0 1 2 | 0x2v2 2 | "
                                "0x2^ 2 | 0 1 2 | 0 1 2"
                            };
    QTest::newRow("main part named by its relationship")
        << "small/renamed-main.docx" << QStringList { "Main part" } << QStringList {};
    QTest::newRow("strict namespace")
        << "small/strict.docx" << QStringList { "Strict" } << QStringList {};
}

void TestWordDocument::reads()
{
    QFETCH(QString, file);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, tables);

    const WordDocumentRead read = Read(Bytes(file));
    QVERIFY2(read.Document, qPrintable(QString::fromStdU16String(read.Refusal)));
    QVERIFY(read.Refusal.empty());
    QStringList gotLines;
    for (const std::u16string &line : read.Document->Lines)
        gotLines << QString::fromStdU16String(line);
    QCOMPARE(gotLines, lines);
    QStringList gotTables;
    for (const TableShape &table : read.Document->Tables) {
        gotTables << Describe(table);
        // Covered places are empty lines, and the table lies inside the document.
        QVERIFY(table.FirstLine + table.LineCount() - 1 <= gotLines.size());
        int line = table.FirstLine - 1;
        for (const ShapeRow &row : table.Rows) {
            for (const ShapeCell &c : row.Cells) {
                QVERIFY(!c.CoveredFromAbove || gotLines[line].isEmpty());
                ++line;
            }
        }
    }
    QCOMPARE(gotTables, tables);
}

void TestWordDocument::refuses_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("says");

    QTest::newRow("truncated zip") << "bad/truncated.docx"
                                   << "damaged: its zip package";
    QTest::newRow("bad checksum") << "bad/bad-checksum.docx"
                                  << "damaged: its word/document.xml cannot be unpacked";
    QTest::newRow("no document part") << "bad/no-document.docx"
                                      << "holds no document text";
    QTest::newRow("zip bomb") << "bad/bomb.docx"
                              << "more than 64 MiB";
    // Inflated no further than its header claims, the member then fails its checksum.
    QTest::newRow("zip bomb claiming a small size") << "bad/bomb-small-claim.docx"
                                                    << "damaged: its word/document.xml";
    QTest::newRow("entity expansion") << "bad/doctype.docx"
                                      << "declares a document type";
    QTest::newRow("external entity") << "bad/external-entity.docx"
                                     << "declares a document type";
    QTest::newRow("tables nested 33 deep") << "bad/nested-tables.docx"
                                           << "nested more than 32";
    QTest::newRow("XML nested deeper than any document") << "bad/deep-xml.odt"
                                                         << "content.xml is nested too deeply";
    QTest::newRow("password-protected Office file") << "bad/password.docx"
                                                    << "remove the password and save it again";
    QTest::newRow("legacy .doc") << "bad/legacy.doc"
                                 << "save it as .docx or .odt";
    QTest::newRow("zip encryption") << "bad/zip-password.docx"
                                    << "password-protected";
    QTest::newRow("password-protected OpenDocument") << "bad/password.odt"
                                                     << "password-protected";
    QTest::newRow("Office spreadsheet") << "bad/spreadsheet.xlsx"
                                        << "spreadsheet, not a text";
    QTest::newRow("OpenDocument spreadsheet") << "bad/spreadsheet.ods"
                                              << "spreadsheet, not a text";
    QTest::newRow("OpenDocument presentation") << "bad/presentation.odp"
                                               << "presentation, not a text";
    QTest::newRow("text media type, spreadsheet body") << "bad/mislabelled-spreadsheet.odt"
                                                       << "not a text document";
    QTest::newRow("malformed XML") << "bad/not-well-formed.odt"
                                   << "content.xml is not well-formed XML (line 1)";
    QTest::newRow("zip of something else") << "bad/archive.zip"
                                           << "zip archive, not a .docx";
    QTest::newRow("table too wide") << "bad/wide-table.odt"
                                    << "wider than 1000 columns";
    QTest::newRow("text past the budget") << "bad/huge-text.odt"
                                          << "16 million characters";
    QTest::newRow("a billion covered places") << "bad/covered-rows.odt"
                                              << "16 million cells";
    QTest::newRow("more than 100 000 lines") << "bad/too-many-lines.odt"
                                             << "100 000 lines";
    QTest::newRow("plain text") << ""
                                << "not a .docx or .odt";
}

void TestWordDocument::refuses()
{
    QFETCH(QString, file);
    QFETCH(QString, says);

    const WordDocumentRead read = Read(file.isEmpty() ? QByteArray("Name\r\n12\r\n") : Bytes(file));
    QVERIFY(!read.Document);
    const QString refusal = QString::fromStdU16String(read.Refusal);
    QVERIFY2(refusal.contains(says), qPrintable(refusal));
}

void TestWordDocument::recognises_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("wordProcessor");

    QTest::newRow("docx") << Bytes("small/tables.docx") << true;
    QTest::newRow("damaged zip") << Bytes("bad/truncated.docx") << true;
    QTest::newRow("compound file") << Bytes("bad/legacy.doc") << true;
    QTest::newRow("plain text") << QByteArray("PK is not a zip\r\n") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestWordDocument::recognises()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, wordProcessor);
    QCOMPARE(IsWordProcessorFile(std::string_view(bytes.constData(), size_t(bytes.size()))),
        wordProcessor);
}

// Bodies no word processor writes, wrapped here: what the parser passes through as it stands.
void TestWordDocument::readsMadeParts_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("says"); // the one line read, or the refusal

    const auto paragraph
        = [](const QByteArray &text) { return "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>"; };
    QTest::newRow("broken UTF-8 sequences")
        << paragraph("a\xC3"
                     "A\xE2\x82|\xED\xA0\x80|\xC0\xAF|\xF8\x88\x80\x80\x80z")
        << QString::fromUtf8("a\uFFFDA\uFFFD|\uFFFD|\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDz");
    QTest::newRow("four-byte and two-byte forms")
        << paragraph("\xF0\x9D\x9B\xBC \xC3\xA9") << QString::fromUtf8("\U0001d6fc \u00e9");
    QTest::newRow("predefined and numeric references")
        << paragraph("&lt;&amp;&#x3b1;&#946;&gt;") << QString::fromUtf8("<&\u03b1\u03b2>");
    QTest::newRow("prefix declared on an inner element") << QByteArray(
        "<x:p xmlns:x=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
        "main\"><x:r><x:t>inner</x:t></x:r></x:p>") << "inner";
    QByteArray leftOut = paragraph("kept");
    for (const char *name : { "moveFrom", "delText", "instrText", "delInstrText", "txbxContent",
             "drawing", "pict", "object", "rt", "sdtPr", "sdtEndPr", "pPrChange", "rPrChange",
             "tcPrChange", "trPrChange", "tblPrChange", "tblPrExChange", "tblGridChange", "sectPr",
             "tblPr", "tblGrid", "background", "fldData" })
        leftOut.insert(leftOut.size() - 6,
            QByteArray("<w:") + name + "><w:r><w:t>" + name + "</w:t></w:r></w:" + name + ">");
    QTest::newRow("every element whose content is left out") << leftOut << "kept";
    QTest::newRow("markup past the tree budget")
        << QByteArray("<w:p/>").repeated(6'000'000) << "holds more markup than Cellwright reads";
    QTest::newRow("unclosed element") << QByteArray("<w:p><w:r>") << "is not well-formed XML";
}

void TestWordDocument::readsMadeParts()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, says);

    const std::string part = "<w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                             "wordprocessingml/2006/main\"><w:body>"
        + body.toStdString() + "</w:body></w:document>";
    const std::string package = WritePackage({ { "word/document.xml", part } });
    const WordDocumentRead read = ReadWordDocument(package);
    if (!read.Document) {
        const QString refusal = QString::fromStdU16String(read.Refusal);
        QVERIFY2(refusal.contains(says), qPrintable(refusal));
        return;
    }
    QCOMPARE(read.Document->Lines.size(), size_t(1));
    QCOMPARE(QString::fromStdU16String(read.Document->Lines[0]), says);
}
QTEST_APPLESS_MAIN(TestWordDocument)
#include "tst_word_document.moc"
