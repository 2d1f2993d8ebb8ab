#ifndef HANDLES_H
#define HANDLES_H

#include "quantities.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The vertices of the drawing that a student can move, as paths and
// parameters apart from any window (a point on an object, as dynamic
// geometry keeps one): the widget turns the pointer or a key into a raw
// value along a handle's path, and these functions turn that into the
// triangle it gives, with the nice values it comes to rest on.
//
// - C moves on the Thales semicircle over AB: c (and R) stay, the legs
//   follow. Its raw value is the angle α at A, in radians.
// - A moves along the line CA: a stays, b is the raw value.
// - B moves along the line CB: b stays, a is the raw value.
//
// Every path ends a key step short of a degenerate triangle, so no place
// has a side of zero; and a snap zone is always narrower than the distance
// between nice values, so no position is out of reach.
namespace handles {

enum class Handle : std::uint8_t { C, A, B };

// The triangle as doubles. A move hands the kept side on bit for bit.
struct Legs
{
    double a = 0;
    double b = 0;
    double c = 0;
};

// A nice number units·10^exponent, held exactly: 6, 0.5 (5·10⁻¹), 45.
struct Nice
{
    std::int64_t units = 0;
    int exponent = 0;

    // The nearest double.
    double value() const;
    // As a decimal reads it back exactly: "61e-1".
    std::string text() const;
    // The same number ten times larger (power 1) or smaller (power -1).
    Nice scaled(int power) const { return {units, exponent + power}; }

    friend bool operator==(const Nice &, const Nice &) = default;
};

// Where a move puts a handle: the triangle, and the two quantities that fix
// it exactly, the kept side (its value is the one the triangle had) and the
// quantity the move set.
struct Place
{
    Legs legs;
    pairs::Quantity kept = pairs::Quantity::c;
    // A leg or the hypotenuse; α (45°) at the isosceles position of C.
    pairs::Quantity set = pairs::Quantity::a;
    double value = 0;
    // The set value exactly, where it is a nice number.
    std::optional<Nice> nice;
};

// The side a handle keeps: c for C, a for A, b for B.
pairs::Quantity keptSide(Handle handle);

// One key step along the handle's path: a power of ten that divides the
// kept side into some 30 to 300 steps (0,1 for c = 10).
Nice keyStep(Handle handle, const Legs &legs);

// The two ends of the path, the first where a key moving back stops (for C
// the leg a at one key step; for A and B the moving leg at one key step) and
// the second where moving on stops (for C the leg b at one key step; for A
// and B the moving leg at ten times the kept one).
std::array<Place, 2> ends(Handle handle, const Legs &legs);

// The handle put where the pointer is: raw is α for C and the moving leg
// for A and B. Within tolerance (in the triangle's units, measured along
// the path) of a nice place it comes to rest there: a Pythagorean triple
// first, then the isosceles triangle (C), then whole numbers, halves,
// tenths … of the moving sides, the coarsest that the tolerance leaves
// apart. Tolerance 0 places freely.
Place placed(Handle handle, const Legs &legs, double raw, double tolerance);

// The handle moved one step forward (on C, towards A: a grows) or back,
// to the next multiple of step of the side that moves (on C the shorter
// leg, with the isosceles triangle as a stop between the halves). At an end
// it stays.
Place stepped(Handle handle, const Legs &legs, bool forward, Nice step);

// Where a handle is on its path, in the units the pointer travels, growing
// forward: the arc from B for C (c·α), the moving leg for A and B.
double position(Handle handle, const Legs &legs);

} // namespace handles

#endif // HANDLES_H
