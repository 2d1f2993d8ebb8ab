#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

#include <chrono>
#include <cstdio>

#ifdef KOVRENDA_PROBE_WINDOW
#include "kovrenda.h"
#endif

// One start of a window, for the start-up benchmark (bench_startup): starts
// the application, shows the window and, as soon as its first frame has been
// painted, prints the moment on the steady clock (CLOCK_MONOTONIC on Linux),
// in nanoseconds, and the window's size, then quits. The same source is built three times with the
// same flags: with KOVRENDA_PROBE_WINDOW the window is Kovrenda, as
// app/main.cpp shows it; without, a bare QWidget of the same size; and with
// KOVRENDA_PROBE_TEXT that bare window with one line of text in Kovrenda's
// font, which shows what the first text on screen costs by itself (Qt's font
// database, fontconfig's fallbacks, shaping).
namespace {

// The first paint of the top-level window paints the whole window into its
// backing store and flushes it within one event; a call queued from there
// runs once that event is done, that is after the first frame.
class FirstFrame : public QObject
{
public:
    explicit FirstFrame(QWidget *window) : m_window(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstFrame::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report()
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("%lld %d %d\n",
                    static_cast<long long>(std::chrono::nanoseconds(now).count()),
                    m_window->width(), m_window->height());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    QWidget *m_window;
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#ifdef KOVRENDA_PROBE_WINDOW
    Kovrenda window;
#else
    // The size of Kovrenda's client area; bench_startup checks that the
    // probes report the same size.
    QWidget window;
    window.setFixedSize(481, 424);
#ifdef KOVRENDA_PROBE_TEXT
    window.setFont(QFont(QStringLiteral("Times New Roman"), 12));
    QLabel text(QStringLiteral("Математика - окръжност в правоъгълен триъгълник"), &window);
    text.move(48, 0);
#endif
#endif
    FirstFrame firstFrame(&window);
    window.show();
    return app.exec();
}
