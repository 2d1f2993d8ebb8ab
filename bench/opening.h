#ifndef OPENING_H
#define OPENING_H

#include "timing.h"
#include "windowdriver.h"

#include <QTest>

#include <cstdio>
#include <cstdlib>

// From the key in a fresh main window to the window beside it painted; the
// benchmark ends with a line naming the window if it does not open.
inline double openingTime(Qt::Key key, const QString &title)
{
    const auto window = driver::panelWindow();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        std::exit(1);
    return milliseconds([&] {
        // The shortcut opens it at once, within the key's event.
        QTest::keyClick(window.get(), key);
        QWidget *opened = driver::shownWindow(title);
        if (!opened) {
            std::fprintf(stderr, "%s did not open\n", qPrintable(title));
            std::exit(1);
        }
        opened->repaint();
    });
}

#endif // OPENING_H
