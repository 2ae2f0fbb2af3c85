#include "app/script/script_host_object.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "app/common/file_dialog_filters.h"
#include "app/common/link_opener.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/context/window_context.h"
#include "app/script/run_command.h"
#include "app/script/script_bridge.h"
#include "app/script/script_objects.h"
#include "app/script/script_run.h"
#include "core/automation/file_object.h"
#include "core/automation/note_object.h"
#include "core/automation/note_service.h"
#include "core/settings/settings.h"

namespace {

constexpr std::uint32_t kCannotCreate = 20041;
constexpr std::uint32_t kCannotOpen = 20042;
constexpr std::uint32_t kCannotExecute = 20043;
constexpr std::uint32_t kCancelled = 20036;
constexpr std::uint32_t kUrlTooLong = 20071;
constexpr std::uint32_t kNameTooLong = 20072;
// How often Execute looks at the Cancel button while its program runs.
constexpr int kExecutePollMs = 50;
constexpr std::uint32_t kAllFilesFilter = 10009;

QMessageBox::StandardButtons buttonsFor(int buttonMode) {
    switch (buttonMode & 0xF) {
        case ScriptHostObject::kOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case 3:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case ScriptHostObject::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

int answerOf(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes:
            return ScriptHostObject::kYes;
        case QMessageBox::No:
            return ScriptHostObject::kNo;
        case QMessageBox::Cancel:
            return ScriptHostObject::kCancel;
        default:
            return ScriptHostObject::kOk;
    }
}

// The lines of a choice list: split at LF, a CR ending a line cut.
QStringList choiceLines(const QString& elements) {
    QStringList lines = elements.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

}  // namespace

ScriptHostObject::ScriptHostObject(const ScriptBridge& bridge, ScriptRun& run)
    : m_bridge(bridge), m_run(run) {}

int ScriptHostObject::Version() const {
    return tidemark::NoteService::kVersion;
}

QString ScriptHostObject::ScriptName() const {
    return m_run.displayName();
}

QString ScriptHostObject::ScriptFileName() const {
    return m_run.path();
}

QString ScriptHostObject::EditorName() const {
    return m_bridge.onGui([this] { return toQString(m_bridge.settings().EditorPath); });
}

void ScriptHostObject::Quit() {
    m_run.requestQuit();
}

void ScriptHostObject::Message(const QString& text) {
    m_bridge.onGui([&] {
        QMessageBox box(QMessageBox::NoIcon, uiText(UiStringId::kProductName), text,
                        QMessageBox::Ok, m_run.context().dialogParent());
        box.exec();
    });
}

int ScriptHostObject::Confirm(const QString& text, int buttonMode) {
    return m_bridge.onGui([&] {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (buttonMode & 0xF0) {
            case 0x10:
                icon = QMessageBox::Critical;
                break;
            case 0x20:
                icon = QMessageBox::Question;
                break;
            case 0x30:
                icon = QMessageBox::Warning;
                break;
            case 0x40:
                icon = QMessageBox::Information;
                break;
            default:
                break;
        }
        QMessageBox box(icon, uiText(UiStringId::kProductName), text, buttonsFor(buttonMode),
                        m_run.context().dialogParent());
        box.exec();
        return answerOf(box.standardButton(box.clickedButton()));
    });
}

QString ScriptHostObject::Input(const QString& text, const QString& initText) {
    return m_bridge.onGui([&] {
        QInputDialog dialog(m_run.context().dialogParent());
        dialog.setObjectName(QStringLiteral("scriptInput"));
        dialog.setWindowTitle(uiText(UiStringId::kProductName));
        dialog.setLabelText(text);
        dialog.setTextValue(initText);
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    });
}

int ScriptHostObject::Choose(const QString& text, const QString& elements, int initIndex) {
    return m_bridge.onGui([&] {
        const QStringList lines = choiceLines(elements);
        QInputDialog dialog(m_run.context().dialogParent());
        dialog.setObjectName(QStringLiteral("scriptChoose"));
        dialog.setWindowTitle(uiText(UiStringId::kProductName));
        dialog.setLabelText(text);
        dialog.setComboBoxItems(lines);
        dialog.setComboBoxEditable(false);
        if (initIndex >= 0 && initIndex < lines.size())
            dialog.setTextValue(lines[initIndex]);
        if (dialog.exec() != QDialog::Accepted)
            return -1;
        // Lines may repeat: the index is the combo box's own.
        const auto* combo = dialog.findChild<QComboBox*>();
        return combo ? combo->currentIndex() : int(lines.indexOf(dialog.textValue()));
    });
}

QString ScriptHostObject::ChooseFile(const QString& caption, bool saveFlag) {
    return m_bridge.onGui([&] {
        QFileDialog dialog(m_run.context().dialogParent(), caption);
        dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
        dialog.setAcceptMode(saveFlag ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saveFlag ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    });
}

bool ScriptHostObject::isNoteService(const QString& progId) {
    return progId.compare(QStringLiteral("tmk.NoteService"), Qt::CaseInsensitive) == 0 ||
           progId.compare(QStringLiteral("tmk.NoteService.1"), Qt::CaseInsensitive) == 0;
}

QJSValue ScriptHostObject::CreateObject(const QString& progId) {
    if (isNoteService(progId))
        return m_bridge.wrap(new ScriptNoteService(m_bridge));
    m_bridge.raise(tidemark::Raise(kCannotCreate, progId.toStdString()));
    return QJSValue(QJSValue::NullValue);
}

QJSValue ScriptHostObject::GetObject(const QString& fileName, const QString& progId) {
    // Only notes can be had from a file: a note file by itself, or one the
    // note service opens.
    if (progId.isEmpty() || isNoteService(progId)) {
        auto note = m_bridge.onGui([&]() -> std::shared_ptr<tidemark::NoteObject> {
            tidemark::NoteService service(m_bridge.files(), &m_bridge.settings());
            auto opened = service.Open(pathToBytes(fileName));
            return opened.Ok() ? std::move(opened).Value() : nullptr;
        });
        if (note)
            return m_bridge.wrap(new ScriptNote(m_bridge, std::move(note)));
    }
    m_bridge.raise(tidemark::Raise(kCannotOpen, fileName.toStdString()));
    return QJSValue(QJSValue::NullValue);
}

void ScriptHostObject::Run(const QString& command) {
    const RunCommand parts = splitRunCommand(command);
    const qsizetype bytes = qsizetype(fromQString(parts.file).View().size());
    if (parts.isUrl() ? bytes > kRunUrlBytes : bytes >= kRunNameBytes) {
        m_bridge.raise(tidemark::Raise(parts.isUrl() ? kUrlTooLong : kNameTooLong));
        return;
    }
    const bool started = m_bridge.onGui([&] {
        const QString file = parts.unquotedFile();
        if (file.isEmpty())
            return false;
        if (!parts.isUrl()) {
            // A program starts on its own; anything else opens as a document.
            const QFileInfo info(file);
            QString program =
                info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
            if (program.isEmpty() && !file.contains(u'/'))
                program = QStandardPaths::findExecutable(file);
            if (!program.isEmpty())
                return QProcess::startDetached(program, QProcess::splitCommand(parts.parameters));
        }
        return m_run.context().linkOpener().openLink(file);
    });
    if (!started)
        m_bridge.raise(tidemark::Raise(kCannotExecute, command.toStdString()));
}

int ScriptHostObject::Execute(const QString& command) {
    // The program runs from this thread; the note is not involved.
    QStringList arguments = QProcess::splitCommand(command);
    QProcess process;
    if (!arguments.isEmpty()) {
        const QString program = arguments.takeFirst();
        process.start(program, arguments);
    }
    if (process.program().isEmpty() || !process.waitForStarted()) {
        m_bridge.raise(tidemark::Raise(kCannotExecute, command.toStdString()));
        return 0;
    }
    while (!process.waitForFinished(kExecutePollMs)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (m_run.cancelRequested()) {
            process.kill();
            process.waitForFinished();
            m_bridge.raise(tidemark::Raise(kCancelled));
            return 0;
        }
    }
    return process.exitCode();
}

QJSValue ScriptHostObject::GetNote() {
    auto note = m_bridge.onGui([this] { return m_run.windowNote(); });
    return m_bridge.wrap(new ScriptNote(m_bridge, std::move(note)));
}

void ScriptHostObject::Print(const QString& text) {
    m_bridge.onGui([&] { m_run.print(text); });
}

void ScriptHostObject::Console(const QString& text) {
    m_bridge.onGui([&] { m_run.appendConsole(text); });
}

QJSValue ScriptHostObject::FileObject(const QString& fileName) {
    auto file = m_bridge.take(m_bridge.onGui([&] {
        return tidemark::FileObject::Make(m_bridge.files(), m_bridge.folders(),
                                          pathToBytes(fileName));
    }));
    if (!file)
        return QJSValue(QJSValue::NullValue);
    return m_bridge.wrap(new ScriptFileObject(m_bridge, std::move(file)));
}
