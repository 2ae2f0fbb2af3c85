#pragma once

#include "core/file/global_memory_stream.h"
#include "core/model/note.h"

namespace tidemark {

// A whole note file (magic included) in memory. LoadNoteFromBytes clears the
// note first and throws IoError: 0x80000001 when the magic is wrong, the
// reader's codes otherwise.
void LoadNoteFromBytes(Note& note, const MemoryBlock& bytes);
MemoryBlock SaveNoteToBytes(const Note& note);

}  // namespace tidemark
