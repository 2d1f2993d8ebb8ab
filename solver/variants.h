#ifndef VARIANTS_H
#define VARIANTS_H

#include "solver.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

// What each variant gives and computes: the one place that says so. The
// window's box map, the failure messages, the solution's steps, the screen
// reader's sentence, the tests and the fuzzer all look it up here.
namespace solver {

// The four quantities in the column order of the window's value grid.
enum class Column : std::uint8_t { a = 0, b = 1, r = 2, R = 3 };

inline constexpr int columnCount = 4;

struct VariantColumns
{
    // In the order in which solve() takes them and the window reads them.
    std::array<Column, 2> given;
    // In column order.
    std::array<Column, 2> computed;
};

// clang-format off
inline constexpr std::array<VariantColumns, variantCount> variantColumns = {{
    // given                  computed
    {{Column::a, Column::b}, {Column::r, Column::R}}, // Variant::Legs
    {{Column::a, Column::r}, {Column::b, Column::R}}, // Variant::LegAndInradius
    {{Column::a, Column::R}, {Column::b, Column::r}}, // Variant::LegAndCircumradius
    {{Column::r, Column::R}, {Column::a, Column::b}}, // Variant::Radii
}};
// clang-format on

// Each variant computes the two columns that it does not give, in column
// order.
static_assert([] {
    for (const VariantColumns &v : variantColumns) {
        unsigned seen = 0;
        for (const Column c : v.given)
            seen |= 1u << unsigned(c);
        for (const Column c : v.computed)
            seen |= 1u << unsigned(c);
        if (seen != 0b1111 || !(v.computed[0] < v.computed[1]))
            return false;
    }
    return true;
}());

constexpr const VariantColumns &columnsOf(Variant variant)
{
    return variantColumns[std::size_t(variant)];
}

constexpr bool isComputed(Variant variant, Column column)
{
    const auto &computed = columnsOf(variant).computed;
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

// The two givens of a variant taken from a whole triangle, in solve() order.
constexpr std::pair<double, double> givens(Variant variant, const Triangle &triangle)
{
    const auto &given = columnsOf(variant).given;
    return {value(triangle, given[0]), value(triangle, given[1])};
}

} // namespace solver

#endif // VARIANTS_H
