#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tidemark {

// Blowfish with 16 rounds and the standard initial tables, applied block by block (ECB, no
// chaining, no initialisation vector). This is the cipher of locked memo groups.
//
// Byte order: each 8-byte block is read as two 32-bit words in little-endian order (left word
// from bytes 0-3, right word from bytes 4-7) and written back the same way. Published test
// vectors use big-endian words, so they match only after reversing the bytes of each word.
//
// The key schedule runs once, in the constructor; build one cipher per password and reuse it
// for every value of a group. The key-derived state is overwritten with zeros on destruction,
// and the object cannot be copied so that the state exists in one place only.
// Encryption and decryption do not change the object: one cipher may serve several threads.
class BlowfishCipher {
public:
    static constexpr std::size_t kBlockSize = 8;
    // Only this many key bytes reach the P-array; longer keys behave like their first 72 bytes.
    static constexpr std::size_t kEffectiveKeyBytes = 72;

    // `key` is used as raw bytes and must not be empty. Any length is accepted here: the
    // password rules (4 to 112 bytes) belong to the callers (see IsValidPasswordLength).
    explicit BlowfishCipher(std::string_view key);
    ~BlowfishCipher();

    BlowfishCipher(const BlowfishCipher&) = delete;
    BlowfishCipher& operator=(const BlowfishCipher&) = delete;

    // Enciphers or deciphers `size` bytes in place. `size` must be a multiple of kBlockSize;
    // otherwise this asserts, and in builds without assertions the data is left untouched.
    void EncryptBlocks(std::uint8_t* data, std::size_t size) const;
    void DecryptBlocks(std::uint8_t* data, std::size_t size) const;

private:
    static constexpr int kRounds = 16;

    std::uint32_t F(std::uint32_t x) const;
    void EncipherWords(std::uint32_t& left, std::uint32_t& right) const;
    void DecipherWords(std::uint32_t& left, std::uint32_t& right) const;
    void EncipherPair(std::uint32_t (&left)[2], std::uint32_t (&right)[2]) const;
    void DecipherPair(std::uint32_t (&left)[2], std::uint32_t (&right)[2]) const;

    template <bool kDecrypt>
    void ProcessBlocks(std::uint8_t* data, std::size_t size) const;

    std::uint32_t m_p[kRounds + 2];
    std::uint32_t m_s[4][256];
};

}  // namespace tidemark
