#ifndef PAIRTABLE_H
#define PAIRTABLE_H

#include "quantities.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

// What each pair of givens computes first and what it requires: the one
// place that says so. Of the 91 pairs of the fourteen quantities, 55 differ
// once the legs may swap their names (a and b, a₁ and b₁, m and n, α and β);
// each of these has one row, and its mirror image is solved by it. Two
// carry one piece of information twice (c = 2R; α + β = 90°) and fix no
// triangle.
namespace pairs {

// How a bound compares the value it limits with its limit.
enum class Relation : std::uint8_t { Less, AtMost, Greater, AtLeast };

// A number p + q·√2 with small rational p and q: the factors of the bounds,
// which are those of the isosceles triangle (1 + √2, (√2 − 1)/2, ...) or
// plain fractions.
struct Factor
{
    int pNumerator = 0;
    int pDenominator = 1;
    int qNumerator = 0;
    int qDenominator = 1;

    constexpr double value() const
    {
        return double(pNumerator) / pDenominator
            + double(qNumerator) / qDenominator * 1.4142135623730951;
    }
};

// One bound of a pair's condition: `limited` compared with factor·by^power,
// where power makes the two sides the same kind of quantity (the area
// against a length squared); power 0 bounds an angle by a number of degrees.
// A cubic bound has an irrational limit of degree three (its factor is the
// limit rounded, for messages); the solver decides it exactly in its own way.
struct Bound
{
    Quantity limited;
    Relation relation;
    Factor factor;
    Quantity by;
    int power = 1;
    bool cubic = false;
    // As a message writes it (UTF-8).
    std::string_view rule;
};

struct PairFacts
{
    Quantity first;
    Quantity second;
    // Where the solution starts, as its first step finds it (UTF-8): a value
    // or a sum of values that leads to the rest.
    std::string_view computesFirst;
    // The pair fixes no triangle: it says one thing twice.
    bool twice = false;
    std::array<std::optional<Bound>, 2> bounds{};
};

namespace table {

using Q = Quantity;
using R = Relation;

constexpr Bound bound(Q limited, R relation, Factor factor, Q by, std::string_view rule,
                      int power = 1)
{
    return {limited, relation, factor, by, power, false, rule};
}

// α < 90° (or β).
constexpr Bound acute(Q angle, std::string_view rule)
{
    return {angle, R::Less, {90, 1, 0, 1}, angle, 0, false, rule};
}

constexpr Factor whole(int p, int q = 1)
{
    return {p, q, 0, 1};
}

// clang-format off
inline constexpr std::array<PairFacts, 55> rows = {{
    {Q::a, Q::b,      "c",     false, {}},
    {Q::a, Q::c,      "b",     false, {bound(Q::a, R::Less, whole(1), Q::c, "a < c")}},
    {Q::a, Q::h,      "a₁",    false, {bound(Q::h, R::Less, whole(1), Q::a, "h < a")}},
    {Q::a, Q::a1,     "c",     false, {bound(Q::a1, R::Less, whole(1), Q::a, "a₁ < a")}},
    {Q::a, Q::b1,     "c",     false, {}},
    {Q::a, Q::m,      "b",     false, {}},
    {Q::a, Q::n,      "b",     false, {bound(Q::n, R::Greater, whole(1, 2), Q::a, "a/2 < n < a"),
                                       bound(Q::n, R::Less, whole(1), Q::a, "a/2 < n < a")}},
    {Q::a, Q::S,      "b",     false, {}},
    {Q::a, Q::P,      "b",     false, {bound(Q::P, R::Greater, whole(2), Q::a, "P > 2·a")}},
    {Q::a, Q::r,      "b",     false, {bound(Q::r, R::Less, whole(1, 2), Q::a, "a > 2·r")}},
    {Q::a, Q::R,      "c",     false, {bound(Q::R, R::Greater, whole(1, 2), Q::a, "a < 2·R")}},
    {Q::a, Q::alpha,  "c",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::a, Q::beta,   "b",     false, {acute(Q::beta, "0° < β < 90°")}},
    {Q::c, Q::h,      "a + b", false, {bound(Q::h, R::AtMost, whole(1, 2), Q::c, "h ≤ c/2")}},
    {Q::c, Q::a1,     "a",     false, {bound(Q::a1, R::Less, whole(1), Q::c, "a₁ < c")}},
    {Q::c, Q::m,      "n",     false, {bound(Q::m, R::Less, whole(1), Q::c, "m < c")}},
    {Q::c, Q::S,      "a + b", false, {bound(Q::S, R::AtMost, whole(1, 4), Q::c, "S ≤ c²/4", 2)}},
    {Q::c, Q::P,      "a + b", false, {bound(Q::P, R::Greater, whole(2), Q::c, "2·c < P ≤ (1 + √2)·c"),
                                       bound(Q::P, R::AtMost, {1, 1, 1, 1}, Q::c, "2·c < P ≤ (1 + √2)·c")}},
    {Q::c, Q::r,      "a + b", false, {bound(Q::r, R::AtMost, {-1, 2, 1, 2}, Q::c, "r ≤ (√2 − 1)·c/2")}},
    {Q::c, Q::R,      "",      true,  {}},
    {Q::c, Q::alpha,  "a",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::h, Q::a1,     "b₁",    false, {}},
    {Q::h, Q::m,      "n",     false, {bound(Q::m, R::Greater, whole(1, 2), Q::h, "m > h/2")}},
    {Q::h, Q::S,      "c",     false, {bound(Q::S, R::AtLeast, whole(1), Q::h, "S ≥ h²", 2)}},
    {Q::h, Q::P,      "c",     false, {bound(Q::P, R::AtLeast, {2, 1, 2, 1}, Q::h, "P ≥ 2·(1 + √2)·h")}},
    {Q::h, Q::r,      "c",     false, {bound(Q::h, R::Greater, whole(2), Q::r, "2·r < h ≤ (1 + √2)·r"),
                                       bound(Q::h, R::AtMost, {1, 1, 1, 1}, Q::r, "2·r < h ≤ (1 + √2)·r")}},
    {Q::h, Q::R,      "c",     false, {bound(Q::h, R::AtMost, whole(1), Q::R, "h ≤ R")}},
    {Q::h, Q::alpha,  "b",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::a1, Q::b1,    "c",     false, {}},
    {Q::a1, Q::m,     "α",     false, {}},
    {Q::a1, Q::n,     "α",     false, {Bound{Q::n, R::Greater, {9027, 10000, 0, 1}, Q::a1, 1, true,
                                              "n > 0,90268·a₁"}}},
    {Q::a1, Q::S,     "α",     false, {}},
    {Q::a1, Q::P,     "α",     false, {bound(Q::P, R::Greater, whole(2), Q::a1, "P > 2·a₁")}},
    {Q::a1, Q::r,     "α",     false, {}},
    {Q::a1, Q::R,     "c",     false, {bound(Q::a1, R::Less, whole(2), Q::R, "a₁ < 2·R")}},
    {Q::a1, Q::alpha, "c",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::a1, Q::beta,  "c",     false, {acute(Q::beta, "0° < β < 90°")}},
    {Q::m, Q::n,      "c",     false, {}},
    {Q::m, Q::S,      "n",     false, {}},
    {Q::m, Q::P,      "n",     false, {bound(Q::P, R::Greater, whole(2), Q::m, "P > 2·m")}},
    {Q::m, Q::r,      "n",     false, {bound(Q::r, R::Less, whole(1), Q::m, "r < m")}},
    {Q::m, Q::R,      "c",     false, {bound(Q::m, R::Less, whole(2), Q::R, "m < 2·R")}},
    {Q::m, Q::alpha,  "c",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::m, Q::beta,   "c",     false, {acute(Q::beta, "0° < β < 90°")}},
    {Q::S, Q::P,      "a + b", false, {bound(Q::S, R::AtMost, {3, 4, -2, 4}, Q::P, "S ≤ (3 − 2√2)·P²/4", 2)}},
    {Q::S, Q::r,      "c",     false, {bound(Q::S, R::AtLeast, {3, 1, 2, 1}, Q::r, "S ≥ (3 + 2√2)·r²", 2)}},
    {Q::S, Q::R,      "c",     false, {bound(Q::S, R::AtMost, whole(1), Q::R, "S ≤ R²", 2)}},
    {Q::S, Q::alpha,  "a",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::P, Q::r,      "c",     false, {bound(Q::P, R::AtLeast, {6, 1, 4, 1}, Q::r, "P ≥ 2·(3 + 2√2)·r")}},
    {Q::P, Q::R,      "c",     false, {bound(Q::P, R::Greater, whole(4), Q::R, "4·R < P ≤ 2·(1 + √2)·R"),
                                       bound(Q::P, R::AtMost, {2, 1, 2, 1}, Q::R, "4·R < P ≤ 2·(1 + √2)·R")}},
    {Q::P, Q::alpha,  "c",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::r, Q::R,      "c",     false, {bound(Q::R, R::AtLeast, {1, 1, 1, 1}, Q::r, "R ≥ (1 + √2)·r")}},
    {Q::r, Q::alpha,  "c",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::R, Q::alpha,  "c",     false, {acute(Q::alpha, "0° < α < 90°")}},
    {Q::alpha, Q::beta, "",    true,  {}},
}};
// clang-format on

} // namespace table

// Every pair of two different quantities has exactly one row, directly or
// as the mirror image of its row.
static_assert([] {
    for (int x = 0; x < quantityCount; ++x)
        for (int y = 0; y < quantityCount; ++y) {
            if (x == y)
                continue;
            int found = 0;
            for (const PairFacts &row : table::rows) {
                const Quantity first = row.first;
                const Quantity second = row.second;
                const auto is = [&](Quantity u, Quantity v) {
                    return (u == Quantity(x) && v == Quantity(y))
                        || (u == Quantity(y) && v == Quantity(x));
                };
                found += is(first, second);
                found += !is(first, second) && is(mirrorOf(first), mirrorOf(second));
            }
            if (found != 1)
                return false;
        }
    return true;
}());

// The row of a pair, and whether it is the mirror image of the pair.
struct PairRow
{
    const PairFacts *facts;
    bool mirrored;
};

constexpr PairRow rowOf(Quantity x, Quantity y)
{
    for (const PairFacts &row : table::rows) {
        if ((row.first == x && row.second == y) || (row.first == y && row.second == x))
            return {&row, false};
        const Quantity mx = mirrorOf(x);
        const Quantity my = mirrorOf(y);
        if ((row.first == mx && row.second == my) || (row.first == my && row.second == mx))
            return {&row, true};
    }
    return {nullptr, false};
}

} // namespace pairs

#endif // PAIRTABLE_H
