#include "app/frame/focus_order.h"

namespace {

// The second pane: the text pane when it holds a memo, else the group list
// unless the hide-editor setting leaves no second pane.
FocusWindow secondPane(const FocusContext& c) {
    if (c.memoShown)
        return FocusWindow::kMemoText;
    return c.hideEditor ? FocusWindow::kNone : FocusWindow::kGroupList;
}

FocusWindow pathBox(const FocusContext& c) {
    return c.pathBoxVisible ? FocusWindow::kPathBox : FocusWindow::kNone;
}

FocusWindow either(FocusWindow first, FocusWindow second) {
    return first != FocusWindow::kNone ? first : second;
}

}  // namespace

FocusWindow nextFocusWindow(FocusWindow from, bool forward, const FocusContext& c) {
    if (c.layout == PaneLayout::kAlternate) {
        switch (from) {
            case FocusWindow::kPathBox:
                return c.memoShown ? FocusWindow::kMemoText : FocusWindow::kMemoList;
            case FocusWindow::kMemoList:
                return pathBox(c);
            case FocusWindow::kGroupList:
            case FocusWindow::kMemoText:
                return forward ? either(pathBox(c), FocusWindow::kMemoList) : pathBox(c);
            case FocusWindow::kNone:
                return FocusWindow::kNone;
        }
        return FocusWindow::kNone;
    }
    switch (from) {
        case FocusWindow::kPathBox:
            return forward ? FocusWindow::kMemoList : either(secondPane(c), FocusWindow::kMemoList);
        case FocusWindow::kMemoList:
            return forward ? either(secondPane(c), pathBox(c)) : either(pathBox(c), secondPane(c));
        case FocusWindow::kGroupList:
        case FocusWindow::kMemoText:
            return forward ? either(pathBox(c), FocusWindow::kMemoList) : FocusWindow::kMemoList;
        case FocusWindow::kNone:
            return FocusWindow::kNone;
    }
    return FocusWindow::kNone;
}
