#ifndef PLACEMENT_H
#define PLACEMENT_H

class QSize;
class QWidget;

// Sizes and places a window that opens beside the main one, before it is
// shown: inside the available area of the main window's screen, wholly, at
// any scale factor, centred over the main window and moved into the area;
// at its preferred size where that fits and never larger than the area, its
// minimum size included. Its decoration is taken to be as large as the main
// window's.
void placeOver(QWidget *window, const QWidget *main, const QSize &preferred);

#endif // PLACEMENT_H
