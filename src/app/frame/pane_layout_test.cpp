#include "app/frame/pane_layout.h"

#include <gtest/gtest.h>

#include "app/frame/splitter_drag.h"

namespace {

PaneLayoutInput stacked(int splitter) {
    PaneLayoutInput in;
    in.area = QSize(600, 400);
    in.layout = PaneLayout::kStacked;
    in.splitter = splitter;
    in.bar = 3;
    return in;
}

TEST(PaneLayout, SplitterOutOfBoundsIsResetToHalfTheArea) {
    struct Case {
        int splitter;
        int expected;
        bool reset;
    };
    const Case cases[] = {
        {5, 200, true},                     // 5 - 3 < 8
        {10, 200, true},                    // 10 - 3 < 8
        {11, 11, false},                    // 11 - 3 = 8: still allowed
        {392, 392, false},                  // 400 - 8
        {393, 200, true},  {0, 200, true},  // a note that never stored one
    };
    for (const Case& c : cases) {
        const PaneGeometry g = computePaneGeometry(stacked(c.splitter));
        EXPECT_EQ(g.splitter, c.expected) << c.splitter;
        EXPECT_EQ(g.splitterReset, c.reset) << c.splitter;
    }
}

TEST(PaneLayout, StackedPutsTheListAboveTheBarAndTheSecondPaneBelow) {
    PaneLayoutInput in = stacked(150);
    PaneGeometry g = computePaneGeometry(in);
    EXPECT_EQ(g.memoList, QRect(0, 0, 600, 147));
    EXPECT_EQ(g.memoText, QRect(0, 150, 600, 250));
    EXPECT_TRUE(g.groupList.isNull());

    in.focusedIsGroup = true;
    g = computePaneGeometry(in);
    EXPECT_EQ(g.groupList, QRect(0, 150, 600, 250));
    EXPECT_TRUE(g.memoText.isNull());
}

TEST(PaneLayout, SideBySideUsesTheWidth) {
    PaneLayoutInput in = stacked(250);
    in.layout = PaneLayout::kSideBySide;
    const PaneGeometry g = computePaneGeometry(in);
    EXPECT_EQ(g.memoList, QRect(0, 0, 247, 400));
    EXPECT_EQ(g.memoText, QRect(250, 0, 350, 400));
    // 595 > 600 - 8 resets to half the width, not half the height.
    in.splitter = 595;
    EXPECT_EQ(computePaneGeometry(in).splitter, 300);
}

TEST(PaneLayout, AlternateShowsOnePane) {
    PaneLayoutInput in = stacked(150);
    in.layout = PaneLayout::kAlternate;
    PaneGeometry g = computePaneGeometry(in);
    EXPECT_EQ(g.memoList, QRect(0, 0, 600, 400));
    EXPECT_TRUE(g.memoText.isNull());
    in.memoShown = true;
    g = computePaneGeometry(in);
    EXPECT_EQ(g.memoText, QRect(0, 0, 600, 400));
    EXPECT_TRUE(g.memoList.isNull());
    EXPECT_FALSE(g.splitterReset);  // the alternate layout never touches the splitter
}

TEST(PaneLayout, HiddenEditorLetsTheListCoverTheAreaAndAnimationMovesTheEdge) {
    PaneLayoutInput in = stacked(150);
    in.listCoversArea = true;
    in.focusedIsGroup = true;
    PaneGeometry g = computePaneGeometry(in);
    EXPECT_EQ(g.memoList, QRect(0, 0, 600, 400));
    EXPECT_TRUE(g.memoText.isNull() && g.groupList.isNull());
    EXPECT_EQ(g.fullExtent, 403);

    in.animatedExtent = 300;  // half-way: the text pane, never the group list, below
    g = computePaneGeometry(in);
    EXPECT_EQ(g.memoList, QRect(0, 0, 600, 297));
    EXPECT_EQ(g.memoText, QRect(0, 300, 600, 100));
    EXPECT_TRUE(g.groupList.isNull());
}

TEST(SplitterDrag, HoverBandIsTheBarBeforeThePosition) {
    EXPECT_FALSE(SplitterDrag::isOverBar(146, 150, 3));
    EXPECT_TRUE(SplitterDrag::isOverBar(147, 150, 3));
    EXPECT_TRUE(SplitterDrag::isOverBar(149, 150, 3));
    EXPECT_FALSE(SplitterDrag::isOverBar(150, 150, 3));
}

TEST(SplitterDrag, StopsEightPixelsFromTheStartAndEightPlusTheBarFromTheEnd) {
    struct Case {
        int release;
        int position;
    };
    // Grabbed one pixel into the bar of a splitter at 150 in an area 400 long.
    const Case cases[] = {{248, 250}, {-50, 11}, {0, 11}, {1000, 392}, {391, 392}, {389, 391}};
    for (const Case& c : cases) {
        SplitterDrag drag;
        drag.begin(148, 150, 3);
        EXPECT_EQ(drag.finish(c.release, 400), c.position) << c.release;
        EXPECT_FALSE(drag.isActive());
    }
    SplitterDrag drag;
    drag.begin(148, 150, 3);
    EXPECT_EQ(drag.barStart(1000, 400), 400 - 3 - 8);
}

}  // namespace
