#include "problem.h"

#include "pairsteps.h"
#include "schooltext.h"
#include "solutionsteps.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>
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

std::vector<Triple> triplesUpTo(long long largest)
{
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
}

const std::vector<Triple> &triples()
{
    static const std::vector<Triple> all = triplesUpTo(250);
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

using pairs::Quantity;

bool isWholeOrHalf(const Number &x)
{
    return x.isRational() && boost::multiprecision::denominator(x.rationalPart()) <= 2;
}

// Every quantity of a whole-number right triangle, exactly (the angles
// left out): its legs in the order given.
std::array<std::optional<exact::Rational>, pairs::quantityCount> rationalQuantities(long long a,
                                                                                   long long b,
                                                                                   long long c)
{
    using exact::Rational;
    std::array<std::optional<Rational>, pairs::quantityCount> q;
    const Rational r(a + b - c, 2);
    const auto set = [&](Quantity which, const Rational &value) { q[std::size_t(which)] = value; };
    set(Quantity::a, a);
    set(Quantity::b, b);
    set(Quantity::c, c);
    set(Quantity::h, Rational(a * b, c));
    set(Quantity::a1, Rational(a * a, c));
    set(Quantity::b1, Rational(b * b, c));
    set(Quantity::m, Rational(b) - r);
    set(Quantity::n, Rational(a) - r);
    set(Quantity::S, Rational(a * b, 2));
    set(Quantity::P, a + b + c);
    set(Quantity::r, r);
    set(Quantity::R, Rational(c, 2));
    return q;
}

// The whole-number givens of a new type at the level of whole numbers: the
// Pythagorean triangles, both ways round, whose givens of the type are
// whole and whose sought values are whole or halves; each pair of givens
// once. Hypotenuses up to 250, as the variants have them, and where that
// gives fewer than `enough` problems (the altitude h = ab/c is whole only for
// multiples of a triple by its own hypotenuse), the next larger ones until
// there are.
const std::vector<Givens> &wholeTypeGivens(int type)
{
    static const auto lists = [] {
        constexpr std::size_t enough = 60;
        const std::vector<Triple> larger = triplesUpTo(2500);
        std::array<std::vector<Givens>, typeCount> l;
        for (int t = variantTypes; t < typeCount; ++t) {
            const TypeFacts &facts = typeFacts(t);
            if (!facts.hasLevel(int(Level::Whole)))
                continue;
            for (const Triple &triple : larger) {
                if (triple.c > 250 && l[std::size_t(t)].size() >= enough)
                    break;
                for (const auto &[a, b] : {std::pair{triple.x, triple.y}, {triple.y, triple.x}}) {
                    const auto q = rationalQuantities(a, b, triple.c);
                    const auto &first = q[std::size_t(facts.givens[0])];
                    const auto &second = q[std::size_t(facts.givens[1])];
                    if (boost::multiprecision::denominator(*first) != 1
                        || boost::multiprecision::denominator(*second) != 1)
                        continue;
                    const bool nice = std::ranges::all_of(facts.soughtQuantities(), [&](Quantity s) {
                        return boost::multiprecision::denominator(*q[std::size_t(s)]) <= 2;
                    });
                    const Givens g = {static_cast<long long>(boost::multiprecision::numerator(*first)),
                                      static_cast<long long>(boost::multiprecision::numerator(*second))};
                    if (nice && std::ranges::find(l[std::size_t(t)], g) == l[std::size_t(t)].end())
                        l[std::size_t(t)].push_back(g);
                }
            }
        }
        return l;
    }();
    return lists[std::size_t(type)];
}

// A new type's problem at the level of roots or decimals, drawn from the
// number's mix until it has exactly one triangle, every sought value exact
// with at most one root, and the numbers the level promises: at the roots,
// whole givens and at least one answer that is neither whole nor a half; at
// the decimals, a given with one or two decimals. An angle given is 30°, 45°
// or 60°.
std::pair<std::array<Number, 2>, pairs::Triangle> drawnTypeProblem(int type, Level level,
                                                                   std::uint64_t mix)
{
    const TypeFacts &facts = typeFacts(type);
    for (;; mix = scrambled(mix)) {
        const int decimals = level == Level::Decimals ? 1 + int(mix % 2) : 0;
        const long long scale = decimals == 0 ? 1 : decimals == 1 ? 10 : 100;
        std::array<Number, 2> g;
        for (std::size_t i = 0; i < 2; ++i) {
            mix = scrambled(mix);
            const GivenRange range = facts.ranges[i];
            if (pairs::isAngle(facts.givens[i])) {
                g[i] = Number(30 + 15 * (long long)(mix % 3));
                continue;
            }
            const long long low = range.low * scale;
            const long long count = (range.high - range.low) * scale + 1;
            const long long drawn = low + (long long)(mix % std::uint64_t(count));
            g[i] = decimals == 0 ? Number(drawn) : decimal(drawn, decimals);
        }
        if (level == Level::Decimals && isWhole(g[0]) && isWhole(g[1]))
            continue;
        const pairs::Given first{facts.givens[0], g[0]};
        const pairs::Given second{facts.givens[1], g[1]};
        if (!std::ranges::all_of(pairs::boundsOf(first.quantity, second.quantity),
                                 [&](const pairs::Bound &b) { return pairs::meets(b, first, second); }))
            continue;
        auto triangle = solvedTriangle(type, g[0], g[1]);
        if (!triangle)
            continue;
        const auto sought = facts.soughtQuantities();
        if (!std::ranges::all_of(sought, [&](Quantity q) { return (*triangle)[q].exact.has_value(); }))
            continue;
        if (level == Level::Roots
            && std::ranges::all_of(sought, [&](Quantity q) { return isWholeOrHalf(*(*triangle)[q].exact); }))
            continue;
        return {g, *std::move(triangle)};
    }
}

// The (type, level) of each remainder of a six-digit number: every new type
// at each level it has, in the table's order.
const std::vector<std::pair<int, Level>> &typeLevels()
{
    static const auto all = [] {
        std::vector<std::pair<int, Level>> l;
        for (int t = variantTypes; t < typeCount; ++t)
            for (int level = 0; level < levelCount; ++level)
                if (typeFacts(t).hasLevel(level))
                    l.emplace_back(t, Level(level));
        return l;
    }();
    return all;
}

std::optional<Problem> typeProblem(int number)
{
    const auto &combos = typeLevels();
    const int offset = number - firstTypeNumber;
    Problem p;
    p.number = number;
    std::tie(p.type, p.level) = combos[std::size_t(offset) % combos.size()];
    const std::uint64_t mix = scrambled(std::uint64_t(number));
    pairs::Triangle triangle;
    if (p.level == Level::Whole) {
        const auto &list = wholeTypeGivens(p.type);
        const Givens &g = list[mix % list.size()];
        p.givens = {Number(g[0]), Number(g[1])};
        triangle = *solvedTriangle(p.type, p.givens[0], p.givens[1]);
    } else {
        std::tie(p.givens, triangle) = drawnTypeProblem(p.type, p.level, mix);
    }
    for (int q = 0; q < pairs::quantityCount; ++q)
        p.values[std::size_t(q)] = triangle.values[std::size_t(q)].exact;
    p.typeTriangle = {triangle[Quantity::a].toDouble(), triangle[Quantity::b].toDouble(),
                      triangle[Quantity::r].toDouble(), triangle[Quantity::R].toDouble()};
    if (std::ranges::all_of(std::array{Quantity::a, Quantity::b, Quantity::c, Quantity::r, Quantity::R},
                            [&](Quantity q) { return p.value(q).has_value(); }))
        p.exact = {*p.value(Quantity::a), *p.value(Quantity::b), *p.value(Quantity::c),
                   *p.value(Quantity::r), *p.value(Quantity::R)};
    return p;
}

// The quantities of a variant's triangle that its exact triangle holds.
void fillValues(Problem &p)
{
    p.values[std::size_t(Quantity::a)] = p.exact.a;
    p.values[std::size_t(Quantity::b)] = p.exact.b;
    p.values[std::size_t(Quantity::c)] = p.exact.c;
    p.values[std::size_t(Quantity::r)] = p.exact.r;
    p.values[std::size_t(Quantity::R)] = p.exact.R;
}

} // namespace

std::optional<int> typeNamed(std::string_view name)
{
    const QString wanted = QString::fromUtf8(name.data(), qsizetype(name.size())).simplified();
    for (int t = 0; t < typeCount; ++t)
        if (QString::fromUtf8(typeFacts(t).name).compare(wanted, Qt::CaseInsensitive) == 0)
            return t;
    return std::nullopt;
}

bool hasLevel(int type, Level level)
{
    return type >= 0 && type < typeCount && typeFacts(type).hasLevel(int(level));
}

Level levelFor(int type, Level level)
{
    for (int step = 0; step < levelCount; ++step) {
        const Level l = Level((int(level) + step) % levelCount);
        if (hasLevel(type, l))
            return l;
    }
    return level;
}

std::optional<pairs::Triangle> solvedTriangle(int type, const Number &first, const Number &second)
{
    const TypeFacts &facts = typeFacts(type);
    const auto solved = pairs::solve({facts.givens[0], first}, {facts.givens[1], second});
    if (!solved || solved->triangles.size() != 1)
        return std::nullopt;
    return solved->triangles.front();
}

pairs::Solved solution(const Problem &problem)
{
    const TypeFacts &facts = problem.facts();
    return pairs::solve({facts.givens[0], problem.givens[0]}, {facts.givens[1], problem.givens[1]});
}

int indexCount(int type)
{
    if (type < variantTypes)
        return indexCount();
    return (lastTypeNumber - firstTypeNumber + 1) / int(typeLevels().size());
}

int numberOf(int type, Level level, int index)
{
    if (type < 0 || type >= typeCount)
        return 0;
    if (type < variantTypes)
        return numberOf(Variant(type), level, index);
    const auto &combos = typeLevels();
    const auto found = std::ranges::find(combos, std::pair(type, level));
    if (found == combos.end() || index < 0 || index >= indexCount(type))
        return 0;
    return firstTypeNumber + index * int(combos.size()) + int(found - combos.begin());
}

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
    return *value(sought(which));
}

solver::Triangle Problem::triangle() const
{
    if (!isVariant())
        return typeTriangle;
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
    if (number >= firstTypeNumber && number <= lastTypeNumber)
        return typeProblem(number);
    if (number < firstNumber || number > lastNumber)
        return std::nullopt;
    const int offset = number - firstNumber;
    Problem p;
    p.number = number;
    p.variant = Variant(offset % solver::variantCount);
    p.type = typeOf(p.variant);
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
    fillValues(p);
    return p;
}

QString numberText(const Number &value, const QLocale &locale)
{
    return schoolText(value, locale);
}

QString symbolText(Quantity q)
{
    return QString::fromUtf8(pairs::factsOf(q).symbol);
}

QString givenText(Quantity q, const Number &value, const QLocale &locale)
{
    const int dimension = pairs::factsOf(q).dimension;
    const QString unit = dimension == 0 ? QStringLiteral("°")
        : dimension == 2                ? QStringLiteral(" см²")
                                        : QStringLiteral(" см");
    return QStringLiteral("%1 = %2%3").arg(symbolText(q), numberText(value, locale), unit);
}

namespace {

// «a», «a и b», «a, b и r».
QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" и ")
        + items.last();
}

QString typeStatement(const Problem &problem, const QLocale &locale)
{
    const TypeFacts &facts = problem.facts();
    QStringList sought;
    for (const Quantity q : facts.soughtQuantities())
        sought << symbolText(q);
    return QString::fromUtf8(facts.facts)
               .arg(givenText(facts.givens[0], problem.givens[0], locale),
                    givenText(facts.givens[1], problem.givens[1], locale))
        + QStringLiteral(" Намерете %1.").arg(listed(sought));
}

} // namespace

QString statement(const Problem &problem, const QLocale &locale)
{
    if (!problem.isVariant())
        return typeStatement(problem, locale);
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

QStringList solutionLines(const Problem &problem, const QLocale &locale)
{
    QStringList lines;
    if (problem.isVariant()) {
        for (const QString &line : solutionSteps(problem.variant, problem.triangle(), locale)) {
            if (line.startsWith(u"Дадени"))
                continue;
            lines << line;
            if (line.startsWith(u"Отговор"))
                break;
        }
        return lines;
    }
    const auto solved = solution(problem);
    if (!solved)
        return lines;
    // The pair's steps find every quantity; the hints stop at the step that
    // finds the last one sought, which that step's result names: «… : r = …»
    // or «2) r = …».
    QStringList open;
    for (const Quantity q : problem.facts().soughtQuantities())
        open << symbolText(q);
    for (const QString &line : pairtext::steps(*solved, 0, locale)) {
        if (line.startsWith(u"Дадени"))
            continue;
        lines << line;
        QString result = line.section(QStringLiteral(") "), 1);
        if (const qsizetype colon = result.lastIndexOf(QStringLiteral(": ")); colon >= 0)
            result = result.mid(colon + 2);
        open.removeIf([&](const QString &symbol) {
            return result.startsWith(symbol + QStringLiteral(" = "))
                || result.startsWith(symbol + QStringLiteral(" ≈ "));
        });
        if (open.isEmpty())
            break;
    }
    QStringList answers;
    for (int i = 0; i < problem.soughtCount(); ++i)
        answers << QStringLiteral("%1 = %2").arg(symbolText(problem.sought(i)),
                                                 numberText(problem.answer(i), locale));
    lines << QStringLiteral("Отговор: %1.").arg(answers.join(QStringLiteral("; ")));
    return lines;
}

bool ProblemDrawer::recent(const Problem &problem) const
{
    return std::ranges::any_of(m_recent, [&](const Problem &p) {
        return p.type == problem.type && p.givens == problem.givens;
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

Problem ProblemDrawer::nextOfType(std::optional<int> type, Level level)
{
    // As next(): every type has more than `remembered` problems at each
    // level it has.
    std::vector<int> open;
    for (int t = 0; t < typeCount; ++t)
        if (hasLevel(t, level))
            open.push_back(t);
    Problem drawn;
    for (int attempt = 0; attempt < 10000; ++attempt) {
        const int t = type.value_or(open[m_random() % open.size()]);
        const Level l = levelFor(t, level);
        drawn = *problem(numberOf(t, l, int(m_random() % std::uint32_t(indexCount(t)))));
        if (!recent(drawn))
            break;
    }
    posed(drawn);
    return drawn;
}

QString levelName(Level level)
{
    switch (level) {
    case Level::Whole:
        return QStringLiteral("Цели числа");
    case Level::Roots:
        return QStringLiteral("С корени");
    case Level::Decimals:
        break;
    }
    return QStringLiteral("Десетични дроби");
}

QString typeTitle(int type)
{
    const TypeFacts &facts = typeFacts(type);
    if (facts.variant)
        return QStringLiteral("Вариант %1: дадени %2 и %3")
            .arg(type + 1)
            .arg(symbolText(facts.givens[0]), symbolText(facts.givens[1]));
    QStringList sought;
    for (const pairs::Quantity q : facts.soughtQuantities())
        sought << symbolText(q);
    return QStringLiteral("%1: %2, %3 → %4")
        .arg(QString::fromUtf8(facts.name), symbolText(facts.givens[0]), symbolText(facts.givens[1]),
             sought.join(QStringLiteral(", ")));
}

} // namespace practice
