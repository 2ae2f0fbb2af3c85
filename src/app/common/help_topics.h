#pragma once

// The topics of the help note that the program opens: each is the item id
// of a page of tidemark.tmh. The help-note builder includes this header and
// refuses to build a help note in which one of them has no page, so a topic
// added here needs its page in res/help/ as well.
//
// Plain constants, no Qt: the builder is a core-only tool.

#include <array>

namespace HelpTopic {

inline constexpr int kRoot = 0;  // "/h 0": the help note as it opens, at its root

inline constexpr int kQuickStart = 12;     // Help > quick start; the first run
inline constexpr int kStartupOption = 62;  // the start-up choice dialog
inline constexpr int kShortcut = 63;       // the note shortcut dialog
inline constexpr int kSort = 64;           // the sort dialog
inline constexpr int kFind = 65;           // the find dialogs
inline constexpr int kScriptList = 66;     // the script list dialogs
inline constexpr int kScriptEntry = 67;    // the script entry dialog
inline constexpr int kScripts = 77;        // Help > the script functions

// The pages of the options dialog, in the order of its tabs.
inline constexpr int kOptionsDisplay = 69;
inline constexpr int kOptionsKeys = 277;
inline constexpr int kOptionsFile = 70;
inline constexpr int kOptionsMemo = 71;
inline constexpr int kOptionsImport = 72;
inline constexpr int kOptionsExport = 73;
inline constexpr int kOptionsPrint = 74;
inline constexpr int kOptionsTools = 75;

// Every topic above except the root.
inline constexpr std::array<int, 16> kAll = {
    kQuickStart,     kStartupOption, kShortcut,    kSort,          kFind,
    kScriptList,     kScriptEntry,   kScripts,     kOptionsDisplay, kOptionsKeys,
    kOptionsFile,    kOptionsMemo,   kOptionsImport, kOptionsExport, kOptionsPrint,
    kOptionsTools,
};

}  // namespace HelpTopic
