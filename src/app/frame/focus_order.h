#pragma once

#include "app/frame/pane_layout.h"

// The children of the main window that Tab and Shift+Tab move between.
enum class FocusPane { kNone, kPathBox, kMemoList, kGroupList, kMemoText };

struct FocusContext {
    PaneLayout layout = PaneLayout::kSideBySide;
    bool pathBoxVisible = true;  // the navigation toolbar is shown
    bool memoShown = false;      // the text pane holds a memo
    bool hideEditor = false;     // the hide-editor setting
};

// The pane the focus moves to from `from`; kNone when the step does nothing.
// In the text pane only Ctrl+Tab gets here (a plain Tab is typed).
FocusPane nextFocusPane(FocusPane from, bool forward, const FocusContext& context);
