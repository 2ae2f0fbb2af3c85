#include "app/textio/text_export_command.h"

#include "app/common/export_formats.h"
#include "app/common/wait_cursor.h"
#include "app/context/window_context.h"

#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>

#include "app/common/file_dialog_filters.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "core/common/error_code.h"
#include "core/file/buffered_file.h"
#include "core/settings/settings.h"
#include "core/textio/text_exporter.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kTextExtension = 10008;
constexpr std::uint32_t kAllFilesFilter = 10009;
constexpr std::uint32_t kExportTitle = 10016;

bool sameFile(const QString& a, const QString& b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

}  // namespace

QString proposedExportPath(const QString& notePath) {
    const qsizetype nameStart =
        std::max(notePath.lastIndexOf(u'/'), notePath.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = notePath.lastIndexOf(u'.');
    // A dot in a folder's name is no extension of the note's file.
    if (dot < nameStart)
        return notePath;
    return notePath.left(dot) + uiText(kTextExtension);
}

std::uint32_t exportNoteToFile(const Note& note, const ExportFormats& formats, FileSystem& files,
                               const QString& path) {
    BufferedFile out(&files, pathToBytes(path));
    const std::uint32_t opened = out.OpenWrite();
    if (opened != ErrorCode::kSuccess)
        return opened;
    const std::uint32_t written = ExportNote(note, formats, out);
    // Closing writes the buffered rest: its failure counts as much as any other.
    const std::uint32_t closed = out.Close();
    return written != ErrorCode::kSuccess ? written : closed;
}

std::optional<QString> askExportPath(QWidget* owner, const QString& proposedPath) {
    QFileDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("textExportDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(uiText(kExportTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
    QString suffix = uiText(kTextExtension);
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!proposedPath.isEmpty())
        dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void TextExportCommand::run() {
    m_context.commitPendingEdits();
    QWidget* owner = m_context.dialogParent();
    const std::optional<QString> chosen =
        askExportPath(owner, proposedExportPath(m_context.notePath()));
    if (!chosen)
        return;
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    // Written over, the note's own file would lose the saved note; a window
    // that holds the file finds it in use, and so does one that does not.
    if (!m_context.notePath().isEmpty() && sameFile(path, m_context.notePath())) {
        reportIoError(owner, ErrorCode::kSharingViolation, QDir::toNativeSeparators(path));
        return;
    }
    std::uint32_t code = ErrorCode::kSuccess;
    {
        WaitCursor wait;
        code = exportNoteToFile(m_context.note(), exportFormatsOf(m_context.settings()),
                                m_context.files(), path);
    }
    if (code != ErrorCode::kSuccess)
        reportIoError(owner, code, QDir::toNativeSeparators(path));
}
