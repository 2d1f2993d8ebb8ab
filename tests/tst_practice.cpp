#include "answercheck.h"
#include "answerreading.h"
#include "problem.h"
#include "schooltext.h"

#include <QTest>

#include <boost/multiprecision/cpp_int.hpp>

#include <set>

using practice::Level;
using practice::Problem;
using solver::Variant;

Q_DECLARE_METATYPE(Variant)
Q_DECLARE_METATYPE(Level)

namespace {

const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);

QString text(const exact::Number &value)
{
    return schoolText(value, bulgarian);
}

bool isWholeOrHalf(const exact::Number &x)
{
    return x.isRational() && 2 % boost::multiprecision::denominator(x.rationalPart()) == 0;
}

bool hasAtMostTwoDecimals(const exact::Number &x)
{
    return x.isRational() && 100 % boost::multiprecision::denominator(x.rationalPart()) == 0;
}

bool isWhole(const exact::Number &x)
{
    return x.isRational() && boost::multiprecision::denominator(x.rationalPart()) == 1;
}

} // namespace

class TestPractice : public QObject
{
    Q_OBJECT

private slots:
    void numbersKeepTheirProblems_data();
    void numbersKeepTheirProblems();
    void everyNumberPosesWhatItsLevelPromises_data();
    void everyNumberPosesWhatItsLevelPromises();
    void noProblemRepeatsWithinFifty();
    void answersAreReadAsTyped_data();
    void answersAreReadAsTyped();
    void answersAreJudged_data();
    void answersAreJudged();
};

void TestPractice::numbersKeepTheirProblems_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<Level>("level");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("firstAnswer");
    QTest::addColumn<QString>("secondAnswer");

    // A number printed on a worksheet keeps its problem: these rows must
    // never change. The number's remainders tell the variant and the level.
    // clang-format off
    QTest::newRow("10000") << 10000 << Variant::Legs               << Level::Whole    << "135"   << "72"    << "27"                   << "76,5";
    QTest::newRow("61853") << 61853 << Variant::LegAndInradius     << Level::Whole    << "120"   << "35"    << "119"                  << "84,5";
    QTest::newRow("10002") << 10002 << Variant::LegAndCircumradius << Level::Whole    << "112"   << "65"    << "66"                   << "24";
    QTest::newRow("61855") << 61855 << Variant::Radii              << Level::Whole    << "30"    << "111"   << "210"                  << "72";
    QTest::newRow("10004") << 10004 << Variant::Legs               << Level::Roots    << "11"    << "1"     << "(12 − √122)/2"        << "√122/2";
    QTest::newRow("61857") << 61857 << Variant::LegAndInradius     << Level::Roots    << "16"    << "1"     << "15/7"                 << "113/14";
    QTest::newRow("10006") << 10006 << Variant::LegAndCircumradius << Level::Roots    << "21"    << "12"    << "3√15"                 << "(3√15 − 3)/2";
    QTest::newRow("61859") << 61859 << Variant::Radii              << Level::Roots    << "6"     << "28"    << "34 + 2√103"           << "34 − 2√103";
    QTest::newRow("10008") << 10008 << Variant::Legs               << Level::Decimals << "5,74"  << "17,14" << "(1144 − √816818)/100" << "√816818/100";
    QTest::newRow("61861") << 61861 << Variant::LegAndInradius     << Level::Decimals << "21,82" << "3,56"  << "162514/18375"         << "865253/73500";
    QTest::newRow("10010") << 10010 << Variant::LegAndCircumradius << Level::Decimals << "7,48"  << "5,32"  << "√35787/25"            << "(√35787 − 79)/50";
    QTest::newRow("61863") << 61863 << Variant::Radii              << Level::Decimals << "3,32"  << "11,85" << "(1517 + √507161)/100" << "(1517 − √507161)/100";
    // clang-format on
}

void TestPractice::numbersKeepTheirProblems()
{
    QFETCH(int, number);
    QFETCH(Variant, variant);
    QFETCH(Level, level);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, firstAnswer);
    QFETCH(QString, secondAnswer);

    const auto p = practice::problem(number);
    QVERIFY(p);
    QCOMPARE(p->variant, variant);
    QCOMPARE(p->level, level);
    QCOMPARE(text(p->givens[0]), first);
    QCOMPARE(text(p->givens[1]), second);
    QCOMPARE(text(p->answer(0)), firstAnswer);
    QCOMPARE(text(p->answer(1)), secondAnswer);
    // Each given stated as «a = 6 см», the sought values named.
    const QString stated = practice::statement(*p, bulgarian);
    const auto &facts = solver::factsOf(variant);
    for (int i = 0; i < 2; ++i)
        QVERIFY2(stated.contains(QStringLiteral("%1 = %2 см")
                                     .arg(QLatin1String(solver::symbol(facts.given[i])),
                                          i == 0 ? first : second)),
                 qPrintable(stated));
    QVERIFY2(stated.endsWith(QStringLiteral("Намерете %1 и %2.")
                                 .arg(QLatin1String(solver::symbol(facts.computed[0])),
                                      QLatin1String(solver::symbol(facts.computed[1])))),
             qPrintable(stated));
}

void TestPractice::everyNumberPosesWhatItsLevelPromises_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<Level>("level");
    for (int l = 0; l < practice::levelCount; ++l)
        for (int v = 0; v < solver::variantCount; ++v)
            QTest::addRow("variant %d, level %d", v + 1, l) << Variant(v) << Level(l);
}

// Over every third index of a variant and a level (2 500 problems each):
// the number tells the variant and the level, the givens are the values of
// the variant's given columns of a right triangle that the solver finds too,
// the numbers are what the level promises, and for the radii R is strictly
// above (1 + √2)·r. More than 50 of them differ, so that none need repeat
// within 50 in a row.
void TestPractice::everyNumberPosesWhatItsLevelPromises()
{
    QFETCH(Variant, variant);
    QFETCH(Level, level);
    std::set<QString> distinct;
    for (int index = 0; index < practice::indexCount(); index += 3) {
        const int number = practice::numberOf(variant, level, index);
        const auto p = practice::problem(number);
        QVERIFY(p);
        QCOMPARE(p->number, number);
        QCOMPARE(p->variant, variant);
        QCOMPARE(p->level, level);
        const practice::ExactTriangle &t = p->exact;
        const auto &facts = solver::factsOf(variant);
        for (int i = 0; i < 2; ++i)
            QVERIFY(practice::valueOf(t, facts.given[i]) == p->givens[i]);
        QVERIFY(t.a * t.a + t.b * t.b == t.c * t.c);
        QVERIFY(exact::Number(2) * t.r == t.a + t.b - t.c);
        QVERIFY(exact::Number(2) * t.R == t.c);
        for (const exact::Number *x : {&t.a, &t.b, &t.r})
            QVERIFY(x->sign() > 0);
        const auto solved = p->triangle();
        QVERIFY(solved.a > 0 && solved.b > 0 && solved.r > 0 && solved.R > 0);
        if (variant == Variant::Radii)
            QVERIFY2(t.a != t.b, qPrintable(QString::number(number)));
        switch (level) {
        case Level::Whole:
            QVERIFY(isWhole(p->givens[0]) && isWhole(p->givens[1]));
            QVERIFY2(isWholeOrHalf(p->answer(0)) && isWholeOrHalf(p->answer(1)),
                     qPrintable(QString::number(number)));
            break;
        case Level::Roots:
            QVERIFY(isWhole(p->givens[0]) && isWhole(p->givens[1]));
            // A root, or where the answers are rational a fraction.
            QVERIFY2(!isWhole(p->answer(0)) || !isWhole(p->answer(1)),
                     qPrintable(QString::number(number)));
            break;
        case Level::Decimals:
            QVERIFY(hasAtMostTwoDecimals(p->givens[0]) && hasAtMostTwoDecimals(p->givens[1]));
            QVERIFY(!isWhole(p->givens[0]) || !isWhole(p->givens[1]));
            break;
        }
        distinct.insert(text(p->givens[0]) + u' ' + text(p->givens[1]));
    }
    QVERIFY2(distinct.size() > practice::ProblemDrawer::remembered,
             qPrintable(QString::number(distinct.size())));
}

void TestPractice::noProblemRepeatsWithinFifty()
{
    // The fewest problems of all: whole-number radii.
    std::uint32_t state = 1;
    practice::ProblemDrawer drawer([&state] { return state = state * 1664525u + 1013904223u; });
    QStringList posed;
    for (int i = 0; i < 300; ++i) {
        const Problem p = drawer.next(Variant::Radii, Level::Whole);
        const QString givens = text(p.givens[0]) + u' ' + text(p.givens[1]);
        QVERIFY2(!posed.mid(std::max(qsizetype(0), posed.size() - 50)).contains(givens),
                 qPrintable(givens));
        posed << givens;
    }
}

void TestPractice::answersAreReadAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line"); // what the window shows under the box
    QTest::addColumn<bool>("simplest");
    QTest::addColumn<bool>("decimal"); // a rounded one: written with its separator

    // clang-format off
    QTest::newRow("whole, exact")        << "6"              << "Разбрах: 6"                     << true  << false;
    QTest::newRow("decimal comma")       << "0,2929"         << "Разбрах: 0,2929"                << true  << true;
    QTest::newRow("decimal point, cm")   << " 2.5 cm"        << "Разбрах: 2,5"                   << true  << true;
    QTest::newRow("fraction")            << "45/8"           << "Разбрах: 5,625"                 << true  << false;
    QTest::newRow("fraction that cancels") << "90/16 см"     << "Разбрах: 5,625"                 << false << false;
    QTest::newRow("whole as a fraction") << "4/2"            << "Разбрах: 2"                     << false << false;
    QTest::newRow("root")                << "√2"             << "Разбрах: √2 ≈ 1,414"            << true  << false;
    QTest::newRow("root in brackets")    << "√(2)"           << "Разбрах: √2 ≈ 1,414"            << true  << false;
    QTest::newRow("sqrt")                << "sqrt(2)"        << "Разбрах: √2 ≈ 1,414"            << true  << false;
    QTest::newRow("корен")               << "корен(2)"       << "Разбрах: √2 ≈ 1,414"            << true  << false;
    QTest::newRow("root with a square")  << "√8"             << "Разбрах: 2√2 ≈ 2,828"           << false << false;
    QTest::newRow("bracketed square")    << "√(8)"           << "Разбрах: 2√2 ≈ 2,828"           << false << false;
    QTest::newRow("products")            << "3√2"            << "Разбрах: 3√2 ≈ 4,243"           << true  << false;
    QTest::newRow("product with ·")      << "3·√2"           << "Разбрах: 3√2 ≈ 4,243"           << true  << false;
    QTest::newRow("product with *")      << "3 * √2"         << "Разбрах: 3√2 ≈ 4,243"           << true  << false;
    QTest::newRow("bracket product")     << "2(1 + √2)"      << "Разбрах: 2 + 2√2 ≈ 4,828"       << true  << false;
    QTest::newRow("minus of a keyboard") << "(7 - √13)/2"    << "Разбрах: (7 − √13)/2 ≈ 1,697"   << true  << false;
    QTest::newRow("minus sign")          << "(7 − √13)/2"    << "Разбрах: (7 − √13)/2 ≈ 1,697"   << true  << false;
    QTest::newRow("root over a number")  << "√13/2"          << "Разбрах: √13/2 ≈ 1,803"         << true  << false;
    QTest::newRow("nothing")             << "  "             << ""                               << true  << false;
    QTest::newRow("unfinished root")     << "3√"             << "Не разбирам след „3√“"          << true  << false;
    QTest::newRow("letters")             << "abc"            << "Не разбирам „abc“"              << true  << false;
    QTest::newRow("two numbers")         << "2, 5"           << "Не разбирам след „2“"           << true  << false;
    QTest::newRow("open bracket")        << "(1 + 2"         << "Не разбирам след „(1 + 2“"      << true  << false;
    QTest::newRow("division by zero")    << "1/0"            << "Не мога да пресметна: делене на нула" << true << false;
    QTest::newRow("root of a negative")  << "√(1 − 2)"       << "Не мога да пресметна: корен от отрицателно число" << true << false;
    QTest::newRow("two roots")           << "√2 + √3"        << "Не мога да пресметна: числа с два различни корена" << true << false;
    QTest::newRow("exponent")            << "1e5"            << "Не разбирам след „1“"           << true  << false;
    QTest::newRow("deep brackets")       << QString(60, u'(') + u'1' + QString(60, u')') << "Не разбирам след „" + QString(50, u'(') + u'“' << true << false;
    // clang-format on
}

// What a student types is read once, shown back as it was understood or
// where reading stopped, never taken as 0.
void TestPractice::answersAreReadAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, line);
    QFETCH(bool, simplest);
    QFETCH(bool, decimal);

    const practice::AnswerReading reading = practice::readAnswer(typed);
    QCOMPARE(practice::readingLine(reading, bulgarian), line);
    QCOMPARE(reading.value.has_value(), line.startsWith(u"Разбрах"));
    QCOMPARE(reading.simplest, simplest);
    QCOMPARE(reading.rounding.has_value(), decimal);
}

void TestPractice::answersAreJudged_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("firstVerdict");  // its beginning
    QTest::addColumn<QString>("secondVerdict");

    // 10000: a = 135, b = 72, c = 153, r = 27, R = 76,5.
    // 10002: a = 112, R = 65, c = 130, b = 66, r = 24.
    // 10004: a = 11, b = 1: r = (12 − √122)/2 ≈ 0,477320, R = √122/2 ≈ 5,522681.
    // 10003: r = 10, R = 37: a = 70, b = 24.
    const QString right = QStringLiteral("Вярно.");
    // clang-format off
    QTest::newRow("both right")            << 10000 << "27"            << "76,5"   << right << right;
    QTest::newRow("exact forms")           << 10004 << "(12 - √122)/2" << "√122/2" << right << right;
    QTest::newRow("an equal form")         << 10004 << "6 − √122/2"    << "0,5√122" << right << right;
    QTest::newRow("simpler: 153/2")        << 10000 << "54/2"          << "153/2"  << "Вярно, но може по-просто: 27." << right;
    QTest::newRow("decimals rounded")      << 10004 << "0,477"         << "5,5227" << right << right;
    QTest::newRow("too few digits")        << 10004 << "0,48"          << "5,5"    << "Невярно: твърде малко цифри" << "Невярно: твърде малко цифри";
    QTest::newRow("cut, not rounded")      << 10004 << "0,4773"        << "5,522"  << right << "Невярно: отрязали сте цифрите; закръглете: 5,523.";
    QTest::newRow("trailing zeros count")  << 10000 << "27,0"          << "76,50"  << right << right;
    QTest::newRow("missing")               << 10000 << ""              << "  "     << "Липсва отговор." << "Липсва отговор.";
    QTest::newRow("not understood")        << 10000 << "2,7,"          << "76,5"   << "Невярно: не разбирам" << right;
    QTest::newRow("r and R swapped")       << 10000 << "76,5"          << "27"     << "Невярно: това е R" << "Невярно: това е r";
    QTest::newRow("R taken as c")          << 10000 << "27"            << "153"    << right << "Невярно: това е хипотенузата c";
    QTest::newRow("r from (a + b + c)/2")  << 10000 << "180"           << "76,5"   << "Невярно: 2r = a + b − c: хипотенузата се изважда" << right;
    QTest::newRow("r from (a + b)/2")      << 10000 << "103,5"         << "76,5"   << "Невярно: 2r = a + b − c: хипотенузата c е пропусната" << right;
    QTest::newRow("c² = a² − b²")          << 10000 << "(207 - 9√161)/2" << "9√161/2" << "Невярно: по Питагоровата теорема c² = a² + b²" << "Невярно: по Питагоровата теорема c² = a² + b²";
    QTest::newRow("b = √(c² + a²)")        << 10002 << "2√7361"        << "√7361 − 9" << "Невярно: по Питагоровата теорема b² = c² − a²" << "Невярно: по Питагоровата теорема b² = c² − a²";
    QTest::newRow("a mistake's decimal")   << 10004 << "0,477"         << "11,0"   << right << "Невярно: това е хипотенузата c";
    QTest::newRow("otherwise the relation") << 10002 << "65"           << "20"     << "Невярно. b следва от a² + b² = c²" << "Невярно. r следва от 2r = a + b − c.";
    QTest::newRow("legs in either order")  << 10003 << "24"            << "70"     << right << right;
    QTest::newRow("legs, one wrong")       << 10003 << "24"            << "71"     << right << "Невярно. a и b са корените";
    // clang-format on
}

// The checker as a table: each known mistake gives its verdict, the first
// row that matches; an answer right in any exact form or correctly rounded.
void TestPractice::answersAreJudged()
{
    QFETCH(int, number);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, firstVerdict);
    QFETCH(QString, secondVerdict);

    const auto p = practice::problem(number);
    QVERIFY(p);
    const auto verdicts =
        practice::check(*p, {practice::readAnswer(first), practice::readAnswer(second)}, bulgarian);
    QVERIFY2(verdicts[0].text.startsWith(firstVerdict), qPrintable(verdicts[0].text));
    QVERIFY2(verdicts[1].text.startsWith(secondVerdict), qPrintable(verdicts[1].text));
    QCOMPARE(verdicts[0].right, firstVerdict.startsWith(u"Вярно"));
    QCOMPARE(verdicts[1].right, secondVerdict.startsWith(u"Вярно"));
}

QTEST_GUILESS_MAIN(TestPractice)
#include "tst_practice.moc"
