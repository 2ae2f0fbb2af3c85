#pragma once

#include "app/options/options_page.h"

class QPlainTextEdit;

// The "出力" page: the templates the text export writes a memo and a memo
// group with.
class OutputPage : public OptionsPage {
    Q_OBJECT
public:
    explicit OutputPage(const tidemark::Settings& current, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    // Refuses a template made of blanks only.
    bool leave() override;
    // Stores both templates as typed, line breaks as CR LF.
    void apply(OptionsTarget& target) override;

private:
    QPlainTextEdit* m_memoFormat;
    QPlainTextEdit* m_groupFormat;
};
