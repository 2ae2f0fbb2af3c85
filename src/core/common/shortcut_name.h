#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tidemark {

// The rules a shortcut's name must keep before a shortcut file is made from
// it. Names are CP932 bytes, as typed into the shortcut dialog.

// The characters a shortcut name may not hold, each a single byte.
inline constexpr std::string_view kShortcutForbiddenChars = "\\/:,;*?\"<>|";

// The longest path of a shortcut file, in bytes, terminator included.
inline constexpr std::size_t kShortcutPathLimit = 260;

// The most bytes the name field hands over (its 260-byte buffer less the terminator).
inline constexpr std::size_t kShortcutNameMaxBytes = 259;

enum class ShortcutNameProblem {
    kNone,
    kEmpty,      // nothing but spaces and tabs
    kForbidden,  // one of kShortcutForbiddenChars
};

struct ShortcutNameCheck {
    ShortcutNameProblem problem = ShortcutNameProblem::kNone;
    // The name without its leading and trailing half-width spaces, full-width
    // spaces and tabs: a view into the checked text.
    std::string_view name;
};

// Trims `typed` (whole characters) and checks what is left. A double-byte
// character never counts as a forbidden one, whatever its trail byte.
ShortcutNameCheck CheckShortcutName(std::string_view typed);

// Where the first forbidden character of `name` starts; npos when there is
// none. Walks by characters, so the trail byte 0x5C of "ソ" (0x83 0x5C) is
// not taken for a backslash.
std::size_t FindShortcutForbiddenChar(std::string_view name);

// The forbidden characters for the user: one after the other, separated by
// single spaces.
std::string ShortcutForbiddenCharList();

// Whether the path `folder` + separator + name + extension, with its
// terminator, stays within kShortcutPathLimit bytes. Each argument is a byte
// count; the separator and the terminator are one byte each.
bool ShortcutPathFits(std::size_t folderBytes, std::size_t nameBytes, std::size_t extensionBytes);

}  // namespace tidemark
