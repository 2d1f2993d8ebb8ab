#include "rootsum.h"

#include <boost/multiprecision/integer.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace exact {
namespace {

using boost::multiprecision::denominator;
using boost::multiprecision::numerator;

Integer lcm(const Integer &x, const Integer &y)
{
    return x / boost::multiprecision::gcd(x, y) * y;
}

std::string digitsOf(const Integer &n)
{
    return (n < 0 ? Integer(-n) : n).str();
}

} // namespace

RootSum::RootSum(const Number &x)
{
    add(x.rationalPart(), 1);
    if (!x.isRational())
        add(x.rootCoefficient(), x.radicand());
}

void RootSum::add(const Rational &coefficient, const Integer &radicand)
{
    if (coefficient == 0)
        return;
    const auto at = std::ranges::lower_bound(m_terms, radicand, {}, &Term::radicand);
    if (at != m_terms.end() && at->radicand == radicand) {
        at->coefficient += coefficient;
        if (at->coefficient == 0)
            m_terms.erase(at);
        return;
    }
    m_terms.insert(at, Term{coefficient, radicand});
}

void RootSum::check() const
{
    if (int(m_terms.size()) > mostTerms)
        throw std::domain_error("a sum of more roots than a value here needs");
}

std::optional<Number> RootSum::number() const
{
    if (m_terms.empty())
        return Number();
    const bool rational = m_terms.front().radicand == 1;
    if (m_terms.size() > (rational ? 2u : 1u))
        return std::nullopt;
    if (m_terms.size() == 1)
        return rational ? Number(m_terms.front().coefficient)
                        : Number(0, m_terms.front().coefficient, m_terms.front().radicand);
    return Number(m_terms[0].coefficient, m_terms[1].coefficient, m_terms[1].radicand);
}

double RootSum::approximately() const
{
    double sum = 0;
    for (const Term &term : m_terms)
        sum += double(term.coefficient) * std::sqrt(double(term.radicand));
    return sum;
}

RootSum RootSum::operator-() const
{
    RootSum negated = *this;
    for (Term &term : negated.m_terms)
        term.coefficient = -term.coefficient;
    return negated;
}

RootSum operator+(const RootSum &x, const RootSum &y)
{
    RootSum sum = x;
    for (const RootSum::Term &term : y.m_terms)
        sum.add(term.coefficient, term.radicand);
    sum.check();
    return sum;
}

RootSum operator-(const RootSum &x, const RootSum &y)
{
    return x + -y;
}

RootSum operator*(const RootSum &x, const RootSum &y)
{
    RootSum product;
    for (const RootSum::Term &u : x.m_terms)
        for (const RootSum::Term &v : y.m_terms) {
            // √d₁·√d₂ = g·√((d₁/g)·(d₂/g)) with g = gcd(d₁, d₂): radicands that
            // have no square factor left make one that has none either.
            const Rational coefficient = u.coefficient * v.coefficient;
            const Integer g = boost::multiprecision::gcd(u.radicand, v.radicand);
            const Integer rest = (u.radicand / g) * (v.radicand / g);
            product.add(coefficient * Rational(g), rest);
        }
    product.check();
    return product;
}

RootSum operator/(const RootSum &x, const RootSum &y)
{
    if (y.m_terms.empty())
        throw std::domain_error("division by zero");
    if (y.m_terms.size() > 2)
        throw std::domain_error("division by a sum of more than two terms");
    // (u + v)(u − v) = u² − v², and the square of a term is rational.
    RootSum conjugate = y;
    if (conjugate.m_terms.size() == 2)
        conjugate.m_terms[1].coefficient = -conjugate.m_terms[1].coefficient;
    const RootSum norm = y * conjugate;
    if (norm.m_terms.size() != 1 || norm.m_terms.front().radicand != 1)
        throw std::domain_error("a divisor that its conjugate does not make rational");
    RootSum quotient = x * conjugate;
    for (RootSum::Term &term : quotient.m_terms)
        term.coefficient /= norm.m_terms.front().coefficient;
    return quotient;
}

std::string schoolText(const RootSum &x, std::string_view point)
{
    if (const auto one = x.number())
        return schoolText(*one, point);
    constexpr std::string_view minus = "\u2212";
    constexpr std::string_view root = "\u221a";
    Integer common = 1;
    for (const RootSum::Term &term : x.terms())
        common = lcm(common, denominator(term.coefficient));
    // The positive terms first, each in the order of its radicand.
    std::vector<RootSum::Term> ordered = x.terms();
    std::stable_partition(ordered.begin(), ordered.end(),
                          [](const RootSum::Term &t) { return t.coefficient > 0; });
    std::string top;
    for (const RootSum::Term &term : ordered) {
        const Integer whole = numerator(term.coefficient) * (common / denominator(term.coefficient));
        std::string written;
        if (term.radicand == 1)
            written = digitsOf(whole);
        else
            written = (digitsOf(whole) == "1" ? std::string() : digitsOf(whole)) + std::string(root)
                + term.radicand.str();
        if (top.empty())
            top = (whole < 0 ? std::string(minus) : std::string()) + written;
        else
            top += " " + std::string(whole < 0 ? minus : "+") + " " + written;
    }
    if (common == 1)
        return top;
    return "(" + top + ")/" + common.str();
}

} // namespace exact
