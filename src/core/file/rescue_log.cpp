#include "core/file/rescue_log.h"

namespace tidemark {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The part of `text` that fits into the whole log: its last kCapacity bytes, from the first
// line start among them, or failing that from the first character boundary.
std::string_view Tail(std::string_view text) {
    std::string_view tail = text.substr(text.size() - RescueLog::kCapacity);
    const std::size_t lineEnd = tail.find(kLineEnd);
    if (lineEnd != std::string_view::npos && lineEnd + kLineEnd.size() < tail.size()) {
        return tail.substr(lineEnd + kLineEnd.size());
    }
    std::size_t start = 0;
    while (start < tail.size() && IsUtf8Continuation(tail[start]))
        ++start;
    return tail.substr(start);
}

}  // namespace

void RescueLog::Clear() {
    m_text.clear();
    m_dropped = false;
}

void RescueLog::AppendLine(std::string_view line) {
    if (line.ends_with(kLineEnd)) {
        Append(line);
        return;
    }
    std::string terminated(line);
    terminated += kLineEnd;
    Append(terminated);
}

void RescueLog::Append(std::string_view text) {
    if (text.size() > kCapacity) {
        m_text.assign(Tail(text));
        m_dropped = true;
        return;
    }
    if (m_text.size() + text.size() > kCapacity) {
        // Drop the fewest whole lines that make room: cut just after the first CR LF that
        // ends at or beyond `excess`.
        const std::size_t excess = m_text.size() + text.size() - kCapacity;
        const std::size_t from = excess >= kLineEnd.size() ? excess - kLineEnd.size() : 0;
        const std::size_t lineEnd = m_text.find(kLineEnd, from);
        if (lineEnd == std::string::npos) {
            m_text.clear();
        } else {
            m_text.erase(0, lineEnd + kLineEnd.size());
        }
        m_dropped = true;
    }
    m_text += text;
}

}  // namespace tidemark
