#include "app/common/ui_strings.h"

#include "core/strings/string_table.h"

QString uiText(std::uint32_t id) {
    const std::string_view text = tidemark::StringById(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString uiFormat(std::uint32_t id, std::initializer_list<tidemark::MessageArg> args) {
    return QString::fromStdString(tidemark::FormatString(id, args));
}

std::string utf8(const QString& text) {
    return text.toStdString();
}
