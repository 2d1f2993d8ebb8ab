#include "decimal.h"

#include <algorithm>
#include <cstddef>

namespace exact {
namespace {

// Where the boxes' general format changes to an exponent: from 10¹⁵ up (15
// significant digits) and below 10⁻⁴.
constexpr long long largestPositional = 14;
constexpr long long smallestPositional = -4;

constexpr std::string_view minus = "\u2212";
constexpr std::string_view timesTen = "\u00b710";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<Decimal> readDecimal(std::string_view text)
{
    std::size_t at = 0;
    Decimal result;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        result.negative = text[at++] == '-';

    // The digits as written, and how many of them stand left of the point.
    std::string digits;
    long long integerDigits = -1;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (isDigit(c))
            digits += c;
        else if ((c == '.' || c == ',') && integerDigits < 0)
            integerDigits = (long long)digits.size();
        else
            break;
    }
    if (digits.empty())
        return std::nullopt;
    if (integerDigits < 0)
        integerDigits = (long long)digits.size();

    long long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            negative = text[at++] == '-';
        const std::size_t first = at;
        // A double's exponent has three digits; more than 15 is no number
        // the boxes write, and would overflow.
        for (; at < text.size() && isDigit(text[at]) && at - first < 15; ++at)
            exponent = exponent * 10 + (text[at] - '0');
        if (at == first)
            return std::nullopt;
        if (negative)
            exponent = -exponent;
    }
    if (at != text.size())
        return std::nullopt;

    // Leading zeros say only where the first digit stands; trailing zeros of
    // a value read are not significant.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return Decimal{result.negative, "0", 0};
    const std::size_t last = digits.find_last_not_of('0');
    result.digits = digits.substr(first, last - first + 1);
    result.exponent = integerDigits - 1 - (long long)first + exponent;
    return result;
}

std::string superscript(long long value)
{
    static constexpr std::string_view digits[] = {"\u2070", "\u00b9", "\u00b2", "\u00b3",
                                                  "\u2074", "\u2075", "\u2076", "\u2077",
                                                  "\u2078", "\u2079"};
    std::string text = value < 0 ? "\u207b" : "";
    for (const char c : std::to_string(value < 0 ? -value : value))
        text += digits[c - '0'];
    return text;
}

int schoolDigits(long long exponent, int wanted)
{
    if (exponent >= 0 && exponent <= largestPositional)
        return std::max<int>(wanted, int(exponent) + 1);
    return wanted;
}

std::string schoolText(const Decimal &decimal, std::string_view point)
{
    std::string text = decimal.negative && decimal.digits != "0" ? std::string(minus) : "";
    const std::string &d = decimal.digits;
    const long long e = decimal.exponent;
    if (e < smallestPositional || e > largestPositional) {
        text += d.front();
        if (d.size() > 1)
            text.append(point).append(d, 1);
        return text.append(timesTen).append(superscript(e));
    }
    if (e < 0)
        return text.append("0").append(point).append(std::size_t(-e - 1), '0').append(d);
    const std::size_t integerDigits = std::size_t(e) + 1;
    if (d.size() <= integerDigits)
        return text.append(d).append(integerDigits - d.size(), '0');
    return text.append(d, 0, integerDigits).append(point).append(d, integerDigits);
}

} // namespace exact
