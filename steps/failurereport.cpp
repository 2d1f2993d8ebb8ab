#include "failurereport.h"

#include "numbertext.h"
#include "variants.h"

#include <cmath>
#include <functional>

using solver::Bound;
using solver::Column;
using solver::Failure;
using solver::Variant;

namespace {

QString symbolOf(Column column)
{
    return QString::fromLatin1(solver::symbol(column));
}

// The symbols of the two givens of a variant, in the order read.
QString givenName(Variant variant, int which)
{
    return symbolOf(solver::factsOf(variant).given[which]);
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

// The givens of a variant's condition: the one it bounds, the one the bound
// is a multiple of, and the bound they set.
struct Bounded
{
    double limited;
    double by;
    double limit;
};

Bounded bounded(Variant variant, double first, double second)
{
    const solver::Condition &c = solver::conditionOf(variant);
    const double by = solver::givenValue(variant, c.by, first, second);
    return {solver::givenValue(variant, c.limited, first, second), by, c.factor * by};
}

// Why the givens break the variant's condition, in words: at the bound
// itself, or beyond it.
QString brokenCondition(Variant variant, double first, double second, const QLocale &locale)
{
    const auto number = [&](double value) { return numbertext::toText(value, locale); };
    const auto [limited, by, limit] = bounded(variant, first, second);
    switch (variant) {
    case Variant::LegAndInradius:
        if (limited == limit)
            return QStringLiteral("Когато a = 2·r, хипотенузата би трябвало да е безкрайно дълга.");
        if (!std::isfinite(limit))
            return QStringLiteral("Вписаната окръжност не се побира: диаметърът ѝ 2·r е "
                                  "по-голям от катета a = %1.")
                .arg(number(limited));
        return QStringLiteral("Вписаната окръжност не се побира: диаметърът ѝ 2·r = %1 е "
                              "по-голям от катета a = %2.")
            .arg(number(limit), number(limited));
    case Variant::LegAndCircumradius:
        if (limited == limit)
            return QStringLiteral("Някоя от пресметнатите стойности излиза нула или отрицателна.");
        return QStringLiteral("Хипотенузата c = 2·R = %1 е по-къса от катета a = %2, "
                              "а тя е най-дългата страна.")
            .arg(number(limit), number(limited));
    case Variant::Radii:
        return QStringLiteral("Вписаната окръжност е твърде голяма за тази описана окръжност.");
    case Variant::Legs:
        break;
    }
    return {};
}

QString reason(Variant variant, Failure failure, double first, double second,
               const QLocale &locale, MissingGivens missing)
{
    switch (failure) {
    case Failure::MissingGiven: {
        const bool firstBad = !(first > 0);
        const QString sentence =
            QStringLiteral("Дължините и радиусите са положителни числа, а тук %1 = %2")
                .arg(givenName(variant, firstBad ? 0 : 1),
                     numbertext::toText(firstBad ? first : second, locale));
        return (firstBad ? missing.first : missing.second)
            ? sentence + QStringLiteral(" (празно поле или поле без число се чете като 0).")
            : sentence + u'.';
    }
    case Failure::Condition:
        return brokenCondition(variant, first, second, locale);
    case Failure::TooLarge:
        if (!std::isfinite(first) || !std::isfinite(second))
            return QStringLiteral("Някое от числата е твърде голямо.");
        return QStringLiteral("Числата са твърде големи, за да се пресметне с тях.");
    case Failure::TooSmall:
        return QStringLiteral("Числата са твърде малки, за да се пресметне с тях.");
    }
    return {};
}

// What a bound asks of the value it limits, as the limit's sentence says it.
QString boundWords(Bound bound)
{
    switch (bound) {
    case Bound::Above:
        return QStringLiteral("повече от");
    case Bound::Below:
        return QStringLiteral("по-малко от");
    case Bound::AtLeast:
        return QStringLiteral("поне");
    case Bound::None:
        break;
    }
    return {};
}

// Both givens positive: the condition of every variant, and all of the legs'.
QString positiveRule(Variant variant)
{
    return QStringLiteral("Условие: %1 > 0 и %2 > 0.")
        .arg(givenName(variant, 0), givenName(variant, 1));
}

// The rule of the variant's condition, then the limit it sets for the value
// typed: "Условие: a > 2·r, тоест a трябва да е повече от 4 при r = 2.". A
// strict limit is the bound itself or the next number shown beyond it
// ("повече от"); an inclusive one, the first number shown that meets it
// ("поне"). A limit beyond the range of double (r = 1e308) is left out
// rather than quoted as "inf".
QString conditionSentence(Variant variant, double first, double second, const QLocale &locale)
{
    const solver::Condition &c = solver::conditionOf(variant);
    if (c.bound == Bound::None)
        return positiveRule(variant);
    const auto [limited, by, limit] = bounded(variant, first, second);
    // A strict bound's limit is exact (twice a given); whether a value meets
    // the inclusive one is the solver's to say, since it decides it exactly
    // where (1 + √2)·r is no double.
    const auto typeable = [&, by = by, limit = limit](double value) {
        switch (c.bound) {
        case Bound::Above:
            return value >= limit;
        case Bound::Below:
            return value <= limit;
        default: {
            const bool limitedFirst = solver::factsOf(variant).given[0] == c.limited;
            const auto solved = limitedFirst ? solver::solve(variant, value, by)
                                             : solver::solve(variant, by, value);
            return solved || solved.error() != Failure::Condition;
        }
        }
    };
    const QString rule = QString::fromUtf8(c.rule.data(), qsizetype(c.rule.size()));
    const QString quoted = std::isfinite(limit) && std::isfinite(by)
        ? quotedLimit(limit, c.bound == Bound::Below ? -1 : +1, typeable, locale)
        : QString();
    if (quoted.isEmpty())
        return QStringLiteral("Условие: %1.").arg(rule);
    return QStringLiteral("Условие: %1, тоест %2 трябва да е %3 %4 при %5 = %6.")
        .arg(rule, symbolOf(c.limited), boundWords(c.bound), quoted, symbolOf(c.by),
             numbertext::toText(by, locale));
}

} // namespace

FailureReport failureReport(Variant variant, Failure failure, double first, double second,
                            const QLocale &locale, MissingGivens missing)
{
    const QString why = reason(variant, failure, first, second, locale, missing);
    // A number out of the range of double (typed, or met on the way) is no
    // fault of the triangle, which may well exist: no condition is quoted,
    // since it may hold.
    if (failure == Failure::TooLarge || failure == Failure::TooSmall)
        return {QStringLiteral("Извън обхвата на програмата"),
                QStringLiteral("Програмата не може да пресметне триъгълник с тези стойности.\n\n%1")
                    .arg(why)};
    const QString noTriangle = QStringLiteral("Няма правоъгълен триъгълник с тези стойности.");
    if (failure == Failure::MissingGiven) {
        // A given that is not positive breaks the first condition of all;
        // one that is not there at all is asked for.
        const bool firstBad = !(first > 0);
        if (firstBad ? missing.first : missing.second)
            return {QStringLiteral("Липсва число"),
                    QStringLiteral("Въведете двете дадени стойности като числа.\n\n%1\n\n%2")
                        .arg(why, positiveRule(variant))};
        return {QStringLiteral("Няма такъв триъгълник"),
                QStringLiteral("%1\n\n%2\n\n%3").arg(noTriangle, why, positiveRule(variant))};
    }
    return {QStringLiteral("Няма такъв триъгълник"),
            QStringLiteral("%1\n\n%2\n\n%3")
                .arg(noTriangle, why, conditionSentence(variant, first, second, locale))};
}

FailureReport noVariantReport()
{
    return {QStringLiteral("Няма избран вариант"),
            QStringLiteral("Първо изберете вариант и въведете двете дадени стойности в "
                           "неговия ред, после натиснете «Изчисли».")};
}
