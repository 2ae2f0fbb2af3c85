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
#include "app/frame/list_navigation.h"
#include "app/frame/list_row_updates.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/pane_menus.h"
#include "app/frame/path_box.h"
#include "app/frame/path_box_filler.h"
#include "app/frame/status_bar.h"
#include "app/frame/title_renaming.h"
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
      m_lockDialogs(std::make_unique<DialogLockDialogs>(&window)),
      m_navigation(std::make_unique<ListNavigation>(*this)),
      m_renaming(std::make_unique<TitleRenaming>(*this)),
      m_rowUpdates(std::make_unique<ListRowUpdates>(*this)) {
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
        connect(list->rowPainter(), &ListRowPainter::titleEdited, this,
                [this](ItemId item, const QString& text) { m_renaming->applyTitle(item, text); });
        connect(list->rowPainter(), &ListRowPainter::editorOpened, this,
                [this](TitleEditor* editor) {
                    connect(editor, &TitleEditor::activity, this, &ListPanes::scheduleStatus);
                });
    }
    connect(&m_memoList, &MemoRowsView::itemActivated, this,
            [this](ItemId, bool byKey) { m_navigation->activateInMemoList(byKey); });
    connect(&m_groupList, &MemoRowsView::itemActivated, this,
            [this] { m_navigation->activateInGroupList(); });
    connect(&m_memoList, &MemoList::sidewaysKey, this,
            [this](bool right) { m_navigation->sidewaysKey(right); });
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
        connect(field, &QLineEdit::editingFinished, this, [this] { m_renaming->pathBoxEdited(); });
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

ItemViewUpdater& ListPanes::rowUpdates() const {
    return *m_rowUpdates;
}

bool ListPanes::toggleExpansion(ItemId group) {
    return m_navigation->toggleExpansion(group);
}

bool ListPanes::revealAndSelect(ItemId item, bool exclusive) {
    return m_navigation->revealAndSelect(item, exclusive);
}

bool ListPanes::revealInGroupList(ItemId item, bool exclusive) {
    return m_navigation->revealInGroupList(item, exclusive);
}

void ListPanes::commitEdits() {
    m_rowUpdates->commitEdits();
}

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
    m_navigation->registerCommands(actions);
    m_renaming->registerCommands(actions);
}

void ListPanes::applySettings() {
    const tidemark::Settings& settings = m_app.settings();
    Note& shown = note();
    const bool showBody = settings.HideBodyInList == 0;
    // The body column comes or goes with a refill: the focused row and the
    // open memo are shown again afterwards.
    const ItemId focused = m_memoList.focusedItem();
    const ItemId open = m_text.openMemo();
    const bool columnChanges = m_memoList.rowsModel()->showsBody() != showBody;
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
    if (columnChanges && focused != kNoItem && shown.FindItem(focused)) {
        m_navigation->revealAndSelect(focused, true);
        if (open != kNoItem && m_text.openMemo() != open && shown.FindItem(open))
            showMemo(open);
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
    // The list that is the focus window, even with nothing selected there.
    if (m_focusWindow == FocusWindow::kGroupList)
        return m_groupList.selectedItems();
    return m_memoList.selectedItems();
}

// ListPanesPart

ListPanesPart::ListPanesPart(ListPanes& lists)
    : m_lists(lists),
      m_app(lists.m_app),
      m_window(lists.m_window),
      m_memoList(lists.m_memoList),
      m_groupList(lists.m_groupList),
      m_text(lists.m_text),
      m_pathBox(lists.m_pathBox) {}

Note& ListPanesPart::note() const {
    return m_lists.note();
}

bool ListPanesPart::alternateLayout() const {
    return m_lists.alternateLayout();
}

bool ListPanesPart::readOnly() const {
    return m_lists.readOnly();
}

void ListPanesPart::showMemo(ItemId memo) {
    m_lists.showMemo(memo);
}

void ListPanesPart::closeMemo() {
    m_lists.closeMemo();
}

void ListPanesPart::refillMemoList() {
    m_lists.refillMemoList();
}

void ListPanesPart::refillGroupList() {
    m_lists.refillGroupList();
}

void ListPanesPart::refreshPathBox() {
    m_lists.refreshPathBox();
}

void ListPanesPart::scheduleStatus() {
    m_lists.scheduleStatus();
}

bool ListPanesPart::toggleExpansion(ItemId group) {
    return m_lists.m_navigation->toggleExpansion(group);
}

bool ListPanesPart::revealAndSelect(ItemId item, bool exclusive) {
    return m_lists.m_navigation->revealAndSelect(item, exclusive);
}
