#ifndef CONTROLTABLE_H
#define CONTROLTABLE_H

#include <QRgb>
#include <QString>

#include <array>

class DrawingSurface;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
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

// The window's controls by name: single controls and control arrays, whose
// elements the table numbers from 0.
enum class Name { Command1, Frame1, Text2, Option1, Label2, Timer1, Picture1, Text1, Label1 };

inline constexpr int single = -1; // the index of a control that is no array's element

struct Row
{
    Name name;
    int index;
    Kind kind;
    bool inPanel; // false: on the window itself
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

// The controls that createControls() made, each where the table names it.
struct Controls
{
    std::array<QPushButton *, 2> command1{}; // 0 Clear, 1 Calculate
    QFrame *frame1 = nullptr;                // the panel
    std::array<QLineEdit *, 16> text2{};     // the value grid, row by row
    std::array<QRadioButton *, 4> option1{}; // the variant selectors
    std::array<QLabel *, 4> label2{};        // the grid's headings a, b, r, R
    QTimer *timer1 = nullptr;                // the intro's clock
    DrawingSurface *picture1 = nullptr;      // the intro's picture
    std::array<QPlainTextEdit *, 2> text1{}; // 0 the task statement, 1 the quotation
    QLabel *label1 = nullptr;                // the title, Label1(0)
};

// The objectName of a row's control: "Frame1", "Text2(8)".
QString objectName(const Row &row);

// Creates every control of the table on the window, in table order, with its
// settings and start state, and puts the focusable ones in tab order.
Controls createControls(QWidget *window);

} // namespace controltable

#endif // CONTROLTABLE_H
