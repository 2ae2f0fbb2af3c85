#include "core/search/search_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/search/search_tree_for_test.h"

namespace tidemark {
namespace {

class SearchWalkTest : public SearchTreeFixture {
protected:
    // The titles of the candidates in document order, walking forwards from
    // the first one, and, reversed, walking backwards from the last one.
    std::vector<std::string> Forwards(const SearchWalk& walk) {
        std::vector<std::string> titles;
        const Item* scope = note.FindItem(walk.scope);
        ItemId id = scope->links.firstChild;
        const Item* first = note.FindItem(id);
        if (first && !first->IsMemo() && !walk.titles)
            id = NextSearchItem(note, walk, id);
        for (; id != kNoItem && titles.size() <= note.ItemCount();
             id = NextSearchItem(note, walk, id))
            titles.push_back(TitleOf(id));
        return titles;
    }
    std::vector<std::string> BackwardsReversed(const SearchWalk& walk) {
        std::vector<std::string> titles;
        for (ItemId id = LastSearchItem(note, walk, walk.scope);
             id != kNoItem && titles.size() <= note.ItemCount();
             id = PreviousSearchItem(note, walk, id)) {
            titles.push_back(TitleOf(id));
        }
        std::reverse(titles.begin(), titles.end());
        return titles;
    }
};

using Titles = std::vector<std::string>;

TEST_F(SearchWalkTest, WalksInDocumentOrderPassingOverTheInsideOfAShutLockedGroup) {
    const SearchWalk walk{root, true, true};
    const Titles expected{"alpha", "beta", "gamma", "find group", "epsilon", "find box", "zeta"};
    EXPECT_EQ(Forwards(walk), expected);
    EXPECT_EQ(BackwardsReversed(walk), expected);
}

TEST_F(SearchWalkTest, WithoutTitlesMemoGroupsAreSteppedThroughButNotVisited) {
    const SearchWalk walk{root, false, true};
    const Titles expected{"alpha", "gamma", "epsilon", "zeta"};
    EXPECT_EQ(Forwards(walk), expected);
    EXPECT_EQ(BackwardsReversed(walk), expected);
}

TEST_F(SearchWalkTest, AScopeGroupBoundsTheWalk) {
    const SearchWalk walk{beta, true, true};
    const Titles expected{"gamma", "find group", "epsilon"};
    EXPECT_EQ(Forwards(walk), expected);
    EXPECT_EQ(BackwardsReversed(walk), expected);
    // Stepping on from the last item inside does not climb out of the scope.
    EXPECT_EQ(NextSearchItem(note, walk, epsilon), kNoItem);
    EXPECT_EQ(PreviousSearchItem(note, walk, gamma), kNoItem);
}

TEST_F(SearchWalkTest, WithoutDescendingOnlyTheItemsDirectlyInTheScopeAreVisited) {
    EXPECT_EQ(Forwards({beta, true, false}), (Titles{"gamma", "find group"}));
    EXPECT_EQ(BackwardsReversed({beta, true, false}), (Titles{"gamma", "find group"}));
    EXPECT_EQ(Forwards({root, false, false}), (Titles{"alpha", "zeta"}));
    EXPECT_EQ(BackwardsReversed({root, false, false}), (Titles{"alpha", "zeta"}));
}

TEST_F(SearchWalkTest, AnUnlockedGroupIsEnteredAgain) {
    ASSERT_TRUE(DecryptGroupContents(note, box, ByteString("pass")));
    note.FindItem(box)->SetPassword(ByteString("pass"));
    note.FindItem(box)->SetOpen(true);
    EXPECT_EQ(NextSearchItem(note, {root, true, true}, box), secret);
    EXPECT_EQ(LastSearchItem(note, {box, true, true}, box), secret);
    EXPECT_TRUE(IsSearchable(note, *note.FindItem(secret)));
}

TEST_F(SearchWalkTest, TheContentsOfAShutLockedGroupAreNeverSearchable) {
    EXPECT_TRUE(IsSearchable(note, *note.FindItem(box)));
    EXPECT_FALSE(IsSearchable(note, *note.FindItem(secret)));
    EXPECT_EQ(LastSearchItem(note, {box, true, true}, box), kNoItem);
    // An item moved out of the group keeps it as lock owner and stays
    // encrypted until the group is unlocked: not searchable either.
    ASSERT_TRUE(note.UnlinkItems(secret, 1, true));
    ASSERT_TRUE(note.InsertItems(secret, zeta, Placement::kBeside, Placement::kAfter, true));
    EXPECT_EQ(NextSearchItem(note, {root, true, true}, zeta), secret);
    EXPECT_FALSE(IsSearchable(note, *note.FindItem(secret)));
}

TEST_F(SearchWalkTest, AnEmptyGroupHasNoLastItem) {
    const ItemId empty = AddGroup(note, root, "empty");
    EXPECT_EQ(LastSearchItem(note, {root, true, true}, empty), kNoItem);
    EXPECT_EQ(LastSearchItem(note, {root, true, true}, alpha), kNoItem);
}

}  // namespace
}  // namespace tidemark
