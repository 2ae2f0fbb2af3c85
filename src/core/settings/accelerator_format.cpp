#include "core/settings/accelerator_format.h"

#include "core/common/little_endian.h"
#include "core/settings/key_table.h"

namespace tidemark {

namespace F = AcceleratorFormat;

std::vector<AcceleratorRecord> ReadAcceleratorRecords(std::span<const std::uint8_t> bytes) {
    std::vector<AcceleratorRecord> records;
    for (std::size_t at = 0; at + F::kRecordSize <= bytes.size(); at += F::kRecordSize) {
        const std::uint8_t* record = bytes.data() + at;
        records.push_back(AcceleratorRecord{LoadU16(record + F::kCommand), record[F::kFlags],
                                            LoadU16(record + F::kKey)});
    }
    return records;
}

std::vector<std::uint8_t> WriteAcceleratorRecords(const KeyTable& table) {
    std::span<const KeyEntry> entries = table.Entries();
    std::vector<std::uint8_t> bytes(entries.size() * F::kRecordSize);
    std::uint8_t* record = bytes.data();
    for (const KeyEntry& entry : entries) {
        StoreU16(record + F::kCommand, entry.Command);
        record[F::kFlags] = entry.Flags;
        StoreU16(record + F::kKey, entry.Key);
        record += F::kRecordSize;
    }
    return bytes;
}

}  // namespace tidemark
