#include "core/file/global_memory_stream.h"

#include <cstring>
#include <new>

#include "core/common/error_code.h"

namespace tidemark {

namespace {
constexpr std::size_t kInitialBlockSize = 4096;
constexpr std::size_t kBlockGranule = 4096;
constexpr std::size_t kHeadRoom = 8191;
}  // namespace

GlobalMemoryStream::GlobalMemoryStream() = default;

GlobalMemoryStream::GlobalMemoryStream(MemoryBlock* block) : m_block(block) {}

std::uint32_t GlobalMemoryStream::OpenRead() {
    if (m_block == nullptr) return ErrorCode::kInvalidParameter;
    m_mode = Mode::kRead;
    m_position = 0;
    return 0;
}

std::uint32_t GlobalMemoryStream::OpenWrite() {
    if (m_block == nullptr) {
        try {
            m_owned = std::make_unique<MemoryBlock>(kInitialBlockSize, 0);
        } catch (const std::bad_alloc&) {
            return ErrorCode::kNotEnoughMemory;
        }
        m_block = m_owned.get();
    }
    m_mode = Mode::kWrite;
    m_position = 0;
    return 0;
}

std::uint32_t GlobalMemoryStream::Close() {
    if (m_mode == Mode::kWrite && m_block != nullptr) {
        m_block->resize(m_position);
        m_block->shrink_to_fit();
    }
    m_mode = Mode::kNone;
    return 0;
}

std::uint32_t GlobalMemoryStream::Write(const void* bytes, std::size_t count) {
    if (m_mode != Mode::kWrite) return ErrorCode::kInvalidFunction;
    if (count >= m_block->size() - m_position) {
        const std::size_t grown = (m_position + count + kHeadRoom) / kBlockGranule * kBlockGranule;
        try {
            m_block->resize(grown, 0);
        } catch (const std::bad_alloc&) {
            return ErrorCode::kNotEnoughMemory;
        }
    }
    std::memcpy(m_block->data() + m_position, bytes, count);
    m_position += count;
    return 0;
}

std::uint32_t GlobalMemoryStream::Read(void* bytes, std::size_t count) {
    if (m_mode != Mode::kRead) return ErrorCode::kInvalidFunction;
    if (count > m_block->size() - m_position) return ErrorCode::kHandleEof;
    std::memcpy(bytes, m_block->data() + m_position, count);
    m_position += count;
    return 0;
}

std::size_t GlobalMemoryStream::Remaining() const {
    if (m_mode != Mode::kRead || m_block == nullptr) return SIZE_MAX;
    return m_block->size() - m_position;
}

MemoryBlock GlobalMemoryStream::Detach() {
    MemoryBlock block;
    if (m_owned) block = std::move(*m_owned);
    m_owned.reset();
    m_block = nullptr;
    m_mode = Mode::kNone;
    return block;
}

}  // namespace tidemark
