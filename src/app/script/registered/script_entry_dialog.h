#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>

#include "core/settings/script_store.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// The settings of one registered script (dialog "スクリプトの設定"): its name,
// its file (typed, or chosen with "選択(&S)..."), and its attribute: none,
// template, or a tool-menu place that is free or already its own. OK checks
// the entry against the other entries of `store` and stays open, after the
// message, when it is refused.
class ScriptEntryDialog : public QDialog {
    Q_OBJECT
public:
    // `index` is the entry being changed, nothing for a new one. `fullPath`
    // is the state of the full-path box, kept by the caller from one use to
    // the next; it must outlive the dialog.
    ScriptEntryDialog(const tidemark::ScriptStore& store, std::optional<std::size_t> index,
                      bool& fullPath, QWidget* parent = nullptr);

    // The entry as accepted; valid after the dialog was accepted.
    const tidemark::ScriptEntry& entry() const { return m_entry; }

    void accept() override;

signals:
    void helpRequested();

private:
    void chooseFile();

    const tidemark::ScriptStore& m_store;
    std::optional<std::size_t> m_index;
    bool& m_fullPathKept;
    QLineEdit* m_name;
    QLineEdit* m_file;
    QCheckBox* m_fullPath;
    QComboBox* m_attribute;
    tidemark::ScriptEntry m_entry;
};
