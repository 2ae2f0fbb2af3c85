#include "app/frame/main_window_context.h"

#include <QPointer>
#include <QTimer>

#include "app/common/command_actions.h"
#include "app/context/item_view_updater.h"
#include "app/frame/app_environment.h"
#include "app/frame/application.h"
#include "app/frame/edit_focus_of.h"
#include "app/frame/file_commands.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_service.h"
#include "app/frame/pane_area.h"
#include "app/frame/status_bar.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "core/settings/settings.h"

tidemark::Note& MainWindowContext::note() const {
    return m_app.note();
}

tidemark::Settings& MainWindowContext::settings() const {
    return m_app.settings();
}

tidemark::FileSystem& MainWindowContext::files() const {
    return m_app.noteFiles().files();
}

tidemark::ValueStore& MainWindowContext::valueStore() const {
    return m_app.environment().store;
}

const tidemark::ValueStore& MainWindowContext::systemValueStore() const {
    return m_app.environment().systemStore;
}

QString MainWindowContext::notePath() const {
    return m_app.notePath();
}

bool MainWindowContext::isReadOnly() const {
    return m_app.IsReadOnly();
}

bool MainWindowContext::noteHasItems() const {
    return m_app.noteHasItems();
}

FocusWindow MainWindowContext::focusWindow() const {
    return m_window.lists()->focusWindow();
}

EditFocus MainWindowContext::editFocus() const {
    return editFocusOf(m_window);
}

SelectionSource& MainWindowContext::selection() const {
    return *m_window.lists();
}

ItemViewUpdater& MainWindowContext::views() const {
    return m_window.lists()->rowUpdates();
}

QPlainTextEdit& MainWindowContext::memoTextPane() const {
    return *m_window.panes()->memoText();
}

LinkOpener& MainWindowContext::linkOpener() const {
    return m_window.panes()->memoText()->linkOpener();
}

void MainWindowContext::commitPendingEdits() {
    m_window.lists()->commitEdits();
}

bool MainWindowContext::revealAndSelect(ListKind list, tidemark::ItemId item, bool exclusive) {
    ListPanes& lists = *m_window.lists();
    return list == ListKind::kMemoList ? lists.revealAndSelect(item, exclusive)
                                       : lists.revealInGroupList(item, exclusive);
}

void MainWindowContext::focusMemoList() {
    ListPanes& lists = *m_window.lists();
    // The list must come into view where it takes turns with the text.
    if (m_window.layoutMode() == PaneLayout::kAlternate)
        lists.rowUpdates().closeOpenMemo();
    m_window.panes()->relayout();
    m_window.panes()->memoList()->setFocus(Qt::OtherFocusReason);
}

void MainWindowContext::openInTextPane(tidemark::ItemId memo) {
    m_window.showItem(memo);
}

void MainWindowContext::showStatusText(const QString& text, bool warning) {
    QPointer<MainStatusBar> status = m_window.status();
    QTimer::singleShot(0, status, [status, text, warning] {
        if (status)
            status->setStatusText(warning ? StatusIcon::kFailure : StatusIcon::kNone, text);
    });
}

void MainWindowContext::updateActions() {
    m_app.updateActions();
}

void MainWindowContext::setBusy(bool busy) {
    if (busy) {
        if (m_busyDepth++ > 0)
            return;
    } else {
        if (m_busyDepth == 0 || --m_busyDepth > 0)
            return;
    }
    m_window.setBusy(busy);
    m_app.actions().setBusy(busy);
    if (busy)
        m_app.actions().updateActions();  // every command greyed for the job
    else
        m_app.updateActions();
    // After the command that ended the job has finished its own work.
    if (!busy && !m_heldWork.empty())
        QTimer::singleShot(0, &m_window, [this] { runHeldWork(); });
}

void MainWindowContext::whenIdle(std::function<void()> work) {
    if (isBusy()) {
        m_heldWork.push_back(std::move(work));
        return;
    }
    work();
}

void MainWindowContext::runHeldWork() {
    std::vector<std::function<void()>> held;
    held.swap(m_heldWork);
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (isBusy()) {
            // A held request started another job: the rest wait for it.
            m_heldWork.insert(m_heldWork.begin(), std::make_move_iterator(held.begin() + i),
                              std::make_move_iterator(held.end()));
            return;
        }
        held[i]();
    }
}

QWidget* MainWindowContext::dialogParent() const {
    return &m_window;
}

CommandActions& MainWindowContext::actions() const {
    return m_app.actions();
}

void MainWindowContext::openHelp(int topic) {
    m_app.fileCommands().startHelp(topic);
}

void MainWindowContext::saveSettings() {
    m_app.settings().SaveUnlessResident(m_app.environment().store, m_app.isResident());
}
