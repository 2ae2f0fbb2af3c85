#include "app/frame/file_commands.h"

#include "app/common/help_topics.h"
#include "app/common/wait_cursor.h"
#include "core/settings/startup_option.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "app/common/command_actions.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/default_note_file.h"
#include "app/frame/instance_bus.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_context.h"
#include "app/frame/note_file_dialogs.h"
#include "app/frame/note_file_service.h"
#include "app/frame/process_launcher.h"
#include "app/frame/resident/default_note_commands.h"
#include "app/frame/resident/resident_icon.h"
#include "app/frame/session_end.h"
#include "app/frame/shortcuts/shortcut_commands.h"
#include "app/frame/startup_option_dialog.h"
#include "app/frame/window_title.h"
#include "app/script/registered/registered_script_commands.h"
#include "core/common/error_code.h"
#include "core/common/path_compare.h"
#include "core/file/note_storage.h"
#include "core/model/note.h"

namespace {

using namespace tidemark;

namespace Msg {
constexpr std::uint32_t kAskToSave = 13001;
constexpr std::uint32_t kNoteUpgraded = 14002;
constexpr std::uint32_t kCreatedInDocuments = 14011;
constexpr std::uint32_t kCreatedOnDesktop = 14012;
constexpr std::uint32_t kNowDefaultNote = 14015;
constexpr std::uint32_t kOpenedReadOnly = 14016;
constexpr std::uint32_t kHeldByOtherProcess = 20096;
constexpr std::uint32_t kSaveBeforeReadOnly = 20097;
}  // namespace Msg

namespace Startup = tidemark::StartupOption;

bool samePath(const QString& a, const QString& b) {
    return !a.isEmpty() && tidemark::SamePath(pathToBytes(a), pathToBytes(b));
}

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

FileCommands::FileCommands(Application& app)
    : m_app(app), m_shortcuts(std::make_unique<ShortcutCommands>(app)) {}

FileCommands::~FileCommands() = default;

QWidget* FileCommands::owner() const {
    return m_app.window();
}

bool FileCommands::exclusive() const {
    return m_app.settings().NoExclusiveOpen == 0;
}

void FileCommands::registerCommands(CommandActions& actions) {
    Application& app = m_app;
    auto writable = [&app] { return CommandState{!app.IsReadOnly()}; };
    actions.setHandler(kCmdNewNote, [this] { newNote(); });
    actions.setHandler(kCmdNewFromTemplate, [this] { newFromTemplate(); });
    actions.setHandler(kCmdOpenNote, [this] { open(); });
    actions.setHandler(
        kCmdSave, [this] { save(); }, writable);
    actions.setHandler(
        kCmdSaveAs, [this] { saveAs(true); }, writable);
    actions.setHandler(
        kCmdReadOnly, [this] { toggleReadOnly(); },
        [&app] {
            return CommandState{!app.isHelpNote() && !app.isModified() && app.noteHasItems(),
                                app.IsReadOnly()};
        });
    // Also in read-only mode: a shortcut changes nothing in the note.
    actions.setHandler(kCmdCreateShortcut, [this] { m_shortcuts->createShortcut(); });
    actions.setHandler(kCmdHelp, [this] { startHelp(HelpTopic::kRoot); });
    actions.setHandler(kCmdQuickStart, [this] { startHelp(HelpTopic::kQuickStart); });
    actions.setHandler(kCmdScriptHelp, [this] { startHelp(HelpTopic::kScripts); });
}

void FileCommands::newNote() {
    if (m_app.isEmptyWindow())
        return;
    m_app.environment().launcher.startProgram({QStringLiteral("/n")});
}

bool FileCommands::newFromTemplate() {
    if (m_app.isEmptyWindow()) {
        RegisteredScriptCommands* scripts = m_app.registeredScripts();
        return scripts && scripts->chooseAndRunTemplate();
    }
    m_app.environment().launcher.startProgram({QStringLiteral("/t")});
    return true;
}

void FileCommands::open() {
    const std::optional<OpenNoteChoice> choice = askNoteToOpen(owner());
    if (!choice)
        return;
    openNoteByPath(choice->path, choice->readOnly);
    m_app.updateActions();
}

FileCommands::OpenOutcome FileCommands::openNoteByPath(const QString& given, bool readOnly) {
    const QString path = absolute(given);
    if (samePath(path, m_app.notePath())) {
        if (MainWindow* window = m_app.window())
            window->bringToFront();
        addRecentNote(path, true);
        return OpenOutcome::kAlreadyHere;
    }
    if (m_app.environment().instances.bringForwardHolder(path, kNoItem)) {
        addRecentNote(path, true);
        return OpenOutcome::kHandedElsewhere;
    }
    if (m_app.isEmptyWindow())
        return loadHere(path, readOnly);
    QStringList arguments;
    if (readOnly)
        arguments << QStringLiteral("/r");
    arguments << path;
    m_app.environment().launcher.startProgram(arguments);
    return OpenOutcome::kHandedElsewhere;
}

FileCommands::OpenOutcome FileCommands::loadHere(const QString& path, bool readOnly) {
    Note& note = m_app.note();
    int result = LoadResult::kWritable;
    try {
        WaitCursor wait;
        result = m_app.noteFiles().load(note, path, exclusive());
    } catch (const IoError& error) {
        reportIoError(owner(), error.Code(), path);
        m_app.createInitialNote();
        return OpenOutcome::kFailed;
    }
    // The item that was current when the note was saved is shown again.
    const ItemId wasCurrent = note.CurrentItemId();
    note.SetCurrentItemId(note.RootId());
    m_app.setNotePath(path);
    QDir::setCurrent(QFileInfo(path).absolutePath());
    const bool heldElsewhere = result == LoadResult::kHeldElsewhere;
    if (readOnly)
        m_app.noteFiles().releaseWriteAccess(note);
    m_app.setReadOnlyMode(readOnly || heldElsewhere);
    addRecentNote(path, true);
    if (MainWindow* window = m_app.window()) {
        window->noteReplaced();
        window->applyNoteView();
        window->showForNote();
        window->revealItem(wasCurrent);
    }
    if (note.FileVersionRead() < Note::kVersion) {
        showMessage(owner(), MessageKind::kInformation, uiText(Msg::kNoteUpgraded));
    }
    if (heldElsewhere) {
        showMessage(owner(), MessageKind::kInformation, uiText(Msg::kOpenedReadOnly));
    }
    return OpenOutcome::kLoaded;
}

void FileCommands::writeToPath() {
    if (MainWindow* window = m_app.window()) {
        m_app.windowContext().commitPendingEdits();
        window->storeColumnWidths();
    }
    WaitCursor wait;
    m_app.noteFiles().save(m_app.note(), m_app.notePath(), exclusive());
}

bool FileCommands::save() {
    if (m_saving)
        return false;
    if (m_app.notePath().isEmpty()) {
        if (m_app.settings().AutoSave && createDefaultNoteFile())
            return true;
        return saveAs(true);
    }
    try {
        m_saving = true;
        writeToPath();
        m_saving = false;
    } catch (const IoError& error) {
        m_saving = false;
        reportIoError(owner(), error.Code(), m_app.notePath());
        return saveAs(true);
    }
    addRecentNote(m_app.notePath(), true);
    m_app.SetModified(false, false);
    return true;
}

bool FileCommands::saveAs(bool interactive) {
    QString proposed = m_app.notePath();
    const QString extension = uiText(UiStringId::kNoteExtension);
    if (proposed.isEmpty()) {
        proposed = uiText(UiStringId::kNewNoteName);
    } else if (proposed.endsWith(extension, Qt::CaseInsensitive)) {
        proposed.chop(extension.size());
    }
    const std::optional<QString> chosen = askNotePathToSave(owner(), proposed);
    if (!chosen)
        return false;
    m_app.setNotePath(absolute(*chosen));
    ++m_saveAsDepth;
    const bool saved = save();
    --m_saveAsDepth;
    if (saved)
        QDir::setCurrent(QFileInfo(m_app.notePath()).absolutePath());
    if (saved && interactive && m_saveAsDepth == 0)
        m_shortcuts->offerAfterSave();
    return saved;
}

bool FileCommands::createDefaultNoteFile() {
    QString folder = documentsFolder();
    bool onDesktop = false;
    if (folder.isEmpty()) {
        folder = desktopFolder();
        onDesktop = true;
    }
    if (folder.isEmpty())
        return false;
    NoteFileService& files = m_app.noteFiles();
    const std::optional<QString> path =
        freeDefaultNotePath(folder, [&files](const QString& p) { return files.exists(p); });
    if (!path)
        return false;

    m_app.setNotePath(*path);
    try {
        m_saving = true;
        writeToPath();
        m_saving = false;
    } catch (const IoError& error) {
        m_saving = false;
        reportIoError(owner(), error.Code(), *path);
        m_app.setNotePath(QString());
        return false;
    }
    addRecentNote(*path, true);
    m_app.SetModified(false, false);

    const QString name = noteDisplayName(*path);
    showMessage(
        owner(), MessageKind::kInformation,
        uiFormat(onDesktop ? Msg::kCreatedOnDesktop : Msg::kCreatedInDocuments, {utf8(name)}));
    m_app.defaultNote().set(*path);
    showMessage(owner(), MessageKind::kInformation, uiFormat(Msg::kNowDefaultNote, {utf8(name)}));
    m_shortcuts->offerAfterSave();
    return true;
}

void FileCommands::holdReports(bool hold) {
    if (hold) {
        ++m_holds;
        return;
    }
    if (m_holds == 0 || --m_holds > 0 || !m_held)
        return;
    m_held = false;
    noteReported(true, m_heldMaySave);
}

void FileCommands::noteReported(bool modified, bool byUser) {
    if (modified && m_holds > 0) {
        m_heldMaySave = m_held ? m_heldMaySave && byUser : byUser;
        m_held = true;
        return;
    }
    if (modified)
        m_sessionEndAccepted = false;
    if (!modified) {
        m_app.setModifiedMark(false);
    } else if (m_app.settings().AutoSave && byUser && !m_saving) {
        // Saved at once; a save that did not happen leaves the mark, so
        // that closing still asks before the changes are lost.
        if (!save())
            m_app.setModifiedMark(true);
    } else if (!m_app.isModified()) {
        m_app.setModifiedMark(true);
    }
    m_app.updateActions();
}

bool FileCommands::hasChangesToLose() {
    if (m_app.IsReadOnly())
        return false;
    if (m_app.window())
        m_app.windowContext().commitPendingEdits();
    return m_app.isModified();
}

bool FileCommands::askToSaveBeforeClosing() {
    if (!hasChangesToLose())
        return true;
    if (m_sessionEndAccepted)
        return true;
    return askToSave();
}

bool FileCommands::askToSave() {
    if (m_app.settings().AutoSave && save())
        return true;
    if (MainWindow* window = m_app.window())
        window->bringToFront();
    switch (showMessage(owner(), MessageKind::kQuestionOrCancel, uiText(Msg::kAskToSave))) {
        case QMessageBox::Yes:
            return save();
        case QMessageBox::No:
            return true;
        default:
            return false;
    }
}

bool FileCommands::askToSaveBeforeSessionEnd(SessionEndRequest& session) {
    if (!hasChangesToLose())
        return true;
    if (!session.allowsInteraction()) {
        // No message, no file dialog: only a note that has its file can be
        // written, and only automatic saving may write it unasked.
        if (m_app.settings().AutoSave && !m_app.notePath().isEmpty() && !m_saving) {
            try {
                m_saving = true;
                writeToPath();
                m_saving = false;
                m_app.SetModified(false, false);
            } catch (const IoError&) {
                m_saving = false;
            }
        }
        return true;
    }
    if (!askToSave()) {
        session.cancel();
        return false;
    }
    m_sessionEndAccepted = m_app.isModified();
    return true;
}

void FileCommands::toggleReadOnly() {
    if (m_app.isHelpNote())
        return;
    Note& note = m_app.note();
    if (!m_app.IsReadOnly()) {
        if (m_app.isModified()) {
            showMessage(owner(), MessageKind::kError, uiText(Msg::kSaveBeforeReadOnly));
            return;
        }
        m_app.noteFiles().releaseWriteAccess(note);
        m_app.setReadOnlyMode(true);
        return;
    }
    if (exclusive() && !m_app.notePath().isEmpty() &&
        !m_app.noteFiles().acquireWriteAccess(note, m_app.notePath())) {
        showMessage(owner(), MessageKind::kError, uiText(Msg::kHeldByOtherProcess));
        return;
    }
    m_app.setReadOnlyMode(false);
}

void FileCommands::openRecent(CommandId id) {
    const ByteString* path = m_app.recentNotes().PathForCommand(id);
    if (!path)
        return;
    openNoteByPath(pathFromBytes(path->View()), false);
    m_app.updateActions();
}

void FileCommands::addRecentNote(const QString& path, bool tellOthers) {
    m_app.recentNotes().Add(ByteString(pathToBytes(path)));
    rebuildRecentMenu();
    if (tellOthers) {
        m_app.recentNotes().Save(m_app.environment().store);
        m_app.environment().instances.shareRecentNote(path);
    }
}

void FileCommands::rebuildRecentMenu() {
    const auto open = [this](CommandId id) { openRecent(id); };
    if (MainWindow* window = m_app.window())
        window->setRecentNotes(m_app.recentNotes().MenuEntries(), open);
    if (ResidentIcon* icon = m_app.residentIcon())
        icon->setRecentNotes(m_app.recentNotes().MenuEntries(), open);
}

void FileCommands::startHelp(int topic) {
    m_app.environment().launcher.startProgram({QStringLiteral("/h"), QString::number(topic)});
}

bool FileCommands::openHelpNote(int topic) {
    const QString path = m_app.environment().helpNotePath;
    if (m_app.environment().instances.bringForwardHolder(path, static_cast<ItemId>(topic))) {
        return false;
    }
    Note& note = m_app.note();
    try {
        WaitCursor wait;
        // Read without holding the file: the help note is never written.
        m_app.noteFiles().load(note, path, false);
    } catch (const IoError& error) {
        reportIoError(owner(), error.Code(), path);
        m_app.createInitialNote();
        return false;
    }
    note.SetCurrentItemId(note.RootId());
    m_app.setNotePath(path);
    m_app.setHelpNote(true);
    m_app.setReadOnlyMode(true);
    if (MainWindow* window = m_app.window()) {
        window->noteReplaced();
        window->applyNoteView();
        window->showForNote();
        window->revealItem(static_cast<ItemId>(topic));
        window->updateTitle();
    }
    return true;
}

bool FileCommands::applyStartupOption() {
    const int option = m_app.settings().StartupMode;
    if (option != Startup::kAsk)
        return runStartupOption(option);

    const QString lastNote = m_app.recentNotes().Empty()
                                 ? QString()
                                 : noteDisplayName(pathFromBytes(m_app.recentNotes().MostRecent()));
    StartupOptionDialog dialog(option, lastNote, owner());
    QObject::connect(&dialog, &StartupOptionDialog::helpRequested,
                     [this] { startHelp(HelpTopic::kStartupOption); });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int chosen = dialog.chosenOption();
    if (dialog.rememberChoice()) {
        m_app.settings().StartupMode = chosen;
        m_app.saveSettings(false);
    }
    return runStartupOption(chosen);
}

bool FileCommands::runStartupOption(int option) {
    switch (option) {
        case Startup::kChooseNote: {
            const std::optional<OpenNoteChoice> choice = askNoteToOpen(owner());
            if (!choice)
                return true;  // the window stays empty
            return openNoteByPath(choice->path, choice->readOnly) != OpenOutcome::kHandedElsewhere;
        }
        case Startup::kLastNote:
            if (m_app.recentNotes().Empty())
                return true;
            return openNoteByPath(pathFromBytes(m_app.recentNotes().MostRecent()), false) !=
                   OpenOutcome::kHandedElsewhere;
        case Startup::kTemplate:
            return newFromTemplate();
        case Startup::kNewNote:
        default:
            return true;
    }
}
