#pragma once

#include <QDialog>

#include "app/edit/edit_prompts.h"
#include "app/help_topics.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

// Dialog 137 "並べ替え": the key column, the scope (the current memo group
// or the whole note), recursion into child groups, and the direction; a
// help button asks for the help topic on sorting.
class SortDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = HelpTopic::kSort;

    SortDialog(const QString& groupTitle, const QString& remarksCaption,
               const EditPrompts::SortChoice& preset, QWidget* parent = nullptr);

    EditPrompts::SortChoice choice() const;

    QComboBox* keyBox() const { return m_key; }
    QRadioButton* wholeNoteButton() const { return m_wholeNote; }
    QCheckBox* recursiveBox() const { return m_recursive; }
    QRadioButton* descendingButton() const { return m_descending; }

signals:
    void helpRequested();

private:
    QComboBox* m_key;
    QRadioButton* m_group;
    QRadioButton* m_wholeNote;
    QCheckBox* m_recursive;
    QRadioButton* m_ascending;
    QRadioButton* m_descending;
};
