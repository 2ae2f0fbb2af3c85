#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tidemark {

inline constexpr std::size_t kNumberedMenuEntryMaxBytes = 260;

// The text of a numbered menu entry (recent notes, tool-menu scripts,
// recently opened memos): "&n  " with the entry's 1-based number (the tenth
// shows 0), then `text` (CP932) with every "&" doubled so that the menu shows
// it literally, at most kNumberedMenuEntryMaxBytes bytes in all. The text
// ends before a character or an "&&" pair that would not fit.
std::string NumberedMenuEntryText(int number, std::string_view text);

}  // namespace tidemark
