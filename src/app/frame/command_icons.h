#pragma once

#include <QIcon>

#include "app/common/command_table.h"

// The picture of a command's toolbar button (drawn for us as SVG, legible at
// 16 and 32 pixels); a null icon for a command that has none.
QIcon commandIcon(CommandId id);

// The window's icons: plain, and with the mark of a note changed since it
// was saved.
QIcon programIcon(bool modified);

// Small pictures of the status bar's first part.
enum class StatusIcon {
    kNone,
    kNoteItems,     // how many items the note has
    kHint,          // what to do next, and where a drag of items drops into a group
    kLink,          // the link under the mouse
    kFailure,       // a command that could not do its work
    kTextFilesOnly  // a drag of files over a place that takes text files only
};
QIcon statusIcon(StatusIcon icon);

// Makes the icons of the static library reachable (call once, before the
// first icon is asked for).
void initResources();
