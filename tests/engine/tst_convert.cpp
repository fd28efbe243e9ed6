#include "fake_main_window.h"
#include "read_textfile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace cellwright;

class TestConvert : public QObject {
    Q_OBJECT

private slots:
    void workedExampleEndToEnd();
};

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestConvert::workedExampleEndToEnd()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile in(dir.filePath("paper.txt"));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write("Results\r\n\r\nStarA\r\nV\r\nB-V\r\n1\r\n12.3\r\n0.45\r\n2\r\n12.9\r\n0."
             "51\r\n\r\nEnd\r\n");
    in.close();

    ConversionState state;
    FakeMainWindow window;
    Read_Textfile engine(state, window);
    state.OpenFolder = dir.path().toStdU16String();
    state.OpenFileName = u"paper.txt";
    engine.ReadDocument();
    QCOMPARE(state.WorkLineCount, 13);

    window.listIndex = 0;
    window.describe(1, u"StarA", u"3", u"3");
    engine.CaptureTableSettings();
    engine.ConvertTables();
    QVERIFY(window.messages.empty());
    QCOMPARE(state.WorkLineCount, 7);
    QCOMPARE(state.TableStart[1], 3);

    state.SaveFolder = dir.path().toStdU16String();
    state.SaveFileName = u"out.tex";
    QVERIFY(engine.WriteDocument());
    QCOMPARE(readAll(dir.filePath("out.tex")),
        QByteArray(
            "Results\r\n\r\nStarA&V&B-V\\\\\r\n1&12.3&0.45\\\\\r\n2&12.9&0.51\\\\\r\n\r\nEnd\r\n"));
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
