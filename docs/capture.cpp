// Takes the documentation's pictures from the real windows on a real screen: the
// intro's ten frames and the window after a calculation, or, given
// "solution" after the folder, the companion window with the drawing and the
// steps, or, given "solve", «Задача по избор» with m = 5 and n = 12 solved. Run by make-images.sh under Xvfb; the images stay true when the
// drawing changes.

#include "kovrenda.h"
#include "solutionwindow.h"
#include "solvewindow.h"
#include "solver.h"
#include "windowdriver.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

QPixmap grabFromScreen(QWidget *widget)
{
    QApplication::processEvents();
    QTest::qWait(100); // let the X server show the last paint
    const QPoint onScreen = widget->mapToGlobal(QPoint(0, 0));
    return widget->screen()->grabWindow(0, onScreen.x(), onScreen.y(), widget->width(),
                                        widget->height());
}

bool save(const QPixmap &pixmap, const QString &path)
{
    if (pixmap.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool captureIntro(const QDir &out)
{
    Kovrenda window;
    window.findChild<QTimer *>(QStringLiteral("Timer1"))->stop(); // stepped here, one grab a frame
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    auto *picture = driver::find(window, QStringLiteral("Picture1"));
    for (int frame = 0; frame < 10; ++frame) {
        if (!save(grabFromScreen(picture), out.filePath(QStringLiteral("intro-%1.png").arg(frame))))
            return false;
        window.Timer1_Timer();
    }
    return true;
}

bool captureCalculation(const QDir &out)
{
    const auto window = driver::panelWindow();
    if (!window)
        return false;
    driver::solveFor(*window, solver::Variant::LegAndCircumradius, QStringLiteral("3"),
                     QStringLiteral("2.6"));
    driver::calculate(*window);
    return save(grabFromScreen(window.get()), out.filePath(QStringLiteral("screenshot.png")));
}

// The companion window as a Bulgarian student sees it, decimal comma and
// all: «Вариант 1» with legs 1 and 1, whose answers are roots, and a
// triangle so thin (legs 1 and 1000) that its drawing is a stand-in.
bool captureSolution(const QDir &out)
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    SolutionWindow window;
    window.resize(900, 520);
    const struct
    {
        solver::Variant variant;
        double first;
        double second;
        const char *file;
    } shots[] = {
        {solver::Variant::Legs, 1, 1, "solution.png"},
        {solver::Variant::Legs, 1, 1000, "solution-thin.png"},
    };
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    for (const auto &shot : shots) {
        const auto triangle = solver::solve(shot.variant, shot.first, shot.second);
        if (!triangle)
            return false;
        window.showSolution(shot.variant, *triangle);
        if (!save(grabFromScreen(&window), out.filePath(QString::fromLatin1(shot.file))))
            return false;
    }
    return true;
}

// «Задача по избор» after m = 5 and n = 12 typed and «Реши» pressed.
bool captureSolve(const QDir &out)
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    SolveWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    const char *values[] = {"5", "12"};
    for (int row = 0; row < 2; ++row) {
        auto *quantity = window.findChild<QComboBox *>(QStringLiteral("solveQuantity(%1)").arg(row));
        auto *value = window.findChild<QLineEdit *>(QStringLiteral("solveValue(%1)").arg(row));
        if (!quantity || !value)
            return false;
        quantity->setCurrentIndex(int(row == 0 ? pairs::Quantity::m : pairs::Quantity::n));
        value->setText(QString::fromLatin1(values[row]));
    }
    auto *solve = window.findChild<QWidget *>(QStringLiteral("solveButton"));
    if (!solve)
        return false;
    QTest::mouseClick(solve, Qt::LeftButton);
    return save(grabFromScreen(&window), out.filePath(QStringLiteral("solve.png")));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    if (argc > 2 && qstrcmp(argv[2], "solution") == 0)
        return captureSolution(out) ? 0 : 1;
    if (argc > 2 && qstrcmp(argv[2], "solve") == 0)
        return captureSolve(out) ? 0 : 1;
    return captureIntro(out) && captureCalculation(out) ? 0 : 1;
}
