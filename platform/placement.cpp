#include "placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

void placeOver(QWidget *window, const QWidget *main, const QSize &preferred)
{
    const QRect outside = main->frameGeometry();
    const QRect inside = main->geometry();
    const QMargins frame(inside.left() - outside.left(), inside.top() - outside.top(),
                         outside.right() - inside.right(), outside.bottom() - inside.bottom());
    const QRect area = main->screen()->availableGeometry();
    const QSize room = area.marginsRemoved(frame).size();
    window->setMinimumSize(window->minimumSizeHint().boundedTo(room));
    window->resize(preferred.boundedTo(room));
    QRect outer = QRect(QPoint(), window->size()).marginsAdded(frame);
    outer.moveCenter(outside.center());
    outer.moveLeft(std::clamp(outer.left(), area.left(), area.right() + 1 - outer.width()));
    outer.moveTop(std::clamp(outer.top(), area.top(), area.bottom() + 1 - outer.height()));
    // A window's position is that of its frame.
    window->move(outer.topLeft());
}
