#include "core/search/text_matcher.h"

#include <oniguruma.h>

#include <algorithm>
#include <cstring>

#include "core/search/search_text.h"

namespace tidemark {
namespace {

// Zero bytes kept after the line in its buffer, so that an engine stepping
// over a lead byte at the very end of a line still reads inside the buffer.
constexpr std::size_t kLinePadding = 4;

void InitializeEngineOnce() {
    static const bool initialized = [] {
        OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
        onig_initialize(encodings, 1);
        return true;
    }();
    (void)initialized;
}

const OnigUChar* Bytes(const char* data) {
    return reinterpret_cast<const OnigUChar*>(data);
}

}  // namespace

struct TextMatcher::Regex {
    OnigRegex regex = nullptr;
    OnigRegion* region = nullptr;

    ~Regex() {
        if (region)
            onig_region_free(region, 1);
        if (regex)
            onig_free(regex);
    }
};

TextMatcher::TextMatcher(std::uint32_t flags, std::string_view pattern) : m_flags(flags) {
    if (pattern.empty())
        return;
    const bool fold = (flags & kFoldCase) != 0;
    const bool regex = (flags & kRegex) != 0;
    // A regular expression keeps its single-byte characters as typed: the
    // engine folds ASCII itself, and escapes such as \W or \p{Alpha} must
    // keep their case.
    m_pattern = fold ? FoldCase(pattern, regex) : std::string(pattern);
    if (!regex) {
        m_valid = true;
        return;
    }
    InitializeEngineOnce();
    auto compiled = std::make_unique<Regex>();
    OnigErrorInfo info{};
    OnigOptionType options = ONIG_OPTION_FIND_NOT_EMPTY;
    if (fold)
        options |= ONIG_OPTION_IGNORECASE;
    const OnigUChar* begin = Bytes(m_pattern.data());
    const int result = onig_new(&compiled->regex, begin, begin + m_pattern.size(), options,
                                ONIG_ENCODING_SJIS, ONIG_SYNTAX_PERL_NG, &info);
    if (result != ONIG_NORMAL) {
        compiled->regex = nullptr;
        OnigUChar message[ONIG_MAX_ERROR_MESSAGE_LEN] = {};
        const int length = onig_error_code_to_str(message, result, &info);
        m_error.assign(reinterpret_cast<const char*>(message),
                       static_cast<std::size_t>(std::max(length, 0)));
        return;
    }
    compiled->region = onig_region_new();
    m_regex = std::move(compiled);
    m_valid = true;
}

TextMatcher::~TextMatcher() = default;

bool TextMatcher::SetText(std::string_view text, std::size_t offset) {
    if (!m_valid || offset > text.size())
        return false;
    m_text = text;
    m_hasText = true;
    m_offset = offset;
    m_direction = Direction::kNone;
    return true;
}

void TextMatcher::Reset() {
    m_text = {};
    m_hasText = false;
    m_offset = 0;
    m_direction = Direction::kNone;
    std::string().swap(m_line);
    m_lineLength = 0;
}

void TextMatcher::LoadLine(std::size_t start, std::size_t end) {
    m_lineStart = start;
    m_lineLength = end - start;
    m_line.assign(m_text.substr(start, m_lineLength));
    if (m_flags & kFoldCase)
        FoldCaseInPlace(m_line.data(), m_lineLength);
    m_line.append(kLinePadding, '\0');
}

bool TextMatcher::FindPlain(std::size_t from, std::size_t& at) const {
    const std::string_view line(m_line.data(), m_lineLength);
    const std::size_t size = m_pattern.size();
    for (std::size_t pos = from; pos + size <= line.size(); pos += SearchCharLength(line, pos)) {
        if (line[pos] != m_pattern[0] || line.compare(pos, size, m_pattern) != 0)
            continue;
        // The match must end on a character boundary of the line too: a
        // pattern ending in a lone lead byte must not take a trail byte.
        std::size_t end = pos;
        while (end < pos + size)
            end += SearchCharLength(line, end);
        if (end == pos + size) {
            at = pos;
            return true;
        }
    }
    return false;
}

bool TextMatcher::FindRegex(std::size_t from, std::size_t& at, std::size_t& length) const {
    const OnigUChar* begin = Bytes(m_line.data());
    const OnigUChar* end = begin + m_lineLength;
    const int found = onig_search(m_regex->regex, begin, end, begin + from, end, m_regex->region,
                                  ONIG_OPTION_NONE);
    // A mismatch, and also an engine error (a retry limit reached), is no match.
    if (found < 0 || m_regex->region->num_regs < 1)
        return false;
    const int matchStart = m_regex->region->beg[0];
    const int matchEnd = m_regex->region->end[0];
    if (matchStart < 0 || matchEnd <= matchStart || std::size_t(matchEnd) > m_lineLength ||
        std::size_t(matchStart) < from) {
        return false;
    }
    at = std::size_t(matchStart);
    length = std::size_t(matchEnd - matchStart);
    return true;
}

bool TextMatcher::FindInLine(std::size_t from, std::size_t& at, std::size_t& length) const {
    if (from >= m_lineLength)
        return false;
    if (m_regex)
        return FindRegex(from, at, length);
    length = m_pattern.size();
    return FindPlain(from, at);
}

std::size_t TextMatcher::FindForward(std::size_t& position) {
    if (!m_valid || !m_hasText)
        return 0;
    std::size_t lineEnd = 0;
    if (m_direction != Direction::kForward) {
        m_direction = Direction::kForward;
        // The whole line holding the start offset, so that anchors and
        // look-behinds see what comes before it; the search begins at it.
        std::size_t start = m_offset;
        while (start > 0 && !IsLineBreak(m_text[start - 1]))
            --start;
        lineEnd = m_offset;
        while (lineEnd < m_text.size() && !IsLineBreak(m_text[lineEnd]))
            ++lineEnd;
        LoadLine(start, lineEnd);
        m_searchFrom = m_offset - start;
    }
    for (;;) {
        std::size_t at = 0;
        std::size_t length = 0;
        if (FindInLine(m_searchFrom, at, length)) {
            position = m_lineStart + at;
            m_searchFrom = at + SearchCharLength(std::string_view(m_line.data(), m_lineLength), at);
            return length;
        }
        std::size_t next = m_lineStart + m_lineLength;
        while (next < m_text.size() && IsLineBreak(m_text[next]))
            ++next;
        if (next >= m_text.size()) {
            m_searchFrom = m_lineLength;  // stays exhausted
            return 0;
        }
        lineEnd = next;
        while (lineEnd < m_text.size() && !IsLineBreak(m_text[lineEnd]))
            ++lineEnd;
        LoadLine(next, lineEnd);
        m_searchFrom = 0;
    }
}

std::size_t TextMatcher::FindBackward(std::size_t& position) {
    if (!m_valid || !m_hasText)
        return 0;
    if (m_direction != Direction::kBackward) {
        m_direction = Direction::kBackward;
        m_limit = m_offset;
    }
    while (m_limit > 0) {
        // The nearest line before the limit, cut at the limit: step back over
        // the line breaks just before it, then to the start of that line.
        std::size_t end = m_limit;
        while (end > 0 && IsLineBreak(m_text[end - 1]))
            --end;
        std::size_t start = end;
        while (start > 0 && !IsLineBreak(m_text[start - 1]))
            --start;
        LoadLine(start, end);
        bool found = false;
        std::size_t last = 0;
        std::size_t lastLength = 0;
        std::size_t at = 0;
        std::size_t length = 0;
        for (std::size_t from = 0; FindInLine(from, at, length); from = at + length) {
            found = true;
            last = at;
            lastLength = length;
        }
        if (found) {
            position = start + last;
            m_limit = position;
            return lastLength;
        }
        m_limit = start;
    }
    return 0;
}

std::string RegexEngineVersion() {
    return onig_version();
}

}  // namespace tidemark
