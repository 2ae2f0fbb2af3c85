#pragma once

#include "app/options/options_page.h"

class ChoiceBox;
class QLineEdit;

// The "入力" page: which files the text import takes and what it does with
// the others.
class InputPage : public OptionsPage {
    Q_OBJECT
public:
    explicit InputPage(const tidemark::Settings& current, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    // The extensions are stored without the blanks at their ends.
    void apply(OptionsTarget& target) override;

private:
    QLineEdit* m_extensions;
    ChoiceBox* m_otherFiles;
    ChoiceBox* m_linkPlace;
};
