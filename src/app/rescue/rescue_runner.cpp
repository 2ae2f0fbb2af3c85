#include "app/rescue/rescue_runner.h"

#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "core/file/buffered_file.h"
#include "core/file/file_system.h"
#include "core/file/io_error_message.h"

RescueRunner::RescueRunner(tidemark::FileSystem& files, tidemark::RescuePasswordPrompt& prompt,
                           QObject* parent)
    : QObject(parent), m_files(files), m_prompt(prompt) {
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setInterval(0);
    connect(&m_stepTimer, &QTimer::timeout, this, &RescueRunner::step);
}

RescueRunner::~RescueRunner() = default;

void RescueRunner::start(const QString& noteFile, const QString& outputFile) {
    cancel();
    m_noteFile = noteFile;
    m_outputFile = outputFile;
    m_running = true;
    m_opened = false;
    m_cancelled = false;
    m_outputError = 0;
    m_shownLog.clear();
    if (!m_log.isEmpty()) {
        m_log.clear();
        emit logChanged();
    }
    m_stepTimer.start();
}

void RescueRunner::cancel() {
    if (!m_running)
        return;
    m_stepTimer.stop();
    m_running = false;
    m_cancelled = true;
    // The job's files close with it. A step in progress still uses the job:
    // it goes when that step returns.
    if (!m_inStep)
        m_job.reset();
}

void RescueRunner::step() {
    if (!m_running)
        return;
    if (!m_job)
        m_job = std::make_unique<tidemark::RescueJob>(m_prompt);

    m_inStep = true;
    bool more = false;
    if (!m_opened) {
        m_opened = true;
        tidemark::RescueFiles files;
        files.inputName = utf8(m_noteFile);
        files.input = std::make_unique<tidemark::BufferedFile>(&m_files, pathToBytes(m_noteFile));
        files.outputName = utf8(m_outputFile);
        files.output =
            std::make_unique<tidemark::BufferedFile>(&m_files, pathToBytes(m_outputFile));
        more = m_job->Start(std::move(files));
    } else {
        more = m_job->Step();
    }
    m_inStep = false;

    if (m_cancelled) {
        updateLog();
        m_job.reset();
        return;
    }
    if (more) {
        updateLog();
        m_stepTimer.start();
    } else {
        finish();
    }
}

void RescueRunner::finish() {
    m_running = false;
    // The job leaves failed writes out of its log; a text that did not reach
    // the file must not read like a finished rescue.
    m_outputError = m_job->OutputError();
    if (m_outputError != 0)
        m_job->Log(tidemark::IoErrorMessage(m_outputError, utf8(m_outputFile)));
    updateLog();
    emit finished();
}

void RescueRunner::updateLog() {
    const std::string& text = m_job->LogText();
    if (text == m_shownLog)
        return;
    m_shownLog = text;
    m_log = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    m_log.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    emit logChanged();
}
