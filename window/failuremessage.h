#ifndef FAILUREMESSAGE_H
#define FAILUREMESSAGE_H

#include "solver.h"

#include <QLocale>
#include <QString>

// Which of the two given boxes held no text at all; such a box reads as 0,
// and the message says so only then.
struct EmptyGivens
{
    bool first = false;
    bool second = false;
};

// What the student reads when a calculation finds no triangle: that no right
// triangle has these values, why, in plain words, and the condition that the
// two givens must meet with its limit worked out for the values typed.
QString failureTitle();
QString failureMessage(solver::Variant variant, solver::Failure failure, double first,
                       double second, const QLocale &locale = QLocale(), EmptyGivens empty = {});

// What the student reads after Calculate when no variant has been chosen yet.
QString noVariantTitle();
QString noVariantMessage();

#endif // FAILUREMESSAGE_H
