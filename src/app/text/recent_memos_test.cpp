#include "app/text/recent_memos.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;

std::vector<ItemId> recentOf(const Note& note) {
    std::vector<ItemId> ids;
    for (ItemId id : note.View().recentMemos) {
        if (id != kNoItem)
            ids.push_back(id);
    }
    return ids;
}

TEST(RecentMemos, NewestFirstWithoutRepeatsAndTheOldestDropsOff) {
    Note note;
    note.MakeNew("root");
    std::vector<ItemId> memos;
    for (int i = 0; i < 12; ++i)
        memos.push_back(AddMemo(note, note.RootId(), "m"));
    EXPECT_TRUE(recordRecentMemo(note, memos[0]));
    EXPECT_TRUE(recordRecentMemo(note, memos[1]));
    EXPECT_FALSE(recordRecentMemo(note, memos[1]));  // already in front
    EXPECT_TRUE(recordRecentMemo(note, memos[0]));
    EXPECT_EQ(recentOf(note), (std::vector<ItemId>{memos[0], memos[1]}));
    for (ItemId memo : memos)
        recordRecentMemo(note, memo);
    // Ten at most: the first two closed fell off the end.
    EXPECT_EQ(recentOf(note), (std::vector<ItemId>(memos.rbegin(), memos.rbegin() + 10)));
    // Closing one from the middle moves it to the front; the others keep their order.
    recordRecentMemo(note, memos[5]);
    EXPECT_EQ(recentOf(note),
              (std::vector<ItemId>{memos[5], memos[11], memos[10], memos[9], memos[8], memos[7],
                                   memos[6], memos[4], memos[3], memos[2]}));
}

TEST(RecentMemos, MemosInsideALockedGroupAndOtherItemsAreNotRecorded) {
    Note note;
    note.MakeNew("root");
    const ItemId group = AddGroup(note, note.RootId(), "g");
    const ItemId locked = AddMemo(note, group, "secret");
    note.FindItem(locked)->SetLockOwner(group);
    EXPECT_FALSE(recordRecentMemo(note, locked));
    EXPECT_FALSE(recordRecentMemo(note, group));
    EXPECT_FALSE(recordRecentMemo(note, 999));
    EXPECT_TRUE(recentOf(note).empty());
}

}  // namespace
