#include "console.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

void writeToConsole(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

QString noWindowReason()
{
    return QStringLiteral("no usable display (DISPLAY or WAYLAND_DISPLAY) / не може да се отвори "
                          "прозорец: няма достъпен дисплей");
}

void useNoDisplay()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
}
