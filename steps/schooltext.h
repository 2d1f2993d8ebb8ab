#ifndef SCHOOLTEXT_H
#define SCHOOLTEXT_H

#include "number.h"

#include <QLocale>
#include <QString>

// The companion window's numbers in a school's notation: the decimal
// separator of the locale, "−" for minus, and powers of ten as "1·10⁶" or
// "2,5·10⁻⁷", never "1e+06". The value boxes keep their own format.

// A value as the boxes would write it with this many significant digits,
// with the exponent written as a power of ten.
QString schoolText(double value, int significantDigits, const QLocale &locale = QLocale());

// An exact number in its one canonical form: "5", "2,5", "7/3", "5√2/2",
// "(2 − √2)/2".
QString schoolText(const exact::Number &value, const QLocale &locale = QLocale());

// A decimal, every digit of it written.
QString schoolText(const exact::Decimal &value, const QLocale &locale = QLocale());

#endif // SCHOOLTEXT_H
