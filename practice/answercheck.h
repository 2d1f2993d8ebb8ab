#ifndef ANSWERCHECK_H
#define ANSWERCHECK_H

#include "answerreading.h"
#include "problem.h"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <span>

namespace practice {

// What is said of one answer, beginning «Вярно» when it is right,
// «Невярно» when it is wrong, «Липсва отговор» when there is none: why, where
// the mistake is a known one, else the relation that leads to the value.
struct Verdict
{
    bool right = false;
    QString text;
};

// A mistake that students make, as a row: the value it gives for a sought
// column of a variant's problem (nothing where it gives none), and the
// words that explain it. The checker takes the first row whose value the
// answer has.
struct Mistake
{
    std::optional<exact::Number> (*value)(solver::Variant variant, solver::Column column,
                                          const ExactTriangle &triangle);
    const char *words; // UTF-8, after «Невярно: »
};

// The known mistakes, in the order they are tried.
std::span<const Mistake> knownMistakes();

// The value of a mistake for the sought column of a problem, or nothing.
std::optional<exact::Number> mistakeValue(const Mistake &mistake, const Problem &problem,
                                          solver::Column column);

// Whether an answer stands for the value: the same number in any exact
// form, or a decimal of at least three significant digits that is the value
// correctly rounded (within half a unit of its last digit: «0,2929» and
// «0,293» for 0,292893…, not «0,2928», which is cut rather than rounded).
bool stands(const AnswerReading &answer, const exact::Number &value);

// Judges the two answers of a problem, in the order of its sought columns,
// exactly; for the radii the legs may come in either order.
std::array<Verdict, 2> check(const Problem &problem, const std::array<AnswerReading, 2> &answers,
                             const QLocale &locale = QLocale());

} // namespace practice

#endif // ANSWERCHECK_H
