#include "practicelink.h"

#include "practicewindow.h"
#include "windowlink.h"

WindowLink *linkPractice(QWidget *main)
{
    return new WindowLink(main, QStringLiteral("Упражнение…"), Qt::Key_F3,
                          QStringLiteral("задача, която решавате сами, с проверка на отговора "
                                         "и подсказки"),
                          [main] { return new PracticeWindow(main); });
}
