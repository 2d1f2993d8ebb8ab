// How quickly «Задача по избор» answers, each against the nearest work the
// program already does, measured alternately in one run:
// - solving a pair with its exact forms and its steps, for one pair of
//   every row of the pair table (from the 3-4-5 triangle's values, and for
//   the angles from the triangle with α = 30° and c = 2), against the steps
//   of «Вариант 1» for 3 and 4 (target: within 5 ms each);
// - opening the window with F4 from a fresh main window (making it,
//   painted), against opening «Чертеж и решение» with F2 the same way
//   (target: within 50 ms).
// On the offscreen platform, so that no display's timing comes in.
//
// Usage: solve_timing [RUNS, default 30]
// Prints the medians and the largest, and each as a ratio to its baseline.

#include "pairs.h"
#include "pairsteps.h"
#include "solutionsteps.h"
#include "windowdriver.h"

#include "opening.h"
#include "timing.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

exact::Number number(const char *text)
{
    return exact::Number::fromDecimal(*exact::readDecimal(text));
}

// A given of a known triangle as a student types it.
pairs::Given typed(const pairs::Triangle &t, pairs::Quantity q)
{
    const pairs::Value &v = t[q];
    if (v.exact)
        if (const auto decimal = v.exact->terminatingDecimal())
            return {q, exact::Number::fromDecimal(*decimal)};
    return {q, exact::Number::fromDecimal(v.rounded(15))};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    using pairs::Quantity;
    const auto legs = pairs::solve({Quantity::a, number("3")}, {Quantity::b, number("4")});
    const auto angled = pairs::solve({Quantity::c, number("2")}, {Quantity::alpha, number("30")});
    if (!legs || !angled)
        return 1;
    std::vector<std::pair<pairs::Given, pairs::Given>> givens;
    for (const pairs::PairFacts &row : pairs::table::rows) {
        if (row.twice)
            continue;
        const bool angle = pairs::isAngle(row.first) || pairs::isAngle(row.second);
        const pairs::Triangle &t = (angle ? angled : legs)->triangles.front();
        givens.push_back({typed(t, row.first), typed(t, row.second)});
    }
    std::vector<double> variant, pair;
    // Each pair's own times, for the slowest pair's median.
    std::vector<std::vector<double>> perPair(givens.size());
    for (int run = 0; run < runs; ++run) {
        variant.push_back(milliseconds([] {
            const auto t = solver::solve(solver::Variant::Legs, 3, 4);
            if (solutionSteps(solver::Variant::Legs, *t).isEmpty())
                std::exit(1);
        }));
        for (std::size_t i = 0; i < givens.size(); ++i) {
            const auto &[first, second] = givens[i];
            pair.push_back(milliseconds([&] {
                const auto s = pairs::solve(first, second);
                if (!s || pairtext::steps(*s, 0).isEmpty())
                    std::exit(1);
            }));
            perPair[i].push_back(pair.back());
        }
    }
    std::vector<double> openSolve, openCompanion;
    for (int run = 0; run < runs; ++run) {
        openCompanion.push_back(openingTime(Qt::Key_F2, QStringLiteral("Чертеж и решение")));
        openSolve.push_back(openingTime(Qt::Key_F4, QStringLiteral("Задача по избор")));
    }
    const auto line = [](const char *what, const std::vector<double> &times,
                         const std::vector<double> &baseline, const char *against) {
        std::printf("  %-44s %7.2f ms, largest %6.2f ms; %6.2f × %s (%.2f ms)\n", what,
                    median(times), *std::max_element(times.begin(), times.end()),
                    median(times) / median(baseline), against, median(baseline));
    };
    std::printf("«Задача по избор», medians of %d runs:\n", runs);
    line("solving a pair with its steps (target 5 ms)", pair, variant, "the steps of «Вариант 1»");
    const auto slowest = std::max_element(
        perPair.begin(), perPair.end(),
        [](const auto &x, const auto &y) { return median(x) < median(y); });
    const auto &[first, second] = givens[std::size_t(slowest - perPair.begin())];
    const std::string name = "the slowest pair, " + std::string(pairs::factsOf(first.quantity).name)
        + " and " + std::string(pairs::factsOf(second.quantity).name);
    line(name.c_str(), *slowest, variant, "the steps of «Вариант 1»");
    line("opening it with F4 (target 50 ms)", openSolve, openCompanion, "opening the companion");
    return 0;
}
