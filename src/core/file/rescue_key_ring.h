#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/common/byte_string.h"
#include "core/model/blowfish_cipher.h"

namespace tidemark {

// An encrypted title met by the rescue, with the check texts its item's modified time gives.
// Both views belong to the caller and last only for the call they are passed to.
struct RescueEncryptedValue {
    std::string_view value;
    std::span<const std::string> checkTexts;
};

// The passwords the user has given during a rescue. The rescue does not know which locked
// group an encrypted item belonged to, so every password is kept and tried on every later
// item, the one that worked last first.
//
// Passwords are CP932 bytes, 4 to 112 of them. Each slot keeps its key schedule, and every
// password and deciphered value is wiped when it is let go.
class RescueKeyRing {
public:
    static constexpr std::size_t kSlotCount = 32;

    // What the password dialog does with an answer (OfferPassword).
    enum class Offer {
        kTooShort,  // fewer than 4 bytes: message 20075, the dialog stays
        kTooLong,   // more than 112 bytes: the dialog's field never lets this through
        kWrong,     // stored, but no password opens the value: message 20080, the field empties
        kAccepted,  // Result() holds the value's text: the dialog closes with OK
    };

    RescueKeyRing();
    ~RescueKeyRing();
    RescueKeyRing(const RescueKeyRing&) = delete;
    RescueKeyRing& operator=(const RescueKeyRing&) = delete;

    std::size_t Count() const { return m_count; }
    std::size_t Current() const { return m_current; }

    // Stores a password of 4 to 112 bytes (anything else is refused with false) into the next
    // empty slot while fewer than 32 are filled, otherwise over the slot after the current one
    // (slot 0 follows slot 31). That slot becomes current.
    bool AddPassword(std::string_view password);

    // Tries the current slot, then every other filled slot in slot order. A slot opens the
    // value when its length is a multiple of 8 and, if check texts are given, the deciphered
    // bytes begin with one of them followed by a zero byte; with no check texts any result
    // counts. The first slot that opens it becomes current, and Result() holds the text after
    // the first zero byte, up to the next one.
    bool TryDecrypt(std::string_view value, std::span<const std::string> checkTexts);

    // Deciphers with the current slot alone and no check text: the remarks and body of an item
    // whose title that slot has just opened. False only when the ring is empty or the length
    // is not a multiple of 8.
    bool DecryptWithCurrent(std::string_view value);

    // The text of the last successful decryption.
    const ByteString& Result() const { return m_result; }

    // The password dialog's OK: checks the length, stores the password (AddPassword), then
    // tries the whole ring on `encrypted`.
    Offer OfferPassword(std::string_view password, const RescueEncryptedValue& encrypted);

private:
    struct Slot {
        ByteString password;
        std::unique_ptr<BlowfishCipher> cipher;
    };

    bool TrySlot(std::size_t slot, std::string_view value, std::span<const std::string> checkTexts);
    void SetResult(std::string_view text);

    std::array<Slot, kSlotCount> m_slots;
    std::size_t m_count = 0;
    std::size_t m_current = 0;
    ByteString m_result;
};

}  // namespace tidemark
