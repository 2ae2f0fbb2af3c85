// NewItem, DeleteItem, MoveTo and Open: the members that change the tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/automation/automation_fakes_for_test.h"
#include "core/model/item_attributes.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

namespace C = AutomationConstant;

class ItemTreeTest : public WindowNoteTest {};

TEST_F(ItemTreeTest, NewItemPlacesByPositionAndTitlesByKind) {
    const ItemId mid = memo(rootId(), "mid");
    const auto root = rootObject();
    const ItemHandle last = root->NewItem(C::kMemo, C::kChild).Value();
    const ItemHandle before = object(mid)->NewItem(C::kMemoGroup, C::kPrevious).Value();
    const ItemHandle after = object(mid)->NewItem(C::kMemo, C::kNext).Value();
    ASSERT_TRUE(last && before && after);
    EXPECT_EQ(ChildTitles(model(), rootId()),
              (std::vector<std::string>{"\x90\x56\x82\xb5\x82\xa2\x83\x81\x83\x82\x83\x4f\x83\x8b"
                                        "\x81\x5b\x83\x76",
                                        "mid", "\x90\x56\x82\xb5\x82\xa2\x83\x81\x83\x82",
                                        "\x90\x56\x82\xb5\x82\xa2\x83\x81\x83\x82"}));
    EXPECT_EQ(before->Title().Value(), "新しいメモグループ");
    EXPECT_EQ(before->Type().Value(), C::kMemoGroup);
    EXPECT_EQ(last->Title().Value(), "新しいメモ");
    EXPECT_TRUE(last->IsText());
    EXPECT_EQ(window.host.modifiedMarks, 3);
    ExpectConsistentChildren(model(), rootId());
}

TEST_F(ItemTreeTest, NewItemRefusesBadTypesAndPositions) {
    const ItemHandle m = object(memo(rootId(), "m"));
    const auto root = rootObject();
    struct Case {
        ItemHandle on;
        std::int32_t type, position;
        std::uint32_t error;
        std::string argument;
    };
    const std::vector<Case> cases = {
        {m, C::kMemo, C::kChild, 20054, "17"},  // a memo has no inside
        {m, C::kMemo, C::kParent, 20054, "16"},     {root, C::kRoot, C::kChild, 20056, "1"},
        {root, 4, C::kChild, 20056, "4"},           {root, C::kMemo, 20, 20054, "20"},
        {root, C::kMemoGroup, C::kNext, 20053, ""},
    };
    for (const Case& c : cases) {
        const auto refused = c.on->NewItem(c.type, c.position);
        ASSERT_FALSE(refused.Ok()) << c.type << " " << c.position;
        EXPECT_EQ(refused.Error().stringId, c.error);
        EXPECT_EQ(refused.Error().argument, c.argument);
    }
    EXPECT_EQ(model().ItemCount(), 2u);
    EXPECT_EQ(window.host.modifiedMarks, 0);
}

TEST_F(ItemTreeTest, NewItemTakesTheAttributesTheOptionsName) {
    const ItemId source = memo(rootId(), "source");
    at(source).SetTextColour(0x0000FF);
    at(source).SetBackgroundColour(0x00FF00);
    at(source).SetRemarks(ByteString("r"));
    at(source).SetStrikeOut(true);
    window.host.options.NewMemoAttrSource = NewItemAttributeSource::kNeighbour;
    window.host.options.NewMemoSkipAttrs =
        AttributeGroup::kBackgroundColour | AttributeGroup::kRemarks;

    const ItemHandle made = object(source)->NewItem(C::kMemo, C::kNext).Value();
    EXPECT_EQ(made->Foreground().Value(), "#ff0000");
    EXPECT_EQ(made->Background().Value(), "");
    EXPECT_TRUE(made->StrikeOut().Value());
    EXPECT_EQ(made->Remarks().Value(), "");

    window.host.options.NewMemoAttrSource = NewItemAttributeSource::kNone;
    const ItemHandle plain = object(source)->NewItem(C::kMemo, C::kNext).Value();
    EXPECT_EQ(plain->Foreground().Value(), "");
    EXPECT_FALSE(plain->StrikeOut().Value());
}

TEST_F(ItemTreeTest, DeletingTheLastChildOfALockedGroupRemovesItsLock) {
    const ItemId safe = openLockedGroup(rootId(), "safe");
    const ItemId second = memo(safe, "second");
    model().SetLockOwner(safe, safe, true);
    const ItemHandle first = object(at(safe).links.firstChild);
    ASSERT_TRUE(first->DeleteItem().Ok());
    EXPECT_TRUE(at(safe).IsLockedGroup());  // one child left
    ASSERT_TRUE(object(second)->DeleteItem().Ok());
    EXPECT_FALSE(at(safe).HasFlag(ItemFlags::kLocked));
    EXPECT_TRUE(at(safe).Password().Empty());
    EXPECT_TRUE(first->IsDeleted().Value());
    EXPECT_EQ(window.host.modifiedMarks, 2);
}

TEST_F(ItemTreeTest, MoveToPlacesTheItemAndMarksTheNote) {
    const ItemId a = memo(rootId(), "a");
    const ItemId g = group(rootId(), "g");
    const ItemId b = memo(g, "b");
    ASSERT_TRUE(object(a)->MoveTo(object(g).get(), C::kChild).Ok());
    EXPECT_EQ(ChildTitles(model(), g), (std::vector<std::string>{"b", "a"}));
    ASSERT_TRUE(object(a)->MoveTo(object(b).get(), C::kPrevious).Ok());
    EXPECT_EQ(ChildTitles(model(), g), (std::vector<std::string>{"a", "b"}));
    ASSERT_TRUE(object(b)->MoveTo(object(g).get(), C::kNext).Ok());
    EXPECT_EQ(ChildTitles(model(), rootId()), (std::vector<std::string>{"g", "b"}));
    EXPECT_EQ(window.host.modifiedMarks, 3);
    ExpectConsistentChildren(model(), rootId());
}

TEST_F(ItemTreeTest, MoveToRefusesPlacesTheItemCannotGo) {
    const ItemId g = group(rootId(), "g");
    const ItemId inner = group(g, "inner");
    const ItemId m = memo(rootId(), "m");
    const ItemId safe = shutLockedGroup(rootId(), "safe");
    FakeWindow otherWindow;
    WindowAutomation otherAutomation(otherWindow);
    const ItemHandle foreign = otherAutomation.GetNote()->GetRootItem().Value();
    const auto root = rootObject();
    struct Case {
        ItemHandle target;
        std::int32_t position;
        std::uint32_t error;
    };
    const std::vector<Case> cases = {
        {nullptr, C::kChild, 20060},       {foreign, C::kChild, 20060},  // another note's item
        {object(m), C::kChild, 20061},                                   // inside a memo
        {root, C::kNext, 20062},                                         // beside the root
        {object(g), C::kChild, 20062},                                   // onto itself
        {object(inner), C::kNext, 20062},                                // below itself
        {object(inner), C::kChild, 20062}, {object(m), 15, 20054},
        {object(safe), C::kChild, 20084},  // into a shut locked group
    };
    const ItemHandle moving = object(g);
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorOf(moving->MoveTo(c.target.get(), c.position)), c.error) << c.position;
    }
    EXPECT_EQ(ErrorOf(root->MoveTo(object(m).get(), C::kNext)), 20053u);
    EXPECT_EQ(ChildTitles(model(), rootId()), (std::vector<std::string>{"g", "m", "safe"}));
    EXPECT_EQ(window.host.modifiedMarks, 0);
}

TEST_F(ItemTreeTest, MovedItemsTakeTheLockOfTheirNewPlace) {
    const ItemId safe = openLockedGroup(rootId(), "safe");
    const ItemId g = group(safe, "g");
    const ItemId leaf = memo(g, "leaf");
    model().SetLockOwner(safe, safe, true);
    ASSERT_EQ(at(leaf).LockOwner(), safe);

    ASSERT_TRUE(object(g)->MoveTo(rootObject().get(), C::kChild).Ok());
    EXPECT_EQ(at(g).LockOwner(), kNoItem);
    EXPECT_EQ(at(leaf).LockOwner(), kNoItem);

    ASSERT_TRUE(object(g)->MoveTo(object(safe).get(), C::kChild).Ok());
    EXPECT_EQ(at(g).LockOwner(), safe);
    EXPECT_EQ(at(leaf).LockOwner(), safe);
}

TEST_F(ItemTreeTest, MoveToRefusesALockedGroupIntoAnotherOne) {
    const ItemId outer = openLockedGroup(rootId(), "outer");
    const ItemId inner = openLockedGroup(rootId(), "inner");
    EXPECT_EQ(ErrorOf(object(inner)->MoveTo(object(outer).get(), C::kChild)), 20084u);
    const ItemId holder = group(rootId(), "holder");
    ASSERT_TRUE(object(inner)->MoveTo(object(holder).get(), C::kChild).Ok());
    EXPECT_EQ(ErrorOf(object(holder)->MoveTo(object(outer).get(), C::kChild)), 20084u);
}

TEST_F(ItemTreeTest, ClosingAnOpenLockedGroupShutsItAndOpeningNeedsThePassword) {
    const ItemId safe = openLockedGroup(rootId(), "safe");
    const ItemId inside = at(safe).links.firstChild;
    const auto group = node(safe);
    const auto held = text(inside);
    ASSERT_TRUE(group->SetOpen(false).Ok());
    EXPECT_FALSE(at(safe).IsOpen());
    EXPECT_TRUE(at(inside).IsEncrypted());
    EXPECT_TRUE(group->Encrypted().Value());
    // Ciphertext takes no text: written to, it could not be decrypted again.
    EXPECT_EQ(ErrorOf(held->SetTitle("x")), 20053u);
    EXPECT_EQ(ErrorOf(held->SetBody("x")), 20053u);
    EXPECT_EQ(ErrorOf(held->MoveTo(rootObject().get(), C::kChild)), 20053u);

    ASSERT_TRUE(group->SetOpen(true).Ok());  // no password held: nothing happens
    EXPECT_FALSE(at(safe).IsOpen());
    EXPECT_EQ(window.host.modifiedMarks, 0);
    EXPECT_TRUE(DecryptGroupContents(model(), safe, ByteString("pass")));
    EXPECT_EQ(at(inside).Title(), ByteString("inside"));
}

TEST_F(ItemTreeTest, OpeningAPlainGroupNeitherStampsNorMarks) {
    const ItemId g = group(rootId(), "g");
    at(g).SetRawModifiedTime(MakeTime(2001, 2, 3, 4, 5, 6));
    ASSERT_TRUE(node(g)->SetOpen(false).Ok());
    EXPECT_FALSE(node(g)->Open().Value());
    EXPECT_EQ(node(g)->ModifiedTime().Value(), "2001/02/03 4:05");
    EXPECT_EQ(window.host.modifiedMarks, 0);
}

}  // namespace
}  // namespace tidemark
