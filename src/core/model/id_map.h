#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tidemark {

// A map from 32-bit keys to values with a fixed, observable iteration order:
// keys are grouped in 1,024 buckets by key modulo 1,024, buckets are visited
// in ascending order, and within a bucket the most recently inserted key comes
// first. Note files list their item records in this order, so it must never
// change. Lookups are hash lookups (O(1) on average), independent of how
// many keys share a bucket; each bucket is a doubly linked list so that
// removal is O(1) too.
template <typename Value>
class IdMap {
public:
    static constexpr std::uint32_t kBucketCount = 1024;

    IdMap() { m_heads.fill(kNone); }

    std::size_t Size() const { return m_entries.size(); }
    void Reserve(std::size_t count) { m_entries.reserve(count); }
    bool Empty() const { return m_entries.empty(); }

    // Overwrites the value of a present key (its place in the order stays);
    // otherwise puts the key at the head of its bucket.
    void Insert(std::uint32_t key, Value value) {
        auto [it, added] = m_entries.try_emplace(key);
        it->second.value = std::move(value);
        if (!added) return;
        Entry& entry = it->second;
        const std::uint32_t bucket = key % kBucketCount;
        entry.previous = kNone;
        entry.next = m_heads[bucket];
        if (entry.next != kNone) m_entries.find(std::uint32_t(entry.next))->second.previous = key;
        m_heads[bucket] = key;
    }

    const Value* Find(std::uint32_t key) const {
        auto it = m_entries.find(key);
        return it == m_entries.end() ? nullptr : &it->second.value;
    }
    Value* Find(std::uint32_t key) {
        auto it = m_entries.find(key);
        return it == m_entries.end() ? nullptr : &it->second.value;
    }
    bool Contains(std::uint32_t key) const { return m_entries.count(key) != 0; }

    bool Remove(std::uint32_t key) {
        auto it = m_entries.find(key);
        if (it == m_entries.end()) return false;
        const Entry& entry = it->second;
        if (entry.previous != kNone) {
            m_entries.find(std::uint32_t(entry.previous))->second.next = entry.next;
        } else {
            m_heads[key % kBucketCount] = entry.next;
        }
        if (entry.next != kNone) {
            m_entries.find(std::uint32_t(entry.next))->second.previous = entry.previous;
        }
        m_entries.erase(it);
        return true;
    }

    void Clear() {
        m_entries.clear();
        m_heads.fill(kNone);
    }

    // Visits every key in the map's order. The visitor may remove the key it
    // is visiting (the walk has already stepped past it), but no other key.
    template <typename Visitor>
    void ForEach(Visitor&& visit) const {
        for (std::uint32_t bucket = 0; bucket < kBucketCount; ++bucket) {
            std::int64_t key = m_heads[bucket];
            while (key != kNone) {
                const Entry& entry = m_entries.find(std::uint32_t(key))->second;
                const std::int64_t next = entry.next;
                visit(std::uint32_t(key), entry.value);
                key = next;
            }
        }
    }

    // The keys in the map's order.
    std::vector<std::uint32_t> Keys() const {
        std::vector<std::uint32_t> keys;
        keys.reserve(m_entries.size());
        ForEach([&](std::uint32_t key, const Value&) { keys.push_back(key); });
        return keys;
    }

private:
    static constexpr std::int64_t kNone = -1;
    struct Entry {
        Value value{};
        std::int64_t previous = kNone;  // toward the bucket's head
        std::int64_t next = kNone;
    };
    std::unordered_map<std::uint32_t, Entry> m_entries;
    std::array<std::int64_t, kBucketCount> m_heads;
};

}  // namespace tidemark
