#include "app/script/registered/script_store_files.h"

#include <vector>

#include "core/common/error_code.h"
#include "core/file/buffered_file.h"
#include "core/settings/script_store_format.h"

ScriptStoreFileRead readScriptStoreFile(tidemark::FileSystem& files, const std::string& path) {
    ScriptStoreFileRead result;
    tidemark::BufferedFile file(&files, path);
    if (const std::uint32_t error = file.OpenRead()) {
        result.error = error;
        return result;
    }
    std::vector<std::uint8_t> bytes(file.Remaining());
    const std::uint32_t readError = bytes.empty() ? 0 : file.Read(bytes.data(), bytes.size());
    file.Close();
    if (readError) {
        result.error = readError;
        return result;
    }
    tidemark::ScriptStoreReadResult read = tidemark::ReadScriptStore(bytes);
    switch (read.Status) {
        case tidemark::ScriptStoreReadStatus::kOk:
            result.store = std::move(read.Store);
            break;
        case tidemark::ScriptStoreReadStatus::kNotAScriptStore:
            result.notAStore = true;
            break;
        case tidemark::ScriptStoreReadStatus::kDamaged:
            result.error = tidemark::ErrorCode::kHandleEof;
            break;
    }
    return result;
}

std::uint32_t writeScriptStoreFile(tidemark::FileSystem& files, const std::string& path,
                                   const tidemark::ScriptStore& store) {
    const std::vector<std::uint8_t> bytes = tidemark::WriteScriptStore(store);
    tidemark::BufferedFile file(&files, path);
    if (const std::uint32_t error = file.OpenWrite())
        return error;
    const std::uint32_t writeError = file.Write(bytes.data(), bytes.size());
    const std::uint32_t closeError = file.Close();
    return writeError ? writeError : closeError;
}
