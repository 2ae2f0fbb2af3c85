#pragma once

namespace tidemark {

// The values of Settings::StartupMode: what a window does at start-up when
// the command line names no note. 0 stands only for a cancelled choice.
namespace StartupOption {
inline constexpr int kCancelled = 0;
inline constexpr int kNewNote = 1;
inline constexpr int kChooseNote = 2;
inline constexpr int kLastNote = 3;
inline constexpr int kTemplate = 4;
inline constexpr int kAsk = 5;
}  // namespace StartupOption

}  // namespace tidemark
