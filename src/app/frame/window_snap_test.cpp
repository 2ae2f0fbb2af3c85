#include "app/frame/window_snap.h"

#include <gtest/gtest.h>

namespace {

const QRect kWork(0, 30, 1280, 770);  // a panel of 30 pixels at the top

TEST(WindowSnap, EdgesCloserThanSixteenPixelsSnap) {
    struct Case {
        QPoint moved;
        QPoint expected;
    };
    const Case cases[] = {
        {{10, 200}, {0, 200}},     // 10 from the left edge: snaps
        {{16, 200}, {16, 200}},    // 16 away: stays
        {{-12, 200}, {0, 200}},    // just past the edge snaps back onto it
        {{655, 200}, {655, 200}},  // right edge at 1255, 25 short: stays
        {{670, 200}, {680, 200}},  // right edge 10 short of 1280: snaps
        {{300, 40}, {300, 30}},    // top
        {{300, 330}, {300, 340}},  // bottom edge 790, work area ends at 800
    };
    for (const Case& c : cases) {
        EXPECT_EQ(snappedPosition(QRect(c.moved, QSize(600, 460)), kWork), c.expected)
            << c.moved.x() << "," << c.moved.y();
    }
}

TEST(WindowSnap, TouchedEdgesAreRecordedAndKeptWhenTheWorkAreaChanges) {
    const QRect frame(680, 30, 600, 460);  // top right corner
    const std::uint32_t flags = touchedEdges(frame, kWork);
    EXPECT_EQ(flags, 0x2u | 0x4u);
    const QRect smaller(0, 0, 1024, 740);
    EXPECT_EQ(keepTouchingEdges(frame, smaller, flags), QPoint(424, 0));
    EXPECT_EQ(keepTouchingEdges(QRect(100, 100, 600, 460), smaller, 0), QPoint(100, 100));
}

}  // namespace
