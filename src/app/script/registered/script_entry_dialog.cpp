#include "app/script/registered/script_entry_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/common/byte_limit.h"
#include "app/common/file_dialog_filters.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/script/registered/registered_script_texts.h"
#include "app/script/registered/script_entry_rules.h"

namespace {

constexpr std::uint32_t kScriptFileFilter = 10014;
constexpr std::uint32_t kScriptFileTitle = 10015;
constexpr std::uint32_t kNoFile = 20065;

}  // namespace

ScriptEntryDialog::ScriptEntryDialog(const tidemark::ScriptStore& store,
                                     std::optional<std::size_t> index, bool& fullPath,
                                     QWidget* parent)
    : QDialog(parent),
      m_store(store),
      m_index(index),
      m_fullPathKept(fullPath),
      m_name(new QLineEdit(this)),
      m_file(new QLineEdit(this)),
      m_fullPath(new QCheckBox(registeredScriptText("entry.fullPath"), this)),
      m_attribute(new QComboBox(this)) {
    setObjectName(QStringLiteral("scriptEntryDialog"));
    setWindowTitle(registeredScriptText("entry.title"));
    constexpr int kMaxBytes = int(tidemark::ScriptEntry::kMaxTextBytes);

    m_name->setObjectName(QStringLiteral("scriptName"));
    limitToBytes(m_name, kMaxBytes);
    m_file->setObjectName(QStringLiteral("scriptFile"));
    limitToBytes(m_file, kMaxBytes);
    auto* choose = new QPushButton(registeredScriptText("entry.choose"), this);
    choose->setObjectName(QStringLiteral("chooseFile"));
    connect(choose, &QPushButton::clicked, this, &ScriptEntryDialog::chooseFile);
    m_fullPath->setObjectName(QStringLiteral("fullPath"));
    m_fullPath->setChecked(fullPath);
    m_attribute->setObjectName(QStringLiteral("attribute"));

    std::uint32_t current = 0;
    if (index) {
        const tidemark::ScriptEntry& entry = store.At(*index);
        m_name->setText(toQString(entry.Name));
        m_file->setText(toQString(entry.File));
        current = entry.Place() != 0 ? std::uint32_t(entry.Place())
                                     : (entry.IsTemplate() ? tidemark::ScriptEntry::kTemplate : 0);
    }
    for (const ScriptAttributeChoice& choice : scriptAttributeChoices(store, index)) {
        m_attribute->addItem(choice.text, QVariant::fromValue(choice.value));
        if (choice.value == current)
            m_attribute->setCurrentIndex(m_attribute->count() - 1);
    }

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(registeredScriptText("entry.name"), m_name);
    // The file box sits in a row with its button: its label is given the
    // box itself, so that its mnemonic (Alt+F) reaches it.
    auto* fileLabel = new QLabel(registeredScriptText("entry.file"), this);
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, fileRow);
    form->addRow(QString(), m_fullPath);
    form->addRow(registeredScriptText("entry.attribute"), m_attribute);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* help =
        buttons->addButton(registeredScriptText("entry.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ScriptEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &ScriptEntryDialog::helpRequested);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
    resize(440, sizeHint().height());
}

void ScriptEntryDialog::chooseFile() {
    QFileDialog dialog(this, uiText(kScriptFileTitle));
    dialog.setNameFilters(fileDialogFilters(kScriptFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QFileInfo chosen(dialog.selectedFiles().first());
    m_file->setText(m_fullPath->isChecked() ? chosen.absoluteFilePath() : chosen.fileName());
}

void ScriptEntryDialog::accept() {
    const std::uint32_t attributes = m_attribute->currentData().value<std::uint32_t>();
    ScriptEntryCheck check =
        checkScriptEntry(m_store, m_index, m_name->text(), m_file->text(), attributes);
    if (!check.entry) {
        showMessage(this, MessageKind::kError, uiText(check.refusal));
        (check.refusal == kNoFile ? m_file : m_name)->setFocus();
        return;
    }
    m_entry = std::move(*check.entry);
    m_fullPathKept = m_fullPath->isChecked();
    QDialog::accept();
}
