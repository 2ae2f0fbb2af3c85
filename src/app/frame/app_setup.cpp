#include "app/frame/app_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/frame/command_icons.h"

void setUpApplicationObject() {
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Tidemark"));
    QApplication::setApplicationVersion(QStringLiteral(TIDEMARK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tidemark"));
    initResources();

    // Lives as long as the application object, which owns it.
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtTexts);
    }
}
