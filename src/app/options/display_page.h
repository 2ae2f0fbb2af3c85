#pragma once

#include "app/options/options_page.h"

class FontChoice;
class NumberUpDown;
class QCheckBox;

namespace tidemark {
class Settings;
}

// The "表示" page: the fonts of the memo lists and of the memo text, the tab
// width, and the options of the lists and the window.
class DisplayPage : public OptionsPage {
    Q_OBJECT
public:
    DisplayPage(const tidemark::Settings& current, int screenDpi, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    bool leave() override;
    void apply(OptionsTarget& target) override;

private:
    QCheckBox* addBox(const char* textKey, const char* name, bool checked);

    FontChoice* m_listFont;
    FontChoice* m_textFont;
    NumberUpDown* m_tabWidth;
    QCheckBox* m_gridLines;
    QCheckBox* m_bodyColumn;
    QCheckBox* m_dragPopup;
    QCheckBox* m_snap;
    QCheckBox* m_hoverPreview;
    QCheckBox* m_sticky;
};
