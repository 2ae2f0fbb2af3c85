#include "app/options/tools_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>

#include "app/common/help_topics.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/common/unstorable_notice.h"
#include "app/options/options_texts.h"
#include "app/options/setting_controls.h"
#include "app/options/tool_path_dialogs.h"
#include "core/settings/settings.h"

namespace {

constexpr std::uint32_t kBadEditor = 20037;

constexpr int kPathBytes = static_cast<int>(tidemark::Settings::kPathBytes);
constexpr int kPictureBytes = static_cast<int>(tidemark::Settings::kPictureBytes);

}  // namespace

ToolsPage::ToolsPage(const tidemark::Settings& current, QWidget* parent)
    : OptionsPage(parent), m_chooseFolder(chooseScriptFolder), m_chooseEditor(chooseEditorProgram) {
    // Each field: its label, then the edit (with a browse button beside the
    // paths), then the line that names what the setting cannot hold.
    auto* layout = new QGridLayout(this);
    int row = 0;
    using Chooser = PathChooser ToolsPage::*;
    auto addField = [&](const char* labelKey, const QString& name,
                        const tidemark::ByteString& value, int maxBytes,
                        const char* browseKey = nullptr, const QString& browseName = {},
                        Chooser chooser = nullptr) {
        const SettingLine line = makeSettingLine(this, name, value, maxBytes);
        auto* label = new QLabel(optionsText(labelKey), this);
        label->setBuddy(line.edit);
        layout->addWidget(label, row++, 0, 1, 2);
        layout->addWidget(line.edit, row, 0);
        if (chooser) {
            auto* browse = new QPushButton(optionsText(browseKey), this);
            browse->setObjectName(browseName);
            layout->addWidget(browse, row, 1);
            connect(browse, &QPushButton::clicked, this,
                    [this, edit = line.edit, chooser] { this->browse(edit, this->*chooser); });
        }
        ++row;
        layout->addWidget(line.notice, row++, 0, 1, 2);
        return line.edit;
    };
    m_scriptFolder = addField("tools.scriptFolder", QStringLiteral("scriptFolder"),
                              current.ScriptFolder, kPathBytes, "tools.browseFolder",
                              QStringLiteral("browseFolder"), &ToolsPage::m_chooseFolder);
    m_editorPath =
        addField("tools.editor", QStringLiteral("editorPath"), current.EditorPath, kPathBytes,
                 "tools.browseEditor", QStringLiteral("browseEditor"), &ToolsPage::m_chooseEditor);
    m_dateTimeFormat = addField("tools.dateTimeFormat", QStringLiteral("dateTimeFormat"),
                                current.DateTimeFormat, kPictureBytes);
    m_fileNameFormat = addField("tools.fileNameFormat", QStringLiteral("fileNameFormat"),
                                current.FileNameTemplate, kPictureBytes);
    layout->setRowStretch(row, 1);
}

QString ToolsPage::title() const {
    return optionsText("tools.title");
}

int ToolsPage::helpTopic() const {
    return HelpTopic::kOptionsTools;
}

void ToolsPage::browse(QLineEdit* edit, const PathChooser& chooser) {
    const QString chosen = chooser(this, trimBlanks(edit->text()));
    if (!chosen.isEmpty())
        edit->setText(chosen);
    edit->setFocus(Qt::OtherFocusReason);
}

bool ToolsPage::leave() {
    if (trimBlanks(m_editorPath->text()).isEmpty()) {
        showMessage(this, MessageKind::kError, uiText(kBadEditor));
        m_editorPath->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void ToolsPage::apply(OptionsTarget& target) {
    tidemark::Settings& settings = target.settings;
    settings.ScriptFolder = fromQString(trimBlanks(m_scriptFolder->text()));
    settings.EditorPath = fromQString(trimBlanks(m_editorPath->text()));
    settings.DateTimeFormat = fromQString(m_dateTimeFormat->text());
    settings.FileNameTemplate = fromQString(m_fileNameFormat->text());
}
