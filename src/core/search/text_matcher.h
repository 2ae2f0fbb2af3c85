#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tidemark {

// Finds a pattern in one text at a time, line by line: a match never spans
// a line break (CR or LF). Plain patterns match at character boundaries
// only, never at a trail byte; regular expressions run on the CP932 bytes
// through Oniguruma (Shift_JIS encoding, Perl syntax with named groups), so
// every position is a byte offset into the text.
//
// Only matches of at least one byte count: a regular expression that can
// match the empty string is asked for its non-empty matches instead, and
// one that can only match the empty string finds nothing.
//
// The text given to SetText is viewed, not copied: it must stay unchanged
// until the next SetText or Reset. Not thread-safe; one matcher per search.
class TextMatcher {
public:
    // Bits of the flags word.
    static constexpr std::uint32_t kFoldCase = 0x1;  // case does not matter
    // Approximate matching was an option of another regular-expression
    // engine; Oniguruma has nothing like it, so the bit is accepted and has
    // no effect.
    static constexpr std::uint32_t kFuzzy = 0x40000000;
    static constexpr std::uint32_t kRegex = 0x80000000;

    // `pattern` is the text as typed (CP932); the matcher folds it itself
    // when kFoldCase is set. An empty pattern, or a regular expression that
    // does not compile, makes the matcher invalid.
    TextMatcher(std::uint32_t flags, std::string_view pattern);
    ~TextMatcher();
    TextMatcher(const TextMatcher&) = delete;
    TextMatcher& operator=(const TextMatcher&) = delete;

    bool IsValid() const { return m_valid; }
    // Why a regular expression was refused, in the engine's words (ASCII,
    // with any part of the pattern it quotes in CP932); empty otherwise.
    const std::string& ErrorText() const { return m_error; }

    // Starts over on `text`: forward finds begin at `offset`, backward finds
    // end there (a match must lie wholly before it). False, with nothing
    // changed, when the matcher is invalid or `offset` is past the end.
    bool SetText(std::string_view text, std::size_t offset);
    // The next match at or after the start offset: its length in bytes (0 =
    // none left) and its offset in the whole text in `position`. A further
    // call looks on from one character after the match's start.
    std::size_t FindForward(std::size_t& position);
    // The nearest match before the limit: the last of the matches that a
    // scan from the start of its line finds, each scan going on after the
    // previous match (so matches do not overlap). A further call finds the
    // one before it.
    std::size_t FindBackward(std::size_t& position);
    // Forgets the text and frees the copy of it.
    void Reset();

private:
    struct Regex;
    enum class Direction { kNone, kForward, kBackward };

    // Makes [start, end) of the text the current line: for a regular
    // expression in the copy of the text, folded when case does not matter;
    // for a plain pattern in the text itself.
    void LoadLine(std::size_t start, std::size_t end);
    // Where the line holding `pos` ends (a CR, an LF or the end of the text);
    // forward walks only, `pos` never going back within one text.
    std::size_t LineEndFrom(std::size_t pos);
    // Whether `pos` of the current line starts a character, counting from
    // `from` (itself taken as a character's start).
    bool IsBoundaryAfter(std::size_t from, std::size_t pos) const;
    // The plain pattern matches at `pos` of the current line, a character's start.
    bool PlainMatchesAt(std::size_t pos) const;
    // The first match in the current line starting at or after `from`.
    bool FindInLine(std::size_t from, std::size_t& at, std::size_t& length) const;
    bool FindPlain(std::size_t from, std::size_t& at) const;
    bool FindRegex(std::size_t from, std::size_t& at, std::size_t& length) const;

    std::uint32_t m_flags;
    std::string m_pattern;  // folded when case does not matter
    std::unique_ptr<Regex> m_regex;
    bool m_valid = false;
    std::string m_error;

    std::string_view m_text;
    bool m_hasText = false;
    std::size_t m_offset = 0;
    Direction m_direction = Direction::kNone;
    std::string m_line;     // a regular expression's copy of the text, a few zero bytes after it
    bool m_copied = false;  // m_line holds the current text
    const char* m_lineData = nullptr;  // the current line: m_line, or in m_text
    mutable std::string m_window;  // a folded stretch of the line, for comparing
    std::size_t m_lineStart = 0;
    std::size_t m_lineLength = 0;
    std::size_t m_searchFrom = 0;  // forward: where the next match is sought in the line
    std::size_t m_limit = 0;       // backward: matches end at or before this offset
    std::size_t m_nextCr = 0;  // forward: the next CR at or after the line, once looked for
    std::size_t m_nextLf = 0;  // forward: the same for LF
};

// The version of the regular-expression engine, for the find dialog.
std::string RegexEngineVersion();

}  // namespace tidemark
