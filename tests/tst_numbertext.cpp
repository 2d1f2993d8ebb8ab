#include "numbertext.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void toNumber_data();
    void toNumber();
    void toText_data();
    void toText();
    void readsBackWhatItWrites_data();
    void readsBackWhatItWrites();
};

void TestNumberText::toNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double none = std::numeric_limits<double>::quiet_NaN(); // no number: reads as 0

    QTest::newRow("integer")                 << "3"            << 3.0;
    QTest::newRow("leading zero")            << "04"           << 4.0;
    QTest::newRow("decimal point")           << "2.5"          << 2.5;
    QTest::newRow("decimal comma")           << "2,5"          << 2.5;
    QTest::newRow("second separator stops")  << "1.5,3"        << 1.5;
    QTest::newRow("comma then point")        << "1,5.3"        << 1.5;
    QTest::newRow("no integer part")         << ".5"           << 0.5;
    QTest::newRow("no fraction part")        << "5."           << 5.0;
    QTest::newRow("correctly rounded")       << "0.1"          << 0.1;
    QTest::newRow("trailing letters")        << "3abc"         << 3.0;
    QTest::newRow("letters only")            << "abc"          << none;
    QTest::newRow("empty")                   << ""             << none;
    QTest::newRow("sign only")               << "-"            << none;
    QTest::newRow("point only")              << "."            << none;
    QTest::newRow("plus sign")               << "+7"           << 7.0;
    QTest::newRow("minus sign")              << "-7.25"        << -7.25;
    QTest::newRow("two signs")               << "--7"          << none;
    QTest::newRow("blanks around")           << "  3  "        << 3.0;
    QTest::newRow("blanks inside")           << " 1 2 . 5 "    << 12.5;
    QTest::newRow("tab and line feed")       << "\t\n7\n1"     << 71.0;
    QTest::newRow("carriage return stops")   << "1\r2"         << 1.0;
    QTest::newRow("blank after sign")        << "- 4"          << -4.0;
    QTest::newRow("exponent")                << "1e3"          << 1000.0;
    QTest::newRow("capital exponent, sign")  << "25E-1"        << 2.5;
    QTest::newRow("exponent with blanks")    << "1 e + 2"      << 100.0;
    QTest::newRow("exponent without digits") << "1e"           << 1.0;
    QTest::newRow("exponent sign only")      << "2e+"          << 2.0;
    QTest::newRow("exponent alone")          << "e5"           << none;
    QTest::newRow("too large")               << "1e400"        << inf;
    QTest::newRow("too large, negative")     << "-1e400"       << -inf;
    QTest::newRow("huge exponent")           << "1e99999999999999999999" << inf;
    QTest::newRow("exponent of 2^63")        << "1e9223372036854775808" << inf;
    QTest::newRow("too small")               << "1e-400"       << 0.0;
    QTest::newRow("many digits")             << "123456789012345678901234567890" << 1.2345678901234568e29;
    QTest::newRow("zeros with big exponent") << "0.000e999"    << 0.0;
    QTest::newRow("long fraction, exponent") << "0.0001e4"     << 1.0;
    QTest::newRow("largest double")          << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("smallest subnormal")      << "4.9406564584124654e-324" << std::numeric_limits<double>::denorm_min();
}

void TestNumberText::toNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);

    const double read = numbertext::toNumber(text);
    // Exact comparison; QCOMPARE would compare doubles fuzzily.
    QVERIFY2(read == (std::isnan(number) ? 0.0 : number), qPrintable(QString::number(read, 'g', 17)));
    QCOMPARE(numbertext::readNumber(text).has_value(), !std::isnan(number));
}

void TestNumberText::toText_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("pointLocale");
    QTest::addColumn<QString>("commaLocale");

    QTest::newRow("integer")            << 4.0       << "4"               << "4";
    QTest::newRow("half")               << 2.5       << "2.5"             << "2,5";
    QTest::newRow("no grouping")        << 1767.5    << "1767.5"          << "1767,5";
    QTest::newRow("million")            << 1234567.0 << "1234567"         << "1234567";
    QTest::newRow("15 digits")          << 0.70710678118654757 << "0.707106781186548" << "0,707106781186548";
    QTest::newRow("large uses exponent") << 1e20     << "1e+20"           << "1e+20";
    QTest::newRow("small uses exponent") << 1.5e-5   << "1.5e-05"         << "1,5e-05";
    QTest::newRow("negative")           << -2.5      << "-2.5"            << "-2,5";
}

void TestNumberText::toText()
{
    QFETCH(double, number);
    QFETCH(QString, pointLocale);
    QFETCH(QString, commaLocale);

    QCOMPARE(numbertext::toText(number, QLocale::c()), pointLocale);
    QCOMPARE(numbertext::toText(number, QLocale(QLocale::Bulgarian, QLocale::Bulgaria)), commaLocale);
    // Grouping is off even in a locale that groups by default.
    QCOMPARE(numbertext::toText(number, QLocale(QLocale::English, QLocale::UnitedStates)), pointLocale);
}

void TestNumberText::readsBackWhatItWrites_data()
{
    QTest::addColumn<double>("number");

    QTest::newRow("2.5")        << 2.5;
    QTest::newRow("1767.5")     << 1767.5;
    QTest::newRow("sqrt 2")     << std::sqrt(2.0);
    QTest::newRow("1/3")        << 1.0 / 3.0;
    QTest::newRow("1e20")       << 1e20;
    QTest::newRow("1.5e-5")     << 1.5e-5;
    QTest::newRow("1e300")      << 1e300;
    QTest::newRow("tiny")       << 3.2e-310;
}

void TestNumberText::readsBackWhatItWrites()
{
    QFETCH(double, number);

    // Fifteen digits do not hold every double, but the text written must read
    // back as the number it shows, whatever the decimal separator, and
    // writing that again must give the same text.
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::Bulgarian, QLocale::Bulgaria),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        const QString written = numbertext::toText(number, locale);
        const double read = numbertext::toNumber(written);
        QVERIFY2(std::abs(read - number) <= 1e-14 * std::abs(number), qPrintable(written));
        QCOMPARE(numbertext::toText(read, locale), written);
    }
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
