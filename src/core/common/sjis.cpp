#include "core/common/sjis.h"

namespace tidemark {
namespace {

std::uint8_t ByteAt(std::string_view text, std::size_t pos) {
    return static_cast<std::uint8_t>(text[pos]);
}

bool IsSpaceAt(std::string_view text, std::size_t pos, std::size_t length) {
    if (length == 2)
        return ByteAt(text, pos) == 0x81 && ByteAt(text, pos + 1) == 0x40;
    return text[pos] == ' ' || text[pos] == '\t';
}

// Value of the character at `pos` for CompareTextNoCase; advances `pos` past it.
unsigned FoldedCharAt(std::string_view text, std::size_t& pos) {
    const unsigned first = ByteAt(text, pos);
    if (IsLeadByte(static_cast<std::uint8_t>(first)) && pos + 1 < text.size() &&
        text[pos + 1] != '\0') {
        const unsigned second = ByteAt(text, pos + 1);
        pos += 2;
        return (first << 8) | second;
    }
    pos += 1;
    return (first >= 'A' && first <= 'Z') ? first + ('a' - 'A') : first;
}

}  // namespace

std::size_t CharStartAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return text.size();
    // The byte before a run of lead-byte values is a single-byte character or a trail byte;
    // either way a character starts right after it.
    std::size_t boundary = pos;
    while (boundary > 0 && IsLeadByte(ByteAt(text, boundary - 1)))
        --boundary;
    for (;;) {
        const std::size_t length = NextCharLength(text, boundary);
        if (boundary + length > pos)
            return boundary;
        boundary += length;
    }
}

std::size_t PrevCharPos(std::string_view text, std::size_t pos) {
    if (pos > text.size())
        pos = text.size();
    if (pos == 0)
        return 0;
    return CharStartAt(text, pos - 1);
}

std::size_t SafeCutLength(std::string_view text, std::size_t n) {
    if (n >= text.size())
        return text.size();
    return CharStartAt(text, n);
}

std::size_t CharsToBytes(std::string_view text, std::size_t count, bool skipCr) {
    std::size_t pos = 0;
    while (count > 0 && pos < text.size() && text[pos] != '\0') {
        if (!(skipCr && text[pos] == '\r'))
            --count;
        pos += NextCharLength(text, pos);
    }
    return pos;
}

std::size_t BytesToChars(std::string_view text, std::size_t byteCount, bool skipCr) {
    const std::size_t end = byteCount < text.size() ? byteCount : text.size();
    std::size_t pos = 0;
    std::size_t count = 0;
    while (pos < end && text[pos] != '\0') {
        if (!(skipCr && text[pos] == '\r'))
            ++count;
        pos += NextCharLength(text, pos);
    }
    return count;
}

std::string_view TrimText(std::string_view text) {
    std::size_t first = text.size();  // start of the first kept character
    std::size_t last = 0;             // end of the last kept character
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = NextCharLength(text, pos);
        if (!IsSpaceAt(text, pos, length)) {
            if (first == text.size())
                first = pos;
            last = pos + length;
        }
        pos += length;
    }
    if (first == text.size())
        return text.substr(text.size());
    return text.substr(first, last - first);
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned ca = FoldedCharAt(a, i);
        const unsigned cb = FoldedCharAt(b, j);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

}  // namespace tidemark
