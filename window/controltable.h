#ifndef CONTROLTABLE_H
#define CONTROLTABLE_H

#include <QRgb>
#include <QString>

class QObject;
class QWidget;

// The window's controls, one row each, in the order in which the window
// creates them. Positions and sizes are in twips (1/1440 inch) from the top
// left corner of the container; 15 twips make one pixel.
namespace controltable {

enum class Kind { CommandButton, Frame, TextBox, OptionButton, Label, Timer, PictureBox };

enum Setting : unsigned {
    Centred = 1 << 0,   // text centred horizontally
    ReadOnly = 1 << 1,  // the user can select and copy but not change the text
    Bold = 1 << 2,      // the bold variant of the window's font
    MultiLine = 1 << 3, // wraps, keeps line breaks, has a vertical scroll bar
    Hidden = 1 << 4,    // not visible when created
    Graphical = 1 << 5, // a button face painted in the button's own colour
};

inline constexpr QRgb defaultColour = 0; // no colour of its own (alpha 0)
inline constexpr int notInTabOrder = -1;

struct Row
{
    const char *name;
    Kind kind;
    const char *container; // nullptr: the window itself
    const char *text;      // UTF-8
    int left, top, width, height;
    QRgb background;
    int tab;
    unsigned settings;
};

// Twips to device-independent pixels, rounded to the nearest pixel.
constexpr int pixels(int twips)
{
    return (twips + 7) / 15;
}

// Creates every control of the table on the window, in table order, with its
// settings and start state, and puts the focusable ones in tab order.
void createControls(QWidget *window);

} // namespace controltable

#endif // CONTROLTABLE_H
