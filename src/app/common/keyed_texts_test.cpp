#include "app/common/keyed_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyedText, FindsOnlyTheWholeKey) {
    constexpr KeyedText table[] = {
        {"sort.title", "並べ替え"},
        {"sort", "短い"},
        {"sort.titles", "長い"},
    };
    EXPECT_EQ(keyedText(table, "sort.title"), "並べ替え");
    EXPECT_EQ(keyedText(table, "sort"), "短い");
    EXPECT_EQ(keyedText(table, "sort.titles"), "長い");
    EXPECT_EQ(keyedText(table, "sort.t"), QString());
    EXPECT_EQ(keyedText(table, ""), QString());
}

}  // namespace
