#include "app/rescue/rescue_wizard.h"

#include "app/rescue/rescue_files_page.h"
#include "app/rescue/rescue_progress_page.h"
#include "app/rescue/rescue_texts.h"

RescueWizard::RescueWizard(tidemark::FileSystem& files, QWidget* parent)
    : QWizard(parent),
      m_question(this),
      m_runner(files, m_question),
      m_filesPage(new RescueFilesPage(this)),
      m_progressPage(new RescueProgressPage(m_runner, *m_filesPage, this)) {
    setObjectName(QStringLiteral("rescueWizard"));
    setWindowTitle(rescueText("wizard.title"));
    setWizardStyle(QWizard::ClassicStyle);
    setOptions(QWizard::NoBackButtonOnStartPage | QWizard::NoBackButtonOnLastPage);
    setButtonText(QWizard::NextButton, rescueText("wizard.next"));
    setButtonText(QWizard::FinishButton, rescueText("wizard.finish"));
    setButtonText(QWizard::CancelButton, rescueText("wizard.cancel"));
    setPage(kFilesPage, m_filesPage);
    setPage(kProgressPage, m_progressPage);
    setStartId(kFilesPage);
    resize(560, 420);
}

RescueWizard::~RescueWizard() = default;

void RescueWizard::reject() {
    // A password question of the current step ends as if cancelled, so that
    // the step returns and the run can stop.
    m_question.abandon();
    m_runner.cancel();
    QWizard::reject();
}
