#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/sjis.h"

namespace tidemark {

// Characters of a note's text (CP932) as the search sees them: a lead byte
// followed by a byte of the trail range (0x40-0x7E, 0x80-0xFC) is one
// double-byte character; every other byte is a character of its own. This
// is exactly how the text pane decodes a text, so a stray lead byte never
// swallows a line end or a zero byte, and every CR or LF byte is a line
// break of its own.

constexpr bool IsTrailByte(std::uint8_t byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

constexpr bool IsLineBreak(char byte) {
    return byte == '\r' || byte == '\n';
}

// Bytes of the character at `pos` (a character boundary): 2 or 1; 0 at or
// past the end.
inline std::size_t SearchCharLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    if (pos + 1 < text.size() && IsLeadByte(static_cast<std::uint8_t>(text[pos])) &&
        IsTrailByte(static_cast<std::uint8_t>(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

// Lower-case folding when case does not matter: the ASCII letters and the
// full-width Latin, Greek and Cyrillic capitals of CP932 become their small
// forms, which take the same number of bytes. `doubleByteOnly` leaves
// single-byte characters alone (for a regular expression, whose ASCII
// letters the engine folds itself and whose escapes must keep their case).
void FoldCaseInPlace(char* data, std::size_t size, bool doubleByteOnly = false);
std::string FoldCase(std::string_view text, bool doubleByteOnly = false);

}  // namespace tidemark
