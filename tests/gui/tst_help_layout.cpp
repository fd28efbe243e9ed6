// The help window's layout arithmetic on its own: the figures a window of a given width gets, the
// rounding, and the bounds kept by the minimum width.
#include "help_layout.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace cellwright;

Q_DECLARE_METATYPE(cellwright::HelpPass)

namespace {

// The character counts of the five help paragraphs; entry 0 is not used.
constexpr std::array<int16_t, 6> Lengths { 0, 352, 360, 325, 450, 569 };

QList<int> topsOf(const HelpLayout &layout)
{
    QList<int> tops;
    for (int k = 1; k <= HelpMaxParagraphs; ++k)
        tops.append(layout.tops[std::size_t(k)]);
    return tops;
}

} // namespace

class TestHelpLayout : public QObject {
    Q_OBJECT

private slots:
    void figuresForAWidth_data();
    void figuresForAWidth();
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void nextTopDividesByTheReportedWidth_data();
    void nextTopDividesByTheReportedWidth();
    void narrowerWindowIsTaller();
    void belowTheMinimumWidth_data();
    void belowTheMinimumWidth();
    void paragraphCountStaysWithinTheTable_data();
    void paragraphCountStaysWithinTheTable();
};

void TestHelpLayout::figuresForAWidth_data()
{
    QTest::addColumn<double>("windowWidth");
    QTest::addColumn<HelpPass>("pass");
    QTest::addColumn<double>("labelWidth");
    QTest::addColumn<QList<int>>("tops");
    QTest::addColumn<int>("height");

    QTest::newRow("resize at 15000") << 15000.0 << HelpPass::Resize << 14500.0
                                     << QList<int> { 500, 1464, 2436, 3372, 4438 } << 6556;
    QTest::newRow("load at 15000") << 15000.0 << HelpPass::Load << 14500.0
                                   << QList<int> { 500, 1564, 2636, 3672, 4838 } << 6556;
    QTest::newRow("resize at 10000") << 10000.0 << HelpPass::Resize << 9500.0
                                     << QList<int> { 500, 1656, 2824, 3937, 5248 } << 7584;
    // Label1(0) at top 7920 stays below the client area of any window wider than 12000.
    QTest::newRow("resize at 12000") << 12000.0 << HelpPass::Resize << 11500.0
                                     << QList<int> { 500, 1559, 2629, 3653, 4840 } << 7069;
    QTest::newRow("resize at the minimum width")
        << HelpMinWidth << HelpPass::Resize << 5500.0 << QList<int> { 500, 2060, 3642, 5128, 6955 }
        << 9640;
}

void TestHelpLayout::figuresForAWidth()
{
    QFETCH(double, windowWidth);
    QFETCH(HelpPass, pass);
    QFETCH(double, labelWidth);
    QFETCH(QList<int>, tops);
    QFETCH(int, height);

    const HelpLayout layout = ComputeHelpLayout(windowWidth, Lengths, 5, pass);
    QCOMPARE(layout.labelWidth, labelWidth);
    QCOMPARE(topsOf(layout), tops);
    QCOMPARE(int(layout.height), height);
    QCOMPARE(int(HelpWindowHeight(windowWidth, Lengths, 5, pass)), height);
}

void TestHelpLayout::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");

    QTest::newRow("half to even below") << 2.5 << 2;
    QTest::newRow("half to even above") << 3.5 << 4;
    QTest::newRow("zero and a half") << 0.5 << 0;
    QTest::newRow("negative half to even") << -1.5 << -2;
    QTest::newRow("negative half to zero") << -0.5 << 0;
    QTest::newRow("just below a half") << 1464.4999 << 1464;
    QTest::newRow("just above a half") << 1464.5001 << 1465;
    QTest::newRow("largest 16-bit value") << 32767.0 << 32767;
    QTest::newRow("half past the largest stops there") << 32767.5 << 32767;
    QTest::newRow("beyond the range stops at its top") << 1e9 << 32767;
    QTest::newRow("beyond the range stops at its bottom") << -1e9 << -32768;
    QTest::newRow("infinity stops at the top") << std::numeric_limits<double>::infinity() << 32767;
    QTest::newRow("not a number gives zero") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestHelpLayout::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(int(RoundHalfEven16(value)), rounded);
}

void TestHelpLayout::nextTopDividesByTheReportedWidth_data()
{
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("labelWidth");
    QTest::addColumn<HelpPass>("pass");
    QTest::addColumn<int>("next");

    // 352 x 15000 / 14500 = 364.14; the gap is 600 on resize and 700 on load.
    QTest::newRow("resize gap") << 500.0 << 352 << 14500.0 << HelpPass::Resize << 1464;
    QTest::newRow("load gap") << 500.0 << 352 << 14500.0 << HelpPass::Load << 1564;
    // A label that reports another width than it was given: its own width counts.
    QTest::newRow("reported width") << 500.0 << 352 << 10000.0 << HelpPass::Resize << 1628;
    QTest::newRow("reported top") << 513.0 << 352 << 14500.0 << HelpPass::Resize << 1477;
    // 5500 is the label width at the minimum window width: 352 x 15000 / 5500 = 960.
    QTest::newRow("no width counts as the narrowest")
        << 500.0 << 352 << 0.0 << HelpPass::Resize << 2060;
    QTest::newRow("negative width counts as the narrowest")
        << 500.0 << 352 << -200.0 << HelpPass::Resize << 2060;
}

void TestHelpLayout::nextTopDividesByTheReportedWidth()
{
    QFETCH(double, top);
    QFETCH(int, length);
    QFETCH(double, labelWidth);
    QFETCH(HelpPass, pass);
    QFETCH(int, next);
    QCOMPARE(int(HelpNextTop(top, int16_t(length), labelWidth, pass)), next);
}

void TestHelpLayout::narrowerWindowIsTaller()
{
    // From very wide down to the minimum, every narrower window is taller and its last paragraph
    // starts lower.
    HelpLayout wider = ComputeHelpLayout(60000, Lengths, 5, HelpPass::Resize);
    for (double width = 59000; width >= HelpMinWidth; width -= 1000) {
        const HelpLayout narrower = ComputeHelpLayout(width, Lengths, 5, HelpPass::Resize);
        QVERIFY2(narrower.height > wider.height, qPrintable(QString::number(width)));
        QVERIFY2(narrower.tops[5] > wider.tops[5], qPrintable(QString::number(width)));
        wider = narrower;
    }
}

void TestHelpLayout::belowTheMinimumWidth_data()
{
    QTest::addColumn<double>("windowWidth");

    QTest::newRow("just below the minimum") << HelpMinWidth - 1;
    QTest::newRow("where the tops would leave 16 bits") << 1500.0;
    QTest::newRow("where the height would leave 16 bits") << 1000.0;
    QTest::newRow("labels without width") << 500.0;
    QTest::newRow("no width") << 0.0;
    QTest::newRow("negative width") << -3000.0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
}

void TestHelpLayout::belowTheMinimumWidth()
{
    QFETCH(double, windowWidth);

    for (const HelpPass pass : { HelpPass::Load, HelpPass::Resize }) {
        const HelpLayout layout = ComputeHelpLayout(windowWidth, Lengths, 5, pass);
        const HelpLayout atMinimum = ComputeHelpLayout(HelpMinWidth, Lengths, 5, pass);
        QCOMPARE(layout.labelWidth, atMinimum.labelWidth);
        QVERIFY(layout.labelWidth > 0);
        QCOMPARE(topsOf(layout), topsOf(atMinimum));
        QCOMPARE(layout.height, atMinimum.height);
        // Well inside 16 bits: nothing was cut off at the range's end.
        QVERIFY(layout.height < std::numeric_limits<int16_t>::max());
        QVERIFY(HelpNextTop(layout.tops[5], Lengths[5], layout.labelWidth, pass)
            < std::numeric_limits<int16_t>::max());
    }
}

void TestHelpLayout::paragraphCountStaysWithinTheTable_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("lastTop");

    QTest::newRow("none") << 0 << 1000 << 0;
    // 1000 + 352 + 700 = 2052, then 2052 + 360 + 700 = 3112.
    QTest::newRow("two") << 2 << 3112 << 0;
    QTest::newRow("five") << 5 << 6556 << 4438;
    QTest::newRow("more than the table holds") << 9 << 6556 << 4438;
    QTest::newRow("negative") << -1 << 1000 << 0;
}

void TestHelpLayout::paragraphCountStaysWithinTheTable()
{
    QFETCH(int, count);
    QFETCH(int, height);
    QFETCH(int, lastTop);

    const HelpLayout layout = ComputeHelpLayout(15000, Lengths, count, HelpPass::Resize);
    QCOMPARE(int(layout.height), height);
    QCOMPARE(int(layout.tops[5]), lastTop);
}

QTEST_APPLESS_MAIN(TestHelpLayout)
#include "tst_help_layout.moc"
