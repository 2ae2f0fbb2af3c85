#include "help_sources.h"

#include <gtest/gtest.h>

namespace tidemark::help {
namespace {

TEST(HelpManifest, ItemsKeepTheirIdsOrderAndFolders) {
    const Manifest manifest = ParseManifest(
        "# the help note\n"
        "root  Tidemark ヘルプ\n"
        "\n"
        "12    quick-start.txt\n"
        "100   basics/        基本 の 操作\n"
        "  101 basics/notes.txt\r\n"
        "102   basics/keys/   キー\n"
        "103   basics/keys/list.txt\n",
        "manifest.list");
    EXPECT_EQ(manifest.rootTitle, "Tidemark ヘルプ");
    ASSERT_EQ(manifest.entries.size(), 5u);
    EXPECT_EQ(manifest.entries[0].id, 12u);
    EXPECT_EQ(manifest.entries[0].Folder(), "");
    EXPECT_TRUE(manifest.entries[1].IsGroup());
    EXPECT_EQ(manifest.entries[1].groupTitle, "基本 の 操作");
    EXPECT_EQ(manifest.entries[1].Folder(), "");
    EXPECT_EQ(manifest.entries[2].source, "basics/notes.txt");
    EXPECT_EQ(manifest.entries[2].Folder(), "basics/");
    EXPECT_EQ(manifest.entries[3].Folder(), "basics/");
    EXPECT_EQ(manifest.entries[4].Folder(), "basics/keys/");
    EXPECT_EQ(manifest.entries[4].line, 8);
}

TEST(HelpManifest, FaultsNameTheLineAndTheCause) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"", "m:1: the manifest has no root line"},
        {"# only a comment\n\n", "m:2: the manifest has no root line"},
        {"12 a.txt\n", "m:1: the first item must be \"root TITLE\""},
        {"root\n", "m:1: the first item must be \"root TITLE\""},
        {"root R\nx a.txt\n", "m:2: \"x\" is not an item id"},
        {"root R\n12x a.txt\n", "m:2: \"12x\" is not an item id"},
        {"root R\n1 a.txt\n", "m:2: item id 1 is out of range (2 to 2147483647)"},
        {"root R\n2147483648 a.txt\n", "m:2: item id 2147483648 is out of range (2 to 2147483647)"},
        {"root R\n5 a.txt\n5 b.txt\n", "m:3: item id 5 is used twice"},
        {"root R\n5\n", "m:2: the item has no source"},
        {"root R\n5 a.txt\n6 a.txt\n", "m:3: \"a.txt\" is listed twice"},
        {"root R\n5 ../a.txt\n", "m:2: \"../a.txt\" is not a relative path"},
        {"root R\n5 /etc/a.txt\n", "m:2: \"/etc/a.txt\" is not a relative path"},
        {"root R\n5 g//a.txt\n", "m:2: \"g//a.txt\" is not a relative path"},
        {"root R\n5 g/\n", "m:2: the memo group g/ has no title"},
        {"root R\n5 a.txt Title\n", "m:2: a memo takes its title from its file"},
        {"root R\n5 a.md\n", "m:2: the page \"a.md\" is not a .txt file"},
        {"root R\n5 g/a.txt\n6 g/ G\n", "m:2: no memo group on an earlier line holds \"g/a.txt\""},
    };
    for (const Case& c : cases) {
        try {
            ParseManifest(c.text, "m");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const HelpSourceError& error) {
            EXPECT_STREQ(error.what(), c.message) << c.text;
        }
    }
}

TEST(HelpPage, TitleThenBodyWithCrLfLineEnds) {
    struct Case {
        const char* text;
        const char* title;
        const char* body;
    };
    const Case cases[] = {
        {"題名\n\n一行目\n二行目\n", "題名", "一行目\r\n二行目"},
        {"題名\n一行目\n\n\n三行目\n\n\n", "題名", "一行目\r\n\r\n\r\n三行目"},
        {"\xEF\xBB\xBF題名  \r\n\r\n  字下げ \r\n", "題名", "  字下げ"},
        {"題名だけ", "題名だけ", ""},
    };
    for (const Case& c : cases) {
        const Page page = ParsePage(c.text, "p");
        EXPECT_EQ(page.title, c.title) << c.text;
        EXPECT_EQ(page.body, c.body) << c.text;
    }
}

TEST(HelpPage, APageWithoutATitleIsRefused) {
    for (const char* text : {"", "\n本文\n"}) {
        EXPECT_THROW(ParsePage(text, "p"), HelpSourceError) << text;
    }
}

}  // namespace
}  // namespace tidemark::help
