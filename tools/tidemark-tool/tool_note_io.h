#pragma once

#include <string>
#include <vector>

#include "core/model/note.h"

namespace tidemark::tool {

// Loads a note file the way the program opens one. Throws IoError.
void LoadNoteFile(Note& note, const std::string& path);
// Saves a note through the program's save path. Throws IoError.
void SaveNoteFile(const Note& note, const std::string& path);
// Opens every locked group that one of the passwords decrypts (the first
// that fits is used); the others stay closed and encrypted.
void UnlockWithPasswords(Note& note, const std::vector<std::string>& passwords);

}  // namespace tidemark::tool
