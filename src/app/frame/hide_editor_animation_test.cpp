#include "app/frame/hide_editor_animation.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {

TEST(HideEditorAnimation, StepsAreTheWholeDistanceOrAQuarterOfIt) {
    // Area 400 high, bar 3: full extent 403; splitter at 203.
    EXPECT_EQ(nextHideEditorExtent(203, true, 403, 203, false), 403);
    EXPECT_EQ(nextHideEditorExtent(403, false, 403, 203, false), 203);
    EXPECT_EQ(nextHideEditorExtent(203, true, 403, 203, true), 253);
    EXPECT_EQ(nextHideEditorExtent(393, true, 403, 203, true), 403);  // no overshoot
    EXPECT_EQ(nextHideEditorExtent(250, false, 403, 203, true), 203);
    EXPECT_EQ(nextHideEditorExtent(5, true, 7, 5, true), 6);  // at least one pixel
}

TEST(HideEditorAnimation, SlowCollapseTakesFourTicksOfAHundredMilliseconds) {
    HideEditorAnimation animation;
    QSignalSpy steps(&animation, &HideEditorAnimation::stepped);
    QSignalSpy done(&animation, &HideEditorAnimation::finished);
    animation.run(true, 203, 403, 203, true);
    EXPECT_EQ(animation.extent(), 203);
    ASSERT_TRUE(done.wait(2000));
    EXPECT_EQ(steps.count(), 3);
    EXPECT_TRUE(done.first().at(0).toBool());
    EXPECT_FALSE(animation.isRunning());
    EXPECT_FALSE(animation.extent().has_value());
}

}  // namespace
