#include "core/common/shortcut_name.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tidemark {
namespace {

#define SO "\x83\x5c"   // ソ: its trail byte is a backslash
#define HYO "\x95\x5c"  // 表: the same
#define PO "\x83\x7c"   // ポ: trail byte "|"
#define WIDE_SPACE "\x81\x40"

TEST(CheckShortcutName, TrimsWholeCharactersAndRefusesWhatIsLeftEmpty) {
    struct Case {
        std::string typed;
        ShortcutNameProblem problem;
        std::string name;
    };
    const Case cases[] = {
        {"note", ShortcutNameProblem::kNone, "note"},
        {" \tnote \t", ShortcutNameProblem::kNone, "note"},
        {WIDE_SPACE "note" WIDE_SPACE, ShortcutNameProblem::kNone, "note"},
        {"my note", ShortcutNameProblem::kNone, "my note"},  // inner blanks stay
        {"", ShortcutNameProblem::kEmpty, ""},
        {"   ", ShortcutNameProblem::kEmpty, ""},
        {"\t" WIDE_SPACE " " WIDE_SPACE, ShortcutNameProblem::kEmpty, ""},
        // A trailing "ソ" is a character of its own, not a space and a backslash.
        {" " SO " ", ShortcutNameProblem::kNone, SO},
        {" a:b ", ShortcutNameProblem::kForbidden, "a:b"},
    };
    for (const Case& c : cases) {
        const ShortcutNameCheck check = CheckShortcutName(c.typed);
        EXPECT_EQ(check.problem, c.problem) << c.typed;
        EXPECT_EQ(check.name, c.name) << c.typed;
    }
}

TEST(FindShortcutForbiddenChar, FindsEachOfTheElevenCharactersAnywhere) {
    for (const char c : kShortcutForbiddenChars) {
        const std::string forbidden(1, c);
        const std::pair<std::string, std::size_t> names[] = {
            {forbidden, 0},
            {"ab" + forbidden, 2},
            {forbidden + "ab", 0},
            // Behind "ソ", whose trail byte is a backslash itself.
            {SO + forbidden + HYO, 2},
        };
        for (const auto& [name, expected] : names) {
            EXPECT_EQ(FindShortcutForbiddenChar(name), expected) << name;
            EXPECT_EQ(CheckShortcutName(name).problem, ShortcutNameProblem::kForbidden) << name;
        }
    }
}

TEST(FindShortcutForbiddenChar, NeverMatchesTheTrailByteOfADoubleByteCharacter) {
    struct Case {
        std::string name;
        std::size_t expected;
    };
    const Case cases[] = {
        {SO, std::string::npos},
        {HYO SO "abc", std::string::npos},
        {PO, std::string::npos},  // trail byte "|"
        {"a" PO "b", std::string::npos},
        // After a double-byte character the next byte starts a character again.
        {SO "\\", 2},
        {PO "|", 2},
        // A lead byte at the very end stands alone; what comes before it still counts.
        {"/\x83", 0},
        {"ab\x83", std::string::npos},
        // Lead bytes chain: 0x83 0x83 is one character, the 0x5C after it is a backslash.
        {"\x83\x83\x5c", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindShortcutForbiddenChar(c.name), c.expected) << c.name;
    }
}

TEST(ShortcutForbiddenCharList, ListsTheElevenCharactersSeparatedBySpaces) {
    EXPECT_EQ(ShortcutForbiddenCharList(), "\\ / : , ; * ? \" < > |");
}

TEST(ShortcutPathFits, CountsTheSeparatorTheExtensionAndTheTerminator) {
    struct Case {
        std::size_t folder, name, extension;
        bool fits;
    };
    const Case cases[] = {
        // folder + name + 6 <= 260 with a four-byte extension such as ".lnk".
        {20, 234, 4, true},
        {20, 235, 4, false},
        {20, 250, 4, false},  // a name the field holds, on a short folder, is still too long
        // ".desktop" takes eight bytes.
        {20, 230, 8, true},
        {20, 231, 8, false},
        {0, 0, 0, true},
        {258, 0, 0, true},
        {259, 0, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortcutPathFits(c.folder, c.name, c.extension), c.fits)
            << c.folder << " + " << c.name << " + " << c.extension;
    }
}

}  // namespace
}  // namespace tidemark
