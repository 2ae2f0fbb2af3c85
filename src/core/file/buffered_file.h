#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/file/byte_stream.h"
#include "core/file/file_system.h"

namespace tidemark {

// A ByteStream over one file through an 8,192-byte buffer, so that the many
// one-byte tags of a note cost no system calls; transfers of 8,192 bytes or
// more go to the file directly.
//
// Its own opens are exclusive for their duration: OpenRead takes a shared
// lock (readers may overlap, a holder of the file makes it fail with 32) and
// OpenWrite an exclusive one before emptying the file, so a file held
// elsewhere is neither read half-written nor truncated.
//
// One open either reads or writes: writing after reading (or the reverse)
// returns 1. Operations without a file name, file system or open file return
// 87. The file system must outlive the stream while it is open.
class BufferedFile : public ByteStream {
public:
    static constexpr std::size_t kBufferSize = 8192;

    enum class State { kClosed, kReading, kWriting };

    BufferedFile() = default;
    BufferedFile(FileSystem* files, std::string path);
    ~BufferedFile() override;
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    // Both may change only while the file is closed.
    void SetFileSystem(FileSystem* files) { m_files = files; }
    void SetPath(std::string path) { m_path = std::move(path); }
    const std::string& Path() const { return m_path; }

    // kReading after OpenRead, kWriting after OpenWrite (whatever the
    // direction of the transfers that follow).
    State GetState() const { return m_state; }
    bool IsOpen() const { return m_handle != nullptr; }

    std::uint32_t OpenRead() override;
    std::uint32_t OpenWrite() override;
    // Writes what the buffer holds, makes written data durable, releases the
    // file's lock and closes it. Reports the first failure; the file is
    // closed in any case.
    std::uint32_t Close() override;
    std::uint32_t Write(const void* bytes, std::size_t count) override;
    std::uint32_t Read(void* bytes, std::size_t count) override;
    // Hands the buffered bytes to the file (nothing to do unless writing).
    std::uint32_t Flush() override;
    // Reading: the file's size at the open less the bytes delivered.
    std::size_t Remaining() const override;

    // Makes the bytes handed to the file so far durable (not the buffer's).
    std::uint32_t Sync();
    // Moves the file position to the end of the file.
    std::uint32_t SeekToEnd();

protected:
    // Opens the file with `mode` and enters `state`.
    std::uint32_t OpenWith(const FileOpenMode& mode, State state);

private:
    enum class Direction { kNone, kReading, kWriting };

    std::uint32_t Fill();  // refills the empty buffer from the file

    FileSystem* m_files = nullptr;
    std::string m_path;
    State m_state = State::kClosed;
    Direction m_direction = Direction::kNone;
    std::unique_ptr<FileHandle> m_handle;
    std::unique_ptr<std::uint8_t[]> m_buffer;  // made on the first open
    std::size_t m_position = 0;                // read cursor in the buffer
    std::size_t m_count = 0;                   // valid bytes (reading) or bytes waiting (writing)
    std::uint64_t m_fileSize = 0;
    std::uint64_t m_filePosition = 0;  // of the handle, past the buffer's bytes
};

}  // namespace tidemark
