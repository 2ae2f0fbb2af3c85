#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "core/common/little_endian.h"
#include "core/common/system_time.h"
#include "core/file/global_memory_stream.h"

namespace tidemark {

// Writes hand-made note bytes for tests, so fixtures show exactly what a
// file holds (and where it is damaged).
class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t v) {
        m_bytes.push_back(v);
        return *this;
    }
    ByteBuilder& U8s(std::initializer_list<std::uint8_t> values) {
        for (auto v : values) U8(v);
        return *this;
    }
    ByteBuilder& U32(std::uint32_t v) {
        std::uint8_t b[4];
        StoreU32(b, v);
        m_bytes.insert(m_bytes.end(), b, b + 4);
        return *this;
    }
    ByteBuilder& Tag32(std::uint8_t tag, std::uint32_t v) { return U8(tag).U32(v); }
    ByteBuilder& Str(std::string_view s) {
        U32(static_cast<std::uint32_t>(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    ByteBuilder& TagStr(std::uint8_t tag, std::string_view s) { return U8(tag).Str(s); }
    ByteBuilder& Time(const SystemTime& t) {
        for (std::uint16_t v : {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second,
                                t.milliseconds}) {
            U8(static_cast<std::uint8_t>(v)).U8(static_cast<std::uint8_t>(v >> 8));
        }
        return *this;
    }
    ByteBuilder& Magic() { return U8s({'!', 'T', 'M', 'K'}); }

    // A complete base section for an item with the given links and title.
    ByteBuilder& BaseSection(std::uint32_t id, std::uint32_t parent, std::uint32_t firstChild,
                             std::uint32_t previous, std::uint32_t next, std::string_view title,
                             std::uint32_t type, std::uint32_t flags = 0, std::uint32_t open = 1) {
        Tag32(1, id).Tag32(2, parent).Tag32(3, firstChild).Tag32(4, previous).Tag32(5, next);
        TagStr(6, title).Tag32(7, open).Tag32(8, 0).Tag32(9, type);
        U8(10).Time(SystemTime{2004, 5, 4, 6, 13, 45, 7, 0});
        Tag32(11, 0xFFFFFF).Tag32(12, 0).Tag32(13, 0).Tag32(14, 0).Tag32(15, flags);
        TagStr(16, "").U8(0xFF);
        return *this;
    }
    ByteBuilder& Group(std::uint32_t id, std::uint32_t parent, std::uint32_t firstChild,
                       std::uint32_t previous, std::uint32_t next, std::string_view title) {
        return U8(0x80).BaseSection(id, parent, firstChild, previous, next, title, 1);
    }
    ByteBuilder& Memo(std::uint32_t id, std::uint32_t parent, std::uint32_t previous,
                      std::uint32_t next, std::string_view title, std::string_view body) {
        U8(0x81).BaseSection(id, parent, 0, previous, next, title, 2, 0, 0);
        return TagStr(1, body).Tag32(2, 1).U8(0xFF);
    }
    // Header tags 2 (last id) and 9 (root id): enough for a loadable note.
    ByteBuilder& MinimalHeader(std::uint32_t lastId, std::uint32_t rootId) {
        return Tag32(1, 0x01000005).Tag32(2, lastId).Tag32(9, rootId);
    }

    const MemoryBlock& Bytes() const { return m_bytes; }
    MemoryBlock& Bytes() { return m_bytes; }

private:
    MemoryBlock m_bytes;
};

}  // namespace tidemark
