#include "solvelink.h"

#include "solvewindow.h"
#include "windowlink.h"

WindowLink *linkSolve(QWidget *main)
{
    return new WindowLink(main, QStringLiteral("Задача по избор…"), Qt::Key_F4,
                          QStringLiteral("триъгълник от кои да е две от четиринадесетте му "
                                         "величини, с точните стойности и решението"),
                          [main] { return new SolveWindow(main); });
}
