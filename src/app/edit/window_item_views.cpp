#include "app/edit/window_item_views.h"

#include <QObject>

#include "app/edit/dialog_edit_prompts.h"
#include "app/edit/edit_commands.h"
#include "app/edit/item_clipboard.h"
#include "app/edit/item_commands.h"
#include "app/edit/item_drag.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/group_content_list.h"
#include "app/list/list_drop_target.h"
#include "app/list/list_panes.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "app/textio/text_exchange_commands.h"
#include "app/textio/text_import.h"
#include "core/model/item.h"
#include "core/model/note.h"

using namespace tidemark;

namespace {

// The window's lists answer for the selection and take the row updates;
// before they exist the window's own fallback does.
SelectionSource& SelectionOf(Application& app, WindowItemViews& fallback) {
    if (ListPanes* lists = app.window() ? app.window()->lists() : nullptr)
        return *lists;
    return fallback;
}
ItemViewUpdater& UpdaterOf(Application& app, WindowItemViews& fallback) {
    if (ListPanes* lists = app.window() ? app.window()->lists() : nullptr)
        return *lists;
    return fallback;
}

// Everything the window's item commands need, living as long as the window.
class ItemCommandSet : public QObject {
public:
    ItemCommandSet(Application& app, QObject* parent)
        : QObject(parent),
          views(app),
          prompts(app.window()),
          commands(app.note(), app.settings(), SelectionOf(app, views), UpdaterOf(app, views),
                   prompts, prompts, app.window()),
          clipboard(app.note(), app.settings(), SelectionOf(app, views), UpdaterOf(app, views),
                    prompts),
          drag(app.note(), app.settings(), SelectionOf(app, views), UpdaterOf(app, views)),
          edits(app, commands, clipboard, this) {
        prompts.setHelpOpener([&app](int topic) { app.fileCommands().startHelp(topic); });
        if (ListPanes* lists = app.window() ? app.window()->lists() : nullptr)
            connectLists(app, *lists);
    }

    WindowItemViews views;
    DialogEditPrompts prompts;
    ItemCommands commands;
    ItemClipboard clipboard;
    ItemDrag drag;
    EditCommands edits;

private:
    void connectLists(Application& app, ListPanes& lists) {
        // Column clicks sort the clicked column's key.
        QObject::connect(&lists, &ListPanes::sortRequested, this,
                         [this](int key) { commands.sort(key); });
        // Cut items are drawn ghosted until they move or the cut ends
        // (Escape in a list).
        PaneArea& panes = *app.window()->panes();
        for (MemoRowsView* list : {static_cast<MemoRowsView*>(panes.memoList()),
                                   static_cast<MemoRowsView*>(panes.groupList())}) {
            list->setCutTest([this](ItemId item) { return clipboard.isCut(item); });
            QObject::connect(&clipboard, &ItemClipboard::cutChanged, list,
                             [list] { list->viewport()->update(); });
            QObject::connect(list, &MemoRowsView::escapePressed, &clipboard,
                             &ItemClipboard::cancelCut);
        }
        QObject::connect(
            &clipboard, &ItemClipboard::revealRequested, &lists,
            [&lists](ItemId item, bool exclusive) { lists.revealAndSelect(item, exclusive); });
        connectDragAndDrop(app, lists, *panes.memoList(), true);
        connectDragAndDrop(app, lists, *panes.groupList(), false);
    }

    // Rows dragged out of `list`, and drops onto it.
    void connectDragAndDrop(Application& app, ListPanes& lists, MemoRowsView& list, bool memoList) {
        QObject::connect(&list, &MemoRowsView::dragStartRequested, this,
                         [this, &app, &list, memoList] {
                             // A read-only note lends its items out but keeps them.
                             drag.run(&list, app.IsReadOnly() && memoList);
                         });
        auto* target =
            new ListDropTarget(list, app.environment().dragScroll.ReadDragScrollValues());
        // Moving items onto themselves (or into themselves) is refused; a copy may go there.
        target->setRefusal([this](DropSpot spot, Qt::DropAction effect) {
            return effect == Qt::MoveAction && drag.isDragged(spot.item);
        });
        target->setDropHandler(
            [this, &app, memoList](const QMimeData* data, DropSpot spot, Qt::DropAction) {
                const DropPlace place = dropPlace(app, spot, memoList);
                if (!clipboard.drop(data, place.target, place.relation, place.order))
                    return false;
                drag.takenHere();
                return true;
            });
        QObject::connect(target, &ListDropTarget::expandRequested, &lists,
                         [&app, &lists, memoList](ItemId group) {
                             const Item* item = app.note().FindItem(group);
                             if (!item || !item->IsGroup())
                                 return;
                             if (!item->IsOpen())
                                 lists.toggleExpansion(group);
                             // The group list then shows the group's children.
                             if (!memoList)
                                 lists.revealAndSelect(group, true);
                         });
        QObject::connect(target, &ListDropTarget::dragKindChanged, &lists,
                         [&app](DragKind kind) { app.window()->showDragStatus(kind); });
    }

    struct DropPlace {
        ItemId target = kNoItem;  // 0: the end of the note
        int relation = Placement::kBeside;
        int order = Placement::kAfter;
    };
    // Where a drop on a spot of the memo list or the group list goes.
    static DropPlace dropPlace(Application& app, DropSpot spot, bool memoList) {
        Note& note = app.note();
        const Item* item = note.FindItem(spot.item);
        switch (spot.where) {
            case DropSpot::Where::kBefore:
                return {spot.item, Placement::kBeside, Placement::kBefore};
            case DropSpot::Where::kInside:
                return {spot.item, Placement::kInside, Placement::kAfter};
            case DropSpot::Where::kAfter:
                // Below an open memo group with children in the memo list:
                // first inside it, where the row below shows them.
                if (memoList && item && item->IsGroup() && item->IsOpen() &&
                    item->links.firstChild != kNoItem)
                    return {spot.item, Placement::kInside, Placement::kBefore};
                return {spot.item, Placement::kBeside, Placement::kAfter};
            case DropSpot::Where::kEnd:
                break;
        }
        if (!memoList) {
            // The end of the group the group list shows.
            const Item* shown = note.FindItem(app.window()->panes()->memoList()->focusedItem());
            if (shown && shown->IsGroup())
                return {shown->links.id, Placement::kInside, Placement::kAfter};
        }
        return {};
    }
};

}  // namespace

ItemId WindowItemViews::memoListFocused() const {
    return m_app.window()->panes()->memoList()->focusedItem();
}

bool WindowItemViews::groupListIsFocusWindow() const {
    return m_app.window()->focusedPane() == FocusPane::kGroupList;
}

ItemId WindowItemViews::groupListFocused() const {
    // GroupContentList does not report a focused row yet.
    return kNoItem;
}

std::vector<ItemId> WindowItemViews::selectedItems() const {
    // MemoList does not report its selection yet: the focused row stands
    // for it.
    const ItemId focused = memoListFocused();
    if (focused == kNoItem)
        return {};
    return {focused};
}

std::vector<ItemId> WindowItemViews::targets() const {
    const MemoTextView* text = m_app.window()->panes()->memoText();
    if (m_app.window()->layoutMode() == PaneLayout::kAlternate && text->holdsMemo()) {
        return {text->openMemo()};
    }
    return selectedItems();
}

void WindowItemViews::commitEdits() {
    m_app.window()->commitEdits();
}

ItemId WindowItemViews::openMemo() const {
    return m_app.window()->panes()->memoText()->openMemo();
}

void WindowItemViews::closeOpenMemo() {
    m_app.window()->panes()->memoText()->closeMemo(m_app.noteHasItems());
}

void WindowItemViews::itemInserted(ItemId) {
    m_app.window()->refreshStatus();
}

void WindowItemViews::itemChanged(ItemId, bool) {
    m_app.window()->refreshStatus();
}

void WindowItemViews::itemRemoving(ItemId) {}

void WindowItemViews::childrenReordered(ItemId) {
    m_app.window()->refreshStatus();
}

void WindowItemViews::afterRemoval() {
    m_app.window()->refreshStatus();
}

void WindowItemViews::beginEditingNew(ItemId item, bool bodyFirst) {
    MainWindow& window = *m_app.window();
    if (bodyFirst) {
        window.showItem(item);
        window.focusPane(FocusPane::kMemoText);
    } else {
        window.focusPane(FocusPane::kMemoList);
    }
}

void WindowItemViews::memoPaneChanged() {
    MemoTextView* text = m_app.window()->panes()->memoText();
    text->applyWordWrap();
    text->setColoursFor(m_app.note(), memoListFocused());
}

void WindowItemViews::noteViewChanged() {
    m_app.window()->panes()->memoText()->setColoursFor(m_app.note(), memoListFocused());
}

void installItemCommands(Application& app, CommandActions& actions) {
    auto* set = new ItemCommandSet(app, app.window());
    set->commands.registerCommands(actions);
    set->edits.registerCommands(actions);
    // Files dropped on the lists come in as the import command brings them.
    TextImporter& importer = installTextExchangeCommands(app, actions, SelectionOf(app, set->views),
                                                         UpdaterOf(app, set->views));
    set->clipboard.setFileImporter(
        [&importer](const QStringList& paths, ItemId target, int relation, int order) {
            return !importer.importPaths(paths, ImportPlace{target, relation, order}, true).empty();
        });
}
