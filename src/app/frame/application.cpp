#include "app/frame/application.h"

#include <filesystem>

#include "app/common/command_actions.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/find/find_commands.h"
#include "app/frame/file_commands.h"
#include "app/frame/instance_bus.h"
#include "app/frame/item_feature.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_context.h"
#include "app/frame/note_file_service.h"
#include "app/frame/pane_area.h"
#include "app/frame/simple_mode.h"
#include "app/frame/view_commands.h"
#include "app/rescue/rescue_command.h"
#include "app/text/memo_text_view.h"
#include "app/text/text_commands.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"

namespace {

constexpr std::uint32_t kOutOfMemory = 20070;
constexpr std::uint32_t kOutOfMemoryNewNote = 1034;

}  // namespace

Application::Application(AppEnvironment& environment, Options options)
    : m_environment(environment),
      m_options(options),
      m_note(std::make_unique<tidemark::Note>(this)),
      m_noteFiles(std::make_unique<NoteFileService>(environment.files)),
      m_actions(new CommandActions(this)),
      m_fileCommands(std::make_unique<FileCommands>(*this)) {
    const tidemark::SettingsEnvironment settingsEnvironment{
        environment.store, environment.fonts, environment.dragScroll, options.resident};
    m_settings.Load(settingsEnvironment);
    m_settings.ApplyEmptyDefaults(environment.fonts, environment.texts);
    if (options.simpleMode) {
        applySimpleModeDefaults(m_settings);
        saveSettings(true);
    }
    m_keys.Load(environment.store);
    m_scripts = tidemark::LoadScriptStore(
        environment.store, std::filesystem::path(pathToBytes(environment.legacyScriptFile)), *this);
    m_recent.Load(environment.store);
    m_fileCommands->registerCommands(*m_actions);
    connect(m_actions, &CommandActions::commandFinished, this, &Application::updateActions);
}

Application::~Application() {
    // The window refers to the application's parts; it goes first.
    delete m_window;
    m_window = nullptr;
}

bool Application::createMainWindow() {
    m_window = new MainWindow(*this);
    m_windowContext = std::make_unique<MainWindowContext>(*this, *m_window);
    m_viewCommands = std::make_unique<ViewCommands>(*this);
    m_viewCommands->registerCommands(*m_actions);
    // The features of the window, each reaching it through its context.
    MainWindowContext& context = *m_windowContext;
    installItemFeature(*this, *m_window);
    installTextCommands(context, *m_window->panes()->memoText());
    installRescueCommand(context);
    installFindCommands(context, m_window);
    m_actions->applyShortcuts(m_keys);
    m_fileCommands->rebuildRecentMenu();
    m_window->setStatusBarShown(m_settings.ShowStatusBar != 0);
    updateActions();
    return true;
}

bool Application::createInitialNote() {
    m_note->MakeNew(fromQString(uiText(UiStringId::kRootTitle)));
    if (m_note->RootId() == tidemark::kNoItem) {
        ReportOutOfMemory(kOutOfMemoryNewNote);
        return false;
    }
    m_note->SetCurrentItemId(m_note->RootId());
    m_modified = false;
    if (m_window)
        m_window->noteReplaced();
    updateActions();
    return true;
}

void Application::setNotePath(const QString& path) {
    m_notePath = path;
    if (m_window)
        m_window->updateTitle();
}

void Application::setReadOnlyMode(bool readOnly) {
    m_readOnly = readOnly;
    if (m_window)
        m_window->readOnlyChanged();
    updateActions();
}

void Application::setModifiedMark(bool modified) {
    m_modified = modified;
    if (m_window)
        m_window->setModifiedMark(modified);
}

bool Application::noteHasItems() const {
    return m_note->ItemCount() > 1;
}

bool Application::isEmptyWindow() const {
    return !noteHasItems() && m_notePath.isEmpty() && !m_modified && !m_options.resident;
}

void Application::saveSettings(bool apply) {
    if (m_options.resident)
        return;
    m_settings.SaveAndBroadcast(m_environment.store, *this, apply);
}

void Application::updateActions() {
    m_actions->updateActions();
    if (m_window)
        m_window->refreshStatus();
}

void Application::SetModified(bool modified, bool byUser) {
    m_fileCommands->noteReported(modified, byUser);
}

void Application::ReportOutOfMemory(std::uint32_t code) {
    showMessage(m_window, MessageKind::kError, uiFormat(kOutOfMemory, {code}));
}

bool Application::EncryptGroupContents(tidemark::ItemId groupId,
                                       const tidemark::ByteString& password) {
    return tidemark::EncryptGroupContents(*m_note, groupId, password);
}

bool Application::DecryptGroupContents(tidemark::ItemId groupId,
                                       const tidemark::ByteString& password) {
    return tidemark::DecryptGroupContents(*m_note, groupId, password);
}

void Application::BroadcastSettingsChanged(bool apply) {
    m_environment.instances.broadcastSettingsChanged(apply);
}

void Application::ApplySettings(const tidemark::SettingsChanges& changes) {
    if (!m_window)
        return;
    if (changes.BandVisibility)
        m_window->applyBands();
    m_window->setStatusBarShown(m_settings.ShowStatusBar != 0);
    m_window->applyHideEditor();
    m_window->panes()->memoText()->applySettings();
    if (ListPanes* lists = m_window->lists())
        lists->applySettings();
    updateActions();
}

void Application::ScriptStoreSaved() {
    // The other windows reload the store once the windows talk to each
    // other; the tool menu is rebuilt with the script commands.
}
