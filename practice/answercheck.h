#ifndef ANSWERCHECK_H
#define ANSWERCHECK_H

#include "answerreading.h"
#include "problem.h"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace practice {

// What is said of one answer, beginning «Вярно» when it is right,
// «Невярно» when it is wrong, «Липсва отговор» when there is none: why, where
// the mistake is a known one, else the relation that leads to the value.
struct Verdict
{
    bool right = false;
    QString text;
    // The known mistake it names, as its place in knownMistakes(); -1 where
    // it names none.
    int mistake = -1;
};

// A mistake that students make, as a row: the value it gives for a sought
// quantity of a problem (nothing where it gives none), and the words that
// explain it. The checker takes the first row whose value the answer has.
struct Mistake
{
    std::optional<exact::Number> (*value)(const Problem &problem, pairs::Quantity sought);
    const char *words; // UTF-8, after «Невярно: »
    // How the answer key names it («S = a·b»); empty for the variants' own,
    // which the key names in its own way.
    const char *key = "";
    // How the practice record names it, in ASCII; it never changes, so that
    // an old record still reads.
    const char *id = "";
};

// The known mistakes, in the order they are tried.
std::span<const Mistake> knownMistakes();
// The place of a mistake in knownMistakes() by its id, or -1.
int mistakeNamed(std::string_view id);

// The value of a mistake for a sought quantity of a problem, or nothing.
std::optional<exact::Number> mistakeValue(const Mistake &mistake, const Problem &problem,
                                          pairs::Quantity sought);

// Whether an answer stands for the value: the same number in any exact
// form, or a decimal of at least three significant digits that is the value
// correctly rounded (within half a unit of its last digit: «0,2929» and
// «0,293» for 0,292893…, not «0,2928», which is cut rather than rounded).
bool stands(const AnswerReading &answer, const exact::Number &value);

// Judges the answers of a problem, in the order of its sought quantities,
// exactly; where the givens do not tell the legs apart (the radii, the
// hypotenuse and r), the legs may come in either order.
std::vector<Verdict> check(const Problem &problem, std::span<const AnswerReading> answers,
                           const QLocale &locale = QLocale());
std::array<Verdict, 2> check(const Problem &problem, const std::array<AnswerReading, 2> &answers,
                             const QLocale &locale = QLocale());

} // namespace practice

#endif // ANSWERCHECK_H
