// How long the companion window «Чертеж и решение» takes to show a new
// calculation: from «Изчисли» in the main window to the companion repainted
// (960 × 560 on the offscreen platform), that is solving, writing the boxes,
// working out and writing the steps, and painting the drawing and the text.
// The givens run from 3-4-5 to the largest work the boxes can ask for:
// fifteen significant digits at the ends of the range of double, thin
// triangles and the radii next to the isosceles triangle.
//
// Usage: companion_timing [RUNS, default 30]
// Prints the median per case, then the median and the largest of all.

#include "kovrenda.h"
#include "variants.h"
#include "windowdriver.h"

#include "timing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Case
{
    solver::Variant variant;
    const char *first;
    const char *second;
    const char *what;
};

// clang-format off
const Case cases[] = {
    {solver::Variant::Legs, "3", "4", "a, b: 3-4-5"},
    {solver::Variant::Legs, "1", "1", "a, b: 1, 1"},
    {solver::Variant::Legs, "0.0180910998383927", "317310.355937444", "a, b: thin"},
    {solver::Variant::Legs, "1.23456789012345e-300", "9.87654321098765e300", "a, b: 1e-300, 1e300"},
    {solver::Variant::LegAndInradius, "3", "1", "a, r: 3-4-5"},
    {solver::Variant::LegAndInradius, "1.23456789012345", "0.617283945061722", "a, r: rho 1e13"},
    {solver::Variant::LegAndInradius, "1.23456789012345e200", "6.1728394506172e199", "a, r: 1e200"},
    {solver::Variant::LegAndCircumradius, "3", "2.5", "a, R: 3-4-5"},
    {solver::Variant::LegAndCircumradius, "128418813.128955", "64209406.5644777", "a, R: a nearly 2R"},
    {solver::Variant::LegAndCircumradius, "1.23456789012345e-200", "9.87654321098765e-199", "a, R: 1e-200"},
    {solver::Variant::Radii, "1", "2.5", "r, R: 3-4-5"},
    {solver::Variant::Radii, "1", "2.4142135623731", "r, R: next to isosceles"},
    {solver::Variant::Radii, "1.23456789012345e-150", "9.87654321098765e150", "r, R: 1e-150, 1e150"},
    {solver::Variant::Radii, "1.23456789012345e-300", "9.87654321098765e300", "r, R: 1e-300, 1e300"},
};
// clang-format on

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    const auto window = driver::panelWindow();
    QWidget *solution = window ? driver::openCompanion(*window) : nullptr;
    if (!solution) {
        std::fprintf(stderr, "companion_timing: the companion window did not open\n");
        return 1;
    }
    solution->resize(960, 560);

    std::vector<double> all;
    std::vector<std::vector<double>> times(std::size(cases));
    // Round by round, so that a slow moment of the machine spreads over the
    // cases rather than falling on one.
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const Case &c = cases[i];
            window->Option1_Click(int(c.variant));
            const auto &given = solver::factsOf(c.variant).given;
            driver::box(*window, c.variant, given[0])->setText(QString::fromLatin1(c.first));
            driver::box(*window, c.variant, given[1])->setText(QString::fromLatin1(c.second));
            QApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            window->Command1_Click(1);
            QCoreApplication::sendPostedEvents();
            solution->repaint();
            times[i].push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::printf("companion redrawn after «Изчисли», median of %d runs, ms:\n", runs);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::printf("  %-28s %8.2f\n", cases[i].what, median(times[i]));
        all.insert(all.end(), times[i].begin(), times[i].end());
    }
    std::printf("all cases: median %.2f ms, largest %.2f ms (target 50 ms)\n", median(all),
                *std::max_element(all.begin(), all.end()));
    return 0;
}
