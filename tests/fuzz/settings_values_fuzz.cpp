// Feeds arbitrary bytes to the readers of values from the per-user store:
// the settings record, the key assignments and the registered scripts.
// Another program may have written anything there. Reading must never
// crash, and what a reader accepts must survive its writer and reader again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/settings/accelerator_format.h"
#include "core/settings/script_store_format.h"
#include "core/settings/settings.h"
#include "core/settings/settings_format.h"

using namespace tidemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    Settings settings;
    ReadSettingsImage(bytes, settings);
    const std::vector<std::uint8_t> image = WriteSettingsImage(settings);
    if (image.size() != 4096) std::abort();
    Settings again;
    ReadSettingsImage(image, again);
    if (WriteSettingsImage(again) != image) std::abort();

    ReadAcceleratorRecords(bytes);

    const ScriptStoreReadResult scripts = ReadScriptStore(bytes);
    if (scripts.Status == ScriptStoreReadStatus::kOk) {
        const std::vector<std::uint8_t> stored = WriteScriptStore(scripts.Store);
        const ScriptStoreReadResult reread = ReadScriptStore(stored);
        if (reread.Status != ScriptStoreReadStatus::kOk) std::abort();
        if (WriteScriptStore(reread.Store) != stored) std::abort();
    }
    return 0;
}
