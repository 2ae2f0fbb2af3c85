#include "app/options/print_page.h"

#include <QVBoxLayout>

#include "app/common/help_topics.h"
#include "app/options/font_choice.h"
#include "app/options/options_texts.h"
#include "core/settings/settings.h"

PrintPage::PrintPage(const tidemark::Settings& current, int screenDpi, QWidget* parent)
    : OptionsPage(parent),
      m_font(
          new FontChoice(optionsText("print.font"), QStringLiteral("printFont"), screenDpi, this)) {
    setObjectName(QStringLiteral("printPage"));
    m_font->setFont(current.PrintFont);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_font);
    layout->addStretch();
}

QString PrintPage::title() const {
    return optionsText("print.title");
}

int PrintPage::helpTopic() const {
    return HelpTopic::kOptionsPrint;
}

bool PrintPage::leave() {
    return m_font->check();
}

void PrintPage::apply(OptionsTarget& target) {
    // Only printing reads it: the other windows need not show anything.
    const tidemark::FontSetting chosen = m_font->chosen();
    if (!chosen.Face.Empty())
        target.settings.PrintFont = chosen;
}
