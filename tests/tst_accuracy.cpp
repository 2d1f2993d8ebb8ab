#include "solver.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>

using solver::Triangle;
using solver::Variant;

Q_DECLARE_METATYPE(Variant)

// How accurate the solver is over the whole range a student may type: legs
// from 1e-6 to 1e6, from the isosceles triangle to one whose legs differ by
// twelve orders of magnitude. Each random triangle is solved through every
// variant from its exactly rounded givens and compared with the exact
// triangle.
//
// The error of a variant grows with the thinness rho = long leg / short leg,
// because some of its formula steps subtract nearly equal numbers. Each row
// of the table below carries an error model, worst relative error <=
// K * eps * (rho^power + isosceles term), whose power comes from the formula
// and whose K was measured over several million triangles and then doubled:
//
// - a, b: r = ((a + b) - c) / 2, and a + b and c agree in their leading
//   log10(rho) digits: power 1, measured K 7.1.
// - a, r with a the shorter leg: R's divisor 4a - 8r is small, since a is
//   only just above 2r: power 1, measured K 8.6.
// - a, r with a the longer leg: b = sqrt(4R*R - a*a), where 4R*R and a*a
//   agree in 2*log10(rho) digits: power 2, measured K 8.6.
// - a, R: r = ((a + b) - c) / 2 cancels as for a, b when a is the shorter
//   leg (power 1, measured K 7.2); b = sqrt(c*c - a*a) cancels as for a, r
//   when a is the longer one (power 2, measured K 6.8). The second is in the
//   problem itself: rounding the given R moves b by as much.
// - r, R: b = sqrt(T - Q) with Q close to T cancels as above (power 2,
//   measured K 3.3); besides, a nearly isosceles triangle is a near double
//   root, where Q = sqrt(T*T - S) keeps only the digits of T*T - S. That
//   adds eps / max(rho - 1, sqrt(eps)): up to half the digits (about 8) are
//   lost at the isosceles triangle itself.
//
// The losses of a, r and of r, R on thin triangles are the formulas', not the
// problem's: b = 2r(a - r) / (a - 2r) and b = 2r(r + 2R) / sqrt(T + Q) are
// the same legs without the cancellation.
//
// Where the model leaves fewer than three digits (bound above 1e-3) the
// variant has nothing left to compute with: the solve may fail, and if it
// does not, all that is checked is that it gave a triangle at all.
//
// The test prints the worst error per variant and band of rho, the table
// quoted in the README.
namespace {

constexpr double eps = std::numeric_limits<double>::epsilon() / 2; // 2^-53
constexpr double lowestLeg = 1e-6;
constexpr double highestLeg = 1e6;
constexpr double maximalThinness = highestLeg / lowestLeg;
constexpr double digitsLeft = 1e-3;
constexpr int samplesPerRow = 200'000;

enum class Given { EitherLeg, ShorterLeg, LongerLeg };

// The exact triangle, to more digits than a double holds: long double,
// with r = a*b / (a + b + c), which has no cancellation.
struct Exact
{
    long double a, b, r, R;
};

Exact exactTriangle(double a, double b)
{
    const long double la = a;
    const long double lb = b;
    const long double c = std::sqrt(la * la + lb * lb);
    return {la, lb, la * lb / (la + lb + c), c / 2};
}

std::pair<double, double> givensOf(Variant variant, double a, double b, const Exact &exact)
{
    switch (variant) {
    case Variant::Legs:
        return {a, b};
    case Variant::LegAndInradius:
        return {a, double(exact.r)};
    case Variant::LegAndCircumradius:
        return {a, double(exact.R)};
    case Variant::Radii:
        return {double(exact.r), double(exact.R)};
    }
    return {};
}

double relativeError(double computed, long double exact)
{
    return double(std::abs(computed - exact) / exact);
}

// The worst relative error of the four values. From the radii the shorter
// leg always comes back as b.
double worstError(Variant variant, const Triangle &t, const Exact &exact)
{
    long double a = exact.a;
    long double b = exact.b;
    if (variant == Variant::Radii && a < b)
        std::swap(a, b);
    return std::max({relativeError(t.a, a), relativeError(t.b, b), relativeError(t.r, exact.r),
                     relativeError(t.R, exact.R)});
}

// Random right triangles with thin and fat shapes equally likely: the
// thinness rho is log-uniform over twelve orders of magnitude, one in four
// is within 1e-12..1e-1 of isosceles, and the scale is log-uniform over
// what leaves both legs in 1e-6..1e6.
class TriangleSource
{
public:
    explicit TriangleSource(std::uint64_t seed) : m_random(seed) {}

    // The shorter and the longer leg.
    std::pair<double, double> next()
    {
        double rho;
        if (m_isoscelesShare(m_random))
            rho = 1 + std::pow(10.0, uniform(-12, -1));
        else
            rho = std::pow(10.0, uniform(0, std::log10(maximalThinness)));
        const double shorter =
            std::pow(10.0, uniform(std::log10(lowestLeg), std::log10(highestLeg / rho)));
        return {shorter, std::min(shorter * rho, highestLeg)};
    }

private:
    double uniform(double low, double high)
    {
        return std::uniform_real_distribution<double>(low, high)(m_random);
    }

    std::mt19937_64 m_random;
    std::bernoulli_distribution m_isoscelesShare{0.25};
};

// Bands of thinness for the printed table, by their upper end.
constexpr std::array<double, 5> bandEnds = {10, 1e3, 1e6, 1e9, 1e12 * (1 + 1e-9)};
constexpr std::array<const char *, 5> bandNames = {"1-10", "10-1e3", "1e3-1e6", "1e6-1e9",
                                                   "1e9-1e12"};

std::size_t bandOf(double rho)
{
    const auto end = std::ranges::find_if(bandEnds, [rho](double end) { return rho <= end; });
    return std::min(std::size_t(end - bandEnds.begin()), bandEnds.size() - 1);
}

} // namespace

Q_DECLARE_METATYPE(Given)

class TestAccuracy : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
};

void TestAccuracy::roundTrip_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<Given>("given");
    QTest::addColumn<int>("power");
    QTest::addColumn<double>("K");

    QTest::newRow("a, b")             << Variant::Legs               << Given::EitherLeg  << 1 << 16.0;
    QTest::newRow("a, r; a shorter")  << Variant::LegAndInradius     << Given::ShorterLeg << 1 << 18.0;
    QTest::newRow("a, r; a longer")   << Variant::LegAndInradius     << Given::LongerLeg  << 2 << 18.0;
    QTest::newRow("a, R; a shorter")  << Variant::LegAndCircumradius << Given::ShorterLeg << 1 << 16.0;
    QTest::newRow("a, R; a longer")   << Variant::LegAndCircumradius << Given::LongerLeg  << 2 << 14.0;
    QTest::newRow("r, R")             << Variant::Radii              << Given::EitherLeg  << 2 << 8.0;
}

void TestAccuracy::roundTrip()
{
    QFETCH(Variant, variant);
    QFETCH(Given, given);
    QFETCH(int, power);
    QFETCH(double, K);

    // A fixed seed per row: a failure names a triangle that can be solved
    // again by hand.
    TriangleSource source(0x6b6f7672656e6461u + std::uint64_t(variant) * 3 + std::uint64_t(given));
    std::array<double, bandEnds.size()> worst{};
    std::array<int, bandEnds.size()> failures{};
    std::array<int, bandEnds.size()> samples{};
    double firstFailure = std::numeric_limits<double>::infinity();
    int limitFailures = 0;
    double worstWithDigitsLeft = 0;

    for (int i = 0; i < samplesPerRow; ++i) {
        const auto [shorter, longer] = source.next();
        const bool aLonger = given == Given::LongerLeg || (given == Given::EitherLeg && i % 2);
        const double a = aLonger ? longer : shorter;
        const double b = aLonger ? shorter : longer;
        const double rho = longer / shorter;
        const Exact exact = exactTriangle(a, b);
        // Plain variables, not a structured binding: the lambda below
        // captures them, which clang 14 (the fuzz build) does not allow for
        // a binding.
        const std::pair<double, double> givens = givensOf(variant, a, b, exact);
        const double first = givens.first;
        const double second = givens.second;

        double modelTerm = std::pow(rho, power);
        if (variant == Variant::Radii)
            modelTerm += 1 / std::max(rho - 1, std::sqrt(eps));
        const double bound = K * eps * modelTerm;

        const std::size_t band = bandOf(rho);
        ++samples[band];
        const auto result = solver::solve(variant, first, second);
        const auto failed = [&](const char *what) {
            return QStringLiteral("%1: legs a = %2, b = %3; givens %4, %5; bound %6")
                .arg(QLatin1StringView(what))
                .arg(a, 0, 'g', 17)
                .arg(b, 0, 'g', 17)
                .arg(first, 0, 'g', 17)
                .arg(second, 0, 'g', 17)
                .arg(bound, 0, 'g', 3)
                .toUtf8();
        };
        if (!result) {
            ++failures[band];
            // The isosceles triangle is the limit R = (1 + sqrt 2) r itself:
            // rounding its givens can leave R a hair below it, and then there
            // is no triangle, correctly so. T*T - S is about (rho - 1)^2 T*T,
            // and rounding moves it by about eps T*T, so this reaches to rho - 1
            // of a few sqrt(eps); failures were measured up to 2.5e-8.
            const bool onTheRadiiLimit = variant == Variant::Radii && rho - 1 < 1e-7;
            if (onTheRadiiLimit)
                ++limitFailures;
            else
                firstFailure = std::min(firstFailure, rho);
            if (bound <= digitsLeft && !onTheRadiiLimit)
                QFAIL(failed("no triangle although digits were left").constData());
            continue;
        }
        const double error = worstError(variant, *result, exact);
        worst[band] = std::max(worst[band], error);
        if (bound <= digitsLeft) {
            worstWithDigitsLeft = std::max(worstWithDigitsLeft, error / bound);
            if (!(error <= bound))
                QFAIL(failed(qPrintable(QStringLiteral("error %1").arg(error, 0, 'g', 3))).constData());
        } else {
            for (const double value : {result->a, result->b, result->r, result->R})
                if (!(std::isfinite(value) && value > 0))
                    QFAIL(failed("a value that is not positive and finite").constData());
        }
    }

    // The table for the README: worst relative error (failures) per band.
    QString line;
    for (std::size_t band = 0; band < bandEnds.size(); ++band)
        line += QStringLiteral("  rho %1: %2 (%3/%4 failed)")
                    .arg(QLatin1StringView(bandNames[band]))
                    .arg(worst[band], 0, 'e', 1)
                    .arg(failures[band])
                    .arg(samples[band]);
    qInfo("%s:%s; first failure at rho %.3g (%d more on the isosceles limit); "
          "worst error / bound %.2f",
          QTest::currentDataTag(), qPrintable(line), firstFailure, limitFailures,
          worstWithDigitsLeft);
}

QTEST_GUILESS_MAIN(TestAccuracy)
#include "tst_accuracy.moc"
