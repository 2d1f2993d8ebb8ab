#include "locales.h"
#include "numbertext.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

// Fuzzes the reading and the writing of numbers as text, the program's only
// way in for what a student types or pastes. The input is the text of a
// value box taken as UTF-8 and, when its length is even, also as raw UTF-16
// code units, so that lone surrogates and every other code unit come by too.
//
// Besides the sanitizers' own checks:
// - toNumber() never gives NaN, and the same text always gives the same
//   bits, wherever the text is stored;
// - a finite number written by toText() has at most 15 significant digits,
//   is made only of digits, the locale's decimal separator, "e", "+" and "-",
//   and reads back through toNumber() close to the number. Close means
//   within 1e-14 of it, relatively: the text is the number rounded to 15
//   digits (off by at most 5e-15), and the double read is the one nearest the
//   text, so no further from the text than the number itself is. Writing
//   what was read gives the very same text again. Checked in a "." locale (C)
//   and a "," locale (Bulgarian). One exception: the doubles from
//   1.797693134862315e308 up to the largest double round to the 15-digit
//   text 1.79769313486232e+308, which lies beyond the largest double and so
//   reads as infinity. No calculation gets there (the solver overflows long
//   before), and they are left out of the read-back check;
// - the numbers written are the one read from the input and, when the input
//   has 8 bytes or more, its first 8 bytes taken as a double, which reaches
//   every double, subnormal numbers and infinities included.
namespace {

[[noreturn]] void fail(const char *property, const QString &text, double number)
{
    std::fprintf(stderr, "%s\n  text: \"%s\"\n  number: %.17g\n", property,
                 text.toUtf8().constData(), number);
    std::abort();
}

int significantDigits(const QString &text)
{
    int digits = 0;
    bool leading = true;
    for (const QChar c : text) {
        if (c == u'e')
            break;
        if (!c.isDigit() || (leading && c == u'0'))
            continue;
        leading = false;
        ++digits;
    }
    return digits;
}

// The smallest magnitude whose 15-digit text reads back as infinity.
constexpr double writtenAsInfinity = 1.797693134862315e308;

void checkWriting(double number)
{
    for (const QLocale *locale : {&pointLocale(), &commaLocale()}) {
        const QString written = numbertext::toText(number, *locale);
        const QChar point = locale->decimalPoint().front();
        const bool plain = std::ranges::all_of(written, [point](QChar c) {
            return (c >= u'0' && c <= u'9') || c == point || c == u'e' || c == u'+' || c == u'-';
        });
        if (!plain || written.isEmpty())
            fail("toText() wrote something other than a plain number", written, number);
        if (significantDigits(written) > 15)
            fail("toText() wrote more than 15 significant digits", written, number);

        if (std::abs(number) >= writtenAsInfinity)
            continue;
        const double read = numbertext::toNumber(written);
        if (!(std::abs(read - number) <= 1e-14 * std::abs(number)))
            fail("the text written does not read back as the number", written, number);
        if (numbertext::toText(read, *locale) != written)
            fail("writing the number read back gives another text", written, number);
    }
}

void checkReading(QStringView text)
{
    // A copy in a buffer of exactly the text's length: a read one unit past
    // the end is then an AddressSanitizer report.
    const auto exact = std::make_unique<char16_t[]>(std::size_t(text.size()));
    if (!text.isEmpty())
        std::memcpy(exact.get(), text.utf16(), std::size_t(text.size()) * sizeof(char16_t));
    const double number = numbertext::toNumber(QStringView(exact.get(), text.size()));
    if (std::isnan(number))
        fail("toNumber() gave NaN", text.toString(), number);

    const QString elsewhere = text.toString();
    const double again = numbertext::toNumber(elsewhere);
    if (std::bit_cast<std::uint64_t>(again) != std::bit_cast<std::uint64_t>(number))
        fail("the same text read twice gave two numbers", elsewhere, number);

    if (std::isfinite(number))
        checkWriting(number);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    checkReading(QString::fromUtf8(bytes, qsizetype(size)));

    if (size > 0 && size % 2 == 0) {
        const auto units = std::make_unique<char16_t[]>(size / 2);
        std::memcpy(units.get(), data, size);
        checkReading(QStringView(units.get(), qsizetype(size / 2)));
    }

    if (size >= sizeof(double)) {
        double number;
        std::memcpy(&number, data, sizeof number);
        if (std::isfinite(number))
            checkWriting(number);
    }
    return 0;
}
