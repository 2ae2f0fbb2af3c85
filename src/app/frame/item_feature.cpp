#include "app/frame/item_feature.h"

#include <QObject>
#include <memory>

#include "app/edit/dialog_edit_prompts.h"
#include "app/edit/edit_commands.h"
#include "app/edit/item_clipboard.h"
#include "app/edit/item_commands.h"
#include "app/edit/item_drag.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/list_navigation.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_context.h"
#include "app/frame/note_file_drop.h"
#include "app/frame/pane_area.h"
#include "app/list/group_content_list.h"
#include "app/list/list_drop_target.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "app/textio/text_exchange_commands.h"
#include "app/textio/text_import.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

// Everything the window's item commands need, living as long as the window.
class ItemCommandSet : public QObject {
public:
    ItemCommandSet(Application& app, MainWindow& window)
        : QObject(&window),
          prompts(&window),
          commands(app.note(), app.settings(), *window.lists(), window.lists()->rowUpdates(),
                   prompts, prompts, &app.windowContext()),
          clipboard(app.note(), app.settings(), *window.lists(), window.lists()->rowUpdates(),
                    prompts),
          drag(app.note(), app.settings(), *window.lists(), window.lists()->rowUpdates(), this),
          edits(app.windowContext(), commands, clipboard, this) {
        prompts.setHelpOpener([&app](int topic) { app.fileCommands().startHelp(topic); });
        connectLists(app, window);
    }

    DialogEditPrompts prompts;
    ItemCommands commands;
    ItemClipboard clipboard;
    ItemDrag drag;
    EditCommands edits;

private:
    void connectLists(Application& app, MainWindow& window) {
        ListPanes& lists = *window.lists();
        // Column clicks sort the clicked column's key.
        QObject::connect(&lists, &ListPanes::sortRequested, this,
                         [this](int key) { commands.sort(key); });
        // Cut items are drawn ghosted until they move or the cut ends
        // (Escape in a list).
        PaneArea& panes = *window.panes();
        for (MemoRowsView* list : {static_cast<MemoRowsView*>(panes.memoList()),
                                   static_cast<MemoRowsView*>(panes.groupList())}) {
            list->setCutTest([this](ItemId item) { return clipboard.isCut(item); });
            QObject::connect(&clipboard, &ItemClipboard::cutChanged, list,
                             [list] { list->viewport()->update(); });
            QObject::connect(list, &MemoRowsView::escapePressed, &clipboard,
                             &ItemClipboard::cancelCut);
        }
        QObject::connect(&clipboard, &ItemClipboard::revealRequested, &lists,
                         [&lists](ListKind list, const std::vector<ItemId>& rows, bool editTitle) {
                             MemoRowsView* shown =
                                 lists.navigation().showPlaced(list == ListKind::kGroupList, rows);
                             if (shown && editTitle) {
                                 shown->setFocus();
                                 shown->editFocusedTitle();
                             }
                         });
        connectDragAndDrop(app, window, *panes.memoList(), true);
        connectDragAndDrop(app, window, *panes.groupList(), false);
    }

    // Rows dragged out of `list`, and drops onto it.
    void connectDragAndDrop(Application& app, MainWindow& window, MemoRowsView& list,
                            bool memoList) {
        ListPanes& lists = *window.lists();
        QObject::connect(&list, &MemoRowsView::dragStartRequested, this,
                         [this, &app, &list, memoList] {
                             // The note's reports wait for the drag's end: a
                             // move here is one change.
                             app.fileCommands().holdReports(true);
                             // A read-only note lends its items out but keeps them.
                             drag.run(&list, app.IsReadOnly() && memoList);
                             app.fileCommands().holdReports(false);
                         });
        auto* target =
            new ListDropTarget(list, app.environment().dragScroll.ReadDragScrollValues());
        // Moving items onto themselves (or into themselves) is refused; a copy may go there.
        target->setRefusal([this](DropSpot spot, Qt::DropAction effect) {
            return effect == Qt::MoveAction && drag.isDragged(spot.item);
        });
        target->setDropHandler(
            [this, &app, &lists, memoList](const QMimeData* data, DropSpot spot, Qt::DropAction) {
                const DropPlace place = dropPlace(app.note(), lists, spot, memoList);
                if (!clipboard.drop(data, place.target, place.relation, place.order,
                                    memoList ? ListKind::kMemoList : ListKind::kGroupList))
                    return false;
                drag.takenHere();
                return true;
            });
        QObject::connect(target, &ListDropTarget::expandRequested, &lists,
                         [&app, &lists, memoList](ItemId group) {
                             const Item* item = app.note().FindItem(group);
                             if (!item || !item->IsGroup())
                                 return;
                             // A drag resting on a group locked shut asks for no
                             // password: the group stays closed.
                             if (item->IsLockedGroup() && item->Password().Empty())
                                 return;
                             if (!item->IsOpen())
                                 lists.toggleExpansion(group);
                             // The group list then shows the group's children.
                             if (!memoList)
                                 lists.revealAndSelect(group, true);
                         });
        QObject::connect(target, &ListDropTarget::entered, &lists, [&app, &window, &lists] {
            lists.endHintRows();
            // Dragged over from another window, this one comes to the front.
            if (app.settings().DragPopup != 0 && !window.isActiveWindow())
                window.bringToFront();
        });
        // While a drag is over the list (until its drop has gone in) the
        // note's reports wait.
        auto over = std::make_shared<bool>(false);
        QObject::connect(target, &ListDropTarget::dragKindChanged, &lists,
                         [&app, &window, over](DragKind kind) {
                             window.showDragStatus(kind);
                             const bool now = kind != DragKind::kNone;
                             if (now != *over) {
                                 *over = now;
                                 app.fileCommands().holdReports(now);
                             }
                         });
    }

    struct DropPlace {
        ItemId target = kNoItem;  // 0: the end of the note
        int relation = Placement::kBeside;
        int order = Placement::kAfter;
    };
    // Where a drop on a spot of the memo list or the group list goes.
    static DropPlace dropPlace(Note& note, const ListPanes& lists, DropSpot spot, bool memoList) {
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
            const Item* shown = note.FindItem(lists.memoListFocused());
            if (shown && shown->IsGroup())
                return {shown->links.id, Placement::kInside, Placement::kAfter};
        }
        return {};
    }
};

}  // namespace

void installItemFeature(Application& app, MainWindow& window) {
    auto* set = new ItemCommandSet(app, window);
    set->commands.registerCommands(app.actions());
    set->edits.registerCommands(app.actions());
    // Files dropped on the lists come in as the import command brings them;
    // note files among them open as notes.
    TextImporter& importer = installTextExchangeCommands(app.windowContext(), &window);
    set->clipboard.setFileImporter([&app, &importer](const QStringList& paths, ItemId target,
                                                     int relation, int order) {
        const DroppedPaths split = splitNoteFiles(paths);
        openDroppedNotes(app, split.notes);
        const bool imported =
            !split.others.isEmpty() &&
            !importer.importPaths(split.others, ImportPlace{target, relation, order}, true).empty();
        return imported || !split.notes.isEmpty();
    });
    new NoteFileDropTarget(app, window);
}
