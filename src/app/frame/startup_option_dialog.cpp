#include "app/frame/startup_option_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/common/ui_strings.h"
#include "app/frame/frame_texts.h"
#include "core/settings/startup_option.h"

namespace {

using namespace tidemark::StartupOption;

}  // namespace

StartupOptionDialog::StartupOptionDialog(int currentOption, const QString& lastNoteName,
                                         QWidget* parent)
    : QDialog(parent), m_options(new QButtonGroup(this)), m_remember(new QCheckBox(this)) {
    setObjectName(QStringLiteral("startupOptionDialog"));
    setWindowTitle(frameText("startup.title"));
    auto* column = new QVBoxLayout(this);
    const struct {
        int option;
        const char* key;
    } choices[] = {{kNewNote, "startup.newNote"},
                   {kChooseNote, "startup.chooseNote"},
                   {kLastNote, "startup.lastNote"},
                   {kTemplate, "startup.template"}};
    for (const auto& choice : choices) {
        auto* button = new QRadioButton(frameText(choice.key), this);
        button->setObjectName(QStringLiteral("startupOption%1").arg(choice.option));
        m_options->addButton(button, choice.option);
        column->addWidget(button);
    }
    auto* lastNote = new QLineEdit(lastNoteName, this);
    lastNote->setObjectName(QStringLiteral("lastNoteName"));
    lastNote->setReadOnly(true);
    auto* form = new QFormLayout;
    form->addRow(frameText("startup.lastNoteLabel"), lastNote);
    column->addLayout(form);

    m_remember->setObjectName(QStringLiteral("rememberChoice"));
    m_remember->setText(frameText("startup.remember"));
    m_remember->setChecked(currentOption != kAsk);
    column->addWidget(m_remember);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* help = buttons->addButton(frameText("startup.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &StartupOptionDialog::helpRequested);
    column->addWidget(buttons);

    const bool haveLastNote = !lastNoteName.isEmpty();
    m_options->button(kLastNote)->setEnabled(haveLastNote);
    int preselected = currentOption;
    if (preselected < kNewNote || preselected > kTemplate)
        preselected = kNewNote;
    if (preselected == kLastNote && !haveLastNote)
        preselected = kNewNote;
    choose(preselected);
}

int StartupOptionDialog::chosenOption() const {
    return m_options->checkedId();
}

void StartupOptionDialog::choose(int option) {
    if (QAbstractButton* button = m_options->button(option))
        button->setChecked(true);
}

bool StartupOptionDialog::rememberChoice() const {
    return m_remember->isChecked();
}

void StartupOptionDialog::setRememberChoice(bool remember) {
    m_remember->setChecked(remember);
}

bool StartupOptionDialog::lastNoteAvailable() const {
    return m_options->button(kLastNote)->isEnabled();
}
