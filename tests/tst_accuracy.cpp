#include "pairs.h"
#include "sanitized.h"
#include "solver.h"
#include "variants.h"

#include <QTest>

#include <mpfr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <thread>
#include <variant>
#include <vector>

using solver::Triangle;
using solver::Variant;

Q_DECLARE_METATYPE(Variant)

// How accurate the solver is over the whole range of double: legs from
// 1e-300 to 1e300, from the isosceles triangle to one whose legs differ by
// fifteen orders of magnitude. Each value is compared with the exact answer
// for the givens as the solver receives them, worked out by MPFR to 256 bits,
// and must be within 1e-13 of it (13 significant digits). Where the steps of
// the formulas as first written were already that close, the solver must
// return their result to the last bit; a copy of those steps below gives
// that result. A solve must fail exactly where the givens have no triangle
// or one of its values lies beyond the normal doubles.
//
// The test prints the worst error per variant and band of thinness
// rho = long leg / short leg, for the formulas as written and for the
// solver: the table quoted in docs/accuracy.md.
namespace {

constexpr double promise = 1e-13;
constexpr double u = std::numeric_limits<double>::epsilon() / 2; // 2^-53
// The solver keeps a written value within 0.98e-13 of its stable value,
// which is itself within 8u of the exact answer: a written value within
// 0.98e-13 less twice that of the exact answer must stand as it is.
constexpr double keptWithin = 0.98e-13 - 2 * 8 * u;
constexpr int samplesPerRow = 150'000;

// An MPFR number of 256 bits, freed with its scope.
class Big
{
public:
    Big() { mpfr_init2(m_value, 256); }
    explicit Big(double value) : Big() { mpfr_set_d(m_value, value, MPFR_RNDN); }
    ~Big() { mpfr_clear(m_value); }
    Big(const Big &) = delete;
    Big &operator=(const Big &) = delete;

    mpfr_ptr operator*() { return m_value; }
    double toDouble() const { return mpfr_get_d(m_value, MPFR_RNDN); }

private:
    mpfr_t m_value;
};

// The exact triangle from two givens, as the relations define it without
// cancellation: c = hypot(a, b), r = ab / (a + b + c); b = 2r(a - r) / (a - 2r),
// R = (a - 2r + b) / 2; b = sqrt((2R - a)(2R + a)); a = R + r + sqrt(R^2 - 2Rr - r^2),
// b = 2r(r + 2R) / a. False where there is none.
struct Exact
{
    Big a, b, r, R;
};

bool exactTriangle(Variant variant, double first, double second, Exact &e)
{
    constexpr auto N = MPFR_RNDN;
    Big *const columns[] = {&e.a, &e.b, &e.r, &e.R};
    const auto &given = solver::factsOf(variant).given;
    mpfr_set_d(**columns[int(given[0])], first, N);
    mpfr_set_d(**columns[int(given[1])], second, N);
    Big t, v;
    switch (variant) {
    case Variant::Legs:
        mpfr_hypot(*t, *e.a, *e.b, N);
        mpfr_div_2ui(*e.R, *t, 1, N);
        mpfr_add(*t, *t, *e.a, N);
        mpfr_add(*t, *t, *e.b, N);
        mpfr_mul(*v, *e.a, *e.b, N);
        mpfr_div(*e.r, *v, *t, N);
        return true;
    case Variant::LegAndInradius:
        mpfr_mul_2ui(*t, *e.r, 1, N);
        mpfr_sub(*t, *e.a, *t, N); // a - 2r
        if (mpfr_sgn(*t) <= 0)
            return false;
        mpfr_sub(*v, *e.a, *e.r, N);
        mpfr_mul(*v, *v, *e.r, N);
        mpfr_mul_2ui(*v, *v, 1, N);
        mpfr_div(*e.b, *v, *t, N);
        mpfr_add(*t, *t, *e.b, N);
        mpfr_div_2ui(*e.R, *t, 1, N);
        return true;
    case Variant::LegAndCircumradius:
        mpfr_mul_2ui(*t, *e.R, 1, N);
        mpfr_sub(*v, *t, *e.a, N);
        if (mpfr_sgn(*v) <= 0)
            return false;
        mpfr_add(*t, *t, *e.a, N);
        mpfr_mul(*v, *v, *t, N);
        mpfr_sqrt(*e.b, *v, N);
        mpfr_add(*t, *t, *e.b, N); // 2R + a + b
        mpfr_mul(*v, *e.a, *e.b, N);
        mpfr_div(*e.r, *v, *t, N);
        return true;
    case Variant::Radii:
        mpfr_sqr(*t, *e.R, N);
        mpfr_mul(*v, *e.R, *e.r, N);
        mpfr_mul_2ui(*v, *v, 1, N);
        mpfr_sub(*t, *t, *v, N);
        mpfr_sqr(*v, *e.r, N);
        mpfr_sub(*t, *t, *v, N);
        if (mpfr_sgn(*t) < 0)
            return false;
        mpfr_sqrt(*t, *t, N);
        mpfr_add(*e.a, *e.R, *e.r, N);
        mpfr_add(*e.a, *e.a, *t, N);
        mpfr_mul_2ui(*v, *e.R, 1, N);
        mpfr_add(*v, *v, *e.r, N);
        mpfr_mul(*v, *v, *e.r, N);
        mpfr_mul_2ui(*v, *v, 1, N);
        mpfr_div(*e.b, *v, *e.a, N);
        return true;
    }
    return false;
}

double relativeError(double computed, Big &exact)
{
    Big difference(computed);
    mpfr_sub(*difference, *difference, *exact, MPFR_RNDN);
    mpfr_div(*difference, *difference, *exact, MPFR_RNDN);
    return std::abs(difference.toDouble());
}

// Whether every value of the exact triangle is a normal double, with a
// margin for the rounding of a value right at either end (-1: clearly not,
// 0: at an end, 1: clearly so).
int normalRange(Exact &e)
{
    int verdict = 1;
    for (Big *value : {&e.a, &e.b, &e.r, &e.R}) {
        const double x = value->toDouble();
        if (!(x >= std::numeric_limits<double>::min() && x <= std::numeric_limits<double>::max()))
            return -1;
        if (x < std::numeric_limits<double>::min() * (1 + 1e-12)
            || x > std::numeric_limits<double>::max() * (1 - 1e-12))
            verdict = 0;
    }
    return verdict;
}

// The steps of each variant as first written, one rounded operation each in
// this order: what the program showed before it had a stable form. Empty
// where a step had no finite result.
std::optional<Triangle> asWritten(Variant variant, double x, double y)
{
    Triangle t;
    switch (variant) {
    case Variant::Legs: {
        const double c = std::sqrt(x * x + y * y);
        t = {x, y, ((x + y) - c) / 2, c / 2};
        break;
    }
    case Variant::LegAndInradius: {
        const double twoR = 2 * y;
        const double R = (((twoR * twoR) - ((twoR * 2) * x)) + ((2 * x) * x)) / ((4 * x) - (8 * y));
        t = {x, std::sqrt(((4 * R) * R) - (x * x)), y, R};
        break;
    }
    case Variant::LegAndCircumradius: {
        const double c = 2 * y;
        const double b = std::sqrt((c * c) - (x * x));
        t = {x, b, ((x + b) - c) / 2, y};
        break;
    }
    case Variant::Radii: {
        const double twoR = 2 * y;
        const double T = (twoR * twoR) / 2;
        const double S = (((2 * x) * (x + twoR)) * (2 * x)) * (x + twoR);
        const double b = std::sqrt(T - std::sqrt((T * T) - S));
        t = {(twoR + (2 * x)) - b, b, x, y};
        break;
    }
    }
    // Every intermediate above is finite where the four values are.
    for (const double value : {t.a, t.b, t.r, t.R})
        if (!std::isfinite(value))
            return std::nullopt;
    return t;
}

// Compares one solve with the exact answer. Empty where all is well, else
// what is wrong.
QString check(Variant variant, double first, double second)
{
    const auto result = solver::solve(variant, first, second);
    Exact exact;
    if (!exactTriangle(variant, first, second, exact)) {
        if (!result)
            return {};
        // R the double nearest (1 + sqrt 2) r, below it: the isosceles triangle.
        if (variant == Variant::Radii && result->a == result->b
            && result->a == first + second)
            return {};
        return QStringLiteral("a triangle where there is none");
    }
    const int range = normalRange(exact);
    if (!result)
        return range > 0 ? QStringLiteral("no triangle, failure %1").arg(int(result.error()))
                         : QString();
    if (range < 0)
        return QStringLiteral("a triangle whose values are beyond the normal doubles");

    const std::optional<Triangle> written = asWritten(variant, first, second);
    const std::array<double, 4> solved = {result->a, result->b, result->r, result->R};
    const std::array<Big *, 4> exactValues = {&exact.a, &exact.b, &exact.r, &exact.R};
    for (std::size_t i = 0; i < solved.size(); ++i) {
        const double error = relativeError(solved[i], *exactValues[i]);
        if (!(error <= promise))
            return QStringLiteral("value %1 off by %2").arg(i).arg(error, 0, 'g', 3);
    }
    if (written) {
        const std::array<double, 4> old = {written->a, written->b, written->r, written->R};
        for (std::size_t i = 0; i < old.size(); ++i)
            if (relativeError(old[i], *exactValues[i]) <= keptWithin && old[i] != solved[i])
                return QStringLiteral("value %1 is not the written one, %2").arg(i).arg(old[i], 0, 'a');
    }
    return {};
}

enum class Given { EitherLeg, ShorterLeg, LongerLeg };

// Random right triangles, thin and fat shapes equally likely: the thinness
// rho is log-uniform up to 1e15, one in four is within 1e-15..1e-1 of
// isosceles, and the scale is log-uniform over what leaves both legs within
// the range asked for.
class TriangleSource
{
public:
    explicit TriangleSource(std::uint64_t seed) : m_random(seed) {}

    // The shorter and the longer leg, and rho.
    std::array<double, 3> next(double lowestLeg, double highestLeg)
    {
        double rho;
        if (m_isoscelesShare(m_random))
            rho = 1 + std::pow(10.0, uniform(-15, -1));
        else
            rho = std::pow(10.0, uniform(0, 15));
        const double shorter =
            std::pow(10.0, uniform(std::log10(lowestLeg), std::log10(highestLeg / rho)));
        const double longer = std::min(shorter * rho, highestLeg);
        return {shorter, longer, longer / shorter};
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
constexpr std::array<double, 7> bandEnds = {1 + 1e-6, 10, 1e3, 1e6, 1e9, 1e12, 1e15 * (1 + 1e-9)};
constexpr std::array<const char *, 7> bandNames = {"1-1.000001", "-10",  "10-1e3", "1e3-1e6",
                                                   "1e6-1e9",    "1e9-1e12", "1e12-1e15"};

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
    void randomTriangles_data();
    void randomTriangles();
    void typedGivens_data();
    void typedGivens();
    void pairsRecoverTriangles_data();
    void pairsRecoverTriangles();
};

void TestAccuracy::randomTriangles_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<Given>("given");

    QTest::newRow("a, b")            << Variant::Legs               << Given::EitherLeg;
    QTest::newRow("a, r; a shorter") << Variant::LegAndInradius     << Given::ShorterLeg;
    QTest::newRow("a, r; a longer")  << Variant::LegAndInradius     << Given::LongerLeg;
    QTest::newRow("a, R; a shorter") << Variant::LegAndCircumradius << Given::ShorterLeg;
    QTest::newRow("a, R; a longer")  << Variant::LegAndCircumradius << Given::LongerLeg;
    QTest::newRow("r, R")            << Variant::Radii              << Given::EitherLeg;
}

// Half the triangles have legs from 1e-9 to 1e6, the other half from 1e-300
// to 1e300. The givens are those of the exact triangle, rounded to doubles.
// The worst errors of the formulas as written are taken from the first half
// alone: beyond it their squares leave the range of double.
void TestAccuracy::randomTriangles()
{
    QFETCH(Variant, variant);
    QFETCH(Given, given);

    // A fixed seed per row: a failure names givens that can be solved again.
    TriangleSource source(0x6b6f7672656e6461u + std::uint64_t(variant) * 3 + std::uint64_t(given));
    std::array<double, bandEnds.size()> worstWritten{};
    std::array<double, bandEnds.size()> worstSolved{};
    std::array<double, bandEnds.size()> worstSolvedOrdinary{};
    std::array<int, bandEnds.size()> writtenFailures{};
    std::array<int, bandEnds.size()> ordinarySamples{};
    std::array<int, bandEnds.size()> samples{};
    // From the radii, the legs against the triangle the givens were rounded
    // from: near the isosceles limit the problem magnifies that rounding.
    double radiiSensitivity = 0;

    for (int i = 0; i < samplesPerRow; ++i) {
        const bool ordinary = i % 2 == 0;
        const auto [shorter, longer, rho] = ordinary ? source.next(1e-9, 1e6) : source.next(1e-300, 1e300);
        const bool aLonger = given == Given::LongerLeg || (given == Given::EitherLeg && i % 4 < 2);
        const double a = aLonger ? longer : shorter;
        const double b = aLonger ? shorter : longer;
        Exact fromLegs;
        exactTriangle(Variant::Legs, a, b, fromLegs);
        const auto [first, second] = solver::givens(
            variant, {a, b, fromLegs.r.toDouble(), fromLegs.R.toDouble()});

        const QString problem = check(variant, first, second);
        if (!problem.isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1: givens %2, %3 (legs %4, %5)")
                                 .arg(problem)
                                 .arg(first, 0, 'g', 17)
                                 .arg(second, 0, 'g', 17)
                                 .arg(a, 0, 'g', 17)
                                 .arg(b, 0, 'g', 17)));

        const std::size_t band = bandOf(rho);
        const auto result = solver::solve(variant, first, second);
        Exact exact;
        if (!result || !exactTriangle(variant, first, second, exact))
            continue; // no triangle for these givens, rightly so (checked above)
        ++samples[band];
        const std::array<Big *, 4> exactValues = {&exact.a, &exact.b, &exact.r, &exact.R};
        const std::array<double, 4> solved = {result->a, result->b, result->r, result->R};
        double worst = 0;
        for (std::size_t k = 0; k < 4; ++k)
            worst = std::max(worst, relativeError(solved[k], *exactValues[k]));
        worstSolved[band] = std::max(worstSolved[band], worst);
        if (ordinary)
            worstSolvedOrdinary[band] = std::max(worstSolvedOrdinary[band], worst);
        if (variant == Variant::Radii && rho - 1 < 1e-3) {
            Big &longLeg = aLonger ? fromLegs.a : fromLegs.b;
            Big &shortLeg = aLonger ? fromLegs.b : fromLegs.a;
            const double error = std::max(relativeError(result->a, longLeg), relativeError(result->b, shortLeg));
            radiiSensitivity = std::max(radiiSensitivity, error * std::max(rho - 1, std::sqrt(u)) / u);
        }
        if (!ordinary)
            continue;
        ++ordinarySamples[band];
        if (const auto written = asWritten(variant, first, second);
            written && written->a > 0 && written->b > 0 && written->r > 0 && written->R > 0) {
            const std::array<double, 4> old = {written->a, written->b, written->r, written->R};
            for (std::size_t k = 0; k < 4; ++k)
                worstWritten[band] = std::max(worstWritten[band], relativeError(old[k], *exactValues[k]));
        } else {
            ++writtenFailures[band];
        }
    }

    QString line;
    for (std::size_t band = 0; band < bandEnds.size(); ++band)
        line += QStringLiteral("\n  rho %1: 1e-9..1e6: written %2 (%3/%4 no triangle), solver %5; "
                               "1e-300..1e300: solver %6 (%7 triangles)")
                    .arg(QLatin1StringView(bandNames[band]), 10)
                    .arg(worstWritten[band], 0, 'e', 1)
                    .arg(writtenFailures[band])
                    .arg(ordinarySamples[band])
                    .arg(worstSolvedOrdinary[band], 0, 'e', 1)
                    .arg(worstSolved[band], 0, 'e', 1)
                    .arg(samples[band]);
    qInfo("%s:%s", QTest::currentDataTag(), qPrintable(line));
    if (variant == Variant::Radii)
        qInfo("near isosceles, the legs against the triangle before rounding: error <= %.2f u / max(rho - 1, sqrt u)",
              radiiSensitivity);
}

void TestAccuracy::typedGivens_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");

    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double largest = std::numeric_limits<double>::max();
    constexpr double smallest = std::numeric_limits<double>::min();
    // The double just above (1 + sqrt 2) r for r = 1 and r = 1e300.
    Big limit;
    mpfr_sqrt_ui(*limit, 2, MPFR_RNDN);
    mpfr_add_ui(*limit, *limit, 1, MPFR_RNDN);
    const double aboveLimit = mpfr_get_d(*limit, MPFR_RNDU);
    mpfr_mul_d(*limit, *limit, 1e300, MPFR_RNDN);
    const double aboveLargeLimit = mpfr_get_d(*limit, MPFR_RNDU);

    QTest::newRow("r 1, R 1e9")               << Variant::Radii              << 1.0 << 1e9;
    QTest::newRow("r 1, R 1e6")               << Variant::Radii              << 1.0 << 1e6;
    QTest::newRow("r 1, R 1e300")             << Variant::Radii              << 1.0 << 1e300;
    QTest::newRow("R just above 2.414 r")     << Variant::Radii              << 1.0 << aboveLimit;
    QTest::newRow("R just above, r 1e300")    << Variant::Radii              << 1e300 << aboveLargeLimit;
    QTest::newRow("r + 2R beyond double")     << Variant::Radii              << 2.5e307 << 8.5e307;
    QTest::newRow("legs 1.2e29, 1")           << Variant::Legs               << 1.2e29 << 1.0;
    QTest::newRow("legs 1e200, 1e-200")       << Variant::Legs               << 1e200 << 1e-200;
    QTest::newRow("legs at the top")          << Variant::Legs               << largest << largest;
    QTest::newRow("legs near the bottom")     << Variant::Legs               << 4 * smallest << 4 * smallest;
    QTest::newRow("a just above 2r")          << Variant::LegAndInradius     << std::nextafter(2.0, inf) << 1.0;
    QTest::newRow("a 1e300, r 1e-300")        << Variant::LegAndInradius     << 1e300 << 1e-300;
    QTest::newRow("a just below 2R")          << Variant::LegAndCircumradius << std::nextafter(2.0, 0.0) << 1.0;
    QTest::newRow("2R beyond double")         << Variant::LegAndCircumradius << 1.79e308 << 1e308;
    QTest::newRow("a 1e-300, R 1e300")        << Variant::LegAndCircumradius << 1e-300 << 1e300;
}

// Givens as typed, at the ends of each variant's range and shape: each
// gives a triangle, as close as the random ones.
void TestAccuracy::typedGivens()
{
    QFETCH(Variant, variant);
    QFETCH(double, first);
    QFETCH(double, second);

    QVERIFY(solver::solve(variant, first, second).has_value());
    const QString problem = check(variant, first, second);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

// Any two of the fourteen quantities give back the triangle they come from:
// random triangles, their values worked out forwards by MPFR from the legs
// (c = hypot(a, b), r = ab/(a + b + c), α = atan2(a, b), ...), two of them
// given as 17-digit decimals in either name of the legs, and every value
// the pair solver returns within 1e-13 of MPFR's. The legs differ by at most
// twenty times, and pairs that cannot tell the legs apart are given no
// triangle close to the isosceles one, where the legs change far more than
// the givens (and the pair's one triangle is the one with a and b swapped).
void TestAccuracy::pairsRecoverTriangles_data()
{
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < pairs::table::rows.size(); ++row) {
        const pairs::PairFacts &facts = pairs::table::rows[row];
        if (!facts.twice)
            QTest::addRow("%s, %s", pairs::factsOf(facts.first).name.data(),
                          pairs::factsOf(facts.second).name.data())
                << int(row);
    }
}

void TestAccuracy::pairsRecoverTriangles()
{
    QFETCH(int, row);
    using pairs::Quantity;
    const pairs::PairFacts &facts = pairs::table::rows[std::size_t(row)];
    constexpr auto N = MPFR_RNDN;
    // The sanitizers' build runs a fiftieth of them: it looks for faults of
    // memory and arithmetic, which few show as well as many (and the
    // fuzzer, in that build, gives the solver any pair), and is some ten
    // times slower; the accuracy is the ordinary build's to show.
    constexpr int triangles = sanitized ? 20 : 1000;
    std::mt19937_64 random(std::uint64_t(row) * 7919 + 1);
    std::uniform_real_distribution<double> unit(0, 1);
    const bool interchangeable = pairs::mirrorOf(facts.first) == facts.first
        && pairs::mirrorOf(facts.second) == facts.second;
    // The triangles first, in the random order; then solved on every core
    // (the solver and MPFR keep nothing between calls that a thread shares).
    const bool cubic = std::any_of(facts.bounds.begin(), facts.bounds.end(),
                                   [](const auto &b) { return b && b->cubic; });
    struct Legs
    {
        int run;
        double a;
        double b;
    };
    std::vector<Legs> legs;
    for (int run = 0; run < triangles; ++run) {
        const double scale = std::pow(10.0, 6 * unit(random) - 3);
        const double ratio = std::pow(20.0, 2 * unit(random) - 1);
        const double a = scale, b = scale * ratio;
        if (interchangeable && std::abs(a - b) < 0.05 * std::hypot(a, b))
            continue;
        // Near α = 66,63°, where the cubic of a₁ and n has a double root, the
        // triangle moves by the square root of the givens' rounding.
        if (cubic && std::abs(std::atan2(a, b) * 180 / M_PI - 66.634) < 1
            || cubic && std::abs(std::atan2(b, a) * 180 / M_PI - 66.634) < 1)
            continue;
        legs.push_back({run, a, b});
    }
    // The largest relative error of one triangle, or why it failed.
    const auto check = [&](const Legs &l) -> std::variant<double, QString> {
        const int run = l.run;
        const double a = l.a, b = l.b;
        // The fourteen values from the legs.
        std::array<Big, pairs::quantityCount> v;
        Big sum, pi;
        mpfr_set_d(*v[int(Quantity::a)], a, N);
        mpfr_set_d(*v[int(Quantity::b)], b, N);
        Big &A = v[int(Quantity::a)], &B = v[int(Quantity::b)], &C = v[int(Quantity::c)];
        mpfr_hypot(*C, *A, *B, N);
        mpfr_mul(*v[int(Quantity::h)], *A, *B, N);
        mpfr_div(*v[int(Quantity::h)], *v[int(Quantity::h)], *C, N);
        mpfr_sqr(*v[int(Quantity::a1)], *A, N);
        mpfr_div(*v[int(Quantity::a1)], *v[int(Quantity::a1)], *C, N);
        mpfr_sqr(*v[int(Quantity::b1)], *B, N);
        mpfr_div(*v[int(Quantity::b1)], *v[int(Quantity::b1)], *C, N);
        mpfr_add(*sum, *A, *B, N);
        mpfr_add(*sum, *sum, *C, N);
        mpfr_set(*v[int(Quantity::P)], *sum, N);
        mpfr_mul(*v[int(Quantity::r)], *A, *B, N);
        mpfr_div(*v[int(Quantity::r)], *v[int(Quantity::r)], *sum, N);
        mpfr_sub(*v[int(Quantity::m)], *B, *v[int(Quantity::r)], N);
        mpfr_sub(*v[int(Quantity::n)], *A, *v[int(Quantity::r)], N);
        mpfr_mul(*v[int(Quantity::S)], *A, *B, N);
        mpfr_div_2ui(*v[int(Quantity::S)], *v[int(Quantity::S)], 1, N);
        mpfr_div_2ui(*v[int(Quantity::R)], *C, 1, N);
        mpfr_const_pi(*pi, N);
        mpfr_atan2(*v[int(Quantity::alpha)], *A, *B, N);
        mpfr_mul_ui(*v[int(Quantity::alpha)], *v[int(Quantity::alpha)], 180, N);
        mpfr_div(*v[int(Quantity::alpha)], *v[int(Quantity::alpha)], *pi, N);
        mpfr_ui_sub(*v[int(Quantity::beta)], 90, *v[int(Quantity::alpha)], N);
        // Two of them as decimals, in either name of the legs.
        const bool mirrored = !interchangeable && run % 2;
        const auto name = [&](Quantity q) { return mirrored ? pairs::mirrorOf(q) : q; };
        const auto typed = [&](Quantity q) {
            char digits[64];
            mpfr_exp_t exponent;
            mpfr_get_str(digits, &exponent, 10, 17, *v[int(q)], N);
            exact::Decimal d{false, digits, exponent - 1};
            return pairs::Given{name(q), exact::Number::fromDecimal(d)};
        };
        const auto solution = pairs::solve(typed(facts.first), typed(facts.second));
        if (!solution)
            return QStringLiteral("a = %1, b = %2: no triangle").arg(a, 0, 'g', 17).arg(b, 0, 'g', 17);
        // The triangle nearest the one the givens come from.
        // A pair that cannot tell the legs apart names the longer one a.
        double error = std::numeric_limits<double>::infinity();
        for (const pairs::Triangle &t : solution->triangles)
            for (const bool swap : {false, true}) {
                if (swap && !interchangeable)
                    continue;
                double largest = 0;
                for (int q = 0; q < pairs::quantityCount; ++q) {
                    const Quantity as = swap ? pairs::mirrorOf(Quantity(q)) : name(Quantity(q));
                    const double expected = v[int(as)].toDouble();
                    largest = std::max(largest,
                                       std::abs(t.values[std::size_t(q)].toDouble() - expected)
                                           / std::abs(expected));
                }
                error = std::min(error, largest);
            }
        if (!(error <= promise))
            return QStringLiteral("a = %1, b = %2: off by %3")
                .arg(a, 0, 'g', 17).arg(b, 0, 'g', 17).arg(error);
        return error;
    };
    const unsigned threads = mpfr_buildopt_tls_p() ? std::max(1u, std::thread::hardware_concurrency()) : 1;
    std::vector<std::variant<double, QString>> results(legs.size());
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (std::size_t i = t; i < legs.size(); i += threads)
                results[i] = check(legs[i]);
            // MPFR's caches (π, atan's tables) are the thread's own.
            mpfr_free_cache();
        });
    for (std::thread &worker : workers)
        worker.join();
    double worst = 0;
    int solved = 0;
    for (const auto &result : results) {
        if (const QString *failure = std::get_if<QString>(&result))
            QFAIL(qPrintable(*failure));
        worst = std::max(worst, std::get<double>(result));
        ++solved;
    }
    QVERIFY(solved >= triangles / 2);
    qInfo("%d triangles, worst relative error %.2g", solved, worst);
}

QTEST_GUILESS_MAIN(TestAccuracy)
#include "tst_accuracy.moc"
