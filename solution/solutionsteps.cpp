#include "solutionsteps.h"

#include "numbertext.h"
#include "variants.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

using solver::Column;
using solver::Triangle;
using solver::Variant;

namespace {

// One side of an equation in a step, and the worked-out numbers it shows.
// A side whose number left the range of double (a leg of 1e200 squared) is
// left out of the line rather than shown as "inf".
struct Side
{
    QString text;
    bool shown = true;
};

Side side(const QString &text, std::initializer_list<double> numbers = {})
{
    bool finite = true;
    for (double number : numbers)
        finite = finite && std::isfinite(number);
    return {text, finite};
}

class Writer
{
public:
    explicit Writer(const QLocale &locale) : m_locale(locale) {}

    QString n(double value) const { return numbertext::toText(value, m_locale); }

    // A number in exponent form is bracketed where a sign would bind to
    // its exponent alone: (1e-05)², √(1e-10).
    QString squared(double value) const
    {
        const QString text = n(value);
        return text.contains(u'e') ? QStringLiteral("(%1)²").arg(text) : text + u'²';
    }

    QString root(double value) const
    {
        const QString text = n(value);
        return text.contains(u'e') ? QStringLiteral("√(%1)").arg(text) : u'√' + text;
    }

    // "Дадени са a = 3 и R = 2,5. Търсим b и r.", and for the radii which
    // of the legs is b.
    void givens(Variant variant, const Triangle &t)
    {
        const auto &columns = solver::columnsOf(variant);
        QString sought = QStringLiteral("%1 и %2").arg(name(columns.computed[0]),
                                                      name(columns.computed[1]));
        if (variant == Variant::Radii)
            sought += QStringLiteral(" (b е по-късият катет)");
        m_lines << QStringLiteral("Дадени са %1 и %2. Търсим %3.")
                       .arg(equation(t, columns.given[0]), equation(t, columns.given[1]), sought);
    }

    // A step: where it comes from (may be empty), then the sides of one
    // chain of equalities, the quantity first and its value last.
    void step(const QString &from, std::initializer_list<Side> sides)
    {
        QStringList shown;
        for (const Side &s : sides)
            if (s.shown)
                shown << s.text;
        const QString chain = shown.join(u" = ");
        say(from.isEmpty() ? chain : QStringLiteral("%1: %2").arg(from, chain));
    }

    void say(const QString &text)
    {
        m_lines << QStringLiteral("%1) %2").arg(++m_steps).arg(text);
    }

    // "Отговор: b = 4; r = 1.": the computed values as the boxes write them.
    void answer(Variant variant, const Triangle &t)
    {
        const auto &computed = solver::columnsOf(variant).computed;
        m_lines << QStringLiteral("Отговор: %1; %2.")
                       .arg(equation(t, computed[0]), equation(t, computed[1]));
    }

    QStringList lines() const { return m_lines; }

private:
    static QString name(Column column)
    {
        return QString::fromLatin1(solver::symbol(column));
    }

    QString equation(const Triangle &t, Column column) const
    {
        return QStringLiteral("%1 = %2").arg(name(column), n(solver::value(t, column)));
    }

    const QLocale &m_locale;
    QStringList m_lines;
    int m_steps = 0;
};

const QString fromHalfHypotenuse = QStringLiteral("От 2R = c");
const QString fromInradius = QStringLiteral("От 2r = a + b − c");
const QString fromPythagoras = QStringLiteral("От a² + b² = c²");

// The steps that more than one variant takes. The hypotenuse is always twice
// the solver's R, so that R = c / 2 reads back exactly.

void hypotenuseFromCircumradius(Writer &w, const Triangle &t)
{
    const double c = 2 * t.R;
    w.step(fromHalfHypotenuse,
           {side(QStringLiteral("c")), side(QStringLiteral("2R")),
            side(QStringLiteral("2·%1").arg(w.n(t.R))), side(w.n(c), {c})});
}

void circumradiusFromHypotenuse(Writer &w, const Triangle &t)
{
    const double c = 2 * t.R;
    w.step(fromHalfHypotenuse,
           {side(QStringLiteral("R")), side(QStringLiteral("c / 2")),
            side(QStringLiteral("%1 / 2").arg(w.n(c)), {c}), side(w.n(t.R))});
}

// 2r is the solver's r doubled, not a + b − c worked out: on a thin triangle
// that difference of nearly equal lengths would lose its digits.
void inradiusFromSides(Writer &w, const Triangle &t)
{
    const double c = 2 * t.R;
    w.step(fromInradius,
           {side(QStringLiteral("r")), side(QStringLiteral("(a + b − c) / 2")),
            side(QStringLiteral("(%1 + %2 − %3) / 2").arg(w.n(t.a), w.n(t.b), w.n(c)), {c}),
            side(QStringLiteral("%1 / 2").arg(w.n(2 * t.r))), side(w.n(t.r))});
}

void legs(Writer &w, const Triangle &t)
{
    const double aa = t.a * t.a;
    const double bb = t.b * t.b;
    const double c = 2 * t.R;
    w.step(fromPythagoras,
           {side(QStringLiteral("c")), side(QStringLiteral("√(a² + b²)")),
            side(QStringLiteral("√(%1 + %2)").arg(w.squared(t.a), w.squared(t.b))),
            side(QStringLiteral("√(%1 + %2)").arg(w.n(aa), w.n(bb)), {aa, bb}),
            side(w.root(aa + bb), {aa + bb}), side(w.n(c), {c})});
    circumradiusFromHypotenuse(w, t);
    inradiusFromSides(w, t);
}

void legAndInradius(Writer &w, const Triangle &t)
{
    // b(a − 2r) = 2r(a − r), from eliminating c: no root, and both brackets
    // are positive for every triangle the solver returns.
    const double numerator = 2 * t.r * (t.a - t.r);
    const double denominator = t.a - 2 * t.r;
    const double c = 2 * t.R;
    const QString a = w.n(t.a);
    const QString r = w.n(t.r);
    w.step(fromInradius, {side(QStringLiteral("c")), side(QStringLiteral("a + b − 2r"))});
    w.step(QStringLiteral("Заместваме c в a² + b² = c²"),
           {side(QStringLiteral("a² + b²")), side(QStringLiteral("(a + b − 2r)²")),
            side(QStringLiteral("a² + b² + 2ab − 4ar − 4br + 4r²"))});
    w.say(QStringLiteral("Съкращаваме a² + b² и делим на 2: ab − 2br = 2ar − 2r², "
                         "тоест b·(a − 2r) = 2r·(a − r)"));
    w.step({}, {side(QStringLiteral("b")), side(QStringLiteral("2r·(a − r) / (a − 2r)")),
                side(QStringLiteral("2·%2·(%1 − %2) / (%1 − 2·%2)").arg(a, r)),
                side(QStringLiteral("%1 / %2").arg(w.n(numerator), w.n(denominator)), {numerator}),
                side(w.n(t.b))});
    w.step({}, {side(QStringLiteral("c")), side(QStringLiteral("a + b − 2r")),
                side(QStringLiteral("%1 + %2 − 2·%3").arg(a, w.n(t.b), r)), side(w.n(c), {c})});
    circumradiusFromHypotenuse(w, t);
}

void legAndCircumradius(Writer &w, const Triangle &t)
{
    // c² − a² as (c − a)(c + a): when a is nearly c, c − a is exact and
    // c² − a² would lose its digits.
    const double c = 2 * t.R;
    const double difference = c - t.a;
    const double sum = c + t.a;
    const double product = difference * sum;
    const QString a = w.n(t.a);
    hypotenuseFromCircumradius(w, t);
    w.step(fromPythagoras,
           {side(QStringLiteral("b")), side(QStringLiteral("√(c² − a²)")),
            side(QStringLiteral("√((c − a)·(c + a))")),
            side(QStringLiteral("√((%1 − %2)·(%1 + %2))").arg(w.n(c), a), {c}),
            side(QStringLiteral("√(%1·%2)").arg(w.n(difference), w.n(sum)), {difference, sum}),
            side(w.root(product), {product}), side(w.n(t.b))});
    inradiusFromSides(w, t);
}

void radii(Writer &w, const Triangle &t)
{
    // a + b and ab from the relations, then a as the larger root of
    // x² − (a + b)x + ab = 0 and b = ab / a: the smaller root taken as
    // (a + b − √D) / 2 would lose its digits on a thin triangle. Only next to
    // the isosceles triangle, where the two roots meet, does D itself lose
    // digits, as every way of solving does there.
    const double c = 2 * t.R;
    const double sum = c + 2 * t.r;
    const double twoProduct = 2 * t.r * (sum + c);
    const double product = twoProduct / 2;
    const double sumSquared = sum * sum;
    const double fourProducts = 4 * product;
    // Rounding can leave the discriminant of an isosceles triangle a hair
    // below zero, where it is zero.
    const double D = std::max(0.0, sumSquared - fourProducts);
    const double rootOfD = std::sqrt(D);
    hypotenuseFromCircumradius(w, t);
    w.step(fromInradius,
           {side(QStringLiteral("a + b")), side(QStringLiteral("c + 2r")),
            side(QStringLiteral("%1 + 2·%2").arg(w.n(c), w.n(t.r)), {c}), side(w.n(sum), {sum})});
    w.step(fromPythagoras,
           {side(QStringLiteral("2ab")), side(QStringLiteral("(a + b)² − c²")),
            side(QStringLiteral("(a + b − c)·(a + b + c)")), side(QStringLiteral("2r·(a + b + c)")),
            side(QStringLiteral("2·%1·(%2 + %3)").arg(w.n(t.r), w.n(sum), w.n(c)), {sum, c}),
            side(w.n(twoProduct), {twoProduct})});
    w.step({}, {side(QStringLiteral("ab")),
                side(QStringLiteral("%1 / 2").arg(w.n(twoProduct)), {twoProduct}),
                side(w.n(product), {product})});
    QString equation = QStringLiteral("a и b са корените на x² − (a + b)·x + ab = 0");
    if (std::isfinite(sum) && std::isfinite(product))
        equation += QStringLiteral(", тоест на x² − %1·x + %2 = 0").arg(w.n(sum), w.n(product));
    w.say(equation);
    w.step({}, {side(QStringLiteral("D")), side(QStringLiteral("(a + b)² − 4ab")),
                side(QStringLiteral("%1 − 4·%2").arg(w.squared(sum), w.n(product)), {sum, product}),
                side(QStringLiteral("%1 − %2").arg(w.n(sumSquared), w.n(fourProducts)),
                     {sumSquared, fourProducts}),
                side(w.n(D), {D})});
    w.step({}, {side(QStringLiteral("a")), side(QStringLiteral("(a + b + √D) / 2")),
                side(QStringLiteral("(%1 + %2) / 2").arg(w.n(sum), w.root(D)), {sum, D}),
                side(QStringLiteral("(%1 + %2) / 2").arg(w.n(sum), w.n(rootOfD)), {sum, D}),
                side(w.n(t.a))});
    w.step({}, {side(QStringLiteral("b")), side(QStringLiteral("ab / a")),
                side(QStringLiteral("%1 / %2").arg(w.n(product), w.n(t.a)), {product}),
                side(w.n(t.b))});
}

} // namespace

QStringList solutionSteps(Variant variant, const Triangle &triangle, const QLocale &locale)
{
    Writer writer(locale);
    writer.givens(variant, triangle);
    switch (variant) {
    case Variant::Legs:
        legs(writer, triangle);
        break;
    case Variant::LegAndInradius:
        legAndInradius(writer, triangle);
        break;
    case Variant::LegAndCircumradius:
        legAndCircumradius(writer, triangle);
        break;
    case Variant::Radii:
        radii(writer, triangle);
        break;
    }
    writer.answer(variant, triangle);
    return writer.lines();
}
