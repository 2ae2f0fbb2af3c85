#include "app/common/file_dialog_filters.h"

#include "app/common/ui_strings.h"

QStringList fileDialogFilters(std::uint32_t filterStringId) {
    const QStringList parts = uiText(filterStringId).split(u'\\', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        const QString& pattern = parts[i + 1];
        // Qt reads the patterns from the parentheses; add them where the name has none.
        filters << (name.contains(u'(') ? name : name + QStringLiteral(" (") + pattern + u')');
    }
    return filters;
}
