#include "app/frame/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/command_icons.h"
#include "app/frame/file_commands.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_menu.h"
#include "app/frame/pane_area.h"
#include "app/frame/pane_menus.h"
#include "app/frame/path_box.h"
#include "app/frame/recent_memo_menu.h"
#include "app/frame/session_end.h"
#include "app/frame/status_bar.h"
#include "app/frame/toolbars.h"
#include "app/frame/window_snap.h"
#include "app/frame/window_title.h"
#include "app/list/group_content_list.h"
#include "app/list/list_drop_target.h"
#include "app/list/memo_columns.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "core/model/note.h"
#include "core/settings/settings.h"

namespace {

using tidemark::NoteViewSettings;

constexpr std::uint32_t kDropIntoGroupHint = 12008;
constexpr std::uint32_t kTextFilesOnlyHint = 12009;
constexpr std::uint32_t kEdgeFlags =
    NoteViewSettings::kTouchesLeft | NoteViewSettings::kTouchesRight |
    NoteViewSettings::kTouchesTop | NoteViewSettings::kTouchesBottom;

StatusIcon noticeIcon(MemoTextView::Notice kind) {
    switch (kind) {
        case MemoTextView::Notice::kLink:
            return StatusIcon::kLink;
        case MemoTextView::Notice::kFailure:
            return StatusIcon::kFailure;
        case MemoTextView::Notice::kPlain:
            break;
    }
    return StatusIcon::kNone;
}

PaneLayout layoutFromNote(std::uint32_t stored) {
    switch (stored) {
        case 0:
            return PaneLayout::kAlternate;
        case 1:
            return PaneLayout::kStacked;
        default:
            return PaneLayout::kSideBySide;
    }
}

}  // namespace

MainWindow::MainWindow(Application& app) : m_app(app) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(programIcon(false));
    setContextMenuPolicy(Qt::NoContextMenu);
    resize(kDefaultWidth, kDefaultHeight);

    CommandActions& actions = app.actions();
    m_menu = new MainMenu(actions, this);
    m_paneMenus = new PaneMenus(actions, this);
    m_toolbars = new ToolbarSet(actions, *m_menu, this);
    m_panes = new PaneArea(this);
    setCentralWidget(m_panes);
    m_status = new MainStatusBar(this);
    setStatusBar(m_status);
    m_lists = new ListPanes(app, *this);
    connect(
        qGuiApp, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager& manager) {
            QtSessionEndRequest session(manager);
            endSession(session);
        },
        Qt::DirectConnection);
    MemoTextView* text = m_panes->memoText();
    text->setSettings(&app.settings());
    // Queued, so that a text the pane shows for a command comes after the
    // status refresh that follows every command.
    connect(
        text, &MemoTextView::statusNotice, this,
        [this](MemoTextView::Notice kind, const QString& notice) {
            m_status->setStatusText(noticeIcon(kind), notice);
        },
        Qt::QueuedConnection);
    connect(text, &MemoTextView::editStateChanged, &actions, &CommandActions::updateActions);
    connect(text, &MemoTextView::contextMenuRequested, this, [this](const QPoint& at) {
        m_app.updateActions();
        m_paneMenus->textMenu(layoutMode() == PaneLayout::kAlternate)->popup(at);
    });
    for (const CommandInfo& info : commandTable())
        addAction(actions.action(info.id));

    connect(m_menu, &MainMenu::aboutToShowMenu, &app, &Application::updateActions);
    connect(m_menu->viewMenu(), &QMenu::aboutToShow, this, &MainWindow::refreshRecentMemos);
    connect(m_panes, &PaneArea::splitterMoved, this,
            [this](int position) { m_app.note().View().splitter = position; });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && isAncestorOf(now))
            m_app.updateActions();
    });

    for (QScreen* screen : QGuiApplication::screens()) {
        connect(screen, &QScreen::availableGeometryChanged, this, &MainWindow::workAreaChanged);
    }

    applyBands();
    applyHideEditor();
    m_panes->memoList()->setFocus();
    updateTitle();
}

MainWindow::~MainWindow() = default;

void MainWindow::updateTitle() {
    setWindowTitle(m_app.isHelpNote() ? uiText(UiStringId::kHelpTitle)
                                      : windowTitleFor(m_app.notePath(), m_app.IsReadOnly()));
}

void MainWindow::setModifiedMark(bool modified) {
    setWindowIcon(programIcon(modified));
}

void MainWindow::noteReplaced() {
    m_panes->memoText()->showPlaceholder(m_app.noteHasItems());
    m_panes->memoText()->setNoteReadOnly(m_app.IsReadOnly());
    setModifiedMark(m_app.isModified());
    updateTitle();
    m_panes->relayout();
    m_lists->noteReplaced();
    refreshStatus();
}

void MainWindow::applyNoteView() {
    NoteViewSettings& view = m_app.note().View();
    if (view.windowWidth > 0 && view.windowHeight > 0) {
        if (isMaximized())
            showNormal();
        move(view.windowLeft, view.windowTop);
        resize(view.windowWidth, view.windowHeight);
    }
    if (m_app.settings().SnapToEdges && (view.windowFlags & kEdgeFlags)) {
        move(keepTouchingEdges(frameGeometry(), workArea(), view.windowFlags));
    }
    setStaysOnTop((view.windowFlags & NoteViewSettings::kAlwaysOnTop) != 0);
    for (QTreeView* list : {static_cast<QTreeView*>(m_panes->memoList()),
                            static_cast<QTreeView*>(m_panes->groupList())}) {
        applyMemoColumnWidths(*list, view);
        applyNoteColours(*list, view.textColour, view.backgroundColour);
    }
    m_panes->memoText()->setColoursFor(m_app.note(), m_app.note().CurrentItemId());
    m_panes->setSplitter(view.splitter);
    setLayoutMode(layoutFromNote(view.layout));
}

void MainWindow::showForNote() {
    const bool maximised = m_app.note().View().maximized != 0;
    const bool sticky = m_app.settings().StickyAlternate && layoutMode() == PaneLayout::kAlternate;
    if (sticky) {
        setTitleBarHidden(true);
        setAttribute(Qt::WA_ShowWithoutActivating, !maximised);
    }
    if (maximised) {
        showMaximized();
    } else {
        show();
    }
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void MainWindow::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void MainWindow::showItem(tidemark::ItemId item) {
    tidemark::Note& note = m_app.note();
    const tidemark::Item* found = note.FindItem(item);
    if (!found)
        return;
    note.SetCurrentItemId(item);
    if (found->IsMemo()) {
        m_panes->memoText()->showMemo(note, item);
        m_panes->memoText()->setNoteReadOnly(m_app.IsReadOnly());
    }
    m_panes->relayout();
    refreshStatus();
}

void MainWindow::revealItem(tidemark::ItemId item) {
    tidemark::Note& note = m_app.note();
    const tidemark::Item* found = note.FindItem(item);
    if (!found || item == note.RootId() || !m_lists->revealAndSelect(item, true))
        return;
    if (found->IsMemo())
        showItem(item);
}

void MainWindow::storeColumnWidths() {
    storeMemoColumnWidths(*m_panes->memoList(), m_app.note().View());
}

void MainWindow::readOnlyChanged() {
    m_panes->memoText()->setNoteReadOnly(m_app.IsReadOnly());
    updateTitle();
}

PaneLayout MainWindow::layoutMode() const {
    return m_panes->layoutMode();
}

void MainWindow::setLayoutMode(PaneLayout layout) {
    m_app.note().View().layout = static_cast<std::uint32_t>(layout);
    m_panes->setLayoutMode(layout);
    if (layout == PaneLayout::kAlternate) {
        if (m_app.settings().StickyAlternate)
            setTitleBarHidden(true);
    } else if (m_titleBarHidden) {
        setTitleBarHidden(false);
    }
}

void MainWindow::setTitleBarHidden(bool hidden) {
    if (m_titleBarHidden == hidden)
        return;
    m_titleBarHidden = hidden;
    const bool shown = isVisible();
    // A window without a title bar also shows no toolbars and no status bar.
    setWindowFlag(Qt::FramelessWindowHint, hidden);
    applyBarsVisibility();
    if (shown)
        show();
}

bool MainWindow::staysOnTop() const {
    return (m_app.note().View().windowFlags & NoteViewSettings::kAlwaysOnTop) != 0;
}

void MainWindow::setStaysOnTop(bool onTop) {
    std::uint32_t& flags = m_app.note().View().windowFlags;
    flags = onTop ? (flags | NoteViewSettings::kAlwaysOnTop)
                  : (flags & ~NoteViewSettings::kAlwaysOnTop);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        show();
}

bool MainWindow::isToolbarShown(BandId id) const {
    return bandRecord(m_app.settings(), id).Visible != 0;
}

void MainWindow::setToolbarShown(BandId id, bool shown) {
    readBackBands();
    tidemark::ToolbarBand& band = bandRecord(m_app.settings(), id);
    band.Visible = shown ? 1 : 0;
    if (!shown) {
        band.Position = -1;
        band.NewRow = 1;
        if (id == BandId::kNavigation && m_lists->focusWindow() == FocusWindow::kPathBox) {
            m_panes->memoList()->setFocus();
        }
    }
    applyBands();
    m_app.saveSettings();
}

void MainWindow::setStatusBarShown(bool shown) {
    m_app.settings().ShowStatusBar = shown ? 1 : 0;
    applyBarsVisibility();
}

void MainWindow::applyBands() {
    QToolBar* menuBand = m_toolbars->menuBand();
    QList<QToolBar*> bars{menuBand};
    for (BandId id : kAllBands)
        bars << m_toolbars->toolbar(id);
    for (QToolBar* bar : bars) {
        if (toolBarBreak(bar))
            removeToolBarBreak(bar);
        removeToolBar(bar);
    }
    addToolBar(Qt::TopToolBarArea, menuBand);
    for (const BandPlacement& placement : bandPlacements(m_app.settings())) {
        BandToolBar* bar = m_toolbars->toolbar(placement.id);
        if (placement.newRow)
            addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, bar);
        bar->setBandWidth(placement.width);
    }
    applyBarsVisibility();
}

void MainWindow::applyBarsVisibility() {
    const bool bars = !m_titleBarHidden;
    m_toolbars->menuBand()->setVisible(bars);
    for (BandId id : kAllBands) {
        m_toolbars->toolbar(id)->setVisible(bars && isToolbarShown(id));
    }
    m_status->setVisible(bars && m_app.settings().ShowStatusBar != 0);
}

void MainWindow::readBackBands() {
    if (m_titleBarHidden)
        return;  // the toolbars are out of sight; their records stand
    std::vector<BandState> states;
    QList<int> rows;
    for (BandId id : kAllBands) {
        const BandToolBar* bar = m_toolbars->toolbar(id);
        if (isToolbarShown(id) && !rows.contains(bar->y()))
            rows << bar->y();
    }
    std::sort(rows.begin(), rows.end());
    for (BandId id : kAllBands) {
        const BandToolBar* bar = m_toolbars->toolbar(id);
        const bool shown = isToolbarShown(id);
        states.push_back({id, shown, shown ? int(rows.indexOf(bar->y())) : 0, bar->x(),
                          shown ? bar->width() : bandRecord(m_app.settings(), id).Width});
    }
    storeBandStates(m_app.settings(), std::move(states));
}

void MainWindow::applyHideEditor() {
    const tidemark::Settings& settings = m_app.settings();
    m_panes->setHideEditor(settings.HideEditorOnGroup != 0, settings.HideEditorSlowly != 0);
}

void MainWindow::focusNextPane(bool forward) {
    FocusContext context;
    context.layout = layoutMode();
    context.pathBoxVisible = isToolbarShown(BandId::kNavigation) && !m_titleBarHidden;
    context.memoShown = m_panes->memoText()->holdsMemo();
    context.hideEditor = m_panes->hideEditor();
    // A pane out of sight (the group list while the text pane shows its
    // placeholder) is stepped over.
    FocusWindow pane = m_lists->focusWindow();
    for (int step = 0; step < 4; ++step) {
        pane = nextFocusWindow(pane, forward, context);
        if (pane == FocusWindow::kNone)
            return;
        if (focusPane(pane))
            return;
    }
}

bool MainWindow::focusPane(FocusWindow pane) {
    QWidget* target = nullptr;
    switch (pane) {
        case FocusWindow::kPathBox:
            target = m_toolbars->pathBox();
            break;
        case FocusWindow::kMemoList:
            target = m_panes->memoList();
            break;
        case FocusWindow::kGroupList:
            target = m_panes->groupList();
            break;
        case FocusWindow::kMemoText:
            target = m_panes->memoText();
            break;
        case FocusWindow::kNone:
            return false;
    }
    if (!target->isVisible())
        return false;
    target->setFocus(Qt::TabFocusReason);
    return true;
}

void MainWindow::showDragStatus(DragKind kind) {
    switch (kind) {
        case DragKind::kItems:
            m_status->setStatusText(StatusIcon::kHint, uiText(kDropIntoGroupHint));
            break;
        case DragKind::kFiles:
            m_status->setStatusText(StatusIcon::kTextFilesOnly, uiText(kTextFilesOnlyHint));
            break;
        case DragKind::kNone:
            refreshStatus();
            break;
    }
}

void MainWindow::refreshRecentMemos() {
    m_menu->setRecentMemos(recentMemoEntries(m_app.note()),
                           [this](tidemark::ItemId memo) { jumpToMemo(memo); });
}

void MainWindow::jumpToMemo(tidemark::ItemId memo) {
    const tidemark::Item* item = m_app.note().FindItem(memo);
    if (!item || !item->IsMemo() || !m_lists->revealAndSelect(memo, true))
        return;
    showItem(memo);
    if (m_panes->memoText()->holdsMemo())
        m_panes->memoText()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::setRecentNotes(const std::vector<tidemark::RecentNoteMenuEntry>& entries,
                                const std::function<void(CommandId)>& open) {
    m_menu->setRecentNotes(entries, open);
}

void MainWindow::refreshStatus() {
    const ListStatus lists = m_lists->status();
    m_status->setStatusText(ListPanes::statusPicture(lists.picture), lists.text);
    m_status->setPosition(lists.position, lists.count);
    m_status->setGroupTitle(lists.groupTitle);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty()) {
            refreshStatus();
        } else {
            m_status->setStatusText(StatusIcon::kNone, tip);
        }
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::setBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy) {
        m_focusBeforeBusy = focusWidget();
        for (QWidget* part : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (part->isWindow() || !part->isEnabled())
                continue;
            part->setEnabled(false);
            m_disabledWhileBusy.append(part);
        }
        return;
    }
    for (const QPointer<QWidget>& part : std::as_const(m_disabledWhileBusy)) {
        if (part)
            part->setEnabled(true);
    }
    m_disabledWhileBusy.clear();
    if (m_focusBeforeBusy && !focusWidget())
        m_focusBeforeBusy->setFocus(Qt::OtherFocusReason);
    m_focusBeforeBusy = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The job that holds the window works on the note.
    if (m_busy) {
        event->ignore();
        return;
    }
    if (!m_app.fileCommands().askToSaveBeforeClosing()) {
        event->ignore();
        return;
    }
    storeForNextRun();
    event->accept();
}

void MainWindow::endSession(SessionEndRequest& session) {
    if (m_app.fileCommands().askToSaveBeforeSessionEnd(session))
        storeForNextRun();
}

void MainWindow::storeForNextRun() {
    const tidemark::Settings before = m_app.settings();
    readBackBands();
    if (!(m_app.settings() == before)) {
        m_app.settings().SaveUnlessResident(m_app.environment().store, m_app.isResident());
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    storePlacement();
    snapAfterMove();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    storePlacement();
    if (m_app.settings().SnapToEdges && isVisible() && !m_snapping) {
        std::uint32_t& flags = m_app.note().View().windowFlags;
        flags = (flags & ~kEdgeFlags) | touchedEdges(frameGeometry(), workArea());
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        NoteViewSettings& view = m_app.note().View();
        if (isMaximized()) {
            view.maximized = 1;
        } else if (!isMinimized()) {
            view.maximized = 0;
        }
    } else if (event->type() == QEvent::ActivationChange) {
        m_app.updateActions();
        if (!isActiveWindow() && m_app.settings().StickyAlternate &&
            layoutMode() == PaneLayout::kAlternate) {
            setTitleBarHidden(true);
        }
    }
}

void MainWindow::storePlacement() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    NoteViewSettings& view = m_app.note().View();
    view.windowLeft = x();
    view.windowTop = y();
    view.windowWidth = width();
    view.windowHeight = height();
}

void MainWindow::snapAfterMove() {
    if (!m_app.settings().SnapToEdges || !isVisible() || m_snapping)
        return;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    const QRect area = workArea();
    if (area.isEmpty())
        return;
    const QPoint to = snappedPosition(frameGeometry(), area);
    if (to != frameGeometry().topLeft()) {
        m_snapping = true;
        move(to);
        m_snapping = false;
    }
    std::uint32_t& flags = m_app.note().View().windowFlags;
    flags = (flags & ~kEdgeFlags) | touchedEdges(QRect(to, frameGeometry().size()), area);
}

void MainWindow::workAreaChanged() {
    const std::uint32_t flags = m_app.note().View().windowFlags;
    if (!m_app.settings().SnapToEdges || !(flags & kEdgeFlags))
        return;
    move(keepTouchingEdges(frameGeometry(), workArea(), flags));
}

QRect MainWindow::workArea() const {
    const QScreen* screen = this->screen();
    return screen ? screen->availableGeometry() : QRect();
}
