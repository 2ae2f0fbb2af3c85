#pragma once

#include <cstdint>

#include "core/common/byte_string.h"
#include "core/common/system_time.h"
#include "core/file/byte_stream.h"

namespace tidemark {

// Typed reads and writes on a ByteStream in the stored byte order. Every
// failure is thrown as IoError with the stream's code.
std::uint8_t ReadU8(ByteStream& stream);
std::uint32_t ReadU32(ByteStream& stream);
// A u32 byte count, then the bytes. A count larger than what the stream has
// left is damage (38), refused before any allocation.
ByteString ReadByteString(ByteStream& stream);
SystemTime ReadSystemTime(ByteStream& stream);
void ReadExactly(ByteStream& stream, void* bytes, std::size_t count);

void WriteU8(ByteStream& stream, std::uint8_t value);
void WriteU32(ByteStream& stream, std::uint32_t value);
void WriteByteString(ByteStream& stream, const ByteString& text);
void WriteSystemTime(ByteStream& stream, const SystemTime& time);
void WriteExactly(ByteStream& stream, const void* bytes, std::size_t count);

}  // namespace tidemark
