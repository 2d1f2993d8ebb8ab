#include "commandline.h"
#include "kovrenda.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    if (const auto status = handleCommandLine(argc, argv))
        return *status;
    const std::unique_ptr<QApplication> app(createApplication(argc, argv));
    // The folder of the practice record is named after the program, not
    // after whatever its executable has been renamed to.
    QCoreApplication::setApplicationName(QStringLiteral("kovrenda"));
    // Lets the desktop shell match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kovrenda"));
    Kovrenda window;
    window.show();
    return app->exec();
}
