#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Internet shortcut files (".url"): an INI text whose section
// "[InternetShortcut]" names the target in its key "URL".

// The longest URL taken from a shortcut, in bytes.
inline constexpr std::size_t kMaxShortcutUrlBytes = 2047;

// The URL of the shortcut whose whole content is `content` (CP932 bytes, as
// the file holds them), or the empty text when it names none. Section and
// key names match without regard to case; blanks around the key and the
// value are dropped, and one pair of matching quotes around the value. The
// first such key of the first such section counts. A longer URL is cut to
// kMaxShortcutUrlBytes without splitting a double-byte character.
std::string internetShortcutUrl(std::string_view content);
