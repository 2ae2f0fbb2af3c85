#include "core/automation/automation_error.h"

#include "core/strings/message_format.h"
#include "core/strings/string_table.h"

namespace tidemark {

std::string AutomationError::Message() const {
    if (!code)
        return FormatString(stringId, {argument});
    // The code fills the "%d"; a message without "%s" takes no text.
    if (StringById(stringId).find("%s") == std::string_view::npos) {
        return FormatString(stringId, {*code});
    }
    return FormatString(stringId, {argument, *code});
}

std::string AutomationError::Source() {
    return std::string(StringById(AutomationErrorId::kSource));
}

AutomationError Raise(std::uint32_t stringId, std::string argument) {
    return AutomationError{stringId, std::move(argument), std::nullopt};
}

AutomationError RaiseWithNumber(std::uint32_t stringId, std::int64_t number) {
    return AutomationError{stringId, std::to_string(number), std::nullopt};
}

}  // namespace tidemark
