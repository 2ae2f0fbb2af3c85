#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tidemark {

// The progress text of a rescue run, shown in the wizard and printed by the tool: UTF-8 lines
// ending in CR LF.
//
// It never holds more than kCapacity bytes. When a new line would not fit, the oldest whole
// lines are dropped until it does, so the end of a long run (what stopped it, and that it
// finished) always stays readable. A single line longer than the whole capacity keeps its
// last bytes, starting at a character boundary.
class RescueLog {
public:
    static constexpr std::size_t kCapacity = 32000;

    void Clear();

    // Appends `line` and a CR LF, unless `line` already ends with one. A line may hold several
    // CR LF-separated lines.
    void AppendLine(std::string_view line);

    const std::string& Text() const { return m_text; }
    // True once a line has been dropped since the last Clear.
    bool Dropped() const { return m_dropped; }

private:
    void Append(std::string_view text);

    std::string m_text;
    bool m_dropped = false;
};

}  // namespace tidemark
