#include <gtest/gtest.h>

#include "core/common/error_code.h"
#include "core/file/byte_builder_for_test.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

class ItemBlockTest : public NoteFixture {
protected:
    // A reference standing for `target`, unplaced.
    ItemId Reference(ItemId target) {
        const ItemId id = note.CreateItem(ItemType::kReference);
        dynamic_cast<ItemReference*>(note.FindItem(id))->target = target;
        return id;
    }
};

TEST_F(ItemBlockTest, ASelectionRoundTripsUnderFreshIds) {
    const ItemId g = AddGroup(note, root, "group");
    const ItemId m = AddMemo(note, g, "memo");
    dynamic_cast<Memo*>(note.FindItem(m))->SetBody(ByteString("text"));
    const ItemId other = AddMemo(note, root, "other");
    // The selection: group (with its child mirrored) then "other".
    const ItemId rg = Reference(g);
    const ItemId rm = Reference(m);
    const ItemId ro = Reference(other);
    ASSERT_TRUE(note.InsertItems(rm, rg, Placement::kInside, Placement::kAfter, false));
    ASSERT_TRUE(note.InsertItems(ro, rg, Placement::kBeside, Placement::kAfter, false));

    std::optional<MemoryBlock> block = note.SerializeItems(rg);
    ASSERT_TRUE(block.has_value());
    const std::uint32_t countBefore = note.ItemCount();
    const ItemId first = note.DeserializeItems(*block);
    ASSERT_NE(first, kNoItem);
    EXPECT_EQ(note.ItemCount(), countBefore + 3);
    const Item* copy = note.FindItem(first);
    EXPECT_EQ(copy->Title(), ByteString("group"));
    EXPECT_EQ(copy->links.parent, kNoItem);
    EXPECT_EQ(copy->links.previous, kNoItem);
    const Item* child = note.FindItem(copy->links.firstChild);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(BodyOf(*child), ByteString("text"));
    EXPECT_EQ(child->links.parent, first);
    const Item* next = note.FindItem(copy->links.next);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->Title(), ByteString("other"));
    EXPECT_EQ(next->links.next, kNoItem);
    // Placing the copy makes a consistent tree.
    ASSERT_TRUE(note.InsertItems(first, root, Placement::kInside, Placement::kAfter, true));
    ExpectConsistentChildren(note, root);
}

TEST_F(ItemBlockTest, ARunWhoseParentIsOutsideTheBlockComesOutTopLevel) {
    ByteBuilder b;
    b.Memo(50, 40, 49, 51, "a", "").Memo(51, 40, 50, 52, "b", "").U8(0xFF);
    const ItemId first = note.DeserializeItems(b.Bytes());
    const Item* a = note.FindItem(first);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->links.parent, kNoItem);
    EXPECT_EQ(a->links.previous, kNoItem);
    const Item* bItem = note.FindItem(a->links.next);
    ASSERT_NE(bItem, nullptr);
    EXPECT_EQ(bItem->links.next, kNoItem);
}

TEST_F(ItemBlockTest, DamagedBlocksAddNothing) {
    const std::size_t before = note.Items().Size();
    ByteBuilder cycle;  // a sibling cycle
    cycle.Memo(1, 0, 2, 2, "a", "").Memo(2, 0, 1, 1, "b", "").U8(0xFF);
    ByteBuilder cut;
    cut.Memo(1, 0, 0, 0, "a", "");  // no end byte
    ByteBuilder duplicate;
    duplicate.Memo(1, 0, 0, 0, "a", "").Memo(1, 0, 0, 0, "b", "").U8(0xFF);
    for (const ByteBuilder* b : {&cycle, &cut, &duplicate}) {
        EXPECT_THROW(note.DeserializeItems(b->Bytes()), IoError);
        EXPECT_EQ(note.Items().Size(), before);
    }
}

TEST_F(ItemBlockTest, AnOpenLockedGroupIsCopiedClosedWithItsContentsEncrypted) {
    const ItemId g = AddGroup(note, root, "vault");
    AddMemo(note, g, "secret");
    Item* group = note.FindItem(g);
    group->SetRawFlags(ItemFlags::kLocked);
    note.SetLockOwner(g, g, true);
    group->SetPassword(ByteString("pass"));
    const ItemId rg = Reference(g);
    const ItemId rm = Reference(group->links.firstChild);
    note.InsertItems(rm, rg, Placement::kInside, Placement::kAfter, false);

    std::optional<MemoryBlock> block = note.SerializeItems(rg);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(std::string(block->begin(), block->end()).find("secret"), std::string::npos);
    const ItemId copy = note.DeserializeItems(*block);
    const Item* copiedGroup = note.FindItem(copy);
    EXPECT_FALSE(copiedGroup->IsOpen());
    const Item* copiedMemo = note.FindItem(copiedGroup->links.firstChild);
    EXPECT_TRUE(copiedMemo->IsEncrypted());
    EXPECT_EQ(copiedMemo->LockOwner(), copy);
    EXPECT_TRUE(note.FindItem(g)->IsOpen());  // the original stays open and plain
}

}  // namespace
}  // namespace tidemark
