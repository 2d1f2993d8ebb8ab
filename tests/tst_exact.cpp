#include "decimal.h"
#include "number.h"

#include <QTest>

#include <stdexcept>

using exact::Number;

namespace {

// p + q·√d from the texts of p and q ("3/2", "-1") and d.
Number number(const char *p, const char *q = "0", int d = 0)
{
    return Number(exact::Rational(p), exact::Rational(q), exact::Integer(d));
}

// Rows name numbers as p, q and d; an empty expected p means "throws".
void numberColumns(const char *p, const char *q, const char *d)
{
    QTest::addColumn<QString>(p);
    QTest::addColumn<QString>(q);
    QTest::addColumn<int>(d);
}

Number fetched(const QString &p, const QString &q, int d)
{
    return number(p.toLatin1().constData(), q.toLatin1().constData(), d);
}

} // namespace

class TestExact : public QObject
{
    Q_OBJECT

private slots:
    void arithmetic_data();
    void arithmetic();
    void squareRoot_data();
    void squareRoot();
    void rounded_data();
    void rounded();
    void schoolText_data();
    void schoolText();
    void readDecimal_data();
    void readDecimal();
};

void TestExact::arithmetic_data()
{
    QTest::addColumn<QChar>("op");
    numberColumns("xp", "xq", "xd");
    numberColumns("yp", "yq", "yd");
    numberColumns("expectedp", "expectedq", "expectedd");
    QTest::addColumn<int>("sign");
    // clang-format off
    QTest::newRow("(1 + √2)(1 − √2) = −1")   << QChar('*') << "1"  << "1"   << 2 << "1"  << "-1" << 2 << "-1"   << "0"    << 0 << -1;
    QTest::newRow("(1 + √2)/(1 − √2)")       << QChar('/') << "1"  << "1"   << 2 << "1"  << "-1" << 2 << "-3"   << "-2"   << 2 << -1;
    QTest::newRow("1/√2 = √2/2")             << QChar('/') << "1"  << "0"   << 0 << "0"  << "1"  << 2 << "0"    << "1/2"  << 2 << 1;
    QTest::newRow("√2 − √2 leaves no root")  << QChar('-') << "0"  << "1"   << 2 << "0"  << "1"  << 2 << "0"    << "0"    << 0 << 0;
    QTest::newRow("3 − 2√2 > 0")             << QChar('-') << "3"  << "0"   << 0 << "0"  << "2"  << 2 << "3"    << "-2"   << 2 << 1;
    QTest::newRow("577 − 408√2 > 0, barely") << QChar('-') << "577" << "0"  << 0 << "0"  << "408" << 2 << "577" << "-408" << 2 << 1;
    QTest::newRow("−577 + 408√2 < 0")        << QChar('+') << "-577" << "0" << 0 << "0"  << "408" << 2 << "-577" << "408" << 2 << -1;
    QTest::newRow("√2 − 1 > 0, the root wins")  << QChar('-') << "0"  << "1" << 2 << "1" << "0"  << 0 << "-1"   << "1"    << 2 << 1;
    QTest::newRow("√2 − 1.5 < 0")            << QChar('-') << "0"  << "1"   << 2 << "3/2" << "0" << 0 << "-3/2" << "1"    << 2 << -1;
    QTest::newRow("division by zero")        << QChar('/') << "1"  << "1"   << 2 << "0"  << "0"  << 0 << ""     << ""     << 0 << 0;
    QTest::newRow("by a root's zero")        << QChar('/') << "1"  << "0"   << 0 << "1"  << "1"  << 2 << "-1"   << "1"    << 2 << 1;
    QTest::newRow("√2 + √3 is not one root") << QChar('+') << "0"  << "1"   << 2 << "0"  << "1"  << 3 << ""     << ""     << 0 << 0;
    // Compared as real numbers, across roots too; the sign is the order.
    QTest::newRow("√2 < √3")                 << QChar('<') << "0"  << "1"   << 2 << "0"  << "1"  << 3 << "0"    << "0"    << 0 << -1;
    QTest::newRow("2√2 = √8")                << QChar('<') << "0"  << "2"   << 2 << "0"  << "1"  << 8 << "0"    << "0"    << 0 << 0;
    QTest::newRow("1 + √2 > √5")             << QChar('<') << "1"  << "1"   << 2 << "0"  << "1"  << 5 << "0"    << "0"    << 0 << 1;
    // clang-format on
}

void TestExact::arithmetic()
{
    QFETCH(QChar, op);
    QFETCH(QString, xp);
    QFETCH(QString, xq);
    QFETCH(int, xd);
    QFETCH(QString, yp);
    QFETCH(QString, yq);
    QFETCH(int, yd);
    QFETCH(QString, expectedp);
    QFETCH(QString, expectedq);
    QFETCH(int, expectedd);
    QFETCH(int, sign);
    const Number x = fetched(xp, xq, xd);
    const Number y = fetched(yp, yq, yd);
    if (op == u'<') {
        const auto order = x <=> y;
        QCOMPARE(order < 0 ? -1 : order > 0 ? 1 : 0, sign);
        QCOMPARE(x == y, sign == 0);
        return;
    }
    const auto apply = [&] {
        switch (op.unicode()) {
        case '+':
            return x + y;
        case '-':
            return x - y;
        case '*':
            return x * y;
        default:
            return x / y;
        }
    };
    if (expectedp.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(std::domain_error, apply());
        return;
    }
    const Number result = apply();
    QVERIFY(result == fetched(expectedp, expectedq, expectedd));
    QCOMPARE(result.sign(), sign);
    QCOMPARE(result < Number(0), sign < 0);
}

void TestExact::squareRoot_data()
{
    QTest::addColumn<QString>("radicand");
    numberColumns("expectedp", "expectedq", "expectedd");
    // clang-format off
    QTest::newRow("√72 = 6√2")                    << "72"          << "0"       << "6"   << 2;
    QTest::newRow("√90 = 3√10")                   << "90"          << "0"       << "3"   << 10;
    QTest::newRow("√(1/8) = √2/4")                << "1/8"         << "0"       << "1/4" << 2;
    QTest::newRow("√(9/4) = 3/2")                 << "9/4"         << "3/2"     << "0"   << 0;
    QTest::newRow("√0,05 = √5/10")                << "1/20"        << "0"       << "1/10" << 5;
    QTest::newRow("√(10007²·2): square above the primes tried") << "200280098" << "0" << "10007" << 2;
    QTest::newRow("√(2·3·5·7·11·13)")             << "30030"       << "0"       << "1"   << 30030;
    QTest::newRow("√(9973² · 9967²), both tried") << "9880537131593881" << "99400891" << "0" << 0;
    QTest::newRow("√0")                            << "0"          << "0"       << "0"   << 0;
    QTest::newRow("negative")                      << "-2"         << ""        << ""    << 0;
    // clang-format on
}

void TestExact::squareRoot()
{
    QFETCH(QString, radicand);
    QFETCH(QString, expectedp);
    QFETCH(QString, expectedq);
    QFETCH(int, expectedd);
    const Number x = number(radicand.toLatin1().constData());
    if (expectedp.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(std::domain_error, exact::sqrt(x));
        return;
    }
    const Number root = exact::sqrt(x);
    QCOMPARE(root.radicand(), exact::Integer(expectedd));
    QVERIFY(root == fetched(expectedp, expectedq, expectedd));
    QVERIFY(root * root == x);
    // A number that has a root already has none of its own here.
    QVERIFY_THROWS_EXCEPTION(std::domain_error, exact::sqrt(number("1", "1", 2)));
}

void TestExact::rounded_data()
{
    numberColumns("xp", "xq", "xd");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("exponent");
    const QString tiny = QStringLiteral("1/1") + QString(300, u'0');
    // clang-format off
    QTest::newRow("√2")                       << "0"     << "1"    << 2 << 6  << "141421" << 0;
    QTest::newRow("−√2/2, away from zero")    << "0"     << "-1/2" << 2 << 6  << "707107" << -1;
    QTest::newRow("9,999995 carries to 10")   << "1999999/200000" << "0" << 0 << 6 << "100000" << 1;
    QTest::newRow("a half rounds up")         << "1/8"   << "0"    << 0 << 2  << "13"     << -1;
    QTest::newRow("577 − 408√2, cancelling")  << "577"   << "-408" << 2 << 6  << "866552" << -4;
    QTest::newRow("zero")                     << "0"     << "0"    << 0 << 3  << "0"      << 0;
    QTest::newRow("(√2 − 1)·10⁻³⁰⁰")          << u'-' + tiny << tiny << 2 << 6 << "414214" << -301;
    // clang-format on
}

void TestExact::rounded()
{
    QFETCH(QString, xp);
    QFETCH(QString, xq);
    QFETCH(int, xd);
    QFETCH(int, digits);
    QFETCH(QString, expected);
    QFETCH(int, exponent);
    const Number x = fetched(xp, xq, xd);
    const exact::Decimal d = x.rounded(digits);
    QCOMPARE(QString::fromStdString(d.digits), expected);
    QCOMPARE(d.exponent, exponent);
    QCOMPARE(d.negative, x.sign() < 0);
    // Within half a unit of the last digit of the value itself.
    const Number error = exact::abs(Number::fromDecimal(d) - x);
    QVERIFY(error <= exact::power(Number(10), d.lastExponent()) / Number(2));
}

void TestExact::schoolText_data()
{
    numberColumns("xp", "xq", "xd");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("whole")                << "5"      << "0"     << 0 << ","  << "5";
    QTest::newRow("terminating, comma")   << "5/2"    << "0"     << 0 << ","  << "2,5";
    QTest::newRow("terminating, point")   << "-5/2"   << "0"     << 0 << "."  << "−2.5";
    QTest::newRow("not terminating")      << "-7/3"   << "0"     << 0 << ","  << "−7/3";
    QTest::newRow("10⁻⁴ positional")      << "1/10000" << "0"    << 0 << ","  << "0,0001";
    QTest::newRow("10⁻⁵ a power")         << "3/200000" << "0"   << 0 << ","  << "1,5·10⁻⁵";
    QTest::newRow("10¹⁵ a power")         << "1000000000000000" << "0" << 0 << "," << "1·10¹⁵";
    QTest::newRow("10¹⁴ positional")      << "100000000000000" << "0" << 0 << "," << "100000000000000";
    QTest::newRow("√2")                   << "0"      << "1"     << 2 << ","  << "√2";
    QTest::newRow("−√2/2")                << "0"      << "-1/2"  << 2 << ","  << "−√2/2";
    QTest::newRow("5√2/2")                << "0"      << "5/2"   << 2 << ","  << "5√2/2";
    QTest::newRow("(2 − √2)/2")           << "1"      << "-1/2"  << 2 << ","  << "(2 − √2)/2";
    QTest::newRow("(10 − 5√2)/4")         << "5/2"    << "-5/4"  << 2 << ","  << "(10 − 5√2)/4";
    QTest::newRow("root first: √2 − 1")   << "-1"     << "1"     << 2 << ","  << "√2 − 1";
    QTest::newRow("(√3 − 1)/2")           << "-1/2"   << "1/2"   << 3 << ","  << "(√3 − 1)/2";
    QTest::newRow("−1 − √2")              << "-1"     << "-1"    << 2 << ","  << "−1 − √2";
    // clang-format on
}

void TestExact::schoolText()
{
    QFETCH(QString, xp);
    QFETCH(QString, xq);
    QFETCH(int, xd);
    QFETCH(QString, point);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(exact::schoolText(fetched(xp, xq, xd), point.toStdString())),
             expected);
}

void TestExact::readDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // a rational; empty: not a number
    // clang-format off
    QTest::newRow("comma")            << "2,5"                 << "5/2";
    QTest::newRow("point, no digits before") << ".1"           << "1/10";
    QTest::newRow("exponent")         << "1e-05"               << "1/100000";
    QTest::newRow("zeros and sign")   << "-00.0180e3"          << "-18";
    QTest::newRow("large exponent")   << "2.5E+20"             << "250000000000000000000";
    QTest::newRow("zero")             << "-0"                  << "0";
    QTest::newRow("exponent without digits") << "1e"           << "";
    QTest::newRow("two points")       << "1.2.3"               << "";
    QTest::newRow("blank")            << ""                    << "";
    QTest::newRow("trailing text")    << "2 cm"                << "";
    // clang-format on
}

void TestExact::readDecimal()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const auto decimal = exact::readDecimal(text.toStdString());
    QCOMPARE(decimal.has_value(), !expected.isEmpty());
    if (decimal)
        QVERIFY(Number::fromDecimal(*decimal) == number(expected.toLatin1().constData()));
}

QTEST_GUILESS_MAIN(TestExact)
#include "tst_exact.moc"
