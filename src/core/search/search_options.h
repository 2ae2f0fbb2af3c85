#pragma once

#include <cstdint>

namespace tidemark {

// The search options word, as the find dialog shows it and the settings
// store it: the low byte is the target, the second byte the start position
// (exactly one bit once a search has been made, 0 before the first), the
// rest are switches.
struct SearchOptions {
    static constexpr std::uint32_t kTitles = 0x1;  // memo and memo group titles
    static constexpr std::uint32_t kBodies = 0x2;  // memo bodies
    static constexpr std::uint32_t kTargetMask = 0xFF;
    static constexpr std::uint32_t kStartAtNote = 0x100;   // top (end) of the note
    static constexpr std::uint32_t kStartAtGroup = 0x200;  // top (end) of the current group
    static constexpr std::uint32_t kStartHere = 0x400;     // the current place
    static constexpr std::uint32_t kStartMask = 0xFF00;
    static constexpr std::uint32_t kInGroupOnly = 0x10000;  // confined to the current group
    static constexpr std::uint32_t kNoDescend = 0x20000;    // only the items directly in it
    static constexpr std::uint32_t kMatchCase = 0x40000;
    static constexpr std::uint32_t kRegex = 0x80000;
    static constexpr std::uint32_t kFuzzy = 0x100000;

    std::uint32_t bits = 0;

    bool Has(std::uint32_t flag) const { return (bits & flag) != 0; }
    void Set(std::uint32_t flag, bool on) { bits = on ? (bits | flag) : (bits & ~flag); }

    // 1 titles only, 2 bodies only, 3 both; any other target byte reads as 3.
    std::uint32_t Target() const {
        const std::uint32_t target = bits & kTargetMask;
        return target >= 1 && target <= 3 ? target : kTitles | kBodies;
    }
    bool SearchesTitles() const { return (Target() & kTitles) != 0; }
    bool SearchesBodies() const { return (Target() & kBodies) != 0; }

    std::uint32_t Start() const { return bits & kStartMask; }
    void SetStart(std::uint32_t start) { bits = (bits & ~kStartMask) | (start & kStartMask); }
    // No search has been made with these options yet.
    bool IsFresh() const { return Start() == 0; }

    friend bool operator==(SearchOptions a, SearchOptions b) = default;
};

}  // namespace tidemark
