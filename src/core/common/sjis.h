#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tidemark {

// Stepping through text in the note's encoding (CP932, Shift-JIS) by characters.
//
// A lead byte is 0x81-0x9F or 0xE0-0xFC. A lead byte followed by a non-zero byte forms one
// double-byte character; every other byte (a lone lead byte at the end of the text or before a
// zero byte included) is a single-byte character. Whether a byte is a lead or a trail byte
// depends on what comes before it, so boundaries are always found by walking forward from a
// known boundary, never by looking at one byte.
//
// Unless stated otherwise a function treats the whole view as the text: zero bytes inside it are
// ordinary single-byte characters.

constexpr bool IsLeadByte(std::uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes taken by the character that starts at `pos`: 2 or 1, and 0 when `pos` is at or past the
// end. `pos` must be a character boundary for the answer to mean anything.
inline std::size_t NextCharLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    if (IsLeadByte(static_cast<std::uint8_t>(text[pos])) && pos + 1 < text.size() &&
        text[pos + 1] != '\0') {
        return 2;
    }
    return 1;
}

// Start of the character that holds byte `pos` (pos < text.size()); text.size() otherwise.
// Costs only the run of lead-byte values just before `pos`, not the whole text.
std::size_t CharStartAt(std::string_view text, std::size_t pos);

// Start of the character that ends at boundary `pos`; 0 when `pos` is 0. `pos` past the end
// counts as the end.
std::size_t PrevCharPos(std::string_view text, std::size_t pos);

// The largest byte count not above `n` that ends on a character boundary: the whole length when
// the text is not longer than `n`, 0 when `n` is 0.
std::size_t SafeCutLength(std::string_view text, std::size_t n);

// Edit-control positions. Characters are counted as above; with `skipCr` a carriage return
// (0x0D) takes its byte but counts as no character, so CR LF counts as one. Both stop at the end
// of the view or at a zero byte, whichever comes first.
//
// CharsToBytes: the byte offset reached after walking `count` characters.
// BytesToChars: the characters that start within the first `byteCount` bytes (a double-byte
// character whose lead byte is the last byte counted is counted).
std::size_t CharsToBytes(std::string_view text, std::size_t count, bool skipCr);
std::size_t BytesToChars(std::string_view text, std::size_t byteCount, bool skipCr);

// `text` without leading and trailing half-width spaces (0x20), full-width spaces (0x81 0x40)
// and tabs. The result is a view into `text`.
std::string_view TrimText(std::string_view text);

// Orders two texts without regard to the case of single-byte ASCII letters, character by
// character: a double-byte character compares as the 16-bit value (lead << 8) | trail, a
// single-byte character as its byte value with A-Z folded to a-z (so "_" sorts before "A"), and
// a single-byte character against a double-byte one by these values. A text that is a prefix of
// the other sorts first. Full-width letters are compared as they are. Returns -1, 0 or 1.
// Allocates nothing; used for sorting large trees by title.
int CompareTextNoCase(std::string_view a, std::string_view b);

}  // namespace tidemark
