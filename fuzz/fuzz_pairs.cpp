#include "pairs.h"
#include "pairsteps.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Fuzzes the solver of any pair: the first byte chooses the two quantities
// (the first one's index and the second's, each modulo 14), and the next 16
// bytes are two doubles, the givens, taken as the exact numbers they are.
// Besides the sanitizers' own checks:
// - a solve either fails with a reason, or gives one or two triangles whose
//   every value is a positive normal double, whose hypotenuse is the legs'
//   (within 1e-13), in which the givens come back (within 1e-13), and whose
//   exact forms, where there are any, are the values (within 1e-13);
// - a pair that names one quantity twice, or one whose row says one thing
//   twice, fails so; a failure on a bound names a bound of the pair that the
//   givens break, and its message is written without a fault;
// - the steps of every triangle but a needle-thin one are written, each
//   numbered.
namespace {

[[noreturn]] void fail(const char *property, pairs::Quantity x, double first, pairs::Quantity y,
                       double second)
{
    std::fprintf(stderr, "%s\n  %s = %.17g, %s = %.17g\n", property,
                 pairs::factsOf(x).name.data(), first, pairs::factsOf(y).name.data(), second);
    std::abort();
}

double valueOf(const exact::Number &x)
{
    pairs::Value v;
    v.kept = x.rounded(pairs::keptDigits);
    return v.toDouble();
}

bool close(double x, double y)
{
    return std::abs(x - y) <= 1e-13 * std::abs(y);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 17)
        return 0;
    const auto x = pairs::Quantity(data[0] % pairs::quantityCount);
    const auto y = pairs::Quantity((data[0] / pairs::quantityCount) % pairs::quantityCount);
    double first = 0;
    double second = 0;
    std::memcpy(&first, data + 1, 8);
    std::memcpy(&second, data + 9, 8);
    if (!std::isfinite(first) || !std::isfinite(second))
        return 0;
    const pairs::Given g1{x, exact::Number(exact::Rational(first))};
    const pairs::Given g2{y, exact::Number(exact::Rational(second))};
    const auto solved = pairs::solve(g1, g2);
    if (!solved) {
        const pairs::NoTriangle &why = solved.error();
        if ((x == y) != (why.failure == pairs::Failure::SameQuantity))
            fail("names one quantity twice, or not", x, first, y, second);
        if (why.failure == pairs::Failure::Condition) {
            if (!why.bound || pairs::meets(*why.bound, g1, g2))
                fail("a bound broken that holds", x, first, y, second);
        }
        const FailureReport report = pairtext::failureReport(why, g1, g2, QLocale::c());
        if (report.message.isEmpty())
            fail("a failure without words", x, first, y, second);
        return 0;
    }
    if (x == y || pairs::rowOf(x, y).facts->twice)
        fail("solved a pair that fixes no triangle", x, first, y, second);
    for (std::size_t i = 0; i < solved->triangles.size(); ++i) {
        const pairs::Triangle &t = solved->triangles[i];
        for (const pairs::Value &v : t.values) {
            const double d = v.toDouble();
            if (!(d >= 2.2250738585072014e-308 && d <= 1.7976931348623157e308))
                fail("a value that is no positive normal double", x, first, y, second);
            if (v.exact && !close(valueOf(*v.exact), d))
                fail("an exact form that is not the value", x, first, y, second);
        }
        const double a = t[pairs::Quantity::a].toDouble();
        const double b = t[pairs::Quantity::b].toDouble();
        if (!close(std::hypot(a, b), t[pairs::Quantity::c].toDouble()))
            fail("a hypotenuse that is not the legs'", x, first, y, second);
        if (!close(t[x].toDouble(), first) || !close(t[y].toDouble(), second))
            fail("a given that does not come back", x, first, y, second);
        // Steps over decimals lose digits where two values far apart are
        // subtracted; a triangle thinner than 10⁻¹² may show one line
        // saying its steps cannot be shown, never steps that are wrong.
        const QStringList steps = pairtext::steps(*solved, i, QLocale::c());
        const bool written = steps.size() >= 2 && steps[1].startsWith(QStringLiteral("1) "));
        if (!written && std::min(a, b) > 1e-12 * std::max(a, b))
            fail("steps that are not written", x, first, y, second);
    }
    return 0;
}
