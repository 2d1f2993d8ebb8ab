#include "pairsteps.h"

#include "schooltext.h"
#include "workedsolution.h"

#include <QRegularExpression>

#include <array>
#include <functional>
#include <map>
#include <stdexcept>

using exact::Number;
using Q = pairs::Quantity;

namespace pairtext {
namespace {

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string pointOf(const QLocale &locale)
{
    return locale.decimalPoint().toStdString();
}

// A decimal without the zeros at its end, as the value boxes write one.
exact::Decimal trimmed(exact::Decimal d)
{
    const auto last = d.digits.find_last_not_of('0');
    d.digits.resize(last == std::string::npos ? 1 : last + 1);
    return d;
}

QString degrees(const QString &number)
{
    return number + u'°';
}

constexpr int key(Q x, Q y)
{
    return int(x) * pairs::quantityCount + int(y);
}

// Every quantity can be told from its mirror image only where a given is.
bool legsInterchangeable(Q first, Q second)
{
    return pairs::mirrorOf(first) == first && pairs::mirrorOf(second) == second;
}

// The steps of one triangle, written in the names of the pair's row; the
// caller swaps the legs' names back where the givens are its mirror image.
//
// The row's own opening finds the first values (pairtable.h's
// computesFirst), and then the relations below find the rest, each value in
// the first way its inputs allow, in the order a student works them out.
// Every value a step finds is the solver's, to its 60 digits: the steps
// show how, the solver said what.
class Writer
{
public:
    Writer(const pairs::Solution &solution, const pairs::Triangle &triangle, int index,
           const QLocale &locale)
        : m_solution(solution), m_t(triangle), m_count(int(solution.triangles.size())),
          m_index(index), m_s(locale)
    {
    }

    QStringList lines();

private:
    using Formula = std::function<Term()>;

    const StepNotation &n() const { return m_s.notation(); }
    Q first() const { return m_solution.row.facts->first; }
    Q second() const { return m_solution.row.facts->second; }

    bool has(Q q) const { return m_known[std::size_t(q)] != nullptr; }
    Term T(Q q);
    Term H(const QString &helper);
    Term attempt(const Formula &formula);
    Quantity &step(Q target, const QString &from, const QStringList &symbolic,
                   const Formula &formula);
    Quantity &helper(const QString &symbol, const QString &from, const QStringList &symbolic,
                     const Formula &formula);
    Quantity &approximation(Quantity &q);
    void check(const Quantity &q, Q target) const;

    void givens();
    void opening();
    void finish();
    bool finishOne();
    void angles();
    // sin and cos of a given angle, as lines and as values for formulas.
    void trigOf(Q angle);
    // The equation of a pair with a projection solved for α.
    void projectionEquation();

    // The openings the others lead to.
    void legsFromSumAndDifference(const QString &productFrom);
    void legsFromHypotenuseAndSum();
    void inradiusFromSegments();
    void legsFromAngle(Q angle);

    const pairs::Solution &m_solution;
    const pairs::Triangle &m_t;
    int m_count;
    int m_index;
    WorkedSolution m_s;
    std::array<Quantity *, pairs::quantityCount> m_known{};
    std::map<QString, Quantity *> m_helpers;
    std::map<const Quantity *, Quantity *> m_approximations;
    bool m_approximate = false;
};

Term Writer::T(Q q)
{
    Quantity *known = m_known[std::size_t(q)];
    if (!known)
        throw std::logic_error("a step before its inputs");
    return m_approximate ? Term(approximation(*known)) : Term(*known);
}

Term Writer::H(const QString &symbol)
{
    Quantity *known = m_helpers.at(symbol);
    return m_approximate ? Term(approximation(*known)) : Term(*known);
}

Quantity &Writer::approximation(Quantity &q)
{
    if (q.approximate)
        return q;
    Quantity *&copy = m_approximations[&q];
    if (!copy)
        copy = &m_s.found(q.symbol, Number::fromDecimal(q.value.rounded(pairs::keptDigits)), true);
    return *copy;
}

// A formula over exact values where their roots allow it, else over their
// decimals: (√35 + √15)/2 has two roots, which no value of a step holds.
Term Writer::attempt(const Formula &formula)
{
    try {
        m_approximate = false;
        return formula();
    } catch (const std::domain_error &) {
        m_approximate = true;
        Term term = formula();
        m_approximate = false;
        return term;
    }
}

void Writer::check(const Quantity &q, Q target) const
{
    const pairs::Value &v = m_t[target];
    const Number kept = Number::fromDecimal(v.kept);
    // A step over decimals (of 40 digits) subtracts values of the
    // triangle's own size and loses digits where the triangle is thin: its
    // error is measured against that size (c, c², 90°) where the value is
    // smaller, and allowed more of it; never so much that a digit the step
    // shows could be wrong. An exact step agrees to the solver's digits.
    const int dimension = pairs::factsOf(target).dimension;
    const Number c = Number::fromDecimal(m_t[Q::c].kept);
    const Number scale = std::max(exact::abs(kept), dimension == 0 ? Number(90)
                                                     : dimension == 1 ? c
                                                                      : c * c);
    const Number error = exact::abs(q.value - kept);
    const Number twelveDigits = Number(1) / exact::power(Number(10), 12);
    const Number agreed = scale / exact::power(Number(10), q.approximate ? 20 : 30);
    if (error > agreed || error > exact::abs(kept) * twelveDigits)
        throw std::logic_error("a step that disagrees with the solution: "
                               + std::string(pairs::factsOf(target).name));
}

Quantity &Writer::step(Q target, const QString &from, const QStringList &symbolic,
                       const Formula &formula)
{
    Quantity &q = m_s.step(from, symbol(target), symbolic, attempt(formula));
    check(q, target);
    m_known[std::size_t(target)] = &q;
    return q;
}

Quantity &Writer::helper(const QString &symbol, const QString &from, const QStringList &symbolic,
                         const Formula &formula)
{
    Quantity &q = m_s.step(from, symbol, symbolic, attempt(formula));
    m_helpers[symbol] = &q;
    return q;
}

void Writer::givens()
{
    const auto &g = m_solution.givens;
    const auto canonical = [&](Q q) { return m_solution.row.mirrored ? pairs::mirrorOf(q) : q; };
    QStringList shown;
    for (const pairs::Given &given : g) {
        const Q q = canonical(given.quantity);
        Quantity &known = m_s.given(symbol(q), given.value);
        m_known[std::size_t(q)] = &known;
        const QString value = n().shown(known);
        shown << QStringLiteral("%1 = %2").arg(symbol(q), pairs::isAngle(q) ? degrees(value) : value);
    }
    QStringList sought;
    for (int i = 0; i < pairs::quantityCount; ++i)
        if (!has(Q(i)))
            sought << symbol(Q(i));
    const QString last = sought.takeLast();
    QString text = QStringLiteral("Дадени са %1 и %2. Търсим %3 и %4.")
                       .arg(shown[0], shown[1], sought.join(QStringLiteral(", ")), last);
    if (legsInterchangeable(first(), second()))
        text += QStringLiteral(" Катетите могат да си разменят имената: a е по-дългият.");
    if (m_count > 1)
        text += QStringLiteral(" Има два такива триъгълника.");
    m_s.write(text);
}

void Writer::trigOf(Q angle)
{
    const QString name = symbol(angle);
    const QString shown = degrees(n().shown(*m_known[std::size_t(angle)]));
    // The other acute angle's sine and cosine, from the solver's legs.
    const bool isAlpha = angle == Q::alpha;
    const pairs::Value &c = m_t[Q::c];
    const auto exactRatio = [&](Q leg) -> std::optional<Number> {
        if (m_t[leg].exact && c.exact)
            return *m_t[leg].exact / *c.exact;
        return std::nullopt;
    };
    for (const bool sine : {true, false}) {
        // sin α = a/c, cos α = b/c; for β the other way round.
        const Q leg = (sine == isAlpha) ? Q::a : Q::b;
        const QString fn = sine ? QStringLiteral("sin") : QStringLiteral("cos");
        const auto e = exactRatio(leg);
        Quantity &q = e ? m_s.found(fn + u' ' + name, *e, false)
                        : m_s.found(fn + u' ' + name,
                                    Number::fromDecimal(m_t[leg].kept) / Number::fromDecimal(c.kept),
                                    true);
        m_helpers[fn + u' ' + name] = &q;
        m_s.say([&q, fn, shown](const StepNotation &notation) {
            return QStringLiteral("%1 %2 %3 %4")
                .arg(fn, shown, q.approximate ? QStringLiteral("≈") : QStringLiteral("="),
                     notation.shown(q));
        });
    }
}

// a + b and a − b from the hypotenuse and the product of the legs, then
// the legs.
void Writer::legsFromSumAndDifference(const QString &productFrom)
{
    helper(QStringLiteral("ab"), productFrom.section(QStringLiteral(": "), 0, 0),
           {productFrom.section(QStringLiteral(" = "), -1)}, [&] {
        return has(Q::h) ? T(Q::c) * T(Q::h) : Term(2) * T(Q::S);
    });
    helper(QStringLiteral("a + b"),
           QStringLiteral("От (a + b)² = a² + b² + 2ab = c² + 2ab"),
           {QStringLiteral("√(c² + 2ab)")},
           [&] { return root(squared(T(Q::c)) + Term(2) * H(QStringLiteral("ab"))); });
    helper(QStringLiteral("a − b"),
           QStringLiteral("От (a − b)² = a² + b² − 2ab = c² − 2ab"),
           {QStringLiteral("√(c² − 2ab)")},
           [&] { return root(squared(T(Q::c)) - Term(2) * H(QStringLiteral("ab"))); });
    step(Q::a, {}, {QStringLiteral("((a + b) + (a − b))/2")},
         [&] { return (H(QStringLiteral("a + b")) + H(QStringLiteral("a − b"))) / Term(2); });
    step(Q::b, {}, {QStringLiteral("((a + b) − (a − b))/2")},
         [&] { return (H(QStringLiteral("a + b")) - H(QStringLiteral("a − b"))) / Term(2); });
}

// The legs from the hypotenuse and their sum (helper «a + b»).
void Writer::legsFromHypotenuseAndSum()
{
    helper(QStringLiteral("ab"), QStringLiteral("От (a + b)² = c² + 2ab"),
           {QStringLiteral("((a + b)² − c²)/2")},
           [&] { return (squared(H(QStringLiteral("a + b"))) - squared(T(Q::c))) / Term(2); });
    helper(QStringLiteral("a − b"), QStringLiteral("От (a − b)² = c² − 2ab"),
           {QStringLiteral("√(c² − 2ab)")},
           [&] { return root(squared(T(Q::c)) - Term(2) * H(QStringLiteral("ab"))); });
    step(Q::a, {}, {QStringLiteral("((a + b) + (a − b))/2")},
         [&] { return (H(QStringLiteral("a + b")) + H(QStringLiteral("a − b"))) / Term(2); });
    step(Q::b, {}, {QStringLiteral("((a + b) − (a − b))/2")},
         [&] { return (H(QStringLiteral("a + b")) - H(QStringLiteral("a − b"))) / Term(2); });
}

// The legs from the hypotenuse and the angle given.
void Writer::legsFromAngle(Q angle)
{
    const bool alpha = angle == Q::alpha;
    const QString sinName = alpha ? QStringLiteral("sin α") : QStringLiteral("sin β");
    const QString cosName = alpha ? QStringLiteral("cos α") : QStringLiteral("cos β");
    // sin α = a/c and cos α = b/c; sin β = b/c and cos β = a/c.
    if (!has(Q::a))
        step(Q::a, alpha ? QStringLiteral("От sin α = a/c") : QStringLiteral("От cos β = a/c"),
             {alpha ? QStringLiteral("c·sin α") : QStringLiteral("c·cos β")},
             [&] { return T(Q::c) * H(alpha ? sinName : cosName); });
    if (!has(Q::b))
        step(Q::b, alpha ? QStringLiteral("От cos α = b/c") : QStringLiteral("От sin β = b/c"),
             {alpha ? QStringLiteral("c·cos α") : QStringLiteral("c·sin β")},
             [&] { return T(Q::c) * H(alpha ? cosName : sinName); });
}

// r from the segments of the hypotenuse: a = n + r, b = m + r and
// a² + b² = (m + n)² give r² + (m + n)·r − m·n = 0.
void Writer::inradiusFromSegments()
{
    m_s.say(QStringLiteral("От a = n + r, b = m + r и a² + b² = c² = (m + n)²: "
                           "r² + (m + n)·r − m·n = 0"));
    step(Q::r, {}, {QStringLiteral("(√((m + n)² + 4m·n) − (m + n))/2")}, [&] {
        const Term sum = T(Q::m) + T(Q::n);
        return (root(squared(sum) + Term(4) * T(Q::m) * T(Q::n)) - sum) / Term(2);
    });
}

void Writer::projectionEquation()
{
    const Q other = second();
    QString ratio;
    QString equation;
    switch (other) {
    case Q::m:
        ratio = QStringLiteral("m/a₁");
        equation = QStringLiteral("m = c·(1 + cos α − sin α)/2, тоест (1 + cos α − sin α)/(2sin²α)");
        break;
    case Q::n:
        ratio = QStringLiteral("n/a₁");
        equation = QStringLiteral("n = c·(1 + sin α − cos α)/2, тоест (1 + sin α − cos α)/(2sin²α)");
        break;
    case Q::S:
        ratio = QStringLiteral("S/a₁²");
        equation = QStringLiteral("S = c²·sin α·cos α/2, тоест cos α/(2sin³α)");
        break;
    case Q::P:
        ratio = QStringLiteral("P/a₁");
        equation = QStringLiteral("P = c·(1 + sin α + cos α), тоест (1 + sin α + cos α)/sin²α");
        break;
    case Q::r:
        ratio = QStringLiteral("r/a₁");
        equation = QStringLiteral("2r = c·(sin α + cos α − 1), тоест (sin α + cos α − 1)/(2sin²α)");
        break;
    default:
        throw std::logic_error("no projection equation");
    }
    const Number k = other == Q::S
        ? m_known[std::size_t(Q::S)]->value
            / (m_known[std::size_t(Q::a1)]->value * m_known[std::size_t(Q::a1)]->value)
        : m_known[std::size_t(other)]->value / m_known[std::size_t(Q::a1)]->value;
    Quantity &kq = m_s.found(ratio, k, false);
    m_s.say([&kq, ratio, equation](const StepNotation &notation) {
        return QStringLiteral("От a₁ = c·sin²α и %1 = %2 = %3")
            .arg(equation, ratio, notation.shown(kq));
    });
    const pairs::Value &alpha = m_t[Q::alpha];
    Quantity &a = alpha.exact ? m_s.found(symbol(Q::alpha), *alpha.exact, false)
                              : m_s.found(symbol(Q::alpha), Number::fromDecimal(alpha.kept), true);
    m_known[std::size_t(Q::alpha)] = &a;
    const int count = m_count;
    const int index = m_index;
    m_s.say([&a, count, index](const StepNotation &notation) {
        const QString found = count > 1
            ? QStringLiteral("Уравнението има два корена между 0° и 90°; тук е %1: ")
                  .arg(index == 0 ? QStringLiteral("първият") : QStringLiteral("вторият"))
            : QStringLiteral("Решаваме уравнението числено: ");
        return found + QStringLiteral("α %1 %2")
                           .arg(a.approximate ? QStringLiteral("≈") : QStringLiteral("="),
                                degrees(notation.shown(a)));
    });
    trigOf(Q::alpha);
    step(Q::c, QStringLiteral("От a₁ = c·sin²α"), {QStringLiteral("a₁ / sin²α")},
         [&] { return T(Q::a1) / squared(H(QStringLiteral("sin α"))); });
    step(Q::a, QStringLiteral("От sin α = a/c"), {QStringLiteral("c·sin α")},
         [&] { return T(Q::c) * H(QStringLiteral("sin α")); });
    step(Q::b, QStringLiteral("От cos α = b/c"), {QStringLiteral("c·cos α")},
         [&] { return T(Q::c) * H(QStringLiteral("cos α")); });
}

void Writer::opening()
{
    using S = QStringList;
    switch (key(first(), second())) {
    case key(Q::a, Q::b1):
        m_s.say(QStringLiteral("От a² = c·a₁ = c·(c − b₁): c² − b₁·c − a² = 0"));
        step(Q::c, {}, S{QStringLiteral("(b₁ + √(b₁² + 4a²))/2")}, [&] {
            return (T(Q::b1) + root(squared(T(Q::b1)) + Term(4) * squared(T(Q::a)))) / Term(2);
        });
        break;
    case key(Q::a, Q::m):
        m_s.say(QStringLiteral("От m = b − r и 2r = a + b − c: 2m = b + c − a"));
        helper(QStringLiteral("b + c"), {}, S{QStringLiteral("a + 2m")},
               [&] { return T(Q::a) + Term(2) * T(Q::m); });
        helper(QStringLiteral("c − b"), QStringLiteral("От (c − b)·(c + b) = c² − b² = a²"),
               S{QStringLiteral("a² / (b + c)")},
               [&] { return squared(T(Q::a)) / H(QStringLiteral("b + c")); });
        step(Q::b, {}, S{QStringLiteral("((b + c) − (c − b))/2")},
             [&] { return (H(QStringLiteral("b + c")) - H(QStringLiteral("c − b"))) / Term(2); });
        break;
    case key(Q::a, Q::n):
        m_s.say(QStringLiteral("От n = a − r и 2r = a + b − c: 2n = a + c − b"));
        helper(QStringLiteral("c − b"), {}, S{QStringLiteral("2n − a")},
               [&] { return Term(2) * T(Q::n) - T(Q::a); });
        helper(QStringLiteral("b + c"), QStringLiteral("От (c − b)·(c + b) = c² − b² = a²"),
               S{QStringLiteral("a² / (c − b)")},
               [&] { return squared(T(Q::a)) / H(QStringLiteral("c − b")); });
        step(Q::b, {}, S{QStringLiteral("((b + c) − (c − b))/2")},
             [&] { return (H(QStringLiteral("b + c")) - H(QStringLiteral("c − b"))) / Term(2); });
        break;
    case key(Q::a, Q::P):
        helper(QStringLiteral("b + c"), QStringLiteral("От P = a + b + c"), S{QStringLiteral("P − a")},
               [&] { return T(Q::P) - T(Q::a); });
        helper(QStringLiteral("c − b"), QStringLiteral("От (c − b)·(c + b) = c² − b² = a²"),
               S{QStringLiteral("a² / (b + c)")},
               [&] { return squared(T(Q::a)) / H(QStringLiteral("b + c")); });
        step(Q::b, {}, S{QStringLiteral("((b + c) − (c − b))/2")},
             [&] { return (H(QStringLiteral("b + c")) - H(QStringLiteral("c − b"))) / Term(2); });
        break;
    case key(Q::a, Q::r):
        m_s.say(QStringLiteral("От 2r = a + b − c: c = a + b − 2r"));
        m_s.say(QStringLiteral("Заместваме c в a² + b² = c²: a² + b² = (a + b − 2r)² = "
                               "a² + b² + 2ab − 4ar − 4br + 4r²"));
        m_s.say(QStringLiteral("Съкращаваме a² + b² и делим на 2: ab − 2br = 2ar − 2r², "
                               "тоест b·(a − 2r) = 2r·(a − r)"));
        step(Q::b, {}, S{QStringLiteral("2r·(a − r) / (a − 2r)")}, [&] {
            return Term(2) * T(Q::r) * (T(Q::a) - T(Q::r)) / (T(Q::a) - Term(2) * T(Q::r));
        });
        break;
    case key(Q::a, Q::alpha):
        trigOf(Q::alpha);
        step(Q::c, QStringLiteral("От sin α = a/c"), S{QStringLiteral("a / sin α")},
             [&] { return T(Q::a) / H(QStringLiteral("sin α")); });
        step(Q::b, QStringLiteral("От cos α = b/c"), S{QStringLiteral("c·cos α")},
             [&] { return T(Q::c) * H(QStringLiteral("cos α")); });
        break;
    case key(Q::a, Q::beta):
        trigOf(Q::beta);
        step(Q::c, QStringLiteral("От cos β = a/c"), S{QStringLiteral("a / cos β")},
             [&] { return T(Q::a) / H(QStringLiteral("cos β")); });
        step(Q::b, QStringLiteral("От sin β = b/c"), S{QStringLiteral("c·sin β")},
             [&] { return T(Q::c) * H(QStringLiteral("sin β")); });
        break;
    case key(Q::c, Q::h):
        legsFromSumAndDifference(QStringLiteral("От S = ab/2 = c·h/2: ab = c·h"));
        break;
    case key(Q::c, Q::S):
        legsFromSumAndDifference(QStringLiteral("От S = ab/2: ab = 2S"));
        break;
    case key(Q::c, Q::P):
        helper(QStringLiteral("a + b"), QStringLiteral("От P = a + b + c"), S{QStringLiteral("P − c")},
               [&] { return T(Q::P) - T(Q::c); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::c, Q::r):
        helper(QStringLiteral("a + b"), QStringLiteral("От 2r = a + b − c"),
               S{QStringLiteral("c + 2r")}, [&] { return T(Q::c) + Term(2) * T(Q::r); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::c, Q::alpha):
        trigOf(Q::alpha);
        step(Q::a, QStringLiteral("От sin α = a/c"), S{QStringLiteral("c·sin α")},
             [&] { return T(Q::c) * H(QStringLiteral("sin α")); });
        step(Q::b, QStringLiteral("От cos α = b/c"), S{QStringLiteral("c·cos α")},
             [&] { return T(Q::c) * H(QStringLiteral("cos α")); });
        break;
    case key(Q::h, Q::m):
        m_s.say(QStringLiteral("От S = m·n и S = c·h/2 = (m + n)·h/2: 2m·n = (m + n)·h, "
                               "тоест n·(2m − h) = m·h"));
        step(Q::n, {}, S{QStringLiteral("m·h / (2m − h)")},
             [&] { return T(Q::m) * T(Q::h) / (Term(2) * T(Q::m) - T(Q::h)); });
        break;
    case key(Q::h, Q::S):
        step(Q::c, QStringLiteral("От S = c·h/2"), S{QStringLiteral("2S/h")},
             [&] { return Term(2) * T(Q::S) / T(Q::h); });
        legsFromSumAndDifference(QStringLiteral("От S = ab/2: ab = 2S"));
        break;
    case key(Q::h, Q::P):
        m_s.say(QStringLiteral("От a + b = P − c и (a + b)² = c² + 2ab = c² + 2c·h: "
                               "(P − c)² = c² + 2c·h, тоест P² = 2c·(P + h)"));
        step(Q::c, {}, S{QStringLiteral("P² / (2·(P + h))")},
             [&] { return squared(T(Q::P)) / (Term(2) * (T(Q::P) + T(Q::h))); });
        legsFromSumAndDifference(QStringLiteral("От S = ab/2 = c·h/2: ab = c·h"));
        break;
    case key(Q::h, Q::r):
        m_s.say(QStringLiteral("От S = r·p, p = (a + b + c)/2 = c + r, и S = c·h/2: "
                               "c·h/2 = r·(c + r), тоест c·(h − 2r) = 2r²"));
        step(Q::c, {}, S{QStringLiteral("2r² / (h − 2r)")},
             [&] { return Term(2) * squared(T(Q::r)) / (T(Q::h) - Term(2) * T(Q::r)); });
        helper(QStringLiteral("a + b"), QStringLiteral("От 2r = a + b − c"),
               S{QStringLiteral("c + 2r")}, [&] { return T(Q::c) + Term(2) * T(Q::r); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::h, Q::R):
        step(Q::c, QStringLiteral("От 2R = c"), S{QStringLiteral("2R")},
             [&] { return Term(2) * T(Q::R); });
        legsFromSumAndDifference(QStringLiteral("От S = ab/2 = c·h/2: ab = c·h"));
        break;
    case key(Q::h, Q::alpha):
        trigOf(Q::alpha);
        step(Q::b, QStringLiteral("От h = b·sin α"), S{QStringLiteral("h / sin α")},
             [&] { return T(Q::h) / H(QStringLiteral("sin α")); });
        step(Q::a, QStringLiteral("От h = a·cos α"), S{QStringLiteral("h / cos α")},
             [&] { return T(Q::h) / H(QStringLiteral("cos α")); });
        break;
    case key(Q::a1, Q::m):
    case key(Q::a1, Q::n):
    case key(Q::a1, Q::S):
    case key(Q::a1, Q::P):
    case key(Q::a1, Q::r):
        projectionEquation();
        break;
    case key(Q::a1, Q::alpha):
        trigOf(Q::alpha);
        step(Q::c, QStringLiteral("От a₁ = a²/c и a = c·sin α, тоест a₁ = c·sin²α"),
             S{QStringLiteral("a₁ / sin²α")},
             [&] { return T(Q::a1) / squared(H(QStringLiteral("sin α"))); });
        legsFromAngle(Q::alpha);
        break;
    case key(Q::a1, Q::beta):
        trigOf(Q::beta);
        step(Q::c, QStringLiteral("От a₁ = a²/c и a = c·cos β, тоест a₁ = c·cos²β"),
             S{QStringLiteral("a₁ / cos²β")},
             [&] { return T(Q::a1) / squared(H(QStringLiteral("cos β"))); });
        legsFromAngle(Q::beta);
        break;
    case key(Q::m, Q::S):
        m_s.say(QStringLiteral("От S = ab/2 = (n + r)·(m + r)/2 = (m·n + r·(m + n + r))/2 и "
                               "S = r·p = r·(c + r) = r·(m + n + r): S = m·n"));
        step(Q::n, {}, S{QStringLiteral("S/m")}, [&] { return T(Q::S) / T(Q::m); });
        break;
    case key(Q::m, Q::P):
        m_s.say(QStringLiteral("От P = a + b + c = 2c + 2r: r = P/2 − m − n; заместваме в "
                               "r² + (m + n)·r − m·n = 0: P²/4 − P·(m + n)/2 − m·n = 0, "
                               "тоест n·(2P + 4m) = P² − 2P·m"));
        step(Q::n, {}, S{QStringLiteral("P·(P − 2m) / (2·(P + 2m))")}, [&] {
            return T(Q::P) * (T(Q::P) - Term(2) * T(Q::m)) / (Term(2) * (T(Q::P) + Term(2) * T(Q::m)));
        });
        break;
    case key(Q::m, Q::r):
        m_s.say(QStringLiteral("От a = n + r, b = m + r и a² + b² = (m + n)²: "
                               "r² + (m + n)·r − m·n = 0, тоест n·(m − r) = r·(m + r)"));
        step(Q::n, {}, S{QStringLiteral("r·(m + r) / (m − r)")},
             [&] { return T(Q::r) * (T(Q::m) + T(Q::r)) / (T(Q::m) - T(Q::r)); });
        break;
    case key(Q::m, Q::alpha):
        trigOf(Q::alpha);
        m_s.say(QStringLiteral("От m = b − r, b = c·cos α и 2r = a + b − c = "
                               "c·(sin α + cos α − 1): m = c·(1 + cos α − sin α)/2"));
        step(Q::c, {}, S{QStringLiteral("2m / (1 + cos α − sin α)")}, [&] {
            return Term(2) * T(Q::m)
                / (Term(1) + H(QStringLiteral("cos α")) - H(QStringLiteral("sin α")));
        });
        legsFromAngle(Q::alpha);
        break;
    case key(Q::m, Q::beta):
        trigOf(Q::beta);
        m_s.say(QStringLiteral("От m = b − r, b = c·sin β и 2r = a + b − c = "
                               "c·(sin β + cos β − 1): m = c·(1 + sin β − cos β)/2"));
        step(Q::c, {}, S{QStringLiteral("2m / (1 + sin β − cos β)")}, [&] {
            return Term(2) * T(Q::m)
                / (Term(1) + H(QStringLiteral("sin β")) - H(QStringLiteral("cos β")));
        });
        legsFromAngle(Q::beta);
        break;
    case key(Q::S, Q::P):
        m_s.say(QStringLiteral("От a + b = P − c и (a + b)² = c² + 2ab = c² + 4S: "
                               "(P − c)² = c² + 4S, тоест 2P·c = P² − 4S"));
        step(Q::c, {}, S{QStringLiteral("(P² − 4S) / (2P)")},
             [&] { return (squared(T(Q::P)) - Term(4) * T(Q::S)) / (Term(2) * T(Q::P)); });
        helper(QStringLiteral("a + b"), QStringLiteral("От P = a + b + c"), S{QStringLiteral("P − c")},
               [&] { return T(Q::P) - T(Q::c); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::S, Q::r):
        step(Q::c, QStringLiteral("От S = r·p = r·(c + r)"), S{QStringLiteral("S/r − r")},
             [&] { return T(Q::S) / T(Q::r) - T(Q::r); });
        helper(QStringLiteral("a + b"), QStringLiteral("От 2r = a + b − c"),
               S{QStringLiteral("c + 2r")}, [&] { return T(Q::c) + Term(2) * T(Q::r); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::S, Q::R):
        step(Q::c, QStringLiteral("От 2R = c"), S{QStringLiteral("2R")},
             [&] { return Term(2) * T(Q::R); });
        legsFromSumAndDifference(QStringLiteral("От S = ab/2: ab = 2S"));
        break;
    case key(Q::S, Q::alpha):
        trigOf(Q::alpha);
        step(Q::c, QStringLiteral("От S = ab/2 = c²·sin α·cos α/2"),
             S{QStringLiteral("√(2S / (sin α·cos α))")}, [&] {
                 return root(Term(2) * T(Q::S)
                             / (H(QStringLiteral("sin α")) * H(QStringLiteral("cos α"))));
             });
        legsFromAngle(Q::alpha);
        break;
    case key(Q::P, Q::r):
        step(Q::c, QStringLiteral("От P = a + b + c = (c + 2r) + c"), S{QStringLiteral("P/2 − r")},
             [&] { return T(Q::P) / Term(2) - T(Q::r); });
        helper(QStringLiteral("a + b"), QStringLiteral("От 2r = a + b − c"),
               S{QStringLiteral("c + 2r")}, [&] { return T(Q::c) + Term(2) * T(Q::r); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::P, Q::R):
        step(Q::c, QStringLiteral("От 2R = c"), S{QStringLiteral("2R")},
             [&] { return Term(2) * T(Q::R); });
        helper(QStringLiteral("a + b"), QStringLiteral("От P = a + b + c"), S{QStringLiteral("P − c")},
               [&] { return T(Q::P) - T(Q::c); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::P, Q::alpha):
        trigOf(Q::alpha);
        step(Q::c, QStringLiteral("От P = a + b + c = c·(1 + sin α + cos α)"),
             S{QStringLiteral("P / (1 + sin α + cos α)")}, [&] {
                 return T(Q::P)
                     / (Term(1) + H(QStringLiteral("sin α")) + H(QStringLiteral("cos α")));
             });
        legsFromAngle(Q::alpha);
        break;
    case key(Q::r, Q::R):
        step(Q::c, QStringLiteral("От 2R = c"), S{QStringLiteral("2R")},
             [&] { return Term(2) * T(Q::R); });
        helper(QStringLiteral("a + b"), QStringLiteral("От 2r = a + b − c"),
               S{QStringLiteral("c + 2r")}, [&] { return T(Q::c) + Term(2) * T(Q::r); });
        legsFromHypotenuseAndSum();
        break;
    case key(Q::r, Q::alpha):
        trigOf(Q::alpha);
        step(Q::c, QStringLiteral("От 2r = a + b − c = c·(sin α + cos α − 1)"),
             S{QStringLiteral("2r / (sin α + cos α − 1)")}, [&] {
                 return Term(2) * T(Q::r)
                     / (H(QStringLiteral("sin α")) + H(QStringLiteral("cos α")) - Term(1));
             });
        legsFromAngle(Q::alpha);
        break;
    case key(Q::R, Q::alpha):
        trigOf(Q::alpha);
        step(Q::c, QStringLiteral("От 2R = c"), S{QStringLiteral("2R")},
             [&] { return Term(2) * T(Q::R); });
        step(Q::a, QStringLiteral("От sin α = a/c"), S{QStringLiteral("c·sin α")},
             [&] { return T(Q::c) * H(QStringLiteral("sin α")); });
        step(Q::b, QStringLiteral("От cos α = b/c"), S{QStringLiteral("c·cos α")},
             [&] { return T(Q::c) * H(QStringLiteral("cos α")); });
        break;
    default:
        // The relations below start the rest: a and b, a and c, c and a₁, ...
        break;
    }
}

// The next value that the relations give from what is known: in the order
// a student finds them, each in the first way its inputs allow.
bool Writer::finishOne()
{
    struct Way
    {
        Q target;
        std::vector<Q> inputs;
        QString from;
        QString symbolic;
        std::function<Term(Writer &)> formula;
        // The values found on the way to the legs that it needs (a + b).
        std::vector<QString> helpers = {};
    };
    using W = Writer;
    static const std::vector<Way> ways = {
        {Q::c, {Q::R}, QStringLiteral("От 2R = c"), QStringLiteral("2R"),
         [](W &w) { return Term(2) * w.T(Q::R); }},
        {Q::c, {Q::m, Q::n}, QStringLiteral("От c = m + n"), QStringLiteral("m + n"),
         [](W &w) { return w.T(Q::m) + w.T(Q::n); }},
        {Q::c, {Q::a1, Q::b1}, QStringLiteral("От c = a₁ + b₁"), QStringLiteral("a₁ + b₁"),
         [](W &w) { return w.T(Q::a1) + w.T(Q::b1); }},
        {Q::c, {Q::a, Q::a1}, QStringLiteral("От a² = c·a₁"), QStringLiteral("a² / a₁"),
         [](W &w) { return squared(w.T(Q::a)) / w.T(Q::a1); }},
        {Q::c, {Q::b, Q::b1}, QStringLiteral("От b² = c·b₁"), QStringLiteral("b² / b₁"),
         [](W &w) { return squared(w.T(Q::b)) / w.T(Q::b1); }},
        {Q::c, {Q::S, Q::h}, QStringLiteral("От S = c·h/2"), QStringLiteral("2S/h"),
         [](W &w) { return Term(2) * w.T(Q::S) / w.T(Q::h); }},
        {Q::c, {Q::a, Q::b}, QStringLiteral("От a² + b² = c²"), QStringLiteral("√(a² + b²)"),
         [](W &w) { return root(squared(w.T(Q::a)) + squared(w.T(Q::b))); }},
        {Q::b1, {Q::h, Q::a1}, QStringLiteral("От h² = a₁·b₁"), QStringLiteral("h² / a₁"),
         [](W &w) { return squared(w.T(Q::h)) / w.T(Q::a1); }},
        {Q::a1, {Q::a, Q::h}, QStringLiteral("От a² = h² + a₁²"), QStringLiteral("√(a² − h²)"),
         [](W &w) { return root(squared(w.T(Q::a)) - squared(w.T(Q::h))); }},
        {Q::n, {Q::c, Q::m}, QStringLiteral("От c = m + n"), QStringLiteral("c − m"),
         [](W &w) { return w.T(Q::c) - w.T(Q::m); }},
        {Q::n, {Q::S, Q::m}, QStringLiteral("От S = m·n"), QStringLiteral("S/m"),
         [](W &w) { return w.T(Q::S) / w.T(Q::m); }},
        {Q::a, {Q::c, Q::a1}, QStringLiteral("От a² = c·a₁"), QStringLiteral("√(c·a₁)"),
         [](W &w) { return root(w.T(Q::c) * w.T(Q::a1)); }},
        {Q::a, {Q::n, Q::r}, QStringLiteral("От n = a − r"), QStringLiteral("n + r"),
         [](W &w) { return w.T(Q::n) + w.T(Q::r); }},
        {Q::a, {Q::S, Q::b}, QStringLiteral("От S = ab/2"), QStringLiteral("2S/b"),
         [](W &w) { return Term(2) * w.T(Q::S) / w.T(Q::b); }},
        {Q::a, {Q::c, Q::b}, QStringLiteral("От a² + b² = c²"), QStringLiteral("√(c² − b²)"),
         [](W &w) { return root(squared(w.T(Q::c)) - squared(w.T(Q::b))); }},
        {Q::b1, {Q::c, Q::a1}, QStringLiteral("От c = a₁ + b₁"), QStringLiteral("c − a₁"),
         [](W &w) { return w.T(Q::c) - w.T(Q::a1); }},
        {Q::b, {Q::m, Q::r}, QStringLiteral("От m = b − r"), QStringLiteral("m + r"),
         [](W &w) { return w.T(Q::m) + w.T(Q::r); }},
        {Q::b, {Q::S, Q::a}, QStringLiteral("От S = ab/2"), QStringLiteral("2S/a"),
         [](W &w) { return Term(2) * w.T(Q::S) / w.T(Q::a); }},
        {Q::b, {Q::c, Q::b1}, QStringLiteral("От b² = c·b₁"), QStringLiteral("√(c·b₁)"),
         [](W &w) { return root(w.T(Q::c) * w.T(Q::b1)); }},
        {Q::b, {Q::c, Q::a}, QStringLiteral("От a² + b² = c²"), QStringLiteral("√(c² − a²)"),
         [](W &w) { return root(squared(w.T(Q::c)) - squared(w.T(Q::a))); }},
        {Q::a1, {Q::a, Q::c}, QStringLiteral("От a² = c·a₁"), QStringLiteral("a² / c"),
         [](W &w) { return squared(w.T(Q::a)) / w.T(Q::c); }},
        {Q::a1, {Q::c, Q::b1}, QStringLiteral("От c = a₁ + b₁"), QStringLiteral("c − b₁"),
         [](W &w) { return w.T(Q::c) - w.T(Q::b1); }},
        {Q::b1, {Q::b, Q::c}, QStringLiteral("От b² = c·b₁"), QStringLiteral("b² / c"),
         [](W &w) { return squared(w.T(Q::b)) / w.T(Q::c); }},
        {Q::h, {Q::a1, Q::b1}, QStringLiteral("От h² = a₁·b₁"), QStringLiteral("√(a₁·b₁)"),
         [](W &w) { return root(w.T(Q::a1) * w.T(Q::b1)); }},
        {Q::h, {Q::a, Q::b, Q::c}, QStringLiteral("От c·h = a·b"), QStringLiteral("a·b / c"),
         [](W &w) { return w.T(Q::a) * w.T(Q::b) / w.T(Q::c); }},
        {Q::S, {Q::a, Q::b}, QStringLiteral("От S = ab/2"), QStringLiteral("a·b/2"),
         [](W &w) { return w.T(Q::a) * w.T(Q::b) / Term(2); }},
        {Q::P, {Q::a, Q::b, Q::c}, QStringLiteral("От P = a + b + c"), QStringLiteral("a + b + c"),
         [](W &w) { return w.T(Q::a) + w.T(Q::b) + w.T(Q::c); }},
        {Q::r, {Q::a, Q::b, Q::c}, QStringLiteral("От 2r = a + b − c"),
         QStringLiteral("(a + b − c)/2"),
         [](W &w) { return (w.T(Q::a) + w.T(Q::b) - w.T(Q::c)) / Term(2); }},
        {Q::m, {Q::b, Q::r}, QStringLiteral("От m = b − r"), QStringLiteral("b − r"),
         [](W &w) { return w.T(Q::b) - w.T(Q::r); }},
        {Q::n, {Q::a, Q::r}, QStringLiteral("От n = a − r"), QStringLiteral("a − r"),
         [](W &w) { return w.T(Q::a) - w.T(Q::r); }},
        {Q::R, {Q::c}, QStringLiteral("От 2R = c"), QStringLiteral("c/2"),
         [](W &w) { return w.T(Q::c) / Term(2); }},
        // Where the legs have two roots each, and so only their decimals
        // here (c and h: a = √35 + √15), the rest comes exactly from what
        // led to them: ab, a + b and a − b.
        {Q::S, {}, QStringLiteral("От S = ab/2"), QStringLiteral("ab/2"),
         [](W &w) { return w.H(QStringLiteral("ab")) / Term(2); }, {QStringLiteral("ab")}},
        {Q::h, {Q::c}, QStringLiteral("От c·h = ab"), QStringLiteral("ab / c"),
         [](W &w) { return w.H(QStringLiteral("ab")) / w.T(Q::c); }, {QStringLiteral("ab")}},
        {Q::P, {Q::c}, QStringLiteral("От P = a + b + c"), QStringLiteral("(a + b) + c"),
         [](W &w) { return w.H(QStringLiteral("a + b")) + w.T(Q::c); }, {QStringLiteral("a + b")}},
        {Q::r, {Q::c}, QStringLiteral("От 2r = a + b − c"), QStringLiteral("((a + b) − c)/2"),
         [](W &w) { return (w.H(QStringLiteral("a + b")) - w.T(Q::c)) / Term(2); },
         {QStringLiteral("a + b")}},
        {Q::m, {Q::c}, QStringLiteral("От m = b − r и 2r = a + b − c"),
         QStringLiteral("(c − (a − b))/2"),
         [](W &w) { return (w.T(Q::c) - w.H(QStringLiteral("a − b"))) / Term(2); },
         {QStringLiteral("a − b")}},
        {Q::n, {Q::c}, QStringLiteral("От n = a − r и 2r = a + b − c"),
         QStringLiteral("(c + (a − b))/2"),
         [](W &w) { return (w.T(Q::c) + w.H(QStringLiteral("a − b"))) / Term(2); },
         {QStringLiteral("a − b")}},
        // a − b, a root, is not negative: a₁ is the larger projection.
        {Q::a1, {Q::c, Q::h}, QStringLiteral("От a₁ + b₁ = c и a₁·b₁ = h²"),
         QStringLiteral("(c + √(c² − 4h²))/2"),
         [](W &w) {
             return (w.T(Q::c) + root(squared(w.T(Q::c)) - Term(4) * squared(w.T(Q::h))))
                 / Term(2);
         },
         {QStringLiteral("a − b")}},
        {Q::b1, {Q::c, Q::a1}, QStringLiteral("От c = a₁ + b₁"), QStringLiteral("c − a₁"),
         [](W &w) { return w.T(Q::c) - w.T(Q::a1); }},
        {Q::b, {Q::m, Q::r}, QStringLiteral("От m = b − r"), QStringLiteral("m + r"),
         [](W &w) { return w.T(Q::m) + w.T(Q::r); }},
        {Q::b, {Q::S, Q::a}, QStringLiteral("От S = ab/2"), QStringLiteral("2S/a"),
         [](W &w) { return Term(2) * w.T(Q::S) / w.T(Q::a); }},
        {Q::b, {Q::c, Q::b1}, QStringLiteral("От b² = c·b₁"), QStringLiteral("√(c·b₁)"),
         [](W &w) { return root(w.T(Q::c) * w.T(Q::b1)); }},
        {Q::b, {Q::c, Q::a}, QStringLiteral("От a² + b² = c²"), QStringLiteral("√(c² − a²)"),
         [](W &w) { return root(squared(w.T(Q::c)) - squared(w.T(Q::a))); }},
        {Q::a1, {Q::a, Q::c}, QStringLiteral("От a² = c·a₁"), QStringLiteral("a² / c"),
         [](W &w) { return squared(w.T(Q::a)) / w.T(Q::c); }},
        {Q::a1, {Q::c, Q::b1}, QStringLiteral("От c = a₁ + b₁"), QStringLiteral("c − b₁"),
         [](W &w) { return w.T(Q::c) - w.T(Q::b1); }},
        {Q::b1, {Q::b, Q::c}, QStringLiteral("От b² = c·b₁"), QStringLiteral("b² / c"),
         [](W &w) { return squared(w.T(Q::b)) / w.T(Q::c); }},
        {Q::h, {Q::a1, Q::b1}, QStringLiteral("От h² = a₁·b₁"), QStringLiteral("√(a₁·b₁)"),
         [](W &w) { return root(w.T(Q::a1) * w.T(Q::b1)); }},
        {Q::h, {Q::a, Q::b, Q::c}, QStringLiteral("От c·h = a·b"), QStringLiteral("a·b / c"),
         [](W &w) { return w.T(Q::a) * w.T(Q::b) / w.T(Q::c); }},
        {Q::S, {Q::a, Q::b}, QStringLiteral("От S = ab/2"), QStringLiteral("a·b/2"),
         [](W &w) { return w.T(Q::a) * w.T(Q::b) / Term(2); }},
        {Q::P, {Q::a, Q::b, Q::c}, QStringLiteral("От P = a + b + c"), QStringLiteral("a + b + c"),
         [](W &w) { return w.T(Q::a) + w.T(Q::b) + w.T(Q::c); }},
        {Q::r, {Q::a, Q::b, Q::c}, QStringLiteral("От 2r = a + b − c"),
         QStringLiteral("(a + b − c)/2"),
         [](W &w) { return (w.T(Q::a) + w.T(Q::b) - w.T(Q::c)) / Term(2); }},
        {Q::m, {Q::b, Q::r}, QStringLiteral("От m = b − r"), QStringLiteral("b − r"),
         [](W &w) { return w.T(Q::b) - w.T(Q::r); }},
        {Q::n, {Q::a, Q::r}, QStringLiteral("От n = a − r"), QStringLiteral("a − r"),
         [](W &w) { return w.T(Q::a) - w.T(Q::r); }},
        {Q::R, {Q::c}, QStringLiteral("От 2R = c"), QStringLiteral("c/2"),
         [](W &w) { return w.T(Q::c) / Term(2); }},
        // Where the legs have two roots each, and so only their decimals
        // here (c and h: a = √35 + √15), the rest comes exactly from what
        // led to them: ab, a + b and a − b.
        {Q::S, {}, QStringLiteral("От S = ab/2"), QStringLiteral("ab/2"),
         [](W &w) { return w.H(QStringLiteral("ab")) / Term(2); }, {QStringLiteral("ab")}},
        {Q::h, {Q::c}, QStringLiteral("От c·h = ab"), QStringLiteral("ab / c"),
         [](W &w) { return w.H(QStringLiteral("ab")) / w.T(Q::c); }, {QStringLiteral("ab")}},
        {Q::P, {Q::c}, QStringLiteral("От P = a + b + c"), QStringLiteral("(a + b) + c"),
         [](W &w) { return w.H(QStringLiteral("a + b")) + w.T(Q::c); }, {QStringLiteral("a + b")}},
        {Q::r, {Q::c}, QStringLiteral("От 2r = a + b − c"), QStringLiteral("((a + b) − c)/2"),
         [](W &w) { return (w.H(QStringLiteral("a + b")) - w.T(Q::c)) / Term(2); },
         {QStringLiteral("a + b")}},
        {Q::m, {Q::c}, QStringLiteral("От m = b − r и 2r = a + b − c"),
         QStringLiteral("(c − (a − b))/2"),
         [](W &w) { return (w.T(Q::c) - w.H(QStringLiteral("a − b"))) / Term(2); },
         {QStringLiteral("a − b")}},
        {Q::n, {Q::c}, QStringLiteral("От n = a − r и 2r = a + b − c"),
         QStringLiteral("(c + (a − b))/2"),
         [](W &w) { return (w.T(Q::c) + w.H(QStringLiteral("a − b"))) / Term(2); },
         {QStringLiteral("a − b")}},
        {Q::a1, {Q::c}, QStringLiteral("От a₁ + b₁ = c и a₁ − b₁ = (a² − b²)/c"),
         QStringLiteral("(c + (a + b)(a − b)/c)/2"),
         [](W &w) {
             return (w.T(Q::c)
                     + w.H(QStringLiteral("a + b")) * w.H(QStringLiteral("a − b")) / w.T(Q::c))
                 / Term(2);
         },
         {QStringLiteral("a + b"), QStringLiteral("a − b")}},
        {Q::b1, {Q::c, Q::a1}, QStringLiteral("От c = a₁ + b₁"), QStringLiteral("c − a₁"),
         [](W &w) { return w.T(Q::c) - w.T(Q::a1); }},
    };
    // The inradius from the segments alone, before the legs it gives.
    if (!has(Q::r) && !has(Q::a) && !has(Q::b) && has(Q::m) && has(Q::n)) {
        inradiusFromSegments();
        return true;
    }
    // A way from exact values first, wherever one is open; else the first.
    const auto known = [&](Q q, bool exactly) {
        return has(q) && (!exactly || !m_known[std::size_t(q)]->approximate);
    };
    const auto helped = [&](const QString &name, bool exactly) {
        const auto found = m_helpers.find(name);
        return found != m_helpers.end() && (!exactly || !found->second->approximate);
    };
    for (const bool exactly : {true, false}) {
        for (const Way &way : ways) {
            if (has(way.target)
                || !std::ranges::all_of(way.inputs, [&](Q q) { return known(q, exactly); })
                || !std::ranges::all_of(way.helpers,
                                        [&](const QString &h) { return helped(h, exactly); }))
                continue;
            step(way.target, way.from, {way.symbolic}, [&] { return way.formula(*this); });
            return true;
        }
    }
    return false;
}

// A value as a factor or divisor of a formula, in brackets where it is a
// sum, a fraction or a product itself.
QString operand(const QString &text)
{
    using B = Term::Binding;
    const B binding = Term::bindingOf(text);
    return binding == B::Atom ? text : QStringLiteral("(%1)").arg(text);
}

// An angle's decimal in the steps: to stepDigits significant digits, or to
// the last decimal place given.
exact::Decimal angleDecimal(const pairs::Value &v, std::optional<long long> lastExponent = {})
{
    if (!lastExponent)
        return v.rounded(stepDigits);
    const exact::Decimal d = v.rounded(stepDigits);
    return v.rounded(int(std::max<long long>(1, d.exponent - *lastExponent + 1)));
}

void Writer::angles()
{
    const pairs::Value alpha = m_t[Q::alpha];
    if (!has(Q::alpha) && !has(Q::beta)) {
        const Quantity *a = m_known[std::size_t(Q::a)];
        const Quantity *c = m_known[std::size_t(Q::c)];
        m_s.say([a, c, alpha](const StepNotation &notation) {
            const QString angle = alpha.exact
                ? QStringLiteral("= ") + degrees(schoolText(*alpha.exact, notation.locale()))
                : QStringLiteral("≈ ") + degrees(notation.text(angleDecimal(alpha)));
            return QStringLiteral("От sin α = a/c = %1 / %2: α %3")
                .arg(operand(notation.shown(*a)), operand(notation.shown(*c)), angle);
        });
    }
    // The other angle from the one given or found, to the same last digit.
    const Q known = has(Q::beta) ? Q::beta : Q::alpha;
    const Q other = known == Q::alpha ? Q::beta : Q::alpha;
    const pairs::Value from = m_t[known];
    const pairs::Value to = m_t[other];
    const bool given = has(known);
    m_s.say([known, other, from, to, given](const StepNotation &notation) {
        const QLocale &locale = notation.locale();
        if (to.exact && from.exact)
            return QStringLiteral("От α + β = 90°: %1 = 90° − %2 = 90° − %3 = %4")
                .arg(symbol(other), symbol(known), degrees(schoolText(*from.exact, locale)),
                     degrees(schoolText(*to.exact, locale)));
        const exact::Decimal result = angleDecimal(to);
        const QString first = from.exact && given ? schoolText(*from.exact, locale)
                                                  : notation.text(angleDecimal(from, result.lastExponent()));
        return QStringLiteral("От α + β = 90°: %1 = 90° − %2 ≈ 90° − %3 ≈ %4")
            .arg(symbol(other), symbol(known), degrees(first), degrees(notation.text(result)));
    });
}

void Writer::finish()
{
    while (finishOne()) {
    }
    for (Q q : {Q::a, Q::b, Q::c, Q::h, Q::a1, Q::b1, Q::m, Q::n, Q::S, Q::P, Q::r, Q::R})
        if (!has(q))
            throw std::logic_error("the steps stop short of a value");
    angles();
}

QStringList Writer::lines()
{
    givens();
    opening();
    finish();
    return m_s.lines();
}

} // namespace

TypedValue readTyped(QStringView text)
{
    QString compact = text.toString();
    compact.remove(QRegularExpression(QStringLiteral("\\s")));
    const auto decimal = exact::readDecimal(compact.toStdString());
    if (!decimal)
        return {Typed::NotANumber, {}};
    if (decimal->negative || decimal->digits == "0")
        return {Typed::NotPositive, {}};
    // Beyond the doubles' range (about 10^±308) before it is made a number
    // at all: «1e999999999» would be a billion digits.
    if (decimal->exponent > 309 || decimal->exponent < -309)
        return {Typed::OutOfRange, {}};
    return {Typed::Number, Number::fromDecimal(*decimal)};
}

QString symbol(Q q)
{
    return utf8(pairs::factsOf(q).symbol);
}

QString meaning(Q q)
{
    return utf8(pairs::factsOf(q).meaning);
}

QString exactText(const pairs::Value &value, const QLocale &locale)
{
    if (value.exact)
        return schoolText(*value.exact, locale);
    if (value.rootSum)
        return QString::fromStdString(exact::schoolText(*value.rootSum, pointOf(locale)));
    return {};
}

QString decimalText(const pairs::Value &value, const QLocale &locale)
{
    return schoolText(trimmed(value.rounded(13)), locale);
}

QString valueLine(Q q, const pairs::Value &value, const QLocale &locale)
{
    const bool angle = pairs::isAngle(q);
    const auto unit = [angle](const QString &text) { return angle ? degrees(text) : text; };
    const QString exactForm = exactText(value, locale);
    const QString shortDecimal = unit(schoolText(trimmed(value.rounded(4)), locale));
    QString line = symbol(q);
    if (!exactForm.isEmpty())
        line += QStringLiteral(" = ") + unit(exactForm);
    // A terminating decimal of at most four digits is its own decimal.
    const bool exactDecimal = value.exact && value.exact->terminatingDecimal()
        && trimmed(value.rounded(4)) == *value.exact->terminatingDecimal();
    if (!exactDecimal)
        line += QStringLiteral(" ≈ ") + shortDecimal;
    return line;
}

QStringList steps(const pairs::Solution &solution, std::size_t triangle, const QLocale &locale)
{
    pairs::Triangle t = solution.triangles.at(triangle);
    if (solution.row.mirrored)
        for (Q q : {Q::a, Q::a1, Q::m, Q::alpha})
            std::swap(t[q], t[pairs::mirrorOf(q)]);
    QStringList lines;
    try {
        lines = Writer(solution, t, int(triangle), locale).lines();
    } catch (const std::exception &e) {
        if (qEnvironmentVariableIsSet("KOVRENDA_DEBUG_STEPS"))
            qWarning("%s", e.what());
        // Not reached for a triangle the solver returns; should it be, the
        // window still shows the values rather than end the program.
        return {QStringLiteral("Стъпките на това решение не могат да бъдат показани.")};
    }
    if (solution.row.mirrored)
        for (QString &line : lines)
            line = QString::fromStdString(pairs::mirrored(line.toStdString()));
    return lines;
}

namespace {

QString relationWords(pairs::Relation relation)
{
    switch (relation) {
    case pairs::Relation::Less:
        return QStringLiteral("по-малко от");
    case pairs::Relation::AtMost:
        return QStringLiteral("най-много");
    case pairs::Relation::Greater:
        return QStringLiteral("повече от");
    case pairs::Relation::AtLeast:
        return QStringLiteral("поне");
    }
    return {};
}

const Number &valueOf(Q q, const pairs::Given &first, const pairs::Given &second)
{
    return first.quantity == q ? first.value : second.value;
}

// The bound's limit for the value typed, with four significant digits,
// moved by one in its last digit while typing it as shown would still break
// the bound; empty where none of a few such numbers meets it.
QString quotedLimit(const pairs::Bound &bound, const pairs::Given &first,
                    const pairs::Given &second, const QLocale &locale)
{
    const Number &by = valueOf(bound.by, first, second);
    const Number factor = bound.cubic
        ? Number(exact::Rational(9026796533, 10000000000))
        : Number(exact::Rational(bound.factor.pNumerator, bound.factor.pDenominator),
                 exact::Rational(bound.factor.qNumerator, bound.factor.qDenominator),
                 bound.factor.qNumerator == 0 ? exact::Integer(0) : exact::Integer(2));
    const Number limit = factor * exact::power(by, bound.power);
    const bool down = bound.relation == pairs::Relation::Less
        || bound.relation == pairs::Relation::AtMost;
    exact::Decimal quoted = limit.rounded(4);
    for (int step = 0; step < 4; ++step) {
        pairs::Given limited{bound.limited, Number::fromDecimal(quoted)};
        const pairs::Given &other = first.quantity == bound.limited ? second : first;
        if (limited.value.sign() > 0
            && pairs::meets(bound, first.quantity == bound.limited ? limited : other,
                            first.quantity == bound.limited ? other : limited))
            return schoolText(trimmed(quoted), locale);
        // One unit of the last digit further.
        const Number unit = exact::power(Number(10), quoted.lastExponent());
        quoted = (Number::fromDecimal(quoted) + (down ? -unit : unit)).rounded(4);
    }
    return {};
}

QString givenText(const pairs::Given &g, const QLocale &locale)
{
    const QString value = schoolText(g.value, locale);
    return pairs::isAngle(g.quantity) ? degrees(value) : value;
}

} // namespace

FailureReport failureReport(const pairs::NoTriangle &why, const pairs::Given &first,
                            const pairs::Given &second, const QLocale &locale)
{
    const QString noTriangle = QStringLiteral("Няма правоъгълен триъгълник с тези стойности.");
    switch (why.failure) {
    case pairs::Failure::SameQuantity:
        return {QStringLiteral("Една и съща величина"),
                QStringLiteral("И двете дадени са %1. Изберете две различни величини.")
                    .arg(symbol(first.quantity))};
    case pairs::Failure::Twice:
        if (pairs::isAngle(first.quantity))
            return {QStringLiteral("Не стига за триъгълник"),
                    QStringLiteral("Ъглите α и β казват едно и също: α + β = 90°. Освен това "
                                   "ъглите не определят колко голям е триъгълникът. Дайте и една "
                                   "дължина или лицето.")};
        return {QStringLiteral("Не стига за триъгълник"),
                QStringLiteral("Хипотенузата c и радиусът R на описаната окръжност казват едно и "
                               "също: c = 2R, защото центърът на описаната окръжност е средата на "
                               "хипотенузата. Дайте още една величина.")};
    case pairs::Failure::NotPositive: {
        const pairs::Given &bad = why.given == 1 ? second : first;
        return {QStringLiteral("Няма такъв триъгълник"),
                QStringLiteral("%1\n\nДължините, лицето и ъглите са положителни числа, а тук "
                               "%2 = %3.")
                    .arg(noTriangle, symbol(bad.quantity), givenText(bad, locale))};
    }
    case pairs::Failure::OutOfRange:
        return {QStringLiteral("Извън обхвата на програмата"),
                QStringLiteral("Програмата не може да пресметне триъгълник с тези стойности.\n\n"
                               "Числата са твърде големи или твърде малки, за да се пресметне "
                               "с тях.")};
    case pairs::Failure::Condition:
        break;
    }
    const bool mirrored = pairs::rowOf(first.quantity, second.quantity).mirrored;
    if (!why.bound)
        return {QStringLiteral("Няма такъв триъгълник"), noTriangle};
    const pairs::Bound &b = *why.bound;
    const std::string rule(b.rule);
    const QString ruleText = QString::fromStdString(mirrored ? pairs::mirrored(rule) : rule);
    const pairs::Given &limited = first.quantity == b.limited ? first : second;
    const pairs::Given &by = first.quantity == b.limited ? second : first;
    if (b.power == 0)
        return {QStringLiteral("Няма такъв триъгълник"),
                QStringLiteral("%1\n\nОстрите ъгли на правоъгълния триъгълник са по-малки от "
                               "90°, а тук %2 = %3.\n\nУсловие: %4.")
                    .arg(noTriangle, symbol(limited.quantity), givenText(limited, locale),
                         ruleText)};
    const QString reason = QStringLiteral("При %1 = %2 стойността %3 = %4 не може да бъде.")
                               .arg(symbol(by.quantity), givenText(by, locale),
                                    symbol(limited.quantity), givenText(limited, locale));
    const QString quoted = quotedLimit(b, first, second, locale);
    const QString condition = quoted.isEmpty()
        ? QStringLiteral("Условие: %1.").arg(ruleText)
        : QStringLiteral("Условие: %1, тоест %2 трябва да е %3 %4 при %5 = %6.")
              .arg(ruleText, symbol(limited.quantity), relationWords(b.relation), quoted,
                   symbol(by.quantity), givenText(by, locale));
    return {QStringLiteral("Няма такъв триъгълник"),
            QStringLiteral("%1\n\n%2\n\n%3").arg(noTriangle, reason, condition)};
}

} // namespace pairtext
