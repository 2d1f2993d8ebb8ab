#include "number.h"

#include <boost/multiprecision/integer.hpp>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace exact {
namespace {

using boost::multiprecision::denominator;
using boost::multiprecision::numerator;

Integer powerOfTen(long long exponent)
{
    return boost::multiprecision::pow(Integer(10), unsigned(exponent));
}

Integer lcm(const Integer &x, const Integer &y)
{
    return x / boost::multiprecision::gcd(x, y) * y;
}

// floor(n / d) for d > 0: C++ division truncates towards zero.
Integer floorDivide(const Integer &n, const Integer &d)
{
    Integer quotient;
    Integer remainder;
    boost::multiprecision::divide_qr(n, d, quotient, remainder);
    if (remainder < 0)
        --quotient;
    return quotient;
}

// |n| in decimal digits.
std::string digitsOf(const Integer &n)
{
    return (n < 0 ? Integer(-n) : n).str();
}

// The whole-number floor of the square root of a non-negative n.
Integer floorRoot(const Integer &n)
{
    return boost::multiprecision::sqrt(n);
}

// The primes below 10 000, for taking square factors out of a root.
const std::vector<unsigned> &smallPrimes()
{
    static const std::vector<unsigned> primes = [] {
        constexpr unsigned limit = 10'000;
        std::vector<bool> composite(limit);
        std::vector<unsigned> found;
        for (unsigned n = 2; n < limit; ++n) {
            if (composite[n])
                continue;
            found.push_back(n);
            for (unsigned m = n * n; m < limit; m += n)
                composite[m] = true;
        }
        return found;
    }();
    return primes;
}

// log₁₀|x| for x ≠ 0, to within about 0.3: a rational's bit lengths.
double log10Of(const Rational &x)
{
    const Integer n = abs(numerator(x));
    const Integer d = denominator(x);
    return (double(boost::multiprecision::msb(n)) - double(boost::multiprecision::msb(d)))
        * std::log10(2.0);
}

} // namespace

Number::Number(const Rational &p, const Rational &q, const Integer &d)
    : Number(p, q, d, Checked{})
{
    const auto square = [](const Integer &n) { return floorRoot(n) * floorRoot(n) == n; };
    if (m_root != 0 && (m_radicand < 2 || square(m_radicand)))
        throw std::domain_error("a root's radicand is a whole number above 1 and no square");
}

Number::Number(const Rational &p, const Rational &q, const Integer &d, Checked)
    : m_rational(p), m_root(q), m_radicand(q == 0 ? Integer(0) : d)
{
}

Number Number::fromDecimal(const Decimal &decimal)
{
    const long long scale = decimal.lastExponent();
    Rational value(Integer(decimal.digits));
    if (scale >= 0)
        value *= powerOfTen(scale);
    else
        value /= powerOfTen(-scale);
    return decimal.negative ? -value : value;
}

namespace {

// The sign of a/b + (c/e)·√d for b, e > 0 and d no perfect square, in whole
// numbers, without the rationals' reductions: where the two terms have
// opposite signs, the larger of their squares, (ae)² and (cb)²·d, wins; they
// are never equal.
int signOf(const Integer &a, const Integer &b, const Integer &c, const Integer &e,
           const Integer &d)
{
    const int p = a.sign();
    const int q = c.sign();
    if (q == 0 || p == q)
        return p == 0 ? q : p;
    if (p == 0)
        return q;
    const Integer ae = a * e;
    const Integer cb = c * b;
    return ae * ae > cb * cb * d ? p : q;
}

} // namespace

int Number::sign() const
{
    return signOf(numerator(m_rational), denominator(m_rational), numerator(m_root),
                  denominator(m_root), m_radicand);
}

Number Number::operator-() const
{
    return Number(-m_rational, -m_root, m_radicand, Number::Checked{});
}

namespace {

// The radicand of the field both numbers lie in.
const Integer &commonRadicand(const Number &x, const Number &y)
{
    if (x.isRational())
        return y.radicand();
    if (!y.isRational() && x.radicand() != y.radicand())
        throw std::domain_error("numbers with different roots");
    return x.radicand();
}

} // namespace

Number operator+(const Number &x, const Number &y)
{
    const Integer &d = commonRadicand(x, y);
    return Number(x.m_rational + y.m_rational, x.m_root + y.m_root, d, Number::Checked{});
}

Number operator-(const Number &x, const Number &y)
{
    return x + -y;
}

Number operator*(const Number &x, const Number &y)
{
    const Integer &d = commonRadicand(x, y);
    return Number(x.m_rational * y.m_rational + x.m_root * y.m_root * d,
                  x.m_rational * y.m_root + x.m_root * y.m_rational, d, Number::Checked{});
}

Number operator/(const Number &x, const Number &y)
{
    if (y.sign() == 0)
        throw std::domain_error("division by zero");
    if (y.isRational())
        return Number(x.m_rational / y.m_rational, x.m_root / y.m_rational, x.m_radicand,
                      Number::Checked{});
    // Times the conjugate over the norm p² − q²·d, which is not zero.
    const Number conjugate(y.m_rational, -y.m_root, y.m_radicand, Number::Checked{});
    const Rational norm = y.m_rational * y.m_rational - y.m_root * y.m_root * y.m_radicand;
    const Number top = x * conjugate;
    return Number(top.m_rational / norm, top.m_root / norm, top.m_radicand, Number::Checked{});
}

Number abs(const Number &x)
{
    return x.sign() < 0 ? -x : x;
}

namespace {

// x as (A + B·√d)/C in whole numbers with C > 0, for working out its
// decimals without a rational's reduction at every step.
struct WholeForm
{
    Integer A;
    Integer B;
    Integer C;
    Integer d;

    explicit WholeForm(const Number &x)
        : C(lcm(denominator(x.rationalPart()), denominator(x.rootCoefficient()))),
          d(x.radicand())
    {
        A = numerator(x.rationalPart()) * (C / denominator(x.rationalPart()));
        B = numerator(x.rootCoefficient()) * (C / denominator(x.rootCoefficient()));
    }

    // floor(x·factor·10^scale), exactly: B·√d, which is irrational, lies
    // between two whole numbers, and the floor of a quotient by C is that of
    // the lower one.
    Integer floorScaled(long long scale, unsigned factor = 1) const
    {
        Integer a = A * factor;
        Integer b = B * factor;
        Integer divisor = C;
        if (scale >= 0) {
            const Integer power = powerOfTen(scale);
            a *= power;
            b *= power;
        } else {
            divisor *= powerOfTen(-scale);
        }
        if (b != 0) {
            const Integer below = floorRoot(b * b * d);
            a += b > 0 ? below : Integer(-below - 1);
        }
        return floorDivide(a, divisor);
    }
};

// log₁₀|x| for x ≠ 0, to within about 0.6. Where p and q·√d have opposite
// signs and nearly cancel, x = (p² − q²d)/(p − q√d) has no cancellation.
double log10Of(const Number &x)
{
    if (x.isRational())
        return log10Of(x.rationalPart());
    const double root = x.rootCoefficient() == 0
        ? 0
        : log10Of(x.rootCoefficient()) + log10Of(Rational(x.radicand())) / 2;
    if (x.rationalPart() == 0)
        return root;
    const double rational = log10Of(x.rationalPart());
    const double larger = std::max(rational, root);
    if (x.rationalPart().sign() == x.rootCoefficient().sign())
        return larger;
    const Rational norm = x.rationalPart() * x.rationalPart()
        - x.rootCoefficient() * x.rootCoefficient() * x.radicand();
    return log10Of(norm) - larger;
}

} // namespace

bool operator==(const Number &x, const Number &y)
{
    if (x.m_rational != y.m_rational)
        return false;
    if (x.m_radicand == y.m_radicand)
        return x.m_root == y.m_root;
    // q₁√d₁ = q₂√d₂ with both roots present: same sign, same square.
    return x.m_root.sign() == y.m_root.sign() && x.m_root.sign() != 0
        && x.m_root * x.m_root * x.m_radicand == y.m_root * y.m_root * y.m_radicand;
}

std::strong_ordering operator<=>(const Number &x, const Number &y)
{
    if (x == y)
        return std::strong_ordering::equal;
    if (x.isRational() || y.isRational() || x.m_radicand == y.m_radicand) {
        // The sign of x − y, worked out without reducing the difference.
        const auto difference = [](const Rational &u, const Rational &v) {
            return std::pair{numerator(u) * denominator(v) - numerator(v) * denominator(u),
                             Integer(denominator(u) * denominator(v))};
        };
        const auto [a, b] = difference(x.m_rational, y.m_rational);
        const auto [c, e] = difference(x.m_root, y.m_root);
        const int sign = signOf(a, b, c, e, x.isRational() ? y.m_radicand : x.m_radicand);
        return sign < 0 ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    // Two different roots: their decimals, ever longer, until they differ;
    // they do, since the numbers are not equal.
    long long scale = 20 - std::llround(std::max(log10Of(x), log10Of(y)));
    for (long long more = 20;; scale += more, more *= 2) {
        const Integer fx = WholeForm(x).floorScaled(scale);
        const Integer fy = WholeForm(y).floorScaled(scale);
        if (fx != fy)
            return fx < fy ? std::strong_ordering::less : std::strong_ordering::greater;
    }
}

Decimal Number::rounded(int significantDigits) const
{
    if (significantDigits < 1)
        throw std::domain_error("a decimal has at least one digit");
    if (sign() == 0)
        return Decimal{};
    const bool negative = sign() < 0;
    const WholeForm magnitude(negative ? -*this : *this);
    const Integer lowest = powerOfTen(significantDigits - 1);
    const Integer highest = lowest * 10;
    // The estimate of the exponent is off by at most one; each pass moves it
    // towards the one with 10^(digits − 1) ≤ floor(|x|·10^scale) < 10^digits.
    long long exponent = std::llround(std::floor(log10Of(*this)));
    for (;;) {
        const Integer scaled = magnitude.floorScaled(significantDigits - 1 - exponent);
        if (scaled < lowest)
            --exponent;
        else if (scaled >= highest)
            ++exponent;
        else
            break;
    }
    // floor(|x|·10^scale + ½) = floor((floor(2·|x|·10^scale) + 1) / 2).
    Integer whole = (magnitude.floorScaled(significantDigits - 1 - exponent, 2) + 1) / 2;
    if (whole == highest) {
        whole = lowest;
        ++exponent;
    }
    return Decimal{negative, whole.str(), exponent};
}

std::optional<Decimal> Number::terminatingDecimal() const
{
    if (!isRational())
        return std::nullopt;
    if (m_rational == 0)
        return Decimal{};
    Integer rest = denominator(m_rational);
    const long long twos = (long long)boost::multiprecision::lsb(rest);
    rest >>= unsigned(twos);
    long long fives = 0;
    while (rest % 5 == 0) {
        rest /= 5;
        ++fives;
    }
    if (rest != 1)
        return std::nullopt;
    // n / (2^i·5^j) = n·2^(t − i)·5^(t − j) / 10^t with t = max(i, j).
    const long long tens = std::max(twos, fives);
    const Integer digits = abs(numerator(m_rational))
        * boost::multiprecision::pow(Integer(2), unsigned(tens - twos))
        * boost::multiprecision::pow(Integer(5), unsigned(tens - fives));
    std::string text = digits.str();
    const std::size_t last = text.find_last_not_of('0');
    const long long exponent = (long long)text.size() - 1 - tens;
    text.resize(last + 1);
    return Decimal{m_rational < 0, text, exponent};
}

Number sqrt(const Number &x)
{
    if (!x.isRational())
        throw std::domain_error("the square root of a number with a root");
    if (x.sign() < 0)
        throw std::domain_error("the square root of a negative number");
    if (x.sign() == 0)
        return Number();
    // √(m/n) = √(m·n)/n, and m·n = s²·k: the square part comes out.
    const Integer n = denominator(x.rationalPart());
    Integer rest = numerator(x.rationalPart()) * n;
    Integer square = 1;
    Integer core = 1;
    const auto takeOut = [&](unsigned prime, unsigned times) {
        square *= boost::multiprecision::pow(Integer(prime), times / 2);
        if (times % 2)
            core *= prime;
    };
    const unsigned twos = unsigned(boost::multiprecision::lsb(rest));
    rest >>= twos;
    takeOut(2, twos);
    for (const unsigned prime : smallPrimes()) {
        if (prime == 2)
            continue;
        // Past the root of what is left: then that is a prime or 1. Only a
        // small rest can be, and is compared as a machine word.
        if (boost::multiprecision::msb(rest) < 40
            && std::uint64_t(prime) * prime > rest.convert_to<std::uint64_t>())
            break;
        // The remainder by a machine word, which makes no big number.
        if (boost::multiprecision::integer_modulus(rest, prime) != 0)
            continue;
        unsigned times = 0;
        while (boost::multiprecision::integer_modulus(rest, prime) == 0) {
            rest /= prime;
            ++times;
        }
        takeOut(prime, times);
    }
    // What is left has no prime factor below the last one tried: a square of
    // a larger one comes out only if all of it is a square, or if it is below
    // the square of the last prime tried (and so a prime or 1).
    const Integer root = floorRoot(rest);
    if (root * root == rest)
        square *= root;
    else
        core *= rest;
    const Rational coefficient(square, n);
    if (core == 1)
        return Number(coefficient);
    return Number(0, coefficient, core);
}

Number power(const Number &x, long long exponent)
{
    if (exponent < 0)
        return Number(1) / power(x, -exponent);
    Number result(1);
    Number base = x;
    for (; exponent > 0; exponent /= 2) {
        if (exponent % 2)
            result = result * base;
        if (exponent > 1)
            base = base * base;
    }
    return result;
}

std::string schoolText(const Number &x, std::string_view point)
{
    constexpr std::string_view minus = "\u2212";
    constexpr std::string_view root = "\u221a";
    if (x.isRational()) {
        if (const auto decimal = x.terminatingDecimal())
            return schoolText(*decimal, point);
        const Rational &p = x.rationalPart();
        return std::string(p < 0 ? minus : "") + digitsOf(numerator(p)) + "/"
            + denominator(p).str();
    }
    // (A + B√d)/C over the least common denominator; A, B and C have no
    // common factor then.
    const Rational &p = x.rationalPart();
    const Rational &q = x.rootCoefficient();
    const Integer C = lcm(denominator(p), denominator(q));
    const Integer A = numerator(p) * (C / denominator(p));
    const Integer B = numerator(q) * (C / denominator(q));
    const std::string rootTerm =
        (digitsOf(B) == "1" ? std::string() : digitsOf(B)) + std::string(root) + x.radicand().str();
    std::string top;
    if (A == 0)
        top = std::string(B < 0 ? minus : "") + rootTerm;
    else if (A < 0 && B > 0)
        top = rootTerm + " " + std::string(minus) + " " + digitsOf(A);
    else
        top = std::string(A < 0 ? minus : "") + digitsOf(A) + " "
            + std::string(B < 0 ? minus : "+") + " " + rootTerm;
    if (C == 1)
        return top;
    return (A == 0 ? top : "(" + top + ")") + "/" + C.str();
}

} // namespace exact
