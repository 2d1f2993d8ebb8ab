#include "console.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

QStringList commandLineArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

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
