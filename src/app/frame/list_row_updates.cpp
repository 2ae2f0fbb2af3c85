#include "app/frame/list_row_updates.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/path_box_filler.h"
#include "app/frame/title_renaming.h"
#include "app/list/group_content_list.h"
#include "app/list/list_row_painter.h"
#include "app/list/memo_columns.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::Item;
using tidemark::ItemId;
using tidemark::kNoItem;
using tidemark::Note;
using namespace tidemark;  // the command identifiers

void ListRowUpdates::commitEdits() {
    m_memoList.commitTitleEdit();
    m_groupList.commitTitleEdit();
    // A title typed into the path box and not yet confirmed renames as
    // leaving the box would.
    m_lists.renaming().commitPathBox();
    m_text.commitEdits();
}

ItemId ListRowUpdates::openMemo() const {
    return m_text.openMemo();
}

void ListRowUpdates::closeOpenMemo() {
    closeMemo();
    fillPathBox(m_pathBox, note(), kNoItem);
}

void ListRowUpdates::itemInserted(ItemId id) {
    Note& shown = note();
    const Item* item = shown.FindItem(id);
    if (!item)
        return;
    m_memoList.clearSelection();
    NoteTreeModel* tree = m_memoList.treeModel();
    const ItemId parent = item->links.parent;
    const Item* parentItem = shown.FindItem(parent);
    if (parent != shown.RootId() && parentItem) {
        if (!parentItem->IsOpen()) {
            toggleExpansion(parent);  // brings the new row with the others
        } else if (!tree->showsChildren(parent)) {
            m_memoList.groupOpenChanged(parent);
        } else {
            tree->itemsInserted(id);
        }
    } else {
        tree->itemsInserted(id);
    }
    if (m_groupList.contentModel()->group() == parent) {
        m_groupList.clearSelection();
        m_groupList.contentModel()->itemsInserted(id);
    }
    scheduleStatus();
}

void ListRowUpdates::itemChanged(ItemId id, bool subtree) {
    m_memoList.treeModel()->itemChanged(id);
    m_groupList.contentModel()->itemChanged(id);
    if (subtree || id == m_groupList.contentModel()->group()) {
        m_memoList.viewport()->update();
        m_groupList.viewport()->update();
    }
    refreshPathBox();
    scheduleStatus();
}

void ListRowUpdates::itemRemoving(ItemId id) {
    Note& shown = note();
    const ItemId open = m_text.openMemo();
    if (open != kNoItem && (open == id || shown.IsDescendantOf(open, id)))
        closeMemo();
    GroupContentModel* content = m_groupList.contentModel();
    const ItemId listed = content->group();
    if (listed != kNoItem && (listed == id || shown.IsDescendantOf(listed, id))) {
        m_groupList.showGroup(kNoItem);
    } else {
        content->removeItems(id, 1, {});
    }
    m_memoList.removeItems(id, 1, {});
}

void ListRowUpdates::childrenReordered(ItemId group) {
    m_memoList.treeModel()->childrenReordered(group);
    const ItemId listed = m_groupList.contentModel()->group();
    if (listed == group || note().IsDescendantOf(listed, group))
        m_groupList.contentModel()->childrenReordered();
    const ItemId focused = m_memoList.focusedItem();
    if (focused != kNoItem)
        revealAndSelect(focused, true);
    scheduleStatus();
}

void ListRowUpdates::afterRemoval() {
    const ItemId focused = m_memoList.focusedItem();
    const Item* item = note().FindItem(focused);
    if (!item) {
        closeOpenMemo();
        m_window.panes()->setFocusedItemKind(false, false);
        m_groupList.showGroup(kNoItem);
    } else if (item->IsGroup() && m_groupList.contentModel()->group() != focused) {
        refillGroupList();
    }
    if (!m_app.noteHasItems())
        refillMemoList();
    scheduleStatus();
}

void ListRowUpdates::beginEditingNew(ItemId id, bool bodyFirst) {
    const Item* item = note().FindItem(id);
    if (!item)
        return;
    if (bodyFirst && item->IsMemo()) {
        revealAndSelect(id, true);
        if (m_text.openMemo() != id)
            showMemo(id);
        m_window.panes()->relayout();
        m_text.setFocus();
        return;
    }
    const Item* focused = note().FindItem(m_memoList.focusedItem());
    if (focused && focused->IsGroup() && m_lists.focusWindow() == FocusWindow::kGroupList) {
        if (!m_groupList.focusItem(id, true)) {
            revealAndSelect(item->links.parent, true);
            m_groupList.focusItem(id, true);
        }
        m_groupList.setFocus();
        m_groupList.editFocusedTitle();
        return;
    }
    m_memoList.setFocus();
    revealAndSelect(id, true);
    m_memoList.editFocusedTitle();
}

void ListRowUpdates::memoPaneChanged() {
    m_text.applyWordWrap();
    m_text.setColoursFor(note(), m_memoList.focusedItem());
}

void ListRowUpdates::noteViewChanged() {
    const tidemark::NoteViewSettings& view = note().View();
    for (MemoRowsView* list :
         {static_cast<MemoRowsView*>(&m_memoList), static_cast<MemoRowsView*>(&m_groupList)}) {
        applyNoteColours(*list, view.textColour, view.backgroundColour);
        list->rowsModel()->captionsChanged();
        list->viewport()->update();
    }
    m_text.setColoursFor(note(), m_memoList.focusedItem());
}
