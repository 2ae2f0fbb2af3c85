// Installations older than "tmk.conf1.0" kept six settings in values of their
// own. They are read once, when the record is missing, and left in place.

#include <algorithm>
#include <array>

#include "core/common/little_endian.h"
#include "core/settings/settings.h"
#include "core/settings/settings_format.h"
#include "core/settings/value_names.h"

namespace tidemark {
namespace {

// The value's first `size` bytes, zero-padded when it is shorter.
template <std::size_t size>
std::optional<std::array<std::uint8_t, size>> QueryFixed(const ValueStore& store,
                                                         std::string_view name) {
    std::optional<std::vector<std::uint8_t>> value = store.QueryBinary(name);
    if (!value)
        return std::nullopt;
    std::array<std::uint8_t, size> bytes{};
    std::copy_n(value->begin(), std::min(value->size(), size), bytes.begin());
    return bytes;
}

std::uint32_t QueryU32(const ValueStore& store, std::string_view name, std::uint32_t missing) {
    std::optional<std::array<std::uint8_t, 4>> bytes = QueryFixed<4>(store, name);
    return bytes ? LoadU32(bytes->data()) : missing;
}

FontSetting QueryLegacyFont(const ValueStore& store, std::string_view name) {
    namespace L = LegacyFontFormat;
    std::optional<std::array<std::uint8_t, L::kSize>> record = QueryFixed<L::kSize>(store, name);
    if (!record)
        return FontSetting{};
    const std::uint8_t* face = record->data() + L::kFace;
    const std::uint8_t* faceEnd = std::find(face, face + L::kFaceSize - 1, std::uint8_t{0});
    return FontSetting{ByteString(face, static_cast<std::size_t>(faceEnd - face)),
                       static_cast<std::int32_t>(LoadU32(record->data() + L::kHeight))};
}

}  // namespace

// Every field not named here keeps the initial value of a new record.
void Settings::ReadLegacyValues(const ValueStore& store) {
    ListFont = QueryLegacyFont(store, ValueName::kLegacyTreeFont);
    EditFont = QueryLegacyFont(store, ValueName::kLegacyEditFont);
    TabWidth = static_cast<std::int32_t>(QueryU32(store, ValueName::kLegacyEditTab, 0));
    ShowStatusBar = QueryU32(store, ValueName::kLegacyStatusBar, 1);
    ShowGridLines = QueryU32(store, ValueName::kLegacyGridLines, 0);
    DragPopup = QueryU32(store, ValueName::kLegacyDragPopup, 1);
}

}  // namespace tidemark
