#include "core/model/id_map.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

TEST(IdMap, IteratesBucketsAscendingNewestFirstWithinABucket) {
    IdMap<int> map;
    for (std::uint32_t key : {5u, 1029u, 3u, 2053u, 1024u, 0u}) map.Insert(key, int(key));
    // Bucket 0: 0 (newest) then 1024; bucket 3: 3; bucket 5: 2053, 1029, 5.
    EXPECT_EQ(map.Keys(), (std::vector<std::uint32_t>{0, 1024, 3, 2053, 1029, 5}));
}

TEST(IdMap, OverwritingKeepsThePlaceAndRemovalRelinksTheBucket) {
    IdMap<int> map;
    for (std::uint32_t key : {5u, 1029u, 2053u}) map.Insert(key, 1);
    map.Insert(1029, 7);
    EXPECT_EQ(*map.Find(1029), 7);
    EXPECT_EQ(map.Keys(), (std::vector<std::uint32_t>{2053, 1029, 5}));
    EXPECT_TRUE(map.Remove(1029));
    EXPECT_FALSE(map.Remove(1029));
    EXPECT_EQ(map.Keys(), (std::vector<std::uint32_t>{2053, 5}));
    EXPECT_TRUE(map.Remove(2053));
    map.Insert(3077, 1);
    EXPECT_EQ(map.Keys(), (std::vector<std::uint32_t>{3077, 5}));
    EXPECT_EQ(map.Size(), 2u);
    EXPECT_EQ(map.Find(1029), nullptr);
}

TEST(IdMap, VisitorMayRemoveTheKeyItStandsOn) {
    IdMap<int> map;
    for (std::uint32_t key = 0; key < 3000; ++key) map.Insert(key, 0);
    std::size_t visited = 0;
    map.ForEach([&](std::uint32_t key, int) {
        ++visited;
        if (key % 2 == 0) map.Remove(key);
    });
    EXPECT_EQ(visited, 3000u);
    EXPECT_EQ(map.Size(), 1500u);
}

}  // namespace
}  // namespace tidemark
