#ifndef STANDARDCOLOURS_H
#define STANDARDCOLOURS_H

#include <QRgb>

// The classic 16-colour palette: 0 black, 1 blue, 2 green, 3 cyan, 4 red,
// 5 magenta, 6 brown, 7 light grey, 8 dark grey, then the bright versions of
// 1 to 6 (9 to 14) and 15 white. An index outside 0..15 gives black.
QRgb standardColour(int index);

#endif // STANDARDCOLOURS_H
