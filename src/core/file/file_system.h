#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tidemark {

// What an open asks of the file.
enum class FileAccess { kRead, kWrite, kReadWrite };

// The lock an open takes for as long as its handle stays open. A shared lock
// needs read access, an exclusive one write access. Locks are advisory and
// belong to the handle (not to the process): two handles in one process
// conflict like two processes. An open whose lock conflicts with another
// handle's fails with 32 and leaves the file untouched.
enum class FileLock { kNone, kShared, kExclusive };

enum class FileDisposition {
    kOpenExisting,  // a missing file fails with 2
    kOpenAlways,    // a missing file is created; an existing one is kept as it is
    kCreateAlways,  // a missing file is created; an existing one is emptied once locked
};

struct FileOpenMode {
    FileAccess access = FileAccess::kRead;
    FileLock lock = FileLock::kNone;
    FileDisposition disposition = FileDisposition::kOpenExisting;
};

// One open file. Every operation returns 0 or an error code
// (core/common/error_code.h). The handle releases its lock and closes when
// destroyed; it does not depend on the FileSystem object that opened it.
class FileHandle {
public:
    virtual ~FileHandle() = default;
    // Reads up to `count` bytes at the file position into `bytes`; `done`
    // receives how many arrived (0 at the end of the file).
    virtual std::uint32_t Read(void* bytes, std::size_t count, std::size_t& done) = 0;
    // Writes all `count` bytes at the file position, or fails.
    virtual std::uint32_t Write(const void* bytes, std::size_t count) = 0;
    // Returns once everything written so far is on the storage device.
    virtual std::uint32_t Sync() = 0;
    virtual std::uint32_t Size(std::uint64_t& size) = 0;
    // Moves the file position to the end; `position` receives it.
    virtual std::uint32_t SeekToEnd(std::uint64_t& position) = 0;
    // Closes now and reports a failure to do so; further calls do nothing.
    virtual std::uint32_t Close() = 0;
};

// The file services the loading and saving code uses. Paths are the
// platform's own byte strings. A real version lives in src/platform; tests
// use an in-memory one that can fail on demand.
class FileSystem {
public:
    // The code of a move whose target exists (the system's "already exists").
    static constexpr std::uint32_t kAlreadyExists = 183;

    virtual ~FileSystem() = default;
    virtual std::uint32_t Open(const std::string& path, const FileOpenMode& mode,
                               std::unique_ptr<FileHandle>& handle) = 0;
    // 0 when `path` names an existing file or folder; otherwise why not
    // (2 missing file, 3 missing folder on the way).
    virtual std::uint32_t Stat(const std::string& path) = 0;
    // Renames `from` to `to` in one step, never replacing an existing `to`
    // (kAlreadyExists then). A file that another handle holds with an exclusive lock
    // is not moved (32).
    virtual std::uint32_t MoveNoReplace(const std::string& from, const std::string& to) = 0;
    virtual std::uint32_t Remove(const std::string& path) = 0;
    // Makes the folder's entries for `path` (creations, renames, removals)
    // durable.
    virtual std::uint32_t SyncFolderOf(const std::string& path) = 0;
};

}  // namespace tidemark
