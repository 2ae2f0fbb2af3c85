#include "app/options/tool_path_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <cstdint>

#include "app/common/ui_strings.h"
#include "app/options/executable_files_filter.h"

namespace {

constexpr std::uint32_t kExecutableFilter = 10030;  // "実行可能形式ファイル(*.exe)\*.exe\"
constexpr std::uint32_t kChooseEditorTitle = 10031;
constexpr std::uint32_t kChooseScriptFolderTitle = 10033;

// The filter text names the Windows pattern; here any name may be a program,
// and the execute permission decides (ExecutableFilesFilter).
QString executablesFilter() {
    QString name = uiText(kExecutableFilter).section(u'\\', 0, 0);
    if (const qsizetype pattern = name.indexOf(u'('); pattern >= 0)
        name.truncate(pattern);
    return name.trimmed() + QStringLiteral(" (*)");
}

QString chosenPath(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

}  // namespace

QString chooseScriptFolder(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, uiText(kChooseScriptFolderTitle));
    dialog.setObjectName(QStringLiteral("scriptFolderDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setFileMode(QFileDialog::Directory);
    if (!start.isEmpty())
        dialog.setDirectory(QDir::fromNativeSeparators(start));
    return chosenPath(dialog);
}

QString chooseEditorProgram(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, uiText(kChooseEditorTitle));
    dialog.setObjectName(QStringLiteral("editorDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(executablesFilter());
    // A proxy model works on Qt's own dialog only, which is why it is asked
    // for. The dialog makes the proxy its child and deletes it.
    dialog.setProxyModel(new ExecutableFilesFilter);
    const QFileInfo current(QDir::fromNativeSeparators(start));
    if (current.isAbsolute()) {
        dialog.setDirectory(current.absolutePath());
        if (current.isFile())
            dialog.selectFile(current.fileName());
    }
    return chosenPath(dialog);
}
