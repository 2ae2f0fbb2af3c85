#pragma once

#include <QDialog>
#include <memory>

#include "app/help_topics.h"
#include "core/search/search_options.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tidemark {
class TextMatcher;
}

enum class FindDirection { kDown, kUp };

// The find dialog: 116 for searching downward, 31003 for upward; the two
// differ only in the wording of the start positions. It shows a set of
// search options and reads them back from its controls when confirmed.
//
// Confirming checks the input first: an empty search text, or a regular
// expression the engine refuses, is reported in a message box and the
// dialog stays open with the search text ready to correct. A confirmed
// dialog hands over the matcher it built.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = HelpTopic::kFind;

    // `text` fills the search text; `groupTitle` names the memo group that
    // holds the focused item.
    FindDialog(FindDirection direction, tidemark::SearchOptions options, const QString& text,
               const QString& groupTitle, QWidget* parent = nullptr);
    ~FindDialog() override;

    QString searchText() const;
    // The options as the controls show them, rebuilt from nothing: target
    // and start from the radio buttons, the switches from the boxes.
    tidemark::SearchOptions options() const;
    // The matcher built for the confirmed text and options; null before.
    std::unique_ptr<tidemark::TextMatcher> takeMatcher();

    QLineEdit* textField() const { return m_text; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }
    QCheckBox* regexBox() const { return m_regex; }
    QCheckBox* fuzzyBox() const { return m_fuzzy; }
    QCheckBox* inGroupBox() const { return m_inGroup; }
    QCheckBox* noDescendBox() const { return m_noDescend; }
    QRadioButton* targetButton(std::uint32_t target) const;
    QRadioButton* startButton(std::uint32_t start) const;

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    void inGroupToggled(bool on);

    QLineEdit* m_text;
    QCheckBox* m_matchCase;
    QCheckBox* m_regex;
    QCheckBox* m_fuzzy;
    QLabel* m_engine;
    QCheckBox* m_inGroup;
    QCheckBox* m_noDescend;
    QRadioButton* m_targetBoth;
    QRadioButton* m_targetTitles;
    QRadioButton* m_targetBodies;
    QRadioButton* m_startHere;
    QRadioButton* m_startGroup;
    QRadioButton* m_startNote;
    std::unique_ptr<tidemark::TextMatcher> m_matcher;
};
