#include "app/frame/resident/default_note_commands.h"

#include <QFileInfo>

#include "app/common/command_actions.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/instance_bus.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_dialogs.h"
#include "app/frame/process_launcher.h"
#include "app/frame/window_title.h"
#include "core/settings/default_note.h"

namespace {

using namespace tidemark;

constexpr std::uint32_t kWhatIsTheDefaultNote = 10044;
constexpr std::uint32_t kOpenNamedNote = 10045;
constexpr std::uint32_t kCannotOpenFile = 20029;

}  // namespace

DefaultNoteCommands::DefaultNoteCommands(Application& app) : m_app(app) {
    reload();
}

void DefaultNoteCommands::registerCommands(CommandActions& actions) {
    actions.setHandler(kCmdOpenDefaultNote, [this] { open(); });
    actions.setHandler(kCmdChooseDefaultNote, [this] { choose(); });
}

void DefaultNoteCommands::reload() {
    m_path = pathFromBytes(ReadDefaultNote(m_app.environment().store).View());
    if (changed)
        changed();
}

QString DefaultNoteCommands::entryText() const {
    if (m_path.isEmpty())
        return {};
    QString name = noteDisplayName(m_path);
    name.replace(u'&', QStringLiteral("&&"));
    return uiFormat(kOpenNamedNote, {utf8(name)});
}

void DefaultNoteCommands::open() {
    QWidget* owner = m_app.window();
    if (m_path.isEmpty()) {
        showMessage(owner, MessageKind::kInformation, uiText(kWhatIsTheDefaultNote));
        if (!choose() || m_path.isEmpty())
            return;
    }
    // Always a window process of its own; a window that shows the note
    // already comes to the front instead.
    if (!QFileInfo(m_path).isFile() || !m_app.environment().launcher.startProgram({m_path})) {
        showMessage(owner, MessageKind::kError, uiText(kCannotOpenFile));
    }
}

bool DefaultNoteCommands::choose() {
    const std::optional<QString> chosen = askDefaultNote(m_app.window());
    if (!chosen)
        return false;
    set(QFileInfo(*chosen).absoluteFilePath());
    return true;
}

void DefaultNoteCommands::set(const QString& path) {
    m_path = path;
    WriteDefaultNote(m_app.environment().store, ByteString(pathToBytes(path)));
    if (!m_app.isResident())
        m_app.environment().instances.defaultNoteChanged();
    if (changed)
        changed();
}
