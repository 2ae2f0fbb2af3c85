#pragma once

#include <QIcon>
#include <Qt>
#include <vector>

#include "app/options/options_page.h"
#include "core/settings/key_table.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The options page "キー": the bindable commands under their menus' headers
// with their keys, and the controls that give the selected command another
// key. The page edits a copy of the window's key table; apply() saves the
// copy ("accelerator") and hands it to the window's table, only when the
// user changed something. Several commands may share a key; their rows
// carry the duplicate mark.
class KeyPage : public OptionsPage {
    Q_OBJECT
public:
    // Item data of the list's first column: the command of an entry row
    // (a header row has none), and whether the row has the duplicate mark.
    static constexpr int kCommandRole = Qt::UserRole;
    static constexpr int kSharedRole = Qt::UserRole + 1;
    // Item data of the key box: the item's position among the assignable
    // keys (the empty first item has none).
    static constexpr int kKeyPositionRole = Qt::UserRole;

    explicit KeyPage(const tidemark::KeyTable& current, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    void apply(OptionsTarget& target) override;

    // The page's working copy.
    const tidemark::KeyTable& keys() const { return m_keys; }
    bool isChanged() const { return m_changed; }

private:
    void fillList();
    // Shows the selected entry in the controls, or clears and disables them.
    void showSelection();
    // The controls were changed: the selected entry takes their key.
    void takeControls();
    void resetToDefaults();
    void refreshRow(std::size_t index);
    void refreshMarks();
    // The table index of the selected entry row, -1 for a header or nothing.
    int selectedIndex() const;

    tidemark::KeyTable m_keys;
    bool m_changed = false;
    QIcon m_plainMark;
    QIcon m_sharedMark;
    QTreeWidget* m_list;
    // The row of each table entry, by table index.
    std::vector<QTreeWidgetItem*> m_rows;
    QCheckBox* m_alt;
    QCheckBox* m_ctrl;
    QCheckBox* m_shift;
    QComboBox* m_key;
    QPushButton* m_reset;
};
