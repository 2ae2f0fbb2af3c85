#pragma once

#include <cstdint>
#include <optional>

#include "core/common/byte_string.h"

namespace tidemark {

// A font as the settings keep it: the face name (CP932, at most
// kMaxFaceBytes bytes) and the height in logical units of the screen, negative
// for a character height. Everything else about the font is rebuilt from the
// face when it is used. An empty face means "not set"; the empty defaults of
// the settings then supply one.
struct FontSetting {
    static constexpr std::size_t kMaxFaceBytes = 31;

    ByteString Face;
    std::int32_t Height = 0;

    bool IsEmpty() const { return Face.Empty(); }
    friend bool operator==(const FontSetting&, const FontSetting&) = default;
};

// The face cut to kMaxFaceBytes bytes without splitting a character.
ByteString LimitFace(const ByteString& face);

// value * numerator / denominator, rounded half away from zero, computed
// without intermediate overflow; -1 when the denominator is 0.
std::int32_t MulDiv(std::int32_t value, std::int32_t numerator, std::int32_t denominator);

// The stored height of a font of `points` points on a screen of `dpi` dots
// per inch: -(points * dpi / 72), so 9 points at 96 dpi give -12.
inline std::int32_t PointsToHeight(std::int32_t points, std::int32_t dpi) {
    return -MulDiv(points, dpi, 72);
}

// The fonts the platform offers when a setting names none.
enum class StockFont {
    kGui,            // the default font of the user interface (lists, text pane)
    kDeviceDefault,  // the fallback of the print font
};

// The installed fonts, as the settings see them. Implemented by the program
// with the platform's font database; tests give a fixed list.
class FontService {
public:
    virtual ~FontService() = default;

    // The family name of the installed font that `face` (CP932) stands for:
    // the family itself, matched without case, or, for the well-known
    // Japanese faces of other systems, an installed Japanese family of the
    // same style. Nothing when no installed font fits.
    virtual std::optional<ByteString> ResolveFace(const ByteString& face) const = 0;

    // A stock font with its own face and height; its face is never empty.
    virtual FontSetting GetStockFont(StockFont which) const = 0;

    // Logical dots per inch of the screen, for point sizes.
    virtual std::int32_t ScreenDpi() const = 0;
};

}  // namespace tidemark
