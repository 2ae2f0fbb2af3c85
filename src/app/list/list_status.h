#pragma once

#include <QString>

#include "app/context/focus_window.h"
#include "core/model/item_id.h"

namespace tidemark {
class Note;
}

// What the status bar says about the lists: its first field (a picture and
// a text), the place of the memo list's focused item among its siblings
// ("position/count"), and the title of the group holding it.
struct ListStatus {
    enum class Picture { kNone, kNoteItems, kHint, kMemo, kLockedGroup, kGroup };
    Picture picture = Picture::kNone;
    QString text;
    int position = 0;
    int count = 0;
    QString groupTitle;
};

// What the status computation needs to know of the lists.
struct ListStatusInput {
    FocusWindow focus = FocusWindow::kNone;             // the pane that last had the focus
    int selectedCount = 0;                              // selected rows of that list
    tidemark::ItemId selectedItem = tidemark::kNoItem;  // the one when exactly one is
    tidemark::ItemId memoListFocused = tidemark::kNoItem;
};

// The status texts of the lists: with a list as the focus window, what its
// selection is (nothing: the note's item count, or the hint of an empty
// note; several: how many; one memo: its body preview; a group locked shut:
// that it needs the password; a group: its child count); otherwise the
// blank text. The place fields follow the memo list's focused item, or the
// root's children when nothing is focused.
ListStatus listStatusOf(tidemark::Note& note, const ListStatusInput& input);
