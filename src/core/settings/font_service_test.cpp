#include "core/settings/font_service.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

TEST(MulDivTest, RoundsHalfAwayFromZero) {
    struct Case {
        std::int32_t a, b, c, result;
    } cases[] = {
        {9, 96, 72, 12},
        {9, 120, 72, 15},
        {10, 96, 72, 13},  // 13.33
        {11, 96, 72, 15},  // 14.67
        {3, 1, 2, 2},
        {-3, 1, 2, -2},
        {3, -1, 2, -2},
        {3, 1, -2, -2},
        {1 << 30, 8, 16, 1 << 29},  // the product overflows 32 bits
        {5, 5, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.result) << c.a << "*" << c.b << "/" << c.c;
    }
}

TEST(MulDivTest, NinePointsOnA96DpiScreenAreHeightMinus12) {
    EXPECT_EQ(PointsToHeight(9, 96), -12);
    EXPECT_EQ(PointsToHeight(12, 96), -16);
}

}  // namespace
}  // namespace tidemark
