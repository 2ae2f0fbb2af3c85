#include "core/model/subtree_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

using Titles = std::vector<std::string>;
using Span = SubtreeWalk::Span;

// root
// ├─ a (group)
// │   ├─ a1 (memo)
// │   └─ a2 (group)
// │       └─ a2x (memo)
// ├─ b (memo)
// └─ c (group)
//     └─ c1 (memo)
class SubtreeWalkTest : public NoteFixture {
public:
    void SetUp() override {
        NoteFixture::SetUp();
        a = AddGroup(note, root, "a");
        a1 = AddMemo(note, a, "a1");
        a2 = AddGroup(note, a, "a2");
        a2x = AddMemo(note, a2, "a2x");
        b = AddMemo(note, root, "b");
        c = AddGroup(note, root, "c");
        c1 = AddMemo(note, c, "c1");
    }

    // Titles with their depth in the walk, "title@depth".
    Titles Walk(ItemId top, Span span, WalkStep (*rule)(const Item&) = nullptr,
                WalkEnd* end = nullptr) {
        Titles seen;
        const WalkEnd result = WalkSubtree(note, top, span, [&](Item& item, const SubtreeWalk& w) {
            seen.push_back(item.Title().Str() + "@" + std::to_string(w.Depth()));
            return rule ? rule(item) : WalkStep::kEnter;
        });
        if (end)
            *end = result;
        return seen;
    }

    Titles Backwards(ItemId top, Span span, ItemId last, bool (*mayEnter)(const Item&)) {
        Titles seen;
        for (SubtreeWalk walk(note, top, span, last); walk.Current(); walk.Previous(mayEnter))
            seen.push_back(walk.Current()->Title().Str());
        return seen;
    }

    Item& At(ItemId id) { return *note.FindItem(id); }

    ItemId a = kNoItem, a1 = kNoItem, a2 = kNoItem, a2x = kNoItem, b = kNoItem, c = kNoItem,
           c1 = kNoItem;
};

bool Always(const Item&) { return true; }

TEST_F(SubtreeWalkTest, EachSpanIsWalkedInTheOrderTheListsShow) {
    struct Case {
        const char* name;
        ItemId SubtreeWalkTest::*top;
        Span span;
        Titles expected;
    };
    const Case cases[] = {
        {"whole subtree", &SubtreeWalkTest::a, Span::kSubtree, {"a@0", "a1@1", "a2@1", "a2x@2"}},
        {"below the top", &SubtreeWalkTest::a, Span::kBelow, {"a1@0", "a2@0", "a2x@1"}},
        {"run from a1", &SubtreeWalkTest::a1, Span::kRun, {"a1@0", "a2@0", "a2x@1"}},
        {"run from b", &SubtreeWalkTest::b, Span::kRun, {"b@0", "c@0", "c1@1"}},
        {"subtree of a memo", &SubtreeWalkTest::b, Span::kSubtree, {"b@0"}},
        {"below a memo", &SubtreeWalkTest::b, Span::kBelow, {}},
        {"subtree stays inside", &SubtreeWalkTest::a2, Span::kSubtree, {"a2@0", "a2x@1"}},
    };
    for (const Case& test : cases) {
        WalkEnd end{};
        EXPECT_EQ(Walk(this->*test.top, test.span, nullptr, &end), test.expected) << test.name;
        EXPECT_EQ(end, WalkEnd::kFinished) << test.name;
    }
    EXPECT_EQ(Walk(kNoItem, Span::kSubtree), Titles{});
}

TEST_F(SubtreeWalkTest, TheVisitorSkipsChildrenAndStops) {
    const auto skipGroups = [](const Item& item) {
        return item.IsGroup() && item.Title().Str() != "root" ? WalkStep::kSkipChildren
                                                              : WalkStep::kEnter;
    };
    EXPECT_EQ(Walk(root, Span::kBelow, skipGroups), (Titles{"a@0", "b@0", "c@0"}));

    const auto stopAtB = [](const Item& item) {
        return item.Title().Str() == "b" ? WalkStep::kStop : WalkStep::kEnter;
    };
    WalkEnd end{};
    EXPECT_EQ(Walk(root, Span::kSubtree, stopAtB, &end),
              (Titles{"root@0", "a@1", "a1@2", "a2@2", "a2x@3", "b@1"}));
    EXPECT_EQ(end, WalkEnd::kStopped);
}

TEST_F(SubtreeWalkTest, ParentIsTheWalkedParentEvenWhereTheParentLinkLies) {
    At(a2x).links.parent = c;  // damaged: names the wrong group
    std::vector<ItemId> parents;
    WalkSubtree(note, a, Span::kBelow, [&](Item&, const SubtreeWalk& walk) {
        parents.push_back(walk.Parent()->links.id);
        return WalkStep::kEnter;
    });
    EXPECT_EQ(parents, (std::vector<ItemId>{a, a, a2}));
    At(a2x).links.parent = a2;
}

// Damaged links that used to keep hand-written walks going for ever: every
// one ends, within its allowance, and says it was cut short.
TEST_F(SubtreeWalkTest, LinkCyclesEndTheWalkCutShort) {
    struct Case {
        const char* name;
        void (*damage)(SubtreeWalkTest&);
    };
    const Case cases[] = {
        {"last sibling leads back to the first",
         [](SubtreeWalkTest& t) { t.At(t.a2).links.next = t.a1; }},
        {"an item is its own next sibling", [](SubtreeWalkTest& t) { t.At(t.b).links.next = t.b; }},
        {"a first child that is an ancestor",
         [](SubtreeWalkTest& t) { t.At(t.a2x).links.firstChild = t.a; }},
        {"a group is its own first child",
         [](SubtreeWalkTest& t) { t.At(t.c).links.firstChild = t.c; }},
    };
    const ItemId items[] = {root, a, a1, a2, a2x, b, c, c1};
    for (const Case& test : cases) {
        std::vector<TreeLinks> sound;
        for (ItemId id : items)
            sound.push_back(At(id).links);
        test.damage(*this);
        WalkEnd end{};
        const Titles seen = Walk(root, Span::kSubtree, nullptr, &end);
        EXPECT_EQ(end, WalkEnd::kCutShort) << test.name;
        EXPECT_LE(seen.size(), 1 + 2 * (note.Items().Size() + 1)) << test.name;  // top + steps
        for (std::size_t i = 0; i < sound.size(); ++i)
            At(items[i]).links = sound[i];
    }
}

TEST_F(SubtreeWalkTest, ALinkToAMissingItemEndsThatChainOnly) {
    At(a1).links.next = 999;
    EXPECT_EQ(Walk(root, Span::kBelow), (Titles{"a@0", "a1@1", "b@0", "c@0", "c1@1"}));
    At(a1).links.next = a2;
}

TEST_F(SubtreeWalkTest, BackwardsIsTheReverseOrderAndEntersOnlyWhereAllowed) {
    EXPECT_EQ(Backwards(root, Span::kBelow, c1, Always),
              (Titles{"c1", "c", "b", "a2x", "a2", "a1", "a"}));
    EXPECT_EQ(Backwards(root, Span::kSubtree, b, Always),
              (Titles{"b", "a2x", "a2", "a1", "a", "root"}));
    const auto notA2 = [](const Item& item) { return item.Title().Str() != "a2"; };
    EXPECT_EQ(Backwards(root, Span::kBelow, b, notA2), (Titles{"b", "a2", "a1", "a"}));
    At(a1).links.previous = a2;  // damaged: a1 and a2 precede each other
    SubtreeWalk walk(note, root, Span::kBelow, a2);
    for (int i = 0; walk.Current() && i < 100; ++i)
        walk.Previous(Always);
    EXPECT_TRUE(walk.CutShort());
    At(a1).links.previous = kNoItem;
}

TEST_F(SubtreeWalkTest, DescendToLastFindsTheEndOfASubtree) {
    SubtreeWalk walk(note, root, Span::kBelow, a);
    walk.DescendToLast(Always);
    EXPECT_EQ(walk.Current()->links.id, a2x);
    EXPECT_EQ(walk.Depth(), 2u);
    walk.Next();
    EXPECT_EQ(walk.Current()->links.id, b);
}

TEST_F(SubtreeWalkTest, AWalkStandingAtAnItemGoesOnFromThereWithinItsSpan) {
    SubtreeWalk inside(note, a, Span::kBelow, a2);
    ASSERT_NE(inside.Current(), nullptr);
    EXPECT_EQ(inside.Parent()->links.id, a);
    inside.Next(false);
    EXPECT_EQ(inside.Current(), nullptr);  // a2 ends a's subtree
    EXPECT_FALSE(inside.CutShort());

    EXPECT_EQ(SubtreeWalk(note, a, Span::kBelow, c1).Current(), nullptr);
    EXPECT_EQ(SubtreeWalk(note, a, Span::kBelow, 999).Current(), nullptr);
    At(a).links.parent = a1;  // a parent cycle never reaching the top
    At(a1).links.parent = a;
    EXPECT_EQ(SubtreeWalk(note, c, Span::kBelow, a1).Current(), nullptr);
    At(a).links.parent = root;
    At(a1).links.parent = a;
}

}  // namespace
}  // namespace tidemark
