#pragma once

#include <cstdint>
#include <string>

#include "core/settings/script_store.h"

namespace tidemark {
class FileSystem;
}

// Registered scripts exchanged with files, in the stored form ("!TMS").

struct ScriptStoreFileRead {
    std::uint32_t error = 0;  // an I/O error code (38: the data ends early)
    bool notAStore = false;   // the file does not begin with "!TMS"
    tidemark::ScriptStore store;
};

// Reads the whole file at `path` (the platform's bytes).
ScriptStoreFileRead readScriptStoreFile(tidemark::FileSystem& files, const std::string& path);

// Writes `store` to `path`, replacing what the file held; 0 or an I/O error
// code.
std::uint32_t writeScriptStoreFile(tidemark::FileSystem& files, const std::string& path,
                                   const tidemark::ScriptStore& store);
