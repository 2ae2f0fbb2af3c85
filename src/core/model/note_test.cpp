#include "core/model/note.h"

#include <gtest/gtest.h>

#include "core/model/fixed_clock_for_test.h"
#include "core/model/item_lock.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

using NoteTest = NoteFixture;

TEST_F(NoteTest, NewItemsCarryTheirDefaults) {
    const ItemId memoId = note.CreateItem(ItemType::kMemo);
    const ItemId groupId = note.CreateItem(ItemType::kGroup);
    const ItemId refId = note.CreateItem(ItemType::kReference);
    auto* memo = dynamic_cast<Memo*>(note.FindItem(memoId));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->WordWrap());
    EXPECT_EQ(memo->BackgroundColour(), 0xFFFFFFu);
    EXPECT_FALSE(memo->HasOwnBackgroundColour());
    EXPECT_EQ(memo->Flags(), 0u);
    EXPECT_EQ(memo->ModifiedTime(), MakeTime(2004, 5, 6, 13, 45, 7));
    EXPECT_EQ(memo->links.parent, kNoItem);
    EXPECT_NE(dynamic_cast<ItemReference*>(note.FindItem(refId)), nullptr);
    EXPECT_EQ(note.FindItem(groupId)->Type(), ItemType::kGroup);
    // The root, the memo and the group count; the reference does not.
    EXPECT_EQ(note.ItemCount(), 3u);
    EXPECT_EQ(note.LastId(), refId);
}

TEST(NoteAllocation, AfterTheLastIdInTheRangeTheLowestFreeIdIsTaken) {
    FixedClock clock{MakeTime(2020, 1, 1, 0, 0, 0)};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("root"));  // id 1
    note.CreateItem(ItemType::kMemo);   // id 2
    note.CreateItem(ItemType::kMemo);   // id 3
    note.DeleteItems(2, 1);
    // The counter is set the way a file sets it: a header tag 2 with the top of the range.
    GlobalMemoryStream stream;
    ASSERT_EQ(stream.OpenWrite(), 0u);
    const std::uint8_t bytes[] = {2, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF};
    ASSERT_EQ(stream.Write(bytes, sizeof bytes), 0u);
    stream.Close();
    MemoryBlock block = stream.Detach();
    GlobalMemoryStream reader(&block);
    ASSERT_EQ(reader.OpenRead(), 0u);
    Note loaded{nullptr, &clock};
    loaded.ReadNote(reader);
    EXPECT_EQ(loaded.LastId(), kMaxItemId);
    EXPECT_EQ(loaded.AllocateItemId(), 1u);
    EXPECT_EQ(loaded.LastId(), 1u);
}

TEST_F(NoteTest, InsertBeforeTheFirstChildBecomesTheNewFirstChild) {
    const ItemId a = AddMemo(note, root, "a");
    AddMemo(note, root, "b");
    const ItemId x = note.CreateItem(ItemType::kMemo);
    note.FindItem(x)->SetRawTitle(ByteString("x"));
    ASSERT_TRUE(note.InsertItems(x, a, Placement::kBeside, Placement::kBefore, true));
    EXPECT_EQ(note.FindItem(root)->links.firstChild, x);
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"x", "a", "b"}));
    EXPECT_EQ(note.GetSiblingIndex(a), 1u);
    ExpectConsistentChildren(note, root);
}

TEST_F(NoteTest, InsertInsideAnEmptyGroupIgnoresTheOrder) {
    for (int order : {Placement::kBefore, Placement::kAfter}) {
        const ItemId g = AddGroup(note, root, "g");
        const ItemId m = note.CreateItem(ItemType::kMemo);
        ASSERT_TRUE(note.InsertItems(m, g, Placement::kInside, order, true));
        EXPECT_EQ(note.FindItem(g)->links.firstChild, m);
        EXPECT_EQ(note.FindItem(m)->links.parent, g);
        EXPECT_EQ(note.GetChildCount(g), 1u);
    }
    ExpectConsistentChildren(note, root);
}

TEST_F(NoteTest, InsertPlacesARunWhereAsked) {
    struct Case {
        int relation, order;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {Placement::kInside, Placement::kAfter, {"a", "b", "p", "q"}},
        {Placement::kInside, Placement::kBefore, {"p", "q", "a", "b"}},
    };
    for (const Case& c : cases) {
        const ItemId g = AddGroup(note, root, "g");
        AddMemo(note, g, "a");
        AddMemo(note, g, "b");
        const ItemId p = AddMemo(note, kNoItem, "p");
        const ItemId q = AddMemo(note, kNoItem, "q");
        ASSERT_TRUE(note.InsertItems(q, p, Placement::kBeside, Placement::kAfter, false));
        ASSERT_TRUE(note.InsertItems(p, g, c.relation, c.order, true));
        EXPECT_EQ(ChildTitles(note, g), c.expected);
        ExpectConsistentChildren(note, g);
        EXPECT_EQ(note.GetChildCount(g), 4u);
    }
    // Beside a middle item, after it.
    const ItemId g = AddGroup(note, root, "h");
    const ItemId a = AddMemo(note, g, "a");
    AddMemo(note, g, "b");
    const ItemId p = AddMemo(note, kNoItem, "p");
    ASSERT_TRUE(note.InsertItems(p, a, Placement::kBeside, Placement::kAfter, true));
    EXPECT_EQ(ChildTitles(note, g), (std::vector<std::string>{"a", "p", "b"}));
    ExpectConsistentChildren(note, g);
    EXPECT_FALSE(note.InsertItems(p, a, 7, Placement::kAfter, true));
}

TEST_F(NoteTest, UnlinkWithCountZeroTakesTheRestOfTheChain) {
    const ItemId a = AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    const ItemId c = AddMemo(note, root, "c");
    ASSERT_TRUE(note.UnlinkItems(a, 0, true));
    EXPECT_EQ(note.FindItem(root)->links.firstChild, kNoItem);
    EXPECT_EQ(note.FindItem(a)->links.next, b);
    EXPECT_EQ(note.FindItem(c)->links.next, kNoItem);
    for (ItemId id : {a, b, c}) EXPECT_EQ(note.FindItem(id)->links.parent, kNoItem);
    EXPECT_EQ(note.GetChildCount(root), 0u);
}

TEST_F(NoteTest, UnlinkFromTheMiddleRenumbersTheRest) {
    AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    AddMemo(note, root, "c");
    const ItemId d = AddMemo(note, root, "d");
    ASSERT_TRUE(note.UnlinkItems(b, 2, true));
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"a", "d"}));
    EXPECT_EQ(note.GetSiblingIndex(d), 1u);
    EXPECT_EQ(ChildTitles(note, root).size(), note.GetChildCount(root));
    ExpectConsistentChildren(note, root);
}

TEST_F(NoteTest, MovingASubtreeResetsTheDepthsBelowIt) {
    const ItemId g = AddGroup(note, root, "g");
    const ItemId h = AddGroup(note, g, "h");
    const ItemId m = AddMemo(note, h, "m");
    EXPECT_EQ(note.GetDepth(m), 3u);
    const ItemId other = AddMemo(note, root, "o");
    ASSERT_TRUE(note.UnlinkItems(h, 1, true));
    ASSERT_TRUE(note.InsertItems(h, other, Placement::kBeside, Placement::kAfter, true));
    EXPECT_EQ(note.GetDepth(h), 1u);
    EXPECT_EQ(note.GetDepth(m), 2u);
}

TEST_F(NoteTest, DeletingTheRootLeavesOnlyUnplacedItems) {
    const ItemId g = AddGroup(note, root, "g");
    AddMemo(note, g, "a");
    AddMemo(note, root, "b");
    const ItemId loose = note.CreateItem(ItemType::kReference);
    Item* held = note.FindItem(g);
    held->AddRef();  // an automation client keeps the group
    ASSERT_EQ(note.ItemCount(), 4u);
    ASSERT_TRUE(note.DeleteItems(root, 1));
    EXPECT_EQ(note.ItemCount(), 0u);
    EXPECT_EQ(note.Items().Size(), 1u);
    EXPECT_NE(note.FindItem(loose), nullptr);
    EXPECT_TRUE(held->IsDeleted());
    held->Release();
}

TEST_F(NoteTest, ClearForgetsTheTreeButNotWorkingItems) {
    AddMemo(note, root, "a");
    const ItemId loose = note.CreateItem(ItemType::kReference);
    note.SetCurrentItemId(2);
    note.Clear();
    EXPECT_EQ(note.RootId(), kNoItem);
    EXPECT_EQ(note.LastId(), kNoItem);
    EXPECT_EQ(note.ItemCount(), 0u);
    EXPECT_EQ(note.CurrentItemId(), kNoItem);
    EXPECT_NE(note.FindItem(loose), nullptr);
}

TEST_F(NoteTest, AncestryQueries) {
    const ItemId g = AddGroup(note, root, "g");
    const ItemId m = AddMemo(note, g, "m");
    EXPECT_TRUE(note.IsDescendantOf(m, root));
    EXPECT_TRUE(note.IsDescendantOf(m, g));
    EXPECT_FALSE(note.IsDescendantOf(g, g));
    EXPECT_FALSE(note.IsDescendantOf(g, m));
    EXPECT_TRUE(note.AreAncestorsOpen(m));
    note.FindItem(g)->SetOpen(false);
    EXPECT_FALSE(note.AreAncestorsOpen(m));
    EXPECT_TRUE(note.AreAncestorsOpen(g));
}

TEST_F(NoteTest, OperationsOnMissingIdsChangeNothing) {
    EXPECT_EQ(note.FindItem(999), nullptr);
    EXPECT_FALSE(note.UnlinkItems(999, 1, true));
    EXPECT_FALSE(note.DeleteItems(999, 1));
    EXPECT_FALSE(note.InsertItems(999, root, Placement::kInside, Placement::kAfter, true));
    EXPECT_EQ(note.GetChildCount(999), 0u);
    EXPECT_EQ(note.CompareItems(999, root, SortKey::kTitle), 0);
}

// A sibling chain below the top that leads back into itself used to keep the
// lock and delete walks growing their work lists until memory ran out.
TEST_F(NoteTest, SubtreeOperationsEndOnASiblingCycleBelowTheTop) {
    struct Case {
        const char* name;
        void (*run)(Note&, ItemId group);
    };
    const Case cases[] = {
        {"lock owner", [](Note& n, ItemId g) { n.SetLockOwner(g, g, true); }},
        {"locked groups", [](Note& n, ItemId g) { EXPECT_FALSE(n.ContainsLockedGroup(g)); }},
        {"encryption",
         [](Note& n, ItemId g) { EXPECT_TRUE(EncryptGroupContents(n, g, ByteString("pass"))); }},
        {"deletion", [](Note& n, ItemId g) { EXPECT_TRUE(n.DeleteItems(g, 1)); }},
    };
    for (const Case& test : cases) {
        const ItemId group = AddGroup(note, root, "group");
        const ItemId inner = AddGroup(note, group, "inner");
        const ItemId first = AddMemo(note, inner, "first");
        const ItemId second = AddMemo(note, inner, "second");
        note.FindItem(second)->links.next = first;
        test.run(note, group);
        if (Item* item = note.FindItem(second))
            item->links.next = kNoItem;
        SCOPED_TRACE(test.name);
        if (note.FindItem(group)) {
            EXPECT_TRUE(note.DeleteItems(group, 1));
        }
        EXPECT_EQ(note.FindItem(first), nullptr);
        EXPECT_EQ(note.FindItem(second), nullptr);
    }
}

}  // namespace
}  // namespace tidemark
