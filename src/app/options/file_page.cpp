#include "app/options/file_page.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "app/common/help_topics.h"
#include "app/options/options_texts.h"
#include "app/options/setting_controls.h"
#include "core/settings/settings.h"

namespace {
// A start-up option the program does not know asks the user at start-up.
constexpr int kStartupFallback = 5;
}  // namespace

FilePage::FilePage(const tidemark::Settings& current, QWidget* parent) : OptionsPage(parent) {
    auto* layout = new QVBoxLayout(this);
    m_startup = new ChoiceBox(optionsText("file.startup"), this);
    m_startup->addChoice(optionsText("file.startup.new"), QStringLiteral("startupNew"), 1);
    m_startup->addChoice(optionsText("file.startup.choose"), QStringLiteral("startupChoose"), 2);
    m_startup->addChoice(optionsText("file.startup.last"), QStringLiteral("startupLast"), 3);
    m_startup->addChoice(optionsText("file.startup.template"), QStringLiteral("startupTemplate"),
                         4);
    m_startup->addChoice(optionsText("file.startup.ask"), QStringLiteral("startupAsk"), 5);
    m_startup->select(current.StartupMode, kStartupFallback);
    layout->addWidget(m_startup);

    m_autoSave = new QCheckBox(optionsText("file.autoSave"), this);
    m_autoSave->setObjectName(QStringLiteral("autoSave"));
    m_autoSave->setChecked(current.AutoSave != 0);
    layout->addWidget(m_autoSave);
    // The settings say what is *not* done; the boxes say what is.
    m_shortcutOffer = new QCheckBox(optionsText("file.shortcutOffer"), this);
    m_shortcutOffer->setObjectName(QStringLiteral("shortcutOffer"));
    m_shortcutOffer->setChecked(current.NoShortcutOffer == 0);
    layout->addWidget(m_shortcutOffer);
    m_exclusiveOpen = new QCheckBox(optionsText("file.exclusive"), this);
    m_exclusiveOpen->setObjectName(QStringLiteral("exclusiveOpen"));
    m_exclusiveOpen->setChecked(current.NoExclusiveOpen == 0);
    layout->addWidget(m_exclusiveOpen);
    layout->addStretch();
}

QString FilePage::title() const {
    return optionsText("file.title");
}

int FilePage::helpTopic() const {
    return HelpTopic::kOptionsFile;
}

void FilePage::apply(OptionsTarget& target) {
    tidemark::Settings& settings = target.settings;
    settings.StartupMode = m_startup->value();
    storeFlag(settings.AutoSave, m_autoSave->isChecked());
    storeFlag(settings.NoShortcutOffer, !m_shortcutOffer->isChecked());
    storeFlag(settings.NoExclusiveOpen, !m_exclusiveOpen->isChecked());
}
