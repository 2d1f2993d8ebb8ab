#ifndef PAIRSTEPS_H
#define PAIRSTEPS_H

#include "failurereport.h"
#include "pairs.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// What «Задача по избор» and `kovrenda --solve` say of a triangle from any
// two of its quantities, in Bulgarian and a school's notation.
namespace pairtext {

// The quantity as a school writes it: "a₁", "α".
QString symbol(pairs::Quantity q);
// What it is: «хипотенуза c».
QString meaning(pairs::Quantity q);

// A value as typed into a box or on the command line: a decimal with a
// comma or a point and an optional exponent ("12,5", "1.5e-3"), blanks
// anywhere left out; the whole text must be the number.
enum class Typed { Number, NotANumber, NotPositive, OutOfRange };
struct TypedValue
{
    Typed kind = Typed::NotANumber;
    // Exactly the decimal typed, where it is a Number.
    exact::Number value;
};
TypedValue readTyped(QStringView text);

// The exact form in the steps' notation ("(15 + √17)/2", "3√10", "30" for
// an angle of 30°); empty where the value has none.
QString exactText(const pairs::Value &value, const QLocale &locale = QLocale());
// The value to 13 significant digits with no trailing zeros, in a school's
// notation ("9,561552812809", "1,5·10⁻⁷"); an angle in degrees.
QString decimalText(const pairs::Value &value, const QLocale &locale = QLocale());
// One line of the table: «c = 13», «a = (15 + √17)/2 ≈ 9,562», «α ≈ 36,87°»:
// the exact form where there is one, and the value to four significant
// digits where that form is no short decimal itself.
QString valueLine(pairs::Quantity q, const pairs::Value &value, const QLocale &locale = QLocale());

// The solution of one triangle written out from the givens to every other
// quantity, one line per step, numbered from 1 after the line of the givens,
// as the companion window writes the variants' steps: exact where the values
// are, each step redone from the numbers it shows giving what it shows. A
// value that needs two roots is worked with its decimal here; the table
// gives its exact form.
QStringList steps(const pairs::Solution &solution, std::size_t triangle,
                  const QLocale &locale = QLocale());

// What the student reads when two givens make no triangle: what happened,
// why, and the condition with its limit worked out for the values typed and
// rounded so that typing it as shown meets the condition.
FailureReport failureReport(const pairs::NoTriangle &why, const pairs::Given &first,
                            const pairs::Given &second, const QLocale &locale = QLocale());

} // namespace pairtext

#endif // PAIRSTEPS_H
