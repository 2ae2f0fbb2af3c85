#include "app/options/input_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/common/help_topics.h"
#include "app/common/qt_text.h"
#include "app/common/unstorable_notice.h"
#include "app/options/options_texts.h"
#include "app/options/setting_controls.h"
#include "core/settings/settings.h"

namespace {
// Values the program does not know: ask for each file, link into the body.
constexpr int kOtherFilesFallback = 1;
constexpr int kLinkPlaceFallback = 0;
}  // namespace

InputPage::InputPage(const tidemark::Settings& current, QWidget* parent) : OptionsPage(parent) {
    auto* layout = new QVBoxLayout(this);
    const SettingLine extensions =
        makeSettingLine(this, QStringLiteral("extensions"), current.ImportExtensions,
                        static_cast<int>(tidemark::Settings::kImportExtensionsBytes));
    m_extensions = extensions.edit;
    auto* label = new QLabel(optionsText("input.extensions"), this);
    label->setBuddy(m_extensions);
    layout->addWidget(label);
    layout->addWidget(m_extensions);
    layout->addWidget(extensions.notice);
    auto* note = new QLabel(optionsText("input.extensionsNote"), this);
    note->setObjectName(QStringLiteral("extensionsNote"));
    note->setWordWrap(true);
    layout->addWidget(note);

    m_otherFiles = new ChoiceBox(optionsText("input.otherFiles"), this);
    m_otherFiles->addChoice(optionsText("input.otherFiles.ask"), QStringLiteral("otherFilesAsk"),
                            1);
    m_otherFiles->addChoice(optionsText("input.otherFiles.ignore"),
                            QStringLiteral("otherFilesIgnore"), 2);
    m_otherFiles->addChoice(optionsText("input.otherFiles.link"), QStringLiteral("otherFilesLink"),
                            3);
    m_otherFiles->select(current.ImportOtherFiles, kOtherFilesFallback);
    layout->addWidget(m_otherFiles);

    m_linkPlace = new ChoiceBox(optionsText("input.linkPlace"), this);
    m_linkPlace->addChoice(optionsText("input.linkPlace.body"), QStringLiteral("linkInBody"), 0);
    m_linkPlace->addChoice(optionsText("input.linkPlace.remarks"), QStringLiteral("linkInRemarks"),
                           1);
    m_linkPlace->select(current.LinkPlace, kLinkPlaceFallback);
    layout->addWidget(m_linkPlace);
    layout->addStretch();
}

QString InputPage::title() const {
    return optionsText("input.title");
}

int InputPage::helpTopic() const {
    return HelpTopic::kOptionsImport;
}

void InputPage::apply(OptionsTarget& target) {
    tidemark::Settings& settings = target.settings;
    settings.ImportExtensions = fromQString(trimBlanks(m_extensions->text()));
    settings.ImportOtherFiles = m_otherFiles->value();
    settings.LinkPlace = m_linkPlace->value();
}
