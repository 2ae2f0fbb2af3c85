#pragma once

#include <string>
#include <string_view>

namespace tidemark {

// The one place where text changes encoding between the note's CP932 (Shift-JIS) bytes and
// Unicode (UTF-8 for files and the command line, UTF-16 for the user interface).
//
// Decoding never fails: a byte that is not valid CP932 becomes U+FFFD. A lead byte followed by
// a byte from the trail range (0x40-0x7E, 0x80-0xFC) that together name no character is one
// U+FFFD; otherwise only the offending byte is replaced and the next byte is decoded afresh,
// so a stray lead byte never swallows a line end.
//
// Encoding keeps everything CP932 can hold and reports the rest in `lost`; the caller tells the
// user. The usual Unicode variants of CP932 characters are accepted (for example U+301C wave
// dash and U+2212 minus sign are stored as the characters CP932 has for them).
//
// Thread-safe: each thread keeps its own converters.

struct Cp932Text {
    // The text as CP932 bytes, without the characters listed in `lost`.
    std::string bytes;
    // Every character that was left out, in input order, one entry per occurrence. A malformed
    // sequence in the input (invalid UTF-8, an unpaired UTF-16 surrogate) appears as U+FFFD.
    std::u32string lost;

    bool Complete() const { return lost.empty(); }
};

std::string Cp932ToUtf8(std::string_view cp932);
std::u16string Cp932ToUtf16(std::string_view cp932);

Cp932Text Utf8ToCp932(std::string_view utf8);
Cp932Text Utf16ToCp932(std::u16string_view utf16);

}  // namespace tidemark
