#include "app/textio/internet_shortcut.h"

#include "core/common/sjis.h"

namespace {

constexpr std::string_view kSection = "InternetShortcut";
constexpr std::string_view kKey = "URL";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool sameAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The position of the first single-byte `c` in `text`, stepping over
// double-byte characters (whose trail byte may equal `c`).
std::size_t findChar(std::string_view text, char c) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = tidemark::NextCharLength(text, pos);
        if (length == 1 && text[pos] == c)
            return pos;
        pos += length;
    }
    return std::string_view::npos;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string internetShortcutUrl(std::string_view content) {
    if (content.starts_with(kUtf8Mark))
        content.remove_prefix(kUtf8Mark.size());
    bool inSection = false;
    while (!content.empty()) {
        const std::size_t end = content.find_first_of("\r\n");
        const std::string_view line = tidemark::TrimText(
            content.substr(0, end == std::string_view::npos ? content.size() : end));
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);

        if (line.starts_with('[')) {
            const std::string_view rest = line.substr(1);
            const std::size_t close = findChar(rest, ']');
            inSection = close != std::string_view::npos &&
                        sameAsciiNoCase(tidemark::TrimText(rest.substr(0, close)), kSection);
            continue;
        }
        if (!inSection)
            continue;
        // '=' is below the trail-byte range: the first one ends the key.
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos ||
            !sameAsciiNoCase(tidemark::TrimText(line.substr(0, equals)), kKey)) {
            continue;
        }
        const std::string_view value = unquoted(tidemark::TrimText(line.substr(equals + 1)));
        return std::string(value.substr(0, tidemark::SafeCutLength(value, kMaxShortcutUrlBytes)));
    }
    return std::string();
}
