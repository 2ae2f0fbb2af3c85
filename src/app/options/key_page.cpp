#include "app/options/key_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/common/help_topics.h"
#include "app/common/ui_strings.h"
#include "app/options/options_texts.h"
#include "core/settings/key_names.h"

namespace {

constexpr std::uint32_t kMenuColumnTitle = 11008;
constexpr std::uint32_t kKeyColumnTitle = 11009;

QCheckBox* makeBox(QWidget* parent, const char* textKey, const char* name) {
    auto* box = new QCheckBox(optionsText(textKey), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

}  // namespace

KeyPage::KeyPage(const tidemark::KeyTable& current, QWidget* parent)
    : OptionsPage(parent), m_keys(current) {
    setObjectName(QStringLiteral("keyPage"));
    QStyle* style = QApplication::style();
    m_plainMark = style->standardIcon(QStyle::SP_FileIcon);
    m_sharedMark = style->standardIcon(QStyle::SP_MessageBoxWarning);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("keyList"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({uiText(kMenuColumnTitle), uiText(kKeyColumnTitle)});
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // The headers only group the rows: they stay open, without a handle.
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);

    m_alt = makeBox(this, "keys.alt", "altBox");
    m_ctrl = makeBox(this, "keys.ctrl", "ctrlBox");
    m_shift = makeBox(this, "keys.shift", "shiftBox");
    m_key = new QComboBox(this);
    m_key->setObjectName(QStringLiteral("keyBox"));
    m_key->addItem(QString());
    const auto keys = tidemark::AssignableKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        m_key->addItem(QString::fromLatin1(keys[i].Name.data(), qsizetype(keys[i].Name.size())),
                       int(i));
    }
    auto* keyLabel = new QLabel(optionsText("keys.key"), this);
    keyLabel->setBuddy(m_key);
    m_reset = new QPushButton(optionsText("keys.reset"), this);
    m_reset->setObjectName(QStringLiteral("resetButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    auto* controls = new QHBoxLayout;
    controls->addWidget(m_alt);
    controls->addWidget(m_ctrl);
    controls->addWidget(m_shift);
    controls->addWidget(keyLabel);
    controls->addWidget(m_key);
    controls->addStretch(1);
    layout->addLayout(controls);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_reset);
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &KeyPage::showSelection);
    for (QCheckBox* box : {m_alt, m_ctrl, m_shift})
        connect(box, &QCheckBox::toggled, this, &KeyPage::takeControls);
    connect(m_key, &QComboBox::currentIndexChanged, this, &KeyPage::takeControls);
    connect(m_reset, &QPushButton::clicked, this, &KeyPage::resetToDefaults);

    fillList();
    showSelection();
}

QString KeyPage::title() const {
    return optionsText("keys.title");
}

int KeyPage::helpTopic() const {
    return HelpTopic::kOptionsKeys;
}

void KeyPage::apply(OptionsTarget& target) {
    if (!m_changed)
        return;
    // A store that refuses the value keeps its old one; the window still
    // takes the new keys for this session.
    m_keys.Save(target.store);
    target.keys.ApplyEdited(m_keys);
    target.keysChanged = true;
    m_changed = false;
}

void KeyPage::fillList() {
    m_list->clear();
    m_rows.clear();
    QTreeWidgetItem* header = nullptr;
    int group = -1;
    const auto entries = m_keys.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const tidemark::KeyEntry& entry = entries[i];
        if (!header || entry.Group != group) {
            group = entry.Group;
            header = new QTreeWidgetItem(m_list,
                                         {uiText(tidemark::KeyGroupHeaderStringId(entry.Group))});
            header->setExpanded(true);
        }
        auto* row = new QTreeWidgetItem(header, {uiText(entry.Text)});
        row->setData(0, kCommandRole, int(entry.Command));
        m_rows.push_back(row);
        refreshRow(i);
    }
    refreshMarks();
}

int KeyPage::selectedIndex() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return -1;
    const QVariant command = selected.first()->data(0, kCommandRole);
    if (!command.isValid())
        return -1;
    const std::optional<std::size_t> index = m_keys.IndexOf(tidemark::CommandId(command.toInt()));
    return index ? int(*index) : -1;
}

void KeyPage::showSelection() {
    const int index = selectedIndex();
    const QSignalBlocker altBlocker(m_alt);
    const QSignalBlocker ctrlBlocker(m_ctrl);
    const QSignalBlocker shiftBlocker(m_shift);
    const QSignalBlocker keyBlocker(m_key);
    const bool entry = index >= 0;
    const std::uint8_t flags = entry ? m_keys.Entries()[std::size_t(index)].Flags : 0;
    const std::uint16_t key = entry ? m_keys.Entries()[std::size_t(index)].Key : 0;
    m_alt->setChecked(flags & tidemark::AccelFlag::kAlt);
    m_ctrl->setChecked(flags & tidemark::AccelFlag::kControl);
    m_shift->setChecked(flags & tidemark::AccelFlag::kShift);
    const std::optional<std::size_t> position =
        key ? tidemark::AssignableKeyIndex(key) : std::nullopt;
    m_key->setCurrentIndex(position ? int(*position) + 1 : 0);
    for (QWidget* control : std::initializer_list<QWidget*>{m_alt, m_ctrl, m_shift, m_key})
        control->setEnabled(entry);
}

void KeyPage::takeControls() {
    const int index = selectedIndex();
    if (index < 0)
        return;
    const tidemark::KeyEntry& entry = m_keys.Entries()[std::size_t(index)];
    const QVariant position = m_key->currentData(kKeyPositionRole);
    std::uint8_t flags = 0;
    std::uint16_t key = 0;
    if (position.isValid()) {
        key = tidemark::AssignableKeys()[std::size_t(position.toInt())].Key;
        flags =
            tidemark::AssignedFlags(m_alt->isChecked(), m_ctrl->isChecked(), m_shift->isChecked());
    }
    m_keys.SetKey(entry.Command, flags, key);
    refreshRow(std::size_t(index));
    refreshMarks();
    m_changed = true;
}

void KeyPage::resetToDefaults() {
    const int selected = selectedIndex();
    m_keys.ResetToDefaults();
    fillList();
    // The list was made anew: the entry that was chosen stays chosen.
    if (selected >= 0)
        m_list->setCurrentItem(m_rows[std::size_t(selected)]);
    m_changed = true;
}

void KeyPage::refreshRow(std::size_t index) {
    const tidemark::KeyEntry& entry = m_keys.Entries()[index];
    m_rows[index]->setText(1, QString::fromStdString(m_keys.KeyTextOf(entry.Command)));
}

// Every row's mark, rather than only those of the old and the new key of a
// changed entry: the table is small and the marks cannot drift.
void KeyPage::refreshMarks() {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const bool shared = m_keys.SharesKey(i);
        m_rows[i]->setIcon(0, shared ? m_sharedMark : m_plainMark);
        m_rows[i]->setData(0, kSharedRole, shared);
    }
}
