#include "failuremessage.h"

#include "numbertext.h"
#include "variants.h"

#include <cmath>
#include <numbers>

using solver::Failure;
using solver::Variant;

namespace {

// The symbols of the two givens of a variant, in the order read.
QString givenName(Variant variant, int which)
{
    return QString::fromLatin1(solver::symbol(solver::columnsOf(variant).given[which]));
}

QString reason(Variant variant, Failure failure, double first, double second,
               const QLocale &locale, EmptyGivens empty)
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
        return (firstBad ? empty.first : empty.second)
            ? sentence + QStringLiteral(" (празно поле се чете като 0).")
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
    // The rule, then the limit it sets for the value typed, quoted to four
    // significant digits as a student would read it off a calculator. A
    // limit beyond the range of double (r = 1e308) is left out rather than
    // quoted as "inf".
    const auto rule = [&](const QString &rule, const QString &limitSentence, double limit,
                          double given) {
        if (!std::isfinite(limit) || !std::isfinite(given))
            return QStringLiteral("Условие: %1.").arg(rule);
        return QStringLiteral("Условие: %1, тоест %2.")
            .arg(rule, limitSentence.arg(numbertext::toText(limit, 4, locale),
                                         numbertext::toText(given, locale)));
    };
    switch (variant) {
    case Variant::Legs:
        return QStringLiteral("Условие: a > 0 и b > 0.");
    case Variant::LegAndInradius:
        return rule(QStringLiteral("a > 2·r"),
                    QStringLiteral("a трябва да е по-голямо от %1 при r = %2"), 2 * second, second);
    case Variant::LegAndCircumradius:
        return rule(QStringLiteral("a < 2·R"),
                    QStringLiteral("a трябва да е по-малко от %1 при R = %2"), 2 * second, second);
    case Variant::Radii:
        return rule(QStringLiteral("R ≥ (1 + √2)·r"),
                    QStringLiteral("R трябва да е поне %1 при r = %2"),
                    (1 + std::numbers::sqrt2) * first, first);
    }
    return {};
}

} // namespace

QString failureTitle()
{
    return QStringLiteral("Няма такъв триъгълник");
}

QString failureMessage(Variant variant, Failure failure, double first, double second,
                       const QLocale &locale, EmptyGivens empty)
{
    const QString why = reason(variant, failure, first, second, locale, empty);
    // A number out of the range of double (typed, or met on the way) is no
    // fault of the triangle, which may well exist: no condition is quoted,
    // since it may hold.
    const bool outOfRange = failure == Failure::Overflow || failure == Failure::Underflow
        || (failure == Failure::InvalidGiven && (!std::isfinite(first) || !std::isfinite(second)));
    if (outOfRange)
        return QStringLiteral("Програмата не може да пресметне триъгълник с тези стойности.\n\n%1")
            .arg(why);
    // A given that is not positive breaks the first condition of all.
    const QString rule = failure == Failure::InvalidGiven
        ? QStringLiteral("Условие: %1 > 0 и %2 > 0.").arg(givenName(variant, 0), givenName(variant, 1))
        : condition(variant, first, second, locale);
    return QStringLiteral("Няма правоъгълен триъгълник с тези стойности.\n\n%1\n\n%2")
        .arg(why, rule);
}

QString noVariantTitle()
{
    return QStringLiteral("Няма избран вариант");
}

QString noVariantMessage()
{
    return QStringLiteral("Първо изберете вариант и въведете двете дадени стойности в "
                          "неговия ред, после натиснете «Изчисли».");
}
