#include "app/frame/window_title.h"

#include <QFileInfo>

#include "app/common/ui_strings.h"

QString noteDisplayName(const QString& notePath) {
    QString name = QFileInfo(notePath).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

QString windowTitleFor(const QString& notePath, bool readOnly) {
    QString title =
        notePath.isEmpty() ? uiText(UiStringId::kNewNoteName) : noteDisplayName(notePath);
    if (readOnly)
        title += uiText(UiStringId::kReadOnlyMark);
    return title + QStringLiteral(" - ") + uiText(UiStringId::kProductName);
}
