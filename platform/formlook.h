#ifndef FORMLOOK_H
#define FORMLOOK_H

#include <QRgb>

class QColor;
class QFont;
class QKeySequence;
class QPalette;
class QPushButton;
class QString;
class QWidget;

// The look of the program's windows: the serif font of the form, its light
// blue, and colours that stay light whatever the desktop theme. The main
// window, its control table and the companion window all take theirs from
// here, so that they cannot drift apart.
namespace look {

// The main window's background.
inline constexpr QRgb windowBlue = qRgb(192, 192, 255);

// "Times New Roman" at the given size in points (the form's is 12), a
// serif wherever that family or one of its characters is missing.
QFont formFont(int pointSize = 12);

// The letters of a drawn figure in a widget: the form's serif, a little
// larger than the widget's text, so that they read as a textbook's.
QFont figureFont(const QWidget &widget);

// The colours of a light desktop around the given window colour: black text
// on white boxes, grey buttons and frames, a blue selection. Set explicitly,
// role by role, since the style's own standard palette follows the desktop
// theme (dark under a dark one). Without a window colour, the window is the
// grey of the buttons, as a light desktop has it.
QPalette lightPalette(const QColor &window);
QPalette lightPalette();

// Paints the widget's own background in the colour, in every state and
// whatever role the widget fills its background with (a selector fills with
// Button, a label with Window, a text box with Base, a text area with Base
// inside a frame shaded from Window); a disabled box keeps
// its colour and only its text greys. The text on it is black, so that a dark
// desktop theme cannot put white text on a light colour.
void setBackground(QWidget *widget, const QColor &colour);

// Dark ink on white paper, as a figure paints itself, whatever the desktop
// theme; a selection in the paper's own blue. For the lists and tables
// beside a figure.
void putOnPaper(QWidget *widget);

// A button with its shortcut, which its tooltip names after what it does.
QPushButton *shortcutButton(const QString &caption, const QKeySequence &keys, const QString &what);

} // namespace look

#endif // FORMLOOK_H
