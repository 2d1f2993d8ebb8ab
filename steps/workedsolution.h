#ifndef WORKEDSOLUTION_H
#define WORKEDSOLUTION_H

#include "stepnotation.h"
#include "term.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// A solution written out as on the blackboard: its quantities and its lines,
// numbered steps among them. The lines are recorded first and written out
// at the end, once every quantity knows how many digits the steps that put
// it in need.
//
// A step reads "c = √(a² + b²) = √(1² + 1²) = √(1 + 1) = √2 ≈ 1,41421": the
// quantity, its symbolic forms, the formula with the values put in and
// worked out level by level while each value has a short exact form, the
// result's exact form where it has one, and its decimal where that is not
// exact. Values put in as decimals make the rest approximate, and the step
// goes straight to its decimal: "r = (a + b − c) / 2 ≈ (0,0180910998383927 +
// 317310,355937444 − 317310,35593744) / 2 ≈ 0,00904555". Such a step gives
// its decimal when it is redone from the decimals put in: they get as many
// more digits as that needs.
class WorkedSolution
{
public:
    explicit WorkedSolution(const QLocale &locale) : m_notation(locale) {}

    const StepNotation &notation() const { return m_notation; }

    // A given, exactly.
    Quantity &given(const QString &symbol, const exact::Number &value);

    // A numbered step: where it comes from (may be empty: "От 2R = c"), the
    // quantity it finds, the formula's symbolic forms, and the formula over
    // quantities.
    Quantity &step(const QString &from, const QString &symbol, const QStringList &symbolic,
                   const Term &formula);

    // A value found otherwise than by a formula of these steps: numerically,
    // or one that needs more roots than a formula here holds. Where it is
    // approximate it is shown as a decimal, whose digits the steps that put
    // it in raise as they need, and so is every step worked out from it; a
    // line of the caller's (say()) shows where it comes from.
    Quantity &found(const QString &symbol, const exact::Number &value, bool approximate);

    // A numbered line that states something, written at the end.
    void say(std::function<QString(const StepNotation &)> text);
    void say(const QString &text);

    // An unnumbered line.
    void write(const QString &text);

    // The lines, one QString each.
    QStringList lines();

private:
    struct Line
    {
        enum Kind { Step, Said, Plain } kind;
        QString from;
        QStringList symbolic;
        Term formula;
        Quantity *result;
        std::function<QString(const StepNotation &)> text;
    };

    Quantity &quantity(const QString &symbol, const exact::Number &value);
    void makeRedoable(const Line &line);
    QString written(const Line &line) const;

    StepNotation m_notation;
    // A deque, so that the quantities stay where the formulas point.
    std::deque<Quantity> m_quantities;
    std::vector<Line> m_lines;
};

#endif // WORKEDSOLUTION_H
