#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/settings/script_store.h"

namespace tidemark {

// The stored form of the registered scripts, used both for the value
// "tmk.script1.0" and for export files. Little-endian:
//   magic "!TMS", u32 entry count, then per entry tagged sections:
//   tag 1 + name, tag 2 + file, tag 3 + u32 attributes, tag 0xFF ends it.
// A text is a u32 byte count and the bytes, without terminator. A reader
// skips any other tag below 0xFF (it carries no data).
namespace ScriptStoreFormat {
inline constexpr std::uint8_t kMagic[4] = {'!', 'T', 'M', 'S'};
inline constexpr std::uint8_t kTagName = 1;
inline constexpr std::uint8_t kTagFile = 2;
inline constexpr std::uint8_t kTagAttributes = 3;
inline constexpr std::uint8_t kTagEnd = 0xFF;
}  // namespace ScriptStoreFormat

enum class ScriptStoreReadStatus {
    kOk,
    kNotAScriptStore,  // the data does not begin with "!TMS"
    kDamaged,          // the data ends inside an entry (error 38 for the user)
};

struct ScriptStoreReadResult {
    ScriptStoreReadStatus Status = ScriptStoreReadStatus::kOk;
    ScriptStore Store;  // empty unless Status is kOk
};

// Reads a whole store. The place table follows the entries' attributes; of
// two entries naming one place the later keeps it. Entries beyond the
// store's limit are read and dropped.
ScriptStoreReadResult ReadScriptStore(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> WriteScriptStore(const ScriptStore& store);

}  // namespace tidemark
