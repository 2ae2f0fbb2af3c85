#pragma once

#include "app/context/edit_focus.h"

class MainWindow;

// Where the keyboard focus of `window` is, for the edit commands.
EditFocus editFocusOf(const MainWindow& window);
