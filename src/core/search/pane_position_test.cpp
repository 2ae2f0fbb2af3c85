#include "core/search/pane_position.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

struct PaneCase {
    const char* name;
    std::string body;
    std::size_t offset;
    std::size_t position;
};

class PanePositionTest : public ::testing::TestWithParam<PaneCase> {};

TEST_P(PanePositionTest, CountsEachCharacterAndLineEndOnce) {
    const PaneCase& c = GetParam();
    EXPECT_EQ(PanePositionOf(c.body, c.offset), c.position);
    EXPECT_EQ(BodyOffsetOf(c.body, c.position), c.offset);
}

// "あい" is 4 bytes, 2 positions; CR LF is 2 bytes, 1 position.
INSTANTIATE_TEST_SUITE_P(Bodies, PanePositionTest,
                         ::testing::Values(PaneCase{"Start", "ab", 0, 0},
                                           PaneCase{"Ascii", "abc", 2, 2},
                                           PaneCase{"DoubleByte", "\x82\xA0\x82\xA2x", 4, 2},
                                           PaneCase{"AfterCrLf", "\x82\xA0\r\nxy", 5, 3},
                                           PaneCase{"TwoLines", "a\r\n\x82\xA0\r\nb", 7, 4},
                                           PaneCase{"LoneCr", "a\rb", 2, 2},
                                           PaneCase{"LoneLf", "a\nb", 2, 2},
                                           // A stray lead byte is shown as a character of its own,
                                           // and the line end after it stays one.
                                           PaneCase{"StrayLeadBeforeCrLf", "\x82\r\nb", 3, 2},
                                           PaneCase{"End", "a\r\n", 3, 2}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PanePosition, AnOffsetInsideACharacterCountsAsItsStart) {
    EXPECT_EQ(PanePositionOf("\x82\xA0x", 1), 0u);
    EXPECT_EQ(PanePositionOf("a\r\nb", 2), 1u);
}

TEST(PanePosition, PositionsPastTheEndStopAtTheEnd) {
    EXPECT_EQ(PanePositionOf("ab", 10), 2u);
    EXPECT_EQ(BodyOffsetOf("a\r\n", 10), 3u);
}

TEST(PaneCharLength, TakesCrLfAndDoubleByteCharactersWhole) {
    EXPECT_EQ(PaneCharLength("\r\nx", 0), 2u);
    EXPECT_EQ(PaneCharLength("\r\rx", 0), 1u);
    EXPECT_EQ(PaneCharLength("\x82\xA0", 0), 2u);
    EXPECT_EQ(PaneCharLength("x", 1), 0u);
}

}  // namespace
}  // namespace tidemark
