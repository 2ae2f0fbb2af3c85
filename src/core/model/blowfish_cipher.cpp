#include "core/model/blowfish_cipher.h"

#include <cassert>
#include <cstring>

#include "core/common/little_endian.h"

namespace tidemark {

namespace {

#include "core/model/blowfish_tables.inc"

static_assert(sizeof(kInitialP) == 18 * sizeof(std::uint32_t));
static_assert(sizeof(kInitialS) == 4 * 256 * sizeof(std::uint32_t));

// Overwrites the words through a volatile pointer so the stores are not optimised away.
void WipeWords(std::uint32_t* words, std::size_t count) {
    volatile std::uint32_t* p = words;
    for (std::size_t i = 0; i < count; ++i)
        p[i] = 0;
}

}  // namespace

BlowfishCipher::BlowfishCipher(std::string_view key) {
    assert(!key.empty());
    std::memcpy(m_p, kInitialP, sizeof(m_p));
    std::memcpy(m_s, kInitialS, sizeof(m_s));

    // XOR the P-array with the key as big-endian words, cycling over the key. The P-array
    // takes 18 words = 72 bytes, so bytes beyond the 72nd are never read.
    if (!key.empty()) {
        std::size_t k = 0;
        for (std::uint32_t& word : m_p) {
            std::uint32_t data = 0;
            for (int i = 0; i < 4; ++i) {
                data = (data << 8) | static_cast<std::uint8_t>(key[k]);
                k = (k + 1) % key.size();
            }
            word ^= data;
        }
    }

    // Encipher the all-zero block over and over, replacing P and then the S-boxes in order.
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    for (std::size_t i = 0; i < kRounds + 2; i += 2) {
        EncipherWords(left, right);
        m_p[i] = left;
        m_p[i + 1] = right;
    }
    for (auto& box : m_s) {
        for (std::size_t i = 0; i < 256; i += 2) {
            EncipherWords(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

BlowfishCipher::~BlowfishCipher() {
    WipeWords(m_p, sizeof(m_p) / sizeof(m_p[0]));
    WipeWords(&m_s[0][0], sizeof(m_s) / sizeof(m_s[0][0]));
}

inline std::uint32_t BlowfishCipher::F(std::uint32_t x) const {
    return ((m_s[0][x >> 24] + m_s[1][(x >> 16) & 0xFF]) ^ m_s[2][(x >> 8) & 0xFF]) +
           m_s[3][x & 0xFF];
}

// Two rounds per iteration, so the halves trade roles instead of being swapped.
void BlowfishCipher::EncipherWords(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l = left;
    std::uint32_t r = right;
    for (int i = 0; i < kRounds; i += 2) {
        l ^= m_p[i];
        r ^= F(l);
        r ^= m_p[i + 1];
        l ^= F(r);
    }
    left = r ^ m_p[kRounds + 1];
    right = l ^ m_p[kRounds];
}

void BlowfishCipher::DecipherWords(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l = left;
    std::uint32_t r = right;
    for (int i = kRounds + 1; i > 1; i -= 2) {
        l ^= m_p[i];
        r ^= F(l);
        r ^= m_p[i - 1];
        l ^= F(r);
    }
    left = r ^ m_p[0];
    right = l ^ m_p[1];
}

// Two independent blocks in lockstep. A block's rounds form one long chain of dependent
// table lookups; running two chains side by side lets the processor overlap them, which
// roughly doubles the throughput. Same results as two calls of EncipherWords/DecipherWords.
void BlowfishCipher::EncipherPair(std::uint32_t (&left)[2], std::uint32_t (&right)[2]) const {
    std::uint32_t l0 = left[0], r0 = right[0];
    std::uint32_t l1 = left[1], r1 = right[1];
    for (int i = 0; i < kRounds; i += 2) {
        l0 ^= m_p[i];
        l1 ^= m_p[i];
        r0 ^= F(l0) ^ m_p[i + 1];
        r1 ^= F(l1) ^ m_p[i + 1];
        l0 ^= F(r0);
        l1 ^= F(r1);
    }
    left[0] = r0 ^ m_p[kRounds + 1];
    right[0] = l0 ^ m_p[kRounds];
    left[1] = r1 ^ m_p[kRounds + 1];
    right[1] = l1 ^ m_p[kRounds];
}

void BlowfishCipher::DecipherPair(std::uint32_t (&left)[2], std::uint32_t (&right)[2]) const {
    std::uint32_t l0 = left[0], r0 = right[0];
    std::uint32_t l1 = left[1], r1 = right[1];
    for (int i = kRounds + 1; i > 1; i -= 2) {
        l0 ^= m_p[i];
        l1 ^= m_p[i];
        r0 ^= F(l0) ^ m_p[i - 1];
        r1 ^= F(l1) ^ m_p[i - 1];
        l0 ^= F(r0);
        l1 ^= F(r1);
    }
    left[0] = r0 ^ m_p[0];
    right[0] = l0 ^ m_p[1];
    left[1] = r1 ^ m_p[0];
    right[1] = l1 ^ m_p[1];
}

// Whole blocks two at a time, then a last single block if the count is odd.
template <bool kDecrypt>
void BlowfishCipher::ProcessBlocks(std::uint8_t* data, std::size_t size) const {
    assert(size % kBlockSize == 0);
    if (size % kBlockSize != 0)
        return;
    std::size_t offset = 0;
    for (; size - offset >= 2 * kBlockSize; offset += 2 * kBlockSize) {
        std::uint8_t* block = data + offset;
        std::uint32_t left[2] = {LoadU32(block), LoadU32(block + 8)};
        std::uint32_t right[2] = {LoadU32(block + 4), LoadU32(block + 12)};
        if constexpr (kDecrypt) {
            DecipherPair(left, right);
        } else {
            EncipherPair(left, right);
        }
        StoreU32(block, left[0]);
        StoreU32(block + 4, right[0]);
        StoreU32(block + 8, left[1]);
        StoreU32(block + 12, right[1]);
    }
    if (offset != size) {
        std::uint8_t* block = data + offset;
        std::uint32_t left = LoadU32(block);
        std::uint32_t right = LoadU32(block + 4);
        if constexpr (kDecrypt) {
            DecipherWords(left, right);
        } else {
            EncipherWords(left, right);
        }
        StoreU32(block, left);
        StoreU32(block + 4, right);
    }
}

void BlowfishCipher::EncryptBlocks(std::uint8_t* data, std::size_t size) const {
    ProcessBlocks<false>(data, size);
}

void BlowfishCipher::DecryptBlocks(std::uint8_t* data, std::size_t size) const {
    ProcessBlocks<true>(data, size);
}

}  // namespace tidemark
