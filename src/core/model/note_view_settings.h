#pragma once

#include <array>
#include <cstdint>

#include "core/common/byte_string.h"
#include "core/common/colour.h"
#include "core/model/item_id.h"

namespace tidemark {

// Per-note view state stored in the note file's header: where the window
// was, how the panes and columns were laid out, the note's colours.
struct NoteViewSettings {
    std::int32_t windowLeft = 0;
    std::int32_t windowTop = 0;
    std::int32_t windowWidth = 0;   // used only when > 0
    std::int32_t windowHeight = 0;  // used only when > 0
    std::uint32_t maximized = 0;
    std::int32_t titleColumnWidth = 290;
    std::int32_t modifiedColumnWidth = 120;
    std::uint32_t layout = 2;
    std::int32_t splitter = 0;
    std::array<Colour, 16> customColours = MakeWhiteColours();
    Colour textColour = 0x000000;
    Colour backgroundColour = 0xE8FFFF;  // pale yellow
    std::int32_t bodyColumnWidth = 200;
    ByteString remarksCaption;  // empty: the standard caption
    std::int32_t remarksColumnWidth = 120;
    std::uint32_t windowFlags = 0;
    std::array<ItemId, 10> recentMemos{};  // newest first, 0 = empty slot

    // Window flags: the window touched these edges of the work area, or stays on top.
    static constexpr std::uint32_t kTouchesLeft = 0x1;
    static constexpr std::uint32_t kTouchesRight = 0x2;
    static constexpr std::uint32_t kTouchesTop = 0x4;
    static constexpr std::uint32_t kTouchesBottom = 0x8;
    static constexpr std::uint32_t kAlwaysOnTop = 0x80000000;

private:
    static constexpr std::array<Colour, 16> MakeWhiteColours() {
        std::array<Colour, 16> colours{};
        for (auto& c : colours) c = 0xFFFFFF;
        return colours;
    }
};

}  // namespace tidemark
