#pragma once

#include <cstdint>
#include <string>

#include "core/file/buffered_file.h"

namespace tidemark {

// The file of an open note. Opened for writing it is read-write and holds
// the file with an exclusive lock, so that other processes can still read
// the note but not take it for writing; when that open is refused (another
// holder, a read-only file) it remembers why and opens read-only instead.
// Its read-only open takes no lock and so succeeds beside a holder.
// Transfers are the BufferedFile ones.
class NoteFile : public BufferedFile {
public:
    using BufferedFile::BufferedFile;

    // Read-write, creating the file when it is missing and keeping existing
    // contents (state kWriting); on refusal read-only (state kReading).
    // Fails only when the read-only open fails too, with that code.
    std::uint32_t OpenWrite() override;
    std::uint32_t OpenRead() override;

    // Why the last read-write open was refused (32: another holder), 0 when
    // it succeeded.
    std::uint32_t ReadWriteError() const { return m_readWriteError; }

private:
    std::uint32_t m_readWriteError = 0;
};

}  // namespace tidemark
