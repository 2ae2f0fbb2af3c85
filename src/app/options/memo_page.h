#pragma once

#include <array>
#include <cstdint>

#include "app/options/options_page.h"

class ChoiceBox;
class QCheckBox;

// The "メモ" page: what a new memo takes over from its neighbours, and how
// the memo text pane behaves.
class MemoPage : public OptionsPage {
    Q_OBJECT
public:
    explicit MemoPage(const tidemark::Settings& current, QWidget* parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    // The editor colours, the hiding of the editor and the marks take effect
    // at once: changing one sets applyNeeded.
    void apply(OptionsTarget& target) override;

private:
    struct CopyBox {
        QCheckBox* box;
        std::uint32_t skipBit;  // the bit of NewMemoSkipAttrs the box clears
    };

    // `dependent` follows `leader`: usable only while it is checked, and
    // unchecked with it.
    static void follow(QCheckBox* dependent, QCheckBox* leader);

    ChoiceBox* m_attrSource;
    std::array<CopyBox, 6> m_copyBoxes{};
    QCheckBox* m_editorColours;
    QCheckBox* m_hideEditor;
    QCheckBox* m_hideSlowly;
    QCheckBox* m_bodyFirst;
    QCheckBox* m_titleFromBody;
    QCheckBox* m_hideMarks;
};
