#include "failurereport.h"
#include "locales.h"
#include "numbertext.h"
#include "solver.h"
#include "variants.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

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
//   quotes no infinity or NaN (written as "inf" and "nan"), in both locales;
// - the givens have a triangle exactly when the solve gives one, decided
//   exactly: a > 2r, a < 2R, R >= (1 + sqrt 2) r or R the double nearest
//   that limit; a failure past the range of double comes only where a value
//   of the triangle is beyond the normal doubles, and its message quotes no
//   condition;
// - each value solved is within 1e-13 of the triangle worked out in long
//   double (where long double is that accurate: not next to the radii's
//   isosceles limit).
namespace {

using solver::Failure;
using solver::Triangle;
using solver::Variant;

using Wide = long double;

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
    return solver::givens(c.variant, t) == std::pair{c.first, c.second};
}

// x = mantissa * 2^exponent exactly, the mantissa an integer below 2^54.
struct Exactly
{
    std::int64_t mantissa;
    int exponent;
};

Exactly exactly(double x)
{
    int exponent = 0;
    const double fraction = std::frexp(x, &exponent);
    return {std::int64_t(std::ldexp(fraction, 53)), exponent - 53};
}

// The sign of R^2 - 2Rr - r^2, computed exactly in 128-bit integers: it is
// negative exactly where R < (1 + sqrt 2) r.
int radiiSign(Exactly R, Exactly r)
{
    const Wide ratio = std::ldexp(Wide(R.mantissa), R.exponent - r.exponent) / Wide(r.mantissa);
    if (ratio >= 4)
        return 1;
    if (ratio <= 2)
        return -1;
    // Here R / r lies in (2, 4): the exponents differ by a few at most.
    const int common = std::min(R.exponent, r.exponent);
    const __int128 big = __int128(R.mantissa) << (R.exponent - common);
    const __int128 small = __int128(r.mantissa) << (r.exponent - common);
    const __int128 d = big * big - 2 * big * small - small * small;
    return d > 0 ? 1 : d < 0 ? -1 : 0;
}

// Whether the givens have a triangle, decided exactly.
bool hasTriangle(Variant variant, double first, double second)
{
    switch (variant) {
    case Variant::Legs:
        return true;
    case Variant::LegAndInradius:
        return Wide(first) > 2 * Wide(second);
    case Variant::LegAndCircumradius:
        return Wide(first) < 2 * Wide(second);
    case Variant::Radii: {
        const Exactly R = exactly(second);
        const Exactly r = exactly(first);
        if (radiiSign(R, r) >= 0)
            return true;
        // Below the limit: a triangle still where R is the double nearest
        // it, that is where the midpoint between R and the next double up
        // lies above it.
        return radiiSign({2 * R.mantissa + 1, R.exponent - 1}, r) > 0;
    }
    }
    return false;
}

// The triangle in long double, by the relations without cancellation (the
// radii's R^2 - 2Rr - r^2 aside).
Triangle wideTriangle(Variant variant, Wide x, Wide y)
{
    switch (variant) {
    case Variant::Legs: {
        const Wide c = std::sqrt(x * x + y * y);
        return {double(x), double(y), double(x * y / (x + y + c)), double(c / 2)};
    }
    case Variant::LegAndInradius: {
        const Wide b = 2 * y * (x - y) / (x - 2 * y);
        return {double(x), double(b), double(y), double((x - 2 * y + b) / 2)};
    }
    case Variant::LegAndCircumradius: {
        const Wide b = std::sqrt((2 * y - x) * (2 * y + x));
        return {double(x), double(b), double(x * b / (x + b + 2 * y)), double(y)};
    }
    case Variant::Radii: {
        const Wide a = y + x + std::sqrt(std::max(y * y - 2 * y * x - x * x, Wide(0)));
        return {double(a), double(2 * x * (x + 2 * y) / a), double(x), double(y)};
    }
    }
    return {};
}

// -1: some value is clearly beyond the normal doubles, 1: all are clearly
// within, 0: one is at an end, where rounding may take it either way.
int normalRange(const Triangle &t)
{
    constexpr double smallest = std::numeric_limits<double>::min();
    constexpr double largest = std::numeric_limits<double>::max();
    int verdict = 1;
    for (const double value : {t.a, t.b, t.r, t.R}) {
        if (!(value >= smallest && value <= largest))
            return -1;
        if (value < smallest * (1 + 1e-9) || value > largest * (1 - 1e-9))
            verdict = 0;
    }
    return verdict;
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

    if (!hasTriangle(c.variant, c.first, c.second))
        fail("a triangle where the condition fails", c);
    const Triangle wide = wideTriangle(c.variant, c.first, c.second);
    if (normalRange(wide) < 0)
        fail("a triangle whose values are beyond the normal doubles", c);
    const bool wideIsExact = c.variant != Variant::Radii || c.second >= 2.5 * c.first;
    const double expected[] = {wide.a, wide.b, wide.r, wide.R};
    for (int i = 0; i < 4 && wideIsExact; ++i)
        if (!(std::abs(values[i] - expected[i]) <= 1e-13 * expected[i]))
            fail("a value is not within 1e-13", c,
                 QStringLiteral("%1 instead of %2").arg(values[i], 0, 'g', 17).arg(expected[i], 0, 'g', 17));
}

void checkFailure(const Case &c, Failure failure)
{
    switch (failure) {
    case Failure::MissingGiven:
    case Failure::Condition:
    case Failure::TooLarge:
    case Failure::TooSmall:
        break;
    default:
        fail("an unknown kind of failure", c, QString::number(int(failure)));
    }

    const bool pastTheRange = failure == Failure::TooLarge || failure == Failure::TooSmall;
    for (const QLocale *locale : {&pointLocale(), &commaLocale()}) {
        const QString message = failureReport(c.variant, failure, c.first, c.second, *locale).message;
        if (message.trimmed().isEmpty())
            fail("a failure without a message", c);
        if (message.contains(QLatin1StringView("inf")) || message.contains(QLatin1StringView("nan")))
            fail("the message quotes an infinity or NaN", c, message);
        if (pastTheRange && message.contains(QStringLiteral("Условие")))
            fail("the message quotes a condition that holds", c, message);
    }

    if (failure == Failure::MissingGiven) {
        if (isPositiveFinite(c.first) && isPositiveFinite(c.second))
            fail("positive finite givens taken as missing", c);
        return;
    }
    if (!std::isfinite(c.first) || !std::isfinite(c.second)) {
        if (failure != Failure::TooLarge)
            fail("an infinite given not taken as too large", c);
        return;
    }
    const bool normalGivens = c.first >= std::numeric_limits<double>::min()
                              && c.second >= std::numeric_limits<double>::min();
    if (!pastTheRange) {
        if (hasTriangle(c.variant, c.first, c.second))
            fail("no triangle although the condition holds", c);
    } else if (normalGivens && hasTriangle(c.variant, c.first, c.second)
               && normalRange(wideTriangle(c.variant, c.first, c.second)) > 0) {
        fail("a failure past the range of double on a triangle within it", c);
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
