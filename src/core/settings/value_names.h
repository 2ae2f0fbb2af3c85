#pragma once

#include <string>
#include <string_view>

namespace tidemark::ValueName {

// The names of the values the program keeps under the product key. They are
// part of the stored format: older and newer versions read the same names.
inline constexpr std::string_view kSettings = "tmk.conf1.0";
inline constexpr std::string_view kAccelerator = "accelerator";
inline constexpr std::string_view kDefaultNote = "default";
inline constexpr std::string_view kScriptStore = "tmk.script1.0";
// Recent notes: "history0" (oldest) to "history9".
inline constexpr std::string_view kHistoryPrefix = "history";
inline constexpr int kHistoryCount = 10;

// Values of installations that predate kSettings; read once to migrate.
inline constexpr std::string_view kLegacyTreeFont = "tree.font";
inline constexpr std::string_view kLegacyEditFont = "edit.font";
inline constexpr std::string_view kLegacyEditTab = "edit.tab";
inline constexpr std::string_view kLegacyStatusBar = "statusbar";
inline constexpr std::string_view kLegacyGridLines = "tree.gridlines";
inline constexpr std::string_view kLegacyDragPopup = "dnd.popup";

// Values whose names begin with this character map a script file extension
// (".js") to the engine that runs it; installers and users write them, the
// program only reads them.
inline constexpr char kScriptEnginePrefix = '.';

// "history" followed by the decimal index.
inline std::string HistoryValueName(int index) {
    return std::string(kHistoryPrefix) + std::to_string(index);
}

inline bool IsScriptEngineValueName(std::string_view name) {
    return !name.empty() && name.front() == kScriptEnginePrefix;
}

}  // namespace tidemark::ValueName
