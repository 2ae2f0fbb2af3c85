#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/byte_string.h"
#include "core/common/system_time.h"
#include "core/model/blowfish_cipher.h"

namespace tidemark {

// Encrypted values: how a title, remarks or body text of an item below a closed locked group
// is held. For a plain text P and the item's check text C, the plaintext is C, one zero byte,
// P, then zero bytes up to the next multiple of 8; it is enciphered block by block and stored
// as a string of that length. Decryption checks that the value begins with C and its zero
// byte, which is how a wrong password is detected.

inline constexpr std::size_t kMinPasswordLength = 4;
inline constexpr std::size_t kMaxPasswordLength = 112;

// True for a password of 4 to 112 bytes, the range a lock accepts.
bool IsValidPasswordLength(std::size_t bytes);

// The check text of an item: its modified time as "yyyy MM dd HH mm ss" (19 characters,
// 24-hour clock, single spaces), e.g. "2004 05 06 13 45 07".
std::string MakeCheckText(const SystemTime& modified);

// The check texts to try, in order, when decrypting an item's title:
//   0. MakeCheckText(modified);
//   1. "%02d %02d %02d %02d %02d %02d" of year - 1988, month, day, hour, minute, second,
//      as written by older versions (2004 gives "16");
//   2. "%04d %02d %02d %02d %02d %02d" of the full year and the same fields.
// The first and the last coincide for every time; a caller may skip a repeated text.
std::array<std::string, 3> CandidateCheckTexts(const SystemTime& modified);

// Encrypts `plain` with `checkText` as above. The result's length is
// len(checkText) + 1 + len(plain) rounded up to a multiple of 8.
// `plain` must not contain a zero byte: decryption ends the value at the first one. Titles,
// remarks and bodies are text and never do.
ByteString EncryptValue(const BlowfishCipher& cipher, std::string_view checkText,
                        std::string_view plain);

// Decrypts a stored value. Fails when `stored` is empty or its length is not a multiple of 8,
// or when the deciphered bytes do not begin with `checkText` followed by a zero byte (wrong
// key or wrong check text). The value is the text after that zero byte up to the next zero
// byte or the end of the data. The deciphered copy is wiped before returning.
std::optional<ByteString> DecryptValue(const BlowfishCipher& cipher, std::string_view checkText,
                                       std::string_view stored);

}  // namespace tidemark
