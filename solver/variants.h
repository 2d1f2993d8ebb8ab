#ifndef VARIANTS_H
#define VARIANTS_H

#include "solver.h"

#include <array>
#include <cstdint>
#include <numbers>
#include <string_view>
#include <utility>

// What each variant gives, computes and requires: the one place that says
// so. The solver, the window's box map, the failure messages, the steps,
// the screen reader's sentence, the tests and the fuzzer all look it up here.
namespace solver {

// The four quantities in the column order of the window's value grid.
enum class Column : std::uint8_t { a = 0, b = 1, r = 2, R = 3 };

inline constexpr int columnCount = 4;

// 1 + √2: the least R / r of a right triangle, that of the isosceles one.
inline constexpr double radiiFactor = 1 + std::numbers::sqrt2;

// How the condition of a variant bounds one given by a multiple of the other.
enum class Bound : std::uint8_t {
    None,    // any two positive givens make a triangle
    Above,   // limited > factor·by
    Below,   // limited < factor·by
    AtLeast, // limited >= factor·by
};

// What the givens of a variant must meet for a right triangle to exist,
// besides being positive: `limited` is bounded by `factor` times `by`. The
// solver decides it exactly on the givens; a failure's message quotes the
// rule and the limit it sets for the value typed.
struct Condition
{
    Bound bound = Bound::None;
    Column limited = Column::a;
    Column by = Column::a;
    double factor = 0;
    // As the message writes it (UTF-8).
    std::string_view rule;
};

struct VariantFacts
{
    // In the order in which solve() takes them and the window reads them.
    std::array<Column, 2> given;
    // In column order.
    std::array<Column, 2> computed;
    Condition condition;
};

// clang-format off
inline constexpr std::array<VariantFacts, variantCount> variants = {{
    // given                  computed                condition
    {{Column::a, Column::b}, {Column::r, Column::R}, {}},                                                              // Legs
    {{Column::a, Column::r}, {Column::b, Column::R}, {Bound::Above, Column::a, Column::r, 2, "a > 2·r"}},              // LegAndInradius
    {{Column::a, Column::R}, {Column::b, Column::r}, {Bound::Below, Column::a, Column::R, 2, "a < 2·R"}},              // LegAndCircumradius
    {{Column::r, Column::R}, {Column::a, Column::b}, {Bound::AtLeast, Column::R, Column::r, radiiFactor, "R ≥ (1 + √2)·r"}}, // Radii
}};
// clang-format on

// Each variant computes the two columns that it does not give, in column
// order, and its condition bounds one given by the other.
static_assert([] {
    for (const VariantFacts &v : variants) {
        unsigned seen = 0;
        for (const Column c : v.given)
            seen |= 1u << unsigned(c);
        for (const Column c : v.computed)
            seen |= 1u << unsigned(c);
        if (seen != 0b1111 || !(v.computed[0] < v.computed[1]))
            return false;
        const Condition &c = v.condition;
        const bool bounds = c.bound != Bound::None;
        if (bounds != (c.limited != c.by) || bounds != !c.rule.empty())
            return false;
        for (const Column bounded : {c.limited, c.by})
            if (bounds && bounded != v.given[0] && bounded != v.given[1])
                return false;
    }
    return true;
}());

constexpr const VariantFacts &factsOf(Variant variant)
{
    return variants[std::size_t(variant)];
}

constexpr const Condition &conditionOf(Variant variant)
{
    return factsOf(variant).condition;
}

constexpr bool isComputed(Variant variant, Column column)
{
    const auto &computed = factsOf(variant).computed;
    return computed[0] == column || computed[1] == column;
}

// The quantity's letter, as the grid's headings and the formulas write it.
constexpr std::string_view symbol(Column column)
{
    constexpr std::array<std::string_view, columnCount> symbols = {"a", "b", "r", "R"};
    return symbols[std::size_t(column)];
}

constexpr double value(const Triangle &triangle, Column column)
{
    switch (column) {
    case Column::a:
        return triangle.a;
    case Column::b:
        return triangle.b;
    case Column::r:
        return triangle.r;
    case Column::R:
        return triangle.R;
    }
    return 0;
}

// The value of a column among the two givens in solve() order.
constexpr double givenValue(Variant variant, Column column, double first, double second)
{
    return factsOf(variant).given[0] == column ? first : second;
}

// The two givens of a variant taken from a whole triangle, in solve() order.
constexpr std::pair<double, double> givens(Variant variant, const Triangle &triangle)
{
    const auto &given = factsOf(variant).given;
    return {value(triangle, given[0]), value(triangle, given[1])};
}

} // namespace solver

#endif // VARIANTS_H
