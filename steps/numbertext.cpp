#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numbertext {
namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the text, skipping blanks wherever they stand, and hands out the
// characters that matter one at a time.
class Reader
{
public:
    explicit Reader(QStringView text) : m_text(text) {}

    QChar peek()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos] : QChar();
    }

    void advance() { ++m_pos; }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

} // namespace

double toNumber(QStringView text)
{
    return readNumber(text).value_or(0.0);
}

std::optional<double> readNumber(QStringView text)
{
    Reader in(text);

    // The number is copied into plain ASCII: sign, significant digits,
    // decimal point, exponent. std::from_chars then rounds it correctly and
    // independently of the C locale.
    std::string number;
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.advance();
    }

    // Besides the digits, note the decimal order of the first non-zero
    // digit, so that a result out of the range of double can be told apart
    // as too large or too small without trusting the conversion to say so.
    long long integerDigits = 0;
    long long fractionDigits = 0;
    long long firstNonZeroInteger = -1;
    long long firstNonZeroFraction = -1;
    bool seenPoint = false;
    for (QChar c = in.peek(); !c.isNull(); c = in.peek()) {
        if (isDigit(c)) {
            long long &count = seenPoint ? fractionDigits : integerDigits;
            long long &firstNonZero = seenPoint ? firstNonZeroFraction : firstNonZeroInteger;
            if (c != u'0' && firstNonZero < 0)
                firstNonZero = count;
            ++count;
            number += char(c.unicode());
        } else if ((c == u'.' || c == u',') && !seenPoint) {
            seenPoint = true;
            number += '.';
        } else {
            break;
        }
        in.advance();
    }
    if (integerDigits + fractionDigits == 0)
        return std::nullopt;
    if (firstNonZeroInteger < 0 && firstNonZeroFraction < 0)
        return negative ? -0.0 : 0.0;
    const long long leadingOrder = firstNonZeroInteger >= 0
        ? integerDigits - 1 - firstNonZeroInteger
        : -(firstNonZeroFraction + 1);

    long long exponent = 0;
    if (in.peek() == u'e' || in.peek() == u'E') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            negativeExponent = in.peek() == u'-';
            in.advance();
        }
        // An exponent beyond any double's reach saturates; the value is then
        // an infinity or zero whatever the digits.
        constexpr long long saturation = 1'000'000'000;
        for (QChar c = in.peek(); isDigit(c); c = in.peek()) {
            if (exponent < saturation)
                exponent = exponent * 10 + (c.unicode() - u'0');
            in.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    const long long magnitude = leadingOrder + exponent;
    const double huge = std::numeric_limits<double>::infinity();
    if (magnitude > 400)
        return negative ? -huge : huge;
    if (magnitude < -400)
        return negative ? -0.0 : 0.0;

    number += 'e';
    number += std::to_string(exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        value = magnitude > 0 ? huge : 0.0;
    return negative ? -value : value;
}

QString toText(double value, const QLocale &locale)
{
    return toText(value, boxDigits, locale);
}

QString toText(double value, int significantDigits, const QLocale &locale)
{
    // QLocale would group thousands ("1,767.5") unless told not to, and some
    // locales write a minus sign that toNumber() does not read. The C form
    // with only its decimal point swapped avoids both.
    QString text = QString::number(value, 'g', significantDigits);
    const QString point = locale.decimalPoint();
    if (point != u".")
        text.replace(u'.', point);
    return text;
}

} // namespace numbertext
