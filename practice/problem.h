#ifndef PROBLEM_H
#define PROBLEM_H

#include "number.h"
#include "pairs.h"
#include "problemtypes.h"
#include "solver.h"
#include "variants.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

// Problems for practice and worksheets: a right triangle posed as one of the
// types of problemtypes.h (the four variants first), with exactly the givens
// that type gives, and its exact answers. A problem is a function of its
// number, as a seeded test is: the same number gives the same problem on any
// computer, so that a number printed on a worksheet keeps its meaning.
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
    // Its row of the types' table; for the four variants, the variant's
    // number less one.
    int type = 0;
    // The variant, for a problem of the four.
    solver::Variant variant = solver::Variant::Legs;
    Level level = Level::Whole;
    // In the order of the type's givens (solve() order for a variant).
    std::array<exact::Number, 2> givens;
    // The triangle's legs, hypotenuse and radii, for a variant's problem.
    ExactTriangle exact;
    // Every quantity of the triangle exactly, where it has at most one
    // square root (an angle exactly where it is 30°, 45° or 60°): the sought
    // ones always.
    std::array<std::optional<exact::Number>, pairs::quantityCount> values;
    // A new type's triangle for the drawing, from the pair solver.
    solver::Triangle typeTriangle;

    const TypeFacts &facts() const { return typeFacts(type); }
    bool isVariant() const { return type < variantTypes; }
    int soughtCount() const { return facts().soughtCount; }
    pairs::Quantity sought(int which) const { return facts().sought[std::size_t(which)]; }
    const std::optional<exact::Number> &value(pairs::Quantity q) const
    {
        return values[std::size_t(q)];
    }
    // The sought value of an answer box, exactly.
    const exact::Number &answer(int which) const;
    // The triangle to draw: for a variant as the main window's solver gives
    // it from the givens, so that the drawing and the worked steps agree.
    solver::Triangle triangle() const;
};

// The numbers of problems: five digits for the four variants, of which the
// number's remainders tell the variant and the level; six digits for the
// other types, whose remainders tell the type and the level together. Every
// number in the two ranges is a problem.
inline constexpr int firstNumber = 10000;
inline constexpr int lastNumber = 99999;
inline constexpr int firstTypeNumber = 100000;
inline constexpr int lastTypeNumber = 999999;

// Whether a type's numbers can be had at a level (problemtypes.h), and the
// level its problems are posed at when asked for one they lack: the next one
// up, in the order whole, roots, decimals, whole.
bool hasLevel(int type, Level level);
Level levelFor(int type, Level level);

// A well-mixed function of a whole number, the same on every computer
// (SplitMix64): where problems and worksheets take their choices from.
std::uint64_t scrambled(std::uint64_t x);

// The problem of a number; nothing outside the range.
std::optional<Problem> problem(int number);

// The number of the index-th problem of a variant and a level, or 0 where
// the index is beyond those there are (indexCount()).
int numberOf(solver::Variant variant, Level level, int index);
int indexCount();
// The same for any type, at a level it has.
int numberOf(int type, Level level, int index);
int indexCount(int type);

// The exact triangle of two givens of a type, in the type's order, by the
// pair solver; nothing where there is no triangle, or two.
std::optional<pairs::Triangle> solvedTriangle(int type, const exact::Number &first,
                                              const exact::Number &second);
// The pair solver's solution of a problem, for its worked steps.
pairs::Solved solution(const Problem &problem);

// A problem stated as a school's textbook states it: «Правоъгълен
// триъгълник има катети a = 6 см и b = 8 см; … Намерете r и R.»
QString statement(const Problem &problem, const QLocale &locale = QLocale());

// A level as the choosers name it: «Цели числа», «С корени», «Десетични дроби».
QString levelName(Level level);
// A type as the chooser «Вид задача» shows it: «Вариант 1: дадени a и b»,
// «Хипотенуза и r: c, r → a, b».
QString typeTitle(int type);

// A number as the problems write it: "6", "2,5", "(7 − √13)/2".
QString numberText(const exact::Number &value, const QLocale &locale = QLocale());
// A quantity's symbol as a problem writes it: "a₁", "α".
QString symbolText(pairs::Quantity q);
// A given as a statement writes it: «c = 10 см», «S = 24 см²», «α = 30°».
QString givenText(pairs::Quantity q, const exact::Number &value,
                  const QLocale &locale = QLocale());

// The worked solution as practice gives it out, hint by hint: the numbered
// steps from the givens to the last value sought, then «Отговор: …».
QStringList solutionLines(const Problem &problem, const QLocale &locale = QLocale());

// Draws new problems, never one of the last `remembered` posed again:
// another problem of the type (of any that has the level, where there is
// none) and the level. `random` gives uniformly distributed whole numbers.
class ProblemDrawer
{
public:
    static constexpr int remembered = 50;

    explicit ProblemDrawer(std::function<std::uint32_t()> random) : m_random(std::move(random)) {}

    Problem next(std::optional<solver::Variant> variant, Level level);
    Problem nextOfType(std::optional<int> type, Level level);
    // A problem posed by its number, remembered as the drawn ones are.
    void posed(const Problem &problem);

private:
    bool recent(const Problem &problem) const;

    std::function<std::uint32_t()> m_random;
    std::deque<Problem> m_recent;
};

} // namespace practice

#endif // PROBLEM_H
