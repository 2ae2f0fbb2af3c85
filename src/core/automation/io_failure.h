#pragma once

#include <cstdint>
#include <string_view>

#include "core/automation/automation_error.h"

namespace tidemark {

// The error a note file operation raises for a thrown code: the message of
// the file commands with the file name, or 20091 with the code.
AutomationError IoFailure(std::uint32_t code, std::string_view fileName);

}  // namespace tidemark
