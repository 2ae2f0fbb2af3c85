#pragma once

#include "app/context/item_view_updater.h"
#include "app/frame/list_panes_part.h"

// How the lists and the text pane follow what the item commands changed:
// the rows named by each change, the open memo, the pending edits.
class ListRowUpdates : public ItemViewUpdater, private ListPanesPart {
public:
    explicit ListRowUpdates(ListPanes& lists) : ListPanesPart(lists) {}

    void commitEdits() override;
    tidemark::ItemId openMemo() const override;
    void closeOpenMemo() override;
    void itemInserted(tidemark::ItemId item) override;
    void itemChanged(tidemark::ItemId item, bool subtree = false) override;
    void itemRemoving(tidemark::ItemId item) override;
    void childrenReordered(tidemark::ItemId group) override;
    void afterRemoval() override;
    void beginEditingNew(tidemark::ItemId item, bool bodyFirst) override;
    void memoPaneChanged() override;
    void noteViewChanged() override;
};
