#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>

#include "core/strings/message_format.h"

// The program's numbered texts as QStrings, for widgets and message boxes.
QString uiText(std::uint32_t id);
// The text `id` with its %s / %d directives filled.
QString uiFormat(std::uint32_t id, std::initializer_list<tidemark::MessageArg> args);
// The UTF-8 form of a QString, for text arguments of uiFormat.
std::string utf8(const QString& text);

// Texts the program uses often.
namespace UiStringId {
inline constexpr std::uint32_t kProductName = 10001;
inline constexpr std::uint32_t kNewNoteName = 10002;
inline constexpr std::uint32_t kRootTitle = 10005;
inline constexpr std::uint32_t kNoteFileFilter = 10006;
inline constexpr std::uint32_t kNoteExtension = 10007;
inline constexpr std::uint32_t kHelpExtension = 10012;
inline constexpr std::uint32_t kHelpTitle = 10013;
inline constexpr std::uint32_t kSimpleModeText = 10041;
inline constexpr std::uint32_t kNormalModeText = 10042;
inline constexpr std::uint32_t kDefaultNoteName = 10043;
inline constexpr std::uint32_t kReadOnlyMark = 10060;
}  // namespace UiStringId
