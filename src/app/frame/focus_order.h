#pragma once

#include "app/context/focus_window.h"
#include "app/frame/pane_layout.h"

struct FocusContext {
    PaneLayout layout = PaneLayout::kSideBySide;
    bool pathBoxVisible = true;  // the navigation toolbar is shown
    bool memoShown = false;      // the text pane holds a memo
    bool hideEditor = false;     // the hide-editor setting
};

// The pane the focus moves to from `from`; kNone when the step does nothing.
// In the text pane only Ctrl+Tab gets here (a plain Tab is typed).
FocusWindow nextFocusWindow(FocusWindow from, bool forward, const FocusContext& context);
