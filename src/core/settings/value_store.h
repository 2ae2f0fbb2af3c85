#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/byte_string.h"

namespace tidemark {

// The per-user store of named values under the product key (on Windows the
// registry key Software\Corvane\Tidemark). Values are binary blocks or texts
// in the program's text encoding; a query returns the bytes whatever kind was
// written, as the registry does.
//
// Failures never raise: a store that cannot be opened answers every query with
// nothing and ignores every write (the setters then return false). Callers
// treat a missing value and an unreadable one alike and fall back to defaults.
// Not thread-safe; each process uses it from its main thread.
class ValueStore {
public:
    virtual ~ValueStore() = default;

    // The bytes of the value, or nothing when it is missing or unreadable.
    virtual std::optional<std::vector<std::uint8_t>> QueryBinary(std::string_view name) const = 0;
    // The text of the value up to its first zero byte, or nothing.
    virtual std::optional<ByteString> QueryString(std::string_view name) const = 0;

    virtual bool SetBinary(std::string_view name, std::span<const std::uint8_t> bytes) = 0;
    virtual bool SetString(std::string_view name, std::string_view text) = 0;
    // True when the value is gone afterwards (also when it never existed).
    virtual bool DeleteValue(std::string_view name) = 0;

    // The names of the values directly under the product key; empty when the
    // store cannot be read.
    virtual std::vector<std::string> ValueNames() const = 0;
};

}  // namespace tidemark
