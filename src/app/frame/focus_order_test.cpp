#include "app/frame/focus_order.h"

#include <gtest/gtest.h>

namespace {

using F = FocusWindow;

struct Case {
    PaneLayout layout;
    bool pathBox;
    bool memoShown;
    bool hideEditor;
    F from;
    F forward;
    F backward;
};

TEST(FocusOrder, TabAndShiftTabFollowTheTable) {
    const PaneLayout alt = PaneLayout::kAlternate;
    const PaneLayout st = PaneLayout::kStacked;
    const PaneLayout sbs = PaneLayout::kSideBySide;
    const Case cases[] = {
        {alt, true, true, false, F::kPathBox, F::kMemoText, F::kMemoText},
        {alt, true, false, false, F::kPathBox, F::kMemoList, F::kMemoList},
        {alt, true, false, false, F::kMemoList, F::kPathBox, F::kPathBox},
        {alt, true, true, false, F::kMemoText, F::kPathBox, F::kPathBox},
        {alt, false, false, false, F::kMemoList, F::kNone, F::kNone},
        {alt, false, true, false, F::kMemoText, F::kMemoList, F::kNone},
        {st, true, true, false, F::kPathBox, F::kMemoList, F::kMemoText},
        {st, true, false, false, F::kPathBox, F::kMemoList, F::kGroupList},
        {st, true, false, true, F::kPathBox, F::kMemoList, F::kMemoList},
        {sbs, true, true, false, F::kMemoList, F::kMemoText, F::kPathBox},
        {sbs, true, false, true, F::kMemoList, F::kPathBox, F::kPathBox},
        {sbs, false, false, false, F::kMemoList, F::kGroupList, F::kGroupList},
        {sbs, false, false, true, F::kMemoList, F::kNone, F::kNone},
        {st, true, false, false, F::kGroupList, F::kPathBox, F::kMemoList},
        {st, false, false, false, F::kGroupList, F::kMemoList, F::kMemoList},
        {sbs, true, true, false, F::kMemoText, F::kPathBox, F::kMemoList},
        {sbs, false, true, false, F::kMemoText, F::kMemoList, F::kMemoList},
    };
    for (const Case& c : cases) {
        const FocusContext context{c.layout, c.pathBox, c.memoShown, c.hideEditor};
        EXPECT_EQ(nextFocusWindow(c.from, true, context), c.forward)
            << int(c.layout) << " from " << int(c.from);
        EXPECT_EQ(nextFocusWindow(c.from, false, context), c.backward)
            << int(c.layout) << " from " << int(c.from);
    }
}

}  // namespace
