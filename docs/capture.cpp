// Takes the README's pictures from the real window on a real screen: the
// intro's ten frames and the window after a calculation. Run by
// make-images.sh under Xvfb; the images stay true when the drawing changes.

#include "kovrenda.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
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
    auto *timer = window.findChild<QTimer *>(QStringLiteral("Timer1"));
    timer->stop(); // the frames are stepped here, one grab each
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    auto *picture = window.findChild<QWidget *>(QStringLiteral("Picture1"));
    for (int frame = 0; frame < 10; ++frame) {
        if (!save(grabFromScreen(picture), out.filePath(QStringLiteral("intro-%1.png").arg(frame))))
            return false;
        window.Timer1_Timer();
    }
    return true;
}

bool captureCalculation(const QDir &out)
{
    Kovrenda window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    const auto click = [&](const char *name) {
        auto *control = window.findChild<QWidget *>(QString::fromLatin1(name));
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    };
    click("Picture1");
    click("Option1(2)");
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("Text2(8)")), QStringLiteral("3"));
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("Text2(11)")), QStringLiteral("2.6"));
    click("Command1(1)");
    return save(grabFromScreen(&window), out.filePath(QStringLiteral("screenshot.png")));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    return captureIntro(out) && captureCalculation(out) ? 0 : 1;
}
