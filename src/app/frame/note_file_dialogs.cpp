#include "app/frame/note_file_dialogs.h"
#include "app/common/file_dialog_filters.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

#include "app/common/ui_strings.h"
#include "app/frame/frame_texts.h"

namespace {

void prepare(QFileDialog& dialog, const char* titleKey) {
    dialog.setObjectName(QStringLiteral("noteFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(frameText(titleKey));
    dialog.setNameFilters(fileDialogFilters(UiStringId::kNoteFileFilter));
}

}  // namespace

std::optional<OpenNoteChoice> askNoteToOpen(QWidget* owner) {
    QFileDialog dialog(owner);
    prepare(dialog, "open.title");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* readOnly = new QCheckBox(frameText("open.readOnly"), &dialog);
    readOnly->setObjectName(QStringLiteral("readOnlyCheckBox"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return OpenNoteChoice{dialog.selectedFiles().first(), readOnly->isChecked()};
}

std::optional<QString> askDefaultNote(QWidget* owner) {
    constexpr std::uint32_t kDefaultNoteTitle = 10046;
    QFileDialog dialog(owner);
    prepare(dialog, "open.title");
    dialog.setWindowTitle(uiText(kDefaultNoteTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> askNotePathToSave(QWidget* owner, const QString& proposedName) {
    QFileDialog dialog(owner);
    prepare(dialog, "saveAs.title");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QString suffix = uiText(UiStringId::kNoteExtension);
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}
