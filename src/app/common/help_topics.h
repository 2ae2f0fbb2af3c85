#pragma once

// The items of the help note that the program opens by their id: commands,
// the first run and the Help buttons of its dialogs. The help note is built
// with a page for every one of them.
namespace HelpTopic {
inline constexpr int kQuickStart = 12;      // the first run, "クイックスタート"
inline constexpr int kStartupOptions = 62;  // the start-up dialog
inline constexpr int kSort = 64;            // the sort dialog
inline constexpr int kFind = 65;            // the find dialog
inline constexpr int kScripts = 77;         // "スクリプトのヘルプ"
}  // namespace HelpTopic
