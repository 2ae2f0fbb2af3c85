#pragma once

#include <cstddef>
#include <string_view>

namespace tidemark {

// Positions in the memo text pane against byte offsets in the memo's body.
// The pane counts every character of the body as one position, a
// double-byte character included, and every line end as one: CR LF, and a
// lone CR or LF as well (the pane shows each as one line break).

// Bytes of the pane character at `offset` (a character boundary): 2 for a
// double-byte character or CR LF, 1 otherwise, 0 at or past the end.
std::size_t PaneCharLength(std::string_view body, std::size_t offset);

// The pane position of byte offset `offset`: the pane characters that end at
// or before it (an offset inside a character counts as its start; one past
// the end as the end).
std::size_t PanePositionOf(std::string_view body, std::size_t offset);

// The byte offset where pane position `position` begins; the body's size for
// a position at or past its end.
std::size_t BodyOffsetOf(std::string_view body, std::size_t position);

}  // namespace tidemark
