#include "core/automation/automation_text.h"

#include <algorithm>

#include "core/common/cp932_codec.h"

namespace tidemark {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf8Of(std::u32string_view characters) {
    std::string out;
    for (char32_t c : characters)
        AppendUtf8(out, c);
    return out;
}

Result<ByteString> TextIntoNote(std::string_view utf8) {
    Cp932Text converted = Utf8ToCp932(utf8);
    if (!converted.Complete()) {
        std::u32string distinct;
        for (char32_t c : converted.lost) {
            if (distinct.find(c) == std::u32string::npos)
                distinct += c;
        }
        return Raise(AutomationErrorId::kUnstorableText, Utf8Of(distinct));
    }
    return ByteString(std::move(converted.bytes));
}

std::string TextOutOfNote(std::string_view cp932) {
    return Cp932ToUtf8(cp932);
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::string WithoutCr(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r')
            out += c;
    }
    return out;
}

}  // namespace tidemark
