#ifndef NUMBER_H
#define NUMBER_H

#include "decimal.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <compare>
#include <string>
#include <string_view>

namespace exact {

using Integer = boost::multiprecision::cpp_int;
using Rational = boost::multiprecision::cpp_rational;

// An exact real number p + q·√d, with rationals p and q and a whole number
// d > 1 that is no perfect square, as a value, like QPointF for a point.
// Rational givens and the relations of a right triangle keep every value
// of one solve in one such field: the legs' hypotenuse √(a² + b²), the leg
// √(4R² − a²), the legs (a + b ± √D)/2. Adding, multiplying or dividing two
// numbers with different roots, dividing by zero, or the square root of a
// negative number or of a number that already has a root throws
// std::domain_error: none of them is a number of this kind.
//
// The square root takes the square factors out of the rational under it
// (√72 = 6√2), so that d is the smallest whole number it can find; the
// arithmetic stays exact if it does not find one (see sqrt()).
class Number
{
public:
    Number() = default;
    Number(long long whole) : m_rational(whole) {}
    Number(const Rational &rational) : m_rational(rational) {}
    // p + q·√d as it is given; d must be a whole number > 1 that is no
    // perfect square, or q zero, else std::domain_error.
    Number(const Rational &p, const Rational &q, const Integer &d);

    static Number fromDecimal(const Decimal &decimal);

    const Rational &rationalPart() const { return m_rational; }
    const Rational &rootCoefficient() const { return m_root; }
    // 0 for a rational number.
    const Integer &radicand() const { return m_radicand; }
    bool isRational() const { return m_root == 0; }
    int sign() const;

    Number operator-() const;
    friend Number operator+(const Number &x, const Number &y);
    friend Number operator-(const Number &x, const Number &y);
    friend Number operator*(const Number &x, const Number &y);
    friend Number operator/(const Number &x, const Number &y);

    // Numbers with different roots compare as real numbers too.
    friend bool operator==(const Number &x, const Number &y);
    friend std::strong_ordering operator<=>(const Number &x, const Number &y);

    // The value correctly rounded to the given number of significant digits
    // (halves away from zero).
    Decimal rounded(int significantDigits) const;
    // The exact decimal of a rational whose denominator has no prime factor
    // but 2 and 5; nullopt for any other number.
    std::optional<Decimal> terminatingDecimal() const;

private:
    // For the results of the arithmetic, whose radicand is known to be good.
    struct Checked
    {
    };
    Number(const Rational &p, const Rational &q, const Integer &d, Checked);

    Rational m_rational;
    Rational m_root;
    Integer m_radicand;
};

Number abs(const Number &x);

// The square root of a rational x ≥ 0: √(m/n) = s/n·√k with m·n = s²·k. The
// square factors of m·n are found by trial division by the primes below
// 10 000 and by a test whether what is left is itself a perfect square; a
// square of a larger prime times something that is not a square (√(10007²·2))
// stays under the root, as √200280098 here: the value is exact all the same,
// and d then is no perfect square but may not be the smallest possible.
Number sqrt(const Number &x);

// x raised to a whole power, negative ones too (10⁻⁷).
Number power(const Number &x, long long exponent);

// The number in a school's exact notation, one canonical form for each:
// a whole number or a terminating decimal as a decimal ("5", "2,5",
// "1,5·10⁻⁷"), another fraction as "7/3", and a number with a root over a
// common denominator: "√2", "5√2/2", "2 − √2", "(2 − √2)/2", "(√2 − 1)/2"
// (the root first where the rational part alone would be negative). The
// separator given marks decimals; the minus sign is "−".
std::string schoolText(const Number &x, std::string_view point);

} // namespace exact

#endif // NUMBER_H
