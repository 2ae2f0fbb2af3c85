#include "core/model/item_crypto.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/model/fixed_clock_for_test.h"

namespace tidemark {
namespace {

const SystemTime kModified = MakeTime(2004, 5, 6, 13, 45, 7);

TEST(ItemCryptoTest, CheckTextsForATime) {
    struct Case {
        SystemTime time;
        const char* current;
        const char* older;
    };
    const Case cases[] = {
        {kModified, "2004 05 06 13 45 07", "16 05 06 13 45 07"},
        {MakeTime(1999, 12, 31, 23, 59, 59), "1999 12 31 23 59 59", "11 12 31 23 59 59"},
        {MakeTime(1988, 1, 1, 0, 0, 0), "1988 01 01 00 00 00", "00 01 01 00 00 00"},
        {MakeTime(2100, 2, 3, 4, 5, 6), "2100 02 03 04 05 06", "112 02 03 04 05 06"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        EXPECT_EQ(MakeCheckText(c.time), c.current);
        const std::array<std::string, 3> candidates = CandidateCheckTexts(c.time);
        EXPECT_EQ(candidates[0], c.current);
        EXPECT_EQ(candidates[1], c.older);
        EXPECT_EQ(candidates[2], c.current);
    }
}

TEST(ItemCryptoTest, PasswordLengthLimits) {
    const std::pair<std::size_t, bool> cases[] = {
        {0, false}, {3, false}, {4, true}, {72, true}, {112, true}, {113, false},
    };
    for (const auto& [length, valid] : cases) {
        EXPECT_EQ(IsValidPasswordLength(length), valid) << length;
    }
}

TEST(ItemCryptoTest, PlaintextIsCheckTextZeroValueAndZeroPadding) {
    const BlowfishCipher cipher("pass");
    const ByteString stored = EncryptValue(cipher, "2004 05 06 13 45 07", "ABC");
    ASSERT_EQ(stored.Size(), 24u);

    std::string raw(stored.View());
    cipher.DecryptBlocks(reinterpret_cast<std::uint8_t*>(raw.data()), raw.size());
    EXPECT_EQ(raw, std::string("2004 05 06 13 45 07\0ABC\0", 24));
}

TEST(ItemCryptoTest, LengthIsRoundedUpToWholeBlocks) {
    const BlowfishCipher cipher("pass");
    const std::string check = MakeCheckText(kModified);
    // 19 + 1 + len: 0 -> 24, 4 -> 24 exactly (no padding), 5 -> 32.
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 24}, {"ABC", 24}, {"ABCD", 24}, {"ABCDE", 32}, {std::string(100, 'x'), 120},
    };
    for (const auto& [plain, length] : cases) {
        SCOPED_TRACE(plain);
        const ByteString stored = EncryptValue(cipher, check, plain);
        EXPECT_EQ(stored.Size(), length);
        // Round trip, including a value that runs to the very end of the data.
        EXPECT_EQ(DecryptValue(cipher, check, stored), ByteString(plain));
    }
}

TEST(ItemCryptoTest, ValueWrittenByAnOlderVersionDecryptsWithTheSecondCheckText) {
    const BlowfishCipher cipher("secret words");
    const std::array<std::string, 3> candidates = CandidateCheckTexts(kModified);
    const ByteString current = EncryptValue(cipher, "2004 05 06 13 45 07", "title");
    const ByteString older = EncryptValue(cipher, "16 05 06 13 45 07", "title");

    EXPECT_EQ(DecryptValue(cipher, candidates[0], current), ByteString("title"));
    EXPECT_EQ(DecryptValue(cipher, candidates[0], older), std::nullopt);
    EXPECT_EQ(DecryptValue(cipher, candidates[1], older), ByteString("title"));
}

TEST(ItemCryptoTest, DecryptionFailures) {
    const BlowfishCipher cipher("right password");
    const BlowfishCipher wrong("wrong password");
    const std::string check = MakeCheckText(kModified);
    const ByteString stored = EncryptValue(cipher, check, "body text");
    ASSERT_EQ(stored.Size(), 32u);

    EXPECT_EQ(DecryptValue(cipher, check, ""), std::nullopt);
    EXPECT_EQ(DecryptValue(wrong, check, stored), std::nullopt);
    EXPECT_EQ(DecryptValue(cipher, check, stored.View().substr(0, 31)), std::nullopt);
    EXPECT_EQ(DecryptValue(cipher, check, std::string(stored.View()) + "x"), std::nullopt);
    // Whole blocks, but too short to hold the check text and its zero byte.
    EXPECT_EQ(DecryptValue(cipher, check, stored.View().substr(0, 16)), std::nullopt);
    // A prefix of the check text matches byte for byte but is not followed by a zero byte.
    EXPECT_EQ(DecryptValue(cipher, check.substr(0, 18), stored), std::nullopt);
    // Another time's check text.
    EXPECT_EQ(DecryptValue(cipher, "2004 05 06 13 45 08", stored), std::nullopt);
}

TEST(ItemCryptoTest, LargeBodyRoundTrips) {
    const BlowfishCipher cipher("body key");
    std::string body(60000, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<char>(1 + i % 255);  // every byte value except zero
    }
    const std::string check = MakeCheckText(kModified);
    const ByteString stored = EncryptValue(cipher, check, body);
    EXPECT_EQ(stored.Size(), 60024u);
    EXPECT_EQ(DecryptValue(cipher, check, stored), ByteString(body));
}

}  // namespace
}  // namespace tidemark
