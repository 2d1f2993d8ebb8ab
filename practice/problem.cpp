#include "problem.h"

#include "schooltext.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

using exact::Number;
using solver::Column;
using solver::Variant;

namespace practice {
namespace {

bool isSquare(long long n)
{
    if (n < 0)
        return false;
    long long root = std::llround(std::sqrt(double(n)));
    while (root * root > n)
        --root;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return root * root == n;
}

using Givens = std::array<long long, 2>;

// Whole-number right triangles, legs and hypotenuse, from the primitive
// Pythagorean triples and their multiples, hypotenuse up to 250.
struct Triple
{
    long long x; // the odd leg of the primitive triple, times k
    long long y; // the even one
    long long c;
};

const std::vector<Triple> &triples()
{
    static const std::vector<Triple> all = [] {
        constexpr long long largest = 250;
        std::vector<Triple> found;
        for (long long m = 2; m * m < largest; ++m)
            for (long long n = 1; n < m; ++n) {
                if ((m - n) % 2 == 0 || std::gcd(m, n) != 1)
                    continue;
                const Triple primitive{m * m - n * n, 2 * m * n, m * m + n * n};
                for (long long k = 1; k * primitive.c <= largest; ++k)
                    found.push_back({k * primitive.x, k * primitive.y, k * primitive.c});
            }
        std::ranges::sort(found, {}, [](const Triple &t) { return std::pair(t.c, t.x); });
        return found;
    }();
    return all;
}

// The givens of each variant at the level of whole numbers: each triple in
// both orientations where the variant tells the legs apart, the radii's
// only where R is whole (the hypotenuse even). Hypotenuses up to 170, the
// numbers of a textbook; the radii take all, to have more than
// ProblemDrawer::remembered problems.
const std::vector<Givens> &wholeGivens(Variant variant)
{
    static const std::array<std::vector<Givens>, solver::variantCount> lists = [] {
        constexpr long long largestWithLegs = 170;
        std::array<std::vector<Givens>, solver::variantCount> l;
        for (const Triple &t : triples()) {
            const long long r = (t.x + t.y - t.c) / 2;
            if (t.c % 2 == 0)
                l[3].push_back({r, t.c / 2});
            if (t.c > largestWithLegs)
                continue;
            for (const auto &[a, b] : {std::pair{t.x, t.y}, {t.y, t.x}}) {
                l[0].push_back({a, b});
                l[1].push_back({a, r});
                if (t.c % 2 == 0)
                    l[2].push_back({a, t.c / 2});
            }
        }
        return l;
    }();
    return lists[std::size_t(variant)];
}

// The givens of each variant at the level of roots: whole numbers whose
// answers have a square root, or for the leg and the inradius (whose answers
// are always rational) a fraction.
const std::vector<Givens> &rootGivens(Variant variant)
{
    static const std::array<std::vector<Givens>, solver::variantCount> lists = [] {
        std::array<std::vector<Givens>, solver::variantCount> l;
        for (long long a = 1; a <= 15; ++a)
            for (long long b = 1; b <= 15; ++b)
                if (!isSquare(a * a + b * b))
                    l[0].push_back({a, b});
        for (long long r = 1; r <= 6; ++r)
            for (long long a = 2 * r + 1; a <= 2 * r + 15; ++a)
                if ((2 * r * (a - r)) % (a - 2 * r) != 0)
                    l[1].push_back({a, r});
        for (long long R = 2; R <= 12; ++R)
            for (long long a = 1; a < 2 * R; ++a)
                if (!isSquare(4 * R * R - a * a))
                    l[2].push_back({a, R});
        for (long long r = 1; r <= 6; ++r)
            for (long long R = 2 * r; R <= 4 * r + 10; ++R) {
                const long long D = R * R - 2 * R * r - r * r;
                if (D > 0 && !isSquare(D))
                    l[3].push_back({r, R});
            }
        return l;
    }();
    return lists[std::size_t(variant)];
}

Number wholeNumber(long long n)
{
    return Number(n);
}

// p / 10^decimals.
Number decimal(long long p, int decimals)
{
    return Number(exact::Rational(p, decimals == 1 ? 10 : 100));
}

bool isWhole(const Number &x)
{
    return x.isRational() && boost::multiprecision::denominator(x.rationalPart()) == 1;
}

// Givens with one or two decimals, drawn from the number's mix until the
// variant's condition holds strictly and at least one given is no whole
// number: legs up to 20, radii up to a few units, as a textbook has them.
std::array<Number, 2> decimalGivens(Variant variant, std::uint64_t mix)
{
    for (;; mix = scrambled(mix)) {
        const int decimals = 1 + int(mix % 2);
        const long long scale = decimals == 1 ? 10 : 100;
        const auto draw = [&](long long low, long long high) {
            mix = scrambled(mix);
            return low + (long long)(mix % std::uint64_t(high - low + 1));
        };
        std::array<Number, 2> g;
        switch (variant) {
        case Variant::Legs:
            g = {decimal(draw(scale / 2, 20 * scale), decimals),
                 decimal(draw(scale / 2, 20 * scale), decimals)};
            break;
        case Variant::LegAndInradius: {
            const long long r = draw(scale / 2, 6 * scale);
            g = {decimal(2 * r + draw(1, 15 * scale), decimals), decimal(r, decimals)};
            break;
        }
        case Variant::LegAndCircumradius: {
            const long long R = draw(scale, 12 * scale);
            g = {decimal(draw(1, 2 * R - 1), decimals), decimal(R, decimals)};
            break;
        }
        case Variant::Radii: {
            const long long r = draw(scale / 2, 5 * scale);
            g = {decimal(r, decimals), decimal(draw(2 * r, 4 * r + 10 * scale), decimals)};
            break;
        }
        }
        // For the radii, R strictly above its least (1 + √2)·r: never the
        // isosceles limit.
        const auto t = exactTriangle(variant, g[0], g[1]);
        if ((!isWhole(g[0]) || !isWhole(g[1])) && t && (variant != Variant::Radii || t->a != t->b))
            return g;
    }
}

double toDouble(const Number &x)
{
    const exact::Decimal d = x.rounded(17);
    const std::string text = std::string(d.negative ? "-" : "") + "0." + d.digits + "e"
        + std::to_string(d.exponent + 1);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

QString symbolOf(Column column)
{
    return QString::fromLatin1(solver::symbol(column));
}

} // namespace

std::uint64_t scrambled(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

const Number &valueOf(const ExactTriangle &t, Column column)
{
    switch (column) {
    case Column::a:
        return t.a;
    case Column::b:
        return t.b;
    case Column::r:
        return t.r;
    case Column::R:
        break;
    }
    return t.R;
}

std::optional<ExactTriangle> exactTriangle(Variant variant, const Number &first,
                                           const Number &second)
{
    if (first.sign() <= 0 || second.sign() <= 0)
        return std::nullopt;
    const Number two(2);
    ExactTriangle t;
    switch (variant) {
    case Variant::Legs:
        t.a = first;
        t.b = second;
        t.c = exact::sqrt(t.a * t.a + t.b * t.b);
        break;
    case Variant::LegAndInradius:
        t.a = first;
        t.r = second;
        if ((t.a - two * t.r).sign() <= 0)
            return std::nullopt;
        t.b = two * t.r * (t.a - t.r) / (t.a - two * t.r);
        t.c = t.a + t.b - two * t.r;
        break;
    case Variant::LegAndCircumradius: {
        t.a = first;
        t.c = two * second;
        const Number square = t.c * t.c - t.a * t.a;
        if (square.sign() <= 0)
            return std::nullopt;
        t.b = exact::sqrt(square);
        break;
    }
    case Variant::Radii: {
        t.r = first;
        t.c = two * second;
        // a + b = c + 2r and ab = r·(a + b + c): a and b are the roots of
        // x² − (a + b)·x + ab = 0.
        const Number sum = t.c + two * t.r;
        const Number product = t.r * (sum + t.c);
        const Number D = sum * sum - Number(4) * product;
        if (D.sign() < 0)
            return std::nullopt;
        t.a = (sum + exact::sqrt(D)) / two;
        t.b = (sum - exact::sqrt(D)) / two;
        break;
    }
    }
    t.r = (t.a + t.b - t.c) / two;
    t.R = t.c / two;
    return t;
}

const Number &Problem::answer(int which) const
{
    return valueOf(exact, solver::factsOf(variant).computed[std::size_t(which)]);
}

solver::Triangle Problem::triangle() const
{
    const auto solved = solver::solve(variant, toDouble(givens[0]), toDouble(givens[1]));
    return solved ? *solved : solver::Triangle{};
}

int indexCount()
{
    return (lastNumber - firstNumber + 1) / (solver::variantCount * levelCount);
}

int numberOf(Variant variant, Level level, int index)
{
    if (index < 0 || index >= indexCount())
        return 0;
    return firstNumber + (index * levelCount + int(level)) * solver::variantCount + int(variant);
}

std::optional<Problem> problem(int number)
{
    if (number < firstNumber || number > lastNumber)
        return std::nullopt;
    const int offset = number - firstNumber;
    Problem p;
    p.number = number;
    p.variant = Variant(offset % solver::variantCount);
    p.level = Level(offset / solver::variantCount % levelCount);
    const std::uint64_t mix = scrambled(std::uint64_t(number));
    if (p.level == Level::Decimals) {
        p.givens = decimalGivens(p.variant, mix);
    } else {
        const auto &list =
            p.level == Level::Whole ? wholeGivens(p.variant) : rootGivens(p.variant);
        const Givens &g = list[mix % list.size()];
        p.givens = {wholeNumber(g[0]), wholeNumber(g[1])};
    }
    p.exact = *exactTriangle(p.variant, p.givens[0], p.givens[1]);
    return p;
}

QString numberText(const Number &value, const QLocale &locale)
{
    return schoolText(value, locale);
}

QString statement(const Problem &problem, const QLocale &locale)
{
    const auto given = [&](int which) {
        const Column column = solver::factsOf(problem.variant).given[std::size_t(which)];
        return QStringLiteral("%1 = %2 см")
            .arg(symbolOf(column), numberText(problem.givens[std::size_t(which)], locale));
    };
    const auto &sought = solver::factsOf(problem.variant).computed;
    const QString find =
        QStringLiteral("Намерете %1 и %2.").arg(symbolOf(sought[0]), symbolOf(sought[1]));
    QString facts;
    switch (problem.variant) {
    case Variant::Legs:
        facts = QStringLiteral("Правоъгълен триъгълник има катети %1 и %2; r е радиусът на "
                               "вписаната в него окръжност, а R — на описаната около него.")
                    .arg(given(0), given(1));
        break;
    case Variant::LegAndInradius:
        facts = QStringLiteral("Правоъгълен триъгълник има катет %1, а радиусът на вписаната в "
                               "него окръжност е %2; b е другият му катет, а R — радиусът на "
                               "описаната около него окръжност.")
                    .arg(given(0), given(1));
        break;
    case Variant::LegAndCircumradius:
        facts = QStringLiteral("Правоъгълен триъгълник има катет %1, а радиусът на описаната "
                               "около него окръжност е %2; b е другият му катет, а r — радиусът "
                               "на вписаната в него окръжност.")
                    .arg(given(0), given(1));
        break;
    case Variant::Radii:
        facts = QStringLiteral("Радиусът на вписаната в правоъгълен триъгълник окръжност е %1, "
                               "а на описаната около него — %2; a и b са катетите му.")
                    .arg(given(0), given(1));
        break;
    }
    return facts + u' ' + find;
}

bool ProblemDrawer::recent(const Problem &problem) const
{
    return std::ranges::any_of(m_recent, [&](const Problem &p) {
        return p.variant == problem.variant && p.givens == problem.givens;
    });
}

void ProblemDrawer::posed(const Problem &problem)
{
    m_recent.push_back(problem);
    if (int(m_recent.size()) > remembered)
        m_recent.pop_front();
}

Problem ProblemDrawer::next(std::optional<Variant> variant, Level level)
{
    // Every variant and level has more than `remembered` problems, so a few
    // draws find one not posed lately; the bound only keeps the loop finite.
    Problem drawn;
    for (int attempt = 0; attempt < 10000; ++attempt) {
        const Variant v = variant.value_or(Variant(m_random() % solver::variantCount));
        drawn = *problem(numberOf(v, level, int(m_random() % std::uint32_t(indexCount()))));
        if (!recent(drawn))
            break;
    }
    posed(drawn);
    return drawn;
}

} // namespace practice
