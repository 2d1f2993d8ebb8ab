#include "svgdocument.h"

#include <QRectF>
#include <QSvgGenerator>

bool svgAvailable()
{
    return true;
}

std::unique_ptr<QPaintDevice> svgDocument(QIODevice *output, const QSizeF &size,
                                          const QString &title, const QString &description)
{
    auto svg = std::make_unique<QSvgGenerator>();
    svg->setOutputDevice(output);
    svg->setSize(size.toSize());
    svg->setResolution(96);
    svg->setViewBox(QRectF(QPointF(0, 0), size));
    svg->setTitle(title);
    svg->setDescription(description);
    return svg;
}
