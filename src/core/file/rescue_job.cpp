#include "core/file/rescue_job.h"

#include <cstring>
#include <utility>

#include "core/common/error_code.h"
#include "core/file/io_error_message.h"
#include "core/file/note_format.h"
#include "core/strings/message_format.h"
#include "core/strings/string_table.h"

namespace tidemark {

namespace {

constexpr std::uint32_t kRescueRunning = 10052;
constexpr std::uint32_t kRescueFinished = 10053;
constexpr std::uint32_t kOutOfMemory = 20070;
// The number message 20070 shows for a run whose file objects could not be made.
constexpr int kNoStreamPlace = 1;

// The message for a file that could not be opened or checked. Running out of data while
// reading the magic has no message of its own here and reads like any unknown code.
std::string OpenFailureMessage(std::uint32_t code, std::string_view fileName) {
    if (code == ErrorCode::kHandleEof) {
        return FormatText("%s - I/O Error: %d", {fileName, code});
    }
    return IoErrorMessage(code, fileName);
}

}  // namespace

RescueJob::RescueJob(RescuePasswordPrompt& prompt) : m_prompt(prompt) {}

RescueJob::~RescueJob() {
    CloseFiles();
}

bool RescueJob::Start(RescueFiles files) {
    CloseFiles();
    m_running = false;
    m_log.Clear();
    m_outcome = RescueResult::kContinue;
    m_outputError = 0;
    m_files = std::move(files);

    if (!m_files.input || !m_files.output) {
        Log(FormatString(kOutOfMemory, {kNoStreamPlace}));
        CloseFiles();
        return false;
    }
    if (const std::uint32_t code = m_files.input->OpenRead()) {
        Log(OpenFailureMessage(code, m_files.inputName));
        CloseFiles();
        return false;
    }
    m_inputOpen = true;

    char magic[sizeof NoteFormat::kMagic];
    if (const std::uint32_t code = m_files.input->Read(magic, sizeof magic)) {
        Log(OpenFailureMessage(code, m_files.inputName));
        CloseFiles();
        return false;
    }
    if (std::memcmp(magic, NoteFormat::kMagic, sizeof magic) != 0) {
        Log(OpenFailureMessage(ErrorCode::kNotANoteFile, m_files.inputName));
        CloseFiles();
        return false;
    }

    if (const std::uint32_t code = m_files.output->OpenWrite()) {
        Log(OpenFailureMessage(code, m_files.outputName));
        CloseFiles();
        return false;
    }
    m_outputOpen = true;

    Log(StringById(kRescueRunning));
    m_running = true;
    return true;
}

bool RescueJob::Step() {
    if (!m_running)
        return false;
    const RescueResult result = RescueStep(*this);
    if (result == RescueResult::kContinue || result == RescueResult::kEncryptedItem)
        return true;

    m_outcome = result;
    Log(StringById(kRescueFinished));
    CloseFiles();
    m_running = false;
    return false;
}

void RescueJob::WriteOutput(std::string_view bytes) {
    if (!m_outputOpen || bytes.empty())
        return;
    const std::uint32_t code = m_files.output->Write(bytes.data(), bytes.size());
    if (code != 0 && m_outputError == 0)
        m_outputError = code;
}

void RescueJob::CloseFiles() {
    if (m_inputOpen)
        m_files.input->Close();
    if (m_outputOpen) {
        const std::uint32_t code = m_files.output->Close();
        if (code != 0 && m_outputError == 0)
            m_outputError = code;
    }
    m_inputOpen = false;
    m_outputOpen = false;
    m_files.input.reset();
    m_files.output.reset();
}

}  // namespace tidemark
