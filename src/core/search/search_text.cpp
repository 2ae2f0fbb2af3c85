#include "core/search/search_text.h"

#include <algorithm>
#include <cstring>

namespace tidemark {
namespace {

// Full-width capitals and their small forms, by lead byte.
constexpr std::uint8_t kLatinLead = 0x82;     // Ａ 0x8260 - Ｚ 0x8279 → ａ 0x8281 - ｚ 0x829A
constexpr std::uint8_t kGreekLead = 0x83;     // Α 0x839F - Ω 0x83B6 → α 0x83BF - ω 0x83D6
constexpr std::uint8_t kCyrillicLead = 0x84;  // А 0x8440 - Я 0x8460 → а 0x8470 - я 0x8491

// The small form's trail byte of a double-byte capital; the trail byte
// itself when the character has none.
constexpr std::uint8_t FoldedTrail(std::uint8_t lead, std::uint8_t trail) {
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

// The folding loop runs over every byte of a text, so it asks tables: which
// bytes pair up, and each trail byte's folded form under each lead byte that
// has capitals (row 3: under any other lead, unchanged).
struct FoldTables {
    bool lead[256] = {};
    bool trail[256] = {};
    std::uint8_t row[256] = {};
    std::uint8_t folded[4][256] = {};
    constexpr FoldTables() {
        for (int b = 0; b < 256; ++b) {
            const auto byte = std::uint8_t(b);
            lead[b] = IsLeadByte(byte);
            trail[b] = IsTrailByte(byte);
            row[b] = std::uint8_t(byte >= kLatinLead && byte <= kCyrillicLead ? byte - kLatinLead : 3);
            for (int r = 0; r < 3; ++r)
                folded[r][b] = FoldedTrail(std::uint8_t(kLatinLead + r), byte);
            folded[3][b] = byte;
        }
    }
    bool Pair(std::uint8_t first, std::uint8_t second) const { return lead[first] && trail[second]; }
};
constexpr FoldTables kFold;

// Folds the ASCII capitals of eight bytes that are all below 0x80.
std::uint64_t FoldAsciiWord(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    const std::uint64_t atLeastA = word + kOnes * (0x80 - 'A');
    const std::uint64_t aboveZ = word + kOnes * (0x80 - 'Z' - 1);
    const std::uint64_t capitals = atLeastA & ~aboveZ & (kOnes * 0x80);
    return word | (capitals >> 2);  // 0x80 >> 2 is the case bit
}

}  // namespace

void FoldCaseInPlace(char* data, std::size_t size, bool doubleByteOnly) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(data);
    std::size_t pos = 0;
    while (pos < size) {
        // Eight bytes below 0x80 after a character's start are eight characters.
        if (size - pos >= 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + pos, 8);
            if ((word & 0x8080808080808080) == 0) {
                if (!doubleByteOnly) {
                    word = FoldAsciiWord(word);
                    std::memcpy(bytes + pos, &word, 8);
                }
                pos += 8;
                continue;
            }
        }
        const std::size_t blockEnd = std::min(pos + 8, size);
        while (pos < blockEnd) {
            const std::uint8_t byte = bytes[pos];
            if (byte < 0x80) {
                if (!doubleByteOnly && std::uint8_t(byte - 'A') < 26)
                    bytes[pos] = static_cast<std::uint8_t>(byte | 0x20);
                ++pos;
                continue;
            }
            if (pos + 1 >= size || !kFold.Pair(byte, bytes[pos + 1])) {
                ++pos;
                continue;
            }
            // Double-byte characters in a row, without a branch on their kind.
            do {
                const std::uint8_t lead = bytes[pos];
                bytes[pos + 1] = kFold.folded[kFold.row[lead]][bytes[pos + 1]];
                pos += 2;
            } while (pos + 1 < size && kFold.Pair(bytes[pos], bytes[pos + 1]));
        }
    }
}

std::string FoldCase(std::string_view text, bool doubleByteOnly) {
    std::string folded(text);
    FoldCaseInPlace(folded.data(), folded.size(), doubleByteOnly);
    return folded;
}

}  // namespace tidemark
