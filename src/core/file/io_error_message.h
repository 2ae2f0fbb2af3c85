#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tidemark {

// The message the user sees for a failed file operation on `fileName`
// (UTF-8), as the open, save, export and rescue commands show it.
std::string IoErrorMessage(std::uint32_t code, std::string_view fileName);

// The same for scripts: damaged data (38) has no message of its own there,
// and any other code reads "I/Oエラー(…)が発生しました。" with the number.
std::string AutomationIoErrorMessage(std::uint32_t code, std::string_view fileName);

// The string id of that message: its "%s" takes the file name, except for
// 20091, whose "%s" takes the code.
std::uint32_t AutomationIoErrorId(std::uint32_t code);

}  // namespace tidemark
