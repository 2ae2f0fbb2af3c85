#include "core/model/blowfish_cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tidemark {
namespace {

std::vector<std::uint8_t> FromHex(std::string_view hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoul(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

std::string AsKey(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The published vectors write a block as two big-endian words. This cipher reads and writes
// its words little-endian, so the same (left, right) pair appears with the bytes of each word
// reversed: 01 23 45 67 89 AB CD EF becomes 67 45 23 01 EF CD AB 89. Keys are unaffected, as
// the key schedule reads key bytes big-endian in both conventions.
std::array<std::uint8_t, 8> ToOurBlock(std::string_view publishedHex) {
    const std::vector<std::uint8_t> b = FromHex(publishedHex);
    return {b[3], b[2], b[1], b[0], b[7], b[6], b[5], b[4]};
}

struct KnownAnswer {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Eric Young's Blowfish ECB test set: the first rows with 8-byte keys, then rows of the
// key-length set (plain text FEDCBA9876543210) whose keys are not 8 bytes long.
constexpr KnownAnswer kKnownAnswers[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
    {"F0E1D2C3", "FEDCBA9876543210", "BE1E639408640F05"},
    {"F0E1D2C3B4", "FEDCBA9876543210", "B39E44481BDB1E6E"},
    {"F0E1D2C3B4A5968778695A", "FEDCBA9876543210", "3A833C9AFFC537F6"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F", "FEDCBA9876543210", "93142887EE3BE15C"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210", "05044B62FA52D080"},
};

TEST(BlowfishCipherTest, MatchesPublishedVectorsInBothDirections) {
    for (const KnownAnswer& row : kKnownAnswers) {
        SCOPED_TRACE(std::string("key ") + row.key + " plain " + row.plain);
        const BlowfishCipher cipher(AsKey(FromHex(row.key)));
        const std::array<std::uint8_t, 8> plain = ToOurBlock(row.plain);
        const std::array<std::uint8_t, 8> expected = ToOurBlock(row.cipher);

        std::array<std::uint8_t, 8> block = plain;
        cipher.EncryptBlocks(block.data(), block.size());
        EXPECT_EQ(block, expected);
        cipher.DecryptBlocks(block.data(), block.size());
        EXPECT_EQ(block, plain);
    }
}

TEST(BlowfishCipherTest, EncryptsEachBlockOnItsOwnWithoutChaining) {
    const BlowfishCipher cipher("a password");
    // An odd count, so that buffers run through both the paired and the single-block path.
    constexpr std::size_t kBlocks = 41;
    std::vector<std::uint8_t> data(8 * kBlocks);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    // Blocks 5 and 30 are equal and must stay equal: no chaining between blocks.
    std::copy_n(data.begin() + 8 * 5, 8, data.begin() + 8 * 30);
    const std::vector<std::uint8_t> original = data;

    cipher.EncryptBlocks(data.data(), data.size());
    for (std::size_t block = 0; block < kBlocks; ++block) {
        std::array<std::uint8_t, 8> single;
        std::copy_n(original.begin() + 8 * block, 8, single.begin());
        cipher.EncryptBlocks(single.data(), single.size());
        EXPECT_TRUE(std::equal(single.begin(), single.end(), data.begin() + 8 * block))
            << "block " << block;
    }
    EXPECT_TRUE(std::equal(data.begin() + 8 * 5, data.begin() + 8 * 6, data.begin() + 8 * 30));

    cipher.DecryptBlocks(data.data(), data.size());
    EXPECT_EQ(data, original);
}

TEST(BlowfishCipherTest, KeyBytesBeyondTheSeventySecondAreIgnored) {
    std::string longKey(100, '\0');
    for (std::size_t i = 0; i < longKey.size(); ++i)
        longKey[i] = static_cast<char>('!' + i);
    const BlowfishCipher full(longKey);
    const BlowfishCipher first72(
        std::string_view(longKey).substr(0, BlowfishCipher::kEffectiveKeyBytes));
    const BlowfishCipher first71(
        std::string_view(longKey).substr(0, BlowfishCipher::kEffectiveKeyBytes - 1));

    const std::array<std::uint8_t, 8> plain = {1, 2, 3, 4, 5, 6, 7, 8};
    std::array<std::uint8_t, 8> a = plain;
    std::array<std::uint8_t, 8> b = plain;
    std::array<std::uint8_t, 8> c = plain;
    full.EncryptBlocks(a.data(), a.size());
    first72.EncryptBlocks(b.data(), b.size());
    first71.EncryptBlocks(c.data(), c.size());
    EXPECT_EQ(a, b);
    // The 72nd byte still counts (a 71-byte key also cycles back to its first byte there).
    EXPECT_NE(a, c);
}

TEST(BlowfishCipherDeathTest, RefusesALengthThatIsNotAWholeNumberOfBlocks) {
    const BlowfishCipher cipher("a password");
    std::array<std::uint8_t, 12> data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::array<std::uint8_t, 12> original = data;
    EXPECT_DEBUG_DEATH(cipher.EncryptBlocks(data.data(), data.size()), "");
    EXPECT_EQ(data, original);
}

}  // namespace
}  // namespace tidemark
