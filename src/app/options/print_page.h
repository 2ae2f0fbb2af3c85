#pragma once

#include "app/options/options_page.h"

class FontChoice;

namespace tidemark {
class Settings;
}

// The "印刷" page: the font the notes are printed in.
class PrintPage : public OptionsPage {
    Q_OBJECT
public:
    PrintPage(const tidemark::Settings& current, int screenDpi, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    bool leave() override;
    void apply(OptionsTarget& target) override;

private:
    FontChoice* m_font;
};
