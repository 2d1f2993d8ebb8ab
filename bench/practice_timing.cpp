// How quickly «Упражнение» answers the student, each against the nearest
// work the program already does, measured alternately in one run:
// - opening it with F3 from a fresh main window (making it, posing the first
//   problem, painting it), against opening «Чертеж и решение» with F2 the
//   same way (target: within 50 ms);
// - posing a problem («Нова задача»: drawing it, its statement, drawing and
//   hints, repainted) and checking two answers («Провери», repainted),
//   against «Изчисли» with the companion open (target: within 5 ms each).
// On the offscreen platform, so that no display's timing comes in.
//
// Usage: practice_timing [RUNS, default 30]
// Prints the medians, and each as a ratio to its baseline.

#include "practicewindow.h"
#include "windowdriver.h"

#include "opening.h"
#include "timing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    std::vector<double> openPractice, openCompanion;
    for (int run = 0; run < runs; ++run) {
        openCompanion.push_back(openingTime(Qt::Key_F2, QStringLiteral("Чертеж и решение")));
        openPractice.push_back(openingTime(Qt::Key_F3, QStringLiteral("Упражнение")));
    }

    const auto window = driver::panelWindow();
    QWidget *companion = driver::openCompanion(*window);
    auto *practice = static_cast<PracticeWindow *>(driver::openPractice(*window));
    if (!companion || !practice)
        return 1;
    // A record in memory: the benchmark keeps nothing of the user's.
    practice->useRecord(std::make_unique<progress::RecordFile>(QString()));
    auto *first = practice->findChild<QLineEdit *>(QStringLiteral("practiceAnswer(0)"));
    auto *second = practice->findChild<QLineEdit *>(QStringLiteral("practiceAnswer(1)"));
    driver::solveFor(*window, solver::Variant::Legs, QStringLiteral("3"), QStringLiteral("4"));
    std::vector<double> calculate, pose, check;
    for (int run = 0; run < runs; ++run) {
        calculate.push_back(milliseconds([&] {
            window->Command1_Click(1);
            QCoreApplication::sendPostedEvents();
            companion->repaint();
        }));
        pose.push_back(milliseconds([&] {
            practice->next();
            QCoreApplication::sendPostedEvents();
            practice->repaint();
        }));
        first->setText(QStringLiteral("(12 - √122)/2"));
        second->setText(QStringLiteral("5,52"));
        check.push_back(milliseconds([&] {
            practice->check();
            QCoreApplication::sendPostedEvents();
            practice->repaint();
        }));
    }

    const auto line = [](const char *what, const std::vector<double> &times,
                         const std::vector<double> &baseline, const char *against) {
        std::printf("  %-34s %7.2f ms, largest %6.2f ms; %5.2f × %s (%.2f ms)\n", what,
                    median(times), *std::max_element(times.begin(), times.end()),
                    median(times) / median(baseline), against, median(baseline));
    };
    std::printf("«Упражнение», medians of %d runs:\n", runs);
    line("opening it with F3 (target 50 ms)", openPractice, openCompanion, "opening the companion");
    line("posing a problem (target 5 ms)", pose, calculate, "«Изчисли» with the companion");
    line("checking two answers (target 5 ms)", check, calculate, "«Изчисли» with the companion");
    return 0;
}
