// The three-digit rounding pair and the comma-decimal reader underneath it.

#include "engine/decimal_text.h"
#include "engine/rounded_value.h"

#include <QtTest>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

class TestRoundedValue : public QObject {
    Q_OBJECT

private slots:
    void valueToText_data() {
        QTest::addColumn<long double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0,6") << 0.6L << "0,6";
        QTest::newRow("one") << 1.0L << "1";
        QTest::newRow("zero") << 0.0L << "0";
        QTest::newRow("negative zero") << -0.0L << "0";
        QTest::newRow("three digits") << 0.15625L << "0,156";
        QTest::newRow("half goes up") << 0.5625L << "0,563";
        QTest::newRow("half goes away from zero") << -0.5625L << "-0,563";
        QTest::newRow("smallest fixed") << 0.000123456L << "0,000123";
        QTest::newRow("below fixed") << 0.0000123L << "1,23E-005";
        QTest::newRow("carry to one") << 0.99951L << "1";
        QTest::newRow("carry changes the exponent") << 0.00099951L << "0,001";
        QTest::newRow("carry out of fixed") << 999.5L << "1E003";
        QTest::newRow("carry into fixed") << 0.00009995L << "0,0001";
        QTest::newRow("whole digits padded") << 120.0L << "120";
        QTest::newRow("digits after the comma") << 12.34L << "12,3";
        QTest::newRow("large") << 123456.0L << "1,23E005";
        QTest::newRow("tiny") << 1e-300L << "1E-300";
        QTest::newRow("exponent of four digits") << 1.5e-1000L << "1,5E-1000";
        QTest::newRow("negative small") << -0.0015L << "-0,0015";
        // 0,1245 as a double lies below the half; at 18 digits it does not.
        QTest::newRow("18 digits first") << static_cast<long double>(0.1245) << "0,125";
        QTest::newRow("just below a half") << 0.12449999999999L << "0,124";
        // The Laplace mean of 0,5 and 0,521 at extended precision.
        QTest::newRow("extended mean") << (0.5L + static_cast<long double>(0.521)) / 2 << "0,511";
        QTest::newRow("the same mean as a double")
            << static_cast<long double>((0.5 + 0.521) / 2) << "0,51";
        QTest::newRow("infinity") << static_cast<long double>(INFINITY) << "INF";
        QTest::newRow("minus infinity") << -static_cast<long double>(INFINITY) << "-INF";
        QTest::newRow("nan") << static_cast<long double>(NAN) << "NAN";
    }

    void valueToText() {
        QFETCH(long double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(ValueToText(value)), text);
    }

    // ValueToText takes shortcuts where they are safe; the text must always
    // be the one the exact 18-digit expansion gives, cut by hand here.
    void valueToTextAgreesWithTheExactExpansion() {
        const auto reference = [](long double value) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(value));
            int three = (buffer[0] - '0') * 100 + (buffer[2] - '0') * 10 + (buffer[3] - '0');
            int power = std::atoi(std::strchr(buffer, 'e') + 1);
            if (buffer[4] >= '5')
                ++three;
            if (three == 1000) {
                three = 100;
                ++power;
            }
            // Render through the fixed cases above: a three-digit mantissa
            // scaled back, which ValueToText itself renders in its format.
            return std::make_pair(three, power);
        };
        std::mt19937_64 random(11);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        std::uniform_int_distribution<int> exponent(-30, 30);
        for (int n = 0; n < 300000; ++n) {
            long double value = 0.0L;
            switch (n % 6) {
            case 0: // a membership
                value = unit(random);
                break;
            case 1: // a read-back three-digit text
                value = TextToValue("0," + std::to_string(100 + random() % 900));
                break;
            case 2: // a dyadic value with exact halves, like 0,5625
                value = static_cast<long double>(random() % 4096) / 4096.0L;
                break;
            case 3: // a Laplace mean of read-back texts
                value =
                    (static_cast<long double>(TextToValue("0," + std::to_string(random() % 1000))) +
                     TextToValue("0," + std::to_string(random() % 1000)) +
                     TextToValue("0," + std::to_string(random() % 1000))) /
                    3.0L;
                break;
            case 4: // a double next to a half, like 0,1245
                value = TextToValue("0," + std::to_string(100 + random() % 900) + "5");
                break;
            default: // any size
                value = unit(random) * std::pow(10.0L, exponent(random));
                break;
            }
            if (value == 0.0L)
                continue;
            const auto [three, power] = reference(value);
            // The text read back, scaled to three digits, and its decade.
            const std::string text = ValueToText(value);
            std::string withFullStop = text;
            std::replace(withFullStop.begin(), withFullStop.end(), ',', '.');
            const long double back = std::strtold(withFullStop.c_str(), nullptr);
            const long double expected = three * std::pow(10.0L, power - 2);
            QVERIFY2(std::fabs(back - expected) <= expected * 1e-15L,
                     qPrintable(QString("%1 -> %2")
                                    .arg(double(value), 0, 'g', 20)
                                    .arg(QString::fromStdString(text))));
        }
    }

    void textToValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("fixed") << "0,563" << 0.563;
        QTest::newRow("whole") << "1" << 1.0;
        QTest::newRow("scientific") << "1,23E-005" << 1.23e-5;
        QTest::newRow("negative") << "-0,0015" << -0.0015;
        QTest::newRow("infinity") << "INF" << double(INFINITY);
        QTest::newRow("not a number reads 0") << "abc" << 0.0;
        // The text of the greatest double lies beyond it: the nearest double
        // is the infinity of its sign, not 0.
        QTest::newRow("beyond the greatest double") << "1,8E308" << double(INFINITY);
        QTest::newRow("beyond the least double") << "-1E4000" << -double(INFINITY);
    }

    void textToValue() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QVERIFY(TextToValue(text.toStdString()) == value); // exactly, not fuzzily
    }

    void roundValueReadsItsOwnText() {
        const TRoundedValue rounded = RoundValue(0.84375000000000722L);
        QCOMPARE(QString::fromStdString(rounded.Text), QString("0,844"));
        QCOMPARE(rounded.Value, 0.844);
        QVERIFY(std::isnan(RoundValue(static_cast<long double>(NAN)).Value));
        const TRoundedValue greatest = RoundValue(std::numeric_limits<double>::max());
        QCOMPARE(QString::fromStdString(greatest.Text), QString("1,8E308"));
        QVERIFY(greatest.Value == double(INFINITY));
    }

    void readDecimal_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "350" << true << 350.0;
        QTest::newRow("comma") << "0,45" << true << 0.45;
        QTest::newRow("trailing comma") << "5," << true << 5.0;
        QTest::newRow("exponent") << "1,5e+3" << true << 1500.0;
        QTest::newRow("least subnormal")
            << "4,94E-324" << true << std::numeric_limits<double>::denorm_min();
        QTest::newRow("underflow is zero") << "1E-400" << true << 0.0;
        QTest::newRow("below half the least subnormal") << "2,4703282292062327E-324" << true << 0.0;
        QTest::newRow("overflow") << "1E400" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("full stop") << "0.45" << false << 0.0;
        QTest::newRow("two commas") << "1,2,3" << false << 0.0;
        QTest::newRow("plus sign") << "+1" << false << 0.0;
        QTest::newRow("blank") << " 1" << false << 0.0;
        QTest::newRow("bare exponent") << "1E" << false << 0.0;
    }

    void readDecimal() {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const std::optional<double> read = ReadDecimal(text.toStdString());
        QCOMPARE(read.has_value(), isNumber);
        if (isNumber)
            QVERIFY2(*read == value, qPrintable(QString::number(*read, 'g', 17))); // exactly
    }

    // Short texts take a quicker road than long ones; both must give the
    // nearest double.
    void readDecimalIsCorrectlyRounded() {
        std::mt19937_64 random(5);
        for (int n = 0; n < 200000; ++n) {
            const int length = 1 + static_cast<int>(random() % 20);
            std::string digits;
            for (int i = 0; i < length; ++i)
                digits += static_cast<char>('0' + random() % 10);
            const std::size_t comma = random() % (digits.size() + 1);
            std::string text = digits;
            if (comma < digits.size())
                text.insert(comma, ",");
            if (random() % 2)
                text.insert(0, "-");
            std::string withFullStop = text;
            std::replace(withFullStop.begin(), withFullStop.end(), ',', '.');
            double expected = 0.0;
            std::from_chars(withFullStop.data(), withFullStop.data() + withFullStop.size(),
                            expected);
            const std::optional<double> read = ReadDecimal(text);
            QVERIFY2(read && std::memcmp(&*read, &expected, sizeof expected) == 0, text.c_str());
        }
    }

    // Every double, subnormals included, survives writing with 17 digits
    // after the comma and reading back.
    void readDecimalRoundTrip() {
        std::mt19937_64 random(20240611);
        for (int n = 0; n < 200000; ++n) {
            std::uint64_t bits = random();
            if (n % 3 == 0)
                bits &= 0x800fffffffffffffULL; // subnormal
            double value;
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.16E", value);
            std::string text(buffer);
            text[text.find('.')] = ',';
            const std::optional<double> read = ReadDecimal(text);
            QVERIFY2(read && std::memcmp(&*read, &value, sizeof value) == 0, buffer);
        }
    }
};

QTEST_APPLESS_MAIN(TestRoundedValue)
#include "tst_rounded_value.moc"
