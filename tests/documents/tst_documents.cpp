// The committed documents of three writers against what an independent reader expects of each:
// the lines, every table's shape, and every table's rows as the conversion writes them, with and
// without escaping. The documents are read and converted the way every front end does.
#include "conversion.h"
#include "read_document.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace cellwright;

namespace {

const QString Data = QStringLiteral(CELLWRIGHT_TEST_DATA "/documents/");

QString Text(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private slots:
    void matchesTheReference_data();
    void matchesTheReference();
};

void TestDocuments::matchesTheReference_data()
{
    QTest::addColumn<QString>("name");
    const QStringList documents
        = QDir(Data).entryList({ "*.docx", "*.odt" }, QDir::Files, QDir::Name);
    QVERIFY(documents.size() >= 15);
    for (const QString &name : documents) {
        if (name != QLatin1String("large.docx"))
            QTest::newRow(qPrintable(name)) << name;
    }
}

void TestDocuments::matchesTheReference()
{
    QFETCH(QString, name);
    QFile file(Data + name + ".expected.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(file.readAll()).object();

    DocumentRead read = ReadDocumentFile((Data + name).toStdString());
    QVERIFY2(read.Document, qPrintable(Text(read.Reason)));
    ConversionState state;
    TakeDocument(state, std::move(*read.Document));

    QStringList lines;
    for (int i = 1; i <= state.SourceLineCount; ++i)
        lines << Text(state.SourceLines[i]);
    QStringList wanted;
    for (const QJsonValue &line : expected["lines"].toArray())
        wanted << line.toString();
    QCOMPARE(lines, wanted);

    const QJsonArray tables = expected["tables"].toArray();
    QCOMPARE(state.DocumentTables.size(), size_t(tables.size()));
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const QJsonObject table = tables[t].toObject();
        const TableShape &shape = state.DocumentTables[size_t(t)];
        QCOMPARE(shape.FirstLine, table["first_line"].toInt());
        QCOMPARE(shape.Cols, table["cols"].toInt());
        QCOMPARE(shape.HeaderRows, table["header_rows"].toInt());
        const QJsonArray rows = table["cells"].toArray();
        QCOMPARE(shape.Rows.size(), size_t(rows.size()));
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const QJsonArray cells = rows[r].toArray();
            QCOMPARE(shape.Rows[size_t(r)].Cells.size(), size_t(cells.size()));
            for (qsizetype c = 0; c < cells.size(); ++c) {
                const QJsonObject cell = cells[c].toObject();
                const ShapeCell &got = shape.Rows[size_t(r)].Cells[size_t(c)];
                QCOMPARE(got.Column, cell["col"].toInt());
                QCOMPARE(got.ColSpan, cell["colspan"].toInt());
                QCOMPARE(got.RowSpan, cell["rowspan"].toInt());
                QCOMPARE(got.CoveredFromAbove, cell["covered"].toBool());
            }
        }

        // Converted at its own line and size, the way Use, --auto and a pasted --find line do.
        for (const bool escape : { false, true }) {
            ConversionState converted = state;
            converted.EscapeSpecialCharacters = escape;
            const int rowCount = int(rows.size());
            QCOMPARE(ConvertTablesAt(converted, { { shape.FirstLine, {}, rowCount, shape.Cols } }),
                std::u16string());
            QStringList written;
            for (int r = 0; r < rowCount; ++r)
                written << Text(converted.WorkLines[size_t(shape.FirstLine + r)]);
            QStringList want;
            for (const QJsonValue &row :
                table[escape ? "converted_escaped" : "converted"].toArray())
                want << row.toString();
            QCOMPARE(written, want);
        }
    }
}

QTEST_GUILESS_MAIN(TestDocuments)
#include "tst_documents.moc"
