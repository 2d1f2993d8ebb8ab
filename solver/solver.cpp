#include "solver.h"

#include "variants.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

// Each variant has two forms, and for each computed value one of them
// stands:
//
// - the written form: the relations a*a + b*b = c*c, 2r = a + b - c and
//   2R = c solved step by step in the order the task text suggests. It is
//   what the program has always shown, and the results a student may have
//   written down come from it; on ordinary triangles it is right to the last
//   digit or two. But it subtracts nearly equal numbers on thin triangles
//   (r = (a + b - c) / 2 with c close to the long leg, b = sqrt(4R*R - a*a)
//   with a close to 2R) and next to the isosceles limit of the radii, and
//   its squares leave the range of double long before the triangle does;
// - the stable form: the same relations rearranged so that no step
//   subtracts nearly equal numbers or leaves the range of double before a
//   result does. Each of its values is within a few units in the last place
//   of the exact answer: 8u = 9e-16 at most by its error bound (u = 2^-53),
//   under 5e-16 as measured.
//
// A written value stands where it is within `agreement` of the exact
// answer, and the stable value elsewhere. So every value shown is within
// 1e-13 of the exact answer (13 significant digits), and every written value
// that already was keeps its last bit: the two promises meet at `agreement`,
// which is 1e-13 less twice the stable form's own error. The written value
// is shown to be close enough in one of two ways:
//
// - by its own rounding-error bound, a few multiplications on its
//   intermediate values: this settles every ordinary triangle without the
//   cost of the stable form;
// - where the bound cannot tell, by agreeing with the stable value to within
//   `agreement`. This looks at the values themselves, not at a model of when
//   the written form goes wrong, so it holds wherever the stable form does.
//
// Whether a triangle exists is decided exactly on the givens as passed,
// never by a rounded intermediate.
namespace solver {
namespace {

constexpr double agreement = 0.98e-13;
constexpr double smallestNormal = std::numeric_limits<double>::min();
constexpr double largest = std::numeric_limits<double>::max();

bool isPositiveFinite(double value)
{
    return std::isfinite(value) && value > 0;
}

bool isNormal(double value)
{
    return value >= smallestNormal && value <= largest;
}

// The written value where it is a normal double close to the stable one.
double pick(double written, double stable)
{
    return isNormal(written) && std::abs(written - stable) <= agreement * stable ? written
                                                                                 : stable;
}

// ---------------------------------------------------------------------------
// The written form.

// Performs the steps of one formula and remembers the first step that had no
// finite result. The formulas below then read as they are written, one call
// per operation, and the failure is looked at once at the end: after a
// failure the remaining steps still run but their values are thrown away.
class Steps
{
public:
    double add(double x, double y) { return checked(x + y); }
    double sub(double x, double y) { return checked(x - y); }
    double mul(double x, double y) { return checked(x * y); }

    double div(double x, double y)
    {
        if (y == 0)
            m_failed = true;
        return checked(x / y);
    }

    double sqrt(double x)
    {
        if (x < 0)
            m_failed = true;
        return std::sqrt(x);
    }

    bool failed() const { return m_failed; }

private:
    double checked(double value)
    {
        if (std::isinf(value))
            m_failed = true;
        return value;
    }

    bool m_failed = false;
};

// Each written formula also tells whether its own rounding errors, bounded
// from its intermediate values, keep every value within agreement / 2 of the
// exact answer. The bounds are first-order ones with a factor of two to
// spare: written relative error <= K u m + a few u, u = 2^-53, where m is
// how much the one subtraction of nearly equal numbers in the formula
// magnifies the errors before it. They hold for givens in the middle of the
// range of double (see solve()), where no intermediate underflows.
// Where a bound says nothing, the stable form is asked instead.
constexpr double unit = 0x1p-53;
constexpr double slack = 2 * unit / (agreement / 2); // 2 K u m <= agreement / 2 as K slack m <= 1

struct Written
{
    Triangle triangle;
    bool sure = false; // the bound shows every value within agreement / 2
    // Where the bound does not vouch for a value but the written
    // intermediates it would come from are within a few u: the stable
    // values worked out from them, at less cost than the stable form.
    std::optional<Triangle> stable;
};

Written writtenLegs(Steps &s, double a, double b)
{
    const double c = s.sqrt(s.add(s.mul(a, a), s.mul(b, b)));
    const double R = s.div(c, 2);
    const double sum = s.add(a, b);
    const double d = s.sub(sum, c);
    const double r = s.div(d, 2);
    // c and R are within 2.5u. (a + b) - c is exact (c <= a + b <= 2c), so
    // r carries the errors of a + b and c: 3.5u (a + b) / d.
    Written w{{a, b, r, R}, 3.5 * slack * sum <= d};
    if (!w.sure) // r = a b / (a + b + c), within 5u
        w.stable = Triangle{a, b, std::min(a, b) * (std::max(a, b) / (sum + c)), R};
    return w;
}

Written writtenLegAndInradius(Steps &s, double a, double r)
{
    // R = (2a^2 - 4ar + 4r^2) / (4a - 8r): the hypotenuse solved from
    // a + sqrt(c^2 - a^2) - c = 2r, halved.
    const double twoR = s.mul(2, r);
    const double numerator =
        s.add(s.sub(s.mul(twoR, twoR), s.mul(s.mul(twoR, 2), a)), s.mul(s.mul(2, a), a));
    const double R = s.div(numerator, s.sub(s.mul(4, a), s.mul(8, r)));
    const double fourRR = s.mul(s.mul(4, R), R);
    const double aa = s.mul(a, a);
    const double bb = s.sub(fourRR, aa);
    const double b = s.sqrt(bb);
    // The numerator is 2(a - r)^2 + 2r^2, at most 5 times smaller than its
    // terms, and the divisor is exact where small (a <= 4r): R is within 12u.
    // b^2 = 4R^2 - a^2 then carries 25u of 4R^2 and u of a^2.
    return {{a, b, r, R}, 2 * unit * (13 * (fourRR + aa) + 1.5 * bb) <= (agreement / 2) * bb};
}

Written writtenLegAndCircumradius(Steps &s, double a, double R)
{
    const double c = s.mul(2, R);
    const double cc = s.mul(c, c);
    const double aa = s.mul(a, a);
    const double bb = s.sub(cc, aa);
    const double b = s.sqrt(bb);
    const double sum = s.add(a, b);
    const double d = s.sub(sum, c);
    const double r = s.div(d, 2);
    // b is within u (cc + aa) / (2 bb) + 1.5u; (a + b) - c is exact
    // (c <= a + b <= 2c), so r carries u (a + b) and b's error.
    const double bError = 0.5 * unit * (cc + aa) + 1.5 * unit * bb; // times bb
    const bool bSure = 2 * bError <= (agreement / 2) * bb;
    const bool rSure = 2 * (unit * sum * bb + bError * b) <= (agreement / 2) * d * bb;
    Written w{{a, b, r, R}, bSure && rSure};
    if (!w.sure && cc + aa <= 5 * bb) // b within 4u; r = a b / (a + b + c), within 8u
        w.stable = Triangle{a, b, a * (b / (sum + c)), R};
    return w;
}

Written writtenRadii(Steps &s, double r, double R)
{
    // b^2 and a^2 are the roots of x^2 - (2R)^2 x + (ab)^2 = 0 with
    // ab = 2r(r + 2R); b takes the smaller root, so b is the shorter leg.
    const double twoR = s.mul(2, R);
    const double T = s.div(s.mul(twoR, twoR), 2);
    const double S = s.mul(s.mul(s.mul(s.mul(2, r), s.add(r, twoR)), s.mul(2, r)),
                           s.add(r, twoR));
    const double TT = s.mul(T, T);
    const double D1 = s.sub(TT, S);
    const double Q = s.sqrt(D1);
    const double D2 = s.sub(T, Q);
    const double b = s.sqrt(D2);
    const double a = s.sub(s.add(twoR, s.mul(2, r)), b);
    // T*T - S carries 8u of T*T (next to the isosceles triangle it is
    // small), Q then 4u T*T / D1 + 1.5u, T - Q (small on a thin triangle)
    // u T and Q's error, and b half of all that over T - Q; a, at least as
    // long as b, 3u more. Both times 2 D1 D2:
    const double bError = unit * T * (2.5 * D1 + 4 * TT) + 9 * unit * D2 * D1;
    return {{a, b, r, R}, 2 * bError <= (agreement / 2) * 2 * D1 * D2};
}

// ---------------------------------------------------------------------------
// The stable form.

// A power of two and its inverse, both normal, that bring x (a normal
// double) into [1, 4): every formula is homogeneous of degree one, so it can
// be evaluated on scaled values and scaled back without any rounding, and
// its squares then stay far from both ends of the range of double.
struct Scale
{
    double down;
    double up;
};

Scale scaleFor(double x)
{
    constexpr int mantissaBits = 52;
    constexpr std::uint64_t maximalExponent = 2045; // 2^1022: its inverse is normal
    const std::uint64_t exponent = std::min(std::bit_cast<std::uint64_t>(x) >> mantissaBits,
                                            maximalExponent);
    return {std::bit_cast<double>((2046 - exponent) << mantissaBits),
            std::bit_cast<double>(exponent << mantissaBits)};
}

// x + y = sum + error exactly (Knuth's TwoSum).
double sumError(double x, double y, double sum)
{
    const double yPart = sum - x;
    return (x - (sum - yPart)) + (y - yPart);
}

// x * y = product + error exactly (Dekker's product with Veltkamp's split),
// for x and y well inside the range of double.
double productError(double x, double y, double product)
{
    const auto split = [](double v) {
        const double scaled = 134217729.0 * v; // 2^27 + 1
        const double high = scaled - (scaled - v);
        return std::pair{high, v - high};
    };
    const auto [xHigh, xLow] = split(x);
    const auto [yHigh, yLow] = split(y);
    return ((xHigh * yHigh - product) + xHigh * yLow + xLow * yHigh) + xLow * yLow;
}

Triangle stableLegs(double a, double b)
{
    // With L the longer leg and s the shorter: c = hypot(L, s),
    // r = s * L / (L + s + c), which has no cancellation.
    const double longer = std::max(a, b);
    const double shorter = std::min(a, b);
    const Scale scale = scaleFor(longer);
    const double L = longer * scale.down;
    const double s = shorter * scale.down; // may underflow: then it is negligible beside L
    const double c = std::sqrt(L * L + s * s);
    return {a, b, shorter * (L / ((L + s) + c)), (0.5 * c) * scale.up};
}

Triangle stableLegAndInradius(double a, double r)
{
    // From 2r = a + b - c and c^2 = a^2 + b^2: b (a - 2r) = 2r (a - r).
    // a - 2r is exact where it is small (a <= 4r), and then the small
    // divisor is the problem's own, not a rounding's.
    const double d = a - 2 * r;
    const double b = (2 * r) * ((a - r) / d);
    return {a, b, r, 0.5 * d + 0.5 * b}; // R = c / 2 = (a - 2r + b) / 2
}

Triangle stableLegAndCircumradius(double a, double R)
{
    // b = sqrt((2R - a)(2R + a)): 2R - a is exact where it is small
    // (a >= R), and r = a * b / (a + b + 2R).
    const Scale scale = scaleFor(R);
    const double c = 2 * (R * scale.down);
    const double as = a * scale.down; // may underflow: then it is negligible beside c
    const double b = std::sqrt((c - as) * (c + as));
    return {a, b * scale.up, a * (b / ((as + b) + c)), R};
}

// For the radii: D = R^2 - 2Rr - r^2 = (R - r)^2 - 2r^2 on scaled values, to
// nearly full precision even where its terms cancel (next to the isosceles
// triangle, R close to (1 + sqrt 2) r), and with the right sign always.
double radiiDiscriminant(double r, double R)
{
    const double RR = R * R;
    const double twoRr = 2 * R * r;
    const double rr = r * r;
    const double rough = (RR - twoRr) - rr;
    if (4 * r <= R)
        return rough; // D >= 0.44 R^2: nothing cancels.
    // Here r > R / 4, so RR - twoRr is exact (Sterbenz), and so is the
    // subtraction of rr where D is small (r > 0.37 R): what is left is the
    // error of the three products, which is added back.
    const double e1 = productError(R, R, RR);
    const double e2 = productError(2 * R, r, twoRr);
    const double e3 = productError(r, r, rr);
    // The sum rough + e1 - e2 - e3, its errors carried along (Ogita, Rump
    // and Oishi's Sum2): the terms are multiples of a power of two that
    // bounds |D| from below where D is not zero, and the error of this sum
    // is far below that, so the sign is exact.
    double sum = rough + e1;
    double carried = sumError(rough, e1, sum);
    double next = sum - e2;
    carried += sumError(sum, -e2, next);
    sum = next - e3;
    carried += sumError(next, -e3, sum);
    return sum + carried;
}

// Whether R is the double nearest to (1 + sqrt 2) r, for scaled r.
bool isNearestToRadiiLimit(double r, double R)
{
    // 1 + sqrt 2 = limitHigh + limitLow: the double nearest it, and what
    // that double leaves out.
    constexpr double limitHigh = radiiFactor;
    constexpr double limitLow = 0x1.21165f626cdd5p-53;
    const double product = r * limitHigh;
    return R == product + (productError(r, limitHigh, product) + r * limitLow);
}

std::optional<Triangle> stableRadii(double r, double R)
{
    // R >= (1 + sqrt 2) r fails wherever r is more than half of R, however
    // large r is beside R: decided here, before r scaled to R's size could
    // leave the range of double in the discriminant.
    if (r > 0.5 * R)
        return std::nullopt;
    const Scale scale = scaleFor(R);
    const double Rs = R * scale.down;
    const double rs = r * scale.down; // at most Rs / 2; may underflow: then negligible beside Rs
    double D = radiiDiscriminant(rs, Rs);
    if (D < 0) {
        // R below (1 + sqrt 2) r: no triangle, unless R is that limit as
        // near as a double comes, as a student who typed (1 + sqrt 2) r
        // would expect: that is the isosceles triangle.
        if (!isNearestToRadiiLimit(rs, Rs))
            return std::nullopt;
        const double leg = (Rs + rs) * scale.up;
        return Triangle{leg, leg, r, R};
    }
    // a = R + r + sqrt(D) is the longer leg, b = 2r (r + 2R) / a the
    // shorter, from a + b = 2R + 2r and a b = 2r (r + 2R).
    const double a = (Rs + rs) + std::sqrt(D);
    return Triangle{a * scale.up, (2 * r) * ((rs + 2 * Rs) / a), r, R};
}

// Whether the givens break a strict bound of the variant's condition
// (a > 2r, a < 2R), decided exactly: the limit, twice a given, is an exact
// double or overflows, and an overflowed limit still compares the right way.
bool breaksStrictBound(Variant variant, double first, double second)
{
    const Condition &c = conditionOf(variant);
    if (c.bound != Bound::Above && c.bound != Bound::Below)
        return false;
    const double limited = givenValue(variant, c.limited, first, second);
    const double limit = c.factor * givenValue(variant, c.by, first, second);
    return c.bound == Bound::Above ? !(limited > limit) : !(limited < limit);
}

static_assert([] {
    for (const VariantFacts &v : variants)
        if ((v.condition.bound == Bound::Above || v.condition.bound == Bound::Below)
            && v.condition.factor != 2)
            return false;
    return true;
}(), "a strict bound's limit is exact only as twice a given");

// The triangle, or why there is none: the condition of the variant decided
// exactly on the givens, then the range of the values.
std::expected<Triangle, Failure> stable(Variant variant, double first, double second)
{
    if (breaksStrictBound(variant, first, second))
        return std::unexpected(Failure::Condition);
    Triangle t;
    switch (variant) {
    case Variant::Legs:
        t = stableLegs(first, second);
        break;
    case Variant::LegAndInradius:
        t = stableLegAndInradius(first, second);
        break;
    case Variant::LegAndCircumradius:
        t = stableLegAndCircumradius(first, second);
        break;
    case Variant::Radii:
        if (const auto radii = stableRadii(first, second))
            t = *radii;
        else
            return std::unexpected(Failure::Condition);
        break;
    }
    for (const double value : {t.a, t.b, t.r, t.R}) {
        if (!(value <= largest))
            return std::unexpected(Failure::TooLarge);
        if (!(value >= smallestNormal))
            return std::unexpected(Failure::TooSmall);
    }
    return t;
}

Written written(Steps &steps, Variant variant, double first, double second)
{
    switch (variant) {
    case Variant::Legs:
        return writtenLegs(steps, first, second);
    case Variant::LegAndInradius:
        return writtenLegAndInradius(steps, first, second);
    case Variant::LegAndCircumradius:
        return writtenLegAndCircumradius(steps, first, second);
    case Variant::Radii:
        return writtenRadii(steps, first, second);
    }
    return {};
}

} // namespace

std::expected<Triangle, Failure> solve(Variant variant, double first, double second)
{
    // The written form alone where its bound vouches for it: every triangle
    // a student meets, at the cost of a few multiplications. Between 2^-120
    // and 2^120 no intermediate of the bounds leaves the normal doubles. For
    // the radii a bound that holds also shows that T*T - S, and so the
    // condition R >= (1 + sqrt 2) r, is positive; a > 2r and a < 2R are
    // decided exactly here.
    if (std::size_t(variant) >= variants.size())
        return std::unexpected(Failure::MissingGiven);
    constexpr double low = 0x1p-120;
    constexpr double high = 0x1p120;
    const bool middle = first >= low && first <= high && second >= low && second <= high;
    if (!middle) {
        if (std::isinf(first) || std::isinf(second))
            return std::unexpected(Failure::TooLarge);
        if (!isPositiveFinite(first) || !isPositiveFinite(second))
            return std::unexpected(Failure::MissingGiven);
        // A subnormal given has already lost digits in being read.
        if (first < smallestNormal || second < smallestNormal)
            return std::unexpected(Failure::TooSmall);
    }
    const bool legTooLong = breaksStrictBound(variant, first, second);
    std::optional<Triangle> writtenTriangle; // where every written step had a finite result
    std::optional<Triangle> stableTriangle;
    if (middle && !legTooLong) {
        Steps steps;
        const Written w = written(steps, variant, first, second);
        if (!steps.failed()) {
            if (w.sure)
                return w.triangle;
            writtenTriangle = w.triangle;
            stableTriangle = w.stable;
        }
    }
    if (!stableTriangle) {
        const auto s = stable(variant, first, second);
        if (!s)
            return s;
        stableTriangle = *s;
    }
    // An isosceles triangle from the radii stays one: at the limit R the
    // double nearest (1 + sqrt 2) r, a = b = R + r is what a student expects.
    if (variant == Variant::Radii && stableTriangle->a == stableTriangle->b)
        return *stableTriangle;
    if (!middle) {
        Steps steps;
        const Written w = written(steps, variant, first, second);
        if (!steps.failed())
            writtenTriangle = w.triangle;
    }
    if (!writtenTriangle)
        return *stableTriangle;
    // The givens are the same in both; each computed value is picked alone.
    const Triangle &s = *stableTriangle;
    const Triangle &w = *writtenTriangle;
    return Triangle{pick(w.a, s.a), pick(w.b, s.b), pick(w.r, s.r), pick(w.R, s.R)};
}

} // namespace solver
