#pragma once

#include <vector>

#include "core/model/item_id.h"

// What the item commands ask the panes about focus and selection.
class SelectionSource {
public:
    virtual ~SelectionSource() = default;

    // The focused item of MemoList; 0 when none.
    virtual tidemark::ItemId memoListFocused() const = 0;
    // GroupContentList is the FocusWindow (the list that last had the focus).
    virtual bool groupListIsFocusWindow() const = 0;
    // The focused item of GroupContentList; 0 when it lists nothing.
    virtual tidemark::ItemId groupListFocused() const = 0;
    // The selected items of the FocusWindow list, in list order.
    virtual std::vector<tidemark::ItemId> selectedItems() const = 0;
    // The items attribute commands change, in list order: the open memo in
    // the alternate layout, else the selected rows of GroupContentList when
    // it is the FocusWindow (none when none is selected there), else those
    // of MemoList.
    virtual std::vector<tidemark::ItemId> targets() const = 0;
};
