#include "core/common/sjis.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tidemark {
namespace {

// CP932 bytes of a few characters the cases rely on.
#define A_ "\x82\xa0"    // あ
#define I_ "\x82\xa2"    // い
#define U_ "\x82\xa4"    // う
#define ASIA "\x88\x9f"  // 亜: its trail byte 0x9F is also a lead-byte value
#define ME "\x83\x81"    // メ: trail byte 0x81, the lead byte of a full-width space
#define GI "\x83\x4d"    // ギ: trail byte "M"
#define NO "\x83\x6d"    // ノ: trail byte "m"
#define WIDE_SPACE "\x81\x40"

std::string Bytes(const char* text, std::size_t size) {
    return std::string(text, size);
}

// Character boundaries found the slow, obviously correct way: walking from the start.
std::vector<std::size_t> BoundariesFromStart(std::string_view text) {
    std::vector<std::size_t> boundaries{0};
    for (std::size_t pos = 0; pos < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[pos]);
        pos += (IsLeadByte(lead) && pos + 1 < text.size() && text[pos + 1] != '\0') ? 2 : 1;
        boundaries.push_back(pos);
    }
    return boundaries;
}

TEST(IsLeadByte, AcceptsExactlyTheTwoLeadRanges) {
    const std::pair<std::uint8_t, bool> cases[] = {
        {0x00, false}, {0x5C, false}, {0x80, false}, {0x81, true}, {0x9F, true},  {0xA0, false},
        {0xB1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false}, {0xFF, false},
    };
    for (const auto& [byte, lead] : cases) {
        EXPECT_EQ(IsLeadByte(byte), lead) << "byte " << unsigned{byte};
    }
}

TEST(NextCharLength, PairsALeadByteOnlyWithAFollowingNonZeroByte) {
    const std::string text = Bytes("a" A_ "\x82\0\x82", 6);
    EXPECT_EQ(NextCharLength(text, 0), 1u);  // a
    EXPECT_EQ(NextCharLength(text, 1), 2u);  // あ
    EXPECT_EQ(NextCharLength(text, 3), 1u);  // lead byte before a zero byte
    EXPECT_EQ(NextCharLength(text, 4), 1u);  // the zero byte
    EXPECT_EQ(NextCharLength(text, 5), 1u);  // lead byte at the very end
    EXPECT_EQ(NextCharLength(text, 6), 0u);
}

TEST(SafeCutLength, CutsOnlyBetweenCharacters) {
    struct Case {
        std::string text;
        std::size_t n;
        std::size_t expected;
    };
    const Case cases[] = {
        {A_ I_ U_, 5, 4},
        {A_ I_ U_, 6, 6},
        {A_ I_ U_, 1, 0},
        {A_ I_ U_, 0, 0},
        {A_ I_ U_, 100, 6},
        {"a" A_, 2, 1},
        {"", 3, 0},
        // The byte before the cut is 0x9F, a lead-byte value that is really the trail of 亜.
        {"a" ASIA ASIA, 3, 3},
        {"a" ASIA ASIA, 4, 3},
        {ASIA ASIA ASIA, 3, 2},
        {ASIA ASIA ASIA, 4, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SafeCutLength(c.text, c.n), c.expected)
            << "n=" << c.n << " size=" << c.text.size();
    }
}

// Runs of lead-byte values are where looking backwards goes wrong; random texts drawn from a
// few troublesome bytes compare the quick answers with a walk from the start.
TEST(SafeCutLength, AgreesWithAWalkFromTheStartOnRandomTexts) {
    const std::uint8_t alphabet[] = {0x41, 0x00, 0x81, 0x9F, 0xE0, 0xFC, 0x40, 0x5C, 0xFD, 0xA0};
    std::mt19937 random(932);
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 12, '\0');
        for (char& c : text)
            c = static_cast<char>(alphabet[random() % std::size(alphabet)]);
        const std::vector<std::size_t> boundaries = BoundariesFromStart(text);
        for (std::size_t n = 0; n <= text.size() + 1; ++n) {
            std::size_t expected = 0;
            for (const std::size_t b : boundaries) {
                if (b <= n)
                    expected = b;
            }
            ASSERT_EQ(SafeCutLength(text, n), expected) << "round " << round << " n=" << n;
        }
        for (std::size_t i = 1; i < boundaries.size(); ++i) {
            ASSERT_EQ(PrevCharPos(text, boundaries[i]), boundaries[i - 1]) << "round " << round;
        }
    }
}

TEST(PrevCharPos, StaysAtTheStart) {
    EXPECT_EQ(PrevCharPos(A_, 0), 0u);
    EXPECT_EQ(PrevCharPos(A_, 2), 0u);
    EXPECT_EQ(PrevCharPos("ab", 9), 1u);
}

TEST(CharsToBytes, CountsDoubleByteCharactersOnceAndCrAsNothingWhenAsked) {
    struct Case {
        std::string text;
        std::size_t count;
        bool skipCr;
        std::size_t expected;
    };
    const Case cases[] = {
        {"a" A_ "b", 2, false, 3}, {"a" A_ "b", 3, false, 4},
        {"a" A_ "b", 9, false, 4}, {"a\r\nb", 1, true, 1},  // position 1 is the line end itself
        {"a\r\nb", 2, true, 3},                             // after CR LF
        {"a\r\nb", 3, true, 4},    {"a\r\nb", 2, false, 2},
        {"\r\n", 1, true, 2},      {Bytes("ab\0cd", 5), 4, false, 2},  // stops at the terminator
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharsToBytes(c.text, c.count, c.skipCr), c.expected)
            << "count=" << c.count << " skipCr=" << c.skipCr;
    }
}

TEST(BytesToChars, CountsCharactersInTheFirstBytes) {
    struct Case {
        std::string text;
        std::size_t bytes;
        bool skipCr;
        std::size_t expected;
    };
    const Case cases[] = {
        {"a\r\nb", 4, true, 3},     {"a\r\nb", 4, false, 4},           {"a" A_ "b", 4, false, 3},
        {"a" A_ "b", 2, false, 2},  // a character whose lead byte is counted counts
        {"a" A_ "b", 99, false, 3}, {Bytes("ab\0cd", 5), 5, false, 2}, {"", 3, true, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BytesToChars(c.text, c.bytes, c.skipCr), c.expected)
            << "bytes=" << c.bytes << " skipCr=" << c.skipCr;
    }
}

TEST(CharsToBytes, IsUndoneByBytesToChars) {
    const std::string text = "x\r\n" A_ "\r\n\r\n" ASIA "yz";
    for (const bool skipCr : {false, true}) {
        const std::size_t total = BytesToChars(text, text.size(), skipCr);
        for (std::size_t count = 0; count <= total; ++count) {
            EXPECT_EQ(BytesToChars(text, CharsToBytes(text, count, skipCr), skipCr), count)
                << "count=" << count << " skipCr=" << skipCr;
        }
    }
}

TEST(TrimText, DropsHalfAndFullWidthSpacesAndTabsAtBothEnds) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"  abc\t ", "abc"},
        {WIDE_SPACE WIDE_SPACE, ""},
        {" \t" WIDE_SPACE, ""},
        {"", ""},
        {WIDE_SPACE A_ " " I_ WIDE_SPACE "\t", A_ " " I_},
        // メ ends in 0x81 and "@" is 0x40: together they look like a full-width space but are not.
        {ME "@", ME "@"},
        {" " ME "@" WIDE_SPACE, ME "@"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrimText(c.text), c.expected) << "input size " << c.text.size();
    }
}

TEST(TrimText, ReturnsAViewIntoTheText) {
    const std::string text = "  name ";
    const std::string_view trimmed = TrimText(text);
    EXPECT_EQ(trimmed.data(), text.data() + 2);
    EXPECT_EQ(trimmed.size(), 4u);
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(CompareTextNoCase, OrdersCharacterByCharacterIgnoringAsciiCase) {
    struct Case {
        std::string a;
        std::string b;
        int expected;
    };
    const Case cases[] = {
        {"Title", "tITLE", 0},
        {"", "", 0},
        {"a", "B", -1},
        {"ab", "abc", -1},  // a prefix sorts first
        {"", "a", -1},
        {"_", "A", -1},  // letters fold to lower case, so "_" (0x5F) < "a" (0x61)
        {"[", "z", -1},
        {A_, I_, -1},
        {A_ "x", A_ "X", 0},
        {"\xb1", A_, -1},  // half-width ｱ (0xB1) < あ (0x82A0), though its byte is larger
        {"z", A_, -1},
        {GI, NO, -1},                  // trail bytes "M" and "m" are not letters
        {"\x82\x60", "\x82\x81", -1},  // full-width Ａ and ａ differ
        {"a\x82", "a", 1},             // a lone lead byte at the end is a character of its own
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sign(CompareTextNoCase(c.a, c.b)), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(Sign(CompareTextNoCase(c.b, c.a)), -c.expected) << c.b << " vs " << c.a;
    }
}

}  // namespace
}  // namespace tidemark
