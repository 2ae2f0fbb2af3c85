#pragma once

// The MIME type of items on the clipboard and in drags: exactly the block of
// item records that Note::SerializeItems makes (the note file's records in
// pre-order, then the end byte).
inline constexpr char kItemsMimeType[] = "application/x-tidemark-items";
