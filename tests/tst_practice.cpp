#include "answercheck.h"
#include "answerreading.h"
#include "problem.h"
#include "schooltext.h"

#include <QTest>

#include <boost/multiprecision/cpp_int.hpp>

#include "sanitized.h"

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
    void typeNumbersKeepTheirProblems_data();
    void typeNumbersKeepTheirProblems();
    void everyTypeNumberPosesWhatItsLevelPromises_data();
    void everyTypeNumberPosesWhatItsLevelPromises();
    void answersOfEveryTypeAreJudged_data();
    void answersOfEveryTypeAreJudged();
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
    QTest::addColumn<bool>("decimal");
    QTest::addColumn<QString>("box"); // the quantity of the box typed into, by name // a rounded one: written with its separator

    // clang-format off
    QTest::newRow("whole, exact")        << "6"              << "Разбрах: 6"                     << true  << false << QString();
    QTest::newRow("decimal comma")       << "0,2929"         << "Разбрах: 0,2929"                << true  << true << QString();
    QTest::newRow("decimal point, cm")   << " 2.5 cm"        << "Разбрах: 2,5"                   << true  << true << QString();
    QTest::newRow("fraction")            << "45/8"           << "Разбрах: 5,625"                 << true  << false << QString();
    QTest::newRow("fraction that cancels") << "90/16 см"     << "Разбрах: 5,625"                 << false << false << QString();
    QTest::newRow("whole as a fraction") << "4/2"            << "Разбрах: 2"                     << false << false << QString();
    QTest::newRow("root")                << "√2"             << "Разбрах: √2 ≈ 1,414"            << true  << false << QString();
    QTest::newRow("root in brackets")    << "√(2)"           << "Разбрах: √2 ≈ 1,414"            << true  << false << QString();
    QTest::newRow("sqrt")                << "sqrt(2)"        << "Разбрах: √2 ≈ 1,414"            << true  << false << QString();
    QTest::newRow("корен")               << "корен(2)"       << "Разбрах: √2 ≈ 1,414"            << true  << false << QString();
    QTest::newRow("root with a square")  << "√8"             << "Разбрах: 2√2 ≈ 2,828"           << false << false << QString();
    QTest::newRow("bracketed square")    << "√(8)"           << "Разбрах: 2√2 ≈ 2,828"           << false << false << QString();
    QTest::newRow("products")            << "3√2"            << "Разбрах: 3√2 ≈ 4,243"           << true  << false << QString();
    QTest::newRow("product with ·")      << "3·√2"           << "Разбрах: 3√2 ≈ 4,243"           << true  << false << QString();
    QTest::newRow("product with *")      << "3 * √2"         << "Разбрах: 3√2 ≈ 4,243"           << true  << false << QString();
    QTest::newRow("bracket product")     << "2(1 + √2)"      << "Разбрах: 2 + 2√2 ≈ 4,828"       << true  << false << QString();
    QTest::newRow("minus of a keyboard") << "(7 - √13)/2"    << "Разбрах: (7 − √13)/2 ≈ 1,697"   << true  << false << QString();
    QTest::newRow("minus sign")          << "(7 − √13)/2"    << "Разбрах: (7 − √13)/2 ≈ 1,697"   << true  << false << QString();
    QTest::newRow("root over a number")  << "√13/2"          << "Разбрах: √13/2 ≈ 1,803"         << true  << false << QString();
    QTest::newRow("nothing")             << "  "             << ""                               << true  << false << QString();
    QTest::newRow("unfinished root")     << "3√"             << "Не разбирам след „3√“"          << true  << false << QString();
    QTest::newRow("letters")             << "abc"            << "Не разбирам „abc“"              << true  << false << QString();
    QTest::newRow("two numbers")         << "2, 5"           << "Не разбирам след „2“"           << true  << false << QString();
    QTest::newRow("open bracket")        << "(1 + 2"         << "Не разбирам след „(1 + 2“"      << true  << false << QString();
    QTest::newRow("division by zero")    << "1/0"            << "Не мога да пресметна: делене на нула" << true << false << QString();
    QTest::newRow("root of a negative")  << "√(1 − 2)"       << "Не мога да пресметна: корен от отрицателно число" << true << false << QString();
    QTest::newRow("two roots")           << "√2 + √3"        << "Не мога да пресметна: числа с два различни корена" << true << false << QString();
    QTest::newRow("exponent")            << "1e5"            << "Не разбирам след „1“"           << true  << false << QString();
    QTest::newRow("deep brackets")       << QString(60, u'(') + u'1' + QString(60, u')') << "Не разбирам след „" + QString(50, u'(') + u'“' << true << false << QString();
    // As written on paper, into a box of a known quantity.
    QTest::newRow("own symbol")          << "r = 6 − 3√2"    << "Разбрах: 6 − 3√2 ≈ 1,757"       << true  << false << "r";
    QTest::newRow("own symbol, no blanks") << "R=3√2"        << "Разбрах: 3√2 ≈ 4,243"           << true  << false << "R";
    QTest::newRow("symbol and unit")     << "S = 24 см²"     << "Разбрах: 24"                    << true  << false << "S";
    QTest::newRow("cm² typed plainly")   << "24 cm2"         << "Разбрах: 24"                    << true  << false << "S";
    QTest::newRow("another box's symbol") << "R = 3√2"       << "Това поле е за r, радиуса на вписаната окръжност" << true << false << "r";
    QTest::newRow("a₁ typed as a1")      << "a1 = 5"         << "Това поле е за a, катета BC"    << true  << false << "a";
    QTest::newRow("wrong unit")          << "24 см"          << "Разбрах: 24; лицето се мери в см²" << true << false << "S";
    QTest::newRow("symbol, nothing after") << "r ="          << "Не разбирам след „r =“"         << true  << false << "r";
    QTest::newRow("a whole sum over 2")  << "(12 − 6√2)/2"   << "Разбрах: 6 − 3√2 ≈ 1,757"       << false << false << "r";
    QTest::newRow("shares 2 with 4")     << "(12 − 6√2)/4"   << "Разбрах: (6 − 3√2)/2 ≈ 0,8787"  << false << false << "r";
    QTest::newRow("nothing in common")   << "(12 − 5√2)/2"   << "Разбрах: (12 − 5√2)/2 ≈ 2,464"  << true  << false << "r";
    QTest::newRow("a formula's decimal") << "6 − 4,24"       << "Разбрах: 1,76"                  << true  << true  << "r";
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
    QFETCH(QString, box);

    const auto quantity = pairs::quantityNamed(box.toStdString());
    const practice::AnswerReading reading = practice::readAnswer(typed, quantity);
    QCOMPARE(practice::readingLine(reading, bulgarian), line);
    QCOMPARE(reading.value.has_value(), line.startsWith(u"Разбрах"));
    if (!box.isEmpty())
        QVERIFY(quantity);
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
    QTest::newRow("legs, first wrong")     << 10003 << "25"            << "70"     << "Невярно. a и b са корените" << right;
    QTest::newRow("each its relation")     << 10000 << "20"            << "70"     << "Невярно. r следва от 2r = a + b − c" << "Невярно. R следва от 2R = c";
    QTest::newRow("mistake in 2 digits")   << 10004 << "5,5"           << "0,48"   << "Невярно: това е R" << "Невярно: това е r";
    QTest::newRow("far, in few digits")    << 10000 << "2,5"           << "7,7"    << "Невярно. r следва" << "Невярно. R следва";
    // 10520: a = b = 6: r = 6 − 3√2 ≈ 1,757359, R = 3√2 ≈ 4,242641.
    QTest::newRow("as on paper")           << 10520 << "r = 6 − 3√2"   << "R=3√2"  << right << right;
    QTest::newRow("another box's symbol")  << 10520 << "R = 3√2"       << "r = 6 − 3√2" << "Това поле е за r, радиуса на вписаната окръжност." << "Това поле е за R";
    QTest::newRow("simplifies: over 2")    << 10520 << "(12 − 6√2)/2"  << "√18"    << "Вярно, но може по-просто: 6 − 3√2." << "Вярно, но може по-просто: 3√2.";
    QTest::newRow("rounded the wrong way") << 10520 << "1,76"          << "4,25"   << right << "Невярно: закръглено неправилно: 4,24.";
    QTest::newRow("cut")                   << 10520 << "1,7573"        << "4,242"  << "Невярно: отрязали сте цифрите; закръглете: 1,7574." << "Невярно: отрязали сте цифрите; закръглете: 4,243.";
    QTest::newRow("a formula's decimal")   << 10520 << "6 − 4,24"      << "4,24 + 0"  << right << right;
    QTest::newRow("two rounded parts")     << 10520 << "6 − 2,12 − 2,12" << "1,41 + 1,41 + 1,41" << right << right;
    QTest::newRow("a formula far off")     << 10520 << "6 − 3,9"       << "4,3 + 0,5"   << "Невярно. r следва" << "Невярно. R следва";
    QTest::newRow("a decimal in a product") << 10520 << "6 − 2·2,12"   << "3·1,41" << "Не мога да преценя" << "Не мога да преценя";
    QTest::newRow("an exact decimal factor") << 10520 << "6 − 1,5·2√2" << "0,5·6√2" << right << right;
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
    const auto verdicts = practice::check(
        *p, {practice::readAnswer(first, p->sought(0)), practice::readAnswer(second, p->sought(1))},
        bulgarian);
    QVERIFY2(verdicts[0].text.startsWith(firstVerdict), qPrintable(verdicts[0].text));
    QVERIFY2(verdicts[1].text.startsWith(secondVerdict), qPrintable(verdicts[1].text));
    QCOMPARE(verdicts[0].right, firstVerdict.startsWith(u"Вярно"));
    QCOMPARE(verdicts[1].right, secondVerdict.startsWith(u"Вярно"));
}

void TestPractice::typeNumbersKeepTheirProblems_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("type");
    QTest::addColumn<Level>("level");
    QTest::addColumn<QStringList>("givens");  // as the statement writes them
    QTest::addColumn<QStringList>("answers"); // as the key writes them

    // A number printed on a sheet poses the same problem for ever: these rows
    // must never change.
    // clang-format off
    QTest::newRow("100000") << 100000 << "Хипотенуза и r"        << Level::Whole    << QStringList{"c = 182 см", "r = 28 см"}     << QStringList{"168", "70"};
    QTest::newRow("100001") << 100001 << "Хипотенуза и r"        << Level::Roots    << QStringList{"c = 37 см", "r = 6 см"}       << QStringList{"(49 + √337)/2", "(49 − √337)/2"};
    QTest::newRow("100005") << 100005 << "Отсечки m и n"         << Level::Decimals << QStringList{"m = 1,5 см", "n = 11,3 см"}   << QStringList{"(49 + √5791)/10", "(√5791 − 49)/10", "(√5791 − 64)/10"};
    QTest::newRow("100006") << 100006 << "Периметър и r"         << Level::Whole    << QStringList{"P = 532 см", "r = 45 см"}     << QStringList{"221", "11970"};
    QTest::newRow("100009") << 100009 << "Радиуси и лице"        << Level::Decimals << QStringList{"r = 4,8 см", "R = 21,7 см"}   << QStringList{"231,36"};
    QTest::newRow("100011") << 100011 << "Катет, r и лице"       << Level::Roots    << QStringList{"a = 5 см", "r = 1 см"}        << QStringList{"20/3", "17/6"};
    QTest::newRow("100014") << 100014 << "Хипотенуза и височина" << Level::Roots    << QStringList{"c = 39 см", "h = 17 см"}      << QStringList{"(√2847 − 39)/2", "19,5"};
    QTest::newRow("100016") << 100016 << "Лице и r"              << Level::Whole    << QStringList{"S = 1080 см²", "r = 12 см"}   << QStringList{"78", "39"};
    QTest::newRow("100020") << 100020 << "Височина и r"          << Level::Roots    << QStringList{"h = 65 см", "r = 28 см"}      << QStringList{"1568/9"};
    QTest::newRow("100023") << 100023 << "Проекции"              << Level::Roots    << QStringList{"a₁ = 16 см", "b₁ = 14 см"}    << QStringList{"4√30", "2√105", "4√14"};
    QTest::newRow("100025") << 100025 << "Ъгъл и хипотенуза"     << Level::Roots    << QStringList{"α = 60°", "c = 36 см"}        << QStringList{"18√3", "18"};
    QTest::newRow("100028") << 100028 << "Ъгъл и r"              << Level::Decimals << QStringList{"α = 45°", "r = 29,8 см"}      << QStringList{"(298 + 149√2)/5", "(298 + 149√2)/5", "(298 + 298√2)/5"};
    QTest::newRow("100060") << 100060 << "Ъгъл и R"              << Level::Roots    << QStringList{"α = 30°", "R = 29 см"}        << QStringList{"29", "29√3", "(29√3 − 29)/2"};
    // clang-format on
}

void TestPractice::typeNumbersKeepTheirProblems()
{
    QFETCH(int, number);
    QFETCH(QString, type);
    QFETCH(Level, level);
    QFETCH(QStringList, givens);
    QFETCH(QStringList, answers);

    const auto p = practice::problem(number);
    QVERIFY(p);
    QCOMPARE(QString::fromUtf8(p->facts().name), type);
    QCOMPARE(p->level, level);
    QCOMPARE(p->soughtCount(), answers.size());
    for (int i = 0; i < 2; ++i)
        QCOMPARE(practice::givenText(p->facts().givens[std::size_t(i)], p->givens[std::size_t(i)], bulgarian),
                 givens[i]);
    for (int i = 0; i < p->soughtCount(); ++i)
        QCOMPARE(text(p->answer(i)), answers[i]);
}

void TestPractice::everyTypeNumberPosesWhatItsLevelPromises_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Level>("level");
    for (int t = practice::variantTypes; t < practice::typeCount; ++t)
        for (int l = 0; l < practice::levelCount; ++l)
            if (practice::hasLevel(t, Level(l)))
                QTest::addRow("%s, level %d", practice::typeFacts(t).name.data(), l) << t << Level(l);
}

// As for the variants, over a sample of each new type's numbers at each of
// its levels: the number tells the type and the level; the pair solver finds
// one triangle from the givens, whose sought values are the answers, exact;
// the numbers are what the level promises; the statement names every given
// as «c = 10 см» and ends asking for the sought ones. More than 50 differ.
void TestPractice::everyTypeNumberPosesWhatItsLevelPromises()
{
    QFETCH(int, type);
    QFETCH(Level, level);
    const practice::TypeFacts &facts = practice::typeFacts(type);
    std::set<QString> distinct;
    const int step = sanitized ? 2801 : 97;
    for (int index = 0; index < practice::indexCount(type); index += step) {
        const int number = practice::numberOf(type, level, index);
        QVERIFY(number >= practice::firstTypeNumber && number <= practice::lastTypeNumber);
        const auto p = practice::problem(number);
        QVERIFY(p);
        QCOMPARE(p->number, number);
        QCOMPARE(p->type, type);
        QCOMPARE(p->level, level);
        const auto triangle = practice::solvedTriangle(type, p->givens[0], p->givens[1]);
        QVERIFY2(triangle, qPrintable(QString::number(number)));
        const double a = (*triangle)[pairs::Quantity::a].toDouble();
        const double b = (*triangle)[pairs::Quantity::b].toDouble();
        const double c = (*triangle)[pairs::Quantity::c].toDouble();
        QVERIFY(a > 0 && b > 0 && std::abs(a * a + b * b - c * c) <= 1e-9 * c * c);
        const QString stated = practice::statement(*p, bulgarian);
        QStringList sought;
        for (int i = 0; i < p->soughtCount(); ++i) {
            const auto &exact = (*triangle)[p->sought(i)].exact;
            QVERIFY(exact && *exact == p->answer(i));
            QVERIFY(p->answer(i).sign() > 0);
            sought << practice::symbolText(p->sought(i));
        }
        for (std::size_t i = 0; i < 2; ++i) {
            QVERIFY((*triangle)[facts.givens[i]].exact == p->givens[i]);
            QVERIFY2(stated.contains(practice::givenText(facts.givens[i], p->givens[i], bulgarian)),
                     qPrintable(stated));
        }
        const QString last = sought.takeLast();
        const QString asked = sought.isEmpty() ? last : sought.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last;
        QVERIFY2(stated.endsWith(QStringLiteral(" Намерете %1.").arg(asked)), qPrintable(stated));
        const auto isAngle = [&](std::size_t i) { return pairs::isAngle(facts.givens[i]); };
        switch (level) {
        case Level::Whole:
            QVERIFY(isWhole(p->givens[0]) && isWhole(p->givens[1]));
            for (int i = 0; i < p->soughtCount(); ++i)
                QVERIFY2(isWholeOrHalf(p->answer(i)), qPrintable(QString::number(number)));
            break;
        case Level::Roots: {
            QVERIFY(isWhole(p->givens[0]) && isWhole(p->givens[1]));
            bool root = false;
            for (int i = 0; i < p->soughtCount(); ++i)
                root = root || !isWholeOrHalf(p->answer(i));
            QVERIFY2(root, qPrintable(QString::number(number)));
            break;
        }
        case Level::Decimals:
            QVERIFY(hasAtMostTwoDecimals(p->givens[0]) && hasAtMostTwoDecimals(p->givens[1]));
            QVERIFY(!isWhole(p->givens[0]) || !isWhole(p->givens[1]));
            break;
        }
        for (std::size_t i = 0; i < 2; ++i)
            if (isAngle(i))
                QVERIFY(p->givens[i] == exact::Number(30) || p->givens[i] == exact::Number(45)
                        || p->givens[i] == exact::Number(60));
        distinct.insert(text(p->givens[0]) + u' ' + text(p->givens[1]));
    }
    if (!sanitized)
        QVERIFY2(distinct.size() > practice::ProblemDrawer::remembered,
                 qPrintable(QString::number(distinct.size())));
}

void TestPractice::answersOfEveryTypeAreJudged_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("verdicts"); // their beginnings

    const QString right = QStringLiteral("Вярно.");
    // 100003: m = 102, n = 55: a = 85, b = 132, r = 30, c = 157, S = 5610.
    // 100008: r = 6, R = 15: S = 216.  100016: S = 1080, r = 12: c = 78, R = 39.
    // 100022: a₁ = 180, b₁ = 320: c = 500, a = 300, b = 400, h = 240.
    // 100025: α = 60°, c = 36: a = 18√3, b = 18.  100001: c = 37, r = 6.
    // clang-format off
    QTest::newRow("three right")       << 100003 << QStringList{"85", "b = 132", "30 см"} << QStringList{right, right, right};
    QTest::newRow("m and n swapped")   << 100003 << QStringList{"132", "85", "15"}  << QStringList{"Невярно: m и n са разменени", "Невярно: m и n са разменени", "Невярно: S = r·p"};
    QTest::newRow("the area")          << 100008 << QStringList{"S = 216 см²"}      << QStringList{right};
    QTest::newRow("S = a·b")           << 100008 << QStringList{"432"}              << QStringList{"Невярно: лицето на правоъгълния триъгълник е половината"};
    QTest::newRow("area in cm")        << 100008 << QStringList{"216 см"}           << QStringList{"Невярно: числото е вярно, но лицето се мери в см²."};
    QTest::newRow("c = a + b")         << 100016 << QStringList{"102", "39"}        << QStringList{"Невярно: c < a + b", right};
    QTest::newRow("otherwise relations") << 100016 << QStringList{"77", "40"}       << QStringList{"Невярно. S = r·p и p = c + r", "Невярно. R = c/2"};
    QTest::newRow("a₁ = a/c")          << 100022 << QStringList{"90000", "160000", "120000"} << QStringList{"Невярно: a₁ = a²/c", "Невярно: a₁ = a²/c", "Невярно: h = a·b/c"};
    QTest::newRow("α and β swapped")   << 100025 << QStringList{"18", "18√3"}       << QStringList{"Невярно: α и β са разменени", "Невярно: α и β са разменени"};
    QTest::newRow("legs either order") << 100001 << QStringList{"(49 − √337)/2", "(49 + √337)/2"} << QStringList{right, right};
    // clang-format on
}

// The checker for the other types: their known mistakes, units and symbols.
void TestPractice::answersOfEveryTypeAreJudged()
{
    QFETCH(int, number);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, verdicts);

    const auto p = practice::problem(number);
    QVERIFY(p);
    QCOMPARE(p->soughtCount(), answers.size());
    std::vector<practice::AnswerReading> readings;
    for (int i = 0; i < answers.size(); ++i)
        readings.push_back(practice::readAnswer(answers[i], p->sought(i)));
    const auto judged = practice::check(*p, readings, bulgarian);
    QCOMPARE(qsizetype(judged.size()), verdicts.size());
    for (int i = 0; i < verdicts.size(); ++i) {
        QVERIFY2(judged[std::size_t(i)].text.startsWith(verdicts[i]), qPrintable(judged[std::size_t(i)].text));
        QCOMPARE(judged[std::size_t(i)].right, verdicts[i].startsWith(u"Вярно"));
    }
}

QTEST_GUILESS_MAIN(TestPractice)
#include "tst_practice.moc"
