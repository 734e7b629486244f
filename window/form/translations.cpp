#include "window/form/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installBulgarianQtTexts(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(
            QStringLiteral("qtbase_bg"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
