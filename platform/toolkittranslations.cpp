#include "toolkittranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void useBulgarianToolkitTexts()
{
    auto *app = QCoreApplication::instance();
    if (!app || app->findChild<QTranslator *>(QStringLiteral("qtbase_bg")))
        return;
    auto *translator = new QTranslator(app);
    translator->setObjectName(QStringLiteral("qtbase_bg"));
    if (translator->load(QStringLiteral("qtbase_bg"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}
