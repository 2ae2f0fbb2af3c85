#include "core/model/item.h"

#include <gtest/gtest.h>

#include "core/model/fixed_clock_for_test.h"
#include "core/model/note.h"

namespace tidemark {
namespace {

TEST(Item, TheTwoLinkFlagsExcludeEachOther) {
    Memo memo(MakeTime(2020, 1, 1, 0, 0, 0));
    memo.SetRemarksLink(true);
    memo.SetBodyLink(true);
    EXPECT_TRUE(memo.IsBodyLink());
    EXPECT_FALSE(memo.IsRemarksLink());
    memo.SetRemarksLink(true);
    EXPECT_FALSE(memo.IsBodyLink());
    memo.SetBodyLink(false);  // clearing one leaves the other
    EXPECT_TRUE(memo.IsRemarksLink());
}

TEST(Item, RemarksFlagFollowsTheText) {
    Item group(ItemType::kGroup, MakeTime(2020, 1, 1, 0, 0, 0));
    group.SetRemarks(ByteString("note"));
    EXPECT_TRUE(group.HasFlag(ItemFlags::kHasRemarks));
    group.SetRemarks(ByteString());
    EXPECT_FALSE(group.HasFlag(ItemFlags::kHasRemarks));
    EXPECT_EQ(group.Remarks(), ByteString());
    EXPECT_EQ(group.StoredRemarks(), ByteString("note"));  // the stored text may stay
}

TEST(Item, VisibleChangesStampTheTimeButOpeningDoesNot) {
    FixedClock clock{MakeTime(2020, 1, 1, 0, 0, 0)};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("root"));
    Memo& memo = *dynamic_cast<Memo*>(note.FindItem(note.CreateItem(ItemType::kMemo)));
    const SystemTime later = MakeTime(2021, 2, 3, 4, 5, 6);
    clock.Set(later);
    Item& root = *note.FindItem(note.RootId());
    root.SetOpen(false);
    EXPECT_NE(root.ModifiedTime(), later);
    memo.SetWordWrap(false);
    EXPECT_EQ(memo.ModifiedTime(), later);
}

TEST(Item, CloneCopiesStoredFieldsButNotThePassword) {
    Memo memo(MakeTime(2020, 1, 1, 0, 0, 0));
    memo.links = TreeLinks{7, 1, 0, 6, 8};
    memo.SetRawTitle(ByteString("t"));
    memo.SetRawBody(ByteString("b\r\n"));
    memo.SetTextColour(0x123456);
    memo.SetPassword(ByteString("secret"));
    memo.SetLockOwner(3);
    RefPtr<Item> clone = memo.Clone();
    const auto* copy = dynamic_cast<const Memo*>(clone.Get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->links.previous, 6u);
    EXPECT_EQ(copy->Body(), ByteString("b\r\n"));
    EXPECT_EQ(copy->ForegroundColour(), 0x123456u);
    EXPECT_EQ(copy->LockOwner(), 3u);
    EXPECT_TRUE(copy->Password().Empty());
    EXPECT_EQ(copy->ModifiedTime(), memo.ModifiedTime());
}

}  // namespace
}  // namespace tidemark
