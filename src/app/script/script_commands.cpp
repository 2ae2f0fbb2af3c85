#include "app/script/script_commands.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextCursor>

#include "app/common/command_actions.h"
#include "app/common/file_dialog_filters.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/context/window_context.h"
#include "app/script/script_run.h"
#include "core/automation/automation_window.h"
#include "core/automation/window_automation.h"
#include "core/model/note.h"
#include "core/settings/command_ids.h"
#include "core/settings/settings.h"
#include "platform/posix/posix_folder_services.h"

namespace {

constexpr std::uint32_t kAllFilesFilter = 10009;
constexpr std::uint32_t kErrorReport = 20032;
constexpr std::uint32_t kNoEngine = 20033;
constexpr std::uint32_t kNotAScript = 20034;
// An error box whose parts reach this many bytes (with the layout's own)
// gets a stand-in for its description.
constexpr qsizetype kErrorTextBound = 1024;
constexpr qsizetype kErrorLayoutLength = 159;
constexpr std::uint32_t kFileMissing = 2;
constexpr std::uint32_t kReadFailed = 5;

// The script's text: UTF-8, or CP932 when it is not valid UTF-8.
QString decodeScript(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return toQString(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// The text selected in the memo text pane, lines ending in LF.
std::string selectedPaneText(QPlainTextEdit& pane) {
    QString text = pane.textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text.toStdString();
}

}  // namespace

// The window as the automation objects see it.
class ScriptCommands::Window : public tidemark::AutomationWindow {
public:
    explicit Window(WindowContext& context) : m_context(context) {}
    tidemark::Note& WindowNote() override { return m_context.note(); }
    tidemark::NoteHost& WindowHost() override { return *m_context.note().Host(); }
    bool IsReadOnly() const override { return m_context.isReadOnly(); }
    std::string FilePath() const override { return pathToBytes(m_context.notePath()); }

private:
    WindowContext& m_context;
};

ScriptCommands* installScriptCommands(WindowContext& context, ScriptTextPrinter printer,
                                      QObject* owner) {
    auto* commands = new ScriptCommands(context, std::move(printer), owner);
    commands->registerCommands(context.actions());
    return commands;
}

ScriptCommands::ScriptCommands(WindowContext& context, ScriptTextPrinter printer, QObject* parent)
    : QObject(parent),
      m_context(context),
      m_window(std::make_unique<Window>(context)),
      m_automation(std::make_unique<tidemark::WindowAutomation>(*m_window)),
      m_folders(std::make_unique<tidemark::PosixFolderServices>()),
      m_printer(std::move(printer)) {
    setObjectName(QStringLiteral("scriptCommands"));
}

ScriptCommands::~ScriptCommands() = default;

void ScriptCommands::registerCommands(CommandActions& actions) {
    actions.setHandler(tidemark::kCmdRunScriptFile, [this] { chooseAndRun(); });
}

void ScriptCommands::chooseAndRun() {
    QFileDialog dialog(m_context.dialogParent());
    dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    runScriptFile(dialog.selectedFiles().first());
}

QString ScriptCommands::findScript(const QString& name) const {
    if (QFileInfo(name).isFile())
        return name;
    const QString scriptFolder = toQString(m_context.settings().ScriptFolder);
    const QString folder =
        scriptFolder.isEmpty() ? QCoreApplication::applicationDirPath() : scriptFolder;
    const QString beside = folder + u'/' + name;
    return QFileInfo(beside).isFile() ? beside : QString();
}

void ScriptCommands::runScriptFile(const QString& path, const QString& displayName) {
    const QString name = displayName.isEmpty() ? QFileInfo(path).fileName() : displayName;
    if (!m_engines.built()) {
        m_engines.addScope(m_context.valueStore());
        m_engines.addScope(m_context.systemValueStore());
    }
    switch (m_engines.choose(path)) {
        case ScriptEngineTable::Choice::kNotAScript:
            showMessage(m_context.dialogParent(), MessageKind::kError, uiText(kNotAScript));
            return;
        case ScriptEngineTable::Choice::kUnknownEngine:
            showMessage(m_context.dialogParent(), MessageKind::kError,
                        uiFormat(kNoEngine, {utf8(name)}));
            return;
        case ScriptEngineTable::Choice::kBuiltIn:
            break;
    }
    const QString found = findScript(path);
    if (found.isEmpty()) {
        reportIoError(m_context.dialogParent(), kFileMissing, path);
        return;
    }
    QFile file(found);
    if (!file.open(QIODevice::ReadOnly)) {
        reportIoError(m_context.dialogParent(), kReadFailed, found);
        return;
    }
    const QString text = decodeScript(file.readAll());
    file.close();

    m_context.commitPendingEdits();
    tidemark::RunSnapshot snapshot;
    snapshot.selected = m_context.selection().selectedItems();
    snapshot.focused = m_context.selection().memoListFocused();
    if (m_context.focusWindow() == FocusWindow::kMemoText &&
        m_context.views().openMemo() != tidemark::kNoItem)
        snapshot.selectedText = selectedPaneText(m_context.memoTextPane());

    m_automation->BeginRun(snapshot);
    ScriptRun run(m_context, *m_automation, *m_folders, m_printer, name,
                  QFileInfo(found).absoluteFilePath(), text);
    run.exec();
    m_automation->EndRun();

    if (const auto& failure = run.failure(); failure && !failure->description.isEmpty()) {
        QString description = failure->description;
        const auto bytes = [](const QString& part) {
            return qsizetype(fromQString(part).View().size());
        };
        if (bytes(name) + bytes(failure->source) + bytes(description) + kErrorLayoutLength >=
            kErrorTextBound)
            description = QStringLiteral("(too long error message)");
        showMessage(m_context.dialogParent(), MessageKind::kError,
                    uiFormat(kErrorReport, {utf8(failure->source), utf8(name), failure->line,
                                            std::max(failure->character, 1), utf8(description)}));
    }
    reloadView(snapshot.focused);
}

void ScriptCommands::reloadView(tidemark::ItemId focused) {
    ItemViewUpdater& views = m_context.views();
    tidemark::Note& note = m_context.note();
    const tidemark::ItemId open = views.openMemo();
    if (open != tidemark::kNoItem)
        views.closeOpenMemo();
    views.childrenReordered(note.RootId());
    views.afterRemoval();
    views.noteViewChanged();
    if (focused != tidemark::kNoItem && note.FindItem(focused))
        m_context.revealAndSelect(ListKind::kMemoList, focused, true);
    if (open != tidemark::kNoItem && note.FindItem(open))
        m_context.openInTextPane(open);
    m_context.updateActions();
}
