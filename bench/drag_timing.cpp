// How smoothly the drawing of «Задача по избор» follows a dragged vertex:
// C is dragged by the mouse along its semicircle through POSITIONS places,
// from a thin triangle (c = 10, r = 0,5) through the isosceles one to the
// other side, and each frame is the pointer's move (the triangle solved
// anew from c and r, the boxes, table and steps refilled) and the window
// repainted at once, the drawing, table and steps with it. Its baseline,
// measured alternately with it, is a bare repaint of the drawing with
// nothing changed, and of the whole window beside it (target: no frame over
// 16 ms).
// On the offscreen platform, so that no display's timing comes in.
//
// Usage: drag_timing [POSITIONS, default 1000] [FOLDER]
// Prints the median and the worst frame of each and their ratios; with a
// FOLDER, also saves six pictures of the window along the way there
// (drag-1.png … drag-6.png), the fourth at the isosceles triangle.

#include "handlefigure.h"
#include "solvewindow.h"

#include "timing.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

void mouse(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
           Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    const int positions = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    SolveWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const char *givens[][2] = {{"c", "10"}, {"r", "0,5"}};
    for (int row = 0; row < 2; ++row) {
        window.findChild<QComboBox *>(QStringLiteral("solveQuantity(%1)").arg(row))
            ->setCurrentIndex(row == 0 ? int(pairs::Quantity::c) : int(pairs::Quantity::r));
        window.findChild<QLineEdit *>(QStringLiteral("solveValue(%1)").arg(row))
            ->setText(QString::fromUtf8(givens[row][1]));
    }
    window.solve();
    auto *figure = window.findChild<HandleFigure *>(QStringLiteral("solveFigure"));
    if (!figure || !figure->hasTriangle())
        return 1;
    QApplication::processEvents();

    // The semicircle over AB as the drawing has it, from where C starts
    // (near one end: the triangle is thin) round to near the other end.
    const QPointF A = figure->vertex(handles::Handle::A);
    const QPointF B = figure->vertex(handles::Handle::B);
    const QPointF C = figure->vertex(handles::Handle::C);
    const QPointF O = (A + B) / 2;
    const qreal radius = std::hypot(B.x() - O.x(), B.y() - O.y());
    const QPointF u = (B - O) / radius;
    QPointF n(-u.y(), u.x());
    if (QPointF::dotProduct(C - O, n) < 0)
        n = -n;
    const double from = std::atan2(QPointF::dotProduct(C - O, n), QPointF::dotProduct(C - O, u));
    const double to = from < std::numbers::pi / 2 ? std::numbers::pi * 0.97 : std::numbers::pi * 0.03;
    const auto at = [&](double theta) {
        return O + (u * std::cos(theta) + n * std::sin(theta)) * radius;
    };

    mouse(figure, QEvent::MouseButtonPress, C, Qt::LeftButton, Qt::LeftButton);
    std::vector<double> frames;
    std::vector<double> bare;
    std::vector<double> bareWindow;
    int shot = 0;
    // The pictures: evenly from the start to the isosceles triangle (the
    // fourth), then two beyond it.
    const double shots[] = {0, 1.0 / 3, 2.0 / 3, 1, 4.0 / 3, 5.0 / 3};
    const double toMiddle = (std::numbers::pi / 2 - from) / (to - from);
    for (int i = 0; i <= positions; ++i) {
        const double t = double(i) / positions;
        frames.push_back(milliseconds([&] {
            mouse(figure, QEvent::MouseMove, at(from + (to - from) * t), Qt::NoButton, Qt::LeftButton);
            window.repaint();
        }));
        bare.push_back(milliseconds([&] { figure->repaint(); }));
        bareWindow.push_back(milliseconds([&] { window.repaint(); }));
        if (!folder.isEmpty() && shot < 6 && t >= shots[shot] * toMiddle - 0.5 / positions) {
            window.grab().save(QDir(folder).filePath(QStringLiteral("drag-%1.png").arg(++shot)));
        }
    }
    mouse(figure, QEvent::MouseButtonRelease, at(to), Qt::LeftButton, Qt::NoButton);

    const auto worst = [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("dragging C through %d positions of its semicircle (c = 10, r = 0,5 given)\n",
                positions);
    std::printf("  frame (move, solve, window repainted): median %.3f ms, worst %.3f ms (target 16 ms: %s)\n",
                median(frames), worst(frames), worst(frames) <= 16 ? "met" : "missed");
    std::printf("  bare repaint of the drawing: median %.3f ms, worst %.3f ms\n", median(bare),
                worst(bare));
    std::printf("  bare repaint of the whole window: median %.3f ms, worst %.3f ms\n",
                median(bareWindow), worst(bareWindow));
    std::printf("  ratio to the drawing's bare repaint: median %.2f x, worst %.2f x\n",
                median(frames) / median(bare), worst(frames) / worst(bare));
    std::printf("  ratio to the window's bare repaint: median %.2f x, worst %.2f x\n",
                median(frames) / median(bareWindow), worst(frames) / worst(bareWindow));
    return 0;
}
