#ifndef DECIMAL_H
#define DECIMAL_H

#include <optional>
#include <string>
#include <string_view>

namespace exact {

// A number written in decimal: ±0.d₁d₂d₃…·10^(exponent + 1), that is, the
// first digit stands at 10^exponent. The digits are all written, trailing
// zeros included: in a rounded value they are significant. Zero has the
// digits "0".
struct Decimal
{
    bool negative = false;
    std::string digits = "0";
    long long exponent = 0;

    // The exponent of the last digit written: a rounded value is within half
    // of 10^lastExponent() of the value it stands for.
    long long lastExponent() const { return exponent - (long long)digits.size() + 1; }

    friend bool operator==(const Decimal &, const Decimal &) = default;
};

// Reads a number as the value boxes write it: an optional sign, digits with
// one decimal separator ("." or ","), an optional exponent ("e-07", "E5").
// The whole text must be the number; nothing is rounded.
std::optional<Decimal> readDecimal(std::string_view text);

// Writes a decimal as a school does: the decimal separator given, a minus
// sign "−", every digit of the decimal, and a power of ten ("2,5·10⁻⁷",
// "1·10²⁰") where the boxes would write an exponent, that is below 10⁻⁴ and
// from 10¹⁵ up. A digit that lies left of the separator and beyond the digits
// is written as 0, so a rounded value must have the digits of its integer
// part (see schoolDigits()).
std::string schoolText(const Decimal &decimal, std::string_view point);

// The number of significant digits a value whose first digit stands at
// 10^exponent needs so that schoolText() writes it with at least `wanted`
// of them and no zero that stands for a digit not computed.
int schoolDigits(long long exponent, int wanted);

// Exponents and digits written as superscripts: "⁻⁷", "²".
std::string superscript(long long value);

} // namespace exact

#endif // DECIMAL_H
