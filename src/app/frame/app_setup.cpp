#include "app/frame/app_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/common/button_texts.h"
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
    // Installed last, so asked first: the buttons use the program's words.
    QApplication::installTranslator(new ButtonTexts(qApp));
    // Qt's own file, colour and font dialogs, which the translations reach;
    // a desktop's native ones would follow the desktop's language instead.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}
