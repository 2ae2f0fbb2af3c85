#include "core/settings/recent_notes.h"

#include <gtest/gtest.h>

#include "core/common/path_compare.h"
#include "core/settings/default_note.h"
#include "core/settings/memory_value_store.h"
#include "core/settings/menu_entry_text.h"
#include "core/settings/value_names.h"

namespace tidemark {
namespace {

std::vector<std::string> Paths(const RecentNotes& recent) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < recent.Count(); ++i)
        paths.push_back(recent.Slot(i).Str());
    return paths;
}

RecentNotes Filled(int count) {
    RecentNotes recent;
    for (int i = 0; i < count; ++i)
        recent.Add(ByteString("/n/" + std::to_string(i) + ".tmk"));
    return recent;
}

TEST(RecentNotesTest, AddAppendsMovesOrDropsTheOldest) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        std::string added;
        std::vector<std::string> after;
    } cases[] = {
        {"new path", {"a", "b"}, "c", {"a", "b", "c"}},
        {"re-adding the oldest moves it", {"a", "b", "c"}, "a", {"b", "c", "a"}},
        {"already newest", {"a", "b"}, "b", {"a", "b"}},
        {"case differs",
         {"/N/One.tmk", "b"},
         "/n/one.TMK",
         kPathsIgnoreCase ? std::vector<std::string>{"b", "/n/one.TMK"}
                          : std::vector<std::string>{"/N/One.tmk", "b", "/n/one.TMK"}},
        {"eleventh drops the oldest",
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
         "10",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"re-adding with a full list drops nothing",
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
         "0",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}},
        {"empty path ignored", {"a"}, "", {"a"}},
    };
    for (const Case& c : cases) {
        RecentNotes recent;
        for (const std::string& path : c.before)
            recent.Add(ByteString(path));
        recent.Add(ByteString(c.added));
        EXPECT_EQ(Paths(recent), c.after) << c.name;
    }
}

TEST(RecentNotesTest, SavesAndLoadsTheSlotsOldestFirst) {
    MemoryValueStore store;
    RecentNotes recent = Filled(3);
    ASSERT_TRUE(recent.Save(store));
    EXPECT_EQ(store.QueryString("history0"), ByteString("/n/0.tmk"));
    EXPECT_EQ(store.QueryString("history2"), ByteString("/n/2.tmk"));
    EXPECT_FALSE(store.QueryString("history3"));

    RecentNotes loaded;
    loaded.Load(store);
    EXPECT_EQ(Paths(loaded), Paths(recent));
    EXPECT_EQ(loaded.MostRecent(), ByteString("/n/2.tmk"));
}

TEST(RecentNotesTest, SavingAShorterListRemovesTheValuesOfUnusedSlots) {
    MemoryValueStore store;
    Filled(10).Save(store);
    Filled(2).Save(store);
    RecentNotes loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.Count(), 2u);
    EXPECT_FALSE(store.QueryString("history9"));
}

TEST(RecentNotesTest, LoadSkipsMissingAndEmptyValuesKeepingTheOrder) {
    MemoryValueStore store;
    store.SetString("history1", "/b.tmk");
    store.SetString("history4", "");
    store.SetString("history7", "/c.tmk");
    store.SetString("history10", "/never-read.tmk");
    RecentNotes recent;
    recent.Load(store);
    EXPECT_EQ(Paths(recent), (std::vector<std::string>{"/b.tmk", "/c.tmk"}));

    store.SetUnavailable(true);
    recent.Load(store);
    EXPECT_TRUE(recent.Empty());
    EXPECT_EQ(recent.MostRecent(), ByteString());
}

TEST(RecentNotesTest, MenuListsTheMostRecentFirstWithCommandsBySlot) {
    RecentNotes recent = Filled(10);
    std::vector<RecentNoteMenuEntry> entries = recent.MenuEntries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].Text, "&1  /n/9.tmk");
    EXPECT_EQ(entries[0].Command, kCmdRecentNoteFirst + 9);
    EXPECT_EQ(entries[8].Text, "&9  /n/1.tmk");
    EXPECT_EQ(entries[9].Text, "&0  /n/0.tmk");
    EXPECT_EQ(entries[9].Command, kCmdRecentNoteFirst);

    for (const RecentNoteMenuEntry& entry : entries) {
        const ByteString* path = recent.PathForCommand(entry.Command);
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(entry.Text.substr(4), path->Str());
    }
    EXPECT_EQ(Filled(3).PathForCommand(kCmdRecentNoteFirst + 3), nullptr);
    EXPECT_EQ(Filled(3).PathForCommand(kCmdToolMenuFirst), nullptr);
}

TEST(NumberedMenuEntryTextTest, DoublesAmpersandsAndStaysWithin260Bytes) {
    EXPECT_EQ(NumberedMenuEntryText(3, "/n/R&D.tmk"), "&3  /n/R&&D.tmk");
    EXPECT_EQ(NumberedMenuEntryText(10, "x"), "&0  x");

    std::string text = NumberedMenuEntryText(1, std::string(300, 'p'));
    EXPECT_EQ(text.size(), 260u);
    // A double-byte character that would end past the limit is left out whole.
    std::string kanji = std::string(255, 'p') + "\x93\xfa";
    EXPECT_EQ(NumberedMenuEntryText(1, kanji), "&1  " + std::string(255, 'p'));
    // So is an "&&" pair.
    EXPECT_EQ(NumberedMenuEntryText(1, std::string(255, 'p') + "&"),
              "&1  " + std::string(255, 'p'));
}

TEST(DefaultNoteTest, StoresReadsAndClearsThePath) {
    MemoryValueStore store;
    EXPECT_EQ(ReadDefaultNote(store), ByteString());
    ASSERT_TRUE(WriteDefaultNote(store, "/home/u/My Note.tmk"));
    EXPECT_EQ(store.QueryString(ValueName::kDefaultNote), ByteString("/home/u/My Note.tmk"));
    EXPECT_EQ(ReadDefaultNote(store), ByteString("/home/u/My Note.tmk"));
    ASSERT_TRUE(WriteDefaultNote(store, ""));
    EXPECT_FALSE(store.QueryString(ValueName::kDefaultNote));
}

}  // namespace
}  // namespace tidemark
