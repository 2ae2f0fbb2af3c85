#pragma once

#include <QDialog>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "core/settings/script_store.h"

class QTreeWidget;

namespace tidemark {
class FileSystem;
}

// The three uses of the script list.
enum class ScriptListMode {
    kRegister = 1,        // "スクリプトの登録": add, change, remove, import, export
    kRun = 2,             // "スクリプトの実行": choose a script to run
    kChooseTemplate = 3,  // "テンプレートの選択": choose one of the templates
};

// What the script dialogs use beside the store; kept by their owner from
// one dialog to the next.
struct ScriptDialogServices {
    tidemark::FileSystem& files;  // import and export files
    std::function<void(int topic)> openHelp;
    bool fullPath = true;  // the entry dialog's full-path box
};

// The list of registered scripts, working on its own copy of the store:
// the caller takes store() back only when it wants the edits (OK of the
// register mode). In the run and template modes OK needs a chosen entry.
class ScriptListDialog : public QDialog {
    Q_OBJECT
public:
    ScriptListDialog(ScriptListMode mode, const tidemark::ScriptStore& store,
                     ScriptDialogServices& services, QWidget* parent = nullptr);

    ScriptListMode mode() const { return m_mode; }
    // The edited copy.
    const tidemark::ScriptStore& store() const { return m_store; }
    // The index in store() of the entry chosen; valid after OK in the run
    // and template modes.
    std::optional<std::size_t> chosen() const { return m_chosen; }

    void accept() override;

private:
    void fillList(std::optional<std::size_t> select);
    // The store index of the selected row.
    std::optional<std::size_t> selectedEntry() const;
    void addEntry();
    void modifyEntry();
    void removeEntry();
    void importFile();
    void exportFile();
    void refuseNoSelection();

    ScriptListMode m_mode;
    tidemark::ScriptStore m_store;
    ScriptDialogServices& m_services;
    QTreeWidget* m_list;
    std::vector<std::size_t> m_rows;  // store index of each row
    std::optional<std::size_t> m_chosen;
};
