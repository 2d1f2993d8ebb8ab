#include "svgdocument.h"

#include <QPaintDevice>

// The build without Qt Svg (see svgdocument.h).

bool svgAvailable()
{
    return false;
}

std::unique_ptr<QPaintDevice> svgDocument(QIODevice *, const QSizeF &, const QString &,
                                          const QString &)
{
    return nullptr;
}
