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
    const std::string_view text(data, size);
    for (std::size_t pos = 0; pos < size;) {
        const std::size_t length = SearchCharLength(text, pos);
        if (length == 2) {
            const auto lead = static_cast<std::uint8_t>(data[pos]);
            const auto trail = static_cast<std::uint8_t>(data[pos + 1]);
            data[pos + 1] = static_cast<char>(FoldedTrail(lead, trail));
        } else if (!doubleByteOnly && data[pos] >= 'A' && data[pos] <= 'Z') {
            data[pos] = static_cast<char>(data[pos] - 'A' + 'a');
        }
        pos += length;
    }
}

std::string FoldCase(std::string_view text, bool doubleByteOnly) {
    std::string folded(text);
    FoldCaseInPlace(folded.data(), folded.size(), doubleByteOnly);
    return folded;
}

}  // namespace tidemark
