#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/value_store.h"

namespace tidemark {

// A value store held in memory, for tests and for runs without a profile.
// Names are kept in the order they were first written, which is the order
// ValueNames() reports. SetUnavailable(true) makes it behave like a store
// that could not be opened: queries find nothing, writes change nothing.
class MemoryValueStore : public ValueStore {
public:
    enum class Kind { kBinary, kString };

    std::optional<std::vector<std::uint8_t>> QueryBinary(std::string_view name) const override;
    std::optional<ByteString> QueryString(std::string_view name) const override;
    bool SetBinary(std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool SetString(std::string_view name, std::string_view text) override;
    bool DeleteValue(std::string_view name) override;
    std::vector<std::string> ValueNames() const override;

    void SetUnavailable(bool unavailable) { m_unavailable = unavailable; }
    // The kind the value was last written as; nothing when it is missing.
    std::optional<Kind> KindOf(std::string_view name) const;
    // How many successful writes (set or delete) the store has taken.
    int WriteCount() const { return m_writeCount; }

private:
    struct Value {
        std::string name;
        Kind kind;
        std::vector<std::uint8_t> bytes;
    };
    const Value* Find(std::string_view name) const;
    bool Set(std::string_view name, Kind kind, std::vector<std::uint8_t> bytes);

    std::vector<Value> m_values;
    bool m_unavailable = false;
    int m_writeCount = 0;
};

}  // namespace tidemark
