#include "spoken.h"
#include "figureexport.h"
#include "figuregeometry.h"
#include "figurepainting.h"
#include "figureview.h"
#include "loneletters.h"
#include "number.h"
#include "numbertext.h"
#include "solutionsteps.h"
#include "solutionwindow.h"
#include "svgdocument.h"
#include "variants.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPdfWriter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#if __has_include(<QSvgRenderer>) // Debian's Qt for Windows has no Qt Svg
#include <QSvgRenderer>
#endif
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <tuple>

using figure::Geometry;
using solver::Variant;

namespace {

qreal distance(QPointF p, QPointF q)
{
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

// Distance of p from the line through x and y.
qreal distanceFromLine(QPointF p, QPointF x, QPointF y)
{
    const QPointF d = y - x;
    const QPointF v = p - x;
    return std::abs(d.x() * v.y() - d.y() * v.x()) / std::hypot(d.x(), d.y());
}

// The properties that make the figure right, whatever its scale: the angle
// at C is right; every vertex lies on the circumcircle, whose centre is the
// middle of AB; every side is tangent to the incircle at its touch point.
// Empty when all hold, else the first that failed.
QString brokenProperty(const Geometry &g, double tolerance)
{
    const qreal R = g.circumcircle.radius;
    const qreal r = g.incircle.radius;
    const QPointF O = g.circumcircle.centre;
    const QPointF I = g.incircle.centre;
    const QPointF CA = g.A - g.C;
    const QPointF CB = g.B - g.C;
    if (std::abs(QPointF::dotProduct(CA, CB)) > tolerance * distance(g.A, g.C) * distance(g.B, g.C))
        return QStringLiteral("the angle at C is not right");
    if (distance(O, (g.A + g.B) / 2) > tolerance * R)
        return QStringLiteral("the circumcentre is not the middle of AB");
    for (QPointF vertex : {g.A, g.B, g.C})
        if (std::abs(distance(vertex, O) - R) > tolerance * R)
            return QStringLiteral("a vertex is off the circumcircle");
    const struct
    {
        QPointF x, y, touch;
        const char *name;
    } sides[] = {
        {g.B, g.C, g.touchA, "BC"}, {g.C, g.A, g.touchB, "CA"}, {g.A, g.B, g.touchC, "AB"}};
    for (const auto &side : sides) {
        if (std::abs(distanceFromLine(I, side.x, side.y) - r) > tolerance * r)
            return QStringLiteral("%1 is not at distance r from the incentre").arg(side.name);
        if (distanceFromLine(side.touch, side.x, side.y) > tolerance * R
            || std::abs(distance(side.touch, I) - r) > tolerance * r)
            return QStringLiteral("the touch point of %1 is not where the incircle meets it")
                .arg(side.name);
    }
    return {};
}

bool near(double value, double expected, double relative)
{
    return std::abs(value - expected) <= relative * std::abs(expected);
}

// Whether a pixel within two of p has the colour a test asks for; a line's
// antialiased edge may fall on p itself.
template<typename Test>
bool inkNear(const QImage &image, QPointF p, Test test)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint at(int(p.x()) + dx, int(p.y()) + dy);
            if (image.rect().contains(at) && test(image.pixelColor(at)))
                return true;
        }
    return false;
}

// Reads back a side of a step as the student sees it: numbers in school
// notation ("2,5", "1·10⁻⁷"), + − · /, √, squares and powers of ten,
// brackets, a factor right before √ ("5√2"); and works it out exactly.
class Reading
{
public:
    Reading(const QString &text, QChar point) : m_text(text), m_point(point) {}

    // The value of the whole text; throws std::runtime_error where it is no
    // such expression, std::domain_error where it cannot be worked out.
    exact::Number value()
    {
        const exact::Number result = sum();
        if (peek() != QChar())
            fail();
        return result;
    }

private:
    QChar peek()
    {
        while (m_at < m_text.size() && m_text[m_at] == u' ')
            ++m_at;
        return m_at < m_text.size() ? m_text[m_at] : QChar();
    }

    [[noreturn]] void fail() const
    {
        throw std::runtime_error(qPrintable(QStringLiteral("cannot read «%1» at %2")
                                                .arg(m_text)
                                                .arg(m_at)));
    }

    exact::Number sum()
    {
        exact::Number result = product();
        for (QChar c = peek(); c == u'+' || c == u'−'; c = peek()) {
            ++m_at;
            result = c == u'+' ? result + product() : result - product();
        }
        return result;
    }

    exact::Number product()
    {
        exact::Number result = factor();
        for (QChar c = peek(); c == u'·' || c == u'/' || c == u'√'; c = peek()) {
            if (c != u'√')
                ++m_at;
            result = c == u'/' ? result / factor() : result * factor();
        }
        return result;
    }

    exact::Number factor()
    {
        if (peek() == u'−') {
            ++m_at;
            return -factor();
        }
        const exact::Number base = primary();
        static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
        bool negative = false;
        if (peek() == u'⁻') {
            negative = true;
            ++m_at;
        }
        long long exponent = -1;
        for (qsizetype digit; m_at < m_text.size()
             && (digit = superscripts.indexOf(m_text[m_at])) >= 0;
             ++m_at)
            exponent = std::max(exponent, 0LL) * 10 + digit;
        if (exponent < 0) {
            if (negative)
                fail();
            return base;
        }
        return exact::power(base, negative ? -exponent : exponent);
    }

    exact::Number primary()
    {
        const QChar c = peek();
        if (c == u'(') {
            ++m_at;
            const exact::Number inside = sum();
            if (peek() != u')')
                fail();
            ++m_at;
            return inside;
        }
        if (c == u'√') {
            ++m_at;
            return exact::sqrt(primary());
        }
        const qsizetype first = m_at;
        const auto digits = [&] {
            while (m_at < m_text.size() && m_text[m_at].isDigit())
                ++m_at;
        };
        digits();
        if (m_at + 1 < m_text.size() && m_text[m_at] == m_point && m_text[m_at + 1].isDigit()) {
            ++m_at;
            digits();
        }
        const auto decimal = exact::readDecimal(m_text.mid(first, m_at - first).toStdString());
        if (!decimal)
            fail();
        return exact::Number::fromDecimal(*decimal);
    }

    QString m_text;
    QChar m_point;
    qsizetype m_at = 0;
};

// A decimal as the steps write a rounded value, "0,292893", "1,23457·10⁻⁵":
// half a unit of its last digit, or nothing if the text is no decimal.
std::optional<exact::Number> halfUnitOfLastDigit(const QString &text, QChar point)
{
    static const QRegularExpression decimal(
        QStringLiteral("^−?\\d+(?:[.,](\\d+))?(?:·10(⁻?)([⁰¹²³⁴⁵⁶⁷⁸⁹]+))?$"));
    const QRegularExpressionMatch m = decimal.match(text);
    if (!m.hasMatch() || (m.capturedLength(1) > 0 && !text.contains(point)))
        return std::nullopt;
    long long exponent = 0;
    for (const QChar c : m.captured(3))
        exponent = exponent * 10 + QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹").indexOf(c);
    if (!m.captured(2).isEmpty())
        exponent = -exponent;
    return exact::power(exact::Number(10), exponent - m.capturedLength(1)) / exact::Number(2);
}

// A chain "X = A = B ≈ C" split into its sides and the relations between
// them.
struct Chain
{
    QStringList sides;
    QString relations; // '=' or '≈' before each side but the first
};

Chain chainOf(const QString &text)
{
    static const QRegularExpression relation(QStringLiteral(" ([=≈]) "));
    Chain chain;
    qsizetype from = 0;
    for (const auto &m : relation.globalMatch(text)) {
        chain.sides << text.mid(from, m.capturedStart() - from);
        chain.relations += m.captured(1);
        from = m.capturedEnd();
    }
    chain.sides << text.mid(from);
    return chain;
}

bool isFormula(const QString &side)
{
    return std::any_of(side.begin(), side.end(), [](QChar c) { return c.isLetter(); });
}

// Whether what a chain shows adds up: two numeric sides joined by "=" are
// equal exactly, and the decimal after "≈" is what the side before it gives,
// rounded to the digits shown. Sides with letters are formulas and are left
// alone. Returns the number of relations checked, or throws with the first
// that fails.
int checkChain(const Chain &chain, QChar point)
{
    int checked = 0;
    for (qsizetype i = 1; i < chain.sides.size(); ++i) {
        const QString &left = chain.sides[i - 1];
        const QString &right = chain.sides[i];
        if (isFormula(left) || isFormula(right))
            continue;
        const exact::Number x = Reading(left, point).value();
        const exact::Number y = Reading(right, point).value();
        if (chain.relations[i - 1] == u'=') {
            if (x != y)
                throw std::runtime_error(qPrintable(
                    QStringLiteral("«%1 = %2» does not hold").arg(left, right)));
        } else {
            const auto half = halfUnitOfLastDigit(right, point);
            if (!half)
                throw std::runtime_error(
                    qPrintable(QStringLiteral("«≈ %1» is not a decimal").arg(right)));
            if (exact::abs(x - y) > *half)
                throw std::runtime_error(qPrintable(
                    QStringLiteral("«%1 ≈ %2» is not right to the digits shown").arg(left, right)));
        }
        ++checked;
    }
    return checked;
}

// The value a box shows, as the decimal it is.
exact::Number boxValue(double value)
{
    return exact::Number::fromDecimal(
        *exact::readDecimal(numbertext::toText(value, QLocale::c()).toStdString()));
}

bool agreeTo13Digits(const exact::Number &x, const exact::Number &box)
{
    return exact::abs(x - box)
        <= exact::abs(box) / exact::power(exact::Number(10), 13);
}

// Families of givens for the property test: typed ones, or random ones.
enum class Family { Typed, Ordinary, Thin, NearIsosceles };

// The givens of a variant for a random triangle of the family, each
// rounded to 1 to 15 significant digits as a student might type it.
std::pair<QString, QString> randomGivens(Variant variant, Family family, QRandomGenerator &random)
{
    const auto uniform = [&](double low, double high) {
        return low + (high - low) * random.generateDouble();
    };
    const auto typed = [&](double value, int digits) {
        return numbertext::toText(value, digits, QLocale::c());
    };
    const auto digits = [&] { return int(random.bounded(1, 16)); };
    if (family == Family::NearIsosceles) {
        const QString r = typed(std::pow(10.0, uniform(-3, 3)), digits());
        const double R = numbertext::toNumber(r) * (1 + std::sqrt(2.0))
            * (1 + std::pow(10.0, uniform(-14, -2)));
        return {r, typed(R, 15)};
    }
    const double rho = std::pow(10.0, family == Family::Thin ? uniform(1, 12) : uniform(0.05, 1));
    double a = std::pow(10.0, uniform(-3, 3));
    double b = a * rho;
    if (random.bounded(2))
        std::swap(a, b);
    const double c = std::hypot(a, b);
    const solver::Triangle t{a, b, a * b / (a + b + c), c / 2};
    const auto [first, second] = solver::givens(variant, t);
    return {typed(first, digits()), typed(second, digits())};
}

void require(bool condition, const QString &what)
{
    if (!condition)
        throw std::runtime_error(qPrintable(what));
}

struct StepsChecked
{
    int lines = 0;            // that work something out
    bool boxesDiffer = false; // from the exact answer, as the steps say
    bool noTriangle = false;  // for the givens exactly as written, as they say
};

// Reads back the lines of a solution: the givens as the boxes show them,
// every numbered step's chain (checkChain()), no calculator's notation, and
// the answer: each value as its box shows it and agreeing with it to 13
// digits, or, where a line says the boxes differ, the exact value's own
// decimal and the box's value named in that line. Known exact answers are
// compared in their canonical form. Throws at the first line that fails.
StepsChecked checkSteps(const QStringList &lines, Variant variant, const solver::Triangle &t,
                        const QLocale &locale, const QStringList &knownExact)
{
    const QChar point = locale.decimalPoint().front();
    StepsChecked checked;
    const auto given = solver::givens(variant, t);
    require(Reading(lines.first().section(u' ', 4, 4), point).value() == boxValue(given.first),
            lines.first());
    static const QRegularExpression calculatorExponent(QStringLiteral("\\de[+-]?\\d|inf|nan"));
    static const QRegularExpression numbered(QStringLiteral("^\\d+\\) (?:[^:]*: )?"));
    QString answer;
    QStringList inBoxes; // «b = 9.9753020308847», from «В полетата: …. Програмата …»
    for (const QString &line : lines) {
        require(!line.contains(calculatorExponent), line);
        if (line.startsWith(u"Отговор: "))
            answer = line;
        if (line.startsWith(u"В полетата: "))
            inBoxes = line.mid(12).section(QStringLiteral(". "), 0, 0).split(QStringLiteral("; "));
        checked.noTriangle = checked.noTriangle || line.contains(u"няма такъв триъгълник");
        const QRegularExpressionMatch step = numbered.match(line);
        if (!step.hasMatch())
            continue;
        try {
            checked.lines += checkChain(chainOf(line.mid(step.capturedLength())), point) > 0;
        } catch (const std::exception &e) {
            throw std::runtime_error(qPrintable(line + u'\n' + QString::fromUtf8(e.what())));
        }
    }
    checked.boxesDiffer = !inBoxes.isEmpty() || checked.noTriangle;

    // «Отговор: r = (2 − √2)/2 ≈ 0,292893218813452; R = √2/2 ≈ 0,707…».
    require(answer.endsWith(u'.'), QStringLiteral("no answer"));
    const QStringList parts = answer.mid(9).chopped(1).split(QStringLiteral("; "));
    require(parts.size() == 2, answer);
    const auto &computed = solver::factsOf(variant).computed;
    for (int i = 0; i < 2; ++i) {
        const Chain chain = chainOf(parts[i]);
        const QString symbol = QLatin1String(solver::symbol(computed[i]));
        require(chain.sides.size() > 1 && chain.sides.first() == symbol, answer);
        const exact::Number box = boxValue(solver::value(t, computed[i]));
        if (!knownExact[i].isEmpty() && knownExact[i] != u"-")
            require(chain.sides[1] == knownExact[i] && chain.relations.front() == u'=',
                    QStringLiteral("%1, known as %2").arg(answer, knownExact[i]));
        const auto noted = std::find_if(inBoxes.begin(), inBoxes.end(), [&](const QString &b) {
            return b.startsWith(symbol + QStringLiteral(" = "));
        });
        if (noted == inBoxes.end()) {
            // As the box shows it, and agreeing with it throughout.
            require(Reading(chain.sides.last(), point).value() == box, answer);
            for (const QString &side : chain.sides.mid(1))
                require(agreeTo13Digits(Reading(side, point).value(), box), answer);
            continue;
        }
        // Where the box differs, the answer is the exact value's, its decimal
        // right to its digits, and the line after names the box's value.
        require(!agreeTo13Digits(Reading(chain.sides[1], point).value(), box), answer);
        checkChain(chain, point);
        require(Reading(noted->section(QStringLiteral(" = "), 1), point).value() == box, *noted);
    }
    return checked;
}

solver::Triangle solved(Variant variant, double first, double second)
{
    const auto triangle = solver::solve(variant, first, second);
    return triangle ? *triangle : solver::Triangle{};
}

} // namespace

class TestSolution : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void stepsAddUp_data();
    void stepsAddUp();
    void viewShowsBothCirclesOnPaper();
    void savedFilesReadBack_data();
    void savedFilesReadBack();
    void windowFollowsCalculations();
};

void TestSolution::geometry_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::newRow("3-4-5")                  << 3.0   << 4.0;
    QTest::newRow("4-3, a the longer leg")  << 4.0   << 3.0;
    QTest::newRow("isosceles")              << 1.0   << 1.0;
    QTest::newRow("5-12-13 in millions")    << 5e6   << 12e6;
    QTest::newRow("3-4-5 in billionths")    << 3e-9  << 4e-9;
    QTest::newRow("rho 10")                 << 1.0   << 10.0;
    QTest::newRow("rho 1e3")                << 1.0   << 1e3;
    QTest::newRow("rho 1e6")                << 1.0   << 1e6;
    QTest::newRow("rho 1e6, a the longer")  << 1e6   << 1.0;
}

void TestSolution::geometry()
{
    QFETCH(double, a);
    QFETCH(double, b);
    const auto t = solver::solve(Variant::Legs, a, b);
    QVERIFY(t);

    const Geometry model = figure::geometry(*t);
    QVERIFY(model.toScale);
    QVERIFY2(brokenProperty(model, 1e-9).isEmpty(), qPrintable(brokenProperty(model, 1e-9)));
    QVERIFY(near(model.incircle.radius, t->r, 1e-9));
    QVERIFY(near(model.circumcircle.radius, t->R, 1e-12));
    QVERIFY(near(distance(model.B, model.C), t->a, 1e-15));

    // A triangle too thin for an incircle of a tenth of R is drawn as a
    // stand-in with that incircle on the same hypotenuse.
    constexpr double share = 0.1;
    const Geometry drawn = figure::geometry(*t, share);
    QCOMPARE(drawn.toScale, t->r >= share * t->R);
    QVERIFY2(brokenProperty(drawn, 1e-9).isEmpty(), qPrintable(brokenProperty(drawn, 1e-9)));
    QVERIFY(near(drawn.circumcircle.radius, t->R, 1e-12));
    if (!drawn.toScale)
        QVERIFY(near(drawn.incircle.radius, share * t->R, 1e-9));

    // Fitted into a wide rectangle: the circumcircle fills its height less
    // the margin, in its middle, with C below and left of the centre.
    const QRectF rect(10, 20, 300, 200);
    const Geometry shown = figure::fitted(drawn, rect, 15);
    QVERIFY2(brokenProperty(shown, 1e-9).isEmpty(), qPrintable(brokenProperty(shown, 1e-9)));
    QVERIFY(distance(shown.circumcircle.centre, rect.center()) < 1e-9);
    QVERIFY(near(shown.circumcircle.radius, 85, 1e-12));
    QVERIFY(shown.C.x() < shown.circumcircle.centre.x());
    QVERIFY(shown.C.y() > shown.circumcircle.centre.y());
}

void TestSolution::stepsAddUp_data()
{
    QTest::addColumn<Variant>("variant");
    // The givens as typed, or none for random ones of the family.
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<Family>("family");
    QTest::addColumn<QLocale>("locale");
    // Whether the boxes may differ from the exact answer in their 13 digits:
    // where the givens' rounding to binary changes the answer that much.
    QTest::addColumn<bool>("boxesMayDiffer");
    // The exact answers known, in the canonical form; "-" where the givens
    // exactly as written have no triangle; empty where not known.
    QTest::addColumn<QString>("firstExact");
    QTest::addColumn<QString>("secondExact");
    const QLocale point = QLocale::c();
    const QLocale comma(QLocale::Bulgarian, QLocale::Bulgaria);
    const auto typed = Family::Typed;
    // clang-format off
    QTest::newRow("a, b: 1, 1")                  << Variant::Legs << "1" << "1"          << typed << comma << false << "(2 − √2)/2" << "√2/2";
    QTest::newRow("a, b: 3-4-5")                 << Variant::Legs << "3" << "4"          << typed << point << false << "1"          << "2.5";
    QTest::newRow("a, b: 6, 6 with √72 = 6√2")   << Variant::Legs << "6" << "6"          << typed << comma << false << "6 − 3√2"    << "3√2";
    QTest::newRow("a, b: rho 1e6")               << Variant::Legs << "1" << "1e6"        << typed << comma << false << ""           << "";
    QTest::newRow("a, b: thin, 15 digits")       << Variant::Legs << "0,0180910998383927" << "317310,355937444" << typed << comma << false << "" << "";
    QTest::newRow("a, r: 3-4-5")                 << Variant::LegAndInradius << "3" << "1" << typed << comma << false << "4"   << "2,5";
    QTest::newRow("a, r: rho 500")               << Variant::LegAndInradius << "1" << "0.4995" << typed << point << false << "" << "";
    QTest::newRow("a, r: a rounds to 2r")        << Variant::LegAndInradius << "2.0000000000000004" << "1" << typed << point << true << "-" << "-";
    QTest::newRow("a, R: 3-4-5")                 << Variant::LegAndCircumradius << "3" << "2.5" << typed << point << false << "4" << "1";
    QTest::newRow("a, R: 1, 1")                  << Variant::LegAndCircumradius << "1" << "1" << typed << comma << false << "√3" << "(√3 − 1)/2";
    QTest::newRow("a, R: exponent form")         << Variant::LegAndCircumradius << "3e-7" << "2.5e-7" << typed << comma << false << "4·10⁻⁷" << "1·10⁻⁷";
    QTest::newRow("a, R: a nearly 2R")           << Variant::LegAndCircumradius << "128418813.128955" << "64209406.5644777" << typed << point << true << "" << "";
    QTest::newRow("a, R: a rounds to 2R")        << Variant::LegAndCircumradius << "2" << "1.0000000000000002" << typed << comma << true << "-" << "-";
    QTest::newRow("r, R: 1, 5/2")                << Variant::Radii << "1" << "2.5"       << typed << comma << false << "4"          << "3";
    QTest::newRow("r, R: rho 2.5e5")             << Variant::Radii << "1" << "5e5"       << typed << point << false << ""           << "";
    QTest::newRow("r, R: next to isosceles")     << Variant::Radii << "1" << "2,4142135623731" << typed << comma << true << "" << "";
    QTest::newRow("r, R: rounds below (1 + √2)r") << Variant::Radii << "6.43528034736575" << "15.536141092283437" << typed << point << true << "-" << "-";
    QTest::newRow("a, b: random")                << Variant::Legs << "" << ""               << Family::Ordinary << comma << false << "" << "";
    QTest::newRow("a, b: random thin")           << Variant::Legs << "" << ""               << Family::Thin     << point << false << "" << "";
    QTest::newRow("a, r: random")                << Variant::LegAndInradius << "" << ""     << Family::Ordinary << point << false << "" << "";
    QTest::newRow("a, r: random thin")           << Variant::LegAndInradius << "" << ""     << Family::Thin     << comma << true  << "" << "";
    QTest::newRow("a, R: random")                << Variant::LegAndCircumradius << "" << "" << Family::Ordinary << comma << false << "" << "";
    QTest::newRow("a, R: random thin")           << Variant::LegAndCircumradius << "" << "" << Family::Thin     << point << true  << "" << "";
    QTest::newRow("r, R: random")                << Variant::Radii << "" << ""              << Family::Ordinary << point << false << "" << "";
    QTest::newRow("r, R: random thin")           << Variant::Radii << "" << ""              << Family::Thin     << comma << false << "" << "";
    QTest::newRow("r, R: random near isosceles") << Variant::Radii << "" << ""              << Family::NearIsosceles << point << true << "" << "";
    // clang-format on
}

// The property of the steps: every line that works something out adds up
// when it is read back and worked out exactly from the numbers it shows, and
// the answer agrees with the value boxes to the 13 digits the solver
// promises, or says why it does not.
// The property of the steps: every line that works something out adds up
// when it is read back and worked out exactly from the numbers it shows, and
// the answer agrees with the value boxes to the 13 digits the solver
// promises, or says why it does not.
void TestSolution::stepsAddUp()
{
    QFETCH(Variant, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(Family, family);
    QFETCH(QLocale, locale);
    QFETCH(bool, boxesMayDiffer);
    QFETCH(QString, firstExact);
    QFETCH(QString, secondExact);
    QRandomGenerator random(int(variant) * 10 + int(family));
    constexpr int randomSolves = 100;
    int solved = 0;
    int checkedLines = 0;
    int boxesDiffer = 0;
    for (int run = 0; run < (family == Family::Typed ? 1 : randomSolves); ++run) {
        if (family != Family::Typed)
            std::tie(first, second) = randomGivens(variant, family, random);
        const auto t = solver::solve(variant, numbertext::toNumber(first),
                                     numbertext::toNumber(second));
        if (!t && family != Family::Typed)
            continue;
        QVERIFY(t);
        ++solved;
        const QStringList lines = solutionSteps(variant, *t, locale);
        try {
            const StepsChecked checked =
                checkSteps(lines, variant, *t, locale, {firstExact, secondExact});
            require(checked.noTriangle == (firstExact == u"-"), "says there is no triangle");
            require(lines.value(1).startsWith(u"1) "), "numbers the steps from 1");
            // As a screen reader says each step, every r and R that stands
            // alone is marked «малко r» or «главно R», and no other is left.
            for (const QString &line : lines) {
                QString said = speech::spoken(line);
                require(said.count(u"малко r") == lone(line, u'r')
                            && said.count(u"главно R") == lone(line, u'R'),
                        "marks each r and R: " + said);
                said.remove(QStringLiteral("малко r")).remove(QStringLiteral("главно R"));
                require(lone(said, u'r') + lone(said, u'R') == 0, "leaves no r or R: " + said);
            }
            require(!checked.boxesDiffer || boxesMayDiffer, "says the boxes differ");
            checkedLines += checked.lines;
            boxesDiffer += checked.boxesDiffer;
        } catch (const std::exception &e) {
            QFAIL(qPrintable(QStringLiteral("%1, %2: %3\n%4")
                                 .arg(first, second, QString::fromUtf8(e.what()),
                                      lines.join(u'\n'))));
        }
    }
    QVERIFY(solved >= (family == Family::Typed ? 1 : randomSolves / 2));
    qInfo("%d solutions, %d lines that work something out checked; the boxes differ from the "
          "exact answer in %d",
          solved, checkedLines, boxesDiffer);
}

void TestSolution::viewShowsBothCirclesOnPaper()
{
    // A dark theme's palette must not reach the figure.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, Qt::white);
    FigureView view;
    view.setPalette(dark);
    view.resize(400, 400);
    // Before any calculation it describes nothing to assistive technology.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Description), QString());
    const solver::Triangle t = solved(Variant::Legs, 3, 4);
    view.setTriangle(t);
    const QImage image = view.grab().toImage();

    const Geometry g = figureLayout(t, view.rect(), view.labelFont());
    QVERIFY(g.toScale);
    const auto red = [](QColor c) { return c.red() > 120 && c.green() < 110 && c.blue() < 110; };
    const auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 110; };
    const QPointF O = g.circumcircle.centre;
    const QPointF I = g.incircle.centre;
    // The lowest point of the circumcircle, below the longer leg, and the
    // highest point of the incircle, inside the triangle.
    QVERIFY(inkNear(image, O + QPointF(0, g.circumcircle.radius), red));
    QVERIFY(inkNear(image, I - QPointF(0, g.incircle.radius), blue));
    QCOMPARE(image.pixelColor(3, 3), QColor(Qt::white));
    QCOMPARE(image.pixelColor(view.width() - 3, view.height() - 3), QColor(Qt::white));
    const QString description = accessible->text(QAccessible::Description);
    QCOMPARE(accessible->role(), QAccessible::Graphic);
    for (const char *part : {"катети 3 и 4, хипотенуза 5", "радиус на вписаната окръжност r = 1",
                             "радиус на описаната окръжност R = "})
        QVERIFY2(description.contains(QString::fromUtf8(part)), qPrintable(description));
    // Powers of ten as a school writes them, not as a calculator does.
    const QString thin = figureDescription(solved(Variant::Legs, 1, 1e6), view.rect(),
                                           view.labelFont(), QLocale::c());
    for (const char *part : {"катети 1 и 1·10⁶, хипотенуза 1·10⁶", "r = 0.5", "R = 5·10⁵"})
        QVERIFY2(thin.contains(QString::fromUtf8(part)), qPrintable(thin));
}

void TestSolution::savedFilesReadBack_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<bool>("written");
    QTest::newRow("SVG")                 << "figure.svg"         << false << svgAvailable(); // Linux: yes; Windows with Debian's Qt: no
    QTest::newRow("PNG")                 << "figure.png"         << false << true;
    QTest::newRow("PDF")                 << "figure.pdf"         << false << true;
    QTest::newRow("suffix in capitals")  << "FIGURE.PNG"         << false << true;
    QTest::newRow("dots in the name")    << "my.figure.png"      << false << true;
    QTest::newRow("unknown suffix")      << "figure.txt"         << false << false;
    QTest::newRow("missing folder")      << "missing/figure.svg" << false << false;
    QTest::newRow("printed page")        << "page.pdf"           << true  << true;
}

void TestSolution::savedFilesReadBack()
{
    QFETCH(QString, fileName);
    QFETCH(bool, printed);
    QFETCH(bool, written);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(fileName);
    const solver::Triangle t = solved(Variant::Radii, 1, 2.5);
    SolutionWindow window;
    window.showSolution(Variant::Radii, t);

    if (printed) {
        QPdfWriter page(path);
        const FigureView view;
        QVERIFY(printSolution(page, QStringLiteral("Вариант 4"), t,
                              solutionSteps(Variant::Radii, t), view.labelFont(), view.font()));
    } else {
        QCOMPARE(window.saveTo(path), written);
    }
    QCOMPARE(QFile::exists(path), written);
    if (!written)
        return;
    const QSize size = FigureView().sizeHint();
    const QString suffix = fileName.section(u'.', -1).toLower();
    if (suffix == u"svg") {
#if __has_include(<QSvgRenderer>)
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBoxF(), QRectF(QPointF(0, 0), size));
#else
        QFAIL("an SVG was written, but this build has no Qt Svg to read it back");
#endif
    } else if (suffix == u"png") {
        const QImage png(path);
        QCOMPARE(png.size(), size * 2);
        QCOMPARE(png.pixelColor(2, 2), QColor(Qt::white));
    } else {
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF-"));
        if (!printed) {
            // A page the size of the drawing: pixels of 1/96 inch in points.
            static const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
            const QRegularExpressionMatch page = mediaBox.match(QString::fromLatin1(content));
            QVERIFY(page.hasMatch());
            QCOMPARE(page.captured(1).toDouble(), size.width() * 72.0 / 96);
            QCOMPARE(page.captured(2).toDouble(), size.height() * 72.0 / 96);
        }
    }
}

// What the window shows, and what assistive technology is told of it: a
// window named by its title; opened, the focus on what speaks its content;
// the steps a list of one item a step, each read with r and R told apart;
// a notification after «Копирай».
void TestSolution::windowFollowsCalculations()
{
    SolutionWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.isWindow());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&window);
    QCOMPARE(accessible->role(), QAccessible::Window);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Чертеж и решение"));
    auto *message = window.findChild<QLabel *>(QStringLiteral("message"));
    auto *steps = window.findChild<QListWidget *>(QStringLiteral("steps"));
    QPushButton *copy = nullptr;
    for (auto *button : window.findChildren<QPushButton *>())
        if (button->text() == u"Копирай")
            copy = button;
    QVERIFY(message && steps && copy);
    QVERIFY(message->isVisible());
    QVERIFY(!copy->isEnabled());
    // Before any calculation the focus is on the line that says how to get one.
    QCOMPARE(QApplication::focusWidget(), message);
    QVERIFY(QAccessible::queryAccessibleInterface(message)->text(QAccessible::Name)
                .contains(u"«Изчисли»"));

    const QString failure = QStringLiteral("Няма правоъгълен триъгълник с тези стойности.");
    window.showFailure(failure);
    QCOMPARE(message->text(), failure);
    QCOMPARE(QAccessible::queryAccessibleInterface(message)->text(QAccessible::Name), failure);
    QVERIFY(!copy->isEnabled());

    const solver::Triangle t = solved(Variant::Radii, 1, 2.5);
    window.showSolution(Variant::Radii, t);
    QVERIFY(steps->isVisible());
    QVERIFY(!message->isVisible());
    const QStringList lines = solutionSteps(Variant::Radii, t);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(steps);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(steps->item(i)->text(), lines[i]);
        QCOMPARE(list->child(i)->text(QAccessible::Name), speech::spoken(lines[i]));
    }
    QVERIFY(copy->isEnabled());
    // The focus went to the drawing, which the page replaced the message with.
    QAccessibleInterface *focus =
        QAccessible::queryAccessibleInterface(QApplication::focusWidget());
    QCOMPARE(focus->role(), QAccessible::Graphic);
    QVERIFY2(focus->text(QAccessible::Description).startsWith(u"правоъгълен триъгълник"),
             qPrintable(focus->text(QAccessible::Description)));

    // Selected steps copy as text, one line a step.
    steps->setFocus();
    QTest::keyClick(steps, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(steps, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), lines.join(u'\n'));

    // The keys work while the student reads the steps.
    QApplication::clipboard()->clear();
    QTest::keyClick(steps, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    // A button's shortcut clicks it a moment later, as a user would see.
    QTRY_COMPARE(QApplication::clipboard()->text(), lines.join(u'\n'));
    QVERIFY(!QApplication::clipboard()->image().isNull());
    auto *announcer = window.findChild<QWidget *>(QStringLiteral("announcer"));
    QVERIFY(announcer && announcer->isVisible());
    QAccessibleInterface *notification = QAccessible::queryAccessibleInterface(announcer);
    QCOMPARE(notification->role(), QAccessible::Notification);
    QCOMPARE(notification->text(QAccessible::Name), QStringLiteral("Чертежът и решението са копирани."));
    QTest::keyClick(steps, Qt::Key_Escape);
    QTRY_VERIFY(!window.isVisible());
}

QTEST_MAIN(TestSolution)
#include "tst_solution.moc"
