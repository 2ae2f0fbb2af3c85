#include "app/textio/text_import_command.h"

#include <QFileDialog>

#include "app/common/file_dialog_filters.h"
#include "app/common/ui_strings.h"
#include "app/textio/text_import.h"
#include "core/model/note.h"
#include "core/model/note_host.h"

namespace {

constexpr std::uint32_t kAllFilesFilter = 10009;
constexpr std::uint32_t kImportTitle = 10017;

}  // namespace

QStringList askFilesToImport(QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("textImportDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontResolveSymlinks, true);
    dialog.setWindowTitle(uiText(kImportTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

bool TextImportCommand::enabled() const {
    return !(m_note.Host() && m_note.Host()->IsReadOnly());
}

void TextImportCommand::run() {
    if (!enabled())
        return;
    const QStringList paths = askFilesToImport(m_window);
    if (paths.isEmpty())
        return;
    m_importer.importPaths(paths, m_importer.focusPlace(), true);
}
