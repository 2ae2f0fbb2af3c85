#include "platform/system_drag_scroll_source.h"

#include <QSettings>

namespace {

std::int32_t readInt(const QSettings& settings, const QString& key, std::int32_t fallback) {
    bool ok = false;
    int value = settings.value(key).toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

tidemark::DragScrollValues SystemDragScrollSource::ReadDragScrollValues() const {
    QSettings settings(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Corvane"),
                       QStringLiteral("Tidemark"));
    settings.setFallbacksEnabled(false);
    tidemark::DragScrollValues values;
    if (settings.status() != QSettings::NoError)
        return values;
    settings.beginGroup(QStringLiteral("windows"));
    values.Inset = readInt(settings, QStringLiteral("DragScrollInset"), values.Inset);
    values.Delay = readInt(settings, QStringLiteral("DragScrollDelay"), values.Delay);
    values.Interval = readInt(settings, QStringLiteral("DragScrollInterval"), values.Interval);
    return values;
}
