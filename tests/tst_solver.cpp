#include "solver.h"
#include "variants.h"

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

    // Typical inexact givens, with the results as the solver gives them
    // today to the last bit (hex literals are exact). Each is within 1e-13
    // of the exact answer; a change to the order of the formula steps, such
    // as (a + b) - c regrouped as a + (b - c), moves some of their last
    // digits and shows here, although the values stay as accurate.
    QTest::newRow("legs 0.0675, 91.2")  << Variant::Legs               << 0.0675 << 91.2 << 0.0675 << 91.2 << 0x1.1460afe9d08p-5 << 0x1.6cccd35924443p+5;
    QTest::newRow("legs 2.5, 2.5")      << Variant::Legs               << 2.5 << 2.5 << 2.5 << 2.5 << 0x1.76e73ffc1ea8p-1 << 0x1.c48c6001f0acp+0;
    QTest::newRow("legs 1.2, 3.7")      << Variant::Legs               << 1.2 << 3.7 << 1.2 << 3.7 << 0x1.02a10cdf1f786p-1 << 0x1.f1e2acc3a3771p+0;
    QTest::newRow("legs 12.75, 8.1")    << Variant::Legs               << 12.75 << 8.1 << 12.75 << 8.1 << 0x1.6fa7db54b8224p+1 << 0x1.e35f4588d7222p+2;
    QTest::newRow("legs 123.456, 78.9") << Variant::Legs               << 123.456 << 78.9 << 123.456 << 78.9 << 0x1.bebab9f95f4a8p+4 << 0x1.2507972372edep+6;
    QTest::newRow("a 3.7, r 1.1")       << Variant::LegAndInradius     << 3.7 << 1.1 << 3.7 << 0x1.e81b4e81b4e81p+1 << 1.1 << 0x1.540da740da741p+1;
    QTest::newRow("a 0.9, r 0.3")       << Variant::LegAndInradius     << 0.9 << 0.3 << 0.9 << 0x1.3333333333332p+0 << 0.3 << 0x1.7ffffffffffffp-1;
    QTest::newRow("a 5.5, r 1.2")       << Variant::LegAndInradius     << 5.5 << 1.2 << 5.5 << 0x1.aa1dbaa1dbaa2p+1 << 1.2 << 0x1.9b7543b7543b7p+1;
    QTest::newRow("a 7.3, r 2.9")       << Variant::LegAndInradius     << 7.3 << 2.9 << 7.3 << 0x1.10369d0369d04p+4 << 2.9 << 0x1.28369d0369d04p+3;
    QTest::newRow("a 2.5, r 0.9")       << Variant::LegAndInradius     << 2.5 << 0.9 << 2.5 << 0x1.0750750750751p+2 << 0.9 << 0x1.341d41d41d41ep+1;
    QTest::newRow("a 3.7, R 2.5")       << Variant::LegAndCircumradius << 3.7 << 2.5 << 3.7 << 0x1.ae77e8cdbf00cp+1 << 0x1.08118267589a6p+0 << 2.5;
    QTest::newRow("a 1.2, R 0.7")       << Variant::LegAndCircumradius << 1.2 << 0.7 << 1.2 << 0x1.71355d04de18ep-1 << 0x1.0acef69e77b28p-2 << 0.7;
    QTest::newRow("a 4.1, R 2.3")       << Variant::LegAndCircumradius << 4.1 << 2.3 << 4.1 << 0x1.0af71522f03bap+1 << 0x1.95ee2a45e0774p-1 << 2.3;
    QTest::newRow("a 0.5, R 0.4")       << Variant::LegAndCircumradius << 0.5 << 0.4 << 0.5 << 0x1.3fbe701157609p-1 << 0x1.4c49acef7b8dcp-3 << 0.4;
    QTest::newRow("a 12.3, R 10.0")     << Variant::LegAndCircumradius << 12.3 << 10.0 << 12.3 << 0x1.f8a84807d3d5bp+3 << 0x1.0241e1a16d6f4p+2 << 10.0;
    QTest::newRow("r 1.1, R 3.3")       << Variant::Radii              << 1.1 << 3.3 << 0x1.7d291f5c963a6p+2 << 0x1.6c1427ad39f1dp+1 << 1.1 << 3.3;
    QTest::newRow("r 0.7, R 2.5")       << Variant::Radii              << 0.7 << 2.5 << 0x1.2d035a5034657p+2 << 0x1.b258fd2594d0cp+0 << 0.7 << 2.5;
    QTest::newRow("r 1.5, R 4.0")       << Variant::Radii              << 1.5 << 4.0 << 0x1.b4a9fea74be3ap+2 << 0x1.0b560158b41c6p+2 << 1.5 << 4.0;
    QTest::newRow("r 0.3, R 1.2")       << Variant::Radii              << 0.3 << 1.2 << 0x1.2598cb2f27dep+1 << 0x1.699cd34360881p-1 << 0.3 << 1.2;
    QTest::newRow("r 3.2, R 9.9")       << Variant::Radii              << 3.2 << 9.9 << 0x1.20a67e3c280fap+4 << 0x1.051969ee16473p+3 << 3.2 << 9.9;
    // R the double nearest (1 + √2)·r, here just below it: the isosceles
    // triangle, a = b = R + r, as a student who typed the limit expects.
    QTest::newRow("r 40.1, R at the limit") << Variant::Radii       << 40.1 << 0x1.833d6729eeb78p+6 << 0x1.11d1e6c82a8efp+7 << 0x1.11d1e6c82a8efp+7 << 40.1 << 0x1.833d6729eeb78p+6;
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
    // The variant table names the columns that hold the givens.
    QCOMPARE(solver::givens(variant, *result), std::pair(first, second));
}

void TestSolver::failures_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<Failure>("failure");

    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();

    QTest::newRow("empty boxes read as zeros") << Variant::Legs               << 0.0  << 0.0  << Failure::MissingGiven;
    QTest::newRow("negative legs")             << Variant::Legs               << -3.0 << -4.0 << Failure::MissingGiven;
    QTest::newRow("zero radius")               << Variant::Radii              << 0.0  << 2.5  << Failure::MissingGiven;
    QTest::newRow("infinite given")            << Variant::LegAndCircumradius << inf  << 2.5  << Failure::TooLarge;
    QTest::newRow("infinite beside zero")      << Variant::Legs               << 0.0  << inf  << Failure::TooLarge;
    QTest::newRow("NaN given")                 << Variant::LegAndInradius     << 3.0  << nan  << Failure::MissingGiven;
    QTest::newRow("a = 2r")                    << Variant::LegAndInradius     << 2.0  << 1.0  << Failure::Condition;
    QTest::newRow("a < 2r")                    << Variant::LegAndInradius     << 3.0  << 2.0  << Failure::Condition;
    QTest::newRow("a longer than 2R")          << Variant::LegAndCircumradius << 6.0  << 2.5  << Failure::Condition;
    QTest::newRow("a = 2R")                    << Variant::LegAndCircumradius << 5.0  << 2.5  << Failure::Condition;
    QTest::newRow("R too small for r")         << Variant::Radii              << 1.0  << 2.0  << Failure::Condition;
    QTest::newRow("r far above R, both large") << Variant::Radii              << 1e200 << 1e10 << Failure::Condition;
    QTest::newRow("r far above a tiny R")      << Variant::Radii              << 1.0  << 1e-160 << Failure::Condition;
    QTest::newRow("2r beyond double")          << Variant::LegAndInradius     << 1.0  << 1e308 << Failure::Condition;
    QTest::newRow("a beyond double")           << Variant::Radii              << 1.0  << 1e308 << Failure::TooLarge;
    QTest::newRow("b beyond double")           << Variant::LegAndInradius     << std::nextafter(2e300, inf) << 1e300 << Failure::TooLarge;
    QTest::newRow("r below normal doubles")    << Variant::Legs               << 3e-308 << 3e-308 << Failure::TooSmall;
    QTest::newRow("subnormal given")           << Variant::LegAndCircumradius << 1e-310 << 1.0 << Failure::TooSmall;
    QTest::newRow("subnormal R beside r")      << Variant::Radii              << 1.0  << 1e-310 << Failure::TooSmall;
    QTest::newRow("unknown variant")           << Variant(7)                  << 3.0  << 4.0  << Failure::MissingGiven;
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

    // Relative tolerances against the triangle the givens were rounded from.
    // Integer triangles come back exactly. The others carry the rounding of
    // their givens, and the isosceles triangle from the radii magnifies it:
    // a and b are a double root there, and rounding r and R moves them by
    // the square root of it, half the digits.
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
    const auto [first, second] = solver::givens(variant, exact);
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
    // 1 + sqrt 2 = 2.41421356237309504880...; the nearest double lies below
    // it, and is the isosceles triangle all the same.
    QTest::newRow("R the double nearest 1 + sqrt 2") << Variant::Radii << 1.0 << 0x1.3504f333f9de6p+1 << true;
    QTest::newRow("R the double below that")         << Variant::Radii << 1.0 << 0x1.3504f333f9de5p+1 << false;
    QTest::newRow("R the double above that")         << Variant::Radii << 1.0 << 0x1.3504f333f9de7p+1 << true;
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
