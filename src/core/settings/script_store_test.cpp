#include "core/settings/script_store.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

ScriptEntry Entry(std::string name, std::string file, std::uint32_t attributes = 0) {
    return ScriptEntry{ByteString(std::move(name)), ByteString(std::move(file)), attributes};
}

std::vector<int> Places(const ScriptStore& store) {
    std::vector<int> places;
    for (int place = 1; place <= ScriptStore::kPlaceCount; ++place) {
        std::optional<std::size_t> index = store.EntryAtPlace(place);
        places.push_back(index ? static_cast<int>(*index) : -1);
    }
    return places;
}

TEST(ScriptStoreTest, BindingATakenPlaceTakesItFromTheEntryThatHadIt) {
    ScriptStore store;
    ASSERT_TRUE(store.Append(Entry("first", "a.js", 3)));
    ASSERT_TRUE(store.Append(Entry("second", "b.js", 3 | ScriptEntry::kTemplate)));
    EXPECT_EQ(store.EntryAtPlace(3), 1u);
    EXPECT_EQ(store.At(0).Place(), 0);
    EXPECT_EQ(store.At(1).Place(), 3);
    EXPECT_TRUE(store.At(1).IsTemplate());

    // The entry dialog offers a place that is free or the entry's own.
    EXPECT_TRUE(store.PlaceAvailableFor(3, 1));
    EXPECT_FALSE(store.PlaceAvailableFor(3, 0));
    EXPECT_FALSE(store.PlaceAvailableFor(3, std::nullopt));
    EXPECT_TRUE(store.PlaceAvailableFor(4, std::nullopt));
}

TEST(ScriptStoreTest, RemovingAnEntryFreesItsPlaceAndRenumbersTheOthers) {
    ScriptStore store;
    store.Append(Entry("a", "a.js", 1));
    store.Append(Entry("b", "b.js"));
    store.Append(Entry("c", "c.js", 3));
    store.Append(Entry("d", "d.js", 10));

    store.Remove(1);
    EXPECT_EQ(Places(store), (std::vector<int>{0, -1, 1, -1, -1, -1, -1, -1, -1, 2}));
    store.Remove(0);
    EXPECT_EQ(Places(store), (std::vector<int>{-1, -1, 0, -1, -1, -1, -1, -1, -1, 1}));
    EXPECT_EQ(store.At(0).Name, ByteString("c"));
}

TEST(ScriptStoreTest, ReplacingAnEntryMovesItsPlace) {
    ScriptStore store;
    store.Append(Entry("a", "a.js", 2));
    store.Append(Entry("b", "b.js", 5));
    store.Replace(0, Entry("a2", "a2.js", 5));
    EXPECT_EQ(Places(store), (std::vector<int>{-1, -1, -1, -1, 0, -1, -1, -1, -1, -1}));
    EXPECT_EQ(store.At(1).Attributes, 0u);
    store.Replace(0, Entry("a3", "a3.js", ScriptEntry::kTemplate));
    EXPECT_FALSE(store.EntryAtPlace(5));
}

TEST(ScriptStoreTest, PlaceBitsOutsideOneToTenMeanNoPlace) {
    ScriptStore store;
    store.Append(Entry("odd", "odd.js", 0x0B));
    EXPECT_EQ(store.At(0).Place(), 0);
    EXPECT_EQ(Places(store), std::vector<int>(10, -1));
}

TEST(ScriptStoreTest, HoldsAtMost256Entries) {
    ScriptStore store;
    for (int i = 0; i < 256; ++i) {
        ASSERT_TRUE(store.Append(Entry("s" + std::to_string(i), "f.js")));
    }
    EXPECT_TRUE(store.Full());
    EXPECT_FALSE(store.Append(Entry("one more", "f.js")));
    EXPECT_EQ(store.Count(), 256u);
}

TEST(ScriptStoreTest, FindsNamesWithoutCase) {
    ScriptStore store;
    store.Append(Entry("Daily Log", "log.js"));
    EXPECT_EQ(store.FindByName("DAILY log"), 0u);
    EXPECT_FALSE(store.FindByName("Daily"));
}

TEST(ScriptStoreImportTest, ImportingTheSameStoreTwiceAddsNothingTheSecondTime) {
    ScriptStore file;
    file.Append(Entry("Log", "log.js", 2));
    file.Append(Entry("Tpl", "tpl.js", ScriptEntry::kTemplate));
    ScriptStore store;
    store.Append(Entry("Mine", "mine.js"));

    ScriptImportResult first = store.Import(file);
    EXPECT_EQ(first.Added, 2u);
    EXPECT_EQ(store.Count(), 3u);
    EXPECT_EQ(store.EntryAtPlace(2), 1u);

    ScriptImportResult second = store.Import(file);
    EXPECT_EQ(second.Added, 0u);
    EXPECT_EQ(second.Skipped, 2u);
    EXPECT_EQ(store.Count(), 3u);
}

TEST(ScriptStoreImportTest, MatchesNameAndFileWithoutCaseAndNeedsBoth) {
    ScriptStore store;
    store.Append(Entry("Log", "LOG.JS"));
    ScriptStore file;
    file.Append(Entry("log", "log.js"));    // the same registration
    file.Append(Entry("Log", "other.js"));  // same name, other file: added
    ScriptImportResult result = store.Import(file);
    EXPECT_EQ(result.Added, 1u);
    EXPECT_EQ(result.Skipped, 1u);
    EXPECT_EQ(store.At(1).File, ByteString("other.js"));
}

TEST(ScriptStoreImportTest, AnImportedEntryLosesAPlaceThatIsTaken) {
    ScriptStore store;
    store.Append(Entry("Mine", "mine.js", 4));
    ScriptStore file;
    file.Append(Entry("Theirs", "theirs.js", 4 | ScriptEntry::kTemplate));
    file.Append(Entry("Free", "free.js", 6));
    store.Import(file);
    EXPECT_EQ(store.EntryAtPlace(4), 0u);
    EXPECT_EQ(store.At(1).Attributes, ScriptEntry::kTemplate);  // the template bit stays
    EXPECT_EQ(store.EntryAtPlace(6), 2u);
}

TEST(ScriptStoreImportTest, AnImportThatReachesTheLimitKeepsWhatItAdded) {
    ScriptStore store;
    for (int i = 0; i < 254; ++i)
        store.Append(Entry("s" + std::to_string(i), "f.js"));
    ScriptStore file;
    for (int i = 0; i < 5; ++i)
        file.Append(Entry("new" + std::to_string(i), "n.js"));
    ScriptImportResult result = store.Import(file);
    EXPECT_TRUE(result.StoreFull);
    EXPECT_EQ(result.Added, 2u);
    EXPECT_EQ(store.Count(), 256u);
    EXPECT_EQ(store.At(255).Name, ByteString("new1"));
}

}  // namespace
}  // namespace tidemark
