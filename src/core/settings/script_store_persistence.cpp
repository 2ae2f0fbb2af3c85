#include "core/settings/script_store_persistence.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

#include "core/settings/script_store_format.h"
#include "core/settings/value_names.h"

namespace tidemark {
namespace {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
    return bytes;
}

ScriptStore StoreOrEmpty(const std::vector<std::uint8_t>& bytes) {
    ScriptStoreReadResult read = ReadScriptStore(bytes);
    return read.Status == ScriptStoreReadStatus::kOk ? std::move(read.Store) : ScriptStore{};
}

}  // namespace

ScriptStore LoadScriptStore(ValueStore& values, const std::filesystem::path& legacyFile,
                            ScriptStoreNotifier& notifier) {
    std::optional<std::vector<std::uint8_t>> value = values.QueryBinary(ValueName::kScriptStore);
    if (value && !value->empty())
        return StoreOrEmpty(*value);

    std::optional<std::vector<std::uint8_t>> legacy = ReadWholeFile(legacyFile);
    if (!legacy)
        return ScriptStore{};
    ScriptStore store = StoreOrEmpty(*legacy);
    SaveScriptStore(values, store, notifier);
    return store;
}

bool SaveScriptStore(ValueStore& values, const ScriptStore& store, ScriptStoreNotifier& notifier) {
    bool saved = values.SetBinary(ValueName::kScriptStore, WriteScriptStore(store));
    notifier.ScriptStoreSaved();
    return saved;
}

}  // namespace tidemark
