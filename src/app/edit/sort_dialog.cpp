#include "app/edit/sort_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/common/ui_strings.h"
#include "app/edit/edit_texts.h"

namespace {
constexpr std::uint32_t kTitleColumn = 11001;
constexpr std::uint32_t kModifiedColumn = 11002;
constexpr std::uint32_t kBodyColumn = 11003;
}  // namespace

SortDialog::SortDialog(const QString& groupTitle, const QString& remarksCaption,
                       const EditPrompts::SortChoice& preset, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(editText("sort.title"));
    auto* layout = new QVBoxLayout(this);
    m_key = new QComboBox(this);
    // Index + 1 is the sort key.
    m_key->addItems(
        {uiText(kTitleColumn), remarksCaption, uiText(kModifiedColumn), uiText(kBodyColumn)});
    m_key->setCurrentIndex(qBound(0, preset.key - 1, 3));
    layout->addWidget(m_key);

    m_group = new QRadioButton(editText("sort.group") + u' ' + groupTitle, this);
    m_wholeNote = new QRadioButton(editText("sort.wholeNote"), this);
    m_recursive = new QCheckBox(editText("sort.recursive"), this);
    (preset.wholeNote ? m_wholeNote : m_group)->setChecked(true);
    m_recursive->setChecked(preset.recursive);
    layout->addWidget(m_group);
    layout->addWidget(m_wholeNote);
    layout->addWidget(m_recursive);
    const auto scopeChanged = [this] {
        if (m_wholeNote->isChecked())
            m_recursive->setChecked(true);
        m_recursive->setEnabled(!m_wholeNote->isChecked());
    };
    connect(m_wholeNote, &QRadioButton::toggled, this, scopeChanged);
    scopeChanged();

    auto* direction = new QGroupBox(this);
    auto* directionLayout = new QVBoxLayout(direction);
    m_ascending = new QRadioButton(editText("sort.ascending"), direction);
    m_descending = new QRadioButton(editText("sort.descending"), direction);
    (preset.descending ? m_descending : m_ascending)->setChecked(true);
    directionLayout->addWidget(m_ascending);
    directionLayout->addWidget(m_descending);
    layout->addWidget(direction);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &SortDialog::helpRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

EditPrompts::SortChoice SortDialog::choice() const {
    EditPrompts::SortChoice choice;
    choice.key = m_key->currentIndex() + 1;
    choice.wholeNote = m_wholeNote->isChecked();
    choice.recursive = m_recursive->isChecked();
    choice.descending = m_descending->isChecked();
    return choice;
}
