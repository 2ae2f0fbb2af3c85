#pragma once

#include "app/options/options_page.h"

class ChoiceBox;
class QCheckBox;

// The "ファイル" page: the start-up option and how note files are kept.
class FilePage : public OptionsPage {
    Q_OBJECT
public:
    explicit FilePage(const tidemark::Settings& current, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    void apply(OptionsTarget& target) override;

private:
    ChoiceBox* m_startup;
    QCheckBox* m_autoSave;
    QCheckBox* m_shortcutOffer;
    QCheckBox* m_exclusiveOpen;
};
