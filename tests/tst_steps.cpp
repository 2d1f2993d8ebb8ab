#include "loneletters.h"
#include "number.h"
#include "numbertext.h"
#include "pairsteps.h"
#include "sanitized.h"
#include "schooltext.h"
#include "solutionsteps.h"
#include "spoken.h"
#include "stepreading.h"
#include "variants.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <tuple>

using solver::Variant;

namespace {

// A number of the steps ("−2,5·10⁻⁷") as the value boxes write it ("-2.5e-07",
// with the locale's decimal separator), to compare with what a box shows.
QString calculatorText(QString school)
{
    school.replace(u'−', u'-');
    const qsizetype power = school.indexOf(QStringLiteral("·10"));
    if (power < 0)
        return school;
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    int exponent = 0;
    bool negative = false;
    for (const QChar c : school.mid(power + 3)) {
        if (c == u'⁻')
            negative = true;
        else
            exponent = exponent * 10 + int(superscripts.indexOf(c));
    }
    return school.left(power)
        + QStringLiteral("e%1%2").arg(QChar(negative ? u'-' : u'+')).arg(exponent, 2, 10, QChar(u'0'));
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
// compared in their canonical form ("≈" for one that has no short exact
// form). Throws at the first line that fails.
StepsChecked checkSteps(const QStringList &lines, Variant variant, const solver::Triangle &t,
                        const QLocale &locale, const QStringList &knownExact)
{
    const QChar point = locale.decimalPoint().front();
    // What the value boxes show, as the student compares it with the steps.
    const auto shownInBox = [&](double value) { return numbertext::toText(value, locale); };
    StepsChecked checked;
    const auto given = solver::givens(variant, t);
    require(calculatorText(lines.first().section(u' ', 4, 4)) == shownInBox(given.first),
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
        const QString boxText = shownInBox(solver::value(t, computed[i]));
        if (knownExact[i] == u"≈")
            require(chain.relations.front() == u'≈',
                    QStringLiteral("%1, known to have no short exact form").arg(answer));
        else if (!knownExact[i].isEmpty() && knownExact[i] != u"-")
            require(chain.sides[1] == knownExact[i] && chain.relations.front() == u'=',
                    QStringLiteral("%1, known as %2").arg(answer, knownExact[i]));
        const auto noted = std::find_if(inBoxes.begin(), inBoxes.end(), [&](const QString &b) {
            return b.startsWith(symbol + QStringLiteral(" = "));
        });
        if (noted == inBoxes.end()) {
            // As the box shows it, and agreeing with it throughout.
            require(calculatorText(chain.sides.last()) == boxText, answer);
            const exact::Number box = Reading(chain.sides.last(), point).value();
            for (const QString &side : chain.sides.mid(1))
                require(agreeTo13Digits(Reading(side, point).value(), box), answer);
            continue;
        }
        // Where the box differs, the answer is the exact value's, its decimal
        // right to its digits, and the line after names the box's value.
        const QString noteText = noted->section(QStringLiteral(" = "), 1);
        require(calculatorText(noteText) == boxText, *noted);
        require(!agreeTo13Digits(Reading(chain.sides[1], point).value(),
                                 Reading(noteText, point).value()),
                answer);
        checkChain(chain, point);
    }
    return checked;
}

} // namespace

class TestSteps : public QObject
{
    Q_OBJECT

private slots:
    void stepsAddUp_data();
    void stepsAddUp();
    void pairStepsAddUp_data();
    void pairStepsAddUp();
};

void TestSteps::stepsAddUp_data()
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
    // The exact answers known, in the canonical form; "≈" where the answer
    // has none of at most 40 characters; "-" where the givens exactly as
    // written have no triangle; empty where not known.
    QTest::addColumn<QString>("firstExact");
    QTest::addColumn<QString>("secondExact");
    // Lines that the solution shows just so.
    QTest::addColumn<QStringList>("shown");
    const QLocale point = QLocale::c();
    const QLocale comma(QLocale::Bulgarian, QLocale::Bulgaria);
    const auto typed = Family::Typed;
    // clang-format off
    QTest::newRow("a, b: 1, 1")                  << Variant::Legs << "1" << "1"          << typed << comma << false << "(2 − √2)/2" << "√2/2" << QStringList{"1) От a² + b² = c²: c = √(a² + b²) = √(1² + 1²) = √(1 + 1) = √2 ≈ 1,41421"};
    QTest::newRow("a, b: 3-4-5")                 << Variant::Legs << "3" << "4"          << typed << comma << false << "1"          << "2,5" << QStringList{"Отговор: r = 1; R = 2,5."};
    QTest::newRow("a, b: 6, 6 with √72 = 6√2")   << Variant::Legs << "6" << "6"          << typed << comma << false << "6 − 3√2"    << "3√2" << QStringList{};
    QTest::newRow("a, b: rho 1e6")               << Variant::Legs << "1" << "1e6"        << typed << comma << false << ""           << "" << QStringList{};
    QTest::newRow("a, b: thin, 15 digits")       << Variant::Legs << "0,0180910998383927" << "317310,355937444" << typed << comma << false << "" << ""
                                                 << QStringList{"1) От a² + b² = c²: c = √(a² + b²) = √(0,0180910998383927² + 317310,355937444²) = √(0,00032728789336269237605691941329 + 100685861985,147402744041253136) ≈ 317310,35593744"};
    QTest::newRow("a, b: r of 40 characters")   << Variant::Legs << "9.9554537" << "4.9836273" << typed << point << false << "(149390810 − 29√14738121217378)/20000000" << "" << QStringList{};
    QTest::newRow("a, b: r of 41 characters")   << Variant::Legs << "6.1063143" << "7.9945342" << typed << point << false << "≈" << "" << QStringList{};
    QTest::newRow("a, r: 3-4-5")                 << Variant::LegAndInradius << "3" << "1" << typed << comma << false << "4"   << "2,5" << QStringList{};
    QTest::newRow("a, r: rho 500")               << Variant::LegAndInradius << "1" << "0.4995" << typed << point << false << "" << "" << QStringList{};
    QTest::newRow("a, r: a rounds to 2r")        << Variant::LegAndInradius << "2.0000000000000004" << "1" << typed << point << true << "-" << "-" << QStringList{};
    QTest::newRow("a, R: 3-4-5")                 << Variant::LegAndCircumradius << "3" << "2.5" << typed << point << false << "4" << "1" << QStringList{};
    QTest::newRow("a, R: 1, 1")                  << Variant::LegAndCircumradius << "1" << "1" << typed << comma << false << "√3" << "(√3 − 1)/2" << QStringList{};
    QTest::newRow("a, R: exponent form")         << Variant::LegAndCircumradius << "3e-7" << "2.5e-7" << typed << comma << false << "4·10⁻⁷" << "1·10⁻⁷" << QStringList{};
    QTest::newRow("a, R: a nearly 2R")           << Variant::LegAndCircumradius << "128418813.128955" << "64209406.5644777" << typed << point << true << "" << "" << QStringList{};
    QTest::newRow("a, R: a rounds to 2R")        << Variant::LegAndCircumradius << "2" << "1.0000000000000002" << typed << comma << true << "-" << "-" << QStringList{};
    QTest::newRow("r, R: 1, 5/2")                << Variant::Radii << "1" << "2.5"       << typed << comma << false << "4"          << "3" << QStringList{};
    QTest::newRow("r, R: rho 2.5e5")             << Variant::Radii << "1" << "5e5"       << typed << point << false << ""           << "" << QStringList{};
    QTest::newRow("r, R: next to isosceles")     << Variant::Radii << "1" << "2,4142135623731" << typed << comma << true << "" << "" << QStringList{};
    QTest::newRow("r, R: rounds below (1 + √2)r") << Variant::Radii << "6.43528034736575" << "15.536141092283437" << typed << point << true << "-" << "-" << QStringList{};
    QTest::newRow("a, b: random")                << Variant::Legs << "" << ""               << Family::Ordinary << comma << false << "" << "" << QStringList{};
    QTest::newRow("a, b: random thin")           << Variant::Legs << "" << ""               << Family::Thin     << point << false << "" << "" << QStringList{};
    QTest::newRow("a, r: random")                << Variant::LegAndInradius << "" << ""     << Family::Ordinary << point << false << "" << "" << QStringList{};
    QTest::newRow("a, r: random thin")           << Variant::LegAndInradius << "" << ""     << Family::Thin     << comma << true  << "" << "" << QStringList{};
    QTest::newRow("a, R: random")                << Variant::LegAndCircumradius << "" << "" << Family::Ordinary << comma << false << "" << "" << QStringList{};
    QTest::newRow("a, R: random thin")           << Variant::LegAndCircumradius << "" << "" << Family::Thin     << point << true  << "" << "" << QStringList{};
    QTest::newRow("r, R: random")                << Variant::Radii << "" << ""              << Family::Ordinary << point << false << "" << "" << QStringList{};
    QTest::newRow("r, R: random thin")           << Variant::Radii << "" << ""              << Family::Thin     << comma << false << "" << "" << QStringList{};
    QTest::newRow("r, R: random near isosceles") << Variant::Radii << "" << ""              << Family::NearIsosceles << point << true << "" << "" << QStringList{};
    // clang-format on
}

// The property of the steps: every line that works something out adds up
// when it is read back and worked out exactly from the numbers it shows, and
// the answer agrees with the value boxes to the 13 digits the solver
// promises, or says why it does not.
void TestSteps::stepsAddUp()
{
    QFETCH(Variant, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(Family, family);
    QFETCH(QLocale, locale);
    QFETCH(bool, boxesMayDiffer);
    QFETCH(QString, firstExact);
    QFETCH(QString, secondExact);
    QFETCH(QStringList, shown);
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
            for (const QString &line : shown)
                require(lines.contains(line), "shows «" + line + u'»');
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

QTEST_GUILESS_MAIN(TestSteps)
// The givens of a pair from a known triangle, as a student types them: a
// terminating decimal exactly, any other value to 15 digits.
pairs::Given typedFrom(const pairs::Triangle &t, pairs::Quantity q)
{
    const pairs::Value &v = t[q];
    if (v.exact)
        if (const auto decimal = v.exact->terminatingDecimal())
            return {q, exact::Number::fromDecimal(*decimal)};
    return {q, exact::Number::fromDecimal(v.rounded(15))};
}

// The steps of every pair add up as the variants' do, from triangles with
// exact values (3-4-5; 30°, 60° and 90° with c = 2, whose other values are
// typed to 15 digits) and from random ones, in either name of the legs; and
// each of the twelve values the givens do not name is found by a step.
void TestSteps::pairStepsAddUp_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("family"); // 0: 3-4-5, 1: 30°, 2: random
    QTest::addColumn<QLocale>("locale");
    const QLocale comma(QLocale::Bulgarian, QLocale::Bulgaria);
    for (std::size_t row = 0; row < pairs::table::rows.size(); ++row) {
        const pairs::PairFacts &facts = pairs::table::rows[row];
        if (facts.twice)
            continue;
        for (int family = 0; family < 3; ++family)
            QTest::addRow("%s, %s: %s", pairs::factsOf(facts.first).name.data(),
                          pairs::factsOf(facts.second).name.data(),
                          family == 0 ? "3-4-5" : family == 1 ? "30°" : "random")
                << int(row) << family << (family == 1 ? QLocale::c() : comma);
    }
}

void TestSteps::pairStepsAddUp()
{
    QFETCH(int, row);
    QFETCH(int, family);
    QFETCH(QLocale, locale);
    using pairs::Quantity;
    const pairs::PairFacts &facts = pairs::table::rows[std::size_t(row)];
    const QChar point = locale.decimalPoint().front();
    QRandomGenerator random(std::uint32_t(row) * 3 + std::uint32_t(family));
    const int runs = family == 2 ? (sanitized ? 4 : 20) : 1;
    int checked = 0;
    for (int run = 0; run < runs; ++run) {
        const auto exactOf = [](const char *text) {
            return exact::Number::fromDecimal(*exact::readDecimal(text));
        };
        const auto base = family == 0
            ? pairs::solve({Quantity::a, exactOf("3")}, {Quantity::b, exactOf("4")})
            : family == 1
            ? pairs::solve({Quantity::c, exactOf("2")}, {Quantity::alpha, exactOf("30")})
            : pairs::solve({Quantity::a, exactOf(qPrintable(numbertext::toText(
                                             std::pow(10.0, random.generateDouble() * 4 - 2),
                                             int(random.bounded(1, 16)), QLocale::c())))},
                           {Quantity::b, exactOf(qPrintable(numbertext::toText(
                                             std::pow(10.0, random.generateDouble() * 4 - 2),
                                             int(random.bounded(1, 16)), QLocale::c())))});
        QVERIFY(base);
        const bool mirrored = run % 2 == 1 && pairs::mirrorOf(facts.first) != facts.first;
        const auto name = [&](Quantity q) { return mirrored ? pairs::mirrorOf(q) : q; };
        const pairs::Triangle &t = base->triangles.front();
        const auto solution = pairs::solve(typedFrom(t, name(facts.first)),
                                           typedFrom(t, name(facts.second)));
        QVERIFY(solution);
        for (std::size_t i = 0; i < solution->triangles.size(); ++i) {
            const QStringList lines = pairtext::steps(*solution, i, locale);
            try {
                require(lines.value(0).startsWith(QStringLiteral("Дадени са")), "names the givens");
                require(lines.value(1).startsWith(QStringLiteral("1) ")), "numbers the steps from 1");
                QSet<QString> found;
                for (const QString &line : lines.mid(1)) {
                    static const QRegularExpression numbered(QStringLiteral("^\\d+\\) "));
                    require(numbered.match(line).hasMatch(), "numbers every step: " + line);
                    QString text = line.section(u' ', 1);
                    if (text.contains(QStringLiteral(": ")))
                        text = text.section(QStringLiteral(": "), 1);
                    text.remove(u'°');
                    checked += checkChain(chainOf(text), point);
                    if (const QString relation = text.section(u' ', 1, 1);
                        relation == u"=" || relation == u"≈")
                        found << text.section(u' ', 0, 0);
                }
                for (int q = 0; q < pairs::quantityCount; ++q) {
                    const Quantity which = Quantity(q);
                    if (which != solution->givens[0].quantity && which != solution->givens[1].quantity)
                        require(found.contains(pairtext::symbol(which)),
                                "finds " + pairtext::symbol(which));
                }
            } catch (const std::exception &e) {
                QFAIL(qPrintable(QStringLiteral("%1: %2 = %3, %4 = %5\n%6")
                                     .arg(QString::fromUtf8(e.what()),
                                          pairtext::symbol(solution->givens[0].quantity),
                                          schoolText(solution->givens[0].value, QLocale::c()),
                                          pairtext::symbol(solution->givens[1].quantity),
                                          schoolText(solution->givens[1].value, QLocale::c()),
                                          lines.join(u'\n'))));
            }
        }
    }
    QVERIFY(checked > 0);
}

#include "tst_steps.moc"
