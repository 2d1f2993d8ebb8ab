#include "figureexport.h"

#include "figurepainting.h"
#include "svgdocument.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace {

// Logical pixels are 1/96 inch: a view's size and the fonts' pixel sizes
// mean on paper what they mean on a screen at 100 %.
constexpr qreal logicalDpi = 96;

bool writeSvg(QSaveFile &file, const solver::Triangle &triangle, const QSizeF &size,
              const QFont &font, const QLocale &locale, const FigureLabels &labels)
{
    const auto svg = svgDocument(&file, size, QStringLiteral("Чертеж"),
                                 figureDescription(triangle, QRectF(QPointF(0, 0), size), font,
                                                   locale));
    QPainter painter;
    if (!svg || !painter.begin(svg.get()))
        return false;
    paintFigure(painter, QRectF(QPointF(0, 0), size), triangle, font, locale, labels);
    return painter.end();
}

bool writePdf(QSaveFile &file, const solver::Triangle &triangle, const QSizeF &size,
              const QFont &font, const QLocale &locale, const FigureLabels &labels)
{
    QPdfWriter pdf(&file);
    pdf.setTitle(QStringLiteral("Чертеж"));
    pdf.setCreator(QStringLiteral("Kovrenda"));
    // A page exactly the size of the drawing, without margins.
    const QSizeF points = size * (72 / logicalDpi);
    pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(),
                                            QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    painter.scale(pdf.resolution() / logicalDpi, pdf.resolution() / logicalDpi);
    paintFigure(painter, QRectF(QPointF(0, 0), size), triangle, font, locale, labels);
    return painter.end();
}

} // namespace

std::optional<FigureFormat> figureFormat(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"svg")
        return FigureFormat::Svg;
    if (suffix == u"png")
        return FigureFormat::Png;
    if (suffix == u"pdf")
        return FigureFormat::Pdf;
    return std::nullopt;
}

QImage figureImage(const solver::Triangle &triangle, const QSizeF &size, qreal devicePixelRatio,
                   const QFont &font, const QLocale &locale, const FigureLabels &labels)
{
    QImage image((size * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    paintFigure(painter, QRectF(QPointF(0, 0), size), triangle, font, locale, labels);
    return image;
}

bool saveFigure(const QString &fileName, FigureFormat format, const solver::Triangle &triangle,
                const QSizeF &size, const QFont &font, const QLocale &locale,
                const FigureLabels &labels)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool written = false;
    switch (format) {
    case FigureFormat::Svg:
        written = writeSvg(file, triangle, size, font, locale, labels);
        break;
    case FigureFormat::Png:
        written = figureImage(triangle, size, 2, font, locale, labels).save(&file, "PNG");
        break;
    case FigureFormat::Pdf:
        written = writePdf(file, triangle, size, font, locale, labels);
        break;
    }
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void paintSolutionPage(QPainter &painter, const QSizeF &page, const QString &title,
                       const solver::Triangle &triangle, const QStringList &steps,
                       const QFont &labelFont, const QFont &textFont, const QLocale &locale)
{
    const qreal em = textFont.pixelSize() > 0 ? textFont.pixelSize() : 14;
    QFont titleFont = textFont;
    titleFont.setBold(true);
    titleFont.setPixelSize(int(em * 1.3));
    const qreal titleHeight = QFontMetricsF(titleFont).height();

    const QFontMetricsF text(textFont);
    const QRectF column(0, 0, page.width(), 1e6);
    qreal stepsHeight = 0;
    for (const QString &line : steps)
        stepsHeight += text.boundingRect(column, Qt::TextWordWrap, line).height() + 0.3 * em;
    // The figure takes what the steps leave, up to 60 % of the page's height.
    const qreal room = page.height() - titleHeight - stepsHeight - 2 * em;
    const qreal side = std::max(qreal(0), std::min({page.width(), room, 0.6 * page.height()}));

    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(titleFont);
    painter.drawText(QRectF(0, 0, page.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     title);
    qreal y = titleHeight + em;
    if (side > 0)
        paintFigure(painter, QRectF((page.width() - side) / 2, y, side, side), triangle, labelFont,
                    locale);
    y += side + em;
    painter.setPen(Qt::black);
    painter.setFont(textFont);
    for (const QString &line : steps) {
        const qreal height = text.boundingRect(column, Qt::TextWordWrap, line).height();
        painter.drawText(QRectF(0, y, page.width(), height), Qt::TextWordWrap, line);
        y += height + 0.3 * em;
    }
    painter.restore();
}

bool printSolution(QPagedPaintDevice &device, const QString &title,
                   const solver::Triangle &triangle, const QStringList &steps,
                   const QFont &labelFont, const QFont &textFont, const QLocale &locale)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the corner of the printable area.
    const qreal scale = device.logicalDpiX() / logicalDpi;
    painter.scale(scale, scale);
    const QRect printable = device.pageLayout().paintRectPixels(device.logicalDpiX());
    paintSolutionPage(painter, QSizeF(printable.size()) / scale, title, triangle, steps, labelFont,
                      textFont, locale);
    return painter.end();
}
