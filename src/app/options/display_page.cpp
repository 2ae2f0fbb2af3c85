#include "app/options/display_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/common/help_topics.h"
#include "app/common/message_box.h"
#include "app/common/ui_strings.h"
#include "app/options/font_choice.h"
#include "app/options/number_up_down.h"
#include "app/options/options_texts.h"
#include "app/options/setting_controls.h"
#include "core/common/whole_number.h"
#include "core/settings/settings.h"

namespace {

constexpr std::uint32_t kBadTabWidth = 20022;
constexpr int kTabWidthMin = 2;
constexpr int kTabWidthMax = 32;

}  // namespace

DisplayPage::DisplayPage(const tidemark::Settings& current, int screenDpi, QWidget* parent)
    : OptionsPage(parent),
      m_listFont(new FontChoice(optionsText("display.listFont"), QStringLiteral("listFont"),
                                screenDpi, this)),
      m_textFont(new FontChoice(optionsText("display.textFont"), QStringLiteral("textFont"),
                                screenDpi, this)),
      m_tabWidth(new NumberUpDown(kTabWidthMin, kTabWidthMax, this)) {
    setObjectName(QStringLiteral("displayPage"));
    m_listFont->setFont(current.ListFont);
    m_textFont->setFont(current.EditFont);
    m_tabWidth->setObjectName(QStringLiteral("tabWidth"));
    m_tabWidth->setTyped(QString::number(current.EffectiveTabWidth()));

    auto* layout = new QVBoxLayout(this);
    auto* fonts = new QHBoxLayout;
    fonts->addWidget(m_listFont);
    fonts->addWidget(m_textFont);
    layout->addLayout(fonts);
    auto* tab = new QHBoxLayout;
    auto* tabLabel = new QLabel(optionsText("display.tabWidth"), this);
    tabLabel->setBuddy(m_tabWidth);
    tab->addWidget(tabLabel);
    tab->addWidget(m_tabWidth);
    tab->addStretch();
    layout->addLayout(tab);

    m_gridLines = addBox("display.gridLines", "gridLines", current.ShowGridLines != 0);
    m_bodyColumn = addBox("display.bodyColumn", "bodyColumn", current.HideBodyInList == 0);
    m_dragPopup = addBox("display.dragPopup", "dragPopup", current.DragPopup != 0);
    m_snap = addBox("display.snap", "snapToEdges", current.SnapToEdges != 0);
    m_hoverPreview = addBox("display.hoverPreview", "hoverPreview", current.HoverPreview != 0);
    m_sticky = addBox("display.sticky", "stickyAlternate", current.StickyAlternate != 0);
    layout->addStretch();
}

QCheckBox* DisplayPage::addBox(const char* textKey, const char* name, bool checked) {
    auto* box = new QCheckBox(optionsText(textKey), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    layout()->addWidget(box);
    return box;
}

QString DisplayPage::title() const {
    return optionsText("display.title");
}

int DisplayPage::helpTopic() const {
    return HelpTopic::kOptionsDisplay;
}

bool DisplayPage::leave() {
    if (!m_listFont->check() || !m_textFont->check())
        return false;
    const std::optional<long> width = tidemark::ReadWholeNumber(m_tabWidth->typed().toStdString());
    if (!width || *width < kTabWidthMin || *width > kTabWidthMax) {
        showMessage(window(), MessageKind::kError, uiText(kBadTabWidth));
        m_tabWidth->setFocus(Qt::OtherFocusReason);
        m_tabWidth->selectAll();
        return false;
    }
    return true;
}

void DisplayPage::apply(OptionsTarget& target) {
    tidemark::Settings& settings = target.settings;
    for (auto [choice, font] :
         {std::pair{m_listFont, &settings.ListFont}, std::pair{m_textFont, &settings.EditFont}}) {
        const tidemark::FontSetting chosen = choice->chosen();
        if (!chosen.Face.Empty() && chosen != *font) {
            *font = chosen;
            target.applyNeeded = true;
        }
    }
    const std::optional<long> width = tidemark::ReadWholeNumber(m_tabWidth->typed().toStdString());
    if (width && *width != settings.EffectiveTabWidth()) {
        settings.TabWidth = static_cast<std::int32_t>(*width);
        target.applyNeeded = true;
    }
    // Shown in the windows at once when changed.
    bool shownAtOnce = storeFlag(settings.ShowGridLines, m_gridLines->isChecked());
    shownAtOnce |= storeFlag(settings.HideBodyInList, !m_bodyColumn->isChecked());
    shownAtOnce |= storeFlag(settings.SnapToEdges, m_snap->isChecked());
    shownAtOnce |= storeFlag(settings.StickyAlternate, m_sticky->isChecked());
    storeFlag(settings.DragPopup, m_dragPopup->isChecked());
    storeFlag(settings.HoverPreview, m_hoverPreview->isChecked());
    if (shownAtOnce)
        target.applyNeeded = true;
}
