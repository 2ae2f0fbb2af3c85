#include "core/common/whole_number.h"

#include <gtest/gtest.h>

namespace {

using tidemark::ReadWholeNumber;

struct NumberCase {
    const char* typed;
    std::optional<long> read;
};

class WholeNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumber, IsReadAsTheNumberBoxesReadIt) {
    EXPECT_EQ(ReadWholeNumber(GetParam().typed), GetParam().read) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WholeNumber,
    ::testing::Values(NumberCase{"12", 12}, NumberCase{"0x10", 16}, NumberCase{"010", 8},
                      NumberCase{"  9", 9}, NumberCase{"-3", -3}, NumberCase{"+4", 4},
                      NumberCase{"0", 0},
                      // Something left over, or nothing read.
                      NumberCase{"12a", std::nullopt}, NumberCase{"9.5", std::nullopt},
                      NumberCase{"8 ", std::nullopt}, NumberCase{"", std::nullopt},
                      NumberCase{"x", std::nullopt}, NumberCase{"08", std::nullopt},
                      // Only the first 14 characters count: what follows is never read.
                      NumberCase{"00000000000012", 10}, NumberCase{"000000000000123", 10},
                      NumberCase{"12345678901234", std::nullopt}));

}  // namespace
