#pragma once

#include <functional>

#include "app/options/options_page.h"

class QLineEdit;

// The "ツール" page: the script folder, the external editor and the
// pictures of the insert-date and insert-file-name commands.
class ToolsPage : public OptionsPage {
    Q_OBJECT
public:
    // Asks the user for a path, starting at `start`; empty when cancelled.
    using PathChooser = std::function<QString(QWidget* parent, const QString& start)>;

    explicit ToolsPage(const tidemark::Settings& current, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    // Refuses an empty editor.
    bool leave() override;
    // Stores the folder and the editor without the blanks at their ends,
    // the two pictures as typed.
    void apply(OptionsTarget& target) override;

    // What the browse buttons ask with; by default chooseScriptFolder and
    // chooseEditorProgram.
    void setFolderChooser(PathChooser chooser) { m_chooseFolder = std::move(chooser); }
    void setEditorChooser(PathChooser chooser) { m_chooseEditor = std::move(chooser); }

private:
    // Fills `edit` with what `chooser` returns, unless the user cancelled.
    void browse(QLineEdit* edit, const PathChooser& chooser);

    QLineEdit* m_scriptFolder;
    QLineEdit* m_editorPath;
    QLineEdit* m_dateTimeFormat;
    QLineEdit* m_fileNameFormat;
    PathChooser m_chooseFolder;
    PathChooser m_chooseEditor;
};
