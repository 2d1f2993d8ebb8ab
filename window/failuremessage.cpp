#include "failuremessage.h"

#include "numbertext.h"
#include "variants.h"

#include <cmath>
#include <functional>
#include <numbers>

using solver::Failure;
using solver::Variant;

namespace {

// The symbols of the two givens of a variant, in the order read.
QString givenName(Variant variant, int which)
{
    return QString::fromLatin1(solver::symbol(solver::columnsOf(variant).given[which]));
}

// Significant digits of a limit quoted in a message, as a student would read
// it off a calculator.
constexpr int limitDigits = 4;

// The limit with limitDigits significant digits: the decimal nearest to it,
// then moved by one in its last digit, up or down, while typing it as shown
// would still break the condition (`typeable` says whether a value typed
// as shown meets it). Empty where no such number is within the range of
// double.
QString quotedLimit(double limit, int direction, const std::function<bool(double)> &typeable,
                    const QLocale &locale)
{
    double quoted = numbertext::toNumber(numbertext::toText(limit, limitDigits));
    for (int step = 0; step < 3 && std::isfinite(quoted) && !typeable(quoted); ++step) {
        // "2.414e+00" -> 2414 and 0 -> 2415e-3
        const QString scientific = QString::number(quoted, 'e', limitDigits - 1);
        const long long digits =
            scientific.section(u'e', 0, 0).remove(u'.').toLongLong() + direction;
        const int exponent = scientific.section(u'e', 1).toInt() - (limitDigits - 1);
        quoted = numbertext::toNumber(QStringLiteral("%1e%2").arg(digits).arg(exponent));
    }
    if (!std::isfinite(quoted) || !typeable(quoted))
        return {};
    return numbertext::toText(quoted, limitDigits, locale);
}

QString reason(Variant variant, Failure failure, double first, double second,
               const QLocale &locale, MissingGivens missing)
{
    const auto number = [&](double value) { return numbertext::toText(value, locale); };
    switch (failure) {
    case Failure::InvalidGiven: {
        if (!std::isfinite(first) || !std::isfinite(second))
            return QStringLiteral("Някое от числата е твърде голямо.");
        const bool firstBad = !(first > 0);
        const QString sentence =
            QStringLiteral("Дължините и радиусите са положителни числа, а тук %1 = %2")
                .arg(givenName(variant, firstBad ? 0 : 1), number(firstBad ? first : second));
        return (firstBad ? missing.first : missing.second)
            ? sentence + QStringLiteral(" (празно поле или поле без число се чете като 0).")
            : sentence + u'.';
    }
    case Failure::DivisionByZero:
        return QStringLiteral("Когато a = 2·r, хипотенузата би трябвало да е безкрайно дълга.");
    case Failure::NegativeSquareRoot:
        switch (variant) {
        case Variant::LegAndCircumradius:
            return QStringLiteral("Хипотенузата c = 2·R = %1 е по-къса от катета a = %2, "
                                  "а тя е най-дългата страна.")
                .arg(number(2 * second), number(first));
        case Variant::Radii:
            return QStringLiteral("Вписаната окръжност е твърде голяма за тази описана "
                                  "окръжност.");
        default:
            return QStringLiteral("Катетът излиза по-дълъг от хипотенузата.");
        }
    case Failure::Overflow:
        return QStringLiteral("Числата са твърде големи, за да се пресметне с тях.");
    case Failure::Underflow:
        return QStringLiteral("Числата са твърде малки, за да се пресметне с тях.");
    case Failure::NotATriangle:
        if (variant == Variant::LegAndInradius && !std::isfinite(2 * second))
            return QStringLiteral("Вписаната окръжност не се побира: диаметърът ѝ 2·r е "
                                  "по-голям от катета a = %1.")
                .arg(number(first));
        if (variant == Variant::LegAndInradius && first < 2 * second)
            return QStringLiteral("Вписаната окръжност не се побира: диаметърът ѝ 2·r = %1 е "
                                  "по-голям от катета a = %2.")
                .arg(number(2 * second), number(first));
        return QStringLiteral("Някоя от пресметнатите стойности излиза нула или отрицателна.");
    }
    return {};
}

QString condition(Variant variant, double first, double second, const QLocale &locale)
{
    // The rule, then the limit it sets for the value typed. A strict limit
    // is the bound itself or the next number shown beyond it ("повече от");
    // an inclusive one, the first number shown that meets it ("поне"). A
    // limit beyond the range of double (r = 1e308) is left out rather than
    // quoted as "inf".
    const auto rule = [&](const QString &rule, const QString &limitSentence, double limit,
                          int direction, const std::function<bool(double)> &typeable,
                          double given) {
        const QString quoted = std::isfinite(limit) && std::isfinite(given)
            ? quotedLimit(limit, direction, typeable, locale)
            : QString();
        if (quoted.isEmpty())
            return QStringLiteral("Условие: %1.").arg(rule);
        return QStringLiteral("Условие: %1, тоест %2.")
            .arg(rule, limitSentence.arg(quoted, numbertext::toText(given, locale)));
    };
    switch (variant) {
    case Variant::Legs:
        return QStringLiteral("Условие: a > 0 и b > 0.");
    case Variant::LegAndInradius: {
        const double twoR = 2 * second;
        return rule(QStringLiteral("a > 2·r"),
                    QStringLiteral("a трябва да е повече от %1 при r = %2"), twoR, +1,
                    [twoR](double a) { return a >= twoR; }, second);
    }
    case Variant::LegAndCircumradius: {
        const double twoR = 2 * second;
        return rule(QStringLiteral("a < 2·R"),
                    QStringLiteral("a трябва да е по-малко от %1 при R = %2"), twoR, -1,
                    [twoR](double a) { return a <= twoR; }, second);
    }
    case Variant::Radii: {
        // Whether R meets the condition is the solver's to say: it decides
        // it exactly, where (1 + √2)·r is no double.
        const double r = first;
        const auto meets = [r](double R) {
            const auto solved = solver::solve(Variant::Radii, r, R);
            return solved || solved.error() != Failure::NegativeSquareRoot;
        };
        return rule(QStringLiteral("R ≥ (1 + √2)·r"),
                    QStringLiteral("R трябва да е поне %1 при r = %2"),
                    (1 + std::numbers::sqrt2) * r, +1, meets, r);
    }
    }
    return {};
}

} // namespace

FailureReport failureReport(Variant variant, Failure failure, double first, double second,
                            const QLocale &locale, MissingGivens missing)
{
    const QString why = reason(variant, failure, first, second, locale, missing);
    // A number out of the range of double (typed, or met on the way) is no
    // fault of the triangle, which may well exist: no condition is quoted,
    // since it may hold.
    const bool outOfRange = failure == Failure::Overflow || failure == Failure::Underflow
        || (failure == Failure::InvalidGiven && (!std::isfinite(first) || !std::isfinite(second)));
    if (outOfRange)
        return {QStringLiteral("Извън обхвата на програмата"),
                QStringLiteral("Програмата не може да пресметне триъгълник с тези стойности.\n\n%1")
                    .arg(why)};
    if (failure == Failure::InvalidGiven) {
        // A given that is not positive breaks the first condition of all;
        // one that is not there at all is asked for.
        const QString rule = QStringLiteral("Условие: %1 > 0 и %2 > 0.")
                                 .arg(givenName(variant, 0), givenName(variant, 1));
        const bool firstBad = !(first > 0);
        if (firstBad ? missing.first : missing.second)
            return {QStringLiteral("Липсва число"),
                    QStringLiteral("Въведете двете дадени стойности като числа.\n\n%1\n\n%2")
                        .arg(why, rule)};
        return {QStringLiteral("Няма такъв триъгълник"),
                QStringLiteral("Няма правоъгълен триъгълник с тези стойности.\n\n%1\n\n%2")
                    .arg(why, rule)};
    }
    return {QStringLiteral("Няма такъв триъгълник"),
            QStringLiteral("Няма правоъгълен триъгълник с тези стойности.\n\n%1\n\n%2")
                .arg(why, condition(variant, first, second, locale))};
}

FailureReport noVariantReport()
{
    return {QStringLiteral("Няма избран вариант"),
            QStringLiteral("Първо изберете вариант и въведете двете дадени стойности в "
                           "неговия ред, после натиснете «Изчисли».")};
}
