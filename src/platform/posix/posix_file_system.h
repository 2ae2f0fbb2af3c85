#pragma once

#include "core/file/file_system.h"

namespace tidemark {

// FileSystem over POSIX files on Linux.
//
// Locks are open-file-description locks (fcntl F_OFD_SETLK) over the whole
// file: they belong to the open, not the process, and vanish when it closes
// or the process dies. On a file system without lock support opens proceed
// unlocked. Folders count as files for Stat; opening one fails with 5.
// MoveNoReplace is renameat2 with RENAME_NOREPLACE, or link and unlink where
// the file system refuses that flag; it probes the source with a shared lock
// first, so a file that a note holds is not moved from under it (32).
// Stateless: one instance may serve any number of notes.
class PosixFileSystem : public FileSystem {
public:
    std::uint32_t Open(const std::string& path, const FileOpenMode& mode,
                       std::unique_ptr<FileHandle>& handle) override;
    std::uint32_t Stat(const std::string& path) override;
    std::uint32_t MoveNoReplace(const std::string& from, const std::string& to) override;
    std::uint32_t Remove(const std::string& path) override;
    std::uint32_t SyncFolderOf(const std::string& path) override;
};

}  // namespace tidemark
