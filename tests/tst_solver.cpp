#include "solver.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>

using solver::Failure;
using solver::Triangle;
using solver::Variant;

Q_DECLARE_METATYPE(Variant)
Q_DECLARE_METATYPE(Failure)

namespace {

// The two givens of a variant taken from a whole triangle, in solve() order.
std::pair<double, double> givensOf(Variant variant, const Triangle &t)
{
    switch (variant) {
    case Variant::Legs:
        return {t.a, t.b};
    case Variant::LegAndInradius:
        return {t.a, t.r};
    case Variant::LegAndCircumradius:
        return {t.a, t.R};
    case Variant::Radii:
        return {t.r, t.R};
    }
    return {};
}

// The exact radii of the right triangle with legs a and b, computed in
// long double so that the reference is more accurate than the solver.
Triangle triangleFromLegs(long double a, long double b)
{
    const long double c = std::sqrt(a * a + b * b);
    return {double(a), double(b), double((a + b - c) / 2), double(c / 2)};
}

bool closeTo(double actual, double expected, double relative)
{
    return std::abs(actual - expected) <= relative * std::abs(expected);
}

} // namespace

class TestSolver : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void failures_data();
    void failures();
    void roundTrips_data();
    void roundTrips();
    void boundaries_data();
    void boundaries();
};

void TestSolver::workedExamples_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("R");

    // Exact results: every step of these is exact in binary floating point.
    QTest::newRow("legs 3, 4")        << Variant::Legs               << 3.0 << 4.0 << 3.0 << 4.0 << 1.0 << 2.5;
    QTest::newRow("a 3, r 1")         << Variant::LegAndInradius     << 3.0 << 1.0 << 3.0 << 4.0 << 1.0 << 2.5;
    QTest::newRow("a 3, R 2.5")       << Variant::LegAndCircumradius << 3.0 << 2.5 << 3.0 << 4.0 << 1.0 << 2.5;
    QTest::newRow("radii: b shorter") << Variant::Radii              << 1.0 << 2.5 << 4.0 << 3.0 << 1.0 << 2.5;
    QTest::newRow("legs 5, 12")       << Variant::Legs               << 5.0 << 12.0 << 5.0 << 12.0 << 2.0 << 6.5;
    QTest::newRow("a 12, r 2")        << Variant::LegAndInradius     << 12.0 << 2.0 << 12.0 << 5.0 << 2.0 << 6.5;
}

void TestSolver::workedExamples()
{
    QFETCH(Variant, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, r);
    QFETCH(double, R);

    const auto result = solver::solve(variant, first, second);
    QVERIFY(result.has_value());
    // Compared exactly, not with QCOMPARE's fuzzy comparison of doubles.
    QVERIFY2(*result == (Triangle{a, b, r, R}),
             qPrintable(QStringLiteral("got %1 %2 %3 %4")
                            .arg(result->a, 0, 'g', 17)
                            .arg(result->b, 0, 'g', 17)
                            .arg(result->r, 0, 'g', 17)
                            .arg(result->R, 0, 'g', 17)));
}

void TestSolver::failures_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<Failure>("failure");

    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();

    QTest::newRow("empty boxes read as zeros") << Variant::Legs               << 0.0  << 0.0  << Failure::InvalidGiven;
    QTest::newRow("negative legs")             << Variant::Legs               << -3.0 << -4.0 << Failure::InvalidGiven;
    QTest::newRow("zero radius")               << Variant::Radii              << 0.0  << 2.5  << Failure::InvalidGiven;
    QTest::newRow("infinite given")            << Variant::LegAndCircumradius << inf  << 2.5  << Failure::InvalidGiven;
    QTest::newRow("NaN given")                 << Variant::LegAndInradius     << 3.0  << nan  << Failure::InvalidGiven;
    QTest::newRow("a = 2r divides by zero")    << Variant::LegAndInradius     << 2.0  << 1.0  << Failure::DivisionByZero;
    QTest::newRow("a < 2r gives negative R")   << Variant::LegAndInradius     << 3.0  << 2.0  << Failure::NotATriangle;
    QTest::newRow("a longer than 2R")          << Variant::LegAndCircumradius << 6.0  << 2.5  << Failure::NegativeSquareRoot;
    QTest::newRow("a = 2R leaves b zero")      << Variant::LegAndCircumradius << 5.0  << 2.5  << Failure::NotATriangle;
    QTest::newRow("R too small for r")         << Variant::Radii              << 1.0  << 2.0  << Failure::NegativeSquareRoot;
    QTest::newRow("squares overflow")          << Variant::Legs               << 1e200 << 1e200 << Failure::Overflow;
    QTest::newRow("squares underflow to zero") << Variant::Legs               << 1e-200 << 1e-200 << Failure::NotATriangle;
    QTest::newRow("radii overflow")            << Variant::Radii              << 1e100 << 1e300 << Failure::Overflow;
    QTest::newRow("unknown variant")           << Variant(7)                  << 3.0  << 4.0  << Failure::InvalidGiven;
}

void TestSolver::failures()
{
    QFETCH(Variant, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(Failure, failure);

    const auto result = solver::solve(variant, first, second);
    QVERIFY(!result.has_value());
    QCOMPARE(result.error(), failure);
}

void TestSolver::roundTrips_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("tolerance");

    // Relative tolerances as measured, with some room. Integer triangles come
    // back exactly. Where digits go, it is cancellation:
    // - isosceles from the radii: a and b are a double root, and the square
    //   root of the small difference T*T - S keeps only half the digits;
    // - thin from the legs: r = (a + b - c) / 2 with c close to the long leg;
    // - long a from a and r or a and R: b comes out of c*c - a*a.
    constexpr auto legs = Variant::Legs;
    constexpr auto ar = Variant::LegAndInradius;
    constexpr auto aR = Variant::LegAndCircumradius;
    constexpr auto radii = Variant::Radii;
    QTest::newRow("3-4-5 from legs")            << legs  << 3.0 << 4.0 << 0.0;
    QTest::newRow("3-4-5 from a, r")            << ar    << 3.0 << 4.0 << 0.0;
    QTest::newRow("3-4-5 from a, R")            << aR    << 3.0 << 4.0 << 0.0;
    QTest::newRow("3-4-5 from radii")           << radii << 3.0 << 4.0 << 0.0;
    QTest::newRow("5-12-13 from legs")          << legs  << 5.0 << 12.0 << 0.0;
    QTest::newRow("5-12-13 from a, r")          << ar    << 5.0 << 12.0 << 0.0;
    QTest::newRow("5-12-13 from a, R")          << aR    << 5.0 << 12.0 << 0.0;
    QTest::newRow("5-12-13 from radii")         << radii << 5.0 << 12.0 << 0.0;
    QTest::newRow("3-4-5 x 1e6 from radii")     << radii << 3e6 << 4e6 << 1e-15;
    QTest::newRow("isosceles from legs")        << legs  << 1.0 << 1.0 << 1e-15;
    QTest::newRow("isosceles from a, r")        << ar    << 1.0 << 1.0 << 1e-15;
    QTest::newRow("isosceles from a, R")        << aR    << 1.0 << 1.0 << 1e-15;
    QTest::newRow("isosceles from radii")       << radii << 1.0 << 1.0 << 3e-8;
    QTest::newRow("thin 1:1000 from legs")      << legs  << 1.0 << 1000.0 << 2e-13;
    QTest::newRow("thin 1:1000 from a, r")      << ar    << 1.0 << 1000.0 << 2e-13;
    QTest::newRow("thin 1:1000 from a, R")      << aR    << 1.0 << 1000.0 << 2e-13;
    QTest::newRow("thin 1:1000 from radii")     << radii << 1.0 << 1000.0 << 1e-15;
    QTest::newRow("thin 1000:1 from legs")      << legs  << 1000.0 << 1.0 << 2e-13;
    QTest::newRow("thin 1000:1 from a, r")      << ar    << 1000.0 << 1.0 << 2e-10;
    QTest::newRow("thin 1000:1 from a, R")      << aR    << 1000.0 << 1.0 << 2e-10;
    QTest::newRow("thin 1000:1 from radii")     << radii << 1000.0 << 1.0 << 1e-15;
}

void TestSolver::roundTrips()
{
    QFETCH(Variant, variant);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, tolerance);

    const Triangle exact = triangleFromLegs(a, b);
    const auto [first, second] = givensOf(variant, exact);
    const auto result = solver::solve(variant, first, second);
    QVERIFY(result.has_value());

    // From the radii the shorter leg always comes out as b.
    const bool swapped = variant == Variant::Radii && a < b;
    const double expectedA = swapped ? exact.b : exact.a;
    const double expectedB = swapped ? exact.a : exact.b;
    QVERIFY2(closeTo(result->a, expectedA, tolerance), qPrintable(QString::number(result->a, 'g', 17)));
    QVERIFY2(closeTo(result->b, expectedB, tolerance), qPrintable(QString::number(result->b, 'g', 17)));
    QVERIFY2(closeTo(result->r, exact.r, tolerance), qPrintable(QString::number(result->r, 'g', 17)));
    QVERIFY2(closeTo(result->R, exact.R, tolerance), qPrintable(QString::number(result->R, 'g', 17)));
}

void TestSolver::boundaries_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<bool>("solves");

    const double r = 1.5;
    const double R = 2.5;
    const double radiiLimit = (1 + std::numbers::sqrt2) * r;
    const double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("a just above 2r") << Variant::LegAndInradius << std::nextafter(2 * r, inf) << r << true;
    QTest::newRow("a = 2r")          << Variant::LegAndInradius << 2 * r                      << r << false;
    QTest::newRow("a just below 2r") << Variant::LegAndInradius << std::nextafter(2 * r, 0.0) << r << false;
    QTest::newRow("a just below 2R") << Variant::LegAndCircumradius << std::nextafter(2 * R, 0.0) << R << true;
    QTest::newRow("a = 2R")          << Variant::LegAndCircumradius << 2 * R                      << R << false;
    QTest::newRow("a just above 2R") << Variant::LegAndCircumradius << std::nextafter(2 * R, inf) << R << false;
    QTest::newRow("R a little above (1 + sqrt 2) r") << Variant::Radii << r << radiiLimit * (1 + 1e-9) << true;
    QTest::newRow("R a little below (1 + sqrt 2) r") << Variant::Radii << r << radiiLimit * (1 - 1e-9) << false;
}

void TestSolver::boundaries()
{
    QFETCH(Variant, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(bool, solves);

    const auto result = solver::solve(variant, first, second);
    QCOMPARE(result.has_value(), solves);
    if (solves) {
        // Whatever the rounding near the limit, a solved triangle is one.
        QVERIFY(result->a > 0 && result->b > 0 && result->r > 0 && result->R > 0);
        QVERIFY(std::isfinite(result->a) && std::isfinite(result->b));
        QVERIFY(std::isfinite(result->r) && std::isfinite(result->R));
    }
}

QTEST_GUILESS_MAIN(TestSolver)
#include "tst_solver.moc"
