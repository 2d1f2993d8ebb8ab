#include "failuremessage.h"
#include "locales.h"
#include "numbertext.h"
#include "solver.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Fuzzes the whole way of a calculation, as Calculate takes it: the texts of
// the two given boxes are read as numbers, solved, and either the four values
// are written back as text or the failure becomes the message the student
// reads.
//
// Input: the low two bits of the first byte choose the variant (so the seed
// "23|2.5" is «Вариант 3» with a = 3 and R = 2.5); the rest, up to the first
// "|", is the text of the first given box and everything after it the text
// of the second, both as UTF-8.
//
// Besides the sanitizers' own checks:
// - the same givens solve to the same bits, or fail in the same way;
// - a solve gives four positive finite numbers, the two givens among them
//   unchanged, each written as a text that reads back as a positive finite
//   number, in a "." and a "," locale;
// - a failure is one of the known kinds, and its message is not empty and
//   quotes no infinity or NaN (written as "inf" and "nan"), in both locales.
namespace {

using solver::Failure;
using solver::Triangle;
using solver::Variant;

struct Case
{
    Variant variant;
    QString firstText;
    QString secondText;
    double first;
    double second;
};

[[noreturn]] void fail(const char *property, const Case &c, const QString &detail = {})
{
    std::fprintf(stderr, "%s\n  variant %d, texts \"%s\" and \"%s\", read as %.17g and %.17g\n  %s\n",
                 property, int(c.variant), c.firstText.toUtf8().constData(),
                 c.secondText.toUtf8().constData(), c.first, c.second,
                 detail.toUtf8().constData());
    std::abort();
}

bool isPositiveFinite(double value)
{
    return std::isfinite(value) && value > 0;
}

bool keepsGivens(const Case &c, const Triangle &t)
{
    switch (c.variant) {
    case Variant::Legs:
        return t.a == c.first && t.b == c.second;
    case Variant::LegAndInradius:
        return t.a == c.first && t.r == c.second;
    case Variant::LegAndCircumradius:
        return t.a == c.first && t.R == c.second;
    case Variant::Radii:
        return t.r == c.first && t.R == c.second;
    }
    return false;
}

void checkTriangle(const Case &c, const Triangle &t)
{
    const double values[] = {t.a, t.b, t.r, t.R};
    for (const double value : values)
        if (!isPositiveFinite(value))
            fail("a solved value is not a positive finite number", c,
                 QString::number(value, 'g', 17));
    if (!keepsGivens(c, t))
        fail("the givens did not come back unchanged", c);

    for (const QLocale *locale : {&pointLocale(), &commaLocale()})
        for (const double value : values) {
            const QString text = numbertext::toText(value, *locale);
            if (!isPositiveFinite(numbertext::toNumber(text)))
                fail("a value written does not read back as a positive number", c, text);
        }
}

void checkFailure(const Case &c, Failure failure)
{
    switch (failure) {
    case Failure::DivisionByZero:
    case Failure::NegativeSquareRoot:
    case Failure::Overflow:
    case Failure::InvalidGiven:
    case Failure::NotATriangle:
        break;
    default:
        fail("an unknown kind of failure", c, QString::number(int(failure)));
    }

    for (const QLocale *locale : {&pointLocale(), &commaLocale()}) {
        const QString message = failureMessage(c.variant, failure, c.first, c.second, *locale);
        if (message.trimmed().isEmpty())
            fail("a failure without a message", c);
        if (message.contains(QLatin1StringView("inf")) || message.contains(QLatin1StringView("nan")))
            fail("the message quotes an infinity or NaN", c, message);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray texts(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const qsizetype bar = texts.indexOf('|');

    Case c;
    c.variant = Variant(data[0] & 3);
    c.firstText = QString::fromUtf8(bar < 0 ? texts : texts.left(bar));
    c.secondText = bar < 0 ? QString() : QString::fromUtf8(texts.mid(bar + 1));
    c.first = numbertext::toNumber(c.firstText);
    c.second = numbertext::toNumber(c.secondText);

    const auto result = solver::solve(c.variant, c.first, c.second);
    const auto again = solver::solve(c.variant, c.first, c.second);
    if (result.has_value() != again.has_value()
        || (result ? !(*result == *again) : result.error() != again.error()))
        fail("the same givens solved twice gave two outcomes", c);

    if (result)
        checkTriangle(c, *result);
    else
        checkFailure(c, result.error());
    return 0;
}
