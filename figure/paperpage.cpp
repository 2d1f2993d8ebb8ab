#include "paperpage.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace paper {

QFont serif(qreal pixels, bool bold)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                   QStringLiteral("DejaVu Serif")});
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(qRound(pixels));
    f.setBold(bold);
    return f;
}

bool beginA4(QPainter &painter, QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Point));
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, scale);
    return true;
}

bool writePdf(const QString &fileName, const QString &title,
              const std::function<bool(QPagedPaintDevice &)> &paint, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Kovrenda"));
        if (!paint(pdf)) {
            file.cancelWriting();
            if (error)
                *error = QStringLiteral("the PDF could not be painted");
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace paper
