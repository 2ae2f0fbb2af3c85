#include "core/file/io_error_message.h"

#include "core/common/error_code.h"
#include "core/strings/message_format.h"

namespace tidemark {

namespace {

constexpr std::uint32_t kAutomationIoError = 20091;

// The string id for a code both sides share; 0 when there is none.
std::uint32_t SharedMessageId(std::uint32_t code) {
    switch (code) {
        case ErrorCode::kNotANoteFile: return 20010;
        case ErrorCode::kNewerVersion: return 20011;
        case ErrorCode::kFileNotFound: return 20005;
        case ErrorCode::kPathNotFound: return 20006;
        case ErrorCode::kAccessDenied: return 20009;
        case ErrorCode::kSharingViolation: return 20030;
        case ErrorCode::kDiskFull: return 20008;
        case ErrorCode::kInvalidName: return 20007;
        default: return 0;
    }
}

}  // namespace

std::string IoErrorMessage(std::uint32_t code, std::string_view fileName) {
    if (code == ErrorCode::kHandleEof) return FormatString(20098, {fileName});
    if (const std::uint32_t id = SharedMessageId(code)) return FormatString(id, {fileName});
    return FormatText("%s - I/O Error: %d", {fileName, static_cast<std::int64_t>(code)});
}

std::uint32_t AutomationIoErrorId(std::uint32_t code) {
    const std::uint32_t id = SharedMessageId(code);
    return id != 0 ? id : kAutomationIoError;
}

std::string AutomationIoErrorMessage(std::uint32_t code, std::string_view fileName) {
    const std::uint32_t id = AutomationIoErrorId(code);
    if (id != kAutomationIoError) return FormatString(id, {fileName});
    return FormatString(id, {static_cast<std::int64_t>(code)});
}

}  // namespace tidemark
