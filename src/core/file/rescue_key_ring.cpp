#include "core/file/rescue_key_ring.h"

#include <algorithm>
#include <cstdint>

#include "core/model/item_crypto.h"

namespace tidemark {

namespace {

void Wipe(std::string& s) {
    volatile char* p = s.data();
    for (std::size_t i = 0; i < s.size(); ++i)
        p[i] = 0;
}

}  // namespace

RescueKeyRing::RescueKeyRing() = default;

RescueKeyRing::~RescueKeyRing() {
    for (Slot& slot : m_slots)
        slot.password.SecureClear();
    m_result.SecureClear();
}

bool RescueKeyRing::AddPassword(std::string_view password) {
    if (!IsValidPasswordLength(password.size()))
        return false;
    std::size_t slot;
    if (m_count < kSlotCount) {
        slot = m_count++;
    } else {
        slot = (m_current + 1) % kSlotCount;
    }
    m_slots[slot].password.SecureClear();
    m_slots[slot].password = ByteString(password);
    m_slots[slot].cipher = std::make_unique<BlowfishCipher>(password);
    m_current = slot;
    return true;
}

bool RescueKeyRing::TryDecrypt(std::string_view value, std::span<const std::string> checkTexts) {
    if (m_count == 0)
        return false;
    if (TrySlot(m_current, value, checkTexts))
        return true;
    for (std::size_t slot = 0; slot < m_count; ++slot) {
        if (slot != m_current && TrySlot(slot, value, checkTexts)) {
            m_current = slot;
            return true;
        }
    }
    return false;
}

bool RescueKeyRing::DecryptWithCurrent(std::string_view value) {
    return m_count != 0 && TrySlot(m_current, value, {});
}

RescueKeyRing::Offer RescueKeyRing::OfferPassword(std::string_view password,
                                                  const RescueEncryptedValue& encrypted) {
    if (password.size() < kMinPasswordLength)
        return Offer::kTooShort;
    if (!AddPassword(password))
        return Offer::kTooLong;
    return TryDecrypt(encrypted.value, encrypted.checkTexts) ? Offer::kAccepted : Offer::kWrong;
}

bool RescueKeyRing::TrySlot(std::size_t slot, std::string_view value,
                            std::span<const std::string> checkTexts) {
    if (value.size() % BlowfishCipher::kBlockSize != 0)
        return false;

    // One zero byte past the value ends the last text even when the value holds none.
    std::string plain(value.size() + 1, '\0');
    std::copy(value.begin(), value.end(), plain.begin());
    m_slots[slot].cipher->DecryptBlocks(reinterpret_cast<std::uint8_t*>(plain.data()),
                                        value.size());

    const std::string_view deciphered = plain;
    const std::size_t checkEnd = deciphered.find('\0');
    const std::string_view check = deciphered.substr(0, checkEnd);
    const bool accepted =
        checkTexts.empty() || std::any_of(checkTexts.begin(), checkTexts.end(),
                                          [&](const std::string& text) { return text == check; });
    if (accepted) {
        std::string_view text = deciphered.substr(checkEnd + 1);
        SetResult(text.substr(0, text.find('\0')));
    }
    Wipe(plain);
    return accepted;
}

void RescueKeyRing::SetResult(std::string_view text) {
    m_result.SecureClear();
    m_result = ByteString(text);
}

}  // namespace tidemark
