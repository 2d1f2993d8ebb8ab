#ifndef SOLUTIONSTEPS_H
#define SOLUTIONSTEPS_H

#include "solver.h"

#include <QLocale>
#include <QStringList>

// The solution of one variant written out for a student, in Bulgarian, one
// line per step: the givens, then each step as the relation it comes from,
// the formula, the student's numbers put in and the value, then the answer.
// Every number is written as the value boxes write it. The value that ends
// the step of a computed quantity, and the answer, are those of the triangle
// given, never computed again here, so they always read exactly as the boxes
// do; the numbers in between are worked out from the givens in forms free of
// cancellation, so that a thin triangle's intermediate values do not
// contradict its final ones.
QStringList solutionSteps(solver::Variant variant, const solver::Triangle &triangle,
                          const QLocale &locale = QLocale());

#endif // SOLUTIONSTEPS_H
