#include "pairs.h"
#include "pairsteps.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>

using pairs::Quantity;
using Q = pairs::Quantity;

namespace {

pairs::Given given(Q q, const char *text)
{
    const auto decimal = exact::readDecimal(text);
    if (!decimal)
        throw std::invalid_argument(text);
    return {q, exact::Number::fromDecimal(*decimal)};
}

Q named(const QString &name)
{
    return *pairs::quantityNamed(name.toStdString());
}

double doubleOf(const exact::Number &x)
{
    pairs::Value v;
    v.kept = x.rounded(pairs::keptDigits);
    return v.toDouble();
}

// What a row expects of a value: "a=3√10" for its exact form (C locale),
// "a≈9.7891" for its value to the digits written.
void expectValue(const pairs::Triangle &t, const QString &expectation)
{
    static const QRegularExpression form(QStringLiteral("^(\\w+)([=≈])(.+)$"));
    const auto m = form.match(expectation);
    QVERIFY2(m.hasMatch(), qPrintable(expectation));
    const pairs::Value &v = t[named(m.captured(1))];
    if (m.captured(2) == u"=") {
        QCOMPARE(pairtext::exactText(v, QLocale::c()), m.captured(3));
        return;
    }
    const QString text = m.captured(3);
    const QString mantissa = text.section(u'e', 0, 0);
    const int decimals = int(mantissa.section(u'.', 1).size());
    const int exponent = text.contains(u'e') ? text.section(u'e', 1).toInt() : 0;
    QVERIFY2(std::abs(v.toDouble() - text.toDouble()) <= 0.51 * std::pow(10.0, exponent - decimals),
             qPrintable(expectation + QStringLiteral(": %1").arg(v.toDouble(), 0, 'g', 17)));
}

// A triangle is one: every value positive, the hypotenuse that of the legs,
// and the givens come back.
void expectSane(const pairs::Solution &s)
{
    for (const pairs::Triangle &t : s.triangles) {
        for (const pairs::Value &v : t.values)
            QVERIFY(v.toDouble() > 0 && std::isfinite(v.toDouble()));
        const double a = t[Q::a].toDouble(), b = t[Q::b].toDouble(), c = t[Q::c].toDouble();
        QVERIFY(std::abs(std::hypot(a, b) - c) <= 1e-13 * c);
        for (const pairs::Given &g : s.givens) {
            const double typed = doubleOf(g.value);
            QVERIFY2(std::abs(t[g.quantity].toDouble() - typed) <= 1e-13 * typed,
                     qPrintable(pairtext::symbol(g.quantity)));
        }
    }
}

} // namespace

class TestPairs : public QObject
{
    Q_OBJECT

private slots:
    void schoolProblems_data();
    void schoolProblems();
    void conditions_data();
    void conditions();
};

void TestPairs::schoolProblems_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("triangles");
    QTest::addColumn<QStringList>("expected");
    // clang-format off
    QTest::newRow("r = 2, R = 5: the legs 8 and 6")       << "r=2"    << "R=5"    << 1 << QStringList{"a=8", "b=6", "c=10", "h=4.8", "a1=6.4", "b1=3.6", "m=4", "n=6", "S=24", "P=24", "alpha≈53.130"};
    QTest::newRow("m = 5, n = 12: the legs 15 and 8")     << "m=5"    << "n=12"   << 1 << QStringList{"a=15", "b=8", "c=17", "r=3"};
    QTest::newRow("P = 30, r = 2: c = 13")                << "P=30"   << "r=2"    << 1 << QStringList{"c=13", "a=12", "b=5", "S=30"};
    QTest::newRow("r = 3, R = 12,5: S = 84")              << "r=3"    << "R=12.5" << 1 << QStringList{"S=84", "a=24", "b=7"};
    QTest::newRow("a = 5, r = 2: b = 12")                 << "a=5"    << "r=2"    << 1 << QStringList{"b=12", "c=13", "S=30"};
    QTest::newRow("c = 10, h = 3: one root")              << "c=10"   << "h=3"    << 1 << QStringList{"a=3√10", "b=√10", "r=2√10 − 5", "m=5 − √10", "n=5 + √10", "a1=9", "b1=1", "S=15", "P=10 + 4√10", "R=5"};
    QTest::newRow("c = 10, h = 2: the legs need two roots") << "c=10" << "h=2"    << 1 << QStringList{"a=√15 + √35", "b=√35 − √15", "P=10 + 2√35", "m=5 − √15", "a1=5 + √21"};
    QTest::newRow("c = 13, r = 2")                        << "c=13"   << "r=2"    << 1 << QStringList{"a=12", "b=5"};
    QTest::newRow("c = 11, r = 2: (15 + √17)/2")          << "c=11"   << "r=2"    << 1 << QStringList{"a=(15 + √17)/2", "b=(15 − √17)/2", "S=26"};
    QTest::newRow("alpha = 30°, c = 1")                   << "alpha=30" << "c=1"  << 1 << QStringList{"a=0.5", "b=√3/2", "r=(√3 − 1)/4", "beta=60", "S=√3/8"};
    QTest::newRow("h = 4,8, c = 10")                      << "h=4.8"  << "c=10"   << 1 << QStringList{"a=8", "b=6"};
    QTest::newRow("S = 24, r = 2")                        << "S=24"   << "r=2"    << 1 << QStringList{"c=10", "a=8", "b=6"};
    QTest::newRow("S = 6, P = 12")                        << "S=6"    << "P=12"   << 1 << QStringList{"a=4", "b=3", "c=5"};
    QTest::newRow("h = 12, m = 15 (15-20-25)")            << "h=12"   << "m=15"   << 1 << QStringList{"n=10", "c=25", "b=20", "a=15"};
    QTest::newRow("b, c: the legs by their own names")    << "b=4"    << "c=5"    << 1 << QStringList{"a=3", "b1=3.2", "a1=1.8", "m=3", "n=2"};
    QTest::newRow("a, b1: a nested root, decimals")       << "a=3"    << "b1=2"   << 1 << QStringList{"c=1 + √10", "a1=√10 − 1", "b≈2.8852"};
    QTest::newRow("a1 = 1,8, n = 2: a cubic, rational")   << "a1=1.8" << "n=2"    << 1 << QStringList{"a=3", "b=4", "c=5"};
    QTest::newRow("a1 = 1,8, m = 3: a cubic, rational")   << "a1=1.8" << "m=3"    << 1 << QStringList{"a=3", "b=4"};
    QTest::newRow("a1 = 1,8, S = 6: a cubic, rational")   << "a1=1.8" << "S=6"    << 1 << QStringList{"a=3", "b=4"};
    QTest::newRow("a1 = 1,8, P = 12: a cubic, rational")  << "a1=1.8" << "P=12"   << 1 << QStringList{"a=3", "b=4"};
    QTest::newRow("a1 = 1,8, r = 1: a cubic, rational")   << "a1=1.8" << "r=1"    << 1 << QStringList{"a=3", "b=4"};
    QTest::newRow("b1 = 3,2, n = 2: the mirror of a cubic") << "b1=3.2" << "n=2"  << 1 << QStringList{"a=3", "b=4"};
    QTest::newRow("a1 = 3,2, n = 3: two triangles")       << "a1=3.2" << "n=3"    << 2 << QStringList{"a=4", "b=3", "c=5"};
    QTest::newRow("a1 = 1, n = 1: isosceles, and t = 1 is none") << "a1=1" << "n=1" << 1 << QStringList{"a=√2", "b=√2", "c=2"};
    QTest::newRow("a1 = 1, r = 0,3: a cubic, decimals")   << "a1=1"   << "r=0.3"  << 1 << QStringList{"c≈1.5165"};
    QTest::newRow("a = 5, alpha = 40°: decimals")         << "a=5"    << "alpha=40" << 1 << QStringList{"c≈7.7786", "b≈5.9588", "beta=50"};
    QTest::newRow("m = 2, alpha = 60°")                   << "m=2"    << "alpha=60" << 1 << QStringList{"c=(12 + 4√3)/3", "b=(6 + 2√3)/3"};
    QTest::newRow("r = 1, alpha = 45°")                   << "r=1"    << "alpha=45" << 1 << QStringList{"c=2 + 2√2", "a=2 + √2"};
    QTest::newRow("P = 12, alpha = 60°")                  << "P=12"   << "alpha=60" << 1 << QStringList{"c=12 − 4√3"};
    QTest::newRow("S = 8, beta = 45°")                    << "S=8"    << "beta=45" << 1 << QStringList{"a=4", "c=4√2"};
    QTest::newRow("a1 = 1, beta = 60°")                   << "a1=1"   << "beta=60" << 1 << QStringList{"c=4", "a=2"};
    QTest::newRow("h = 3, alpha = 30°")                   << "h=3"    << "alpha=30" << 1 << QStringList{"b=6", "a=2√3", "c=4√3"};
    QTest::newRow("thin: a = 1e-100, c = 1e100")          << "a=1e-100" << "c=1e100" << 1 << QStringList{"r≈5.0000e-101", "S≈0.50000"};
    // clang-format on
}

void TestPairs::schoolProblems()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, triangles);
    QFETCH(QStringList, expected);
    const auto split = [](const QString &text) {
        return given(named(text.section(u'=', 0, 0)), text.section(u'=', 1).toLatin1().constData());
    };
    const auto solved = pairs::solve(split(first), split(second));
    QVERIFY(solved);
    QCOMPARE(int(solved->triangles.size()), triangles);
    expectSane(*solved);
    for (const QString &e : expected)
        expectValue(solved->triangles.front(), e);
    // The same triangle from the givens the other way round.
    const auto swapped = pairs::solve(split(second), split(first));
    QVERIFY(swapped);
    QCOMPARE(pairtext::exactText(swapped->triangles.front()[Q::a], QLocale::c()),
             pairtext::exactText(solved->triangles.front()[Q::a], QLocale::c()));
}

// Each bound of each pair's condition, just inside and just outside it and
// at it where the limit is rational, in both names of the legs: a triangle
// exactly where the bound holds, else the bound as the failure.
void TestPairs::conditions_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("bound");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<int>("side"); // −1 below the limit, 0 at it, +1 above
    for (std::size_t row = 0; row < pairs::table::rows.size(); ++row) {
        const pairs::PairFacts &facts = pairs::table::rows[row];
        for (int b = 0; b < 2; ++b) {
            if (!facts.bounds[std::size_t(b)])
                continue;
            const bool rational = facts.bounds[std::size_t(b)]->factor.qNumerator == 0
                && !facts.bounds[std::size_t(b)]->cubic;
            for (const bool mirrored : {false, true}) {
                if (mirrored && pairs::mirrorOf(facts.first) == facts.first
                    && pairs::mirrorOf(facts.second) == facts.second)
                    continue;
                for (const int side : {-1, 0, 1}) {
                    if (side == 0 && !rational)
                        continue;
                    QTest::addRow("%s, %s: %s, %s%s", pairs::factsOf(facts.first).name.data(),
                                  pairs::factsOf(facts.second).name.data(),
                                  std::string(facts.bounds[std::size_t(b)]->rule).c_str(),
                                  side < 0 ? "below" : side > 0 ? "above" : "at",
                                  mirrored ? ", mirrored" : "")
                        << int(row) << b << mirrored << side;
                }
            }
        }
    }
    QTest::newRow("c, R say one thing") << -1 << 0 << false << 0;
    QTest::newRow("alpha, beta say one thing") << -2 << 0 << false << 0;
}

void TestPairs::conditions()
{
    QFETCH(int, row);
    QFETCH(int, bound);
    QFETCH(bool, mirrored);
    QFETCH(int, side);
    if (row < 0) {
        const auto twice = row == -1 ? pairs::solve(given(Q::c, "10"), given(Q::R, "5"))
                                     : pairs::solve(given(Q::alpha, "30"), given(Q::beta, "60"));
        QVERIFY(!twice);
        QCOMPARE(twice.error().failure, pairs::Failure::Twice);
        return;
    }
    const pairs::PairFacts &facts = pairs::table::rows[std::size_t(row)];
    pairs::Bound b = *facts.bounds[std::size_t(bound)];
    const auto name = [&](Q q) { return mirrored ? pairs::mirrorOf(q) : q; };
    // The value bounded by, and the limit it sets, to 30 digits.
    const exact::Number by = b.power == 0 ? exact::Number(0) : exact::Number(10);
    const exact::Number factor = b.cubic
        ? exact::Number(exact::Rational(9026796533197438LL, 10000000000000000LL))
        : exact::Number(exact::Rational(b.factor.pNumerator, b.factor.pDenominator),
                        exact::Rational(b.factor.qNumerator, b.factor.qDenominator),
                        b.factor.qNumerator == 0 ? exact::Integer(0) : exact::Integer(2));
    const exact::Number limit = b.power == 0 ? factor : factor * exact::power(by, b.power);
    const exact::Number step = limit / exact::power(exact::Number(10), 9);
    const exact::Number value = exact::Number::fromDecimal(
        (limit + exact::Number(side) * step).rounded(side == 0 ? 40 : 20));
    // The other given: the one bounded by; for an angle's bound, a length.
    const Q other = b.power == 0 ? (facts.first == b.limited ? facts.second : facts.first) : b.by;
    const pairs::Given limited{name(b.limited), value};
    const pairs::Given second{name(other), exact::Number(10)};
    const bool holds = [&] {
        switch (b.relation) {
        case pairs::Relation::Less: return side < 0;
        case pairs::Relation::AtMost: return side <= 0;
        case pairs::Relation::Greater: return side > 0;
        case pairs::Relation::AtLeast: return side >= 0;
        }
        return false;
    }();
    const auto solved = pairs::solve(limited, second);
    // The other bound of the pair, if any, holds near this one's limit.
    QCOMPARE(bool(solved), holds);
    if (solved) {
        expectSane(*solved);
        // And its steps: at a bound the triangle is often the isosceles
        // one, where a − b = 0.
        for (std::size_t i = 0; i < solved->triangles.size(); ++i) {
            const QStringList steps = pairtext::steps(*solved, i, QLocale::c());
            QVERIFY2(steps.size() > 1 && steps[1].startsWith(QStringLiteral("1) ")),
                     qPrintable(steps.join(u'\n')));
        }
        return;
    }
    QCOMPARE(solved.error().failure, pairs::Failure::Condition);
    QVERIFY(solved.error().bound);
    QCOMPARE(solved.error().bound->limited, name(b.limited));
    QCOMPARE(solved.error().bound->relation, b.relation);
    // The message quotes a limit that, typed as shown, meets the bound.
    const FailureReport report = pairtext::failureReport(solved.error(), limited, second, QLocale::c());
    QVERIFY2(report.message.contains(QStringLiteral("Условие: ")), qPrintable(report.message));
    static const QRegularExpression quoted(QStringLiteral("трябва да е [^0-9]+ ([0-9.e+·⁻⁰¹²³⁴⁵⁶⁷⁸⁹]+) при"));
    const auto m = quoted.match(report.message);
    if (b.power != 0) {
        QVERIFY2(m.hasMatch(), qPrintable(report.message));
        const auto decimal = exact::readDecimal(m.captured(1).toStdString());
        QVERIFY2(decimal, qPrintable(m.captured(1)));
        QVERIFY(pairs::meets(*solved.error().bound, {limited.quantity, exact::Number::fromDecimal(*decimal)},
                             second));
    }
}

QTEST_GUILESS_MAIN(TestPairs)
#include "tst_pairs.moc"
