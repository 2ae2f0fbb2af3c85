#include "core/settings/key_names.h"

#include <array>

namespace tidemark {
namespace {

constexpr std::size_t kModifierCount = 3;

constexpr std::array<KeyName, 57> kKeyNames{{
    {0x12, "Alt+"},  {0x11, "Ctrl+"}, {0x10, "Shift+"}, {0x41, "A"},   {0x42, "B"},
    {0x43, "C"},     {0x44, "D"},     {0x45, "E"},      {0x46, "F"},   {0x47, "G"},
    {0x48, "H"},     {0x49, "I"},     {0x4A, "J"},      {0x4B, "K"},   {0x4C, "L"},
    {0x4D, "M"},     {0x4E, "N"},     {0x4F, "O"},      {0x50, "P"},   {0x51, "Q"},
    {0x52, "R"},     {0x53, "S"},     {0x54, "T"},      {0x55, "U"},   {0x56, "V"},
    {0x57, "W"},     {0x58, "X"},     {0x59, "Y"},      {0x5A, "Z"},   {0x30, "0"},
    {0x31, "1"},     {0x32, "2"},     {0x33, "3"},      {0x34, "4"},   {0x35, "5"},
    {0x36, "6"},     {0x37, "7"},     {0x38, "8"},      {0x39, "9"},   {0x70, "F1"},
    {0x71, "F2"},    {0x72, "F3"},    {0x73, "F4"},     {0x74, "F5"},  {0x75, "F6"},
    {0x76, "F7"},    {0x77, "F8"},    {0x78, "F9"},     {0x79, "F10"}, {0x7A, "F11"},
    {0x7B, "F12"},   {0x25, "Left"},  {0x27, "Right"},  {0x26, "Up"},  {0x28, "Down"},
    {0x0D, "Enter"}, {0x20, "Space"},
}};

}  // namespace

std::span<const KeyName> KeyNames() {
    return kKeyNames;
}

std::span<const KeyName> AssignableKeys() {
    return KeyNames().subspan(kModifierCount);
}

std::optional<std::size_t> AssignableKeyIndex(std::uint16_t key) {
    std::span<const KeyName> keys = AssignableKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].Key == key)
            return i;
    }
    return std::nullopt;
}

std::string KeyText(std::uint8_t flags, std::uint16_t key) {
    std::optional<std::size_t> index = key == 0 ? std::nullopt : AssignableKeyIndex(key);
    if (!index)
        return {};
    std::string text;
    if (flags & AccelFlag::kAlt)
        text += kKeyNames[0].Name;
    if (flags & AccelFlag::kControl)
        text += kKeyNames[1].Name;
    if (flags & AccelFlag::kShift)
        text += kKeyNames[2].Name;
    text += AssignableKeys()[*index].Name;
    return text;
}

}  // namespace tidemark
