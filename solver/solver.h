#ifndef SOLVER_H
#define SOLVER_H

#include <cstdint>
#include <expected>

namespace solver {

// The four quantities of a right triangle: the legs a and b, the radius r of
// the inscribed circle and the radius R of the circumscribed circle, in the
// column order of the window's value grid.
struct Triangle
{
    double a = 0;
    double b = 0;
    double r = 0;
    double R = 0;

    friend bool operator==(const Triangle &, const Triangle &) = default;
};

// Why a solve produced no triangle. The first three are arithmetic failures
// of a formula step; the last two are values that cannot belong to a
// triangle, checked before and after the arithmetic.
enum class Failure : std::uint8_t {
    DivisionByZero,     // a divisor of a formula was zero
    NegativeSquareRoot, // a square root of a negative number was asked for
    Overflow,           // a step left the range of double
    InvalidGiven,       // a given was not a positive finite number
    NotATriangle,       // a computed value was not positive and finite
};

// The variants, numbered as the rows of the window. Each names the two
// givens, in the order in which solve() takes them.
enum class Variant : std::int16_t {
    Legs = 0,             // a, b      -> r, R
    LegAndInradius = 1,   // a, r      -> b, R
    LegAndCircumradius = 2, // a, R    -> b, r
    Radii = 3,            // r, R      -> a, b
};

inline constexpr int variantCount = 4;

// Solves a right triangle from two givens. Every formula step is one double
// operation evaluated in a fixed order, so a result is reproducible to the
// last bit. The givens come back unchanged in the result beside the two
// computed values.
std::expected<Triangle, Failure> solve(Variant variant, double first, double second);

} // namespace solver

#endif // SOLVER_H
