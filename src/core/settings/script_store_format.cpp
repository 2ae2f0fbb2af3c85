#include "core/settings/script_store_format.h"

#include <algorithm>

#include "core/common/little_endian.h"

namespace tidemark {
namespace {

namespace F = ScriptStoreFormat;

struct Truncated {};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint8_t U8() { return *Take(1); }
    std::uint32_t U32() { return LoadU32(Take(4)); }
    ByteString Text() {
        std::uint32_t size = U32();
        return ByteString(Take(size), size);
    }

private:
    const std::uint8_t* Take(std::size_t count) {
        if (count > m_bytes.size() - m_at)
            throw Truncated{};
        const std::uint8_t* at = m_bytes.data() + m_at;
        m_at += count;
        return at;
    }
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreU32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

void PutText(std::vector<std::uint8_t>& out, std::uint8_t tag, const ByteString& text) {
    out.push_back(tag);
    PutU32(out, static_cast<std::uint32_t>(text.Size()));
    out.insert(out.end(), text.Bytes(), text.Bytes() + text.Size());
}

}  // namespace

ScriptStoreReadResult ReadScriptStore(std::span<const std::uint8_t> bytes) {
    ScriptStoreReadResult result;
    if (bytes.size() < sizeof F::kMagic ||
        !std::equal(std::begin(F::kMagic), std::end(F::kMagic), bytes.begin())) {
        result.Status = ScriptStoreReadStatus::kNotAScriptStore;
        return result;
    }
    Reader reader(bytes.subspan(sizeof F::kMagic));
    try {
        std::uint32_t count = reader.U32();
        for (std::uint32_t i = 0; i < count; ++i) {
            ScriptEntry entry;
            for (std::uint8_t tag = reader.U8(); tag != F::kTagEnd; tag = reader.U8()) {
                if (tag == F::kTagName) {
                    entry.Name = reader.Text();
                } else if (tag == F::kTagFile) {
                    entry.File = reader.Text();
                } else if (tag == F::kTagAttributes) {
                    entry.Attributes = reader.U32();
                }
            }
            result.Store.Append(std::move(entry));
        }
    } catch (const Truncated&) {
        return ScriptStoreReadResult{ScriptStoreReadStatus::kDamaged, ScriptStore{}};
    }
    return result;
}

std::vector<std::uint8_t> WriteScriptStore(const ScriptStore& store) {
    std::vector<std::uint8_t> out(std::begin(F::kMagic), std::end(F::kMagic));
    PutU32(out, static_cast<std::uint32_t>(store.Count()));
    for (const ScriptEntry& entry : store.Entries()) {
        PutText(out, F::kTagName, entry.Name);
        PutText(out, F::kTagFile, entry.File);
        out.push_back(F::kTagAttributes);
        PutU32(out, entry.Attributes);
        out.push_back(F::kTagEnd);
    }
    return out;
}

}  // namespace tidemark
