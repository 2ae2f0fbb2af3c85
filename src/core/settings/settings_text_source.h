#pragma once

#include <cstdint>

#include "core/common/byte_string.h"

namespace tidemark {

// The texts that the empty defaults of the settings are taken from, already
// in the program's text encoding (CP932). The program answers from its string
// table and from the user's locale; tests answer from a fixed list.
class SettingsTextSource {
public:
    virtual ~SettingsTextSource() = default;
    // The string-table entry `id`; empty when there is none.
    virtual ByteString Text(std::uint32_t id) const = 0;
    // The user locale's first long date picture and first time picture,
    // joined by one space; empty when the locale gives none.
    virtual ByteString LocaleDateTimeFormat() const = 0;
};

}  // namespace tidemark
