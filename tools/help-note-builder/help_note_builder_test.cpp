#include "help_note_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "app/common/help_topics.h"
#include "core/common/cp932_codec.h"
#include "core/file/note_bytes.h"
#include "help_sources.h"
#include "platform/posix/temp_folder_for_test.h"

namespace tidemark::help {
namespace {

// A source folder written file by file.
class HelpFolder {
public:
    void write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = m_folder.Path(name);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::filesystem::path path() const { return m_folder.Path(""); }

private:
    TempFolder m_folder;
};

std::string Utf8(const ByteString& cp932) { return Cp932ToUtf8(cp932.View()); }

std::string Title(const Note& note, ItemId id) { return Utf8(note.FindItem(id)->Title()); }

std::vector<ItemId> Children(const Note& note, ItemId group) {
    std::vector<ItemId> ids;
    for (ItemId id = note.FindItem(group)->links.firstChild; id != kNoItem;
         id = note.FindItem(id)->links.next)
        ids.push_back(id);
    return ids;
}

std::string Fault(const HelpFolder& folder, std::span<const int> topics = {}) {
    try {
        BuildHelpNote(folder.path(), topics);
    } catch (const HelpSourceError& error) {
        return error.what();
    }
    return "built";
}

bool EndsWith(const std::string& text, const std::string& end) { return text.ends_with(end); }

TEST(HelpNoteBuilder, ItemsGetTheirIdsTitlesBodiesAndManifestOrder) {
    HelpFolder folder;
    folder.write("manifest.list",
                 "root ヘルプ\n"
                 "40 b.txt\n"
                 "7  g/ グループ\n"
                 "90 g/c.txt\n"
                 "12 g/a.txt\n");
    folder.write("b.txt", "はじめに\n\n一行目\n二行目\n");
    folder.write("g/c.txt", "三番\n");
    folder.write("g/a.txt", "クイックスタート\n\n本文\n");
    const std::array topics{12, 90};
    const auto note = BuildHelpNote(folder.path(), topics);

    EXPECT_EQ(note->RootId(), 1u);
    EXPECT_EQ(Title(*note, 1), "ヘルプ");
    EXPECT_EQ(Children(*note, 1), (std::vector<ItemId>{40, 7}));
    EXPECT_EQ(Children(*note, 7), (std::vector<ItemId>{90, 12}));
    EXPECT_EQ(note->ItemCount(), 5u);
    EXPECT_EQ(note->LastId(), 90u);
    EXPECT_TRUE(note->FindItem(7)->IsGroup());
    EXPECT_EQ(Title(*note, 12), "クイックスタート");
    const auto& memo = static_cast<const Memo&>(*note->FindItem(40));
    EXPECT_EQ(memo.Body().Str(), Utf8ToCp932("一行目\r\n二行目").bytes);
    EXPECT_EQ(note->FindItem(11), nullptr);  // the ids between stay free

    // What the program reads back is what was built.
    Note loaded;
    LoadNoteFromBytes(loaded, SaveNoteToBytes(*note));
    EXPECT_EQ(Children(loaded, 7), (std::vector<ItemId>{90, 12}));
    EXPECT_EQ(Title(loaded, 90), "三番");
}

TEST(HelpNoteBuilder, TheSameSourcesGiveTheSameBytes) {
    HelpFolder folder;
    folder.write("manifest.list", "root R\n12 a.txt\n");
    folder.write("a.txt", "題\n本文\n");
    const MemoryBlock first = SaveNoteToBytes(*BuildHelpNote(folder.path(), {}));
    const MemoryBlock second = SaveNoteToBytes(*BuildHelpNote(folder.path(), {}));
    EXPECT_EQ(first, second);
}

TEST(HelpNoteBuilder, FaultsInTheSourcesStopTheBuild) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> files;
        std::string ending;  // of the message
    };
    const std::string longTitle(130, 'x');
    const Case cases[] = {
        {{{"a.txt", "A\n"}}, "manifest.list: cannot be read"},
        {{{"manifest.list", "root R\n5 a.txt\n"}}, "a.txt: cannot be read"},
        {{{"manifest.list", "root R\n5 a.txt\n"}, {"a.txt", "A\n"}, {"g/stray.txt", "S\n"}},
         "g/stray.txt: the page is not in the manifest"},
        {{{"manifest.list", "root R\n5 a.txt\n"}, {"a.txt", "A\n\n本文 \xF0\x9F\x98\x80\n"}},
         "a.txt: the character U+1F600 has no Shift-JIS form"},
        {{{"manifest.list", "root R\n5 a.txt\n"}, {"a.txt", "A\xE2\x82\xAC\n"}},
         "a.txt:1: the character U+20AC has no Shift-JIS form"},
        {{{"manifest.list", "root R\n5 a.txt\n"}, {"a.txt", "あ" + longTitle + longTitle + "\n"}},
         "a.txt:1: the title is longer than 259 bytes"},
        {{{"manifest.list", "root R\n5 g/ " + longTitle + longTitle + "\n"}},
         "manifest.list:2: the title is longer than 259 bytes"},
    };
    for (const Case& c : cases) {
        HelpFolder folder;
        for (const auto& [name, text] : c.files) folder.write(name, text);
        const std::string fault = Fault(folder);
        EXPECT_TRUE(EndsWith(fault, c.ending)) << fault << "\nexpected the end: " << c.ending;
    }
}

TEST(HelpNoteBuilder, ATopicWithoutAPageStopsTheBuild) {
    HelpFolder folder;
    folder.write("manifest.list", "root R\n12 a.txt\n");
    folder.write("a.txt", "A\n");
    const std::array present{12};
    EXPECT_EQ(Fault(folder, present), "built");
    const std::array missing{12, 77};
    EXPECT_TRUE(EndsWith(Fault(folder, missing), "manifest.list: help topic 77 has no page"));
}

// The help note the program ships: every topic it opens is a page with text.
TEST(HelpNoteBuilder, TheProgramsHelpNoteHasAFilledPageForEveryTopic) {
    const auto note = BuildHelpNote(TIDEMARK_HELP_SOURCES, HelpTopic::kAll);
    Note loaded;
    LoadNoteFromBytes(loaded, SaveNoteToBytes(*note));
    for (const int topic : HelpTopic::kAll) {
        const Item* item = loaded.FindItem(static_cast<ItemId>(topic));
        ASSERT_NE(item, nullptr) << topic;
        ASSERT_FALSE(item->IsGroup()) << topic;
        EXPECT_FALSE(item->Title().Empty()) << topic;
        EXPECT_GT(static_cast<const Memo*>(item)->Body().Size(), 200u) << topic;
        EXPECT_NE(item->links.parent, kNoItem) << topic;  // placed in the tree
    }
}

}  // namespace
}  // namespace tidemark::help
