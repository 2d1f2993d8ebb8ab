#ifndef PAIRS_H
#define PAIRS_H

#include "decimal.h"
#include "number.h"
#include "pairtable.h"
#include "quantities.h"
#include "rootsum.h"

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A right triangle from any two of its fourteen quantities (quantities.h),
// as a school problem gives them: "the hypotenuse is 10 and the altitude to
// it 3", "the touch point divides the hypotenuse into 5 and 12".
//
// The givens are exact numbers, the decimals as typed. Whether a triangle
// exists is decided exactly on them (pairtable.h says what each pair must
// meet). Every value is then worked out twice: exactly, wherever it lies in
// one square-root field over the givens (or is a sum of a few such roots,
// as the legs from the hypotenuse and the altitude are), and to some sixty
// significant digits by formulas that subtract no nearly equal numbers, so
// that each value is right to far more than the 13 digits the program
// promises, thin triangles included. The two must agree, or the exact form
// is dropped. An angle is exact where it is 30°, 45° or 60°.
namespace pairs {

struct Given
{
    Quantity quantity = Quantity::a;
    // A rational number: the decimal as typed; an angle in degrees.
    exact::Number value;
};

// The significant digits to which every value is known and kept.
inline constexpr int keptDigits = 40;

struct Value
{
    // The value exactly where it has at most one root.
    std::optional<exact::Number> exact;
    // ... and where it needs more than one: never both.
    std::optional<exact::RootSum> rootSum;
    // Correctly rounded to keptDigits significant digits (exactly so where
    // the value is exact).
    exact::Decimal kept;

    bool isExact() const { return exact || rootSum; }
    // Rounded to fewer significant digits (at most keptDigits).
    exact::Decimal rounded(int significantDigits) const;
    // The nearest double.
    double toDouble() const;
};

struct Triangle
{
    std::array<Value, quantityCount> values;

    const Value &operator[](Quantity q) const { return values[std::size_t(q)]; }
    Value &operator[](Quantity q) { return values[std::size_t(q)]; }
};

// Why two givens fix no triangle.
enum class Failure : std::uint8_t {
    // Both givens are the same quantity.
    SameQuantity,
    // The pair says one thing twice: c = 2R, α + β = 90°.
    Twice,
    // A given is zero or negative.
    NotPositive,
    // A given, or a value of the triangle, is beyond the normal doubles.
    OutOfRange,
    // The givens break a bound of the pair's condition.
    Condition,
};

struct NoTriangle
{
    Failure failure = Failure::Condition;
    // The given at fault (NotPositive, OutOfRange of a given), 0 or 1;
    // -1 where no given is (a value of the triangle out of range).
    int given = -1;
    // The bound broken (Condition), as it reads for the givens' own
    // quantities (boundOf()).
    std::optional<Bound> bound;
};

struct Solution
{
    // In the order given.
    std::array<Given, 2> givens;
    // The pair's row; `mirrored` where the givens are its mirror image.
    PairRow row;
    // One triangle, or two where the pair allows two different ones (never
    // merely the same with the legs swapped). A pair that cannot tell the
    // legs apart (c and h, S and P, ...) names the longer one a.
    std::vector<Triangle> triangles;
};

// The solution, or why there is none, with the members of std::expected
// that callers use. Not std::expected itself: clang 14, which builds the
// sanitizer and fuzzing checks, cannot destroy one whose value has a
// destructor of its own.
class Solved
{
public:
    Solved(Solution solution) : m_outcome(std::move(solution)) {}
    Solved(std::unexpected<NoTriangle> why) : m_outcome(std::move(why.error())) {}

    bool has_value() const { return m_outcome.index() == 0; }
    explicit operator bool() const { return has_value(); }
    const Solution &operator*() const { return std::get<Solution>(m_outcome); }
    const Solution *operator->() const { return &**this; }
    const NoTriangle &error() const { return std::get<NoTriangle>(m_outcome); }

private:
    std::variant<Solution, NoTriangle> m_outcome;
};

Solved solve(const Given &first, const Given &second);

// The bounds of a pair's condition as they read for the two quantities in
// the order given, with the legs' names as the givens have them: for b and
// c, "b < c" (the row's "a < c" mirrored).
std::vector<Bound> boundsOf(Quantity first, Quantity second);

// Whether two givens meet one bound, decided exactly (a cubic bound by the
// solver's own test).
bool meets(const Bound &bound, const Given &first, const Given &second);

// A rule or a formula with the legs' names swapped: a and b, a₁ and b₁, m
// and n, α and β, A and B (UTF-8).
std::string mirrored(std::string_view text);

} // namespace pairs

#endif // PAIRS_H
