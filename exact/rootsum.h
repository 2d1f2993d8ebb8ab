#ifndef ROOTSUM_H
#define ROOTSUM_H

#include "number.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exact {

// An exact real number q₀ + q₁·√d₁ + q₂·√d₂ + … with rationals q and whole
// radicands d₁ < d₂ < … that are no perfect squares, each in the form
// sqrt() leaves it: what a value is when it needs more than one root, as a
// leg from the hypotenuse and the altitude, (√(c² + 2ch) + √(c² − 2ch))/2.
// It adds, subtracts and multiplies any two such sums (√2·√3 = √6) and
// divides by a sum of at most two terms, which its conjugate makes
// rational; a sum of more than mostTerms terms, or a division by a longer
// one, throws std::domain_error, as does a division by zero. A Number is a
// sum of at most one root and converts both ways.
class RootSum
{
public:
    static constexpr int mostTerms = 4;

    struct Term
    {
        Rational coefficient;
        // 1 for the rational term.
        Integer radicand;

        friend bool operator==(const Term &, const Term &) = default;
    };

    RootSum() = default;
    RootSum(const Number &x);

    // In the order of their radicands, the rational one first; none is zero.
    const std::vector<Term> &terms() const { return m_terms; }
    // The number itself where it has at most one root.
    std::optional<Number> number() const;
    bool isZero() const { return m_terms.empty(); }
    // Near the value, for telling two candidates apart; not to be rounded.
    double approximately() const;

    friend RootSum operator+(const RootSum &x, const RootSum &y);
    friend RootSum operator-(const RootSum &x, const RootSum &y);
    friend RootSum operator*(const RootSum &x, const RootSum &y);
    friend RootSum operator/(const RootSum &x, const RootSum &y);
    RootSum operator-() const;

    friend bool operator==(const RootSum &, const RootSum &) = default;

private:
    void add(const Rational &coefficient, const Integer &radicand);
    void check() const;

    std::vector<Term> m_terms;
};

// The sum in a school's notation, over a common denominator as schoolText()
// writes a number with one root: "√35 + √15", "(√6 + √2)/4",
// "13 + 2√13 + 3√5"; the positive terms first. A sum of at most one root is
// written as that Number.
std::string schoolText(const RootSum &x, std::string_view point);

} // namespace exact

#endif // ROOTSUM_H
