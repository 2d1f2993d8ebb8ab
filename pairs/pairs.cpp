#include "pairs.h"

#include <boost/multiprecision/cpp_bin_float.hpp>
#include <boost/multiprecision/integer.hpp>

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <stdexcept>

namespace pairs {
namespace {

using boost::multiprecision::denominator;
using boost::multiprecision::numerator;
using exact::Decimal;
using exact::Integer;
using exact::Number;
using exact::Rational;
using exact::RootSum;
using Q = Quantity;

// Some seventy significant digits: enough that formulas which subtract no
// nearly equal numbers keep far more than the digits shown, and that a
// cubic's root near a double root (where half the digits go) keeps thirty.
using Real = boost::multiprecision::number<boost::multiprecision::cpp_bin_float<70>,
                                           boost::multiprecision::et_off>;

// ---------------------------------------------------------------------------
// Numbers between the exact and the approximate worlds.

Real toReal(const Rational &x)
{
    return Real(numerator(x)) / Real(denominator(x));
}

Real toReal(const Decimal &x)
{
    const std::string text =
        (x.negative ? "-" : "") + x.digits + "e" + std::to_string(x.lastExponent());
    return Real(text.c_str());
}

// A number with one root: p + q·√d directly, unless the two nearly cancel;
// then exactly rounded first.
Real toReal(const Number &x)
{
    if (x.isRational())
        return toReal(x.rationalPart());
    const Real p = toReal(x.rationalPart());
    const Real q = toReal(x.rootCoefficient()) * boost::multiprecision::sqrt(Real(x.radicand()));
    const Real sum = p + q;
    if ((p > 0) == (q > 0) || abs(sum) > (abs(p) + abs(q)) * Real("1e-8"))
        return sum;
    return toReal(x.rounded(72));
}

Real toReal(const RootSum &x)
{
    if (const auto one = x.number())
        return toReal(*one);
    Real sum = 0;
    for (const RootSum::Term &term : x.terms())
        sum += toReal(term.coefficient) * boost::multiprecision::sqrt(Real(term.radicand));
    return sum;
}

// The value correctly rounded to `digits` significant digits.
Decimal toDecimal(const Real &x, int digits)
{
    if (x == 0)
        return Decimal{};
    const std::string text = x.str(digits, std::ios_base::scientific); // "-1.2345e+07"
    Decimal d;
    std::size_t at = 0;
    if (text[at] == '-') {
        d.negative = true;
        ++at;
    }
    const std::size_t e = text.find('e');
    d.digits.clear();
    for (std::size_t i = at; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.exponent = std::stoll(text.substr(e + 1));
    return d;
}

const Real &pi()
{
    static const Real value = boost::multiprecision::atan(Real(1)) * 4;
    return value;
}

Real radians(const Real &degrees)
{
    return degrees * pi() / 180;
}

Real sinDegrees(const Rational &degrees)
{
    return boost::multiprecision::sin(radians(toReal(degrees)));
}

Real cosDegrees(const Rational &degrees)
{
    return boost::multiprecision::cos(radians(toReal(degrees)));
}

// sin and cos of 30°, 45° and 60° exactly.
struct ExactTrig
{
    Number sin;
    Number cos;
};

std::optional<ExactTrig> exactTrig(const Rational &degrees)
{
    const Number half(Rational(1, 2));
    if (degrees == 30)
        return ExactTrig{half, Number(0, Rational(1, 2), 3)};
    if (degrees == 45)
        return ExactTrig{Number(0, Rational(1, 2), 2), Number(0, Rational(1, 2), 2)};
    if (degrees == 60)
        return ExactTrig{Number(0, Rational(1, 2), 3), half};
    return std::nullopt;
}

// √x where it has a form here: a rational's root, or one with a root that
// denests, √(p + q√k) = √u ± √v.
RootSum rootOf(const RootSum &x)
{
    const auto one = x.number();
    if (!one)
        throw std::domain_error("the root of a sum of roots");
    if (one->isRational())
        return RootSum(exact::sqrt(*one));
    const Rational &p = one->rationalPart();
    const Rational &q = one->rootCoefficient();
    const Rational D = p * p - q * q * Rational(one->radicand());
    if (D < 0)
        throw std::domain_error("no denesting");
    const Number rootD = exact::sqrt(Number(D));
    if (!rootD.isRational())
        throw std::domain_error("no denesting");
    const Rational u = (p + rootD.rationalPart()) / 2;
    const Rational v = (p - rootD.rationalPart()) / 2;
    if (u < 0 || v < 0)
        throw std::domain_error("no denesting");
    const RootSum ru(exact::sqrt(Number(u)));
    const RootSum rv(exact::sqrt(Number(v)));
    return q > 0 ? ru + rv : ru - rv;
}

// ---------------------------------------------------------------------------
// What a solve works on: the fourteen quantities and two sums of them, each
// to seventy digits and, where found, exactly.

enum Slot : int {
    sumOfLegs = quantityCount,   // a + b
    differenceOfLegs,            // a − b
    slotCount,
};

constexpr int slot(Q q)
{
    return int(q);
}

struct Work
{
    std::array<Real, slotCount> real;
    std::array<std::optional<RootSum>, slotCount> known;
};

// Every value of the triangle with the legs a and b, by formulas that
// subtract no nearly equal numbers.
void fillReal(Work &w, const Real &a, const Real &b)
{
    using boost::multiprecision::atan2;
    const Real c = boost::multiprecision::sqrt(a * a + b * b);
    const Real P = a + b + c;
    auto &v = w.real;
    v[slot(Q::a)] = a;
    v[slot(Q::b)] = b;
    v[slot(Q::c)] = c;
    v[slot(Q::h)] = a * b / c;
    v[slot(Q::a1)] = a * a / c;
    v[slot(Q::b1)] = b * b / c;
    v[slot(Q::m)] = b * (b + c) / P;
    v[slot(Q::n)] = a * (a + c) / P;
    v[slot(Q::S)] = a * b / 2;
    v[slot(Q::P)] = P;
    v[slot(Q::r)] = a * b / P;
    v[slot(Q::R)] = c / 2;
    v[slot(Q::alpha)] = atan2(a, b) * 180 / pi();
    v[slot(Q::beta)] = atan2(b, a) * 180 / pi();
    v[sumOfLegs] = a + b;
    v[differenceOfLegs] = a - b;
}

// Whether an exact value is the one worked out to seventy digits.
bool agrees(const Work &w, int s, const RootSum &x)
{
    const Real value = toReal(x);
    const Real &expected = w.real[std::size_t(s)];
    if (s == differenceOfLegs) {
        const Real scale = w.real[slot(Q::c)];
        if (x.isZero())
            return abs(expected) <= scale * Real("1e-50");
    }
    return abs(value - expected) <= abs(expected) * Real("1e-30");
}

// The relations of a right triangle, each solved for each of its values:
// once a rule's inputs are known exactly, its target is worked out exactly
// if it can be (a root of a sum of roots cannot), and kept if it agrees with
// the approximate value. Each rule is tried once.
struct Rule
{
    int target;
    std::vector<int> inputs;
    std::function<RootSum(const std::array<std::optional<RootSum>, slotCount> &)> compute;
};

const std::vector<Rule> &rules()
{
    static const std::vector<Rule> all = [] {
        std::vector<Rule> r;
        const int a = slot(Q::a), b = slot(Q::b), c = slot(Q::c), h = slot(Q::h);
        const int a1 = slot(Q::a1), b1 = slot(Q::b1), m = slot(Q::m), n = slot(Q::n);
        const int S = slot(Q::S), P = slot(Q::P), rr = slot(Q::r), R = slot(Q::R);
        const int s = sumOfLegs, d = differenceOfLegs;
        using K = std::array<std::optional<RootSum>, slotCount>;
        const RootSum two(Number(2));
        const RootSum four(Number(4));
        const auto add = [&](int target, std::vector<int> inputs,
                             std::function<RootSum(const K &)> f) {
            r.push_back({target, std::move(inputs), std::move(f)});
        };
#define V(x) (*k[x])
        add(c, {R}, [=](const K &k) { return V(R) * two; });
        add(R, {c}, [=](const K &k) { return V(c) / two; });
        add(s, {a, b}, [=](const K &k) { return V(a) + V(b); });
        add(a, {s, b}, [=](const K &k) { return V(s) - V(b); });
        add(b, {s, a}, [=](const K &k) { return V(s) - V(a); });
        add(d, {a, b}, [=](const K &k) { return V(a) - V(b); });
        add(a, {d, b}, [=](const K &k) { return V(d) + V(b); });
        add(b, {a, d}, [=](const K &k) { return V(a) - V(d); });
        add(a, {s, d}, [=](const K &k) { return (V(s) + V(d)) / two; });
        add(b, {s, d}, [=](const K &k) { return (V(s) - V(d)) / two; });
        add(d, {m, n}, [=](const K &k) { return V(n) - V(m); });
        add(n, {d, m}, [=](const K &k) { return V(d) + V(m); });
        add(m, {n, d}, [=](const K &k) { return V(n) - V(d); });
        add(s, {P, c}, [=](const K &k) { return V(P) - V(c); });
        add(P, {s, c}, [=](const K &k) { return V(s) + V(c); });
        add(c, {P, s}, [=](const K &k) { return V(P) - V(s); });
        add(s, {c, rr}, [=](const K &k) { return V(c) + two * V(rr); });
        add(c, {s, rr}, [=](const K &k) { return V(s) - two * V(rr); });
        add(rr, {s, c}, [=](const K &k) { return (V(s) - V(c)) / two; });
        add(c, {m, n}, [=](const K &k) { return V(m) + V(n); });
        add(m, {c, n}, [=](const K &k) { return V(c) - V(n); });
        add(n, {c, m}, [=](const K &k) { return V(c) - V(m); });
        add(m, {c, d}, [=](const K &k) { return (V(c) - V(d)) / two; });
        add(n, {c, d}, [=](const K &k) { return (V(c) + V(d)) / two; });
        add(c, {a1, b1}, [=](const K &k) { return V(a1) + V(b1); });
        add(a1, {c, b1}, [=](const K &k) { return V(c) - V(b1); });
        add(b1, {c, a1}, [=](const K &k) { return V(c) - V(a1); });
        add(a, {c, a1}, [=](const K &k) { return rootOf(V(c) * V(a1)); });
        add(a1, {a, c}, [=](const K &k) { return V(a) * V(a) / V(c); });
        add(c, {a, a1}, [=](const K &k) { return V(a) * V(a) / V(a1); });
        add(b, {c, b1}, [=](const K &k) { return rootOf(V(c) * V(b1)); });
        add(b1, {b, c}, [=](const K &k) { return V(b) * V(b) / V(c); });
        add(c, {b, b1}, [=](const K &k) { return V(b) * V(b) / V(b1); });
        add(h, {a, b, c}, [=](const K &k) { return V(a) * V(b) / V(c); });
        add(a, {h, c, b}, [=](const K &k) { return V(h) * V(c) / V(b); });
        add(b, {h, c, a}, [=](const K &k) { return V(h) * V(c) / V(a); });
        add(c, {a, b, h}, [=](const K &k) { return V(a) * V(b) / V(h); });
        add(h, {a1, b1}, [=](const K &k) { return rootOf(V(a1) * V(b1)); });
        add(a1, {h, b1}, [=](const K &k) { return V(h) * V(h) / V(b1); });
        add(b1, {h, a1}, [=](const K &k) { return V(h) * V(h) / V(a1); });
        add(S, {a, b}, [=](const K &k) { return V(a) * V(b) / two; });
        add(a, {S, b}, [=](const K &k) { return two * V(S) / V(b); });
        add(b, {S, a}, [=](const K &k) { return two * V(S) / V(a); });
        add(S, {c, h}, [=](const K &k) { return V(c) * V(h) / two; });
        add(c, {S, h}, [=](const K &k) { return two * V(S) / V(h); });
        add(h, {S, c}, [=](const K &k) { return two * V(S) / V(c); });
        add(S, {m, n}, [=](const K &k) { return V(m) * V(n); });
        add(m, {S, n}, [=](const K &k) { return V(S) / V(n); });
        add(n, {S, m}, [=](const K &k) { return V(S) / V(m); });
        add(S, {rr, c}, [=](const K &k) { return V(rr) * (V(rr) + V(c)); });
        add(c, {S, rr}, [=](const K &k) { return V(S) / V(rr) - V(rr); });
        add(rr, {S, c}, [=](const K &k) {
            return (rootOf(V(c) * V(c) + four * V(S)) - V(c)) / two;
        });
        add(c, {a, b}, [=](const K &k) { return rootOf(V(a) * V(a) + V(b) * V(b)); });
        add(a, {c, b}, [=](const K &k) { return rootOf(V(c) * V(c) - V(b) * V(b)); });
        add(b, {c, a}, [=](const K &k) { return rootOf(V(c) * V(c) - V(a) * V(a)); });
        add(a, {h, a1}, [=](const K &k) { return rootOf(V(h) * V(h) + V(a1) * V(a1)); });
        add(h, {a, a1}, [=](const K &k) { return rootOf(V(a) * V(a) - V(a1) * V(a1)); });
        add(a1, {a, h}, [=](const K &k) { return rootOf(V(a) * V(a) - V(h) * V(h)); });
        add(b, {h, b1}, [=](const K &k) { return rootOf(V(h) * V(h) + V(b1) * V(b1)); });
        add(h, {b, b1}, [=](const K &k) { return rootOf(V(b) * V(b) - V(b1) * V(b1)); });
        add(b1, {b, h}, [=](const K &k) { return rootOf(V(b) * V(b) - V(h) * V(h)); });
        add(m, {b, rr}, [=](const K &k) { return V(b) - V(rr); });
        add(b, {m, rr}, [=](const K &k) { return V(m) + V(rr); });
        add(rr, {b, m}, [=](const K &k) { return V(b) - V(m); });
        add(n, {a, rr}, [=](const K &k) { return V(a) - V(rr); });
        add(a, {n, rr}, [=](const K &k) { return V(n) + V(rr); });
        add(rr, {a, n}, [=](const K &k) { return V(a) - V(n); });
        add(S, {s, c}, [=](const K &k) { return (V(s) * V(s) - V(c) * V(c)) / four; });
        add(s, {S, c}, [=](const K &k) { return rootOf(V(c) * V(c) + four * V(S)); });
        add(c, {s, S}, [=](const K &k) { return rootOf(V(s) * V(s) - four * V(S)); });
        // a − b may be negative: its sign is the approximate value's.
        add(d, {S, c}, [=](const K &k) { return rootOf(V(c) * V(c) - four * V(S)); });
        add(d, {S, c}, [=](const K &k) { return -rootOf(V(c) * V(c) - four * V(S)); });
        add(a1, {c, s, d}, [=](const K &k) { return (V(c) + V(s) * V(d) / V(c)) / two; });
        add(b1, {c, s, d}, [=](const K &k) { return (V(c) - V(s) * V(d) / V(c)) / two; });
        add(rr, {S, P}, [=](const K &k) { return two * V(S) / V(P); });
        add(S, {rr, P}, [=](const K &k) { return V(rr) * V(P) / two; });
        add(P, {S, rr}, [=](const K &k) { return two * V(S) / V(rr); });
#undef V
        return r;
    }();
    return all;
}

// 30°, 45° or 60° from the square of its sine.
std::optional<Rational> specialAngle(const RootSum &sineSquared)
{
    const auto square = sineSquared.number();
    if (!square || !square->isRational())
        return std::nullopt;
    const Rational &x = square->rationalPart();
    if (x == Rational(1, 4))
        return Rational(30);
    if (x == Rational(1, 2))
        return Rational(45);
    if (x == Rational(3, 4))
        return Rational(60);
    return std::nullopt;
}

void tryAngles(Work &w, bool &sineTried)
{
    const int a = slot(Q::a), b = slot(Q::b), c = slot(Q::c);
    const int alpha = slot(Q::alpha), beta = slot(Q::beta);
    const auto keep = [&](int s, const Rational &degrees) {
        const RootSum value{Number(degrees)};
        if (!w.known[std::size_t(s)] && agrees(w, s, value))
            w.known[std::size_t(s)] = value;
    };
    try {
        if (!sineTried && !w.known[alpha] && w.known[c] && (w.known[a] || w.known[b])) {
            sineTried = true;
            const bool fromA = bool(w.known[a]);
            const RootSum &leg = *w.known[std::size_t(fromA ? a : b)];
            if (const auto angle = specialAngle(leg * leg / (*w.known[c] * *w.known[c])))
                keep(alpha, fromA ? *angle : 90 - *angle);
        }
    } catch (const std::domain_error &) {
    }
    if (w.known[alpha] && !w.known[beta])
        keep(beta, 90 - w.known[alpha]->number()->rationalPart());
    if (w.known[beta] && !w.known[alpha])
        keep(alpha, 90 - w.known[beta]->number()->rationalPart());
}

void propagate(Work &w)
{
    const std::vector<Rule> &all = rules();
    std::vector<bool> tried(all.size());
    bool sineTried = false;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const Rule &rule = all[i];
            if (tried[i] || w.known[std::size_t(rule.target)])
                continue;
            if (!std::ranges::all_of(rule.inputs,
                                     [&](int s) { return bool(w.known[std::size_t(s)]); }))
                continue;
            tried[i] = true;
            try {
                RootSum value = rule.compute(w.known);
                if (agrees(w, rule.target, value)) {
                    w.known[std::size_t(rule.target)] = std::move(value);
                    changed = true;
                }
            } catch (const std::domain_error &) {
            }
        }
        const auto before = w.known;
        tryAngles(w, sineTried);
        changed = changed || before != w.known;
    }
}

// ---------------------------------------------------------------------------
// Where each pair starts: its legs to seventy digits, and any exact values
// that the relations above cannot reach from the givens alone.

struct Start
{
    Real a;
    Real b;
    std::vector<std::pair<int, RootSum>> seeds;
};

constexpr int key(Q x, Q y)
{
    return int(x) * quantityCount + int(y);
}

Real root(const Real &x)
{
    return boost::multiprecision::sqrt(x);
}

Real root(const Rational &x)
{
    return root(toReal(x));
}

Number rational(const Rational &x)
{
    return Number(x);
}

// Legs from the two segments of the hypotenuse: r² + (m + n)·r = m·n.
Start fromSegments(const Rational &M, const Rational &N, std::vector<std::pair<int, RootSum>> seeds)
{
    const Real m = toReal(M);
    const Real n = toReal(N);
    const Real r = 2 * m * n / (root(M * M + 6 * M * N + N * N) + m + n);
    return {n + r, m + r, std::move(seeds)};
}

// Legs from the hypotenuse and the product of the legs: a + b = √(c² + 2ab),
// a − b = √(c² − 2ab).
Start fromHypotenuseAndProduct(const Rational &C, const Rational &product,
                               std::vector<std::pair<int, RootSum>> seeds)
{
    const Real sum = root(C * C + 2 * product);
    const Real difference = root(C * C - 2 * product);
    const Real a = (sum + difference) / 2;
    return {a, toReal(product) / a, std::move(seeds)};
}

// Legs from the hypotenuse and the sum of the legs.
Start fromHypotenuseAndSum(const Rational &C, const Rational &sum,
                           std::vector<std::pair<int, RootSum>> seeds)
{
    const Rational product = (sum * sum - C * C) / 2;
    const Real a = (toReal(sum) + root(2 * C * C - sum * sum)) / 2;
    return {a, toReal(product) / a, std::move(seeds)};
}

// Legs from the hypotenuse and a projection on it.
Start fromHypotenuseAndProjection(const Rational &C, const Rational &A1,
                                  std::vector<std::pair<int, RootSum>> seeds)
{
    return {root(C * A1), root(C * (C - A1)), std::move(seeds)};
}

// The exact sine and cosine of an angle where it has them, and the
// approximate ones always; by the half angle where that loses nothing.
struct Angle
{
    Rational degrees;
    Real sin;
    Real cos;
    std::optional<ExactTrig> exact;
};

Angle angle(const Rational &degrees)
{
    // cos α near 90° and sin α near 0° are small; the library's sine and
    // cosine keep their relative precision there.
    return {degrees, sinDegrees(degrees), cosDegrees(degrees), exactTrig(degrees)};
}

// Legs from the hypotenuse and α, with exact seeds where α is special.
Start fromHypotenuseAndAngle(const Real &c, const Angle &alpha, std::optional<RootSum> exactC)
{
    Start start{c * alpha.sin, c * alpha.cos, {}};
    if (alpha.exact && exactC) {
        start.seeds.push_back({slot(Q::c), *exactC});
        start.seeds.push_back({slot(Q::a), *exactC * RootSum(alpha.exact->sin)});
        start.seeds.push_back({slot(Q::b), *exactC * RootSum(alpha.exact->cos)});
    }
    return start;
}

// The exact hypotenuse from a formula over α's exact sine and cosine, where
// α is special and the formula has a form.
std::optional<RootSum> exactly(const Angle &alpha,
                               const std::function<RootSum(const RootSum &, const RootSum &)> &f)
{
    if (!alpha.exact)
        return std::nullopt;
    try {
        return f(RootSum(alpha.exact->sin), RootSum(alpha.exact->cos));
    } catch (const std::domain_error &) {
        return std::nullopt;
    }
}

// ---------------------------------------------------------------------------
// The pairs with a projection whose triangle is the root of a cubic.

// A polynomial with rational coefficients, lowest power first.
using Polynomial = std::vector<Rational>;

Real evaluate(const std::vector<Real> &p, const Real &x)
{
    Real value = 0;
    for (auto i = p.rbegin(); i != p.rend(); ++i)
        value = value * x + *i;
    return value;
}

std::vector<Real> toReal(const Polynomial &p)
{
    std::vector<Real> real;
    for (const Rational &c : p)
        real.push_back(toReal(c));
    return real;
}

std::vector<Real> derivative(const std::vector<Real> &p)
{
    std::vector<Real> d;
    for (std::size_t i = 1; i < p.size(); ++i)
        d.push_back(p[i] * int(i));
    return d;
}

// The roots of a cubic or lower polynomial in the open interval (low, high),
// each to full precision: bisection within each interval where it is
// monotone, sped up by Newton's steps that stay inside the bracket.
std::vector<Real> rootsBetween(const std::vector<Real> &p, const Real &low, const Real &high)
{
    std::vector<Real> cuts{low};
    const std::vector<Real> d = derivative(p);
    if (d.size() == 3 && d[2] != 0) {
        const Real disc = d[1] * d[1] - 4 * d[2] * d[0];
        if (disc > 0) {
            const Real q = -(d[1] + (d[1] < 0 ? -1 : 1) * root(disc)) / 2;
            std::vector<Real> critical{q / d[2], d[0] / q};
            std::ranges::sort(critical);
            for (const Real &x : critical)
                if (x > low && x < high)
                    cuts.push_back(x);
        }
    } else if (d.size() == 2 && d[1] != 0) {
        const Real x = -d[0] / d[1];
        if (x > low && x < high)
            cuts.push_back(x);
    }
    cuts.push_back(high);
    std::vector<Real> roots;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        Real lo = cuts[i];
        Real hi = cuts[i + 1];
        Real flo = evaluate(p, lo);
        const Real fhi = evaluate(p, hi);
        // A root at a cut is a double root or an end of the open interval;
        // one at a critical point inside is kept, once.
        if (flo == 0)
            continue;
        if (fhi == 0) {
            if (i + 2 < cuts.size())
                roots.push_back(hi);
            continue;
        }
        if ((flo > 0) == (fhi > 0))
            continue;
        Real x = (lo + hi) / 2;
        for (int step = 0; step < 400 && hi - lo > abs(x) * Real("1e-68"); ++step) {
            const Real fx = evaluate(p, x);
            if (fx == 0)
                break;
            if ((fx > 0) == (flo > 0)) {
                lo = x;
                flo = fx;
            } else {
                hi = x;
            }
            const Real slope = evaluate(d, x);
            const Real newton = slope != 0 ? x - fx / slope : lo;
            x = newton > lo && newton < hi && step % 4 != 3 ? newton : (lo + hi) / 2;
        }
        roots.push_back(x);
    }
    return roots;
}

// p(x) with x = (1 − u)/(1 + u), times (1 + u)^degree: the same cubic in
// the half-angle tangent of the other acute angle.
Polynomial otherHalfAngle(const Polynomial &p)
{
    const std::size_t degree = p.size() - 1;
    Polynomial result(p.size());
    // (1 − u)^i (1 + u)^(degree − i), expanded.
    for (std::size_t i = 0; i <= degree; ++i) {
        Polynomial term{1};
        const auto times = [&](int sign) {
            Polynomial next(term.size() + 1);
            for (std::size_t j = 0; j < term.size(); ++j) {
                next[j] += term[j];
                next[j + 1] += term[j] * sign;
            }
            term = next;
        };
        for (std::size_t j = 0; j < i; ++j)
            times(-1);
        for (std::size_t j = i; j < degree; ++j)
            times(+1);
        for (std::size_t j = 0; j < term.size(); ++j)
            result[j] += p[i] * term[j];
    }
    return result;
}

Rational evaluate(const Polynomial &p, const Rational &x)
{
    Rational value = 0;
    for (auto i = p.rbegin(); i != p.rend(); ++i)
        value = value * x + *i;
    return value;
}

// The rational with a denominator below 10^18 nearest to x, if it is a root
// of p: continued fractions, then an exact check.
std::optional<Rational> rationalRoot(const Polynomial &p, const Real &x)
{
    Integer h0 = 0, h1 = 1, k0 = 1, k1 = 0;
    Real rest = x;
    for (int step = 0; step < 60; ++step) {
        const Real whole = floor(rest);
        const Integer w = whole.convert_to<Integer>();
        const Integer h2 = w * h1 + h0;
        const Integer k2 = w * k1 + k0;
        if (k2 > Integer("1000000000000000000"))
            break;
        h0 = h1;
        h1 = h2;
        k0 = k1;
        k1 = k2;
        const Rational candidate(h1, k1);
        if (evaluate(p, candidate) == 0)
            return candidate;
        const Real fraction = rest - whole;
        if (fraction == 0)
            break;
        rest = 1 / fraction;
    }
    return std::nullopt;
}

// The half-angle tangents t of the triangles: the roots in (0, 1) of a cubic
// in t = tg(α/2); each worked out in whichever of t and the other angle's
// tangent (1 − t)/(1 + t) is at most √2 − 1, which keeps the small one's
// digits. Exactly where a rational root lets the cubic factor.
struct HalfAngle
{
    Real sin; // of α
    Real cos;
    std::optional<RootSum> exactT;
};

std::optional<RootSum> exactRootNear(const Polynomial &p, const Real &t)
{
    // A rational root of p anywhere on the real line lets it factor into a
    // line and a quadratic, whose roots have one root each.
    const std::vector<Real> real = toReal(p);
    Real bound = 1;
    for (const Real &c : real)
        bound = std::max(bound, Real(1 + abs(c / real.back())));
    for (const Real &x : rootsBetween(real, -bound, bound)) {
        const auto rational = rationalRoot(p, x);
        if (!rational)
            continue;
        if (abs(toReal(*rational) - t) <= abs(t) * Real("1e-40"))
            return RootSum(Number(*rational));
        // p(x) = (x − ρ)·(A x² + B x + C), by synthetic division.
        const Rational A = p[3];
        const Rational B = p[2] + A * *rational;
        const Rational C = p[1] + B * *rational;
        const Rational disc = B * B - 4 * A * C;
        if (disc < 0)
            return std::nullopt;
        const RootSum rootDisc{exact::sqrt(Number(disc))};
        for (int sign : {-1, 1}) {
            const RootSum candidate =
                (RootSum(Number(-B)) + RootSum(Number(sign)) * rootDisc) / RootSum(Number(2 * A));
            if (abs(toReal(candidate) - t) <= abs(t) * Real("1e-40"))
                return candidate;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<HalfAngle> halfAngles(const Polynomial &p)
{
    const Real limit = root(Real(2)) - 1;
    std::vector<HalfAngle> found;
    const auto add = [&](const Polynomial &q, const Real &x, bool other) {
        // sin α and cos α of t = x, or with the angles' roles swapped.
        const Real sinOf = 2 * x / (1 + x * x);
        const Real cosOf = (1 - x) * (1 + x) / (1 + x * x);
        HalfAngle h{other ? cosOf : sinOf, other ? sinOf : cosOf, std::nullopt};
        try {
            if (const auto e = exactRootNear(q, x)) {
                const RootSum one(Number(1));
                h.exactT = other ? (one - *e) / (one + *e) : *e;
            }
        } catch (const std::domain_error &) {
        }
        found.push_back(h);
    };
    const std::vector<Real> real = toReal(p);
    for (const Real &t : rootsBetween(real, 0, limit))
        add(p, t, false);
    // The root at √2 − 1 itself, α = 45°, is found from this side only.
    if (evaluate(real, limit) == 0)
        add(p, limit, false);
    const Polynomial q = otherHalfAngle(p);
    for (const Real &u : rootsBetween(toReal(q), 0, limit))
        add(q, u, true);
    return found;
}

// The cubic in t = tg(α/2) whose roots in (0, 1) are the triangles with the
// projection a₁ and the other given, k being the second over a₁ (S over a₁²):
// a₁ = 4t²/(1 + t²)²·c, and so on for c = 1.
Polynomial cubicFor(Q other, const Rational &k)
{
    switch (other) {
    case Q::m: // (1 − t)(1 + t²) = 4k t²
        return {-1, 1, 4 * k - 1, 1};
    case Q::n: // (1 + t)(1 + t²) = 4k t
        return {1, 1 - 4 * k, 1, 1};
    case Q::P: // (1 + t)(1 + t²) = 2k t²
        return {1, 1, 1 - 2 * k, 1};
    case Q::r: // (1 − t)(1 + t²) = 4k t
        return {-1, 1 + 4 * k, -1, 1};
    default:
        return {};
    }
}

std::vector<Start> fromProjectionCubic(Q other, const Rational &A1, const Rational &second)
{
    const Real a1 = toReal(A1);
    std::vector<Start> starts;
    const auto add = [&](const Real &sin, const Real &cos, const std::optional<RootSum> &exactSin,
                         const std::optional<RootSum> &exactCos) {
        // c = a₁/sin²α, a = c·sin α, b = c·cos α.
        Start start{a1 / sin, a1 * cos / (sin * sin), {}};
        if (exactSin && exactCos) {
            try {
                const RootSum c = RootSum(Number(A1)) / (*exactSin * *exactSin);
                start.seeds = {{slot(Q::c), c}, {slot(Q::a), c * *exactSin}, {slot(Q::b), c * *exactCos}};
            } catch (const std::domain_error &) {
            }
        }
        starts.push_back(std::move(start));
    };
    if (other == Q::S) {
        // S/a₁² = cos α/(2 sin³α): 4k²y³ + y − 1 = 0 for y = sin²α, or
        // 4k²(1 − z)³ − z = 0 for z = cos²α, whichever is at most ½.
        const Rational k = second / (A1 * A1);
        const Rational q = 4 * k * k;
        const Polynomial inY{-1, 1, 0, q};
        const Polynomial inZ{q, -3 * q - 1, 3 * q, -q};
        const Real half("0.5");
        const auto exactRoot = [&](const Polynomial &p, const Real &x) -> std::optional<Rational> {
            return rationalRoot(p, x);
        };
        std::vector<std::pair<Real, bool>> roots;
        for (const Real &y : rootsBetween(toReal(inY), 0, half))
            roots.push_back({y, false});
        if (evaluate(toReal(inY), half) == 0)
            roots.push_back({half, false});
        for (const Real &z : rootsBetween(toReal(inZ), 0, half))
            roots.push_back({z, true});
        for (const auto &[x, isZ] : roots) {
            const Real small = root(x);
            const Real large = root(1 - x);
            const Real sin = isZ ? large : small;
            const Real cos = isZ ? small : large;
            std::optional<RootSum> exactSin, exactCos;
            if (const auto e = exactRoot(isZ ? inZ : inY, x)) {
                try {
                    const Rational y = isZ ? 1 - *e : *e;
                    exactSin = RootSum(exact::sqrt(Number(y)));
                    exactCos = RootSum(exact::sqrt(Number(1 - y)));
                } catch (const std::domain_error &) {
                }
            }
            add(sin, cos, exactSin, exactCos);
        }
        return starts;
    }
    for (const HalfAngle &h : halfAngles(cubicFor(other, second / A1))) {
        std::optional<RootSum> exactSin, exactCos;
        if (h.exactT) {
            try {
                const RootSum one(Number(1));
                const RootSum &t = *h.exactT;
                exactSin = RootSum(Number(2)) * t / (one + t * t);
                exactCos = (one - t * t) / (one + t * t);
            } catch (const std::domain_error &) {
            }
        }
        add(h.sin, h.cos, exactSin, exactCos);
    }
    return starts;
}

// ---------------------------------------------------------------------------

std::vector<Start> starts(const PairFacts &row, const Rational &X, const Rational &Y)
{
    const Real x = toReal(X);
    const Real y = toReal(Y);
    const auto seed = [](Q q, const Rational &value) {
        return std::pair{slot(q), RootSum(Number(value))};
    };
    const auto one = [](Start start) { return std::vector<Start>{std::move(start)}; };
    switch (key(row.first, row.second)) {
    case key(Q::a, Q::b):
        return one({x, y, {}});
    case key(Q::a, Q::c):
        return one({x, root((Y - X) * (Y + X)), {}});
    case key(Q::a, Q::h): {
        const Real a1 = root((X - Y) * (X + Y));
        return one({x, x * y / a1, {}});
    }
    case key(Q::a, Q::a1):
        return one({x, x * root((X - Y) * (X + Y)) / y, {}});
    case key(Q::a, Q::b1): {
        const Real c = (y + root(Y * Y + 4 * X * X)) / 2;
        Start start{x, root(c * y), {}};
        try {
            start.seeds.push_back(
                {slot(Q::c), (RootSum(Number(Y)) + RootSum(exact::sqrt(Number(Y * Y + 4 * X * X))))
                                 / RootSum(Number(2))});
        } catch (const std::domain_error &) {
        }
        return one(start);
    }
    case key(Q::a, Q::m): {
        const Rational b = 2 * Y * (X + Y) / (X + 2 * Y);
        return one({x, toReal(b), {seed(Q::b, b)}});
    }
    case key(Q::a, Q::n): {
        const Rational b = 2 * Y * (X - Y) / (2 * Y - X);
        return one({x, toReal(b), {seed(Q::b, b)}});
    }
    case key(Q::a, Q::S):
        return one({x, 2 * y / x, {}});
    case key(Q::a, Q::P): {
        const Rational b = (Y - 2 * X) * Y / (2 * (Y - X));
        return one({x, toReal(b), {seed(Q::b, b)}});
    }
    case key(Q::a, Q::r): {
        const Rational b = 2 * Y * (X - Y) / (X - 2 * Y);
        return one({x, toReal(b), {seed(Q::b, b)}});
    }
    case key(Q::a, Q::R):
        return one({x, root((2 * Y - X) * (2 * Y + X)), {}});
    case key(Q::a, Q::alpha): {
        const Angle alpha = angle(Y);
        return one(fromHypotenuseAndAngle(
            x / alpha.sin, alpha,
            exactly(alpha, [&](const RootSum &sin, const RootSum &) {
                return RootSum(Number(X)) / sin;
            })));
    }
    case key(Q::a, Q::beta): {
        const Angle alpha = angle(90 - Y);
        return one(fromHypotenuseAndAngle(
            x / alpha.sin, alpha,
            exactly(alpha, [&](const RootSum &sin, const RootSum &) {
                return RootSum(Number(X)) / sin;
            })));
    }
    case key(Q::c, Q::h):
        return one(fromHypotenuseAndProduct(X, X * Y, {}));
    case key(Q::c, Q::a1):
        return one(fromHypotenuseAndProjection(X, Y, {}));
    case key(Q::c, Q::m):
        return one(fromSegments(Y, X - Y, {}));
    case key(Q::c, Q::S):
        return one(fromHypotenuseAndProduct(X, 2 * Y, {}));
    case key(Q::c, Q::P):
        return one(fromHypotenuseAndSum(X, Y - X, {}));
    case key(Q::c, Q::r):
        return one(fromHypotenuseAndSum(X, X + 2 * Y, {}));
    case key(Q::c, Q::alpha):
        return one(fromHypotenuseAndAngle(x, angle(Y), RootSum(Number(X))));
    case key(Q::h, Q::a1): {
        const Rational b1 = X * X / Y;
        return one(fromHypotenuseAndProjection(Y + b1, Y, {}));
    }
    case key(Q::h, Q::m): {
        const Rational n = X * Y / (2 * Y - X);
        return one(fromSegments(Y, n, {seed(Q::n, n)}));
    }
    case key(Q::h, Q::S): {
        const Rational c = 2 * Y / X;
        return one(fromHypotenuseAndProduct(c, 2 * Y, {seed(Q::c, c)}));
    }
    case key(Q::h, Q::P): {
        const Rational c = Y * Y / (2 * (Y + X));
        return one(fromHypotenuseAndProduct(c, c * X, {seed(Q::c, c)}));
    }
    case key(Q::h, Q::r): {
        const Rational c = 2 * Y * Y / (X - 2 * Y);
        return one(fromHypotenuseAndSum(c, c + 2 * Y, {seed(Q::c, c)}));
    }
    case key(Q::h, Q::R):
        return one(fromHypotenuseAndProduct(2 * Y, 2 * Y * X, {}));
    case key(Q::h, Q::alpha): {
        // h = b·sin α = a·cos α.
        const Angle alpha = angle(Y);
        const Real c = x / (alpha.sin * alpha.cos);
        return one(fromHypotenuseAndAngle(
            c, alpha, exactly(alpha, [&](const RootSum &sin, const RootSum &cos) {
                return RootSum(Number(X)) / (sin * cos);
            })));
    }
    case key(Q::a1, Q::b1):
        return one(fromHypotenuseAndProjection(X + Y, X, {}));
    case key(Q::a1, Q::m):
    case key(Q::a1, Q::n):
    case key(Q::a1, Q::S):
    case key(Q::a1, Q::P):
    case key(Q::a1, Q::r):
        return fromProjectionCubic(row.second, X, Y);
    case key(Q::a1, Q::R):
        return one(fromHypotenuseAndProjection(2 * Y, X, {}));
    case key(Q::a1, Q::alpha):
    case key(Q::a1, Q::beta): {
        // a₁ = c·sin²α.
        const Angle alpha = angle(row.second == Q::alpha ? Y : 90 - Y);
        return one(fromHypotenuseAndAngle(
            x / (alpha.sin * alpha.sin), alpha,
            exactly(alpha, [&](const RootSum &sin, const RootSum &) {
                return RootSum(Number(X)) / (sin * sin);
            })));
    }
    case key(Q::m, Q::n):
        return one(fromSegments(X, Y, {}));
    case key(Q::m, Q::S):
        return one(fromSegments(X, Y / X, {}));
    case key(Q::m, Q::P): {
        const Rational n = Y * (Y - 2 * X) / (2 * (Y + 2 * X));
        return one(fromSegments(X, n, {seed(Q::n, n)}));
    }
    case key(Q::m, Q::r): {
        const Rational n = Y * (X + Y) / (X - Y);
        return one(fromSegments(X, n, {seed(Q::n, n)}));
    }
    case key(Q::m, Q::R):
        return one(fromSegments(X, 2 * Y - X, {}));
    case key(Q::m, Q::alpha):
    case key(Q::m, Q::beta): {
        // m = c·sin(β/2)·(sin(β/2) + cos(β/2)), which subtracts nothing.
        const Rational beta = row.second == Q::beta ? Y : 90 - Y;
        const Angle alpha = angle(90 - beta);
        const Real s = sinDegrees(beta / 2);
        const Real c = x / (s * (s + cosDegrees(beta / 2)));
        return one(fromHypotenuseAndAngle(
            c, alpha, exactly(alpha, [&](const RootSum &sin, const RootSum &cos) {
                const RootSum one(Number(1));
                return RootSum(Number(2 * X)) / (one + cos - sin);
            })));
    }
    case key(Q::S, Q::P): {
        const Rational c = (Y * Y - 4 * X) / (2 * Y);
        return one(fromHypotenuseAndSum(c, Y - c, {seed(Q::c, c)}));
    }
    case key(Q::S, Q::r): {
        const Rational c = (X - Y * Y) / Y;
        return one(fromHypotenuseAndSum(c, c + 2 * Y, {}));
    }
    case key(Q::S, Q::R):
        return one(fromHypotenuseAndProduct(2 * Y, 2 * X, {}));
    case key(Q::S, Q::alpha): {
        // S = c²·sin α·cos α/2.
        const Angle alpha = angle(Y);
        const Real c = root(2 * x / (alpha.sin * alpha.cos));
        return one(fromHypotenuseAndAngle(
            c, alpha, exactly(alpha, [&](const RootSum &sin, const RootSum &cos) {
                return rootOf(RootSum(Number(2 * X)) / (sin * cos));
            })));
    }
    case key(Q::P, Q::r): {
        const Rational c = X / 2 - Y;
        return one(fromHypotenuseAndSum(c, c + 2 * Y, {seed(Q::c, c)}));
    }
    case key(Q::P, Q::R):
        return one(fromHypotenuseAndSum(2 * Y, X - 2 * Y, {}));
    case key(Q::P, Q::alpha): {
        const Angle alpha = angle(Y);
        const Real c = x / (1 + alpha.sin + alpha.cos);
        return one(fromHypotenuseAndAngle(
            c, alpha, exactly(alpha, [&](const RootSum &sin, const RootSum &cos) {
                return RootSum(Number(X)) / (RootSum(Number(1)) + sin + cos);
            })));
    }
    case key(Q::r, Q::R):
        return one(fromHypotenuseAndSum(2 * Y, 2 * Y + 2 * X, {}));
    case key(Q::r, Q::alpha): {
        // r = c·√2·sin(α/2)·sin(45° − α/2), which subtracts nothing.
        const Angle alpha = angle(Y);
        const Real c = x / (root(Real(2)) * sinDegrees(Y / 2) * sinDegrees(45 - Y / 2));
        return one(fromHypotenuseAndAngle(
            c, alpha, exactly(alpha, [&](const RootSum &sin, const RootSum &cos) {
                return RootSum(Number(2 * X)) / (sin + cos - RootSum(Number(1)));
            })));
    }
    case key(Q::R, Q::alpha):
        return one(fromHypotenuseAndAngle(2 * x, angle(Y), RootSum(Number(2 * X))));
    default:
        return {};
    }
}

// ---------------------------------------------------------------------------
// The conditions.

Number factorOf(const Factor &f)
{
    return Number(Rational(f.pNumerator, f.pDenominator), Rational(f.qNumerator, f.qDenominator),
                  f.qNumerator == 0 ? Integer(0) : Integer(2));
}

// n/a₁ = k has a triangle exactly where the cubic t³ + t² + (1 − 4k)t + 1
// has a root in (0, 1): always for k ≥ 1, and below 1 where its
// discriminant is positive (it is never zero for a rational k).
bool cubicBoundHolds(const Rational &k)
{
    if (k >= 1)
        return true;
    const Rational c = 1 - 4 * k;
    const Rational discriminant = -4 * c * c * c + c * c + 18 * c - 31;
    return discriminant > 0;
}

bool holds(const Bound &b, const Number &limited, const Number &by)
{
    if (b.cubic)
        return cubicBoundHolds(limited.rationalPart() / by.rationalPart());
    const Number limit = b.power == 0 ? factorOf(b.factor)
                                      : factorOf(b.factor) * exact::power(by, b.power);
    switch (b.relation) {
    case Relation::Less:
        return limited < limit;
    case Relation::AtMost:
        return limited <= limit;
    case Relation::Greater:
        return limited > limit;
    case Relation::AtLeast:
        return limited >= limit;
    }
    return false;
}

Bound mirroredBound(Bound b)
{
    b.limited = mirrorOf(b.limited);
    b.by = mirrorOf(b.by);
    return b;
}

const Number &valueOf(Q q, const Given &first, const Given &second)
{
    return first.quantity == q ? first.value : second.value;
}

bool isNormal(const Real &x)
{
    return x >= Real(DBL_MIN) && x <= Real(DBL_MAX);
}

Value valueFrom(const Work &w, int s)
{
    Value v;
    if (const auto &known = w.known[std::size_t(s)]) {
        if (auto one = known->number()) {
            v.kept = one->rounded(keptDigits);
            v.exact = std::move(*one);
            return v;
        }
        v.rootSum = *known;
    }
    v.kept = toDecimal(w.real[std::size_t(s)], keptDigits);
    return v;
}

void swapLegs(Triangle &t)
{
    for (Q q : {Q::a, Q::a1, Q::m, Q::alpha})
        std::swap(t[q], t[mirrorOf(q)]);
}

} // namespace

exact::Decimal Value::rounded(int significantDigits) const
{
    if (exact)
        return exact->rounded(significantDigits);
    if (significantDigits >= int(kept.digits.size()))
        return kept;
    // Half away from zero, on the kept digits.
    Decimal d = kept;
    const bool up = d.digits[std::size_t(significantDigits)] >= '5';
    d.digits.resize(std::size_t(significantDigits));
    if (up) {
        int i = significantDigits - 1;
        for (; i >= 0 && d.digits[std::size_t(i)] == '9'; --i)
            d.digits[std::size_t(i)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exponent;
        } else {
            ++d.digits[std::size_t(i)];
        }
    }
    return d;
}

double Value::toDouble() const
{
    const std::string text = std::string(kept.negative ? "-" : "") + "0." + kept.digits + "e"
        + std::to_string(kept.exponent + 1);
    return std::strtod(text.c_str(), nullptr);
}

std::vector<Bound> boundsOf(Quantity first, Quantity second)
{
    const PairRow row = rowOf(first, second);
    std::vector<Bound> bounds;
    if (!row.facts)
        return bounds;
    for (const auto &b : row.facts->bounds)
        if (b)
            bounds.push_back(row.mirrored ? mirroredBound(*b) : *b);
    return bounds;
}

bool meets(const Bound &bound, const Given &first, const Given &second)
{
    return holds(bound, valueOf(bound.limited, first, second), valueOf(bound.by, first, second));
}

Solved solve(const Given &first, const Given &second)
{
    if (first.quantity == second.quantity)
        return std::unexpected(NoTriangle{Failure::SameQuantity});
    const PairRow row = rowOf(first.quantity, second.quantity);
    if (row.facts->twice)
        return std::unexpected(NoTriangle{Failure::Twice});
    const std::array<const Given *, 2> givens{&first, &second};
    for (int i = 0; i < 2; ++i) {
        const Number &value = givens[std::size_t(i)]->value;
        if (value.sign() <= 0)
            return std::unexpected(NoTriangle{Failure::NotPositive, i});
        if (!isNormal(toReal(value)))
            return std::unexpected(NoTriangle{Failure::OutOfRange, i});
    }
    for (const Bound &bound : boundsOf(first.quantity, second.quantity))
        if (!meets(bound, first, second))
            return std::unexpected(NoTriangle{Failure::Condition, -1, bound});

    // The givens in the row's own names and order.
    const auto canonical = [&](Q q) { return row.mirrored ? mirrorOf(q) : q; };
    const Given &x = canonical(first.quantity) == row.facts->first ? first : second;
    const Given &y = &x == &first ? second : first;
    Solution solution{{first, second}, row, {}};
    for (const Start &start :
         starts(*row.facts, x.value.rationalPart(), y.value.rationalPart())) {
        Work w;
        fillReal(w, start.a, start.b);
        for (const Given *g : givens) {
            const int s = slot(canonical(g->quantity));
            w.known[std::size_t(s)] = RootSum(g->value);
            w.real[std::size_t(s)] = toReal(g->value);
        }
        for (const auto &[s, value] : start.seeds)
            if (!w.known[std::size_t(s)] && agrees(w, s, value))
                w.known[std::size_t(s)] = value;
        propagate(w);
        Triangle t;
        for (int q = 0; q < quantityCount; ++q) {
            if (!isNormal(w.real[std::size_t(q)]))
                return std::unexpected(NoTriangle{Failure::OutOfRange});
            t.values[std::size_t(q)] = valueFrom(w, q);
        }
        if (row.mirrored)
            swapLegs(t);
        solution.triangles.push_back(std::move(t));
    }
    if (solution.triangles.empty())
        return std::unexpected(NoTriangle{Failure::Condition});
    // Two triangles in the order of their angle α.
    std::ranges::sort(solution.triangles, {}, [](const Triangle &t) { return t[Q::alpha].toDouble(); });
    return solution;
}

std::string mirrored(std::string_view text)
{
    // As code points, so that a symbol is told from the letters of a word.
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = (unsigned char)text[i];
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int j = 1; j < length && i + std::size_t(j) < text.size(); ++j)
            point = (point << 6) | ((unsigned char)text[i + std::size_t(j)] & 0x3F);
        points.push_back(point);
        i += std::size_t(length);
    }
    const auto isLetter = [](char32_t c) {
        return (c < 0x80 && std::isalpha(int(c))) || (c >= 0x370 && c < 0x530);
    };
    const std::u32string from = U"abmnABαβ";
    const std::u32string to = U"banmBAβα";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::size_t at = from.find(points[i]);
        if (at == std::u32string::npos)
            continue;
        const bool before = i > 0 && isLetter(points[i - 1]);
        const bool after = i + 1 < points.size() && isLetter(points[i + 1]);
        if (!before && !after)
            points[i] = to[at];
    }
    std::string out;
    for (const char32_t c : points) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace pairs
