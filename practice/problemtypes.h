#ifndef PROBLEMTYPES_H
#define PROBLEMTYPES_H

#include "quantities.h"
#include "variants.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The kinds of problem that practice and the worksheets pose, as one table:
// what each gives, what it asks for, at which levels its numbers can be
// had, how its statement reads and what leads to each sought value. The
// first four are the main window's variants, in its order; the others are
// the problems a school's textbook sets beside them. The generator, the
// statements, the checker, the window's chooser and the command line all
// read this table.
namespace practice {

// The levels a type's numbers can be had at: whole numbers, whole givens
// with roots or fractions in the answers, decimals.
enum LevelMask : std::uint8_t { WholeLevel = 1, RootsLevel = 2, DecimalsLevel = 4, AllLevels = 7 };

// Where the Roots and Decimals levels draw a given from: a whole number of
// units from `low` to `high`, or for an angle one of 30°, 45° and 60°.
struct GivenRange
{
    int low = 1;
    int high = 20;
};

struct TypeFacts
{
    // As the chooser, `--types` and `--list-types` show it (UTF-8, no comma).
    std::string_view name;
    // The main window's variant it is, for the first four.
    std::optional<solver::Variant> variant;
    std::array<pairs::Quantity, 2> givens;
    // The first soughtCount are asked for, in the order of the answer boxes.
    std::array<pairs::Quantity, 3> sought;
    int soughtCount;
    std::uint8_t levels;
    // The statement before «Намерете …», with %1 and %2 for the givens as
    // it writes them («c = 10 см»), UTF-8.
    std::string_view facts;
    // What leads to each sought value, told after a wrong answer, UTF-8.
    std::array<std::string_view, 3> relations;
    std::array<GivenRange, 2> ranges;
    // The legs may come in either order: the givens do not tell a from b.
    bool legsEitherOrder = false;

    constexpr bool hasLevel(int level) const { return (levels >> level) & 1; }
    constexpr std::span<const pairs::Quantity> soughtQuantities() const
    {
        return std::span(sought).first(std::size_t(soughtCount));
    }
};

namespace types {
using Q = pairs::Quantity;
using V = solver::Variant;

// clang-format off
inline constexpr std::array<TypeFacts, 16> table = {{
    {"Вариант 1", V::Legs, {Q::a, Q::b}, {Q::r, Q::R}, 2, AllLevels, "", {}, {}},
    {"Вариант 2", V::LegAndInradius, {Q::a, Q::r}, {Q::b, Q::R}, 2, AllLevels, "", {}, {}},
    {"Вариант 3", V::LegAndCircumradius, {Q::a, Q::R}, {Q::b, Q::r}, 2, AllLevels, "", {}, {}},
    {"Вариант 4", V::Radii, {Q::r, Q::R}, {Q::a, Q::b}, 2, AllLevels, "", {}, {}, true},
    {"Хипотенуза и r", {}, {Q::c, Q::r}, {Q::a, Q::b}, 2, AllLevels,
     "Хипотенузата на правоъгълен триъгълник е %1, а радиусът на вписаната в него окръжност е "
     "%2; a и b са катетите му.",
     {"a и b са корените на x² − (a + b)·x + ab = 0, като a + b = c + 2r и 2ab = (a + b)² − c².",
      "a и b са корените на x² − (a + b)·x + ab = 0, като a + b = c + 2r и 2ab = (a + b)² − c²."},
     {{{5, 40}, {1, 8}}}, true},
    {"Отсечки m и n", {}, {Q::m, Q::n}, {Q::a, Q::b, Q::r}, 3, AllLevels,
     "Вписаната в правоъгълния триъгълник ABC (∠C = 90°) окръжност се допира до хипотенузата "
     "в точка, която я дели на отсечки %1 (от върха A) и %2 (от върха B); a = BC и b = CA са "
     "катетите, а r е радиусът на окръжността.",
     {"a = n + r, а r следва от (m + r)² + (n + r)² = (m + n)².",
      "b = m + r, а r следва от (m + r)² + (n + r)² = (m + n)².",
      "r следва от (m + r)² + (n + r)² = (m + n)²: катетите са a = n + r и b = m + r, "
      "хипотенузата c = m + n."},
     {{{1, 15}, {1, 15}}}},
    {"Периметър и r", {}, {Q::P, Q::r}, {Q::c, Q::S}, 2, WholeLevel | DecimalsLevel,
     "Периметърът на правоъгълен триъгълник е %1, а радиусът на вписаната в него окръжност е "
     "%2; c е хипотенузата, а S — лицето му.",
     {"P = a + b + c и a + b = c + 2r, затова P = 2c + 2r.",
      "S = r·p, където p = P/2 е полупериметърът."},
     {{{12, 90}, {1, 6}}}},
    {"Радиуси и лице", {}, {Q::r, Q::R}, {Q::S}, 1, WholeLevel | DecimalsLevel,
     "Радиусът на вписаната в правоъгълен триъгълник окръжност е %1, а на описаната около "
     "него — %2; S е лицето му.",
     {"S = r·p, а полупериметърът е p = c + r = 2R + r."},
     {{{1, 5}, {3, 25}}}},
    {"Катет, r и лице", {}, {Q::a, Q::r}, {Q::S, Q::R}, 2, AllLevels,
     "Правоъгълен триъгълник има катет %1, а радиусът на вписаната в него окръжност е %2; S е "
     "лицето му, а R — радиусът на описаната около него окръжност.",
     {"S = a·b/2, а b следва от a² + b² = c² и 2r = a + b − c: b·(a − 2r) = 2r·(a − r).",
      "R = c/2, а c = a + b − 2r, като b·(a − 2r) = 2r·(a − r)."},
     {{{3, 27}, {1, 6}}}},
    {"Хипотенуза и височина", {}, {Q::c, Q::h}, {Q::r, Q::R}, 2, AllLevels,
     "Хипотенузата на правоъгълен триъгълник е %1, а височината към нея е %2; r е радиусът на "
     "вписаната в него окръжност, а R — на описаната около него.",
     {"2r = a + b − c, а (a + b)² = c² + 2ab = c² + 2c·h.",
      "R = c/2: центърът на описаната окръжност е средата на хипотенузата."},
     {{{4, 40}, {1, 20}}}},
    {"Лице и r", {}, {Q::S, Q::r}, {Q::c, Q::R}, 2, AllLevels,
     "Лицето на правоъгълен триъгълник е %1, а радиусът на вписаната в него окръжност е %2; "
     "c е хипотенузата, а R — радиусът на описаната около него окръжност.",
     {"S = r·p и p = c + r, затова c = S/r − r.", "R = c/2, а c = S/r − r, защото S = r·(c + r)."},
     {{{6, 300}, {1, 6}}}},
    {"Височина и r", {}, {Q::h, Q::r}, {Q::c}, 1, AllLevels,
     "Височината към хипотенузата на правоъгълен триъгълник е %1, а радиусът на вписаната в "
     "него окръжност е %2; c е хипотенузата му.",
     {"S = c·h/2 = r·(c + r), затова c·(h − 2r) = 2r²."},
     {{{3, 100}, {1, 40}}}},
    {"Проекции", {}, {Q::a1, Q::b1}, {Q::a, Q::b, Q::h}, 3, AllLevels,
     "Височината CD към хипотенузата на правоъгълния триъгълник ABC (∠C = 90°) я дели на "
     "отсечки %1 и %2, проекциите на катетите a = BC и b = CA; h = CD.",
     {"a² = c·a₁, където c = a₁ + b₁.", "b² = c·b₁, където c = a₁ + b₁.", "h² = a₁·b₁."},
     {{{1, 20}, {1, 20}}}},
    {"Ъгъл и хипотенуза", {}, {Q::alpha, Q::c}, {Q::a, Q::b}, 2, RootsLevel | DecimalsLevel,
     "В правоъгълния триъгълник ABC (∠C = 90°) ъгълът при върха A е %1, а хипотенузата е %2; "
     "a = BC и b = CA са катетите.",
     {"a = c·sin α: катетът a е срещу ъгъла α.", "b = c·cos α: катетът b е прилежащ на ъгъла α."},
     {{{30, 60}, {2, 40}}}},
    {"Ъгъл и r", {}, {Q::alpha, Q::r}, {Q::a, Q::b, Q::c}, 3, RootsLevel | DecimalsLevel,
     "В правоъгълния триъгълник ABC (∠C = 90°) ъгълът при върха A е %1, а радиусът на "
     "вписаната окръжност е %2; a = BC и b = CA са катетите, а c — хипотенузата.",
     {"a = c·sin α, а c следва от 2r = a + b − c = c·(sin α + cos α − 1).",
      "b = c·cos α, а c следва от 2r = a + b − c = c·(sin α + cos α − 1).",
      "c следва от 2r = a + b − c = c·(sin α + cos α − 1)."},
     {{{30, 60}, {1, 30}}}},
    {"Ъгъл и R", {}, {Q::alpha, Q::R}, {Q::a, Q::b, Q::r}, 3, RootsLevel | DecimalsLevel,
     "В правоъгълния триъгълник ABC (∠C = 90°) ъгълът при върха A е %1, а радиусът на "
     "описаната окръжност е %2; a = BC и b = CA са катетите, а r — радиусът на вписаната "
     "окръжност.",
     {"a = c·sin α, където c = 2R.", "b = c·cos α, където c = 2R.",
      "2r = a + b − c, където c = 2R, a = c·sin α и b = c·cos α."},
     {{{30, 60}, {1, 30}}}},
}};
// clang-format on
} // namespace types

inline constexpr int typeCount = int(types::table.size());
inline constexpr int variantTypes = solver::variantCount;

constexpr const TypeFacts &typeFacts(int type)
{
    return types::table[std::size_t(type)];
}

// The type of a variant's problems is the variant's number less one.
constexpr int typeOf(solver::Variant variant)
{
    return int(variant);
}

// Each type has its own givens and sought values, and every sought value a
// relation to tell; the four variants are the main window's in its order.
static_assert([] {
    for (int t = 0; t < typeCount; ++t) {
        const TypeFacts &f = typeFacts(t);
        if ((t < variantTypes) != f.variant.has_value() || f.soughtCount < 1 || f.soughtCount > 3
            || f.levels == 0 || f.givens[0] == f.givens[1])
            return false;
        if (f.variant && int(*f.variant) != t)
            return false;
        for (int s = 0; s < f.soughtCount && t >= variantTypes; ++s)
            if (f.relations[std::size_t(s)].empty())
                return false;
        for (int u = 0; u < t; ++u)
            if (typeFacts(u).name == f.name)
                return false;
    }
    return true;
}());

// The type with the name as `--types` writes it, in any case; nothing for
// an unknown name.
std::optional<int> typeNamed(std::string_view name);

} // namespace practice

#endif // PROBLEMTYPES_H
