#ifndef ANSWERREADING_H
#define ANSWERREADING_H

#include "number.h"
#include "quantities.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace practice {

// A student's answer read once, into the exact value it writes and where
// reading stopped, so that the window can show the reading back before it
// is judged, as a calculator shows its line.
struct AnswerReading
{
    // As typed, without the blanks around it.
    QString text;
    // What the text writes; nothing where it is empty or could not be read.
    std::optional<exact::Number> value;
    // False where the same value has a simpler form the student could have
    // written: a root with a square factor (√8, √4), a fraction that cancels
    // or is over 1 (6/4, 4/2, 5/1).
    bool simplest = true;
    // Where the answer is one number with a decimal separator («0,2929»,
    // «11,0»), how far the student rounded it: the significant digits given,
    // trailing zeros too, and the place of the last one (−4 for 0,2929). A
    // whole number is taken as exact.
    struct Rounding
    {
        int significantDigits = 0;
        int lastPlace = 0;
    };
    std::optional<Rounding> rounding;
    // Where the answer is a formula with decimals in it added or taken
    // away («6 − 4,24»), its value is judged as a decimal rounded at the
    // place of its least exact part (`rounding`), with the rounding of
    // each of these parts allowed for.
    int roundedParts = 0;
    // A decimal multiplied, divided or under a root, beside other numbers
    // («4,24·2 − 1»): a value that is neither exact nor one rounded number.
    bool decimalInFormula = false;
    // Where the answer begins with another quantity's symbol and «=» than
    // its box's: «Това поле е за r, радиуса на вписаната окръжност».
    QString otherBox;
    // Where a unit after it is not the box's quantity's: «лицето се мери в
    // см²».
    QString wrongUnit;
    // Where reading stopped in `text`, when there is no value; and why, in
    // the student's words, where it was no fault of the writing (a division
    // by zero, a root of a negative number).
    qsizetype stoppedAt = -1;
    QString trouble;

    bool isEmpty() const { return text.isEmpty(); }
};

// Reads what a student may type: whole numbers and decimals (comma or
// point), fractions «45/8», roots «√2», «√(2)», «sqrt(2)», «корен(2)»,
// products «3√2», «3·√2», «3*√2», «2(1 + √2)», sums and differences with
// «+», «-» or «−», brackets, and a unit after it all («см», «cm», «см²»,
// «cm²», «°»). For the box of a quantity, the answer may begin as on paper
// with the quantity's symbol and «=» («r = 6 − 3√2»), and its unit is to be
// the quantity's. Never throws.
AnswerReading readAnswer(const QString &text, std::optional<pairs::Quantity> box = std::nullopt);

// «r, радиуса на вписаната окръжност»: the quantity of a box as a message
// names it.
QString boxName(pairs::Quantity q);

// The reading as the window shows it under the box: «Разбрах: (7 − √13)/2 ≈
// 1,697», «Не разбирам след „3√“»; empty for an empty box.
QString readingLine(const AnswerReading &reading, const QLocale &locale = QLocale());

} // namespace practice

#endif // ANSWERREADING_H
