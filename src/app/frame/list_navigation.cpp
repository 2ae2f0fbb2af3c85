#include "app/frame/list_navigation.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/group_content_list.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::Item;
using tidemark::ItemId;
using tidemark::kNoItem;
using tidemark::Note;
using namespace tidemark;  // the command identifiers

#include "core/model/group_lock_commands.h"

void ListNavigation::registerCommands(CommandActions& actions) {
    actions.setHandler(
        kCmdParentGroup, [this] { upOneGroup(); },
        [this] {
            const Item* item = note().FindItem(m_memoList.focusedItem());
            return CommandState{item && item->links.parent != note().RootId() &&
                                item->links.parent != kNoItem};
        });
    actions.setHandler(
        kCmdPreviousMemo, [this] { stepToMemo(false); },
        [this] { return CommandState{memoStep(false) != kNoItem}; });
    actions.setHandler(
        kCmdNextMemo, [this] { stepToMemo(true); },
        [this] { return CommandState{memoStep(true) != kNoItem}; });
}

bool ListNavigation::toggleExpansion(ItemId group) {
    Note& shown = note();
    const Item* item = shown.FindItem(group);
    if (!item || !item->IsGroup() || group == shown.RootId())
        return false;
    // The text pane's edits reach the memo before its group is encrypted.
    const ItemId open = m_text.openMemo();
    if (item->IsLockedGroup() && item->IsOpen() && open != kNoItem &&
        shown.IsDescendantOf(open, group)) {
        closeMemo();
    } else {
        m_text.commitEdits();
    }
    if (tidemark::ToggleGroupOpen(shown, group, m_lists.lockDialogs()) !=
        tidemark::LockCommandResult::kDone) {
        return false;
    }
    m_memoList.groupOpenChanged(group);
    if (m_memoList.focusedItem() == group) {
        refillGroupList();
    } else {
        m_groupList.contentModel()->itemChanged(group);
    }
    refreshPathBox();
    scheduleStatus();
    return true;
}

bool ListNavigation::revealAndSelect(ItemId id, bool exclusive) {
    Note& shown = note();
    const Item* item = shown.FindItem(id);
    if (!item || id == shown.RootId())
        return false;
    if (const Item* lock = shown.FindItem(item->LockOwner());
        lock && lock->IsLockedGroup() && lock->Password().Empty()) {
        return false;
    }
    std::vector<ItemId> closed;
    std::size_t budget = shown.Items().Size() + 1;
    for (const Item* at = shown.FindItem(item->links.parent);
         at && at->links.id != shown.RootId() && budget-- > 0;
         at = shown.FindItem(at->links.parent)) {
        if (!at->IsOpen())
            closed.push_back(at->links.id);
    }
    for (ItemId group : closed) {
        if (!toggleExpansion(group))
            return false;
    }
    if (!m_memoList.focusItem(id, exclusive))
        return false;
    m_memoList.scrollTo(m_memoList.currentIndex());
    m_memoList.viewport()->update();
    return true;
}

bool ListNavigation::revealInGroupList(ItemId id, bool exclusive) {
    const Item* item = note().FindItem(id);
    if (!item)
        return false;
    if (m_groupList.focusItem(id, exclusive))
        return true;
    // The group list shows the children of the memo list's focused group.
    if (!revealAndSelect(item->links.parent, true))
        return false;
    return m_groupList.focusItem(id, exclusive);
}

MemoRowsView* ListNavigation::showPlaced(bool inGroupList, const std::vector<ItemId>& rows) {
    if (rows.empty())
        return nullptr;
    MemoRowsView* list = nullptr;
    if (inGroupList && revealInGroupList(rows.back(), false)) {
        list = &m_groupList;
    } else if (revealAndSelect(rows.back(), false)) {
        list = &m_memoList;
    } else {
        return nullptr;
    }
    list->selectItems(rows);
    list->scrollTo(list->currentIndex());
    return list;
}

void ListNavigation::activateInMemoList(bool byKey) {
    const ItemId id = m_memoList.focusedItem();
    const Item* item = note().FindItem(id);
    if (!item)
        return;
    if (item->IsGroup()) {
        toggleExpansion(id);
        refreshPathBox();
        return;
    }
    m_text.commitEdits();
    if (m_text.openMemo() != id)
        showMemo(id);
    if (alternateLayout()) {
        m_window.panes()->relayout();
        m_text.setFocus();
    } else if (byKey && m_memoList.hasFocus()) {
        m_text.setFocus();
    }
    m_app.updateActions();
}

void ListNavigation::activateInGroupList() {
    const ItemId id = m_groupList.focusedItem();
    const Item* item = note().FindItem(id);
    if (!item || !revealAndSelect(id, true))
        return;
    if (item->IsGroup()) {
        if (!item->IsOpen())
            toggleExpansion(id);
        m_groupList.setFocus();
        return;
    }
    if (m_text.openMemo() != id)
        showMemo(id);
    if (alternateLayout())
        m_window.panes()->relayout();
    m_text.setFocus();
}

void ListNavigation::sidewaysKey(bool right) {
    Note& shown = note();
    const ItemId id = m_memoList.focusedItem();
    const Item* item = shown.FindItem(id);
    if (!item)
        return;
    if (!right) {
        if (item->IsGroup() && item->IsOpen()) {
            toggleExpansion(id);
            return;
        }
        if (item->links.parent != kNoItem && item->links.parent != shown.RootId())
            revealAndSelect(item->links.parent, true);
        return;
    }
    if (item->IsGroup() && !item->IsOpen()) {
        toggleExpansion(id);
        return;
    }
    if (item->links.firstChild != kNoItem)
        revealAndSelect(item->links.firstChild, true);
}

ItemId ListNavigation::memoStep(bool forward) const {
    Note& shown = note();
    const ItemId start = m_text.holdsMemo() ? m_text.openMemo() : m_memoList.focusedItem();
    const Item* item = shown.FindItem(start);
    if (!item)
        return kNoItem;
    std::size_t budget = shown.Items().Size() + 1;
    for (const Item* at = shown.FindItem(forward ? item->links.next : item->links.previous);
         at && budget-- > 0; at = shown.FindItem(forward ? at->links.next : at->links.previous)) {
        if (at->IsMemo())
            return at->links.id;
    }
    return kNoItem;
}

void ListNavigation::stepToMemo(bool forward) {
    const ItemId next = memoStep(forward);
    if (next == kNoItem)
        return;
    const bool wasShown = m_text.holdsMemo();
    closeMemo();
    revealAndSelect(next, true);
    if (alternateLayout() && wasShown) {
        showMemo(next);
        m_window.panes()->relayout();
    }
    refreshPathBox();
    m_app.updateActions();
}

void ListNavigation::upOneGroup() {
    Note& shown = note();
    const ItemId former = m_memoList.focusedItem();
    const Item* item = shown.FindItem(former);
    if (!item || item->links.parent == kNoItem || item->links.parent == shown.RootId())
        return;
    const bool textHadFocus = m_lists.focusWindow() == FocusWindow::kMemoText;
    closeMemo();
    if (!revealAndSelect(item->links.parent, true))
        return;
    if (!alternateLayout()) {
        m_groupList.focusItem(former, true);
        if (textHadFocus)
            m_groupList.setFocus();
    }
    m_app.updateActions();
}
