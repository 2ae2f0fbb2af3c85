#pragma once

#include <QWizardPage>

class QLineEdit;
class QPlainTextEdit;
class RescueFilesPage;
class RescueRunner;

// The second page of the rescue wizard (dialog 31022): the two names, and
// the log of the run that starts when the page is entered. Finish stays
// disabled until the run has ended; then the wizard's Cancel button becomes
// a close button. A text that could not be written completely is also
// reported in a message box.
class RescueProgressPage : public QWizardPage {
    Q_OBJECT
public:
    // `runner` and `files` must outlive the page.
    RescueProgressPage(RescueRunner& runner, const RescueFilesPage& files,
                       QWidget* parent = nullptr);

    void initializePage() override;
    // The run has ended.
    bool isComplete() const override { return m_ended; }

    QPlainTextEdit* logField() const { return m_log; }

private:
    void showLog();
    void runFinished();

    RescueRunner& m_runner;
    const RescueFilesPage& m_files;
    QLineEdit* m_noteFile;
    QLineEdit* m_outputFile;
    QPlainTextEdit* m_log;
    bool m_ended = false;
};
