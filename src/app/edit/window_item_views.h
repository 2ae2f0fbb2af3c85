#pragma once

#include "app/edit/item_view_updater.h"
#include "app/edit/selection_source.h"

class Application;
class CommandActions;

// The item commands' view of the main window's panes: focus and selection
// from the lists, row updates to them, the open memo in the text pane.
class WindowItemViews : public SelectionSource, public ItemViewUpdater {
public:
    explicit WindowItemViews(Application& app) : m_app(app) {}

    // SelectionSource
    tidemark::ItemId memoListFocused() const override;
    bool groupListIsFocusWindow() const override;
    tidemark::ItemId groupListFocused() const override;
    std::vector<tidemark::ItemId> selectedItems() const override;
    std::vector<tidemark::ItemId> targets() const override;

    // ItemViewUpdater
    void commitEdits() override;
    tidemark::ItemId openMemo() const override;
    void closeOpenMemo() override;
    void itemInserted(tidemark::ItemId item) override;
    void itemChanged(tidemark::ItemId item, bool subtree) override;
    void itemRemoving(tidemark::ItemId item) override;
    void childrenReordered(tidemark::ItemId group) override;
    void afterRemoval() override;
    void beginEditingNew(tidemark::ItemId item, bool bodyFirst) override;
    void memoPaneChanged() override;
    void noteViewChanged() override;

private:
    Application& m_app;
};

// Makes the item commands of the application's main window (owned by the
// window) and registers them with `actions`.
void installItemCommands(Application& app, CommandActions& actions);
