#pragma once

#include <cstdint>
#include <filesystem>

#include "core/settings/script_store.h"
#include "core/settings/value_store.h"

namespace tidemark {

// The string-table entry holding the name of the file older versions kept
// the registered scripts in, beside the program ("tmscript.bin").
inline constexpr std::uint32_t kLegacyScriptFileStringId = 10037;

// The window side of saving the registered scripts; called on the main
// window's thread after every save.
class ScriptStoreNotifier {
public:
    virtual ~ScriptStoreNotifier() = default;
    // Tell every other main window to reload the store, and rebuild this
    // window's tool menu.
    virtual void ScriptStoreSaved() = 0;
};

// The registered scripts of the store's "tmk.script1.0" value. When the
// value is missing (or empty), the store is migrated from `legacyFile` if
// that file can be opened, and then saved at once. A value or file that
// cannot be read gives an empty store.
ScriptStore LoadScriptStore(ValueStore& values, const std::filesystem::path& legacyFile,
                            ScriptStoreNotifier& notifier);

// Writes the store as "tmk.script1.0" and tells the notifier.
bool SaveScriptStore(ValueStore& values, const ScriptStore& store, ScriptStoreNotifier& notifier);

}  // namespace tidemark
