#include "core/search/note_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/search/search_tree_for_test.h"
#include "core/search/text_matcher.h"

namespace tidemark {
namespace {

constexpr std::uint32_t kBoth = SearchOptions::kTitles | SearchOptions::kBodies;

// A hit as the tests compare it: the item's title, title or body, offset, length.
struct Seen {
    std::string item;
    bool inTitle;
    std::size_t offset;
    std::size_t length;
    friend bool operator==(const Seen&, const Seen&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Seen& s) {
        return out << s.item << (s.inTitle ? " title @" : " body @") << s.offset << "+" << s.length;
    }
};

class NoteSearchTest : public SearchTreeFixture {
protected:
    // Runs a search, then goes on from each hit the way the window shows it
    // (a title hit focuses the list, a body hit selects the match in the
    // text pane), until nothing more is found.
    std::vector<Seen> Run(bool downward, std::uint32_t options, const SearchPlace& from,
                          const std::string& pattern = "find") {
        TextMatcher matcher(TextMatcher::kFoldCase, pattern);
        SearchOptions active{options};
        const ItemId scope = SearchScopeFor(note, active, from.focused);
        SearchPlace place = from;
        std::vector<Seen> seen;
        while (seen.size() <= note.ItemCount() * 4) {
            const SearchHit hit = downward ? FindDownward(note, matcher, active, scope, place)
                                           : FindUpward(note, matcher, active, scope, place);
            if (!hit.Found())
                break;
            seen.push_back({TitleOf(hit.item), hit.inTitle, hit.offset, hit.length});
            place = {hit.item, !hit.inTitle, hit.offset, hit.offset + hit.length};
            active.SetStart(SearchOptions::kStartHere);
        }
        return seen;
    }
    SearchPlace InList(ItemId item) const { return {item, false, 0, 0}; }
    SearchPlace InText(ItemId memo, std::size_t start, std::size_t end) const {
        return {memo, true, start, end};
    }
};

TEST_F(NoteSearchTest, DownwardFromTheNoteFindsTitlesThenBodiesInDocumentOrder) {
    const std::vector<Seen> expected{{"gamma", false, 5, 4},
                                     {"find group", true, 0, 4},
                                     {"epsilon", false, 0, 4},
                                     {"find box", true, 0, 4},
                                     {"zeta", false, 0, 4}};
    EXPECT_EQ(Run(true, kBoth | SearchOptions::kStartAtNote, InList(alpha)), expected);
}

TEST_F(NoteSearchTest, UpwardFromTheNoteFindsTheSameInReverse) {
    const std::vector<Seen> expected{{"zeta", false, 0, 4},
                                     {"find box", true, 0, 4},
                                     {"epsilon", false, 0, 4},
                                     {"find group", true, 0, 4},
                                     {"gamma", false, 5, 4}};
    EXPECT_EQ(Run(false, kBoth | SearchOptions::kStartAtNote, InList(alpha)), expected);
}

TEST_F(NoteSearchTest, TheTargetChoosesTitlesOrBodies) {
    EXPECT_EQ(Run(true, SearchOptions::kTitles | SearchOptions::kStartAtNote, InList(alpha)),
              (std::vector<Seen>{{"find group", true, 0, 4}, {"find box", true, 0, 4}}));
    EXPECT_EQ(Run(true, SearchOptions::kBodies | SearchOptions::kStartAtNote, InList(alpha)),
              (std::vector<Seen>{
                  {"gamma", false, 5, 4}, {"epsilon", false, 0, 4}, {"zeta", false, 0, 4}}));
}

TEST_F(NoteSearchTest, AConfinedSearchStopsAtTheEndOfTheGroup) {
    const std::uint32_t options = kBoth | SearchOptions::kInGroupOnly;
    // From gamma's row: its own body, then the rest of beta; never zeta.
    EXPECT_EQ(Run(true, options | SearchOptions::kStartHere, InList(gamma)),
              (std::vector<Seen>{
                  {"gamma", false, 5, 4}, {"find group", true, 0, 4}, {"epsilon", false, 0, 4}}));
    EXPECT_EQ(SearchScopeFor(note, SearchOptions{options | SearchOptions::kStartAtGroup}, gamma),
              beta);
    // Upward from the end of the group: nothing before beta's first item.
    EXPECT_EQ(Run(false, options | SearchOptions::kStartAtGroup, InList(gamma)),
              (std::vector<Seen>{
                  {"epsilon", false, 0, 4}, {"find group", true, 0, 4}, {"gamma", false, 5, 4}}));
}

TEST_F(NoteSearchTest, WithoutDescendingOnlyTheItemsDirectlyInTheGroupAreSearched) {
    const std::uint32_t options = kBoth | SearchOptions::kInGroupOnly | SearchOptions::kNoDescend |
                                  SearchOptions::kStartAtGroup;
    EXPECT_EQ(Run(true, options, InList(gamma)),
              (std::vector<Seen>{{"gamma", false, 5, 4}, {"find group", true, 0, 4}}));
    EXPECT_EQ(Run(false, options, InList(gamma)),
              (std::vector<Seen>{{"find group", true, 0, 4}, {"gamma", false, 5, 4}}));
}

TEST_F(NoteSearchTest, UnconfinedGroupStartGoesOnPastTheGroup) {
    EXPECT_EQ(Run(true, kBoth | SearchOptions::kStartAtGroup, InList(epsilon)),
              (std::vector<Seen>{
                  {"epsilon", false, 0, 4}, {"find box", true, 0, 4}, {"zeta", false, 0, 4}}));
}

TEST_F(NoteSearchTest, NothingInsideAShutLockedGroupIsFoundEvenByItsPlainText) {
    // The secret memo's plain texts hold "find", "secret" and "me"; none of
    // them is found while the group is shut, whatever the pattern.
    for (const char* pattern : {"secret", "me", "find s"}) {
        for (const bool downward : {true, false}) {
            EXPECT_TRUE(
                Run(downward, kBoth | SearchOptions::kStartAtNote, InList(alpha), pattern).empty())
                << pattern;
        }
    }
}

struct DownStart {
    const char* name;
    SearchPlace place;  // in zeta's body "find find" unless named otherwise
    Seen first;
};

TEST_F(NoteSearchTest, DownwardStartsWhereTheUserStands) {
    SetBody(zeta, "find find");
    note.FindItem(zeta)->SetRawTitle(ByteString("find title"));
    const ItemId after = Memo(root, "find after", "");
    (void)after;
    const DownStart cases[] = {
        // The memo's row: its body from the start, its title skipped.
        {"list", InList(zeta), {"find title", false, 0, 4}},
        // A selection: on from its end.
        {"selection", InText(zeta, 0, 4), {"find title", false, 5, 4}},
        // A caret: one character after it, so a match right at the caret is passed.
        {"caret before match", InText(zeta, 0, 0), {"find title", false, 5, 4}},
        {"caret mid-word", InText(zeta, 4, 4), {"find title", false, 5, 4}},
        {"caret in last match", InText(zeta, 5, 5), {"find after", true, 0, 4}},
        // A caret at the very end: the next item, title included.
        {"caret at end", InText(zeta, 9, 9), {"find after", true, 0, 4}},
        // A memo group's row: the item after it (into its contents).
        {"group row", InList(beta), {"gamma", false, 5, 4}},
    };
    for (const DownStart& c : cases) {
        const std::vector<Seen> seen = Run(true, kBoth | SearchOptions::kStartHere, c.place);
        ASSERT_FALSE(seen.empty()) << c.name;
        EXPECT_EQ(seen.front(), c.first) << c.name;
    }
}

TEST_F(NoteSearchTest, ACaretBeforeALineEndStepsOverTheWholeLineEnd) {
    SetBody(zeta, "x\r\nfind");
    // One character after a caret before CR LF is the start of the next line.
    EXPECT_EQ(Run(true, kBoth | SearchOptions::kStartHere, InText(zeta, 1, 1)).front(),
              (Seen{"zeta", false, 3, 4}));
}

TEST_F(NoteSearchTest, UpwardFromTheTextPaneSearchesBeforeTheSelectionThenTheTitle) {
    SetBody(zeta, "find find");
    note.FindItem(zeta)->SetRawTitle(ByteString("find title"));
    EXPECT_EQ(Run(false, kBoth | SearchOptions::kStartHere, InText(zeta, 5, 9)),
              (std::vector<Seen>{{"find title", false, 0, 4},
                                 {"find title", true, 0, 4},
                                 {"find box", true, 0, 4},
                                 {"epsilon", false, 0, 4},
                                 {"find group", true, 0, 4},
                                 {"gamma", false, 5, 4}}));
    // From the memo's row the search begins at the item before it.
    EXPECT_EQ(Run(false, kBoth | SearchOptions::kStartHere, InList(zeta)).front(),
              (Seen{"find box", true, 0, 4}));
}

TEST_F(NoteSearchTest, MatchOffsetsAreBytesOfTheBodyAfterDoubleByteTextAndLineEnds) {
    // "あい\r\nxFind": the match begins at byte 7.
    SetBody(alpha, "\x82\xA0\x82\xA2\r\nxFind");
    EXPECT_EQ(
        Run(true, SearchOptions::kBodies | SearchOptions::kStartAtNote, InList(alpha)).front(),
        (Seen{"alpha", false, 7, 4}));
}

TEST_F(NoteSearchTest, AnInvalidMatcherFindsNothing) {
    TextMatcher matcher(TextMatcher::kRegex, "(");
    ASSERT_FALSE(matcher.IsValid());
    const SearchOptions options{kBoth | SearchOptions::kStartAtNote};
    EXPECT_FALSE(FindDownward(note, matcher, options, root, InList(alpha)).Found());
    EXPECT_FALSE(FindUpward(note, matcher, options, root, InList(alpha)).Found());
}

TEST_F(NoteSearchTest, ARegularExpressionSearchFindsEachMatchOnce) {
    TextMatcher matcher(TextMatcher::kRegex, "f[a-z]+d");
    SearchPlace place = InList(alpha);
    SearchOptions options{SearchOptions::kBodies | SearchOptions::kStartAtNote};
    std::vector<std::string> found;
    for (SearchHit hit; (hit = FindDownward(note, matcher, options, root, place)).Found();) {
        found.push_back(TitleOf(hit.item));
        place = InText(hit.item, hit.offset, hit.offset + hit.length);
        options.SetStart(SearchOptions::kStartHere);
        ASSERT_LE(found.size(), 10u);
    }
    EXPECT_EQ(found, (std::vector<std::string>{"gamma", "epsilon", "zeta"}));
}

}  // namespace
}  // namespace tidemark
