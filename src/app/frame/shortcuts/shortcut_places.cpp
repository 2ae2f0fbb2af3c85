#include "app/frame/shortcuts/shortcut_places.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Long enough for a shell script that reads one file.
constexpr int kUserDirWaitMs = 3000;

QString xdgBase(const char* variable, const char* underHome) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + u'/' + QLatin1String(underHome);
}

QString userDesktop() {
    const QString fallback = QDir::homePath() + QStringLiteral("/Desktop");
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-user-dir"));
    if (program.isEmpty())
        return fallback;
    QProcess process;
    process.start(program, {QStringLiteral("DESKTOP")}, QIODevice::ReadOnly);
    if (!process.waitForFinished(kUserDirWaitMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        return fallback;
    }
    // The folder as echoed: only the line end goes, a name may end in blanks.
    QString folder = QString::fromLocal8Bit(process.readAllStandardOutput());
    if (folder.endsWith(u'\n'))
        folder.chop(1);
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return fallback;
    return QDir::cleanPath(folder);
}

}  // namespace

QString shortcutFolder(ShortcutPlace place) {
    switch (place) {
        case ShortcutPlace::kMenu:
            return xdgBase("XDG_DATA_HOME", ".local/share") + QStringLiteral("/applications");
        case ShortcutPlace::kStartup:
            return xdgBase("XDG_CONFIG_HOME", ".config") + QStringLiteral("/autostart");
        case ShortcutPlace::kDesktop:
        default:
            return userDesktop();
    }
}
