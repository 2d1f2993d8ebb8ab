#ifndef QUANTITIES_H
#define QUANTITIES_H

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The fourteen quantities of a right triangle ABC with its right angle at C,
// so that a = BC and b = CA are the legs and c = AB the hypotenuse: what a
// school problem may give two of. The one table that names them; the pair
// solver, its steps, the window «Задача по избор» and the command line all
// look them up here.
namespace pairs {

enum class Quantity : std::uint8_t {
    a,     // the leg BC
    b,     // the leg CA
    c,     // the hypotenuse AB
    h,     // the altitude from C to the hypotenuse
    a1,    // the projection of a on the hypotenuse: a² = c·a₁
    b1,    // the projection of b: b² = c·b₁
    m,     // the hypotenuse from A to the incircle's touch point: m = b − r
    n,     // ... from B: n = a − r
    S,     // the area
    P,     // the perimeter
    r,     // the radius of the inscribed circle
    R,     // the radius of the circumscribed circle
    alpha, // the angle at A, opposite a, in degrees
    beta,  // the angle at B, in degrees
};

inline constexpr int quantityCount = 14;

struct QuantityFacts
{
    // On the command line and in JSON: "a1", "alpha".
    std::string_view name;
    // As a school writes it (UTF-8): "a₁", "α".
    std::string_view symbol;
    // What it is, in Bulgarian, for a tooltip and a screen reader.
    std::string_view meaning;
    // The power of length it is measured in: 1 for a length, 2 for the
    // area, 0 for an angle.
    int dimension;
    // What it becomes when the legs swap their names (a and b, A and B).
    Quantity mirror;
};

// clang-format off
inline constexpr std::array<QuantityFacts, quantityCount> quantities = {{
    {"a",     "a",  "катет a",                                  1, Quantity::b},
    {"b",     "b",  "катет b",                                  1, Quantity::a},
    {"c",     "c",  "хипотенуза c",                             1, Quantity::c},
    {"h",     "h",  "височина към хипотенузата h",              1, Quantity::h},
    {"a1",    "a₁", "проекция на катета a върху хипотенузата",  1, Quantity::b1},
    {"b1",    "b₁", "проекция на катета b върху хипотенузата",  1, Quantity::a1},
    {"m",     "m",  "отсечка m от хипотенузата, от върха A до допирната точка на вписаната окръжност", 1, Quantity::n},
    {"n",     "n",  "отсечка n от хипотенузата, от върха B до допирната точка на вписаната окръжност", 1, Quantity::m},
    {"S",     "S",  "лице S",                                   2, Quantity::S},
    {"P",     "P",  "периметър P",                              1, Quantity::P},
    {"r",     "r",  "радиус на вписаната окръжност",            1, Quantity::r},
    {"R",     "R",  "радиус на описаната окръжност",            1, Quantity::R},
    {"alpha", "α",  "ъгъл α при върха A, срещу катета a",       0, Quantity::beta},
    {"beta",  "β",  "ъгъл β при върха B, срещу катета b",       0, Quantity::alpha},
}};
// clang-format on

static_assert([] {
    for (int i = 0; i < quantityCount; ++i) {
        const QuantityFacts &q = quantities[std::size_t(i)];
        if (quantities[std::size_t(q.mirror)].mirror != Quantity(i)
            || quantities[std::size_t(q.mirror)].dimension != q.dimension)
            return false;
    }
    return true;
}());

constexpr const QuantityFacts &factsOf(Quantity q)
{
    return quantities[std::size_t(q)];
}

constexpr Quantity mirrorOf(Quantity q)
{
    return factsOf(q).mirror;
}

constexpr bool isAngle(Quantity q)
{
    return factsOf(q).dimension == 0;
}

// The quantity with the command-line name, if there is one.
constexpr std::optional<Quantity> quantityNamed(std::string_view name)
{
    for (int i = 0; i < quantityCount; ++i)
        if (quantities[std::size_t(i)].name == name)
            return Quantity(i);
    return std::nullopt;
}

} // namespace pairs

#endif // QUANTITIES_H
