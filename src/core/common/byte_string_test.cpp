#include "core/common/byte_string.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tidemark {
namespace {

TEST(ByteString, SecureClearOverwritesTheBytesItHeld) {
    // A short password lives inside the object itself, so its storage can be looked at after
    // the clear without touching freed memory.
    ByteString password("hunter2");
    const char* storage = password.Data();
    password.SecureClear();
    ASSERT_EQ(password.Data(), storage) << "expected the short text to be held inline";
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(storage[i], '\0') << "byte " << i;
    }
    EXPECT_TRUE(password.Empty());
}

TEST(ByteString, SecureClearLeavesAnEmptyUsableString) {
    ByteString cipher(std::string(1000, '\x5a'));
    cipher.SecureClear();
    EXPECT_EQ(cipher.Size(), 0u);
    cipher.Append("new");
    EXPECT_EQ(cipher.View(), "new");

    ByteString empty;
    empty.SecureClear();
    EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace tidemark
