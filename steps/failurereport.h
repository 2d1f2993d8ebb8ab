#ifndef FAILUREREPORT_H
#define FAILUREREPORT_H

#include "solver.h"

#include <QLocale>
#include <QString>

// Which of the two given boxes held no number (blank, or text that does not
// start with one); such a box reads as 0, and the message says so only then.
struct MissingGivens
{
    bool first = false;
    bool second = false;
};

// What the student reads when a calculation gives no triangle: a title that
// says what happened (no such triangle; a number missing; numbers beyond what
// the program computes with), why in plain words, and the condition that the
// two givens must meet, with its limit worked out for the values typed and
// rounded so that typing it as shown meets the condition.
struct FailureReport
{
    QString title;
    QString message;
};

FailureReport failureReport(solver::Variant variant, solver::Failure failure, double first,
                            double second, const QLocale &locale = QLocale(),
                            MissingGivens missing = {});

// What the student reads after Calculate when no variant has been chosen yet.
FailureReport noVariantReport();

#endif // FAILUREREPORT_H
