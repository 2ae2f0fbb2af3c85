#include "core/search/text_matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/search/search_text.h"

namespace tidemark {
namespace {

constexpr std::uint32_t kPlain = 0;
constexpr std::uint32_t kFold = TextMatcher::kFoldCase;
constexpr std::uint32_t kRegex = TextMatcher::kRegex;

using Match = std::pair<std::size_t, std::size_t>;  // offset, length

// Every match a forward walk finds from `offset`.
std::vector<Match> ForwardMatches(TextMatcher& matcher, const std::string& text,
                                  std::size_t offset = 0) {
    std::vector<Match> found;
    if (!matcher.SetText(text, offset))
        return found;
    std::size_t position = 0;
    while (std::size_t length = matcher.FindForward(position)) {
        found.emplace_back(position, length);
        if (found.size() > text.size())
            break;  // a matcher that keeps finding the same match
    }
    return found;
}

std::vector<Match> BackwardMatches(TextMatcher& matcher, const std::string& text,
                                   std::size_t limit) {
    std::vector<Match> found;
    if (!matcher.SetText(text, limit))
        return found;
    std::size_t position = 0;
    while (std::size_t length = matcher.FindBackward(position)) {
        found.emplace_back(position, length);
        if (found.size() > text.size())
            break;
    }
    return found;
}

Match FirstForward(std::uint32_t flags, const std::string& pattern, const std::string& text,
                   std::size_t offset = 0) {
    TextMatcher matcher(flags, pattern);
    const std::vector<Match> found = ForwardMatches(matcher, text, offset);
    return found.empty() ? Match{0, 0} : found.front();
}

Match FirstBackward(std::uint32_t flags, const std::string& pattern, const std::string& text,
                    std::size_t limit) {
    TextMatcher matcher(flags, pattern);
    const std::vector<Match> found = BackwardMatches(matcher, text, limit);
    return found.empty() ? Match{0, 0} : found.front();
}

TEST(TextMatcher, ForwardFindsGoOnOneCharacterAfterEachMatchStart) {
    TextMatcher matcher(kPlain, "aa");
    EXPECT_EQ(ForwardMatches(matcher, "aaa"), (std::vector<Match>{{0, 2}, {1, 2}}));
    EXPECT_EQ(ForwardMatches(matcher, "aaa", 1), (std::vector<Match>{{1, 2}}));
}

TEST(TextMatcher, BackwardTakesTheLastOfTheNonOverlappingMatchesOfALine) {
    TextMatcher matcher(kPlain, "aa");
    EXPECT_EQ(BackwardMatches(matcher, "aaa", 3), (std::vector<Match>{{0, 2}}));
    EXPECT_EQ(BackwardMatches(matcher, "aaaa", 4), (std::vector<Match>{{2, 2}, {0, 2}}));
}

TEST(TextMatcher, BackwardMatchesEndAtOrBeforeTheLimit) {
    EXPECT_EQ(FirstBackward(kPlain, "ab", "ab ab", 4), (Match{0, 2}));
    EXPECT_EQ(FirstBackward(kPlain, "ab", "ab ab", 5), (Match{3, 2}));
    EXPECT_EQ(FirstBackward(kPlain, "ab", "ab", 0), (Match{0, 0}));
}

TEST(TextMatcher, NoMatchSpansALineBreakInEitherDirection) {
    for (const std::string text : {"xab\r\ncx", "xab\ncx", "xab\rcx"}) {
        for (const std::uint32_t flags : {kPlain, kRegex}) {
            EXPECT_EQ(FirstForward(flags, "abc", text), (Match{0, 0})) << text;
            EXPECT_EQ(FirstBackward(flags, "abc", text, text.size()), (Match{0, 0})) << text;
        }
    }
    // Lines after blank ones are still reached, with offsets in the whole text.
    EXPECT_EQ(FirstForward(kPlain, "c", "ab\r\n\r\n\r\nc"), (Match{8, 1}));
    EXPECT_EQ(FirstBackward(kPlain, "a", "a\r\n\r\nb\r\n", 8), (Match{0, 1}));
}

TEST(TextMatcher, APlainPatternNeverMatchesAtATrailByte) {
    // ア is 0x83 0x41: its trail byte is the value of "A".
    EXPECT_EQ(FirstForward(kPlain, "A", "\x83\x41"), (Match{0, 0}));
    EXPECT_EQ(FirstForward(kFold, "a", "\x83\x41"), (Match{0, 0}));
    EXPECT_EQ(FirstForward(kPlain, "A",
                           "\x83\x41"
                           "A"),
              (Match{2, 1}));
    // 0x82 0xA0 0x82 0xA0: "あ" twice; the bytes 0xA0 0x82 in the middle are no match.
    EXPECT_EQ(FirstForward(kPlain, "\xA0\x82", "\x82\xA0\x82\xA0"), (Match{0, 0}));
    EXPECT_EQ(FirstBackward(kPlain, "A", "\x83\x41\x83\x41", 4), (Match{0, 0}));
}

// Every plain match by definition: fold the text, then try the pattern at each
// character's start of each line, a match ending on a character's end.
std::vector<Match> PlainMatchesByDefinition(bool fold, std::string pattern, std::string text) {
    if (fold) {
        pattern = FoldCase(pattern);
        text = FoldCase(text);
    }
    std::vector<Match> found;
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = lineStart;
        while (lineEnd < text.size() && !IsLineBreak(text[lineEnd]))
            ++lineEnd;
        const std::string_view line(text.data() + lineStart, lineEnd - lineStart);
        for (std::size_t pos = 0; pos < line.size(); pos += SearchCharLength(line, pos)) {
            if (line.compare(pos, pattern.size(), pattern) != 0 ||
                pos + pattern.size() > line.size())
                continue;
            std::size_t end = pos;
            while (end < pos + pattern.size())
                end += SearchCharLength(line, end);
            if (end == pos + pattern.size())
                found.emplace_back(lineStart + pos, pattern.size());
        }
        lineStart = lineEnd + 1;
    }
    return found;
}

TEST(TextMatcher, PlainMatchesAreThoseOfFoldingTheTextAndSteppingByCharacters) {
    // Bytes that are ASCII capitals, lead bytes, trail bytes in both ranges,
    // full-width capitals' trail bytes, line breaks and a byte that is neither.
    const char alphabet[] = {'a', 'A', 'z', 'Z', '\x82', '\x83', '\x84', '\x60', '\x41',
                             '\xA0', '\x9F', '\xE0', ' ', '\xFD', '\r', '\n'};
    std::uint32_t state = 12345;
    auto random = [&](std::size_t bound) {
        state = state * 1103515245u + 12345u;
        return std::size_t(state >> 16) % bound;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text(random(40), ' ');
        for (char& byte : text)
            byte = alphabet[random(sizeof alphabet)];
        std::string pattern(1 + random(3), ' ');
        for (char& byte : pattern)
            byte = alphabet[random(sizeof alphabet - 2)];  // no line breaks
        for (const bool fold : {false, true}) {
            TextMatcher matcher(fold ? kFold : kPlain, pattern);
            ASSERT_EQ(ForwardMatches(matcher, text), PlainMatchesByDefinition(fold, pattern, text))
                << "round " << round << (fold ? " folded" : "");
        }
    }
}

TEST(TextMatcher, APatternEndingInALoneLeadByteDoesNotTakeATrailByte) {
    EXPECT_EQ(FirstForward(kPlain, "x\x82", "x\x82\xA0"), (Match{0, 0}));
    EXPECT_EQ(FirstForward(kPlain, "x\x82", "x\x82 "), (Match{0, 2}));
}

TEST(TextMatcher, FoldingMatchesEitherCaseOfAsciiAndFullWidthLetters) {
    // Ｔａｂ against ｔＡＢ.
    EXPECT_EQ(FirstForward(kFold, "\x82\x73\x82\x81\x82\x82", "x\x82\x94\x82\x60\x82\x61"),
              (Match{1, 6}));
    EXPECT_EQ(FirstForward(kFold, "Tab", "xtAB"), (Match{1, 3}));
    EXPECT_EQ(FirstForward(kPlain, "Tab", "xtAB"), (Match{0, 0}));
    EXPECT_EQ(FirstForward(kFold | kRegex, "T[a-c]+\x82\x60", "x tAB\x82\x81"), (Match{2, 5}));
    EXPECT_EQ(FirstForward(kRegex, "T[a-c]+", "x tAB"), (Match{0, 0}));
}

TEST(TextMatcher, EscapesOfARegularExpressionKeepTheirCaseWhenFolding) {
    // \W (a non-word character) must not become \w, nor \p{Alpha} an unknown name.
    EXPECT_EQ(FirstForward(kFold | kRegex, "\\W", "ab-c"), (Match{2, 1}));
    TextMatcher alpha(kFold | kRegex, "\\p{Alpha}+");
    ASSERT_TRUE(alpha.IsValid()) << alpha.ErrorText();
    EXPECT_EQ(ForwardMatches(alpha, "12Ab"), (std::vector<Match>{{2, 2}, {3, 1}}));
}

TEST(TextMatcher, RegularExpressionsWorkOnTheShiftJisBytes) {
    // "あいう" and "か" (2 bytes each): offsets and lengths are bytes.
    const std::string text = "x\x82\xA0\x82\xA2\x82\xA4\x82\xA9";
    EXPECT_EQ(FirstForward(kRegex, "\x82\xA2.", text), (Match{3, 4}));
    // A "." is one character, so a match begins on character boundaries only.
    TextMatcher dot(kRegex, ".\x82\xA9");
    EXPECT_EQ(ForwardMatches(dot, text), (std::vector<Match>{{5, 4}}));
    EXPECT_EQ(FirstBackward(kRegex, "[\x82\xA0-\x82\xA4]", text, text.size()), (Match{5, 2}));
}

TEST(TextMatcher, AnchorsAndLookBehindsSeeTheWholeLineAroundTheStart) {
    EXPECT_EQ(FirstForward(kRegex, "^b", "bb", 1), (Match{0, 0}));
    EXPECT_EQ(FirstForward(kRegex, "(?<=a)b", "ab", 1), (Match{1, 1}));
    EXPECT_EQ(FirstForward(kRegex, "^c", "ab\r\ncd", 1), (Match{4, 1}));
    EXPECT_EQ(FirstForward(kRegex, "b$", "ab\r\nb", 0), (Match{1, 1}));
}

TEST(TextMatcher, OnlyNonEmptyMatchesCount) {
    EXPECT_EQ(FirstForward(kRegex, "a*", "bbab"), (Match{2, 1}));
    EXPECT_EQ(FirstBackward(kRegex, "a*", "abab", 4), (Match{2, 1}));
    // Patterns that can only match the empty string find nothing, and end.
    for (const char* empty : {"^", "$", "\\b", "x*", "(?=a)"}) {
        TextMatcher matcher(kRegex, empty);
        ASSERT_TRUE(matcher.IsValid()) << empty;
        EXPECT_TRUE(ForwardMatches(matcher, "ab\r\nab").empty()) << empty;
        EXPECT_TRUE(BackwardMatches(matcher, "ab\r\nab", 6).empty()) << empty;
    }
}

TEST(TextMatcher, ARegularExpressionThatDoesNotCompileMakesAnInvalidMatcherWithItsReason) {
    for (const char* bad : {"(", "a{2,1}", "[b-a]", "\\k<none>", "*"}) {
        TextMatcher matcher(kRegex, bad);
        EXPECT_FALSE(matcher.IsValid()) << bad;
        EXPECT_FALSE(matcher.ErrorText().empty()) << bad;
        EXPECT_FALSE(matcher.SetText("((((", 0)) << bad;
        std::size_t position = 0;
        EXPECT_EQ(matcher.FindForward(position), 0u) << bad;
        EXPECT_EQ(matcher.FindBackward(position), 0u) << bad;
    }
    // The same text as a plain pattern is fine.
    EXPECT_EQ(FirstForward(kPlain, "(", "a("), (Match{1, 1}));
}

TEST(TextMatcher, AnEmptyPatternIsInvalid) {
    for (const std::uint32_t flags : {kPlain, kRegex, kFold})
        EXPECT_FALSE(TextMatcher(flags, "").IsValid()) << flags;
}

TEST(TextMatcher, SetTextRefusesAnOffsetPastTheEnd) {
    TextMatcher matcher(kPlain, "a");
    EXPECT_FALSE(matcher.SetText("ab", 3));
    EXPECT_TRUE(matcher.SetText("ab", 2));
    std::size_t position = 0;
    EXPECT_EQ(matcher.FindForward(position), 0u);
}

TEST(TextMatcher, ALeadByteAtTheEndOfALineIsReadSafely) {
    // For the engine a lead byte always opens a two-byte character; the line
    // buffer keeps that read inside it (checked under AddressSanitizer), and
    // half a character at the end of a line is no character to match.
    const std::string text = "ab\x82\r\nab\x82";
    TextMatcher halfCharacter(kRegex, "b.");
    EXPECT_TRUE(ForwardMatches(halfCharacter, text).empty());
    EXPECT_TRUE(BackwardMatches(halfCharacter, text, text.size()).empty());
    TextMatcher whole(kRegex, "a.");
    EXPECT_EQ(ForwardMatches(whole, text), (std::vector<Match>{{0, 2}, {5, 2}}));
    EXPECT_EQ(BackwardMatches(whole, text, text.size()), (std::vector<Match>{{5, 2}, {0, 2}}));
    EXPECT_EQ(FirstForward(kPlain | kFold, "b\x82", text), (Match{1, 2}));
}

TEST(TextMatcher, ResetForgetsTheText) {
    TextMatcher matcher(kPlain, "a");
    ASSERT_TRUE(matcher.SetText("a", 0));
    matcher.Reset();
    std::size_t position = 0;
    EXPECT_EQ(matcher.FindForward(position), 0u);
    ASSERT_TRUE(matcher.SetText("ba", 0));
    EXPECT_EQ(matcher.FindForward(position), 1u);
    EXPECT_EQ(position, 1u);
}

TEST(TextMatcher, TheFuzzyBitChangesNothing) {
    EXPECT_EQ(FirstForward(kRegex | TextMatcher::kFuzzy, "b+", "abbc"), (Match{1, 2}));
    EXPECT_EQ(FirstForward(kRegex | TextMatcher::kFuzzy, "bd", "abbc"), (Match{0, 0}));
}

}  // namespace
}  // namespace tidemark
