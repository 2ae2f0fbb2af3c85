#include "core/search/text_matcher.h"

#include <oniguruma.h>

#include <algorithm>
#include <cstring>

#include "core/search/search_text.h"

namespace tidemark {
namespace {

// Zero bytes kept after the copy of the text, so that an engine stepping over
// a lead byte at the very end of the last line still reads inside the buffer.
constexpr std::size_t kLinePadding = 4;

// A line-break position not looked for yet.
constexpr std::size_t kUnknown = std::size_t(-1);

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
    m_copied = false;
    m_offset = offset;
    m_direction = Direction::kNone;
    return true;
}

void TextMatcher::Reset() {
    m_text = {};
    m_hasText = false;
    m_copied = false;
    m_offset = 0;
    m_direction = Direction::kNone;
    std::string().swap(m_line);
    std::string().swap(m_window);
    m_lineData = nullptr;
    m_lineLength = 0;
}

void TextMatcher::LoadLine(std::size_t start, std::size_t end) {
    m_lineStart = start;
    m_lineLength = end - start;
    if (!m_regex) {
        // Plain patterns are compared where they may start, in the text itself.
        m_lineData = m_text.data() + start;
        return;
    }
    // A regular expression reads a copy of the whole text, folded once when
    // case does not matter: line breaks are characters of their own, so it
    // reads as each line folded by itself would.
    if (!m_copied) {
        m_line.assign(m_text);
        if (m_flags & kFoldCase)
            FoldCaseInPlace(m_line.data(), m_text.size());
        m_line.append(kLinePadding, '\0');
        m_copied = true;
    }
    m_lineData = m_line.data() + start;
}

bool TextMatcher::IsBoundaryAfter(std::size_t from, std::size_t pos) const {
    // Characters are counted from `from`. A byte that is no lead byte ends a
    // character, and lead bytes in a row pair up (each is a trail byte as
    // well), so `pos` starts a character unless an odd run of lead bytes
    // before it takes a trail byte at `pos`.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(m_lineData);
    if (pos == from || !IsTrailByte(bytes[pos]))
        return true;
    std::size_t leads = 0;
    for (std::size_t at = pos; at > from && IsLeadByte(bytes[at - 1]); --at)
        ++leads;
    return leads % 2 == 0;
}

bool TextMatcher::PlainMatchesAt(std::size_t pos) const {
    const std::size_t size = m_pattern.size();
    const std::string_view line(m_lineData, m_lineLength);
    if (m_flags & kFoldCase) {
        // Folded from a character's start, the stretch reads as in the folded
        // line: folding changes no lead byte, so a lead byte that ends it stays.
        m_window.assign(line.substr(pos, size));
        FoldCaseInPlace(m_window.data(), m_window.size());
        if (m_window != m_pattern)
            return false;
    } else if (line.compare(pos, size, m_pattern) != 0) {
        return false;
    }
    // The match must end on a character boundary of the line too: a pattern
    // ending in a lone lead byte must not take a trail byte.
    std::size_t end = pos;
    while (end < pos + size)
        end += SearchCharLength(line, end);
    return end == pos + size;
}

bool TextMatcher::FindPlain(std::size_t from, std::size_t& at) const {
    const std::size_t size = m_pattern.size();
    if (from + size > m_lineLength)
        return false;
    // Where a match may start, by its first byte: folding leaves lead bytes
    // alone and changes only the ASCII capitals.
    const char first = m_pattern[0];
    const bool twoCases = (m_flags & kFoldCase) && first >= 'a' && first <= 'z';
    const char other = twoCases ? char(first - 'a' + 'A') : first;
    const char* const data = m_lineData;
    const char* const stop = data + (m_lineLength - size + 1);
    auto next = [&](const char* start, char byte) -> const char* {
        const void* hit = std::memchr(start, byte, std::size_t(stop - start));
        return hit ? static_cast<const char*>(hit) : stop;
    };
    const char* nextFirst = next(data + from, first);
    const char* nextOther = twoCases ? next(data + from, other) : stop;
    while (nextFirst != stop || nextOther != stop) {
        const char* candidate = std::min(nextFirst, nextOther);
        const auto pos = std::size_t(candidate - data);
        if (IsBoundaryAfter(from, pos) && PlainMatchesAt(pos)) {
            at = pos;
            return true;
        }
        if (candidate == nextFirst)
            nextFirst = next(candidate + 1, first);
        else
            nextOther = next(candidate + 1, other);
    }
    return false;
}

bool TextMatcher::FindRegex(std::size_t from, std::size_t& at, std::size_t& length) const {
    const OnigUChar* begin = Bytes(m_lineData);
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

std::size_t TextMatcher::LineEndFrom(std::size_t pos) {
    // The next CR and the next LF are each looked for once and kept until
    // the walk passes them, so a text of one kind of line break is not
    // searched to its end for the other at every line.
    const auto nextOf = [&](char byte) {
        const void* hit = std::memchr(m_text.data() + pos, byte, m_text.size() - pos);
        return hit ? std::size_t(static_cast<const char*>(hit) - m_text.data()) : m_text.size();
    };
    if (pos >= m_text.size())
        return m_text.size();
    if (m_nextCr == kUnknown || m_nextCr < pos)
        m_nextCr = nextOf('\r');
    if (m_nextLf == kUnknown || m_nextLf < pos)
        m_nextLf = nextOf('\n');
    return std::min(m_nextCr, m_nextLf);
}

std::size_t TextMatcher::FindForward(std::size_t& position) {
    if (!m_valid || !m_hasText)
        return 0;
    std::size_t lineEnd = 0;
    if (m_direction != Direction::kForward) {
        m_direction = Direction::kForward;
        m_nextCr = kUnknown;
        m_nextLf = kUnknown;
        // The whole line holding the start offset, so that anchors and
        // look-behinds see what comes before it; the search begins at it.
        std::size_t start = m_offset;
        while (start > 0 && !IsLineBreak(m_text[start - 1]))
            --start;
        lineEnd = LineEndFrom(m_offset);
        LoadLine(start, lineEnd);
        m_searchFrom = m_offset - start;
    }
    for (;;) {
        std::size_t at = 0;
        std::size_t length = 0;
        if (FindInLine(m_searchFrom, at, length)) {
            position = m_lineStart + at;
            m_searchFrom = at + SearchCharLength(std::string_view(m_lineData, m_lineLength), at);
            return length;
        }
        std::size_t next = m_lineStart + m_lineLength;
        while (next < m_text.size() && IsLineBreak(m_text[next]))
            ++next;
        if (next >= m_text.size()) {
            m_searchFrom = m_lineLength;  // stays exhausted
            return 0;
        }
        lineEnd = LineEndFrom(next);
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
