#include "core/file/stream_io.h"

#include "core/common/error_code.h"
#include "core/common/little_endian.h"

namespace tidemark {

void ReadExactly(ByteStream& stream, void* bytes, std::size_t count) {
    if (count == 0) return;
    if (const std::uint32_t code = stream.Read(bytes, count)) throw IoError(code);
}

void WriteExactly(ByteStream& stream, const void* bytes, std::size_t count) {
    if (count == 0) return;
    if (const std::uint32_t code = stream.Write(bytes, count)) throw IoError(code);
}

std::uint8_t ReadU8(ByteStream& stream) {
    std::uint8_t value = 0;
    ReadExactly(stream, &value, 1);
    return value;
}

std::uint32_t ReadU32(ByteStream& stream) {
    std::uint8_t bytes[4];
    ReadExactly(stream, bytes, 4);
    return LoadU32(bytes);
}

ByteString ReadByteString(ByteStream& stream) {
    const std::uint32_t size = ReadU32(stream);
    if (size > stream.Remaining()) throw IoError(ErrorCode::kHandleEof);
    ByteString text;
    text.Resize(size);
    ReadExactly(stream, text.MutableData(), size);
    return text;
}

SystemTime ReadSystemTime(ByteStream& stream) {
    std::uint8_t b[16];
    ReadExactly(stream, b, 16);
    SystemTime t;
    t.year = LoadU16(b);
    t.month = LoadU16(b + 2);
    t.dayOfWeek = LoadU16(b + 4);
    t.day = LoadU16(b + 6);
    t.hour = LoadU16(b + 8);
    t.minute = LoadU16(b + 10);
    t.second = LoadU16(b + 12);
    t.milliseconds = LoadU16(b + 14);
    return t;
}

void WriteU8(ByteStream& stream, std::uint8_t value) { WriteExactly(stream, &value, 1); }

void WriteU32(ByteStream& stream, std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreU32(bytes, value);
    WriteExactly(stream, bytes, 4);
}

void WriteByteString(ByteStream& stream, const ByteString& text) {
    WriteU32(stream, static_cast<std::uint32_t>(text.Size()));
    WriteExactly(stream, text.Data(), text.Size());
}

void WriteSystemTime(ByteStream& stream, const SystemTime& t) {
    std::uint8_t b[16];
    StoreU16(b, t.year);
    StoreU16(b + 2, t.month);
    StoreU16(b + 4, t.dayOfWeek);
    StoreU16(b + 6, t.day);
    StoreU16(b + 8, t.hour);
    StoreU16(b + 10, t.minute);
    StoreU16(b + 12, t.second);
    StoreU16(b + 14, t.milliseconds);
    WriteExactly(stream, b, 16);
}

}  // namespace tidemark
