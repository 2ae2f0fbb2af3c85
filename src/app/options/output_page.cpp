#include "app/options/output_page.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cstdint>

#include "app/common/help_topics.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/common/unstorable_notice.h"
#include "app/options/options_texts.h"
#include "app/options/setting_controls.h"
#include "core/settings/settings.h"

namespace {

constexpr std::uint32_t kEnterMemoFormat = 20025;
constexpr std::uint32_t kEnterGroupFormat = 20026;

// A template of blanks and line breaks alone writes nothing of the item.
bool isBlankTemplate(const QPlainTextEdit* edit) {
    QString text = edit->toPlainText();
    text.remove(u'\r');
    text.remove(u'\n');
    return trimBlanks(text).isEmpty();
}

QPlainTextEdit* addTemplate(QWidget* page, QVBoxLayout* layout, const char* labelKey,
                            const QString& name, const tidemark::ByteString& value) {
    const SettingText text =
        makeSettingText(page, name, value, static_cast<int>(tidemark::Settings::kFormatBytes));
    auto* label = new QLabel(optionsText(labelKey), page);
    label->setBuddy(text.edit);
    layout->addWidget(label);
    layout->addWidget(text.edit, 1);
    layout->addWidget(text.notice);
    return text.edit;
}

}  // namespace

OutputPage::OutputPage(const tidemark::Settings& current, QWidget* parent) : OptionsPage(parent) {
    auto* layout = new QVBoxLayout(this);
    m_memoFormat = addTemplate(this, layout, "output.memoFormat", QStringLiteral("memoFormat"),
                               current.MemoFormat);
    m_groupFormat = addTemplate(this, layout, "output.groupFormat", QStringLiteral("groupFormat"),
                                current.GroupFormat);
}

QString OutputPage::title() const {
    return optionsText("output.title");
}

int OutputPage::helpTopic() const {
    return HelpTopic::kOptionsExport;
}

bool OutputPage::leave() {
    const struct {
        QPlainTextEdit* edit;
        std::uint32_t message;
    } checks[] = {{m_memoFormat, kEnterMemoFormat}, {m_groupFormat, kEnterGroupFormat}};
    for (const auto& check : checks) {
        if (isBlankTemplate(check.edit)) {
            showMessage(this, MessageKind::kError, uiText(check.message));
            check.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

void OutputPage::apply(OptionsTarget& target) {
    target.settings.MemoFormat = fromQString(storedText(m_memoFormat));
    target.settings.GroupFormat = fromQString(storedText(m_groupFormat));
}
