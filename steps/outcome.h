#ifndef OUTCOME_H
#define OUTCOME_H

#include "solver.h"

#include <QString>

#include <variant>

// What a calculation gave: a triangle, or the message the student read when
// there was none; std::monostate before any calculation. The main window
// keeps its last one, and the companion window shows it.
struct Solved
{
    solver::Variant variant = solver::Variant::Legs;
    // The four values as the solver returned them; the givens are among them.
    solver::Triangle triangle;
};

struct Failed
{
    QString message;
};

using Outcome = std::variant<std::monostate, Solved, Failed>;

#endif // OUTCOME_H
