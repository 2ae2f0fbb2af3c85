#include "app/frame/toolbar_bands.h"

#include <gtest/gtest.h>

#include "app/frame/simple_mode.h"
#include "core/settings/settings.h"

namespace {

TEST(ToolbarBands, FirstRunOrderIsStandardMemoNavigation) {
    tidemark::Settings settings;  // the initial values of a first run
    const std::vector<BandPlacement> bands = bandPlacements(settings);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].id, BandId::kStandard);
    EXPECT_EQ(bands[1].id, BandId::kMemo);
    EXPECT_EQ(bands[1].width, 290);
    EXPECT_EQ(bands[2].id, BandId::kNavigation);
    EXPECT_TRUE(bands[0].newRow);
}

TEST(ToolbarBands, SimpleModeShowsOnlyTheSimpleToolbarFirst) {
    tidemark::Settings settings;
    applySimpleModeDefaults(settings);
    const std::vector<BandPlacement> bands = bandPlacements(settings);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].id, BandId::kSimple);
    EXPECT_EQ(bands[0].width, 200);
    EXPECT_TRUE(bands[0].newRow);
    EXPECT_EQ(settings.StandardBand.Position, -1);
    EXPECT_EQ(settings.StandardBand.NewRow, 1u);
    EXPECT_EQ(settings.StartupMode, 3);
    EXPECT_NE(settings.AutoSave, 0u);
    EXPECT_NE(settings.TitleFromFirstLine, 0u);
}

TEST(ToolbarBands, ReadBackNumbersLinesAndHidesBands) {
    tidemark::Settings settings;
    storeBandStates(settings, {{BandId::kStandard, true, 1, 300, 250},
                               {BandId::kNavigation, true, 0, 0, 400},
                               {BandId::kMemo, false, 0, 0, 290},
                               {BandId::kSimple, true, 1, 0, 180}});
    EXPECT_EQ(settings.NavigationBand.Position, 0);
    EXPECT_EQ(settings.NavigationBand.NewRow, 1u);
    EXPECT_EQ(settings.SimpleBand.Position, 1);
    EXPECT_EQ(settings.SimpleBand.NewRow, 1u);
    EXPECT_EQ(settings.SimpleBand.Width, 180);
    EXPECT_EQ(settings.StandardBand.Position, 2);
    EXPECT_EQ(settings.StandardBand.NewRow, 0u);  // beside the simple toolbar
    EXPECT_EQ(settings.MemoBand.Position, -1);
    EXPECT_EQ(settings.MemoBand.NewRow, 1u);
    EXPECT_EQ(settings.MemoBand.Visible, 0u);

    // What was read back is placed again in the same order and lines.
    const std::vector<BandPlacement> bands = bandPlacements(settings);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].id, BandId::kNavigation);
    EXPECT_EQ(bands[1].id, BandId::kSimple);
    EXPECT_TRUE(bands[1].newRow);
    EXPECT_EQ(bands[2].id, BandId::kStandard);
    EXPECT_FALSE(bands[2].newRow);
}

}  // namespace
