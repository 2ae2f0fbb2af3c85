#pragma once

#include "core/model/item_id.h"

// How the item commands tell the panes what changed in the note. The views
// never observe the note: after each change the command names exactly the
// rows affected. MemoList (with GroupContentList and the text pane) answers
// these; tests use a recording fake.
class ItemViewUpdater {
public:
    virtual ~ItemViewUpdater() = default;

    // Stores every edit pending in the window (a title edit box, a title
    // typed into the path box, the open memo's text); the memo stays open.
    virtual void commitEdits() = 0;
    // The memo open in the text pane; 0 when none.
    virtual tidemark::ItemId openMemo() const = 0;
    // Closes the open memo (its text already stored): no memo open, the
    // path box empty, the text pane showing its hint.
    virtual void closeOpenMemo() = 0;

    // A new row for `item`, which is already linked into the tree: in the
    // memo list (its parent row expanded), and in the group list when that
    // list shows its parent. Selections are cleared first.
    virtual void itemInserted(tidemark::ItemId item) = 0;
    // The item's row shows new attributes (both lists; with `subtree` the
    // rows below it too, for an inherited background colour).
    virtual void itemChanged(tidemark::ItemId item, bool subtree = false) = 0;
    // Called before `item` and its subtree leave the tree: their rows go.
    virtual void itemRemoving(tidemark::ItemId item) = 0;
    // The children of `group` were reordered: their rows are rebuilt (the
    // whole list for the root), the focused item revealed and selected again.
    virtual void childrenReordered(tidemark::ItemId group) = 0;
    // After a deletion: the focus may have gone or moved to another group.
    virtual void afterRemoval() = 0;

    // The new item is placed; reveal it and begin editing: with
    // `bodyFirst` open the memo in the text pane and focus it, else start
    // editing its title in the list that had the focus.
    virtual void beginEditingNew(tidemark::ItemId item, bool bodyFirst) = 0;
    // The open memo's wrapping or colours changed: the text pane follows.
    virtual void memoPaneChanged() = 0;
    // The note's colours or remarks caption changed.
    virtual void noteViewChanged() = 0;
};
