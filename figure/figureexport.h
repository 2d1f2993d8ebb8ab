#ifndef FIGUREEXPORT_H
#define FIGUREEXPORT_H

#include "figurepainting.h"
#include "solver.h"

#include <QLocale>
#include <QStringList>

#include <optional>

class QFont;
class QImage;
class QPagedPaintDevice;
class QPainter;
class QSizeF;

// The figure and the solution taken out of the window: into a file, an image
// for the clipboard, or onto paper. Each paints through paintFigure(), so
// they all show what the window shows.

enum class FigureFormat { Svg, Png, Pdf };

// The format a file name asks for by its suffix, in any letter case.
std::optional<FigureFormat> figureFormat(const QString &fileName);

// The figure as it is painted in a view of the given size, in logical
// pixels, as an image with the given device pixel ratio.
QImage figureImage(const solver::Triangle &triangle, const QSizeF &size, qreal devicePixelRatio,
                   const QFont &font, const QLocale &locale = QLocale(),
                   const FigureLabels &labels = {});

// Writes the figure, as a view of the given size shows it, to a file in a
// format: SVG and PDF as drawings, PNG at twice the size for sharp print.
// The file appears whole or not at all; false when it could not be written.
bool saveFigure(const QString &fileName, FigureFormat format, const solver::Triangle &triangle,
                const QSizeF &size, const QFont &font, const QLocale &locale = QLocale(),
                const FigureLabels &labels = {});

// One printed page in logical pixels: the title, the figure, and the steps
// below it in textFont, the figure made smaller if the steps need the room.
void paintSolutionPage(QPainter &painter, const QSizeF &page, const QString &title,
                       const solver::Triangle &triangle, const QStringList &steps,
                       const QFont &labelFont, const QFont &textFont,
                       const QLocale &locale = QLocale());

// Prints that page on a printer or into a PDF; false when the device could
// not be painted on (a printer that failed to start).
bool printSolution(QPagedPaintDevice &device, const QString &title,
                   const solver::Triangle &triangle, const QStringList &steps,
                   const QFont &labelFont, const QFont &textFont,
                   const QLocale &locale = QLocale());

#endif // FIGUREEXPORT_H
