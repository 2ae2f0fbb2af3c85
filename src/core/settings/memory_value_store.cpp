#include "core/settings/memory_value_store.h"

#include <algorithm>

namespace tidemark {

const MemoryValueStore::Value* MemoryValueStore::Find(std::string_view name) const {
    if (m_unavailable)
        return nullptr;
    auto it = std::find_if(m_values.begin(), m_values.end(),
                           [name](const Value& v) { return v.name == name; });
    return it == m_values.end() ? nullptr : &*it;
}

std::optional<std::vector<std::uint8_t>> MemoryValueStore::QueryBinary(
    std::string_view name) const {
    const Value* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    return value->bytes;
}

std::optional<ByteString> MemoryValueStore::QueryString(std::string_view name) const {
    const Value* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    auto end = std::find(value->bytes.begin(), value->bytes.end(), std::uint8_t{0});
    return ByteString(value->bytes.data(), static_cast<std::size_t>(end - value->bytes.begin()));
}

bool MemoryValueStore::Set(std::string_view name, Kind kind, std::vector<std::uint8_t> bytes) {
    if (m_unavailable)
        return false;
    ++m_writeCount;
    auto it = std::find_if(m_values.begin(), m_values.end(),
                           [name](const Value& v) { return v.name == name; });
    if (it == m_values.end()) {
        m_values.push_back(Value{std::string(name), kind, std::move(bytes)});
    } else {
        it->kind = kind;
        it->bytes = std::move(bytes);
    }
    return true;
}

bool MemoryValueStore::SetBinary(std::string_view name, std::span<const std::uint8_t> bytes) {
    return Set(name, Kind::kBinary, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

bool MemoryValueStore::SetString(std::string_view name, std::string_view text) {
    return Set(name, Kind::kString, std::vector<std::uint8_t>(text.begin(), text.end()));
}

bool MemoryValueStore::DeleteValue(std::string_view name) {
    if (m_unavailable)
        return false;
    ++m_writeCount;
    std::erase_if(m_values, [name](const Value& v) { return v.name == name; });
    return true;
}

std::vector<std::string> MemoryValueStore::ValueNames() const {
    std::vector<std::string> names;
    if (m_unavailable)
        return names;
    for (const Value& value : m_values)
        names.push_back(value.name);
    return names;
}

std::optional<MemoryValueStore::Kind> MemoryValueStore::KindOf(std::string_view name) const {
    const Value* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    return value->kind;
}

}  // namespace tidemark
