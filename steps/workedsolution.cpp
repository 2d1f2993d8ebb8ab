#include "workedsolution.h"

#include <algorithm>
#include <stdexcept>

using exact::Number;

namespace {

// No step needs more: the values put in are exact and differ from each
// other well within this many digits.
constexpr int mostDigits = 120;

QString withoutBlanks(QString text)
{
    return text.remove(u' ');
}

} // namespace

Quantity &WorkedSolution::quantity(const QString &symbol, const Number &value)
{
    m_quantities.push_back(Quantity{symbol, value, m_notation.shortForm(value)});
    return m_quantities.back();
}

Quantity &WorkedSolution::given(const QString &symbol, const Number &value)
{
    return quantity(symbol, value);
}

Quantity &WorkedSolution::found(const QString &symbol, const Number &value, bool approximate)
{
    Quantity &q = quantity(symbol, value);
    if (approximate) {
        q.approximate = true;
        q.exactForm.reset();
    }
    return q;
}

Quantity &WorkedSolution::step(const QString &from, const QString &symbol,
                               const QStringList &symbolic, const Term &formula)
{
    Quantity &result = quantity(symbol, formula.value());
    if (formula.approximate()) {
        result.approximate = true;
        result.exactForm.reset();
    }
    m_lines.push_back(Line{Line::Step, from, symbolic, formula, &result, {}});
    return result;
}

void WorkedSolution::say(std::function<QString(const StepNotation &)> text)
{
    m_lines.push_back(Line{Line::Said, {}, {}, Term(0), nullptr, std::move(text)});
}

void WorkedSolution::say(const QString &text)
{
    say([text](const StepNotation &) { return text; });
}

void WorkedSolution::write(const QString &text)
{
    m_lines.push_back(
        Line{Line::Plain, {}, {}, Term(0), nullptr, [text](const StepNotation &) { return text; }});
}

QStringList WorkedSolution::lines()
{
    // From the last step back: a value's digits are those that the steps
    // putting it in need by the time its own step is made redoable. A value
    // put into two steps may be raised by the earlier one after the later
    // one was done with it, which can undo a later step that added up only
    // by a lucky cancellation (2,64633 − 2,61633): so again, until no
    // value's digits change. They only grow, to mostDigits at most.
    for (bool changed = true; changed;) {
        std::vector<int> before;
        for (const Quantity &q : m_quantities)
            before.push_back(q.digits);
        for (auto line = m_lines.rbegin(); line != m_lines.rend(); ++line)
            if (line->kind == Line::Step)
                makeRedoable(*line);
        changed = false;
        std::size_t i = 0;
        for (const Quantity &q : m_quantities)
            changed = changed || q.digits != before[i++];
    }
    QStringList lines;
    int number = 0;
    for (const Line &line : m_lines) {
        switch (line.kind) {
        case Line::Plain:
            lines << line.text(m_notation);
            break;
        case Line::Said:
            lines << QStringLiteral("%1) %2").arg(++number).arg(line.text(m_notation));
            break;
        case Line::Step:
            lines << QStringLiteral("%1) %2").arg(++number).arg(written(line));
            break;
        }
    }
    return lines;
}

void WorkedSolution::makeRedoable(const Line &line)
{
    std::vector<Quantity *> rounded;
    line.formula.roundedQuantities(rounded);
    if (rounded.empty())
        return;
    const exact::Decimal &shown = m_notation.decimal(*line.result);
    const Number allowed = exact::power(Number(10), shown.lastExponent()) / Number(2);
    const auto redoable = [&] {
        Number redone;
        try {
            redone = line.formula.shownValue(m_notation);
        } catch (const std::domain_error &) {
            // Too few digits shown can make a redo impossible, as well as
            // wrong: √(c² − 4h²) of c and h rounded next to h = c/2 is the
            // root of a negative number. More digits then.
            try {
                redone = line.formula.shownValue(m_notation, true);
            } catch (const std::domain_error &) {
                return false;
            }
        }
        return exact::abs(redone - Number::fromDecimal(shown)) <= allowed;
    };
    if (redoable())
        return;
    // The fewest more digits that do, found by doubling and halving: a thin
    // triangle's hypotenuse may need twenty, or only its fifteen when it
    // rounds to the longer leg itself.
    std::vector<int> digits;
    for (const Quantity *q : rounded)
        digits.push_back(q->digits);
    const auto raise = [&](int more) {
        for (std::size_t i = 0; i < rounded.size(); ++i)
            rounded[i]->digits = std::min(digits[i] + more, mostDigits);
    };
    int failing = 0;
    int passing = 1;
    for (raise(passing); !redoable(); raise(passing)) {
        if (passing >= mostDigits)
            return;
        failing = passing;
        passing = std::min(2 * passing, mostDigits);
    }
    while (passing - failing > 1) {
        const int middle = (failing + passing) / 2;
        raise(middle);
        (redoable() ? passing : failing) = middle;
    }
    raise(passing);
}

QString WorkedSolution::written(const Line &line) const
{
    const QString equals = QStringLiteral("=");
    const QString approximately = QStringLiteral("≈");
    QString text = line.result->symbol;
    for (const QString &form : line.symbolic)
        text += QStringLiteral(" = ") + form;
    QString last = text;
    const auto add = [&](const QString &relation, const QString &side) {
        if (withoutBlanks(side) == withoutBlanks(last))
            return;
        text += u' ' + relation + u' ' + side;
        last = side;
    };
    const Quantity &result = *line.result;
    const QString decimal = m_notation.text(m_notation.decimal(result));
    std::vector<Quantity *> rounded;
    line.formula.roundedQuantities(rounded);
    if (!rounded.empty()) {
        add(approximately, line.formula.written(0, m_notation)->text);
        add(approximately, decimal);
    } else {
        for (int level = 0; level < line.formula.depth(); ++level) {
            const auto side = line.formula.written(level, m_notation);
            if (!side)
                break;
            add(equals, side->text);
        }
        if (result.exactForm)
            add(equals, *result.exactForm);
        if (!result.exactForm || !result.value.terminatingDecimal())
            add(approximately, decimal);
    }
    return line.from.isEmpty() ? text : QStringLiteral("%1: %2").arg(line.from, text);
}
