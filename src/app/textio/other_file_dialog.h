#pragma once

#include <QDialog>
#include <QString>

#include "app/textio/import_prompts.h"

class LinkOpener;
class QRadioButton;

// Dialog 31007: what an import does with a file that is neither a text file
// nor an internet shortcut. Shows the file's name and folder, can open the
// file with the program the desktop associates with it, and offers to take
// it as text, to link to it, or to leave it out. OK answers with the
// chosen way; "中断" (and Escape) end the whole import.
class OtherFileDialog : public QDialog {
    Q_OBJECT
public:
    // `opener` must outlive the dialog.
    OtherFileDialog(const QString& path, LinkOpener& opener, QWidget* parent = nullptr);

    // The answer once the dialog has closed: the chosen way after OK, kAbort
    // otherwise.
    ImportPrompts::OtherFileChoice choice() const;

private:
    QString m_path;
    QRadioButton* m_asText;
    QRadioButton* m_asLink;
    QRadioButton* m_skip;
};
