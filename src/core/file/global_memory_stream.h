#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/file/byte_stream.h"

namespace tidemark {

// A block of memory handed between the note and its clipboard or drag data.
using MemoryBlock = std::vector<std::uint8_t>;

// A ByteStream over a growable memory block. Made empty it owns the block it
// allocates on OpenWrite (4,096 bytes); made over a caller's block it reads
// or overwrites that block in place and never frees it. A write that reaches
// the end of the block grows it to the written size plus 8,191 rounded down
// to a multiple of 4,096, so at least 4,096 bytes stay spare and a long
// serialisation reallocates seldom.
class GlobalMemoryStream : public ByteStream {
public:
    GlobalMemoryStream();
    explicit GlobalMemoryStream(MemoryBlock* block);  // borrowed, not owned

    std::uint32_t OpenRead() override;
    std::uint32_t OpenWrite() override;
    // Writing: the block shrinks to the bytes written.
    std::uint32_t Close() override;
    std::uint32_t Write(const void* bytes, std::size_t count) override;
    std::uint32_t Read(void* bytes, std::size_t count) override;
    std::uint32_t Flush() override { return 0; }
    std::size_t Remaining() const override;

    // Hands the block to the caller; the stream forgets it. Only for an owning stream.
    MemoryBlock Detach();

private:
    enum class Mode { kNone, kRead, kWrite };
    std::unique_ptr<MemoryBlock> m_owned;
    MemoryBlock* m_block = nullptr;
    Mode m_mode = Mode::kNone;
    std::size_t m_position = 0;
};

}  // namespace tidemark
