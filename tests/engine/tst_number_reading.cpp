// Reading the row and column boxes: the number at the start of the text, rounding halves to
// even, and how the boxes decide between converting, "incomplete" and "too large".
#include "engine_fixture.h"
#include "number_reading.h"

#include <QtTest>
#include <cmath>

using namespace cellwright;

class TestNumberReading : public QObject {
    Q_OBJECT

private slots:
    void readNumber_data();
    void readNumber();
    void roundToInt16_data();
    void roundToInt16();
    void boxes_data();
    void boxes();
};

void TestNumberReading::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("digits then letters") << "12abc" << 12.0;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("space inside") << "1 2" << 12.0;
    QTest::newRow("blanks everywhere") << " \t-\n 1 2 . 5 " << -12.5;
    QTest::newRow("CR is not a blank") << "1\r2" << 1.0;
    QTest::newRow("no-break space is not a blank") << QString("1") + QChar(0xA0) + "2" << 1.0;
    QTest::newRow("fraction") << "0.6" << 0.6;
    QTest::newRow("leading period") << ".5" << 0.5;
    QTest::newRow("trailing period") << "5." << 5.0;
    QTest::newRow("second period stops") << "1.2.3" << 1.2;
    QTest::newRow("period alone") << "." << 0.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("minus sign") << "-7" << -7.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("two signs") << "--7" << 0.0;
    QTest::newRow("exponent") << "1.5E2" << 150.0;
    QTest::newRow("exponent, lower case") << "2e1" << 20.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("exponent with blanks") << "1 E + 2" << 100.0;
    QTest::newRow("E without digits") << "3E" << 3.0;
    QTest::newRow("E and sign without digits") << "3E-x" << 3.0;
    QTest::newRow("E first") << "E5" << 0.0;
    QTest::newRow("hexadecimal") << "&H1F" << 31.0;
    QTest::newRow("hexadecimal, lower case") << "&hff" << 255.0;
    QTest::newRow("hexadecimal stops at G") << "&H1G" << 1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O18" << 1.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("ampersand and other letter") << "&X1" << 0.0;
    QTest::newRow("prefix with blanks") << "& H 1 0" << 16.0;
    QTest::newRow("huge") << "1E400" << HUGE_VAL;
    QTest::newRow("huge negative") << "-1E400" << -HUGE_VAL;
    QTest::newRow("many digits") << QString(400, '9') << HUGE_VAL;
    QTest::newRow("tiny") << "1E-400" << 0.0;
    QTest::newRow("tiny without exponent") << "0." + QString(400, '0') + "1" << 0.0;
    QTest::newRow("tiny negative without exponent") << "-0." + QString(400, '0') + "1" << -0.0;
    QTest::newRow("long mantissa, negative exponent") << "1" + QString(400, '0') + "E-399" << 10.0;
    QTest::newRow("tiny mantissa, huge exponent") << "0." + QString(400, '0') + "1E500" << 1E99;
    QTest::newRow("exponent with many digits") << "1E" + QString(30, '9') << HUGE_VAL;
    QTest::newRow("exponent with leading zeros") << "1E00000000000000000000000000002" << 100.0;
    QTest::newRow("huge hexadecimal") << "&H" + QString(300, 'F') << HUGE_VAL;
}

void TestNumberReading::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);

    const double got = ReadNumber(text.toStdU16String());
    if (std::isinf(value))
        QCOMPARE(got, value);
    else
        QVERIFY2(std::abs(got - value) <= 1e-12 * std::max(1.0, std::abs(value)),
            qPrintable(QString::number(got, 'g', 17)));
}

void TestNumberReading::roundToInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded"); // INT_MIN: outside the 16-bit range

    QTest::newRow("1.4") << 1.4 << 1;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("0.6") << 0.6 << 1;
    QTest::newRow("32767") << 32767.0 << 32767;
    QTest::newRow("32767.4") << 32767.4 << 32767;
    QTest::newRow("32767.5") << 32767.5 << INT_MIN;
    QTest::newRow("32768") << 32768.0 << INT_MIN;
    QTest::newRow("-32768") << -32768.0 << -32768;
    QTest::newRow("-32768.5") << -32768.5 << -32768;
    QTest::newRow("-32768.6") << -32768.6 << INT_MIN;
    QTest::newRow("infinity") << HUGE_VAL << INT_MIN;
    QTest::newRow("not a number") << std::nan("") << INT_MIN;
}

void TestNumberReading::roundToInt16()
{
    QFETCH(double, value);
    QFETCH(int, rounded);

    const auto got = RoundToInt16(value);
    if (rounded == INT_MIN)
        QVERIFY(!got);
    else
        QCOMPARE(got.value_or(12345), rounded);
}

// Two boxes of one table on a document with a block of 3 x 2 at its start.
void TestNumberReading::boxes_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("cols");
    QTest::addColumn<int>("outcome"); // 0 converted, 1 incomplete, 2 too large, 3 does not fit
    QTest::addColumn<int>("capturedRows");

    QTest::newRow("1.4 rows gives 1") << "1.4"
                                      << "2" << 0 << 1;
    QTest::newRow("2.5 rows gives 2") << "2.5"
                                      << "2" << 0 << 2;
    QTest::newRow("12abc reads 12, too many") << "12abc"
                                              << "1" << 3 << 12;
    QTest::newRow("1,5 reads 1") << "1,5"
                                 << "2" << 0 << 1;
    QTest::newRow("0.6 fails unrounded") << "0.6"
                                         << "2" << 1 << 1;
    QTest::newRow("abc reads 0") << "abc"
                                 << "2" << 1 << 0;
    QTest::newRow("empty rows") << ""
                                << "2" << 1 << 0;
    QTest::newRow("negative rows") << "-3"
                                   << "2" << 1 << -3;
    QTest::newRow("columns below 1") << "3"
                                     << "0.99" << 1 << 3;
    QTest::newRow("&H3 rows") << "&H3"
                              << "2" << 0 << 3;
    QTest::newRow("rows × cols = 32767") << "32767"
                                         << "1" << 3 << 32767;
    QTest::newRow("rows × cols = 32768") << "16384"
                                         << "2" << 2 << 16384;
    QTest::newRow("rows round to 32768") << "32767.5"
                                         << "1" << 2 << 32767;
    QTest::newRow("rows 1E9") << "1E9"
                              << "1" << 2 << 32767;
    QTest::newRow("rows infinite") << "1E999"
                                   << "1" << 2 << 32767;
    QTest::newRow("columns 1E5, rows 1") << "1"
                                         << "1E5" << 2 << 1;
    QTest::newRow("tiny rows without exponent") << "0." + QString(400, '0') + "1"
                                                << "2" << 1 << 0;
}

void TestNumberReading::boxes()
{
    QFETCH(QString, rows);
    QFETCH(QString, cols);
    QFETCH(int, outcome);
    QFETCH(int, capturedRows);

    EngineFixture f;
    f.read(Document({ "a", "b", "c", "d", "e", "f", "tail" }));
    f.window.listIndex = 0;
    f.window.describe(1, u"a", rows.toStdU16String(), cols.toStdU16String());
    const auto before = f.work();
    f.convert();

    QCOMPARE(f.state.TableRows[1], capturedRows);
    if (outcome == 0) {
        QVERIFY(f.window.messages.empty());
        QVERIFY(f.work() != before);
        QVERIFY(f.window.saveEnabled);
        return;
    }
    QCOMPARE(f.window.messages.size(), 1u);
    const QString message = QString::fromStdU16String(f.window.messages[0]);
    if (outcome == 1)
        QCOMPARE(message, "Hey, you need to complete the boxes!");
    else if (outcome == 2)
        QCOMPARE(message, "Table 1 is too large: rows × columns must not exceed 32767.");
    else
        QVERIFY2(message.startsWith("Table 1 does not fit: "), qPrintable(message));
    QCOMPARE(f.work(), before);
    QVERIFY(f.window.convertEnabled && !f.window.saveEnabled && !f.window.resetEnabled);
    QVERIFY(!f.window.viewEnabled[0]);
}

QTEST_GUILESS_MAIN(TestNumberReading)
#include "tst_number_reading.moc"
