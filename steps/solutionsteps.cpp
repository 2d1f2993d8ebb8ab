#include "solutionsteps.h"

#include "numbertext.h"
#include "schooltext.h"
#include "variants.h"
#include "workedsolution.h"

#include <stdexcept>

using exact::Number;
using solver::Column;
using solver::Triangle;
using solver::Variant;

namespace {

QString symbolOf(Column column)
{
    return QString::fromLatin1(solver::symbol(column));
}

// A value as its box shows it, read as the decimal it is: «0,1» is 1/10, not
// the double nearest to it.
Number boxValue(double value)
{
    const auto decimal =
        exact::readDecimal(numbertext::toText(value, QLocale::c()).toStdString());
    if (!decimal)
        throw std::domain_error("a box that shows no number");
    return Number::fromDecimal(*decimal);
}

QString withoutBlanks(QString text)
{
    return text.remove(u' ');
}

const QString fromHalfHypotenuse = QStringLiteral("От 2R = c");
const QString fromInradius = QStringLiteral("От 2r = a + b − c");
const QString fromPythagoras = QStringLiteral("От a² + b² = c²");

// "Дадени са a = 3 и R = 2,5. Търсим b и r.", and for the radii which of the
// legs is b.
void givens(WorkedSolution &s, Variant variant, const Quantity &first, const Quantity &second)
{
    const auto &computed = solver::factsOf(variant).computed;
    QString sought = QStringLiteral("%1 и %2").arg(symbolOf(computed[0]),
                                                  symbolOf(computed[1]));
    if (variant == Variant::Radii)
        sought += QStringLiteral(" (b е по-късият катет)");
    s.write(QStringLiteral("Дадени са %1 = %2 и %3 = %4. Търсим %5.")
                .arg(first.symbol, s.notation().shown(first), second.symbol,
                     s.notation().shown(second), sought));
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

const QString binaryRounding =
    QStringLiteral("Програмата ги пресмята с дадените, закръглени до двоични числа с около 16 "
                   "значещи цифри, а при тези дадени и толкова малка разлика променя отговора.");

// "Отговор: r = (2 − √2)/2 ≈ 0,292893218813452; R = √2/2 ≈ 0,707106781186548.":
// each computed value's exact form and then the value as its box shows it.
// Where the box differs from the exact answer in the digits the solver
// promises, the answer gives the exact value's own decimal and a line says
// what the box shows and why. first and second are the computed values in
// the order of the variant table.
void answer(WorkedSolution &s, const Triangle &t, Variant variant, const Quantity &first,
            const Quantity &second)
{
    const StepNotation &n = s.notation();
    const auto &[firstColumn, secondColumn] = solver::factsOf(variant).computed;
    QStringList parts;
    QStringList boxes;
    for (const auto &[q, column] : {std::pair{&first, firstColumn}, {&second, secondColumn}}) {
        const double box = solver::value(t, column);
        const QString boxText = schoolText(box, numbertext::boxDigits, n.locale());
        QString decimal = boxText;
        if (!agrees(q->value, boxValue(box))) {
            decimal = n.text(n.decimal(q->value, numbertext::boxDigits));
            boxes << QStringLiteral("%1 = %2").arg(q->symbol, boxText);
        }
        QString part = q->symbol;
        if (q->exactForm)
            part += QStringLiteral(" = ") + *q->exactForm;
        if (!q->exactForm || withoutBlanks(decimal) != withoutBlanks(*q->exactForm))
            part += QStringLiteral(" ≈ ") + decimal;
        parts << part;
    }
    s.write(QStringLiteral("Отговор: %1.").arg(parts.join(QStringLiteral("; "))));
    if (!boxes.isEmpty())
        s.write(QStringLiteral("В полетата: %1. %2").arg(boxes.join(QStringLiteral("; ")),
                                                        binaryRounding));
}

// "Отговор: b ≈ 4,24735211631906; r ≈ 1,02367605815953.": the computed
// values as their boxes show them, where there is nothing exact to give.
QString boxesAnswer(Variant variant, const Triangle &t, const QLocale &locale)
{
    QStringList parts;
    for (const Column column : solver::factsOf(variant).computed)
        parts << QStringLiteral("%1 ≈ %2").arg(symbolOf(column),
                                               schoolText(solver::value(t, column),
                                                          numbertext::boxDigits, locale));
    return QStringLiteral("Отговор: %1.").arg(parts.join(QStringLiteral("; ")));
}

// With the givens exactly as written there is no triangle, although their
// doubles gave one: `what`, which must be positive, is not. The boxes'
// answer is all there is to show.
void noExactTriangle(WorkedSolution &s, const Triangle &t, Variant variant, const QString &what,
                     const Number &value)
{
    s.say([what, value](const StepNotation &n) {
        const auto exactForm = n.shortForm(value);
        const QString shown = exactForm
            ? QStringLiteral("= ") + *exactForm
            : QStringLiteral("≈ ") + n.text(n.decimal(value, stepDigits));
        return QStringLiteral("%1 %2%3: с дадените точно както са записани няма такъв "
                              "триъгълник. Полетата показват триъгълника, който програмата "
                              "намира с дадените, закръглени до двоични числа; тук това "
                              "закръгляне решава.")
            .arg(what, shown, value.sign() < 0 ? QStringLiteral(" < 0") : QString());
    });
    s.write(boxesAnswer(variant, t, s.notation().locale()));
}

void legs(WorkedSolution &s, Quantity &a, Quantity &b, const Triangle &t)
{
    Quantity &c = s.step(fromPythagoras, QStringLiteral("c"), {QStringLiteral("√(a² + b²)")},
                         root(squared(Term(a)) + squared(Term(b))));
    Quantity &R = s.step(fromHalfHypotenuse, QStringLiteral("R"), {QStringLiteral("c / 2")},
                         Term(c) / 2);
    Quantity &r = s.step(fromInradius, QStringLiteral("r"), {QStringLiteral("(a + b − c) / 2")},
                         (Term(a) + b - c) / 2);
    answer(s, t, Variant::Legs, r, R);
}

void legAndInradius(WorkedSolution &s, Quantity &a, Quantity &r, const Triangle &t)
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
    answer(s, t, Variant::LegAndInradius, b, R);
}

void legAndCircumradius(WorkedSolution &s, Quantity &a, Quantity &R, const Triangle &t)
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
    answer(s, t, Variant::LegAndCircumradius, b, r);
}

// a + b and ab from the relations; a and b are then the roots of
// x² − (a + b)·x + ab = 0, a the larger, and b = ab / a, Vieta's way, which
// a student redoes from a's decimal without the loss of (a + b − √D) / 2.
void radii(WorkedSolution &s, Quantity &r, Quantity &R, const Triangle &t)
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
    s.say([&sum, &product](const StepNotation &n) {
        const auto coefficient = [&](const Quantity &q) {
            const QString text = n.shown(q);
            return Term::bindingOf(text) == Term::Binding::Atom ? text
                                                                : QStringLiteral("(%1)").arg(text);
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
    answer(s, t, Variant::Radii, a, b);
}

QStringList writeSolution(Variant variant, const Triangle &triangle, const QLocale &locale)
{
    WorkedSolution s(locale);
    const auto &given = solver::factsOf(variant).given;
    Quantity &first = s.given(symbolOf(given[0]), boxValue(solver::value(triangle, given[0])));
    Quantity &second = s.given(symbolOf(given[1]), boxValue(solver::value(triangle, given[1])));
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
    return s.lines();
}

} // namespace

QStringList solutionSteps(Variant variant, const Triangle &triangle, const QLocale &locale)
{
    try {
        return writeSolution(variant, triangle, locale);
    } catch (const std::domain_error &) {
        // Not reached for a triangle the solver returns; should it be, the
        // window still shows the answer rather than end the program.
        return {boxesAnswer(variant, triangle, locale)};
    }
}
