#include "app/frame/shortcuts/desktop_entry.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The name the package installs the program's icon under.
constexpr char kIconName[] = "tidemark";

}  // namespace

QString quotedExecArgument(const QString& argument) {
    QString quoted(u'"');
    for (const QChar c : argument) {
        if (c == u'%') {
            quoted += QStringLiteral("%%");
            continue;
        }
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

QString escapedEntryValue(const QString& value) {
    QString escaped;
    escaped.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\') {
            escaped += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        } else if (c == u'\t') {
            escaped += QStringLiteral("\\t");
        } else if (c == u'\r') {
            escaped += QStringLiteral("\\r");
        } else if (c == u' ' && i == 0) {
            escaped += QStringLiteral("\\s");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QByteArray desktopEntryFor(const QString& name, const QString& program, const QString& notePath) {
    const QString exec = quotedExecArgument(program) + u' ' + quotedExecArgument(notePath);
    QString text = QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + escapedEntryValue(name) + u'\n';
    text += QStringLiteral("Exec=") + escapedEntryValue(exec) + u'\n';
    text += QStringLiteral("Icon=") + QLatin1String(kIconName) + u'\n';
    text += QStringLiteral("Terminal=false\n");
    return text.toUtf8();
}

bool writeDesktopEntry(const QString& path, const QByteArray& content) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size() ||
        !file.setPermissions(file.permissions() | QFileDevice::ExeOwner)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
