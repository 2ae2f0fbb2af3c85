#include "app/script/registered/script_list_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <new>

#include "app/common/file_dialog_filters.h"
#include "app/common/help_topics.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/script/registered/registered_script_texts.h"
#include "app/script/registered/script_entry_dialog.h"
#include "app/script/registered/script_entry_rules.h"
#include "app/script/registered/script_store_files.h"

namespace {

using tidemark::ScriptStore;

constexpr std::uint32_t kAllFilesFilter = 10009;
constexpr std::uint32_t kImportTitle = 10038;
constexpr std::uint32_t kExportTitle = 10039;
constexpr std::uint32_t kNameColumn = 11005;
constexpr std::uint32_t kAttributeColumn = 11006;
constexpr std::uint32_t kFileColumn = 11007;
constexpr std::uint32_t kExported = 14003;
constexpr std::uint32_t kImported = 14004;
constexpr std::uint32_t kNoSelection = 20067;
constexpr std::uint32_t kStoreFull = 20068;
constexpr std::uint32_t kNotAStore = 20069;
constexpr std::uint32_t kOutOfMemory = 20070;
constexpr std::uint32_t kOutOfMemoryImport = 308;
constexpr std::uint32_t kOutOfMemoryExport = 382;

const char* titleKey(ScriptListMode mode) {
    switch (mode) {
        case ScriptListMode::kRun:
            return "list.title.run";
        case ScriptListMode::kChooseTemplate:
            return "list.title.template";
        case ScriptListMode::kRegister:
        default:
            return "list.title.register";
    }
}

}  // namespace

ScriptListDialog::ScriptListDialog(ScriptListMode mode, const ScriptStore& store,
                                   ScriptDialogServices& services, QWidget* parent)
    : QDialog(parent),
      m_mode(mode),
      m_store(store),
      m_services(services),
      m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("scriptListDialog"));
    setWindowTitle(registeredScriptText(titleKey(mode)));

    m_list->setObjectName(QStringLiteral("scriptList"));
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({uiText(kNameColumn), uiText(kAttributeColumn), uiText(kFileColumn)});
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(0, mode == ScriptListMode::kRegister ? 200 : 300);
    m_list->setColumnWidth(1, 80);
    m_list->setColumnWidth(2, 240);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_mode == ScriptListMode::kRegister) {
            modifyEntry();
        } else {
            accept();
        }
    });

    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    if (mode == ScriptListMode::kRegister) {
        auto* side = new QVBoxLayout;
        const struct {
            const char* key;
            const char* name;
            void (ScriptListDialog::*slot)();
        } buttons[] = {{"list.add", "add", &ScriptListDialog::addEntry},
                       {"list.modify", "modify", &ScriptListDialog::modifyEntry},
                       {"list.remove", "remove", &ScriptListDialog::removeEntry},
                       {"list.import", "import", &ScriptListDialog::importFile},
                       {"list.export", "export", &ScriptListDialog::exportFile}};
        for (const auto& button : buttons) {
            auto* push = new QPushButton(registeredScriptText(button.key), this);
            push->setObjectName(QString::fromLatin1(button.name));
            push->setAutoDefault(false);
            connect(push, &QPushButton::clicked, this, button.slot);
            side->addWidget(push);
        }
        side->addStretch(1);
        row->addLayout(side);
    }

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* help =
        box->addButton(registeredScriptText("list.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("help"));
    connect(box, &QDialogButtonBox::accepted, this, &ScriptListDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, [this] {
        if (m_services.openHelp)
            m_services.openHelp(HelpTopic::kScriptList);
    });

    auto* column = new QVBoxLayout(this);
    column->addLayout(row, 1);
    column->addWidget(box);
    resize(mode == ScriptListMode::kRegister ? 680 : 720, 360);
    fillList(std::nullopt);
}

void ScriptListDialog::fillList(std::optional<std::size_t> select) {
    m_list->clear();
    m_rows.clear();
    for (std::size_t index = 0; index < m_store.Count(); ++index) {
        const tidemark::ScriptEntry& entry = m_store.At(index);
        if (m_mode == ScriptListMode::kChooseTemplate && !entry.IsTemplate())
            continue;
        auto* item = new QTreeWidgetItem(
            m_list, {toQString(entry.Name), scriptAttributeText(entry), toQString(entry.File)});
        if (select && *select == index)
            m_list->setCurrentItem(item);
        m_rows.push_back(index);
    }
}

std::optional<std::size_t> ScriptListDialog::selectedEntry() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const int row = m_list->indexOfTopLevelItem(selected.first());
    if (row < 0 || std::size_t(row) >= m_rows.size())
        return std::nullopt;
    return m_rows[std::size_t(row)];
}

void ScriptListDialog::refuseNoSelection() {
    showMessage(this, MessageKind::kError, uiText(kNoSelection));
}

void ScriptListDialog::accept() {
    if (m_mode != ScriptListMode::kRegister) {
        m_chosen = selectedEntry();
        if (!m_chosen) {
            refuseNoSelection();
            return;
        }
    }
    QDialog::accept();
}

void ScriptListDialog::addEntry() {
    if (m_store.Full()) {
        showMessage(this, MessageKind::kError, uiText(kStoreFull));
        return;
    }
    ScriptEntryDialog dialog(m_store, std::nullopt, m_services.fullPath, this);
    connect(&dialog, &ScriptEntryDialog::helpRequested, this, [this] {
        if (m_services.openHelp)
            m_services.openHelp(HelpTopic::kScriptEntry);
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_store.Append(dialog.entry()))
        fillList(m_store.Count() - 1);
}

void ScriptListDialog::modifyEntry() {
    const std::optional<std::size_t> index = selectedEntry();
    if (!index) {
        refuseNoSelection();
        return;
    }
    ScriptEntryDialog dialog(m_store, index, m_services.fullPath, this);
    connect(&dialog, &ScriptEntryDialog::helpRequested, this, [this] {
        if (m_services.openHelp)
            m_services.openHelp(HelpTopic::kScriptEntry);
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_store.Replace(*index, dialog.entry());
    fillList(index);
}

void ScriptListDialog::removeEntry() {
    const std::optional<std::size_t> index = selectedEntry();
    if (!index) {
        refuseNoSelection();
        return;
    }
    m_store.Remove(*index);
    fillList(std::nullopt);
}

void ScriptListDialog::importFile() {
    QFileDialog dialog(this, uiText(kImportTitle));
    dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    ScriptStoreFileRead read;
    try {
        read = readScriptStoreFile(m_services.files, pathToBytes(path));
    } catch (const std::bad_alloc&) {
        showMessage(this, MessageKind::kError, uiFormat(kOutOfMemory, {kOutOfMemoryImport}));
        return;
    }
    if (read.notAStore) {
        showMessage(this, MessageKind::kError, uiText(kNotAStore));
        return;
    }
    if (read.error) {
        reportIoError(this, read.error, path);
        return;
    }
    const tidemark::ScriptImportResult imported = m_store.Import(read.store);
    if (imported.StoreFull)
        showMessage(this, MessageKind::kError, uiText(kStoreFull));
    fillList(std::nullopt);
    showMessage(this, MessageKind::kInformation, uiText(kImported));
}

void ScriptListDialog::exportFile() {
    QFileDialog dialog(this, uiText(kExportTitle));
    dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    std::uint32_t error = 0;
    try {
        error = writeScriptStoreFile(m_services.files, pathToBytes(path), m_store);
    } catch (const std::bad_alloc&) {
        showMessage(this, MessageKind::kError, uiFormat(kOutOfMemory, {kOutOfMemoryExport}));
        return;
    }
    if (error) {
        reportIoError(this, error, path);
        return;
    }
    showMessage(this, MessageKind::kInformation, uiText(kExported));
}
