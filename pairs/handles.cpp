#include "handles.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <numeric>
#include <tuple>
#include <vector>

namespace handles {
namespace {

using pairs::Quantity;

// A grid of nice values: spacing mantissa·10^exponent, the mantissa 1 or 5.
struct Grid
{
    int mantissa = 1;
    int exponent = 0;

    double spacing() const { return Nice{mantissa, exponent}.value(); }
};

// The multiple n of the grid as a nice number.
Nice node(const Grid &g, std::int64_t n)
{
    return {n * g.mantissa, g.exponent};
}

// A hair, relative to a value, below which two places are one.
constexpr double hair = 1e-9;

// The grids from the coarsest that fits within `size` down to the finest
// that is still at least three tolerances wide (and no finer than a tenth
// of the key step), coarsest first: whole numbers, halves, tenths ... of
// the triangle's own scale.
std::vector<Grid> gridsFor(double size, double tolerance, const Nice &step)
{
    std::vector<Grid> grids;
    const double finest = std::max(3 * tolerance, step.scaled(-1).value() * (1 - hair));
    for (int e = int(std::floor(std::log10(size))); grids.size() < 40; --e) {
        for (const Grid g : {Grid{1, e}, Grid{5, e - 1}}) {
            if (g.spacing() < finest)
                return grids;
            grids.push_back(g);
        }
    }
    return grids;
}

// The value as a nice number on the key step's finest grid, if it is one.
std::optional<Nice> niceOf(double value, const Nice &step)
{
    const Grid fine{1, step.exponent - 1};
    const double n = std::round(value / fine.spacing());
    if (n < 1 || n > 1e15 || std::abs(n * fine.spacing() - value) > hair * value)
        return std::nullopt;
    Nice nice = node(fine, std::int64_t(n));
    while (nice.units % 10 == 0) {
        nice.units /= 10;
        ++nice.exponent;
    }
    return nice;
}

// The primitive Pythagorean triples with a hypotenuse up to 100, by
// Euclid's formula: (m² − n², 2mn, m² + n²) for coprime m > n of opposite
// parity.
const std::vector<std::array<int, 3>> &triples()
{
    static const std::vector<std::array<int, 3>> all = [] {
        std::vector<std::array<int, 3>> t;
        for (int m = 2; m * m < 100; ++m)
            for (int n = 1; n < m; ++n)
                if ((m - n) % 2 == 1 && std::gcd(m, n) == 1 && m * m + n * n <= 100)
                    t.push_back({m * m - n * n, 2 * m * n, m * m + n * n});
        return t;
    }();
    return all;
}

// The other leg of a right triangle with hypotenuse c and leg x, taken
// relative to c so that no square leaves the range of double (a triangle
// of 10⁻³⁰⁰ or 10³⁰⁰ moves as well as one of 10).
double otherLeg(double c, double x)
{
    const double t = x / c;
    return c * std::sqrt((1 - t) * (1 + t));
}

Place placeOf(Handle handle, const Legs &legs, Quantity set, double value,
              std::optional<Nice> nice = std::nullopt)
{
    Place p{legs, keptSide(handle), set, value, nice};
    switch (handle) {
    case Handle::C:
        if (set == Quantity::alpha) {
            p.legs.a = p.legs.b = legs.c * std::numbers::sqrt2 / 2;
        } else if (set == Quantity::a) {
            p.legs.a = value;
            p.legs.b = otherLeg(legs.c, value);
        } else {
            p.legs.b = value;
            p.legs.a = otherLeg(legs.c, value);
        }
        break;
    case Handle::A:
    case Handle::B: {
        const double kept = handle == Handle::A ? legs.a : legs.b;
        double &moving = handle == Handle::A ? p.legs.b : p.legs.a;
        if (set == Quantity::c) {
            p.legs.c = value;
            moving = otherLeg(value, kept);
        } else {
            moving = value;
            p.legs.c = std::hypot(kept, value);
        }
        break;
    }
    }
    return p;
}

Place niceAt(Handle handle, const Legs &legs, Quantity set, const Nice &nice)
{
    return placeOf(handle, legs, set, nice.value(), nice);
}

Place isosceles(const Legs &legs)
{
    return niceAt(Handle::C, legs, Quantity::alpha, Nice{45, 0});
}

Quantity movingLeg(Handle handle)
{
    return handle == Handle::A ? Quantity::b : Quantity::a;
}

// The multiple of step next above (or below) x by more than a hair.
std::int64_t nextMultiple(double x, const Nice &step, bool above)
{
    const double s = step.value();
    const double eps = hair * std::max(x, s);
    if (above)
        return std::int64_t(std::floor((x + eps) / s)) + 1;
    return std::int64_t(std::ceil((x - eps) / s)) - 1;
}

// A snapping candidate: the lower its rank, the nicer; among equals the
// nearer wins.
struct Candidate
{
    int rank;
    double distance;
    Place place;
};

} // namespace

double Nice::value() const
{
    return std::strtod(text().c_str(), nullptr);
}

std::string Nice::text() const
{
    return std::to_string(units) + "e" + std::to_string(exponent);
}

Quantity keptSide(Handle handle)
{
    switch (handle) {
    case Handle::C: return Quantity::c;
    case Handle::A: return Quantity::a;
    case Handle::B: return Quantity::b;
    }
    return Quantity::c;
}

Nice keyStep(Handle handle, const Legs &legs)
{
    const double kept = handle == Handle::C ? legs.c : handle == Handle::A ? legs.a : legs.b;
    return {1, int(std::ceil(std::log10(kept / 300) - hair))};
}

std::array<Place, 2> ends(Handle handle, const Legs &legs)
{
    const Nice step = keyStep(handle, legs);
    if (handle == Handle::C)
        return {niceAt(handle, legs, Quantity::a, step), niceAt(handle, legs, Quantity::b, step)};
    // Ten times the kept leg, or further where the triangle already is.
    const double kept = handle == Handle::A ? legs.a : legs.b;
    const double reach = std::max(10 * kept, position(handle, legs));
    const Nice far{std::max<std::int64_t>(1, nextMultiple(reach, step, false) + 1),
                   step.exponent};
    return {niceAt(handle, legs, movingLeg(handle), step),
            niceAt(handle, legs, movingLeg(handle), far)};
}

double position(Handle handle, const Legs &legs)
{
    switch (handle) {
    case Handle::C: return legs.c * std::atan2(legs.a, legs.b);
    case Handle::A: return legs.b;
    case Handle::B: return legs.a;
    }
    return 0;
}

Place placed(Handle handle, const Legs &legs, double raw, double tolerance)
{
    const Nice step = keyStep(handle, legs);
    const std::array<Place, 2> end = ends(handle, legs);
    const double s = step.value();
    std::vector<Candidate> candidates;
    Place free;

    if (handle == Handle::C) {
        const double alpha = std::clamp(raw, 0.0, std::numbers::pi / 2);
        const double a = legs.c * std::sin(alpha);
        const double b = legs.c * std::cos(alpha);
        if (a < s)
            return end[0];
        if (b < s)
            return end[1];
        // The shorter leg set: the longer one follows from it without loss.
        free = a <= b ? placeOf(handle, legs, Quantity::a, a) : placeOf(handle, legs, Quantity::b, b);
        if (!(tolerance > 0))
            return free;
        for (const auto &[p, q, h] : triples()) {
            for (const auto &[x, y] : {std::pair{p, q}, std::pair{q, p}}) {
                const double tripleA = legs.c * x / h;
                const auto niceA = niceOf(tripleA, step);
                const double along = std::abs(a - tripleA) * legs.c / b;
                if (niceA && niceOf(legs.c * y / h, step) && along <= 1.5 * tolerance)
                    candidates.push_back({0, along, niceAt(handle, legs, Quantity::a, *niceA)});
            }
        }
        // Distances along the arc, which the pointer travels: there a leg
        // moves by the other leg's share of c (da = b/c·dσ, db = a/c·dσ).
        const double toMiddle = std::abs(a - b) * legs.c / (a + b);
        if (toMiddle <= tolerance)
            candidates.push_back({1, toMiddle, isosceles(legs)});
        const double longest = otherLeg(legs.c, s);
        int rank = 2;
        for (const Grid &g : gridsFor(legs.c, tolerance, step)) {
            for (const auto &[leg, value, other] :
                 {std::tuple{Quantity::a, a, b}, std::tuple{Quantity::b, b, a}}) {
                const double n = std::round(value / g.spacing());
                const double at = n * g.spacing();
                const double along = std::abs(value - at) * legs.c / other;
                if (along <= tolerance && at >= s * (1 - hair) && at <= longest)
                    candidates.push_back({rank, along,
                                          niceAt(handle, legs, leg, node(g, std::int64_t(n)))});
            }
            ++rank;
        }
    } else {
        const double kept = handle == Handle::A ? legs.a : legs.b;
        const double low = end[0].value;
        const double high = end[1].value;
        if (raw <= low)
            return end[0];
        if (raw >= high)
            return end[1];
        const Quantity leg = movingLeg(handle);
        free = placeOf(handle, legs, leg, raw);
        if (!(tolerance > 0))
            return free;
        const double c = std::hypot(kept, raw);
        for (const auto &[p, q, h] : triples()) {
            for (const auto &[x, y] : {std::pair{p, q}, std::pair{q, p}}) {
                const double other = kept * y / x;
                const auto nice = niceOf(other, step);
                if (nice && niceOf(kept * h / x, step) && std::abs(raw - other) <= 1.5 * tolerance
                    && other > low && other < high)
                    candidates.push_back({0, std::abs(raw - other), niceAt(handle, legs, leg, *nice)});
            }
        }
        // The hypotenuse moves more slowly than the leg: b/c of it.
        const double cTolerance = tolerance * raw / c;
        int rank = 2;
        for (const Grid &g : gridsFor(std::max(kept, raw), tolerance, step)) {
            const double n = std::round(raw / g.spacing());
            const double at = n * g.spacing();
            if (std::abs(raw - at) <= tolerance && at >= low * (1 - hair) && at <= high)
                candidates.push_back({rank, std::abs(raw - at), niceAt(handle, legs, leg, node(g, std::int64_t(n)))});
            const double nc = std::round(c / g.spacing());
            const double atC = nc * g.spacing();
            if (std::abs(c - atC) <= cTolerance && atC > kept) {
                const Place onC = niceAt(handle, legs, Quantity::c, node(g, std::int64_t(nc)));
                const double moved = position(handle, onC.legs);
                if (moved >= low && moved <= high)
                    candidates.push_back({rank, std::abs(c - atC) * c / raw, onC});
            }
            ++rank;
        }
    }
    if (candidates.empty())
        return free;
    return std::ranges::min(candidates, {}, [](const Candidate &c) {
               return std::pair{c.rank, c.distance};
           }).place;
}

Place stepped(Handle handle, const Legs &legs, bool forward, Nice step)
{
    const std::array<Place, 2> end = ends(handle, legs);
    const Place here = handle == Handle::C
        ? (legs.a <= legs.b ? placeOf(handle, legs, Quantity::a, legs.a)
                            : placeOf(handle, legs, Quantity::b, legs.b))
        : placeOf(handle, legs, movingLeg(handle), position(handle, legs));
    if (handle == Handle::C) {
        const double s = end[0].value;
        const double middle = legs.c * std::numbers::sqrt2 / 2;
        // The leg that moves is the shorter one; between the halves the
        // isosceles triangle is a stop of its own.
        const bool atMiddle = std::abs(legs.a - legs.b) <= hair * legs.c;
        const bool onA = forward ? legs.a < legs.b && !atMiddle : legs.a <= legs.b || atMiddle;
        const Quantity leg = onA ? Quantity::a : Quantity::b;
        const double value = onA ? legs.a : legs.b;
        // Forward a grows or, past the middle, b shrinks; back the reverse.
        const bool grows = forward == onA;
        if (!grows && value <= s * (1 + hair))
            return here; // at an end
        const std::int64_t n = nextMultiple(value, step, grows);
        const Nice next = node(Grid{int(step.units), step.exponent}, n);
        if (grows && next.value() >= middle * (1 - hair))
            return atMiddle ? here : isosceles(legs);
        if (!grows && next.value() < s * (1 - hair))
            return onA ? end[0] : end[1];
        return niceAt(handle, legs, leg, next);
    }
    const double value = position(handle, legs);
    const double low = end[0].value;
    const double high = end[1].value;
    if (forward ? value >= high * (1 - hair) : value <= low * (1 + hair))
        return here;
    const std::int64_t n = nextMultiple(value, step, forward);
    const Nice next = node(Grid{int(step.units), step.exponent}, n);
    if (forward && next.value() > high)
        return end[1];
    if (!forward && next.value() < low)
        return end[0];
    return niceAt(handle, legs, movingLeg(handle), next);
}

} // namespace handles
