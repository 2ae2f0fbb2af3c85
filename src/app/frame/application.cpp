#include "app/frame/application.h"

#include <QApplication>
#include <filesystem>

#include "app/common/command_actions.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/find/find_commands.h"
#include "app/frame/file_commands.h"
#include "app/frame/instance_bus.h"
#include "app/frame/instances/instance_requests.h"
#include "app/frame/item_feature.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_menu.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_context.h"
#include "app/frame/note_file_service.h"
#include "app/frame/options_command.h"
#include "app/frame/pane_area.h"
#include "app/frame/resident/default_note_commands.h"
#include "app/frame/resident/resident_icon.h"
#include "app/frame/simple_mode.h"
#include "app/frame/view_commands.h"
#include "app/print/print_commands.h"
#include "app/rescue/rescue_command.h"
#include "app/script/registered/registered_script_commands.h"
#include "app/script/script_commands.h"
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
      m_fileCommands(std::make_unique<FileCommands>(*this)),
      m_defaultNote(std::make_unique<DefaultNoteCommands>(*this)),
      m_requests(std::make_unique<InstanceRequests>(*this)) {
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
    m_defaultNote->registerCommands(*m_actions);
    InstanceBus& instances = environment.instances;
    m_actions->setHandler(tidemark::kCmdBringAllToFront,
                          [&instances] { instances.bringAllToFront(); });
    m_actions->setHandler(tidemark::kCmdCloseAll, [&instances] { instances.closeAll(); });
    instances.serve(m_requests.get());
    connect(m_actions, &CommandActions::commandFinished, this, &Application::updateActions);
}

Application::~Application() {
    m_environment.instances.serve(nullptr);
    if (m_residentIcon)
        QApplication::setQuitOnLastWindowClosed(true);
    // The window refers to the application's parts; it goes first.
    m_registeredScripts = nullptr;
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
    installPrintCommands(context);
    ScriptCommands* scripts = installScriptCommands(
        context, [&context](const QString& text) { return printText(context, text); }, m_window);
    m_registeredScripts = installRegisteredScripts(
        context, *scripts, m_scripts, [this] { saveScripts(); }, m_window);
    m_registeredScripts->attachToolMenu(*m_window->mainMenu()->toolMenu(), *m_window);
    m_actions->setHandler(tidemark::kCmdOptions, [this] { runOptionsSheet(*this); });
    m_actions->applyShortcuts(m_keys);
    m_fileCommands->rebuildRecentMenu();
    m_window->setStatusBarShown(m_settings.ShowStatusBar != 0);
    updateActions();
    return true;
}

bool Application::createResidentIcon() {
    m_residentIcon = std::make_unique<ResidentIcon>(*m_actions);
    ResidentIcon& icon = *m_residentIcon;
    DefaultNoteCommands& defaultNote = *m_defaultNote;
    defaultNote.changed = [&icon, &defaultNote] {
        icon.setDefaultNoteText(defaultNote.entryText());
    };
    icon.setDefaultNoteText(defaultNote.entryText());
    connect(&icon, &ResidentIcon::menuAboutToShow, this, &Application::updateActions);
    // The dialogs shown from the icon are the only windows: closing the last
    // of them must not end the process.
    QApplication::setQuitOnLastWindowClosed(false);
    m_actions->setHandler(tidemark::kCmdExit, [] { QApplication::quit(); });
    m_actions->applyShortcuts(m_keys);
    m_fileCommands->rebuildRecentMenu();
    icon.show();
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

void Application::reloadSettings(bool apply) {
    const tidemark::SettingsEnvironment settingsEnvironment{
        m_environment.store, m_environment.fonts, m_environment.dragScroll, m_options.resident};
    m_settings.Reload(settingsEnvironment, m_environment.texts, apply, *this);
    if (apply) {
        m_keys.Load(m_environment.store);
        m_actions->applyShortcuts(m_keys);
    }
}

void Application::reloadScripts() {
    m_scripts = tidemark::LoadScriptStore(
        m_environment.store, std::filesystem::path(pathToBytes(m_environment.legacyScriptFile)),
        *this);
    if (m_registeredScripts)
        m_registeredScripts->rebuildToolMenu();
}

void Application::saveScripts() {
    tidemark::SaveScriptStore(m_environment.store, m_scripts, *this);
}

void Application::updateActions() {
    // A job holding the window (a script making thousands of items) changes
    // the note many times; the commands and the status bar follow once it ends.
    if (m_window && m_windowContext && m_windowContext->isBusy())
        return;
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
    m_window->panes()->relayout();
    m_window->applySnapping();
    updateActions();
}

void Application::ScriptStoreSaved() {
    m_environment.instances.broadcastScriptsChanged();
    if (m_registeredScripts)
        m_registeredScripts->rebuildToolMenu();
}
