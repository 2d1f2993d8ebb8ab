#include "solver.h"

#include <cmath>
#include <optional>

namespace solver {
namespace {

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
            fail(Failure::DivisionByZero);
        return checked(x / y);
    }

    double sqrt(double x)
    {
        if (x < 0)
            fail(Failure::NegativeSquareRoot);
        return std::sqrt(x);
    }

    std::optional<Failure> failure() const { return m_failure; }

private:
    // The operands of every step are finite as long as nothing has failed,
    // so an infinite result can only come from leaving the range of double.
    double checked(double value)
    {
        if (std::isinf(value))
            fail(Failure::Overflow);
        return value;
    }

    void fail(Failure failure)
    {
        if (!m_failure)
            m_failure = failure;
    }

    std::optional<Failure> m_failure;
};

bool isPositiveFinite(double value)
{
    return std::isfinite(value) && value > 0;
}

Triangle solveLegs(Steps &s, double a, double b)
{
    const double c = s.sqrt(s.add(s.mul(a, a), s.mul(b, b)));
    const double R = s.div(c, 2);
    const double r = s.div(s.sub(s.add(a, b), c), 2);
    return {a, b, r, R};
}

Triangle solveLegAndInradius(Steps &s, double a, double r)
{
    // R = (2a^2 - 4ar + 4r^2) / (4a - 8r): the hypotenuse solved from
    // a + sqrt(c^2 - a^2) - c = 2r, halved.
    const double twoR = s.mul(2, r);
    const double numerator =
        s.add(s.sub(s.mul(twoR, twoR), s.mul(s.mul(twoR, 2), a)), s.mul(s.mul(2, a), a));
    const double R = s.div(numerator, s.sub(s.mul(4, a), s.mul(8, r)));
    const double b = s.sqrt(s.sub(s.mul(s.mul(4, R), R), s.mul(a, a)));
    return {a, b, r, R};
}

Triangle solveLegAndCircumradius(Steps &s, double a, double R)
{
    const double c = s.mul(2, R);
    const double b = s.sqrt(s.sub(s.mul(c, c), s.mul(a, a)));
    const double r = s.div(s.sub(s.add(a, b), c), 2);
    return {a, b, r, R};
}

Triangle solveRadii(Steps &s, double r, double R)
{
    // b^2 and a^2 are the roots of x^2 - (2R)^2 x + (ab)^2 = 0 with
    // ab = 2r(r + 2R); b takes the smaller root, so b is the shorter leg.
    const double twoR = s.mul(2, R);
    const double T = s.div(s.mul(twoR, twoR), 2);
    const double S = s.mul(s.mul(s.mul(s.mul(2, r), s.add(r, twoR)), s.mul(2, r)),
                           s.add(r, twoR));
    const double Q = s.sqrt(s.sub(s.mul(T, T), S));
    const double b = s.sqrt(s.sub(T, Q));
    const double a = s.sub(s.add(twoR, s.mul(2, r)), b);
    return {a, b, r, R};
}

} // namespace

std::expected<Triangle, Failure> solve(Variant variant, double first, double second)
{
    if (!isPositiveFinite(first) || !isPositiveFinite(second))
        return std::unexpected(Failure::InvalidGiven);

    Steps steps;
    Triangle t;
    switch (variant) {
    case Variant::Legs:
        t = solveLegs(steps, first, second);
        break;
    case Variant::LegAndInradius:
        t = solveLegAndInradius(steps, first, second);
        break;
    case Variant::LegAndCircumradius:
        t = solveLegAndCircumradius(steps, first, second);
        break;
    case Variant::Radii:
        t = solveRadii(steps, first, second);
        break;
    default:
        return std::unexpected(Failure::InvalidGiven);
    }

    if (const auto failure = steps.failure())
        return std::unexpected(*failure);
    // The formulas take no notice of signs: a = 3, r = 2 gives R = -2.5, and
    // rounding can leave a zero leg. Neither is a triangle.
    if (!isPositiveFinite(t.a) || !isPositiveFinite(t.b) || !isPositiveFinite(t.r)
        || !isPositiveFinite(t.R))
        return std::unexpected(Failure::NotATriangle);
    return t;
}

} // namespace solver
