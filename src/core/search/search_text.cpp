#include "core/search/search_text.h"

namespace tidemark {
namespace {

// Full-width capitals and their small forms, by lead byte.
constexpr std::uint8_t kLatinLead = 0x82;     // Ａ 0x8260 - Ｚ 0x8279 → ａ 0x8281 - ｚ 0x829A
constexpr std::uint8_t kGreekLead = 0x83;     // Α 0x839F - Ω 0x83B6 → α 0x83BF - ω 0x83D6
constexpr std::uint8_t kCyrillicLead = 0x84;  // А 0x8440 - Я 0x8460 → а 0x8470 - я 0x8491

// The small form's trail byte of a double-byte capital; the trail byte
// itself when the character has none.
std::uint8_t FoldedTrail(std::uint8_t lead, std::uint8_t trail) {
    if (lead == kLatinLead && trail >= 0x60 && trail <= 0x79)
        return static_cast<std::uint8_t>(trail + 0x21);
    if (lead == kGreekLead && trail >= 0x9F && trail <= 0xB6)
        return static_cast<std::uint8_t>(trail + 0x20);
    if (lead == kCyrillicLead && trail >= 0x40 && trail <= 0x60) {
        // The small letters skip 0x7F, which is no trail byte.
        const int small = 0x70 + (trail - 0x40);
        return static_cast<std::uint8_t>(small >= 0x7F ? small + 1 : small);
    }
    return trail;
}

}  // namespace

void FoldCaseInPlace(char* data, std::size_t size, bool doubleByteOnly) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(data);
    for (std::size_t pos = 0; pos < size;) {
        const std::uint8_t byte = bytes[pos];
        if (byte < 0x80) {
            if (!doubleByteOnly && byte >= 'A' && byte <= 'Z')
                bytes[pos] = static_cast<std::uint8_t>(byte - 'A' + 'a');
            ++pos;
        } else if (IsLeadByte(byte) && pos + 1 < size && IsTrailByte(bytes[pos + 1])) {
            if (byte >= kLatinLead && byte <= kCyrillicLead)
                bytes[pos + 1] = FoldedTrail(byte, bytes[pos + 1]);
            pos += 2;
        } else {
            ++pos;
        }
    }
}

std::string FoldCase(std::string_view text, bool doubleByteOnly) {
    std::string folded(text);
    FoldCaseInPlace(folded.data(), folded.size(), doubleByteOnly);
    return folded;
}

}  // namespace tidemark
