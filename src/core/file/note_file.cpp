#include "core/file/note_file.h"

namespace tidemark {

std::uint32_t NoteFile::OpenWrite() {
    const std::uint32_t code =
        OpenWith({FileAccess::kReadWrite, FileLock::kExclusive, FileDisposition::kOpenAlways},
                 State::kWriting);
    m_readWriteError = code;
    if (code == 0) return 0;
    return OpenRead();
}

std::uint32_t NoteFile::OpenRead() {
    return OpenWith({FileAccess::kRead, FileLock::kNone, FileDisposition::kOpenExisting},
                    State::kReading);
}

}  // namespace tidemark
