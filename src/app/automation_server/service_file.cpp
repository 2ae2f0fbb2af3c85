#include "app/automation_server/service_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "app/automation_server/dbus_names.h"

namespace {

// The bus splits an Exec line like a shell: a path with anything but plain
// characters in it goes in single quotes.
QString quotedForExec(const QString& path) {
    bool plain = !path.isEmpty();
    for (QChar c : path) {
        if (!(c.isLetterOrNumber() || QStringView(u"/._-+,:@%").contains(c)))
            plain = false;
    }
    if (plain)
        return path;
    QString quoted = path;
    quoted.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

namespace ServiceFile {

QString userPath() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/dbus-1/services/") + DbusName::kService +
           QStringLiteral(".service");
}

QString contents(const QString& program) {
    return QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 -Embedding\n")
        .arg(DbusName::kService, quotedForExec(program));
}

bool write(const QString& path, const QString& program, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot make the folder of %1").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents(program).toUtf8()) < 0 ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool remove(const QString& path, QString* error) {
    QFile file(path);
    if (!file.exists() || file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

}  // namespace ServiceFile
