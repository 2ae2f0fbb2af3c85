#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tidemark {

// Accelerator flag bits of a key assignment, as stored.
namespace AccelFlag {
inline constexpr std::uint8_t kVirtualKey = 0x01;
inline constexpr std::uint8_t kNoInvert = 0x02;
inline constexpr std::uint8_t kShift = 0x04;
inline constexpr std::uint8_t kControl = 0x08;
inline constexpr std::uint8_t kAlt = 0x10;
// Every assigned key carries these two.
inline constexpr std::uint8_t kAssigned = kVirtualKey | kNoInvert;
}  // namespace AccelFlag

// A virtual-key code and the name the program shows for it.
struct KeyName {
    std::uint16_t Key;
    std::string_view Name;
};

// The 57 names in their fixed order: the three modifiers ("Alt+", "Ctrl+",
// "Shift+"), then the 54 keys a command can be given: A-Z, 0-9, F1-F12, Left,
// Right, Up, Down, Enter, Space.
std::span<const KeyName> KeyNames();
// The 54 entries after the modifiers, in the same order.
std::span<const KeyName> AssignableKeys();

// The position of `key` among AssignableKeys(), or nothing.
std::optional<std::size_t> AssignableKeyIndex(std::uint16_t key);

// "Alt+", "Ctrl+", "Shift+" as the flags say, in that order, then the key's
// name: "Ctrl+Shift+N". Empty when there is no key or the key has no name.
std::string KeyText(std::uint8_t flags, std::uint16_t key);

// The flags of a key given with the three modifiers: kAssigned plus the
// modifier bits.
constexpr std::uint8_t AssignedFlags(bool alt, bool control, bool shift) {
    return static_cast<std::uint8_t>(AccelFlag::kAssigned | (alt ? AccelFlag::kAlt : 0) |
                                     (control ? AccelFlag::kControl : 0) |
                                     (shift ? AccelFlag::kShift : 0));
}

}  // namespace tidemark
