#ifndef PAPERPAGE_H
#define PAPERPAGE_H

#include <QFont>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

// What the program's A4 documents share, the worksheet and the teacher's
// report: the page in points, the serif they are set in, and their PDF
// written whole or not at all.
namespace paper {

inline constexpr qreal a4Width = 595.28;
inline constexpr qreal a4Height = 841.89;

// "Times New Roman", else a serif with Cyrillic, at a size in pixels, which
// on a page painted in points are points.
QFont serif(qreal pixels, bool bold = false);

// Begins painting on a device set to A4 portrait with no margins of its own,
// scaled so that one unit is one point; false where the device cannot be
// painted on.
bool beginA4(QPainter &painter, QPagedPaintDevice &device);

// Writes a PDF with a title through QSaveFile: paint paints its pages, and
// the file appears only when it succeeds. False, with the reason, otherwise.
bool writePdf(const QString &fileName, const QString &title,
              const std::function<bool(QPagedPaintDevice &)> &paint, QString *error);

} // namespace paper

#endif // PAPERPAGE_H
