#include "app/edit/item_placement.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/common/pending_items.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kLockedOut = ItemPlacement::kGroupLockedAgainstAdding;
constexpr std::uint32_t kNested = ItemPlacement::kLockedInsideLocked;
constexpr ItemId kGone = 9999;

// A locked group whose password is not held: nothing may be added in it.
void lockShut(Note& note, ItemId group) {
    Item& item = *note.FindItem(group);
    item.SetRawFlags(item.Flags() | ItemFlags::kLocked);
    item.SetOpen(false);
    note.SetLockOwner(group, group, true);
}

// A locked group whose password is held: it takes items, but not locked ones.
void lockOpen(Note& note, ItemId group) {
    Item& item = *note.FindItem(group);
    item.SetRawFlags(item.Flags() | ItemFlags::kLocked);
    item.SetPassword(ByteString("pw12"));
    note.SetLockOwner(group, group, true);
}

// root: plain > p1, shut (locked) > s1, open (locked, password held) > o1,
// memo, and the source items "loose" (plain group > l1) and "locked"
// (locked group > k1) that the tests copy into unplaced runs.
class ItemPlacementTest : public NoteFixture {
protected:
    void SetUp() override {
        NoteFixture::SetUp();
        plain = AddGroup(note, root, "plain");
        p1 = AddMemo(note, plain, "p1");
        shut = AddGroup(note, root, "shut");
        s1 = AddMemo(note, shut, "s1");
        lockShut(note, shut);
        open = AddGroup(note, root, "open");
        o1 = AddMemo(note, open, "o1");
        lockOpen(note, open);
        memo = AddMemo(note, root, "memo");
        loose = AddGroup(note, root, "loose");
        AddMemo(note, loose, "l1");
        locked = AddGroup(note, root, "locked");
        AddMemo(note, locked, "k1");
        lockOpen(note, locked);
    }

    // An unplaced copy of `items`, made the way a paste reads them.
    ItemId unplacedCopy(const std::vector<ItemId>& items) {
        PendingItems pending(note);
        EXPECT_EQ(pending.take(items), PendingItems::TakeResult::kTaken);
        const std::optional<MemoryBlock> block = note.SerializeItems(pending.chain());
        EXPECT_TRUE(block.has_value());
        return block ? note.DeserializeItems(*block) : kNoItem;
    }
    std::string title(ItemId id) { return note.FindItem(id)->Title().Str(); }
    ItemId ownerOf(ItemId id) { return note.FindItem(id)->LockOwner(); }
    ItemId firstChild(ItemId id) { return note.FindItem(id)->links.firstChild; }

    ItemPlacement placement{note};
    ItemId plain = 0, p1 = 0, shut = 0, s1 = 0, open = 0, o1 = 0, memo = 0;
    ItemId loose = 0, locked = 0;
};

const int kInside = Placement::kInside;
const int kBeside = Placement::kBeside;
const int kAfter = Placement::kAfter;
const int kBefore = Placement::kBefore;

TEST_F(ItemPlacementTest, ALockRefusesAPlaceLockedOutOrALockedGroupInsideALockedOne) {
    const ItemId plainRun = unplacedCopy({loose});
    const ItemId lockedRun = unplacedCopy({locked});
    const struct {
        const char* name;
        ItemPlace place;
        ItemId run;
        std::optional<LockRefusal> expected;
    } cases[] = {
        {"inside a plain group", {plain, kInside, kAfter}, kNoItem, std::nullopt},
        {"inside a shut group", {shut, kInside, kAfter}, kNoItem, LockRefusal{kLockedOut, shut}},
        {"beside an item in a shut group",
         {s1, kBeside, kBefore},
         kNoItem,
         LockRefusal{kLockedOut, shut}},
        {"beside the shut group itself", {shut, kBeside, kAfter}, kNoItem, std::nullopt},
        {"plain items inside an open locked group",
         {open, kInside, kAfter},
         plainRun,
         std::nullopt},
        {"a locked group inside an open locked group",
         {open, kInside, kAfter},
         lockedRun,
         LockRefusal{kNested, open}},
        {"a locked group beside an item in one",
         {o1, kBeside, kAfter},
         lockedRun,
         LockRefusal{kNested, open}},
        {"a locked group beside the open locked group",
         {open, kBeside, kAfter},
         lockedRun,
         std::nullopt},
        {"a locked group inside a plain group", {plain, kInside, kAfter}, lockedRun, std::nullopt},
        {"a locked group inside a shut group",
         {shut, kInside, kAfter},
         lockedRun,
         LockRefusal{kLockedOut, shut}},
        {"a target that is gone", {kGone, kInside, kAfter}, lockedRun, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placement.refusal(c.place, c.run), c.expected);
    }
}

TEST_F(ItemPlacementTest, ARefusedRunGoesToTheEndOfTheNoteForAPasteAndNowhereForADrop) {
    using When = ItemPlacement::WhenRefused;
    const ItemId plainRun = unplacedCopy({loose});
    const ItemId lockedRun = unplacedCopy({locked});
    const ItemPlace end{root, kInside, kAfter};
    const struct {
        const char* name;
        ItemPlace place;
        ItemId run;
        When when;
        std::optional<std::uint32_t> refusal;
        bool toEnd;
        std::optional<ItemPlace> placed;
    } cases[] = {
        {"paste at a free place",
         {p1, kBeside, kBefore},
         plainRun,
         When::kToEndOfNote,
         std::nullopt,
         false,
         ItemPlace{p1, kBeside, kBefore}},
        {"drop at a free place",
         {open, kInside, kAfter},
         plainRun,
         When::kNowhere,
         std::nullopt,
         false,
         ItemPlace{open, kInside, kAfter}},
        {"paste into a shut group",
         {shut, kInside, kAfter},
         plainRun,
         When::kToEndOfNote,
         kLockedOut,
         true,
         end},
        {"drop into a shut group",
         {shut, kInside, kAfter},
         plainRun,
         When::kNowhere,
         kLockedOut,
         false,
         std::nullopt},
        {"paste a locked group into a locked one",
         {open, kInside, kAfter},
         lockedRun,
         When::kToEndOfNote,
         kNested,
         true,
         end},
        {"drop a locked group into a locked one",
         {o1, kBeside, kAfter},
         lockedRun,
         When::kNowhere,
         kNested,
         false,
         std::nullopt},
        {"paste at a place that is gone",
         {kGone, kBeside, kAfter},
         plainRun,
         When::kToEndOfNote,
         std::nullopt,
         true,
         end},
        {"drop at a place that is gone",
         {kGone, kBeside, kAfter},
         plainRun,
         When::kNowhere,
         std::nullopt,
         false,
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RunPlacement placed = placement.placeRun(c.run, c.place, c.when);
        EXPECT_EQ(placed.refusal ? std::optional(placed.refusal->message) : std::nullopt,
                  c.refusal);
        EXPECT_EQ(placed.toEndOfNote, c.toEnd);
        EXPECT_EQ(placed.place, c.placed);
    }
}

TEST_F(ItemPlacementTest, PlacedItemsTakeTheLockOwnerOfTheirPlaceAllTheWayDown) {
    const struct {
        const char* name;
        ItemPlace place;
        ItemId owner;
    } cases[] = {
        {"inside an open locked group", {open, kInside, kBefore}, open},
        {"beside an item in one", {o1, kBeside, kAfter}, open},
        {"inside a plain group", {plain, kInside, kAfter}, kNoItem},
        {"beside the locked group itself", {open, kBeside, kAfter}, kNoItem},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placement.lockOwnerAt(c.place), c.owner);
        const ItemId run = unplacedCopy({loose, memo});
        const std::vector<ItemId> tops = placement.insertRun(run, c.place);
        ASSERT_EQ(tops.size(), 2u);
        EXPECT_EQ(title(tops[0]), "loose");
        EXPECT_EQ(title(tops[1]), "memo");
        EXPECT_EQ(note.FindItem(tops[0])->links.next, tops[1]);
        EXPECT_EQ(ownerOf(tops[0]), c.owner);
        EXPECT_EQ(ownerOf(firstChild(tops[0])), c.owner);
        EXPECT_EQ(ownerOf(tops[1]), c.owner);

        const ItemId single = note.CreateItem(ItemType::kMemo);
        note.FindItem(single)->SetRawTitle(ByteString("single"));
        placement.insertMemo(single, c.place);
        EXPECT_EQ(ownerOf(single), c.owner);
        EXPECT_NE(note.FindItem(single)->links.parent, kNoItem);
    }
    ExpectConsistentChildren(note, root);
    EXPECT_EQ(ChildTitles(note, open), (std::vector<std::string>{"single", "loose", "memo", "o1",
                                                                 "single", "loose", "memo"}));
}

TEST_F(ItemPlacementTest, ALockedGroupPlacedFreelyKeepsItsOwnItemsLocked) {
    const ItemId run = unplacedCopy({locked});
    const std::vector<ItemId> tops = placement.insertRun(run, {plain, kInside, kAfter});
    ASSERT_EQ(tops.size(), 1u);
    EXPECT_TRUE(note.FindItem(tops[0])->IsLockedGroup());
    EXPECT_EQ(ownerOf(tops[0]), kNoItem);
    EXPECT_EQ(ownerOf(firstChild(tops[0])), tops[0]);
}

TEST_F(ItemPlacementTest, APasteGoesAtTheFocusedItemOrAfterTheLastInTheShownGroup) {
    const struct {
        const char* name;
        ItemId focused;
        ItemId shown;
        int relation, order;
        std::optional<ItemPlace> expected;
    } cases[] = {
        {"before the focused item", memo, kNoItem, kBeside, kBefore,
         ItemPlace{memo, kBeside, kBefore}},
        {"inside the focused item", plain, open, kInside, kAfter,
         ItemPlace{plain, kInside, kAfter}},
        {"after, nothing focused", kNoItem, kNoItem, kBeside, kAfter,
         ItemPlace{root, kInside, kAfter}},
        {"after, the root focused", root, kNoItem, kBeside, kAfter,
         ItemPlace{root, kInside, kAfter}},
        {"after, a gone item focused", kGone, kNoItem, kBeside, kAfter,
         ItemPlace{root, kInside, kAfter}},
        {"after, a group shown", kNoItem, plain, kBeside, kAfter,
         ItemPlace{plain, kInside, kAfter}},
        {"after, a memo shown", kNoItem, memo, kBeside, kAfter, ItemPlace{root, kInside, kAfter}},
        {"before, nothing focused", kNoItem, plain, kBeside, kBefore, std::nullopt},
        {"inside, nothing focused", kNoItem, plain, kInside, kAfter, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placement.pastePlace(c.focused, c.shown, c.relation, c.order), c.expected);
    }
    EXPECT_EQ(placement.dropPlace(kNoItem, kBeside, kBefore), (ItemPlace{root, kInside, kAfter}));
    EXPECT_EQ(placement.dropPlace(o1, kBeside, kBefore), (ItemPlace{o1, kBeside, kBefore}));
}

}  // namespace
