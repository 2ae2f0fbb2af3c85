#include <gtest/gtest.h>

#include "core/model/fixed_clock_for_test.h"
#include "core/model/note_test_support.h"
#include "core/model/sort_progress.h"

namespace tidemark {
namespace {

using SortTest = NoteFixture;

TEST_F(SortTest, TitlesSortCaseInsensitivelyAndEqualKeysKeepTheirOrder) {
    for (const char* title : {"b", "A", "a", "C", "B"}) AddMemo(note, root, title);
    // Give the equal keys distinguishable remarks so their order is visible.
    int n = 0;
    for (Item* c = note.FindItem(note.FindItem(root)->links.firstChild); c;
         c = note.FindItem(c->links.next)) {
        c->SetRawRemarks(ByteString(std::to_string(n++)));
    }
    ASSERT_TRUE(note.SortChildren(nullptr, root, SortKey::kTitle, false, false));
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"A", "a", "b", "B", "C"}));
    ASSERT_TRUE(note.SortChildren(nullptr, root, SortKey::kTitle, true, false));
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"C", "b", "B", "A", "a"}));
    ExpectConsistentChildren(note, root);
}

TEST_F(SortTest, DoubleByteCharactersCompareAsUnits) {
    // あ (82 a0) sorts before ア (83 41); half-width ｱ (b1) before both.
    AddMemo(note, root, "\x83\x41");
    AddMemo(note, root, "\x82\xa0");
    AddMemo(note, root, "\xb1");
    ASSERT_TRUE(note.SortChildren(nullptr, root, SortKey::kTitle, false, false));
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"\xb1", "\x82\xa0", "\x83\x41"}));
}

TEST_F(SortTest, ModifiedTimeIgnoresTheDayOfTheWeek) {
    const ItemId a = AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    const ItemId c = AddMemo(note, root, "c");
    note.FindItem(a)->SetRawModifiedTime(MakeTime(2004, 5, 6, 13, 45, 7, 0, /*dayOfWeek*/ 6));
    note.FindItem(b)->SetRawModifiedTime(MakeTime(2004, 5, 6, 13, 45, 7, 0, /*dayOfWeek*/ 1));
    note.FindItem(c)->SetRawModifiedTime(MakeTime(2004, 5, 6, 13, 45, 6, 999));
    EXPECT_EQ(note.CompareItems(a, b, SortKey::kModifiedTime), 0);
    ASSERT_TRUE(note.SortChildren(nullptr, root, SortKey::kModifiedTime, false, false));
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(SortTest, RemarksAndBodyKeysTreatMissingTextAsEmpty) {
    const ItemId g = AddGroup(note, root, "group");
    const ItemId m = AddMemo(note, root, "memo");
    dynamic_cast<Memo*>(note.FindItem(m))->SetBody(ByteString("x"));
    note.FindItem(g)->SetRawRemarks(ByteString("zzz"));  // stored, but the flag is clear
    EXPECT_LT(note.CompareItems(g, m, SortKey::kBody), 0);
    EXPECT_EQ(note.CompareItems(g, m, SortKey::kRemarks), 0);
    EXPECT_EQ(note.CompareItems(g, m, 9), 0);
}

TEST_F(SortTest, RecursiveSortSkipsLockedGroupsThatAreShut) {
    const ItemId open = AddGroup(note, root, "open");
    AddMemo(note, open, "b");
    AddMemo(note, open, "a");
    const ItemId shut = AddGroup(note, root, "shut");
    AddMemo(note, shut, "b");
    AddMemo(note, shut, "a");
    Item* locked = note.FindItem(shut);
    locked->SetRawFlags(ItemFlags::kLocked);
    ASSERT_TRUE(note.SortChildren(nullptr, root, SortKey::kTitle, false, true));
    EXPECT_EQ(ChildTitles(note, open), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ChildTitles(note, shut), (std::vector<std::string>{"b", "a"}));
}

class CancelAfter : public SortProgress {
public:
    explicit CancelAfter(int calls) : m_left(calls) {}
    void BeginGroup(const ByteString& title) override { groups.push_back(title.Str()); }
    bool Continue(std::uint64_t) override { return --m_left > 0; }
    std::vector<std::string> groups;

private:
    int m_left;
};

TEST_F(SortTest, CancellingLeavesEveryChildInTheChainExactlyOnce) {
    // Enough children that the sort asks for progress many times.
    std::vector<std::string> titles;
    for (int i = 0; i < 60000; ++i) {
        titles.push_back(std::to_string((i * 7919) % 60000));
        const ItemId id = note.CreateItem(ItemType::kMemo);
        note.FindItem(id)->SetRawTitle(ByteString(titles.back()));
        note.InsertItems(id, root, Placement::kInside, Placement::kBefore, false);
    }
    CancelAfter progress(1);
    const bool finished = note.SortChildren(&progress, root, SortKey::kTitle, false, false);
    ASSERT_FALSE(finished) << "the sort was expected to take long enough to be cancelled";
    EXPECT_EQ(progress.groups, (std::vector<std::string>{"root"}));
    std::vector<std::string> after = ChildTitles(note, root);
    std::sort(after.begin(), after.end());
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(after, titles);
    ExpectConsistentChildren(note, root);
    std::uint32_t index = 0;
    for (Item* c = note.FindItem(note.FindItem(root)->links.firstChild); c;
         c = note.FindItem(c->links.next)) {
        ASSERT_EQ(c->caches.siblingIndex, index++);
    }
}

}  // namespace
}  // namespace tidemark
