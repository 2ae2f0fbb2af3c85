#pragma once

#include <cstdint>

namespace tidemark {

// A colour with red in bits 0-7, green in 8-15 and blue in 16-23 (0x00BBGGRR).
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour(red) | (Colour(green) << 8) | (Colour(blue) << 16);
}
constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

}  // namespace tidemark
