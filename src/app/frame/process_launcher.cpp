#include "app/frame/process_launcher.h"

#include <QCoreApplication>
#include <QProcess>

bool DetachedProcessLauncher::startProgram(const QStringList& arguments) {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}
