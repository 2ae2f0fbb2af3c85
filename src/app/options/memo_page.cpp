#include "app/options/memo_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/common/help_topics.h"
#include "app/options/options_texts.h"
#include "app/options/setting_controls.h"
#include "core/settings/settings.h"

namespace {

// An attribute source the program does not know copies from the group.
constexpr int kAttrSourceFallback = 1;

struct CopyBoxText {
    const char* key;
    const char* name;
    std::uint32_t skipBit;
};
constexpr CopyBoxText kCopyBoxes[] = {
    {"memo.copy.textColour", "copyTextColour", 0x1},
    {"memo.copy.backgroundColour", "copyBackgroundColour", 0x2},
    {"memo.copy.strikeOut", "copyStrikeOut", 0x4},
    {"memo.copy.wordWrap", "copyWordWrap", 0x8},
    {"memo.copy.links", "copyLinks", 0x10},
    {"memo.copy.remarks", "copyRemarks", 0x20},
};

QCheckBox* addBox(QWidget* parent, QVBoxLayout* layout, const char* key, const char* name,
                  bool checked) {
    auto* box = new QCheckBox(optionsText(key), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

}  // namespace

MemoPage::MemoPage(const tidemark::Settings& current, QWidget* parent) : OptionsPage(parent) {
    auto* layout = new QVBoxLayout(this);
    m_attrSource = new ChoiceBox(optionsText("memo.attrSource"), this);
    m_attrSource->addChoice(optionsText("memo.attrSource.group"), QStringLiteral("attrFromGroup"),
                            1);
    m_attrSource->addChoice(optionsText("memo.attrSource.neighbour"),
                            QStringLiteral("attrFromNeighbour"), 2);
    m_attrSource->addChoice(optionsText("memo.attrSource.none"), QStringLiteral("attrNone"), 3);
    m_attrSource->select(current.NewMemoAttrSource, kAttrSourceFallback);
    layout->addWidget(m_attrSource);

    auto* copied = new QGroupBox(optionsText("memo.copied"), this);
    auto* copiedLayout = new QVBoxLayout(copied);
    for (std::size_t i = 0; i < m_copyBoxes.size(); ++i) {
        const CopyBoxText& text = kCopyBoxes[i];
        // The setting names the attributes that are not copied.
        m_copyBoxes[i] = {addBox(copied, copiedLayout, text.key, text.name,
                                 (current.NewMemoSkipAttrs & text.skipBit) == 0),
                          text.skipBit};
    }
    layout->addWidget(copied);

    m_editorColours =
        addBox(this, layout, "memo.editorColours", "editorColours", current.EditorNoColors == 0);
    m_hideEditor =
        addBox(this, layout, "memo.hideEditor", "hideEditor", current.HideEditorOnGroup != 0);
    m_hideSlowly =
        addBox(this, layout, "memo.hideSlowly", "hideSlowly", current.HideEditorSlowly != 0);
    follow(m_hideSlowly, m_hideEditor);
    m_bodyFirst = addBox(this, layout, "memo.bodyFirst", "bodyFirst", current.TypeBodyFirst != 0);
    m_titleFromBody = addBox(this, layout, "memo.titleFromBody", "titleFromBody",
                             current.TitleFromFirstLine != 0);
    follow(m_titleFromBody, m_bodyFirst);
    m_hideMarks = addBox(this, layout, "memo.hideMarks", "hideMarks", current.HideMarks != 0);
    layout->addStretch();
}

void MemoPage::follow(QCheckBox* dependent, QCheckBox* leader) {
    // A dependent box the settings hold checked under an unchecked leader
    // shows so (and is stored so) until the user touches the leader.
    dependent->setEnabled(leader->isChecked());
    connect(leader, &QCheckBox::toggled, dependent, [dependent](bool on) {
        if (!on)
            dependent->setChecked(false);
        dependent->setEnabled(on);
    });
}

QString MemoPage::title() const {
    return optionsText("memo.title");
}

int MemoPage::helpTopic() const {
    return HelpTopic::kOptionsMemo;
}

void MemoPage::apply(OptionsTarget& target) {
    tidemark::Settings& settings = target.settings;
    settings.NewMemoAttrSource = m_attrSource->value();
    // Bits no box shows are kept as they are.
    std::uint32_t skip = settings.NewMemoSkipAttrs;
    for (const CopyBox& copy : m_copyBoxes) {
        if (copy.box->isChecked())
            skip &= ~copy.skipBit;
        else
            skip |= copy.skipBit;
    }
    settings.NewMemoSkipAttrs = skip;

    bool appliedAtOnce = storeFlag(settings.EditorNoColors, !m_editorColours->isChecked());
    appliedAtOnce |= storeFlag(settings.HideEditorOnGroup, m_hideEditor->isChecked());
    storeFlag(settings.HideEditorSlowly, m_hideSlowly->isChecked());
    storeFlag(settings.TypeBodyFirst, m_bodyFirst->isChecked());
    storeFlag(settings.TitleFromFirstLine, m_titleFromBody->isChecked());
    appliedAtOnce |= storeFlag(settings.HideMarks, m_hideMarks->isChecked());
    if (appliedAtOnce)
        target.applyNeeded = true;
}
