#include "solutionsteps.h"

#include "number.h"
#include "numbertext.h"
#include "schooltext.h"
#include "variants.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

using exact::Number;
using solver::Column;
using solver::Triangle;
using solver::Variant;

namespace {

// An exact form longer than this ("√100685861985147730031934615828376/…") is
// harder to read than its decimal and tells a student nothing more: about
// half a line of the steps; the value is then written as a decimal alone.
constexpr qsizetype longestExactForm = 40;

// The significant digits of a value written as a decimal: enough to check a
// step with a calculator and to see how the values compare, few enough to
// read at a glance; the exact forms and the answer carry the rest. A value
// that a later step puts in gets more where that step needs them to be
// redone (see Solution::makeRedoable()).
constexpr int stepDigits = 6;
// No step needs more: its values are exact and differ well within this.
constexpr int mostDigits = 120;

const QString approximately = QStringLiteral("≈");

// A value of the solution: a given, or the result of a step, with how the
// steps show it: its exact form where that is short, else its decimal with
// `digits` significant digits.
struct Quantity
{
    QString symbol;
    Number value;
    std::optional<QString> exactForm;
    int digits = stepDigits;
    // The decimal last worked out, and for how many digits.
    mutable std::optional<std::pair<int, exact::Decimal>> decimal;
};

// How the steps write numbers, and what a number shown stands for.
class Notation
{
public:
    explicit Notation(const QLocale &locale) : m_locale(locale) {}

    const QLocale &locale() const { return m_locale; }

    std::optional<QString> shortForm(const Number &value) const
    {
        QString text = schoolText(value, m_locale);
        if (text.size() > longestExactForm)
            return std::nullopt;
        return text;
    }

    // The value correctly rounded to at least `digits` significant digits,
    // and to all of its integer part where that is written out.
    exact::Decimal decimal(const Number &value, int digits) const
    {
        exact::Decimal d = value.rounded(digits);
        for (int needed = exact::schoolDigits(d.exponent, digits); needed > int(d.digits.size());
             needed = exact::schoolDigits(d.exponent, needed))
            d = value.rounded(needed);
        return d;
    }

    QString text(const exact::Decimal &decimal) const { return schoolText(decimal, m_locale); }

    // The quantity's decimal with its digits, worked out once for them.
    const exact::Decimal &decimal(const Quantity &q) const
    {
        if (!q.decimal || q.decimal->first != q.digits)
            q.decimal.emplace(q.digits, decimal(q.value, q.digits));
        return q.decimal->second;
    }

    QString shown(const Quantity &q) const
    {
        return q.exactForm ? *q.exactForm : text(decimal(q));
    }

    Number shownValue(const Quantity &q) const
    {
        return q.exactForm ? q.value : Number::fromDecimal(decimal(q));
    }

private:
    const QLocale &m_locale;
};

// How a written expression binds, for the brackets around it where it is put
// into another. Scaled is a single value written as a product, "2,5·10⁻⁷" or
// "5√2", which a further factor keeps apart: 2·(2,5·10⁻⁷).
enum class Binding { Atom, Scaled, Product, Quotient, Sum, Negative };

Binding bindingOf(const QString &text)
{
    bool product = false;
    bool quotient = false;
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        if (depth > 0)
            continue;
        if (c == u' ' && i + 1 < text.size() && (text[i + 1] == u'+' || text[i + 1] == u'−'))
            return Binding::Sum;
        quotient = quotient || c == u'/';
        product = product || c == u'·' || (c == u'√' && i > 0 && text[i - 1].isDigit());
    }
    if (text.startsWith(u'−'))
        return Binding::Negative;
    return quotient ? Binding::Quotient : product ? Binding::Scaled : Binding::Atom;
}

struct Written
{
    QString text;
    Binding binding = Binding::Atom;
};

QString bracketed(const Written &w, std::initializer_list<Binding> bracketedBindings)
{
    for (Binding b : bracketedBindings)
        if (w.binding == b)
            return QStringLiteral("(%1)").arg(w.text);
    return w.text;
}

// A formula of a step over the quantities of the solution, as it is written
// on the blackboard and worked out: 2·r·(S + c), √(a² + b²). Its exact value
// is worked out as it is built. Written at a level, every operation whose
// operands are at most that many operations deep is replaced by its value,
// so that the levels one after another are the lines of a worked example:
// √(1² + 1²) = √(1 + 1) = √2.
class Term
{
public:
    Term(long long whole) : m_node(std::make_shared<Node>())
    {
        m_node->whole = whole;
        m_node->value = Number(whole);
    }
    Term(Quantity &quantity) : m_node(std::make_shared<Node>())
    {
        m_node->quantity = &quantity;
        m_node->value = quantity.value;
    }

    const Number &value() const { return m_node->value; }
    int depth() const { return m_node->depth; }

    friend Term operator+(const Term &x, const Term &y) { return {Op::Add, x, y}; }
    friend Term operator-(const Term &x, const Term &y) { return {Op::Subtract, x, y}; }
    friend Term operator*(const Term &x, const Term &y) { return {Op::Multiply, x, y}; }
    friend Term operator/(const Term &x, const Term &y) { return {Op::Divide, x, y}; }
    friend Term squared(const Term &x) { return {Op::Square, x, x}; }
    friend Term root(const Term &x) { return {Op::Root, x, x}; }

    // The quantities that the formula shows as decimals, not exactly.
    void roundedQuantities(std::vector<Quantity *> &found) const
    {
        if (m_node->quantity && !m_node->quantity->exactForm)
            found.push_back(m_node->quantity);
        for (const Term &operand : m_node->operands)
            operand.roundedQuantities(found);
    }

    // The value that the formula gives with its quantities as shown.
    Number shownValue(const Notation &notation) const
    {
        const Node &n = *m_node;
        if (n.quantity)
            return notation.shownValue(*n.quantity);
        if (n.operands.empty())
            return n.value;
        const Number x = n.operands[0].shownValue(notation);
        const Number y = n.op == Op::Square || n.op == Op::Root ? x
                                                                : n.operands[1].shownValue(notation);
        return apply(n.op, x, y);
    }

    // The formula written with the operations up to `level` deep worked
    // out; nothing where such a value has no short exact form.
    std::optional<Written> written(int level, const Notation &notation) const
    {
        const Node &n = *m_node;
        if (n.quantity) {
            const QString text = notation.shown(*n.quantity);
            return Written{text, bindingOf(text)};
        }
        if (n.operands.empty())
            return Written{QString::number(n.whole), Binding::Atom};
        if (n.depth <= level) {
            const auto text = notation.shortForm(n.value);
            if (!text)
                return std::nullopt;
            return Written{*text, bindingOf(*text)};
        }
        const auto x = n.operands[0].written(level, notation);
        const auto y = n.operands.back().written(level, notation);
        if (!x || !y)
            return std::nullopt;
        using enum Binding;
        switch (n.op) {
        case Op::Add:
            return Written{x->text + QStringLiteral(" + ") + bracketed(*y, {Sum, Negative}), Sum};
        case Op::Subtract:
            return Written{x->text + QStringLiteral(" − ") + bracketed(*y, {Sum, Negative}), Sum};
        case Op::Multiply:
            return Written{bracketed(*x, {Sum, Quotient, Negative, Scaled}) + u'·'
                               + bracketed(*y, {Sum, Quotient, Negative, Product, Scaled}),
                           Product};
        case Op::Divide:
            return Written{bracketed(*x, {Sum, Quotient, Negative}) + QStringLiteral(" / ")
                               + bracketed(*y, {Sum, Quotient, Negative, Product, Scaled}),
                           Quotient};
        case Op::Square: {
            // √2² would read as √(2²).
            const bool bare = x->binding == Atom && !x->text.startsWith(u'√');
            return Written{(bare ? x->text : QStringLiteral("(%1)").arg(x->text)) + u'²', Atom};
        }
        case Op::Root: {
            const bool plain = x->binding == Atom && !x->text.contains(u'√')
                && !x->text.contains(u'²') && !x->text.startsWith(u'(');
            return Written{u'√' + (plain ? x->text : QStringLiteral("(%1)").arg(x->text)), Atom};
        }
        }
        return std::nullopt;
    }

private:
    enum class Op { Add, Subtract, Multiply, Divide, Square, Root };

    struct Node
    {
        Op op = Op::Add;
        std::vector<Term> operands;
        Quantity *quantity = nullptr;
        long long whole = 0;
        Number value;
        int depth = 0;
    };

    static Number apply(Op op, const Number &x, const Number &y)
    {
        switch (op) {
        case Op::Add:
            return x + y;
        case Op::Subtract:
            return x - y;
        case Op::Multiply:
            return x * y;
        case Op::Divide:
            return x / y;
        case Op::Square:
            return x * x;
        case Op::Root:
            return exact::sqrt(x);
        }
        return x;
    }

    Term(Op op, const Term &x, const Term &y) : m_node(std::make_shared<Node>())
    {
        m_node->op = op;
        m_node->operands = op == Op::Square || op == Op::Root ? std::vector<Term>{x}
                                                              : std::vector<Term>{x, y};
        m_node->value = apply(op, x.value(), y.value());
        // A run of sums and differences is worked out at once, as a student
        // adds 3 + 4 − 5 in one go.
        const bool sum = op == Op::Add || op == Op::Subtract;
        const int left = sum && x.isSum() ? x.depth() : 1 + x.depth();
        m_node->depth = std::max(left, 1 + y.depth());
    }

    bool isSum() const
    {
        return !m_node->operands.empty()
            && (m_node->op == Op::Add || m_node->op == Op::Subtract);
    }

    std::shared_ptr<Node> m_node;
};

QString withoutBlanks(QString text)
{
    return text.remove(u' ');
}

// The solution being written: its quantities and its lines. The steps are
// recorded first and written out at the end, once every quantity knows how
// many digits the steps that use it need.
class Solution
{
public:
    explicit Solution(const QLocale &locale) : m_notation(locale) {}

    Quantity &given(Column column, const Triangle &triangle)
    {
        // The given as its box shows it, read as the decimal it is: «0,1» is
        // 1/10, not the double nearest to it.
        const QString box = numbertext::toText(solver::value(triangle, column), QLocale::c());
        const auto decimal = exact::readDecimal(box.toStdString());
        if (!decimal)
            throw std::domain_error("a given that is no decimal");
        return quantity(symbolOf(column), Number::fromDecimal(*decimal));
    }

    // A numbered step: where it comes from (may be empty), the quantity it
    // finds, the formula's symbolic forms, and the formula over quantities.
    Quantity &step(const QString &from, const QString &symbol, const QStringList &symbolic,
                   const Term &formula)
    {
        Quantity &result = quantity(symbol, formula.value());
        m_lines.push_back(Line{Line::Step, from, symbolic, formula, &result});
        return result;
    }

    // A numbered line that states something, written at the end.
    void say(std::function<QString(const Notation &)> text)
    {
        m_lines.push_back(Line{Line::Said, {}, {}, Term(0), nullptr, std::move(text)});
    }
    void say(const QString &text)
    {
        say([text](const Notation &) { return text; });
    }

    // An unnumbered line.
    void write(std::function<QString(const Notation &)> text)
    {
        m_lines.push_back(Line{Line::Plain, {}, {}, Term(0), nullptr, std::move(text)});
    }

    const Notation &notation() const { return m_notation; }

    QStringList lines()
    {
        for (auto line = m_lines.rbegin(); line != m_lines.rend(); ++line)
            if (line->kind == Line::Step)
                makeRedoable(*line);
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

    static QString symbolOf(Column column) { return QString::fromLatin1(solver::symbol(column)); }

private:
    struct Line
    {
        enum Kind { Step, Said, Plain } kind;
        QString from;
        QStringList symbolic;
        Term formula;
        Quantity *result;
        std::function<QString(const Notation &)> text;
    };

    Quantity &quantity(const QString &symbol, const Number &value)
    {
        m_quantities.push_back(Quantity{symbol, value, m_notation.shortForm(value)});
        return m_quantities.back();
    }

    // A step that puts in values shown as decimals must give its result to
    // the digits shown when it is redone from them: where the decimals put
    // in are too short for that (c in a + b − c on a thin triangle), they get
    // more digits. Done from the last step back, a value's digits are those
    // that the steps using it need by the time its own step is made so.
    void makeRedoable(const Line &line)
    {
        std::vector<Quantity *> rounded;
        line.formula.roundedQuantities(rounded);
        if (rounded.empty())
            return;
        const exact::Decimal &shown = m_notation.decimal(*line.result);
        const Number allowed = exact::power(Number(10), shown.lastExponent()) / Number(2);
        const auto redoable = [&] {
            return exact::abs(line.formula.shownValue(m_notation) - Number::fromDecimal(shown))
                <= allowed;
        };
        if (redoable())
            return;
        // The fewest more digits that do, found by doubling and halving: a
        // thin triangle's hypotenuse may need twenty, or only its fifteen
        // when it rounds to the longer leg itself.
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

    // "c = √(a² + b²) = √(1² + 1²) = √(1 + 1) = √2 ≈ 1,41421": the quantity,
    // its symbolic forms, the formula with the values put in and worked out
    // level by level while each value has a short exact form, the result's
    // exact form where it has one, and its decimal where that is not exact.
    // Put-in decimals make the rest approximate: "≈ (… − 317310,355937445) /
    // 2 ≈ 0,00904555".
    QString written(const Line &line) const
    {
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
                add(QStringLiteral("="), side->text);
            }
            if (result.exactForm)
                add(QStringLiteral("="), *result.exactForm);
            if (!result.exactForm || !result.value.terminatingDecimal())
                add(approximately, decimal);
        }
        return line.from.isEmpty() ? text : QStringLiteral("%1: %2").arg(line.from, text);
    }

    Notation m_notation;
    // A deque, so that the quantities stay where the formulas point.
    std::deque<Quantity> m_quantities;
    std::vector<Line> m_lines;
};

const QString fromHalfHypotenuse = QStringLiteral("От 2R = c");
const QString fromInradius = QStringLiteral("От 2r = a + b − c");
const QString fromPythagoras = QStringLiteral("От a² + b² = c²");

// "Дадени са a = 3 и R = 2,5. Търсим b и r.", and for the radii which of the
// legs is b.
void givens(Solution &s, Variant variant, const Quantity &first, const Quantity &second)
{
    const auto &computed = solver::columnsOf(variant).computed;
    QString sought = QStringLiteral("%1 и %2").arg(Solution::symbolOf(computed[0]),
                                                  Solution::symbolOf(computed[1]));
    if (variant == Variant::Radii)
        sought += QStringLiteral(" (b е по-късият катет)");
    const QString text = QStringLiteral("Дадени са %1 = %2 и %3 = %4. Търсим %5.")
                             .arg(first.symbol, s.notation().shown(first), second.symbol,
                                  s.notation().shown(second), sought);
    s.write([text](const Notation &) { return text; });
}

// The box's value is the solver's, worked out from the givens as doubles; it
// agrees with the exact answer to the 13 digits the solver promises, unless
// the triangle is so thin or so nearly isosceles that the givens' rounding
// to binary changes the answer in those digits.
bool agrees(const Number &exactValue, const Number &box)
{
    static const Number tolerance = Number(1) / exact::power(Number(10), 13);
    return exact::abs(exactValue - box) <= tolerance * exact::abs(box);
}

Number boxValue(double value)
{
    return Number::fromDecimal(
        *exact::readDecimal(numbertext::toText(value, QLocale::c()).toStdString()));
}

const QString binaryRounding =
    QStringLiteral("Програмата ги пресмята с дадените, закръглени до двоични числа с около 16 "
                   "значещи цифри, а при тези дадени и толкова малка разлика променя отговора.");

// "Отговор: r = (2 − √2)/2 ≈ 0,292893218813452; R = √2/2 ≈ 0,707106781186548.":
// each computed value's exact form and then the value as its box shows it.
// Where the box differs from the exact answer in the digits the solver
// promises, the answer gives the exact value's own decimal and a line says
// what the box shows and why.
void answer(Solution &s, const Triangle &t, const Quantity &first, const Quantity &second,
            Column firstColumn, Column secondColumn)
{
    s.write([&t, &first, &second, firstColumn, secondColumn](const Notation &n) {
        QStringList parts;
        QStringList boxes;
        for (const auto &[q, column] : {std::pair{&first, firstColumn}, {&second, secondColumn}}) {
            const double box = solver::value(t, column);
            const QString boxText = schoolText(box, 15, n.locale());
            QString part = q->symbol;
            QString decimal = boxText;
            if (!agrees(q->value, boxValue(box))) {
                decimal = n.text(n.decimal(q->value, 15));
                boxes << QStringLiteral("%1 = %2").arg(q->symbol, boxText);
            }
            if (q->exactForm) {
                part += QStringLiteral(" = ") + *q->exactForm;
                if (withoutBlanks(decimal) != withoutBlanks(*q->exactForm))
                    part += QStringLiteral(" ≈ ") + decimal;
            } else {
                part += QStringLiteral(" ≈ ") + decimal;
            }
            parts << part;
        }
        QString text = QStringLiteral("Отговор: %1.").arg(parts.join(QStringLiteral("; ")));
        if (!boxes.isEmpty())
            text += QStringLiteral("\nВ полетата: %1. %2").arg(boxes.join(QStringLiteral("; ")),
                                                                binaryRounding);
        return text;
    });
}

// With the givens exactly as written there is no triangle, although their
// doubles gave one: `what`, which must be positive, is not. The boxes'
// answer is all there is to show.
void noExactTriangle(Solution &s, const Triangle &t, Variant variant, const QString &what,
                     const Number &value)
{
    s.say([what, value](const Notation &n) {
        const auto exactForm = n.shortForm(value);
        const QString shown = exactForm ? QStringLiteral("= ") + *exactForm
                                        : QStringLiteral("≈ ") + n.text(n.decimal(value, stepDigits));
        return QStringLiteral("%1 %2%3: с дадените точно както са записани няма такъв "
                              "триъгълник. Полетата показват триъгълника, който програмата "
                              "намира с дадените, закръглени до двоични числа; тук това "
                              "закръгляне решава.")
            .arg(what, shown, value.sign() < 0 ? QStringLiteral(" < 0") : QString());
    });
    const auto &computed = solver::columnsOf(variant).computed;
    QStringList parts;
    for (const Column column : computed)
        parts << QStringLiteral("%1 ≈ %2").arg(Solution::symbolOf(column),
                                               schoolText(solver::value(t, column), 15,
                                                          s.notation().locale()));
    const QString text = QStringLiteral("Отговор: %1.").arg(parts.join(QStringLiteral("; ")));
    s.write([text](const Notation &) { return text; });
}

void legs(Solution &s, Quantity &a, Quantity &b, const Triangle &t)
{
    Quantity &c = s.step(fromPythagoras, QStringLiteral("c"), {QStringLiteral("√(a² + b²)")},
                         root(squared(Term(a)) + squared(Term(b))));
    Quantity &R = s.step(fromHalfHypotenuse, QStringLiteral("R"), {QStringLiteral("c / 2")},
                         Term(c) / 2);
    Quantity &r = s.step(fromInradius, QStringLiteral("r"), {QStringLiteral("(a + b − c) / 2")},
                         (Term(a) + b - c) / 2);
    answer(s, t, r, R, Column::r, Column::R);
}

void legAndInradius(Solution &s, Quantity &a, Quantity &r, const Triangle &t)
{
    s.say(QStringLiteral("От 2r = a + b − c: c = a + b − 2r"));
    s.say(QStringLiteral("Заместваме c в a² + b² = c²: a² + b² = (a + b − 2r)² = "
                         "a² + b² + 2ab − 4ar − 4br + 4r²"));
    s.say(QStringLiteral("Съкращаваме a² + b² и делим на 2: ab − 2br = 2ar − 2r², "
                         "тоест b·(a − 2r) = 2r·(a − r)"));
    const Term gap = Term(a) - Term(2) * r;
    if (gap.value().sign() <= 0) {
        noExactTriangle(s, t, Variant::LegAndInradius, QStringLiteral("a − 2r"), gap.value());
        return;
    }
    Quantity &b = s.step({}, QStringLiteral("b"), {QStringLiteral("2r·(a − r) / (a − 2r)")},
                         Term(2) * r * (Term(a) - r) / gap);
    Quantity &c = s.step({}, QStringLiteral("c"), {QStringLiteral("a + b − 2r")},
                         Term(a) + b - Term(2) * r);
    Quantity &R = s.step(fromHalfHypotenuse, QStringLiteral("R"), {QStringLiteral("c / 2")},
                         Term(c) / 2);
    answer(s, t, b, R, Column::b, Column::R);
}

void legAndCircumradius(Solution &s, Quantity &a, Quantity &R, const Triangle &t)
{
    Quantity &c = s.step(fromHalfHypotenuse, QStringLiteral("c"), {QStringLiteral("2R")},
                         Term(2) * R);
    const Term square = squared(Term(c)) - squared(Term(a));
    if (square.value().sign() <= 0) {
        noExactTriangle(s, t, Variant::LegAndCircumradius, QStringLiteral("c² − a²"),
                        square.value());
        return;
    }
    Quantity &b = s.step(fromPythagoras, QStringLiteral("b"), {QStringLiteral("√(c² − a²)")},
                         root(square));
    Quantity &r = s.step(fromInradius, QStringLiteral("r"), {QStringLiteral("(a + b − c) / 2")},
                         (Term(a) + b - c) / 2);
    answer(s, t, b, r, Column::b, Column::r);
}

// a + b and ab from the relations; a and b are then the roots of
// x² − (a + b)·x + ab = 0, a the larger, and b = ab / a, Vieta's way, which
// a student redoes from a's decimal without the loss of (a + b − √D) / 2.
void radii(Solution &s, Quantity &r, Quantity &R, const Triangle &t)
{
    Quantity &c = s.step(fromHalfHypotenuse, QStringLiteral("c"), {QStringLiteral("2R")},
                         Term(2) * R);
    Quantity &sum = s.step(fromInradius, QStringLiteral("a + b"), {QStringLiteral("c + 2r")},
                           Term(c) + Term(2) * r);
    Quantity &twoProduct =
        s.step(fromPythagoras, QStringLiteral("2ab"),
               {QStringLiteral("(a + b)² − c²"), QStringLiteral("(a + b − c)·(a + b + c)"),
                QStringLiteral("2r·(a + b + c)")},
               Term(2) * r * (Term(sum) + c));
    Quantity &product =
        s.step({}, QStringLiteral("ab"), {QStringLiteral("2ab / 2")}, Term(twoProduct) / 2);
    s.say([&sum, &product](const Notation &n) {
        const auto coefficient = [&](const Quantity &q) {
            const QString text = n.shown(q);
            return bindingOf(text) == Binding::Atom ? text : QStringLiteral("(%1)").arg(text);
        };
        const bool rounded = !sum.exactForm || !product.exactForm;
        return QStringLiteral("a и b са корените на x² − (a + b)·x + ab = 0, тоест%1 на "
                              "x² − %2·x + %3 = 0")
            .arg(rounded ? QStringLiteral(" приблизително") : QString(), coefficient(sum),
                 coefficient(product));
    });
    Quantity &D = s.step({}, QStringLiteral("D"), {QStringLiteral("(a + b)² − 4ab")},
                         squared(Term(sum)) - Term(4) * product);
    if (D.value.sign() < 0) {
        noExactTriangle(s, t, Variant::Radii, QStringLiteral("D"), D.value);
        return;
    }
    Quantity &a = s.step({}, QStringLiteral("a"), {QStringLiteral("(a + b + √D) / 2")},
                         (Term(sum) + root(Term(D))) / 2);
    Quantity &b = s.step({}, QStringLiteral("b"), {QStringLiteral("ab / a")}, Term(product) / a);
    answer(s, t, a, b, Column::a, Column::b);
}

QStringList writeSolution(Variant variant, const Triangle &triangle, const QLocale &locale)
{
    Solution s(locale);
    const auto &given = solver::columnsOf(variant).given;
    Quantity &first = s.given(given[0], triangle);
    Quantity &second = s.given(given[1], triangle);
    givens(s, variant, first, second);
    switch (variant) {
    case Variant::Legs:
        legs(s, first, second, triangle);
        break;
    case Variant::LegAndInradius:
        legAndInradius(s, first, second, triangle);
        break;
    case Variant::LegAndCircumradius:
        legAndCircumradius(s, first, second, triangle);
        break;
    case Variant::Radii:
        radii(s, first, second, triangle);
        break;
    }
    return s.lines().join(u'\n').split(u'\n');
}

} // namespace

QStringList solutionSteps(Variant variant, const Triangle &triangle, const QLocale &locale)
{
    try {
        return writeSolution(variant, triangle, locale);
    } catch (const std::domain_error &) {
        // Not reached for a triangle the solver returns; should it be, the
        // window still shows the answer rather than end the program.
        QStringList parts;
        for (const Column column : solver::columnsOf(variant).computed)
            parts << QStringLiteral("%1 ≈ %2").arg(Solution::symbolOf(column),
                                                   schoolText(solver::value(triangle, column), 15,
                                                              locale));
        return {QStringLiteral("Отговор: %1.").arg(parts.join(QStringLiteral("; ")))};
    }
}
