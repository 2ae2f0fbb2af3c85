#pragma once

#include <cstddef>
#include <cstdint>

namespace tidemark {

// The stream every serialisation runs over. Each operation returns 0 on
// success or an error code (core/common/error_code.h); the typed helpers of
// stream_io.h turn a failure into a thrown IoError.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    virtual std::uint32_t OpenRead() = 0;
    virtual std::uint32_t OpenWrite() = 0;
    virtual std::uint32_t Close() = 0;
    virtual std::uint32_t Write(const void* bytes, std::size_t count) = 0;
    // Fills exactly `count` bytes or fails (38 when the data ends first).
    virtual std::uint32_t Read(void* bytes, std::size_t count) = 0;
    virtual std::uint32_t Flush() = 0;

    // Bytes a reader may still take, when the stream knows it; readers use it
    // to refuse a stored length larger than the data before allocating it.
    // Streams that cannot tell return SIZE_MAX.
    virtual std::size_t Remaining() const { return SIZE_MAX; }
};

}  // namespace tidemark
