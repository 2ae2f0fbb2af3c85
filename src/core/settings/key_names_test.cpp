#include "core/settings/key_names.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

TEST(KeyNamesTest, HoldsTheModifiersThenTheAssignableKeysInOrder) {
    ASSERT_EQ(KeyNames().size(), 57u);
    ASSERT_EQ(AssignableKeys().size(), 54u);
    EXPECT_EQ(KeyNames()[0].Name, "Alt+");
    EXPECT_EQ(KeyNames()[2].Name, "Shift+");
    struct Case {
        std::size_t index;
        std::uint16_t key;
        std::string_view name;
    } cases[] = {
        {0, 0x41, "A"},   {25, 0x5A, "Z"},    {26, 0x30, "0"},     {35, 0x39, "9"},
        {36, 0x70, "F1"}, {47, 0x7B, "F12"},  {48, 0x25, "Left"},  {49, 0x27, "Right"},
        {50, 0x26, "Up"}, {51, 0x28, "Down"}, {52, 0x0D, "Enter"}, {53, 0x20, "Space"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AssignableKeys()[c.index].Key, c.key) << c.index;
        EXPECT_EQ(AssignableKeys()[c.index].Name, c.name) << c.index;
        EXPECT_EQ(AssignableKeyIndex(c.key), c.index);
    }
    EXPECT_FALSE(AssignableKeyIndex(0x11));  // Ctrl is a modifier, not a key
}

TEST(KeyTextTest, WritesModifiersAltCtrlShiftThenTheKey) {
    struct Case {
        std::uint8_t flags;
        std::uint16_t key;
        std::string text;
    } cases[] = {
        {0x0B, 0x4E, "Ctrl+N"},
        {0x0F, 0x4E, "Ctrl+Shift+N"},
        {0x1B, 0x47, "Alt+Ctrl+G"},
        {0x1F, 0x20, "Alt+Ctrl+Shift+Space"},
        {0x07, 0x0D, "Shift+Enter"},
        {0x13, 0x25, "Alt+Left"},
        {0x03, 0x7B, "F12"},
        {0x00, 0x00, ""},
        {0x0B, 0x00, ""},  // no key
        {0x0B, 0x2E, ""},  // a key without a name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyText(c.flags, c.key), c.text);
    }
}

TEST(KeyTextTest, AssignedFlagsCarryTheVirtualKeyBits) {
    EXPECT_EQ(AssignedFlags(false, false, false), 0x03);
    EXPECT_EQ(AssignedFlags(true, false, false), 0x13);
    EXPECT_EQ(AssignedFlags(false, true, true), 0x0F);
    EXPECT_EQ(AssignedFlags(true, true, true), 0x1F);
}

}  // namespace
}  // namespace tidemark
