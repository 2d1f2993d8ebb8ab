#ifndef NUMBERTEXT_H
#define NUMBERTEXT_H

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace numbertext {

// The significant digits with which the value boxes write a number: all that
// a double reliably keeps, so that what a box shows reads back as the value
// it was written from to within its rounding.
inline constexpr int boxDigits = 15;

// Reads the number at the start of a text, the way a student expects a value
// box to be read. Blanks, tabs and line feeds are skipped wherever they
// stand; then come an optional sign, digits, one decimal separator ("." or
// ",", whichever comes first), more digits and an optional exponent (e or E,
// optional sign, digits). Reading stops at the first character that cannot
// continue the number. A text without a number reads as 0; a number too large
// for a double reads as an infinity and one too small as zero. Never fails.
double toNumber(QStringView text);

// As toNumber(), but nothing where the text does not start with a number
// (blank, "abc", "-"), so that a caller can tell such a box from one in
// which 0 was typed.
std::optional<double> readNumber(QStringView text);

// Writes a number in general form: at most boxDigits significant digits, no trailing
// zeros, no digit grouping, exponent form for very large or very small values
// ("1e+20", "1e-05"), with the decimal separator of the given locale. Every
// text written reads back through toNumber().
QString toText(double value, const QLocale &locale = QLocale());

// As toText(), with fewer significant digits; for limits quoted in messages.
QString toText(double value, int significantDigits, const QLocale &locale = QLocale());

} // namespace numbertext

#endif // NUMBERTEXT_H
