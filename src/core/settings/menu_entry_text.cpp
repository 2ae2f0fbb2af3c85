#include "core/settings/menu_entry_text.h"

#include "core/common/sjis.h"

namespace tidemark {

std::string NumberedMenuEntryText(int number, std::string_view text) {
    std::string entry = "&";
    entry += static_cast<char>('0' + number % 10);
    entry += "  ";
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = NextCharLength(text, at);
        std::string_view unit = text[at] == '&' ? std::string_view("&&") : text.substr(at, length);
        if (entry.size() + unit.size() > kNumberedMenuEntryMaxBytes)
            break;
        entry += unit;
        at += length;
    }
    return entry;
}

}  // namespace tidemark
