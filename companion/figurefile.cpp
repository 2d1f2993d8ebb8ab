#include "figurefile.h"

#include "figureexport.h"
#include "svgdocument.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include <algorithm>
#include <span>

namespace {

// The save dialog's choices; the first is the one offered.
struct FileType
{
    const char16_t *filter;
    const char16_t *suffix;
};
constexpr FileType fileTypes[] = {
    {u"Рисунка SVG (*.svg)", u"svg"},
    {u"Изображение PNG (*.png)", u"png"},
    {u"Документ PDF (*.pdf)", u"pdf"},
};
// All of them where the build writes SVG; else PNG and PDF.
std::span<const FileType> offeredFileTypes()
{
    return std::span(fileTypes).subspan(svgAvailable() ? 0 : 1);
}

} // namespace

QString askFigureFile(QWidget *parent, const QString &title, QString &folder)
{
    const std::span<const FileType> types = offeredFileTypes();
    QStringList filters;
    for (const FileType &type : types)
        filters << QString::fromUtf16(type.filter);
    QString chosen;
    QString fileName = QFileDialog::getSaveFileName(
        parent, title,
        QDir(folder).filePath(QStringLiteral("триъгълник.") + QString::fromUtf16(types.front().suffix)),
        filters.join(u";;"), &chosen);
    if (fileName.isEmpty())
        return {};
    if (!figureFormat(fileName)) {
        const auto type = std::find_if(types.begin(), types.end(),
                                       [&](const FileType &t) { return chosen == t.filter; });
        fileName += u'.' + QString::fromUtf16((type != types.end() ? *type : types.front()).suffix);
    }
    folder = QFileInfo(fileName).absolutePath();
    return fileName;
}

void figureNotSaved(QWidget *parent, const QString &fileName)
{
    QMessageBox::warning(parent, QStringLiteral("Чертежът не е записан"),
                         QStringLiteral("Файлът „%1“ не може да бъде записан. Проверете дали "
                                        "папката съществува и дали може да се пише в нея.")
                             .arg(QDir::toNativeSeparators(fileName)));
}

QString picturesFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return folder.isEmpty() || !QFileInfo(folder).isDir() ? QDir::homePath() : folder;
}
