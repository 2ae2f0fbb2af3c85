#pragma once

// The pane of a main window that last had the keyboard focus among the
// lists, the text pane and the path box: the one the edit commands act on,
// the one the status bar speaks of, and where Tab moves on from.
enum class FocusWindow { kNone, kPathBox, kMemoList, kGroupList, kMemoText };
