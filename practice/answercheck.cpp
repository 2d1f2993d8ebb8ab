#include "answercheck.h"

#include "schooltext.h"

#include <stdexcept>

using exact::Number;
using solver::Column;
using solver::Variant;

namespace practice {
namespace {

const Number two(2);

// c from the legs with the wrong sign in Pythagoras: c² = a² − b².
std::optional<Number> wrongHypotenuse(Variant variant, const ExactTriangle &t)
{
    if (variant != Variant::Legs || t.a == t.b)
        return std::nullopt;
    return exact::sqrt(exact::abs(t.a * t.a - t.b * t.b));
}

// b from a and c with the wrong sign: b = √(c² + a²).
std::optional<Number> wrongLeg(Variant variant, const ExactTriangle &t)
{
    if (variant != Variant::LegAndCircumradius)
        return std::nullopt;
    return exact::sqrt(t.c * t.c + t.a * t.a);
}

// clang-format off
constexpr Mistake mistakes[] = {
    {[](Variant, Column column, const ExactTriangle &t) -> std::optional<Number> {
         return column == Column::r ? std::optional(t.R) : std::nullopt; },
     "това е R, радиусът на описаната окръжност; r е радиусът на вписаната."},
    {[](Variant, Column column, const ExactTriangle &t) -> std::optional<Number> {
         return column == Column::R ? std::optional(t.r) : std::nullopt; },
     "това е r, радиусът на вписаната окръжност; R е радиусът на описаната."},
    {[](Variant, Column column, const ExactTriangle &t) -> std::optional<Number> {
         return column == Column::R ? std::optional(t.c) : std::nullopt; },
     "това е хипотенузата c, а R е половината от нея: 2R = c."},
    {[](Variant, Column column, const ExactTriangle &t) -> std::optional<Number> {
         return column == Column::r ? std::optional((t.a + t.b + t.c) / two) : std::nullopt; },
     "2r = a + b − c: хипотенузата се изважда, а не се прибавя."},
    {[](Variant, Column column, const ExactTriangle &t) -> std::optional<Number> {
         return column == Column::r ? std::optional((t.a + t.b) / two) : std::nullopt; },
     "2r = a + b − c: хипотенузата c е пропусната."},
    {[](Variant variant, Column column, const ExactTriangle &t) -> std::optional<Number> {
         const auto c = wrongHypotenuse(variant, t);
         if (!c)
             return std::nullopt;
         if (column == Column::R)
             return *c / two;
         return column == Column::r ? std::optional((t.a + t.b - *c) / two) : std::nullopt; },
     "по Питагоровата теорема c² = a² + b², а не a² − b²."},
    {[](Variant variant, Column column, const ExactTriangle &t) -> std::optional<Number> {
         const auto b = wrongLeg(variant, t);
         if (!b)
             return std::nullopt;
         if (column == Column::b)
             return *b;
         return column == Column::r ? std::optional((t.a + *b - t.c) / two) : std::nullopt; },
     "по Питагоровата теорема b² = c² − a², а не c² + a²."},
};
// clang-format on

// The relation that leads to a sought value, as the worked steps use it.
QString relation(Variant variant, Column column)
{
    switch (variant) {
    case Variant::Legs:
        return column == Column::r ? QStringLiteral("r следва от 2r = a + b − c, а c от a² + b² = c².")
                                   : QStringLiteral("R следва от 2R = c, а c от a² + b² = c².");
    case Variant::LegAndInradius:
        return column == Column::b
            ? QStringLiteral("b следва от a² + b² = c² и 2r = a + b − c: b·(a − 2r) = 2r·(a − r).")
            : QStringLiteral("R следва от 2R = c, а c от 2r = a + b − c.");
    case Variant::LegAndCircumradius:
        return column == Column::b ? QStringLiteral("b следва от a² + b² = c², а c от 2R = c.")
                                   : QStringLiteral("r следва от 2r = a + b − c.");
    case Variant::Radii:
        break;
    }
    return QStringLiteral("a и b са корените на x² − (a + b)·x + ab = 0, като a + b = 2R + 2r "
                          "и ab = r·(a + b + c).");
}

// A unit of the last digit a student gave.
Number unitOf(const AnswerReading::Rounding &rounding)
{
    return exact::power(Number(10), rounding.lastPlace);
}

bool within(const AnswerReading &answer, const Number &value, const Number &distance)
{
    return exact::abs(*answer.value - value) <= distance;
}

Verdict judge(const AnswerReading &answer, const Problem &problem, Column column,
              const QLocale &locale)
{
    const Number &value = valueOf(problem.exact, column);
    if (answer.isEmpty())
        return {false, QStringLiteral("Липсва отговор.")};
    if (!answer.value)
        return {false, QStringLiteral("Невярно: не разбирам отговора (вижте реда под него).")};
    if (*answer.value == value)
        return answer.simplest
            ? Verdict{true, QStringLiteral("Вярно.")}
            : Verdict{true, QStringLiteral("Вярно, но може по-просто: %1.")
                                .arg(schoolText(value, locale))};
    if (answer.rounding) {
        const bool close = within(answer, value, unitOf(*answer.rounding));
        if (close && answer.rounding->significantDigits < 3)
            return {false, QStringLiteral("Невярно: твърде малко цифри; дайте поне 3 значещи "
                                          "цифри.")};
        if (stands(answer, value))
            return {true, QStringLiteral("Вярно.")};
        if (close)
            return {false, QStringLiteral("Невярно: числото е закръглено неправилно; "
                                          "закръглете, а не отрязвайте цифрите.")};
    }
    for (const Mistake &mistake : knownMistakes())
        if (const auto wrong = mistakeValue(mistake, problem, column); wrong && stands(answer, *wrong))
            return {false, QStringLiteral("Невярно: ") + QString::fromUtf8(mistake.words)};
    return {false, QStringLiteral("Невярно. ") + relation(problem.variant, column)};
}

} // namespace

std::span<const Mistake> knownMistakes()
{
    return mistakes;
}

std::optional<Number> mistakeValue(const Mistake &mistake, const Problem &problem, Column column)
{
    try {
        return mistake.value(problem.variant, column, problem.exact);
    } catch (const std::domain_error &) {
        return std::nullopt;
    }
}

bool stands(const AnswerReading &answer, const Number &value)
{
    if (!answer.value)
        return false;
    if (*answer.value == value)
        return true;
    if (!answer.rounding || answer.rounding->significantDigits < 3)
        return false;
    return within(answer, value, unitOf(*answer.rounding) / two);
}

std::array<Verdict, 2> check(const Problem &problem, const std::array<AnswerReading, 2> &answers,
                             const QLocale &locale)
{
    const auto &sought = solver::factsOf(problem.variant).computed;
    std::array<Verdict, 2> verdicts = {judge(answers[0], problem, sought[0], locale),
                                       judge(answers[1], problem, sought[1], locale)};
    if (problem.variant == Variant::Radii) {
        // Which leg is called a is the student's choice.
        const std::array<Verdict, 2> swapped = {judge(answers[0], problem, sought[1], locale),
                                                judge(answers[1], problem, sought[0], locale)};
        if (swapped[0].right + swapped[1].right > verdicts[0].right + verdicts[1].right)
            return swapped;
    }
    return verdicts;
}

} // namespace practice
