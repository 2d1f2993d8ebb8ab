#include "kovrenda.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop shell match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kovrenda"));
    Kovrenda window;
    window.show();
    return app.exec();
}
