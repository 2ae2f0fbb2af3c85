#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <string>

#include "core/file/rescue_job.h"

namespace tidemark {
class FileSystem;
}

// The rescue run of the wizard's second page. It works on the GUI thread in
// small steps, one per turn of the event loop (opening the files, then one
// header field or record each), so that the window stays responsive and the
// run can be cancelled between steps.
//
// The job, with the passwords the user has given, lives from the first run
// until the runner goes or a run is cancelled.
class RescueRunner : public QObject {
    Q_OBJECT
public:
    // `files` and `prompt` must outlive the runner.
    RescueRunner(tidemark::FileSystem& files, tidemark::RescuePasswordPrompt& prompt,
                 QObject* parent = nullptr);
    ~RescueRunner() override;  // closes the files of a run still going

    // Empties the log and queues a run from `noteFile` into `outputFile`
    // (names as the user gave them). A run still going is cancelled first.
    void start(const QString& noteFile, const QString& outputFile);

    // Ends the run early: no further step, no finished(). Both files are
    // closed at once, keeping in the output what was written so far; called
    // from inside a step (during a password question), as soon as that step
    // returns. Does nothing when no run is going.
    void cancel();

    // From start() until finished() or cancel().
    bool running() const { return m_running; }

    // The progress text of the last run, lines ending in LF.
    const QString& logText() const { return m_log; }

    // The first failure writing or closing the output in the last run that
    // finished, 0 when none. The log ends with its message.
    std::uint32_t outputError() const { return m_outputError; }

signals:
    void logChanged();
    // The run came to its end: the end of the note, damage, or files that
    // could not be opened. The files are closed.
    void finished();

private:
    void step();
    void finish();
    void updateLog();

    tidemark::FileSystem& m_files;
    tidemark::RescuePasswordPrompt& m_prompt;
    std::unique_ptr<tidemark::RescueJob> m_job;
    QTimer m_stepTimer;
    QString m_noteFile;
    QString m_outputFile;
    bool m_running = false;
    bool m_opened = false;  // the run's first step (opening the files) is done
    bool m_inStep = false;
    bool m_cancelled = false;
    std::string m_shownLog;
    QString m_log;
    std::uint32_t m_outputError = 0;
};
