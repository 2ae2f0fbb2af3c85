#pragma once

#include <optional>
#include <string_view>

namespace tidemark {

// The whole number a user typed into a number box, read as the C library's
// strtol reads it in automatic base ("0x1A" hexadecimal, "017" octal, "17"
// decimal, leading blanks and a sign allowed) from at most the first 14
// characters. Nothing when no digit was read, when any character of those
// 14 is left over, or when the value does not fit in 32 bits.
std::optional<long> ReadWholeNumber(std::string_view typed);

}  // namespace tidemark
