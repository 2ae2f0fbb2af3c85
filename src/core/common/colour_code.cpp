#include "core/common/colour_code.h"

#include <cstdint>

namespace tidemark {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string ColourToCode(Colour colour) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string code = "#";
    for (const std::uint8_t part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
        code += kDigits[part >> 4];
        code += kDigits[part & 0x0F];
    }
    return code;
}

std::optional<Colour> CodeToColour(std::string_view code) {
    if (code.size() != 7 || code[0] != '#')
        return std::nullopt;
    std::uint8_t parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int high = HexValue(code[1 + 2 * i]);
        const int low = HexValue(code[2 + 2 * i]);
        if (high < 0 || low < 0)
            return std::nullopt;
        parts[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return MakeColour(parts[0], parts[1], parts[2]);
}

}  // namespace tidemark
