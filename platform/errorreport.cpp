#include "errorreport.h"

#include "accessibility.h"
#include "spoken.h"

#include <QLabel>
#include <QMessageBox>

void reportError(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorReport"));
    // A screen reader reads the message from the box's label: with r and R
    // told apart, as everywhere else.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setAccessibleName(speech::spoken(text));
    box.exec();
}
