#ifndef PROBLEM_H
#define PROBLEM_H

#include "number.h"
#include "solver.h"
#include "variants.h"

#include <QLocale>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

// Problems for practice and worksheets: a right triangle posed as one of the
// four variants, with exactly the givens that variant reads, and its exact
// answers. A problem is a function of its number, as a seeded test is: the
// same number gives the same problem on any computer, so that a number
// printed on a worksheet keeps its meaning.
namespace practice {

// What the numbers of a problem are like.
enum class Level : std::uint8_t {
    Whole,    // whole-number givens, every answer a whole number or a half
    Roots,    // whole-number givens, answers with one square root or a fraction
    Decimals, // givens with one or two decimals
};
inline constexpr int levelCount = 3;

// A right triangle in exact numbers: the legs, the hypotenuse, the radii.
struct ExactTriangle
{
    exact::Number a;
    exact::Number b;
    exact::Number c;
    exact::Number r;
    exact::Number R;
};

const exact::Number &valueOf(const ExactTriangle &triangle, solver::Column column);

// The triangle of two exact givens of a variant, in solve() order, by the
// relations a² + b² = c², 2r = a + b − c, 2R = c; b is the shorter leg of
// the radii's triangle, as the solver has it. Nothing where the givens have
// no triangle.
std::optional<ExactTriangle> exactTriangle(solver::Variant variant, const exact::Number &first,
                                           const exact::Number &second);

struct Problem
{
    int number = 0;
    solver::Variant variant = solver::Variant::Legs;
    Level level = Level::Whole;
    // In solve() order.
    std::array<exact::Number, 2> givens;
    ExactTriangle exact;

    // The sought value of a computed column, exactly.
    const exact::Number &answer(int which) const;
    // The triangle as the main window's solver gives it from the givens,
    // for the drawing and the worked steps.
    solver::Triangle triangle() const;
};

// The numbers of problems: five digits, of which the number's remainders
// tell the variant and the level; every number in the range is a problem.
inline constexpr int firstNumber = 10000;
inline constexpr int lastNumber = 99999;

// A well-mixed function of a whole number, the same on every computer
// (SplitMix64): where problems and worksheets take their choices from.
std::uint64_t scrambled(std::uint64_t x);

// The problem of a number; nothing outside the range.
std::optional<Problem> problem(int number);

// The number of the index-th problem of a variant and a level, or 0 where
// the index is beyond those there are (indexCount()).
int numberOf(solver::Variant variant, Level level, int index);
int indexCount();

// A problem stated as a school's textbook states it: «Правоъгълен
// триъгълник има катети a = 6 см и b = 8 см; … Намерете r и R.»
QString statement(const Problem &problem, const QLocale &locale = QLocale());

// A number as the problems write it: "6", "2,5", "(7 − √13)/2".
QString numberText(const exact::Number &value, const QLocale &locale = QLocale());

// Draws new problems, never one of the last `remembered` posed again:
// another problem of the variant (any, where there is none) and the level.
// `random` gives uniformly distributed whole numbers.
class ProblemDrawer
{
public:
    static constexpr int remembered = 50;

    explicit ProblemDrawer(std::function<std::uint32_t()> random) : m_random(std::move(random)) {}

    Problem next(std::optional<solver::Variant> variant, Level level);
    // A problem posed by its number, remembered as the drawn ones are.
    void posed(const Problem &problem);

private:
    bool recent(const Problem &problem) const;

    std::function<std::uint32_t()> m_random;
    std::deque<Problem> m_recent;
};

} // namespace practice

#endif // PROBLEM_H
