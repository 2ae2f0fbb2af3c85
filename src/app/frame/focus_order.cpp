#include "app/frame/focus_order.h"

namespace {

// The second pane: the text pane when it holds a memo, else the group list
// unless the hide-editor setting leaves no second pane.
FocusPane secondPane(const FocusContext& c) {
    if (c.memoShown)
        return FocusPane::kMemoText;
    return c.hideEditor ? FocusPane::kNone : FocusPane::kGroupList;
}

FocusPane pathBox(const FocusContext& c) {
    return c.pathBoxVisible ? FocusPane::kPathBox : FocusPane::kNone;
}

FocusPane either(FocusPane first, FocusPane second) {
    return first != FocusPane::kNone ? first : second;
}

}  // namespace

FocusPane nextFocusPane(FocusPane from, bool forward, const FocusContext& c) {
    if (c.layout == PaneLayout::kAlternate) {
        switch (from) {
            case FocusPane::kPathBox:
                return c.memoShown ? FocusPane::kMemoText : FocusPane::kMemoList;
            case FocusPane::kMemoList:
                return pathBox(c);
            case FocusPane::kGroupList:
            case FocusPane::kMemoText:
                return forward ? either(pathBox(c), FocusPane::kMemoList) : pathBox(c);
            case FocusPane::kNone:
                return FocusPane::kNone;
        }
        return FocusPane::kNone;
    }
    switch (from) {
        case FocusPane::kPathBox:
            return forward ? FocusPane::kMemoList : either(secondPane(c), FocusPane::kMemoList);
        case FocusPane::kMemoList:
            return forward ? either(secondPane(c), pathBox(c)) : either(pathBox(c), secondPane(c));
        case FocusPane::kGroupList:
        case FocusPane::kMemoText:
            return forward ? either(pathBox(c), FocusPane::kMemoList) : FocusPane::kMemoList;
        case FocusPane::kNone:
            return FocusPane::kNone;
    }
    return FocusPane::kNone;
}
