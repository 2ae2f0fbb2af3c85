#pragma once

#include "app/context/edit_focus.h"

class MainWindow;

// Where the keyboard focus of `window` is, for the edit commands: the
// widget that has it, or gets it back when the window is active again.
EditFocus editFocusOf(const MainWindow& window);
