#include "app/rescue/rescue_progress_page.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWizard>

#include "app/common/message_box.h"
#include "app/rescue/rescue_files_page.h"
#include "app/rescue/rescue_runner.h"
#include "app/rescue/rescue_texts.h"

namespace {

QLineEdit* nameField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

}  // namespace

RescueProgressPage::RescueProgressPage(RescueRunner& runner, const RescueFilesPage& files,
                                       QWidget* parent)
    : QWizardPage(parent),
      m_runner(runner),
      m_files(files),
      m_noteFile(nameField(this, "noteFileName")),
      m_outputFile(nameField(this, "outputFileName")),
      m_log(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("rescueProgressPage"));
    auto* column = new QVBoxLayout(this);
    auto* names = new QFormLayout;
    names->addRow(rescueText("progress.note"), m_noteFile);
    names->addRow(rescueText("progress.output"), m_outputFile);
    column->addLayout(names);
    column->addWidget(new QLabel(rescueText("progress.running"), this));
    m_log->setObjectName(QStringLiteral("log"));
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    column->addWidget(m_log, 1);

    connect(&m_runner, &RescueRunner::logChanged, this, &RescueProgressPage::showLog);
    connect(&m_runner, &RescueRunner::finished, this, &RescueProgressPage::runFinished);
}

void RescueProgressPage::initializePage() {
    m_ended = false;
    if (QWizard* owner = wizard())
        owner->setButtonText(QWizard::CancelButton, rescueText("wizard.cancel"));
    m_noteFile->setText(m_files.noteFile());
    m_outputFile->setText(m_files.outputFile());
    m_log->clear();
    m_runner.start(m_files.noteFile(), m_files.outputFile());
    emit completeChanged();
}

void RescueProgressPage::showLog() {
    m_log->setPlainText(m_runner.logText());
    m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
}

void RescueProgressPage::runFinished() {
    m_ended = true;
    if (QWizard* owner = wizard())
        owner->setButtonText(QWizard::CancelButton, rescueText("wizard.close"));
    emit completeChanged();
    if (const std::uint32_t code = m_runner.outputError())
        reportIoError(window(), code, m_files.outputFile());
}
