#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/file/byte_stream.h"
#include "core/file/rescue_key_ring.h"
#include "core/file/rescue_log.h"
#include "core/file/rescue_records.h"

namespace tidemark {

// Asked for a password when no password of the key ring opens an encrypted title.
class RescuePasswordPrompt {
public:
    virtual ~RescuePasswordPrompt() = default;

    // Called from inside RescueJob::Step, on the thread that drives the job. The wizard shows
    // its password dialog and hands each answer to ring.OfferPassword(answer, encrypted),
    // staying open until that returns kAccepted (return true) or the user cancels (return
    // false: the item is skipped). A prompt that cannot ask anyone returns false.
    virtual bool AskPassword(RescueKeyRing& ring, const RescueEncryptedValue& encrypted) = 0;
};

// The two files of one run. The streams are handed over unopened; the job opens them, closes
// them when the run ends and lets them go.
struct RescueFiles {
    std::string inputName;  // the damaged note file, UTF-8, named in messages
    std::unique_ptr<ByteStream> input;
    std::string outputName;  // the text file to write (created or emptied)
    std::unique_ptr<ByteStream> output;
};

// A rescue: reads a damaged note file record by record and writes every title, remarks text
// and body it can still read into a text file, logging what stopped it.
//
// It runs in small steps so that a window stays responsive without a second thread:
//
//     RescueJob job(prompt);               // lives as long as the wizard, with its key ring
//     if (job.Start(std::move(files)))     // opens both files, checks the magic
//         post a step message;
//     on the step message:
//         if (job.Step()) post it again;   // one header field or one record per step
//         else show job.LogText() and enable Finish;
//
// Single-threaded: every call, and the prompt it may make, happens on the driving thread.
class RescueJob {
public:
    explicit RescueJob(RescuePasswordPrompt& prompt);
    ~RescueJob();  // closes the files of a run that has not ended
    RescueJob(const RescueJob&) = delete;
    RescueJob& operator=(const RescueJob&) = delete;

    // Empties the log and begins a run: opens the input, checks that it starts with the note
    // magic, creates the output, and logs message 10052. False when any of that fails: the
    // log then holds the message for the file (the output is not created when the input
    // fails) and the run is over. A missing stream counts as one that could not be made
    // (message 20070). Starting again while a run is going ends that run first.
    bool Start(RescueFiles files);

    // Does one step of the run. True while more remains. The step that ends the run (the end
    // of the note, or damage) logs message 10053 and closes both files; calling Step again
    // does nothing and returns false.
    bool Step();

    bool Running() const { return m_running; }
    // How the last run ended: kEndOfNote or kStopped; kContinue while one is going or when
    // none has started.
    RescueResult Outcome() const { return m_outcome; }

    const std::string& LogText() const { return m_log.Text(); }
    // The key ring outlives runs: passwords given once are tried first in every later one.
    RescueKeyRing& KeyRing() { return m_keyRing; }
    // The first failed write to the output (or failed close), 0 when there was none. Such
    // failures do not stop the run and are not logged.
    std::uint32_t OutputError() const { return m_outputError; }

    // For the record readers of rescue_records.h, during a run.
    ByteStream& Input() { return *m_files.input; }
    void WriteOutput(std::string_view bytes);
    void Log(std::string_view line) { m_log.AppendLine(line); }
    RescuePasswordPrompt& Prompt() { return m_prompt; }

private:
    void CloseFiles();

    RescuePasswordPrompt& m_prompt;
    RescueKeyRing m_keyRing;
    RescueLog m_log;
    RescueFiles m_files;
    bool m_inputOpen = false;
    bool m_outputOpen = false;
    bool m_running = false;
    RescueResult m_outcome = RescueResult::kContinue;
    std::uint32_t m_outputError = 0;
};

}  // namespace tidemark
