#pragma once

#include <vector>

namespace tidemark {
class Settings;
struct ToolbarBand;
}  // namespace tidemark

// The four toolbars by their band identifiers (the menu bar's band is 5 and
// always comes first, on a line of its own).
enum class BandId { kStandard = 1, kNavigation = 2, kMemo = 3, kSimple = 4 };
inline constexpr BandId kAllBands[] = {BandId::kStandard, BandId::kNavigation, BandId::kMemo,
                                       BandId::kSimple};

tidemark::ToolbarBand& bandRecord(tidemark::Settings& settings, BandId id);
const tidemark::ToolbarBand& bandRecord(const tidemark::Settings& settings, BandId id);

// One toolbar as the window places it.
struct BandPlacement {
    BandId id;
    int width;    // 0: the toolbar's own width
    bool newRow;  // starts a new line of bands
};

// The visible toolbars in their saved order (bands never placed after the
// placed ones, in identifier order). The first always starts a line.
std::vector<BandPlacement> bandPlacements(const tidemark::Settings& settings);

// One toolbar as the user left it.
struct BandState {
    BandId id;
    bool visible;
    int row;  // line of bands, from the top
    int x;    // left edge within its line
    int width;
};

// Reads the toolbars back into the band records: the visible ones numbered
// in line and left-to-right order, each marked as starting a line when it
// is the first of its line; a hidden one gets position -1 and starts a line.
void storeBandStates(tidemark::Settings& settings, std::vector<BandState> states);
