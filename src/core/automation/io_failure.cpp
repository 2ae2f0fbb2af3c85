#include "core/automation/io_failure.h"

#include <string>

#include "core/file/io_error_message.h"

namespace tidemark {

AutomationError IoFailure(std::uint32_t code, std::string_view fileName) {
    const std::uint32_t id = AutomationIoErrorId(code);
    if (id == AutomationErrorId::kIoError)
        return Raise(id, std::to_string(code));
    return Raise(id, std::string(fileName));
}

}  // namespace tidemark
