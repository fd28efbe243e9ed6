// The table viewer through the main window's "View" buttons: its height, caption and lines, a
// table never found, a second View, closing and re-opening, lines past the end of the stores,
// row counts below one, and the lines surviving a resize.
#include "app_driver.h"
#include "frmprint_table.h"

#include <QImage>
#include <QtTest>

using namespace cellwright;
using namespace cellwright::test;

namespace {

// A document holding a 10 x 2 table "Head" and a 2 x 2 table "Small".
QByteArray TwoTables()
{
    QByteArray d = "Intro\r\nHead\r\nH2\r\n";
    for (int r = 2; r <= 10; ++r)
        d += QByteArray::number(r) + "a\r\n" + QByteArray::number(r) + "b\r\n";
    d += "Small\r\nS2\r\nx\r\ny\r\nEnd\r\n";
    return d;
}

// 5000 lines, the last three a one-row table "T" of three columns.
QByteArray FullDocument()
{
    QByteArray d;
    for (int i = 1; i <= 4997; ++i)
        d += "line " + QByteArray::number(i) + "\r\n";
    return d + "T\r\na\r\nb\r\n";
}

int InkedPixels(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                ++inked;
    return inked;
}

// The outer height a viewer asked for h twips has: a window is never lower than its frame and
// one pixel of inside.
float HeightFor(const Form &viewer, float h)
{
    const QMargins frame = viewer.Frame();
    return std::max(h, ToTwipsY(frame.top() + frame.bottom() + 1));
}

} // namespace

class TestFrmPrintTable : public QObject {
    Q_OBJECT

private slots:
    void init() { m_gui = std::make_unique<GuiFixture>(); }
    void cleanup() { m_gui.reset(); }

    void windowHeight_data();
    void windowHeight();
    void tenRowTable();
    void tableNeverFound();
    void secondViewClearsAndTakesTheNewHeight();
    void closedAndOpenedAgain();
    void noLinePastTheLastPosition();
    void rowCountBelowOne_data();
    void rowCountBelowOne();
    void linesSurviveResizing();

private:
    // Reads TwoTables, describes both tables, converts.
    void convertTwoTables(Program &p)
    {
        p.open(QStringLiteral("tables.txt"));
        p.describe(1, QStringLiteral("Head"), QStringLiteral("10"), QStringLiteral("2"));
        p.describe(2, QStringLiteral("Small"), QStringLiteral("2"), QStringLiteral("2"));
        p.convert();
        QVERIFY(m_gui->messages().isEmpty());
    }

    std::unique_ptr<GuiFixture> m_gui;
};

void TestFrmPrintTable::windowHeight_data()
{
    QTest::addColumn<int>("viewerHeight");
    QTest::addColumn<float>("height");
    QTest::newRow("ten rows") << 2050 << 2050.0f;
    QTest::newRow("one row") << 205 << 205.0f;
    QTest::newRow("no rows: one row's height") << 0 << 205.0f;
    QTest::newRow("negative: one row's height") << -615 << 205.0f;
    QTest::newRow("32767 rows: the tallest window") << 32767 * 205 << ToTwipsY(32767);
}

void TestFrmPrintTable::windowHeight()
{
    QFETCH(int, viewerHeight);
    QFETCH(float, height);
    QCOMPARE(frmPrint_Table::ViewerWindowHeight(viewerHeight), height);
}

void TestFrmPrintTable::tenRowTable()
{
    Program p({ { QStringLiteral("tables.txt"), TwoTables() } });
    convertTwoTables(p);
    p.view(1);
    frmPrint_Table &viewer = *p.app().frmPrint_Table;
    QVERIFY(viewer.Visible());
    QCOMPARE(viewer.Caption(), QStringLiteral("Table  1"));
    QCOMPARE(viewer.Height(), 2050.0f);
    QStringList rows { QStringLiteral("Head&H2\\\\") };
    for (int r = 2; r <= 10; ++r)
        rows << QStringLiteral("%1a&%1b\\\\").arg(r);
    QCOMPARE(viewer.PrintedLines(), rows);
    QCOMPARE(p.app().state.ViewerHeight, 2050);
    if (platformHasWindowManager())
        QVERIFY(!SaveScreen(p.main(), viewer, QStringLiteral("main-window-and-viewer")).isEmpty());
}

void TestFrmPrintTable::tableNeverFound()
{
    Program p({ { QStringLiteral("tables.txt"), TwoTables() } });
    p.open(QStringLiteral("tables.txt"));
    p.describe(1, QStringLiteral("Head"), QStringLiteral("10"), QStringLiteral("2"));
    p.describe(2, QStringLiteral("Nowhere"), QStringLiteral("3"), QStringLiteral("2"));
    p.convert();
    p.view(2);
    // Position 0 holds no line; then the first lines of the working document.
    QCOMPARE(p.app().frmPrint_Table->PrintedLines(),
        (QStringList { QString(), QStringLiteral("Intro"), QStringLiteral("Head&H2\\\\") }));
    QCOMPARE(p.app().frmPrint_Table->Caption(), QStringLiteral("Table  2"));
}

void TestFrmPrintTable::secondViewClearsAndTakesTheNewHeight()
{
    Program p({ { QStringLiteral("tables.txt"), TwoTables() } });
    convertTwoTables(p);
    p.view(1);
    frmPrint_Table *viewer = p.app().frmPrint_Table.loaded();
    QVERIFY(viewer && showAndWait(*viewer));

    p.view(2);
    QCOMPARE(p.app().frmPrint_Table.loaded(), viewer);
    QCOMPARE(viewer->Caption(), QStringLiteral("Table  2"));
    QCOMPARE(viewer->PrintedLines(),
        (QStringList { QStringLiteral("Small&S2\\\\"), QStringLiteral("x&y\\\\") }));
    QCOMPARE(viewer->Height(), HeightFor(*viewer, 410));
    QCOMPARE(viewer->CurrentY(), 2 * viewer->TextHeight(QStringLiteral("x")));

    // The same table again draws it once, not twice.
    p.view(2);
    QCOMPARE(viewer->PrintedLines().size(), 2);
}

void TestFrmPrintTable::closedAndOpenedAgain()
{
    Program p({ { QStringLiteral("tables.txt"), TwoTables() } });
    convertTwoTables(p);
    p.view(1);
    QVERIFY(showAndWait(*p.app().frmPrint_Table));
    closeByCloseBox(*p.app().frmPrint_Table);
    QVERIFY(!p.app().frmPrint_Table.IsLoaded());
    QCoreApplication::processEvents();

    p.view(2);
    frmPrint_Table &viewer = *p.app().frmPrint_Table;
    QVERIFY(viewer.Visible());
    QCOMPARE(viewer.Height(), HeightFor(viewer, 410));
    QCOMPARE(viewer.PrintedLines().size(), 2);
    QCOMPARE(viewer.Caption(), QStringLiteral("Table  2"));
}

void TestFrmPrintTable::noLinePastTheLastPosition()
{
    Program p({ { QStringLiteral("full.txt"), FullDocument() } });
    p.open(QStringLiteral("full.txt"));
    p.chooseTables(1);
    p.describe(1, QStringLiteral("T"), QStringLiteral("1"), QStringLiteral("3"));
    p.convert();
    QCOMPARE(p.app().state.TableStart[1], int16_t(4998));

    // Read again: View stays enabled; a refused Convert captures 20 rows from line 4998.
    p.open(QStringLiteral("full.txt"));
    p.describe(1, QStringLiteral("T"), QStringLiteral("20"), QString());
    p.convert();
    QCOMPARE(
        m_gui->messages(), QStringList { QStringLiteral("Hey, you need to complete the boxes!") });
    QCOMPARE(p.app().state.TableRows[1], int16_t(20));
    p.view(1);
    QCOMPARE(p.app().frmPrint_Table->PrintedLines(),
        (QStringList { QStringLiteral("T"), QStringLiteral("a"), QStringLiteral("b") }));
}

void TestFrmPrintTable::rowCountBelowOne_data()
{
    QTest::addColumn<QString>("rows");
    QTest::newRow("0") << "0";
    QTest::newRow("-3") << "-3";
    QTest::newRow("no number") << "abc";
}

void TestFrmPrintTable::rowCountBelowOne()
{
    QFETCH(QString, rows);
    Program p({ { QStringLiteral("tables.txt"), TwoTables() } });
    convertTwoTables(p);
    p.open(QStringLiteral("tables.txt"));
    p.describe(1, QStringLiteral("Head"), rows, QStringLiteral("2"));
    p.convert();
    QCOMPARE(m_gui->messages().size(), 1);
    QVERIFY(p.main().Command4[0].Enabled());

    p.view(1);
    frmPrint_Table &viewer = *p.app().frmPrint_Table;
    QVERIFY(viewer.Visible());
    QVERIFY(viewer.PrintedLines().isEmpty());
    QCOMPARE(viewer.Height(), HeightFor(viewer, 205));
    QVERIFY(p.app().state.ViewerHeight <= 0);
}

void TestFrmPrintTable::linesSurviveResizing()
{
    Program p({ { QStringLiteral("tables.txt"), TwoTables() } });
    convertTwoTables(p);
    p.view(1);
    frmPrint_Table &viewer = *p.app().frmPrint_Table;
    QVERIFY(showAndWait(viewer));
    QTRY_VERIFY(InkedPixels(viewer.clientArea()) > 0);
    const int before = InkedPixels(viewer.clientArea());

    viewer.window()->resize(viewer.window()->width() + 40, viewer.window()->height() + 60);
    QTRY_VERIFY(InkedPixels(viewer.clientArea()) >= before);
    QCOMPARE(viewer.PrintedLines().size(), 10);
}

QTEST_MAIN(TestFrmPrintTable)
#include "tst_frmprint_table.moc"
