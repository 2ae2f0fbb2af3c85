#include "core/settings/memory_value_store.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MemoryValueStoreTest, ReturnsTheBytesWhateverKindWasWritten) {
    MemoryValueStore store;
    const Bytes binary = {'a', 'b', 0, 'c'};
    ASSERT_TRUE(store.SetBinary("bin", binary));
    ASSERT_TRUE(store.SetString("text", "/home/u/a.tmk"));

    EXPECT_EQ(store.QueryBinary("bin"), binary);
    EXPECT_EQ(store.QueryString("bin"), ByteString("ab"));  // a text ends at its first zero
    EXPECT_EQ(store.QueryBinary("text"),
              Bytes({'/', 'h', 'o', 'm', 'e', '/', 'u', '/', 'a', '.', 't', 'm', 'k'}));
    EXPECT_EQ(store.KindOf("bin"), MemoryValueStore::Kind::kBinary);
    EXPECT_EQ(store.KindOf("text"), MemoryValueStore::Kind::kString);
    EXPECT_FALSE(store.QueryBinary("missing"));
    EXPECT_FALSE(store.QueryString("missing"));
}

TEST(MemoryValueStoreTest, OverwritesInPlaceAndListsNamesInFirstWriteOrder) {
    MemoryValueStore store;
    store.SetString(".js", "JScript");
    store.SetBinary("tmk.conf1.0", Bytes(4096));
    store.SetString(".js", "JavaScript");
    store.SetString("history0", "a");
    EXPECT_EQ(store.ValueNames(), (std::vector<std::string>{".js", "tmk.conf1.0", "history0"}));
    EXPECT_EQ(store.QueryString(".js"), ByteString("JavaScript"));

    EXPECT_TRUE(store.DeleteValue("tmk.conf1.0"));
    EXPECT_TRUE(store.DeleteValue("never-there"));
    EXPECT_EQ(store.ValueNames(), (std::vector<std::string>{".js", "history0"}));
}

TEST(MemoryValueStoreTest, AnUnavailableStoreFindsNothingAndIgnoresWrites) {
    MemoryValueStore store;
    store.SetString("default", "/a.tmk");
    store.SetUnavailable(true);

    EXPECT_FALSE(store.QueryString("default"));
    EXPECT_FALSE(store.SetString("default", "/b.tmk"));
    EXPECT_FALSE(store.SetBinary("x", Bytes{1}));
    EXPECT_FALSE(store.DeleteValue("default"));
    EXPECT_TRUE(store.ValueNames().empty());

    store.SetUnavailable(false);
    EXPECT_EQ(store.QueryString("default"), ByteString("/a.tmk"));
    EXPECT_EQ(store.ValueNames(), std::vector<std::string>{"default"});
}

}  // namespace
}  // namespace tidemark
