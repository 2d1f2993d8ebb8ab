#ifndef SOLUTIONSTEPS_H
#define SOLUTIONSTEPS_H

#include "solver.h"

#include <QLocale>
#include <QStringList>

// The solution of one variant written out for a student, in Bulgarian, one
// line per step: the givens, then each step as the relation it comes from,
// the formula, the student's numbers put in and the value, then the answer.
//
// The steps are worked exactly from the givens as the boxes show them, each
// a decimal and so a fraction: every value is p + q·√d, written in its exact
// form where that is short ("(2 − √2)/2") and as a correctly rounded decimal
// beside it or alone, in a school's notation. Nothing shown contradicts
// anything else shown: a step redone from the numbers it shows gives its
// result to the digits shown. The answer gives each computed value's exact
// form and the value as its box shows it; where the boxes, worked from the
// givens rounded to binary, differ from the exact answer within the 13
// digits the solver promises, it says so.
QStringList solutionSteps(solver::Variant variant, const solver::Triangle &triangle,
                          const QLocale &locale = QLocale());

#endif // SOLUTIONSTEPS_H
