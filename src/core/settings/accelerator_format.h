#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/settings/command_ids.h"

namespace tidemark {

class KeyTable;

// The stored form of the key assignments, the value "accelerator": one
// 5-byte record per key-table entry, in table order, entries without a key
// included, no header. Little-endian.
namespace AcceleratorFormat {
inline constexpr std::size_t kRecordSize = 5;
inline constexpr std::size_t kCommand = 0;  // u16
inline constexpr std::size_t kFlags = 2;    // u8
inline constexpr std::size_t kKey = 3;      // u16
}  // namespace AcceleratorFormat

struct AcceleratorRecord {
    CommandId Command = 0;
    std::uint8_t Flags = 0;
    std::uint16_t Key = 0;
    friend bool operator==(const AcceleratorRecord&, const AcceleratorRecord&) = default;
};

// The whole records of `bytes`, in order; a cut-off record at the end is
// dropped (the records before it stand).
std::vector<AcceleratorRecord> ReadAcceleratorRecords(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> WriteAcceleratorRecords(const KeyTable& table);

}  // namespace tidemark
