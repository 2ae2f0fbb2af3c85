#include "app/frame/list_panes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "app/common/byte_limit.h"
#include "app/common/command_actions.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/edit/password_dialog.h"
#include "app/frame/application.h"
#include "app/frame/command_icons.h"
#include "app/frame/frame_texts.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/pane_menus.h"
#include "app/frame/path_box.h"
#include "app/frame/path_box_filler.h"
#include "app/frame/status_bar.h"
#include "app/frame/toolbars.h"
#include "app/list/group_content_list.h"
#include "app/list/list_status.h"
#include "app/list/list_texts.h"
#include "app/list/memo_columns.h"
#include "app/list/memo_list.h"
#include "app/list/row_icons.h"
#include "app/list/title_editor.h"
#include "app/text/memo_text_view.h"
#include "core/model/group_lock_commands.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/settings/settings.h"
#include "platform/qt_font_service.h"

using tidemark::Item;
using tidemark::ItemId;
using tidemark::kNoItem;
using tidemark::Note;
using namespace tidemark;  // the command identifiers

namespace {

constexpr std::uint32_t kUnstorableLeftOut = 12019;

}  // namespace

ListPanes::ListPanes(Application& app, MainWindow& window)
    : QObject(&window),
      m_app(app),
      m_window(window),
      m_memoList(*window.panes()->memoList()),
      m_groupList(*window.panes()->groupList()),
      m_text(*window.panes()->memoText()),
      m_pathBox(*window.toolbars()->pathBox()),
      m_lockDialogs(std::make_unique<DialogLockDialogs>(&window)) {
    Note& shown = app.note();
    m_memoList.treeModel()->setNote(&shown);
    m_groupList.contentModel()->setNote(&shown);
    m_memoList.setFocusWindow(true);

    connect(&m_memoList, &MemoRowsView::focusedItemChanged, this, &ListPanes::memoListFocusChanged);
    connect(&m_groupList, &MemoRowsView::focusedItemChanged, this, &ListPanes::scheduleStatus);
    for (MemoRowsView* list :
         {static_cast<MemoRowsView*>(&m_memoList), static_cast<MemoRowsView*>(&m_groupList)}) {
        const bool inMemoList = list == &m_memoList;
        connect(list, &MemoRowsView::selectionCountChanged, this, &ListPanes::scheduleStatus);
        connect(list, &MemoRowsView::stateImageClicked, this,
                [this, inMemoList](ItemId item, int state) {
                    stateImageClicked(inMemoList, item, state);
                });
        connect(list, &MemoRowsView::popupRequested, this,
                [this, inMemoList](const QPoint& at) { showPopup(inMemoList, at); });
        connect(list, &MemoRowsView::columnClicked, this, &ListPanes::columnClicked);
        connect(list->rowPainter(), &ListRowPainter::titleEdited, this, &ListPanes::applyTitle);
        connect(list->rowPainter(), &ListRowPainter::editorOpened, this,
                [this](TitleEditor* editor) {
                    connect(editor, &TitleEditor::activity, this, &ListPanes::scheduleStatus);
                });
    }
    connect(&m_memoList, &MemoRowsView::itemActivated, this,
            [this](ItemId, bool byKey) { activateInMemoList(byKey); });
    connect(&m_groupList, &MemoRowsView::itemActivated, this, [this] { activateInGroupList(); });
    connect(&m_memoList, &MemoList::sidewaysKey, this, &ListPanes::sidewaysKey);
    connect(&m_memoList, &MemoRowsView::keyPressed, this, &ListPanes::endHintRows);
    for (MemoRowsView* list :
         {static_cast<MemoRowsView*>(&m_memoList), static_cast<MemoRowsView*>(&m_groupList)}) {
        connect(list, &MemoRowsView::deletePressed, this,
                [this] { m_app.actions().dispatch(kCmdDelete); });
    }
    m_memoList.viewport()->installEventFilter(this);
    connect(&app.actions(), &CommandActions::commandStarting, this, &ListPanes::endHintRows);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
    connect(&m_text, &MemoTextView::memoUpdated, this, [this](ItemId memo) {
        syncOpenMemo();
        m_memoList.treeModel()->itemChanged(memo);
        m_groupList.contentModel()->itemChanged(memo);
    });
    connect(&m_text, &MemoTextView::titleChanged, this, &ListPanes::refreshPathBox);
    if (QLineEdit* field = m_pathBox.lineEdit()) {
        limitToBytes(field, static_cast<int>(tidemark::kMaxTitleBytes),
                     [this](const QString& lost) {
                         m_window.status()->setStatusText(
                             StatusIcon::kHint, uiFormat(kUnstorableLeftOut, {utf8(lost)}));
                     });
        connect(field, &QLineEdit::editingFinished, this, &ListPanes::pathBoxEdited);
    }
    connect(&m_pathBox, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const ItemId chosen = m_pathBox.itemData(index, kPathBoxItemRole).toUInt();
        const Item* item = note().FindItem(chosen);
        if (!item)
            return;
        if (item->IsGroup())
            closeMemo();
        revealAndSelect(chosen, true);
        m_app.updateActions();
    });
    // The panes go one by one with the window; none may reach the others then.
    for (QWidget* pane : std::initializer_list<QWidget*>{&m_memoList, &m_groupList, &m_text}) {
        connect(pane, &QObject::destroyed, this, [this] {
            disconnect(qApp, nullptr, this, nullptr);
            disconnect(&m_text, nullptr, this, nullptr);
            disconnect(&m_memoList, nullptr, this, nullptr);
            disconnect(&m_groupList, nullptr, this, nullptr);
        });
    }
    registerCommands(app.actions());
    applySettings();
}

ListPanes::~ListPanes() = default;

Note& ListPanes::note() const {
    return m_app.note();
}

bool ListPanes::alternateLayout() const {
    return m_window.layoutMode() == PaneLayout::kAlternate;
}

bool ListPanes::readOnly() const {
    return m_app.IsReadOnly();
}

void ListPanes::registerCommands(CommandActions& actions) {
    actions.setHandler(
        kCmdEditTitle, [this] { editTitle(); },
        [this] {
            const MemoRowsView& list = m_focusWindow == FocusWindow::kGroupList
                                           ? static_cast<const MemoRowsView&>(m_groupList)
                                           : static_cast<const MemoRowsView&>(m_memoList);
            return CommandState{list.focusedItem() != kNoItem};
        });
    actions.setHandler(
        kCmdParentGroup, [this] { upOneGroup(); },
        [this] {
            const Item* item = note().FindItem(m_memoList.focusedItem());
            return CommandState{item && item->links.parent != note().RootId() &&
                                item->links.parent != kNoItem};
        });
    actions.setHandler(
        kCmdPreviousMemo, [this] { previousMemo(); },
        [this] { return CommandState{memoStep(false) != kNoItem}; });
    actions.setHandler(
        kCmdNextMemo, [this] { nextMemo(); },
        [this] { return CommandState{memoStep(true) != kNoItem}; });
}

void ListPanes::applySettings() {
    const tidemark::Settings& settings = m_app.settings();
    Note& shown = note();
    const bool showBody = settings.HideBodyInList == 0;
    for (MemoRowsView* list :
         {static_cast<MemoRowsView*>(&m_memoList), static_cast<MemoRowsView*>(&m_groupList)}) {
        MemoRowsModel* model = list->rowsModel();
        if (model->showsBody() != showBody) {
            // The body column's width stays with the note while it is hidden.
            if (!showBody && list == &m_memoList)
                storeMemoColumnWidths(m_memoList, shown.View());
            if (list == &m_memoList) {
                model->setShowBody(showBody);
                refillMemoList();
            } else {
                model->setShowBody(showBody);
                refillGroupList();
            }
            applyMemoColumnWidths(*list, shown.View());
        }
        model->setHoverPreview(settings.HoverPreview != 0);
        list->setGridLines(settings.ShowGridLines != 0);
        if (!settings.ListFont.IsEmpty())
            list->setFont(QtFontService::toQFont(settings.ListFont));
    }
}

void ListPanes::noteReplaced() {
    closeMemo();
    refillMemoList();
    refillGroupList();
    refreshPathBox();
}

void ListPanes::refillMemoList() {
    NoteTreeModel* tree = m_memoList.treeModel();
    const bool noItems = !m_app.noteHasItems();
    if (tree->showsHintRows() != noItems) {
        tree->setHintRows(noItems);
    } else {
        tree->refill();
    }
    if (!noItems && !m_memoList.currentIndex().isValid() && tree->rowCount() > 0) {
        m_memoList.selectionModel()->setCurrentIndex(tree->index(0, 0),
                                                     QItemSelectionModel::NoUpdate);
    }
    scheduleStatus();
}

void ListPanes::refillGroupList() {
    const ItemId focused = m_memoList.focusedItem();
    const Item* item = note().FindItem(focused);
    const bool hadFocus = m_groupList.hasFocus();
    m_groupList.showGroup(item && item->IsGroup() ? focused : kNoItem);
    if (hadFocus && m_groupList.contentModel()->showsLockedRows())
        m_memoList.setFocus();
    scheduleStatus();
}

void ListPanes::endHintRows() {
    if (m_memoList.treeModel()->showsHintRows())
        m_memoList.treeModel()->setHintRows(false);
}

bool ListPanes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_memoList.viewport() && event->type() == QEvent::MouseButtonRelease)
        endHintRows();
    return QObject::eventFilter(watched, event);
}

void ListPanes::memoListFocusChanged(ItemId id) {
    Note& shown = note();
    const Item* item = shown.FindItem(id);
    if (item)
        shown.SetCurrentItemId(id);
    if (!alternateLayout()) {
        if (m_text.holdsMemo() && m_text.openMemo() != id)
            closeMemo();
        if (item && item->IsMemo() && m_text.openMemo() != id)
            showMemo(id);
        else if (!m_text.holdsMemo())
            m_text.setColoursFor(shown, item ? id : kNoItem);
    }
    if (!item || item->IsGroup())
        refillGroupList();
    m_window.panes()->setFocusedItemKind(item && item->IsMemo(), item && item->IsGroup());
    refreshPathBox();
    m_app.updateActions();
}

void ListPanes::focusChanged(QWidget* now) {
    if (!now)
        return;
    auto holds = [now](const QWidget& pane) { return now == &pane || pane.isAncestorOf(now); };
    FocusWindow pane = FocusWindow::kNone;
    if (holds(m_memoList)) {
        pane = FocusWindow::kMemoList;
    } else if (holds(m_groupList)) {
        pane = FocusWindow::kGroupList;
    } else if (holds(m_text)) {
        pane = FocusWindow::kMemoText;
    } else if (holds(m_pathBox)) {
        pane = FocusWindow::kPathBox;
    }
    if (pane == FocusWindow::kNone || pane == m_focusWindow)
        return;
    m_focusWindow = pane;
    m_memoList.setFocusWindow(pane == FocusWindow::kMemoList);
    m_groupList.setFocusWindow(pane == FocusWindow::kGroupList);
    scheduleStatus();
}

void ListPanes::showMemo(ItemId memo) {
    m_text.showMemo(note(), memo);
    syncOpenMemo();
}

void ListPanes::closeMemo() {
    if (m_text.holdsMemo())
        m_text.closeMemo(m_app.noteHasItems());
    syncOpenMemo();
}

void ListPanes::syncOpenMemo() {
    const ItemId open = m_text.openMemo();
    m_memoList.treeModel()->setOpenMemo(open);
    m_groupList.contentModel()->setOpenMemo(open);
}

bool ListPanes::toggleExpansion(ItemId group) {
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
    if (tidemark::ToggleGroupOpen(shown, group, *m_lockDialogs) !=
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

bool ListPanes::revealAndSelect(ItemId id, bool exclusive) {
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

bool ListPanes::revealInGroupList(ItemId id, bool exclusive) {
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

void ListPanes::activateInMemoList(bool byKey) {
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

void ListPanes::activateInGroupList() {
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

void ListPanes::sidewaysKey(bool right) {
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

ItemId ListPanes::memoStep(bool forward) const {
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

void ListPanes::stepToMemo(bool forward) {
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

void ListPanes::upOneGroup() {
    Note& shown = note();
    const ItemId former = m_memoList.focusedItem();
    const Item* item = shown.FindItem(former);
    if (!item || item->links.parent == kNoItem || item->links.parent == shown.RootId())
        return;
    const bool textHadFocus = m_focusWindow == FocusWindow::kMemoText;
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

void ListPanes::editTitle() {
    m_text.commitEdits();
    if (alternateLayout() && m_text.holdsMemo()) {
        if (m_pathBox.isVisible()) {
            m_pathBox.setFocus();
            if (QLineEdit* field = m_pathBox.lineEdit())
                field->selectAll();
        } else {
            closeMemo();
            m_window.panes()->relayout();
            m_memoList.setFocus();
        }
        return;
    }
    if (m_focusWindow == FocusWindow::kGroupList && m_groupList.isEnabled() &&
        m_groupList.focusedItem() != kNoItem) {
        m_groupList.setFocus();
        m_groupList.editFocusedTitle();
        return;
    }
    m_memoList.setFocus();
    m_memoList.editFocusedTitle();
}

void ListPanes::applyTitle(ItemId id, const QString& text) {
    Item* item = note().FindItem(id);
    if (!item || readOnly())
        return;
    QString lost;
    tidemark::ByteString title = fromQString(text, &lost);
    if (!lost.isEmpty()) {
        // Not from inside the closing edit box.
        QTimer::singleShot(0, &m_window, [this, lost] {
            showMessage(&m_window, MessageKind::kInformation, listText("title.lost").arg(lost));
        });
    }
    if (item->Title() == title)
        return;
    item->SetRawTitle(std::move(title));
    m_memoList.treeModel()->itemChanged(id);
    m_groupList.contentModel()->itemChanged(id);
    refreshPathBox();
    if (tidemark::NoteHost* host = note().Host())
        host->SetModified(true, true);
    scheduleStatus();
}

void ListPanes::pathBoxEdited() {
    if (QLineEdit* field = m_pathBox.lineEdit())
        field->setModified(false);
    const ItemId focused = m_memoList.focusedItem();
    const Item* item = note().FindItem(focused);
    const QString text = m_pathBox.currentText();
    if (!item || readOnly() || text == toQString(item->Title())) {
        refreshPathBox();
        return;
    }
    applyTitle(focused, text);
    // The renamed item shown again, as after any change of the current item.
    revealAndSelect(focused, false);
    refreshPathBox();
}

void ListPanes::stateImageClicked(bool inMemoList, ItemId item, int stateImage) {
    if (stateImage == StateImage::kLink) {
        m_app.actions().dispatch(kCmdOpenLink);
        return;
    }
    if (inMemoList && (stateImage == StateImage::kPlus || stateImage == StateImage::kMinus))
        toggleExpansion(item);
}

QMenu* ListPanes::popupMenu(bool memoList) {
    // The group list shows the split layouts' menu in every layout.
    return m_window.paneMenus()->listMenu(memoList && alternateLayout());
}

void ListPanes::showPopup(bool memoList, const QPoint& globalPos) {
    m_app.updateActions();
    popupMenu(memoList)->popup(globalPos);
}

void ListPanes::columnClicked(int column) {
    if (!readOnly())
        emit sortRequested(column + 1);
}

void ListPanes::scheduleStatus() {
    if (m_statusPending)
        return;
    m_statusPending = true;
    QTimer::singleShot(0, this, [this] {
        m_statusPending = false;
        m_app.updateActions();
    });
}

void ListPanes::refreshPathBox() {
    fillPathBox(m_pathBox, note(), m_memoList.focusedItem());
}

ListStatus ListPanes::status() const {
    ListStatusInput input;
    input.focus = m_focusWindow;
    input.memoListFocused = m_memoList.focusedItem();
    if (m_focusWindow == FocusWindow::kMemoList || m_focusWindow == FocusWindow::kGroupList) {
        const MemoRowsView& list = m_focusWindow == FocusWindow::kMemoList
                                       ? static_cast<const MemoRowsView&>(m_memoList)
                                       : static_cast<const MemoRowsView&>(m_groupList);
        input.selectedCount = list.selectedCount();
        if (input.selectedCount == 1) {
            const std::vector<ItemId> items = list.selectedItems();
            input.selectedItem = items.empty() ? kNoItem : items.front();
        }
    }
    return listStatusOf(note(), input);
}

QIcon ListPanes::statusPicture(ListStatus::Picture picture) {
    switch (picture) {
        case ListStatus::Picture::kNoteItems:
            return statusIcon(StatusIcon::kNoteItems);
        case ListStatus::Picture::kHint:
            return statusIcon(StatusIcon::kHint);
        case ListStatus::Picture::kMemo:
            return rowIcon(RowIcon::kMemo);
        case ListStatus::Picture::kLockedGroup:
            return rowIcon(RowIcon::kLockedGroupCollapsed);
        case ListStatus::Picture::kGroup:
            return rowIcon(RowIcon::kGroupCollapsed);
        case ListStatus::Picture::kNone:
            break;
    }
    return QIcon();
}

// ItemViewUpdater

void ListPanes::commitEdits() {
    m_memoList.commitTitleEdit();
    m_groupList.commitTitleEdit();
    // A title typed into the path box and not yet confirmed renames as
    // leaving the box would.
    if (QLineEdit* field = m_pathBox.lineEdit(); field && field->isModified())
        pathBoxEdited();
    m_text.commitEdits();
}

ItemId ListPanes::openMemo() const {
    return m_text.openMemo();
}

void ListPanes::closeOpenMemo() {
    closeMemo();
    fillPathBox(m_pathBox, note(), kNoItem);
}

void ListPanes::itemInserted(ItemId id) {
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

void ListPanes::itemChanged(ItemId id, bool subtree) {
    m_memoList.treeModel()->itemChanged(id);
    m_groupList.contentModel()->itemChanged(id);
    if (subtree || id == m_groupList.contentModel()->group()) {
        m_memoList.viewport()->update();
        m_groupList.viewport()->update();
    }
    refreshPathBox();
    scheduleStatus();
}

void ListPanes::itemRemoving(ItemId id) {
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

void ListPanes::childrenReordered(ItemId group) {
    m_memoList.treeModel()->childrenReordered(group, true);
    const ItemId listed = m_groupList.contentModel()->group();
    if (listed == group || note().IsDescendantOf(listed, group))
        m_groupList.contentModel()->childrenReordered();
    const ItemId focused = m_memoList.focusedItem();
    if (focused != kNoItem)
        revealAndSelect(focused, true);
    scheduleStatus();
}

void ListPanes::afterRemoval() {
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

void ListPanes::beginEditingNew(ItemId id, bool bodyFirst) {
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
    if (focused && focused->IsGroup() && m_focusWindow == FocusWindow::kGroupList) {
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

void ListPanes::memoPaneChanged() {
    m_text.applyWordWrap();
    m_text.setColoursFor(note(), m_memoList.focusedItem());
}

void ListPanes::noteViewChanged() {
    const tidemark::NoteViewSettings& view = note().View();
    for (MemoRowsView* list :
         {static_cast<MemoRowsView*>(&m_memoList), static_cast<MemoRowsView*>(&m_groupList)}) {
        applyNoteColours(*list, view.textColour, view.backgroundColour);
        list->rowsModel()->captionsChanged();
        list->viewport()->update();
    }
    m_text.setColoursFor(note(), m_memoList.focusedItem());
}

// SelectionSource

ItemId ListPanes::memoListFocused() const {
    return m_memoList.focusedItem();
}

bool ListPanes::groupListIsFocusWindow() const {
    return m_focusWindow == FocusWindow::kGroupList;
}

ItemId ListPanes::groupListFocused() const {
    return m_groupList.focusedItem();
}

std::vector<ItemId> ListPanes::selectedItems() const {
    return m_focusWindow == FocusWindow::kGroupList ? m_groupList.selectedItems()
                                                    : m_memoList.selectedItems();
}

std::vector<ItemId> ListPanes::targets() const {
    if (alternateLayout() && m_text.holdsMemo())
        return {m_text.openMemo()};
    if (m_focusWindow == FocusWindow::kGroupList) {
        std::vector<ItemId> selected = m_groupList.selectedItems();
        if (!selected.empty())
            return selected;
    }
    return m_memoList.selectedItems();
}
