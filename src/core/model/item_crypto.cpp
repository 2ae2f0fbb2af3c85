#include "core/model/item_crypto.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

namespace tidemark {

namespace {

std::string FormatCheckText(int year, const SystemTime& t, const char* format) {
    char text[64];
    const int n =
        std::snprintf(text, sizeof(text), format, year, t.month, t.day, t.hour, t.minute, t.second);
    return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

constexpr char kShortYearFormat[] = "%02d %02d %02d %02d %02d %02d";
constexpr char kFullYearFormat[] = "%04d %02d %02d %02d %02d %02d";
// Older versions counted years from 1988.
constexpr int kShortYearBase = 1988;

std::uint8_t* AsBytes(std::string& s) {
    return reinterpret_cast<std::uint8_t*>(s.data());
}

void Wipe(std::string& s) {
    volatile char* p = s.data();
    for (std::size_t i = 0; i < s.size(); ++i)
        p[i] = 0;
}

}  // namespace

bool IsValidPasswordLength(std::size_t bytes) {
    return bytes >= kMinPasswordLength && bytes <= kMaxPasswordLength;
}

std::string MakeCheckText(const SystemTime& modified) {
    return FormatCheckText(modified.year, modified, kFullYearFormat);
}

std::array<std::string, 3> CandidateCheckTexts(const SystemTime& modified) {
    return {MakeCheckText(modified),
            FormatCheckText(modified.year - kShortYearBase, modified, kShortYearFormat),
            FormatCheckText(modified.year, modified, kFullYearFormat)};
}

ByteString EncryptValue(const BlowfishCipher& cipher, std::string_view checkText,
                        std::string_view plain) {
    constexpr std::size_t kBlock = BlowfishCipher::kBlockSize;
    const std::size_t used = checkText.size() + 1 + plain.size();
    const std::size_t length = (used + kBlock - 1) / kBlock * kBlock;

    // Sized once, so no reallocation leaves a plain copy behind; it is enciphered in place.
    std::string block(length, '\0');
    std::memcpy(block.data(), checkText.data(), checkText.size());
    std::memcpy(block.data() + checkText.size() + 1, plain.data(), plain.size());
    cipher.EncryptBlocks(AsBytes(block), block.size());
    return ByteString(std::move(block));
}

std::optional<ByteString> DecryptValue(const BlowfishCipher& cipher, std::string_view checkText,
                                       std::string_view stored) {
    if (stored.empty() || stored.size() % BlowfishCipher::kBlockSize != 0)
        return std::nullopt;

    std::string block(stored);
    cipher.DecryptBlocks(AsBytes(block), block.size());

    std::optional<ByteString> value;
    const std::string_view text = block;
    if (text.size() > checkText.size() && text.substr(0, checkText.size()) == checkText &&
        text[checkText.size()] == '\0') {
        std::string_view rest = text.substr(checkText.size() + 1);
        rest = rest.substr(0, rest.find('\0'));
        value.emplace(rest);
    }
    Wipe(block);
    return value;
}

}  // namespace tidemark
