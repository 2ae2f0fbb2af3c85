#include "core/search/search_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

struct FoldRow {
    const char* name;
    std::string text;
    std::string folded;
};

class FoldCaseTest : public ::testing::TestWithParam<FoldRow> {};

TEST_P(FoldCaseTest, FoldsCapitalsToTheirSmallFormsOfTheSameWidth) {
    const FoldRow& c = GetParam();
    EXPECT_EQ(FoldCase(c.text), c.folded);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, FoldCaseTest,
    ::testing::Values(FoldRow{"Ascii", "AZaz@[`{09", "azaz@[`{09"},
                      // Ａ, Ｚ → ａ, ｚ; the characters just outside the range stay.
                      FoldRow{"FullWidthLatin", "\x82\x60\x82\x79\x82\x5F\x82\x7A",
                              "\x82\x81\x82\x9A\x82\x5F\x82\x7A"},
                      // Α, Ω → α, ω.
                      FoldRow{"Greek", "\x83\x9F\x83\xB6", "\x83\xBF\x83\xD6"},
                      // А, Ё, Н, О, Я → а, ё, н, о, я: the small letters skip 0x847F.
                      FoldRow{"Cyrillic", "\x84\x40\x84\x46\x84\x4E\x84\x4F\x84\x60",
                              "\x84\x70\x84\x76\x84\x7E\x84\x80\x84\x91"},
                      // ア (0x83 0x41) and ヘ (0x83 0x77) carry ASCII letter values as trail bytes.
                      FoldRow{"TrailBytesThatLookLikeLetters", "\x83\x41\x83\x77X",
                              "\x83\x41\x83\x77x"},
                      // A lead byte before a non-trail byte pairs with nothing: the next
                      // byte is a character of its own.
                      FoldRow{"StrayLeadByte", "\x82 A\x82", "\x82 a\x82"},
                      // Half-width katakana are single bytes without case.
                      FoldRow{"HalfWidthKatakana", "\xB1\xB2Q", "\xB1\xB2q"},
                      // Runs of ASCII longer than eight bytes, between double-byte
                      // characters that straddle eight-byte steps.
                      FoldRow{"LongAsciiRuns", "Hello World, AZ@[`{ZZ\x82\x60" "ABCDEFGHIJ",
                              "hello world, az@[`{zz\x82\x81" "abcdefghij"},
                      FoldRow{"PairAcrossAnEightByteStep", "1234567\x83\x41" "BCDEFGHIJ",
                              "1234567\x83\x41" "bcdefghij"},
                      FoldRow{"LeadByteEndsTheText", "ABCDEFGHIJKLMNO\x82",
                              "abcdefghijklmno\x82"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FoldCase, DoubleByteOnlyLeavesSingleByteCharactersAsTyped) {
    EXPECT_EQ(FoldCase("\\W\x82\x60Q", true), "\\W\x82\x81Q");
}

TEST(SearchCharLength, PairsALeadByteOnlyWithATrailByte) {
    EXPECT_EQ(SearchCharLength("\x82\xA0", 0), 2u);
    EXPECT_EQ(SearchCharLength("\x82\r\n", 0), 1u);
    EXPECT_EQ(SearchCharLength(std::string("\x82\0", 2), 0), 1u);
    EXPECT_EQ(SearchCharLength("\x82", 0), 1u);
    EXPECT_EQ(SearchCharLength("a", 1), 0u);
}

}  // namespace
}  // namespace tidemark
