#ifndef FAILUREMESSAGE_H
#define FAILUREMESSAGE_H

#include "solver.h"

#include <QLocale>
#include <QString>

// What the student reads when a calculation finds no triangle: that no right
// triangle has these values, why, in plain words, and the condition that the
// two givens must meet with its limit worked out for the values typed.
QString failureTitle();
QString failureMessage(solver::Variant variant, solver::Failure failure, double first,
                       double second, const QLocale &locale = QLocale());

#endif // FAILUREMESSAGE_H
