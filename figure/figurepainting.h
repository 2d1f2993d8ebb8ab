#ifndef FIGUREPAINTING_H
#define FIGUREPAINTING_H

#include "figuregeometry.h"
#include "solver.h"

#include <QLocale>
#include <QString>

#include <optional>

class QFont;
class QPainter;
class QRectF;
class QString;

// One painting path for the screen, SVG, PDF, the printer and the clipboard
// image: each caller hands a painter, the rectangle to fill in the painter's
// logical units, and the labels' font with its size in pixels of those units.
// The colours are fixed, paper white and dark ink, so the figure reads the
// same under any desktop theme and on paper.

// What the figure writes after the names a, b, c, r and R: by default the
// value to four significant digits; a text of its own instead (a problem's
// given as it states it, «?» for a value sought); an empty text, no label.
struct FigureLabels
{
    std::optional<QString> a;
    std::optional<QString> b;
    std::optional<QString> c;
    std::optional<QString> r;
    std::optional<QString> R;
    // Drawn only where a text is set: the altitude h from C with its foot
    // D; the projections of the legs on the hypotenuse, a₁ = DB and b₁ = AD;
    // the segments from A and B to the incircle's touch point, m and n; the
    // acute angles α at A and β at B.
    std::optional<QString> h;
    std::optional<QString> a1;
    std::optional<QString> b1;
    std::optional<QString> m;
    std::optional<QString> n;
    std::optional<QString> alpha;
    std::optional<QString> beta;
};

// Paints the triangle with its vertices, sides and right angle marked, both
// circles with their centres and one radius each, the labels (values to four
// significant digits in a school's notation, 1·10⁶) and, for a stand-in, a
// note that it is not to scale.
void paintFigure(QPainter &painter, const QRectF &rect, const solver::Triangle &triangle,
                 const QFont &font, const QLocale &locale = QLocale(),
                 const FigureLabels &labels = {});

// The same with the figure where the caller puts it (already fitted into
// rect, in the painter's units), for a drawing whose vertices are being
// moved and must stay where the pointer leaves them.
void paintFigure(QPainter &painter, const QRectF &rect, const solver::Triangle &triangle,
                 const figure::Geometry &fitted, const QFont &font,
                 const QLocale &locale = QLocale(), const FigureLabels &labels = {});

// Where paintFigure() puts the figure in rect: fitted with room around the
// circumscribed circle for the labels and, for a triangle too thin to show
// its incircle, a stand-in with room below for the note.
figure::Geometry figureLayout(const solver::Triangle &triangle, const QRectF &rect,
                              const QFont &font);

// What the figure painted in rect shows, in words, for assistive technology
// and for the description of a saved drawing: the triangle's values and, for
// a stand-in, that it is not to scale.
QString figureDescription(const solver::Triangle &triangle, const QRectF &rect, const QFont &font,
                          const QLocale &locale = QLocale());

#endif // FIGUREPAINTING_H
