#include "kovrenda.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Kovrenda window;
    window.show();
    return app.exec();
}
