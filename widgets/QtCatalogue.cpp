#include "widgets/QtCatalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* installQtCatalogue(QCoreApplication& app)
{
    auto* catalogue = new QTranslator(&app);
    // "qt_it" gathers the catalogues of Qt's modules, qtbase_it among them.
    if (!catalogue->load(QStringLiteral("qt_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(catalogue)) {
        qWarning("brenvolo: Qt's Italian catalogue is missing: its buttons and dialogs stay in English");
        delete catalogue;
        return nullptr;
    }
    return catalogue;
}
