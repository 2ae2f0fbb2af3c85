#include "platform/instance_bus/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

namespace {

RuntimeFolder refused(const QString& path, const QString& why) {
    return RuntimeFolder{path, QStringLiteral("runtime folder %1 %2").arg(path, why)};
}

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

}  // namespace

QString runtimeFolderPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(QStringLiteral("tidemark"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tidemark-%1").arg(::geteuid()));
}

RuntimeFolder prepareRuntimeFolder(const QString& path, uid_t owner) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return refused(path, QStringLiteral("cannot be created: %1").arg(systemError(errno)));

    // lstat, not stat: a link would let whoever made it choose the folder.
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0)
        return refused(path, QStringLiteral("cannot be read: %1").arg(systemError(errno)));
    if (S_ISLNK(status.st_mode))
        return refused(path, QStringLiteral("is a symbolic link"));
    if (!S_ISDIR(status.st_mode))
        return refused(path, QStringLiteral("is not a folder"));
    if (status.st_uid != owner)
        return refused(path, QStringLiteral("belongs to user %1").arg(status.st_uid));
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return refused(path, QStringLiteral("is open to other users (mode %1)")
                                 .arg(status.st_mode & 07777, 4, 8, QLatin1Char('0')));
    return RuntimeFolder{path, {}};
}

RuntimeFolder prepareRuntimeFolder() {
    return prepareRuntimeFolder(runtimeFolderPath(), ::geteuid());
}
