#include "app/frame/default_note_file.h"

#include <QDir>
#include <QStandardPaths>

#include "app/common/ui_strings.h"

namespace {

constexpr int kLastNumber = 9999;

QString usableFolder(QStandardPaths::StandardLocation location) {
    const QString folder = QStandardPaths::writableLocation(location);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return QString();
    return folder;
}

}  // namespace

std::optional<QString> freeDefaultNotePath(const QString& folder,
                                           const std::function<bool(const QString&)>& exists) {
    const QDir dir(folder);
    const QString name = uiText(UiStringId::kDefaultNoteName);
    const QString extension = uiText(UiStringId::kNoteExtension);
    QString path = dir.filePath(name + extension);
    if (!exists(path))
        return path;
    for (int number = 1; number <= kLastNumber; ++number) {
        path = dir.filePath(name + QString::number(number) + extension);
        if (!exists(path))
            return path;
    }
    return std::nullopt;
}

QString documentsFolder() {
    return usableFolder(QStandardPaths::DocumentsLocation);
}

QString desktopFolder() {
    return usableFolder(QStandardPaths::DesktopLocation);
}
