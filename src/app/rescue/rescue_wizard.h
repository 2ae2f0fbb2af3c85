#pragma once

#include <QWizard>

#include "app/rescue/rescue_password_dialog.h"
#include "app/rescue/rescue_runner.h"

namespace tidemark {
class FileSystem;
}

class RescueFilesPage;
class RescueProgressPage;

// The wizard that rescues what is still readable in a damaged note file into
// a text file: page 1 takes the two names, page 2 runs the rescue and shows
// its log. It works on files only; the note of the window is not touched.
//
// Cancel (or closing the window) during a run stops it between two steps and
// closes both files; the output keeps what was written so far.
class RescueWizard : public QWizard {
    Q_OBJECT
public:
    enum PageId { kFilesPage = 0, kProgressPage = 1 };

    // `files` (the file services the rescue reads and writes through) must
    // outlive the wizard.
    explicit RescueWizard(tidemark::FileSystem& files, QWidget* parent = nullptr);
    ~RescueWizard() override;

    RescueFilesPage* filesPage() const { return m_filesPage; }
    RescueProgressPage* progressPage() const { return m_progressPage; }
    const RescueRunner& runner() const { return m_runner; }

    void reject() override;

private:
    RescuePasswordQuestion m_question;
    RescueRunner m_runner;
    RescueFilesPage* m_filesPage;
    RescueProgressPage* m_progressPage;
};
