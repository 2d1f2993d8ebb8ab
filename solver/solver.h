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

// Why a solve produced no triangle, as the student is to be told it.
enum class Failure : std::uint8_t {
    // A given is not a positive number: zero (which a box without a number
    // reads as), negative or not a number; or the variant is not one of the
    // four, so that it has no givens to read.
    MissingGiven,
    // The givens break the variant's condition (conditionOf() in
    // variants.h: a > 2r, a < 2R, R >= (1 + sqrt 2) r).
    Condition,
    // A given, or a value of the triangle the givens have, is beyond the
    // largest double.
    TooLarge,
    // ... or below the smallest normal double.
    TooSmall,
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

// Solves a right triangle from two givens. A triangle whose four values are
// normal doubles is always found, and each computed value is within 1e-13
// of the exact answer for the givens as passed. The result is reproducible
// to the last bit. The givens come back unchanged in the result beside the
// two computed values.
std::expected<Triangle, Failure> solve(Variant variant, double first, double second);

} // namespace solver

#endif // SOLVER_H
