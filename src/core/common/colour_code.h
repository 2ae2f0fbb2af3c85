#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/common/colour.h"

namespace tidemark {

// Colour codes: "#" and two hexadecimal digits each for red, green and blue.

// Always lower-case, e.g. "#ff8000" for red 255, green 128, blue 0.
std::string ColourToCode(Colour colour);

// Accepts exactly seven bytes: "#" and six hexadecimal digits of either case. Anything else
// (a missing "#", a digit too few or too many, spaces) gives nothing.
std::optional<Colour> CodeToColour(std::string_view code);

}  // namespace tidemark
