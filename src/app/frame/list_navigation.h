#pragma once

#include "app/frame/list_panes_part.h"

#include <vector>

class CommandActions;
class MemoRowsView;

// Moving through the tree in the lists: opening and closing groups (asking
// for a locked group's password), revealing an item, Enter and double
// clicks, the arrow keys sideways, and the commands to the previous or next
// memo and up one group.
class ListNavigation : private ListPanesPart {
public:
    explicit ListNavigation(ListPanes& lists) : ListPanesPart(lists) {}

    // Up one group, previous memo, next memo.
    void registerCommands(CommandActions& actions);

    // Opens or closes a memo group; false when nothing changed.
    bool toggleExpansion(tidemark::ItemId group);
    // Expands the item's collapsed ancestors and puts the memo list's focus
    // on its row (selected alone with `exclusive`). False when the item lies
    // in a group locked shut, or an ancestor stayed closed.
    bool revealAndSelect(tidemark::ItemId item, bool exclusive);
    // The same in the group list: the item's group revealed and focused in
    // the memo list first when the group list does not show the item.
    bool revealInGroupList(tidemark::ItemId item, bool exclusive);
    // Rows a paste or drop placed, shown in the list it was for: selected
    // alone, the focus on the last. The group list keeps the group it shows
    // when that group holds them; the memo list takes rows the group list
    // cannot show. The list that shows them; nullptr when none can.
    MemoRowsView* showPlaced(bool inGroupList, const std::vector<tidemark::ItemId>& rows);
    // Enter or a double click in the memo list, or in the group list.
    void activateInMemoList(bool byKey);
    void activateInGroupList();
    // Left and right in the memo list: close or open a group, or go to the
    // parent or the first child.
    void sidewaysKey(bool right);
    void stepToMemo(bool forward);
    void upOneGroup();
    // The memo the previous or next memo command goes to; 0 when none.
    tidemark::ItemId memoStep(bool forward) const;
};
