#ifndef SVGDOCUMENT_H
#define SVGDOCUMENT_H

#include <memory>

class QIODevice;
class QPaintDevice;
class QSizeF;
class QString;

// Drawings saved as SVG, where the build has Qt Svg. The Qt that Debian's
// archive can build for Windows has none, so that build saves drawings as
// PNG and PDF only and offers no SVG; a build with Qt Svg (Linux, or Windows
// with the official Qt) offers all three.

// Whether this build can write SVG.
bool svgAvailable();

// A paint device that writes an SVG document to the output when painting on
// it ends: a drawing of the given size in logical pixels (1/96 inch), with a
// title and a description. Null where SVG is not available.
std::unique_ptr<QPaintDevice> svgDocument(QIODevice *output, const QSizeF &size,
                                          const QString &title, const QString &description);

#endif // SVGDOCUMENT_H
