#include "app/frame/toolbar_bands.h"

#include <algorithm>

#include "core/settings/settings.h"

tidemark::ToolbarBand& bandRecord(tidemark::Settings& settings, BandId id) {
    switch (id) {
        case BandId::kStandard:
            return settings.StandardBand;
        case BandId::kNavigation:
            return settings.NavigationBand;
        case BandId::kMemo:
            return settings.MemoBand;
        case BandId::kSimple:
            break;
    }
    return settings.SimpleBand;
}

const tidemark::ToolbarBand& bandRecord(const tidemark::Settings& settings, BandId id) {
    return bandRecord(const_cast<tidemark::Settings&>(settings), id);
}

std::vector<BandPlacement> bandPlacements(const tidemark::Settings& settings) {
    struct Entry {
        BandId id;
        const tidemark::ToolbarBand* band;
    };
    std::vector<Entry> visible;
    for (BandId id : kAllBands) {
        const tidemark::ToolbarBand& band = bandRecord(settings, id);
        if (band.Visible)
            visible.push_back({id, &band});
    }
    std::stable_sort(visible.begin(), visible.end(), [](const Entry& a, const Entry& b) {
        const bool aPlaced = a.band->Position >= 0;
        const bool bPlaced = b.band->Position >= 0;
        if (aPlaced != bPlaced)
            return aPlaced;
        return aPlaced && a.band->Position < b.band->Position;
    });
    std::vector<BandPlacement> placements;
    for (const Entry& e : visible) {
        placements.push_back(
            {e.id, std::max(0, e.band->Width), placements.empty() || e.band->NewRow != 0});
    }
    return placements;
}

void storeBandStates(tidemark::Settings& settings, std::vector<BandState> states) {
    std::stable_sort(states.begin(), states.end(), [](const BandState& a, const BandState& b) {
        if (a.visible != b.visible)
            return a.visible;
        return a.row != b.row ? a.row < b.row : a.x < b.x;
    });
    int position = 0;
    int lastRow = -1;
    for (const BandState& state : states) {
        tidemark::ToolbarBand& band = bandRecord(settings, state.id);
        band.Visible = state.visible ? 1 : 0;
        if (!state.visible) {
            band.Position = -1;
            band.NewRow = 1;
            continue;
        }
        band.Position = position++;
        band.Width = state.width;
        band.NewRow = (band.Position == 0 || state.row != lastRow) ? 1 : 0;
        lastRow = state.row;
    }
}
