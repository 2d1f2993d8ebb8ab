#ifndef SVGDOCUMENT_H
#define SVGDOCUMENT_H

#include <memory>

class QIODevice;
class QPaintDevice;
class QSizeF;
class QString;

// Drawings saved as SVG, where the build has Qt Svg; a build without it
// (Windows built on Debian) saves PNG and PDF only and offers no SVG.

// Whether this build can write SVG.
bool svgAvailable();

// A paint device that writes an SVG document to the output when painting on
// it ends: a drawing of the given size in logical pixels (1/96 inch), with a
// title and a description. Null where SVG is not available.
std::unique_ptr<QPaintDevice> svgDocument(QIODevice *output, const QSizeF &size,
                                          const QString &title, const QString &description);

#endif // SVGDOCUMENT_H
