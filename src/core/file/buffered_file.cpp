#include "core/file/buffered_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "core/common/error_code.h"

namespace tidemark {

BufferedFile::BufferedFile(FileSystem* files, std::string path)
    : m_files(files), m_path(std::move(path)) {}

BufferedFile::~BufferedFile() { Close(); }

std::uint32_t BufferedFile::OpenRead() {
    return OpenWith({FileAccess::kRead, FileLock::kShared, FileDisposition::kOpenExisting},
                    State::kReading);
}

std::uint32_t BufferedFile::OpenWrite() {
    return OpenWith({FileAccess::kWrite, FileLock::kExclusive, FileDisposition::kCreateAlways},
                    State::kWriting);
}

std::uint32_t BufferedFile::OpenWith(const FileOpenMode& mode, State state) {
    if (m_files == nullptr || m_path.empty()) return ErrorCode::kInvalidParameter;
    if (m_handle) return ErrorCode::kInvalidFunction;
    if (!m_buffer) {
        m_buffer.reset(new (std::nothrow) std::uint8_t[kBufferSize]);
        if (!m_buffer) return ErrorCode::kNotEnoughMemory;
    }
    std::unique_ptr<FileHandle> handle;
    if (const std::uint32_t code = m_files->Open(m_path, mode, handle)) return code;
    std::uint64_t size = 0;
    if (const std::uint32_t code = handle->Size(size)) return code;
    m_handle = std::move(handle);
    m_state = state;
    m_direction = Direction::kNone;
    m_position = 0;
    m_count = 0;
    m_fileSize = size;
    m_filePosition = 0;
    return 0;
}

std::uint32_t BufferedFile::Close() {
    if (!m_handle) return 0;
    std::uint32_t result = Flush();
    if (m_direction == Direction::kWriting) {
        const std::uint32_t code = m_handle->Sync();
        if (result == 0) result = code;
    }
    const std::uint32_t code = m_handle->Close();
    if (result == 0) result = code;
    m_handle.reset();
    m_state = State::kClosed;
    m_direction = Direction::kNone;
    m_position = 0;
    m_count = 0;
    return result;
}

std::uint32_t BufferedFile::Write(const void* bytes, std::size_t count) {
    if (m_direction == Direction::kReading) return ErrorCode::kInvalidFunction;
    if (!m_handle) return ErrorCode::kInvalidParameter;
    m_direction = Direction::kWriting;
    const auto* source = static_cast<const std::uint8_t*>(bytes);
    const std::size_t free = kBufferSize - m_count;
    if (count < free) {
        std::memcpy(m_buffer.get() + m_count, source, count);
        m_count += count;
        return 0;
    }
    std::memcpy(m_buffer.get() + m_count, source, free);
    m_count = kBufferSize;
    if (const std::uint32_t code = Flush()) return code;
    source += free;
    const std::size_t rest = count - free;
    if (rest >= kBufferSize) {
        if (const std::uint32_t code = m_handle->Write(source, rest)) return code;
        m_filePosition += rest;
    } else {
        std::memcpy(m_buffer.get(), source, rest);
        m_count = rest;
    }
    return 0;
}

std::uint32_t BufferedFile::Flush() {
    if (!m_handle) return ErrorCode::kInvalidParameter;
    if (m_direction != Direction::kWriting) return 0;
    if (m_count > 0) {
        if (const std::uint32_t code = m_handle->Write(m_buffer.get(), m_count)) return code;
        m_filePosition += m_count;
    }
    m_count = 0;
    m_position = 0;
    return 0;
}

std::uint32_t BufferedFile::Fill() {
    std::size_t done = 0;
    if (const std::uint32_t code = m_handle->Read(m_buffer.get(), kBufferSize, done)) return code;
    if (done == 0) return ErrorCode::kHandleEof;
    m_filePosition += done;
    m_position = 0;
    m_count = done;
    return 0;
}

std::uint32_t BufferedFile::Read(void* bytes, std::size_t count) {
    if (m_direction == Direction::kWriting) return ErrorCode::kInvalidFunction;
    if (!m_handle) return ErrorCode::kInvalidParameter;
    m_direction = Direction::kReading;
    auto* target = static_cast<std::uint8_t*>(bytes);
    while (count > 0) {
        if (m_position == m_count) {
            // A large request bypasses the empty buffer.
            if (count >= kBufferSize) {
                std::size_t done = 0;
                if (const std::uint32_t code = m_handle->Read(target, count, done)) return code;
                if (done == 0) return ErrorCode::kHandleEof;
                m_filePosition += done;
                target += done;
                count -= done;
                continue;
            }
            if (const std::uint32_t code = Fill()) return code;
        }
        const std::size_t take = std::min(count, m_count - m_position);
        std::memcpy(target, m_buffer.get() + m_position, take);
        m_position += take;
        target += take;
        count -= take;
    }
    return 0;
}

std::size_t BufferedFile::Remaining() const {
    if (!m_handle || m_direction == Direction::kWriting) return SIZE_MAX;
    const std::uint64_t delivered = m_filePosition - (m_count - m_position);
    if (delivered >= m_fileSize) return 0;
    const std::uint64_t left = m_fileSize - delivered;
    if (left > std::numeric_limits<std::size_t>::max()) return SIZE_MAX;
    return static_cast<std::size_t>(left);
}

std::uint32_t BufferedFile::Sync() {
    if (!m_handle) return ErrorCode::kInvalidParameter;
    return m_handle->Sync();
}

std::uint32_t BufferedFile::SeekToEnd() {
    if (!m_handle) return ErrorCode::kInvalidParameter;
    if (m_direction == Direction::kWriting) {
        if (const std::uint32_t code = Flush()) return code;
    }
    std::uint64_t position = 0;
    if (const std::uint32_t code = m_handle->SeekToEnd(position)) return code;
    m_filePosition = position;
    if (position > m_fileSize) m_fileSize = position;
    m_position = 0;
    m_count = 0;
    return 0;
}

}  // namespace tidemark
