#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/fixed_clock_for_test.h"
#include "core/model/note.h"

namespace tidemark {

// A note with a root group titled "root", on a fixed clock (2004-05-06 13:45:07).
class NoteFixture : public ::testing::Test {
protected:
    FixedClock clock{MakeTime(2004, 5, 6, 13, 45, 7)};
    Note note{nullptr, &clock};
    ItemId root = kNoItem;
    void SetUp() override {
        note.MakeNew(ByteString("root"));
        root = note.RootId();
    }
};

// Builds trees for tests: items are appended as the last child of `parent`.
inline ItemId AddItem(Note& note, ItemId parent, ItemType type, const std::string& title) {
    const ItemId id = note.CreateItem(type);
    Item* item = note.FindItem(id);
    item->SetRawTitle(ByteString(title));
    if (type == ItemType::kGroup) item->SetOpen(true);
    if (parent != kNoItem) note.InsertItems(id, parent, Placement::kInside, Placement::kAfter, true);
    return id;
}
inline ItemId AddGroup(Note& note, ItemId parent, const std::string& title) {
    return AddItem(note, parent, ItemType::kGroup, title);
}
inline ItemId AddMemo(Note& note, ItemId parent, const std::string& title) {
    return AddItem(note, parent, ItemType::kMemo, title);
}

inline std::vector<std::string> ChildTitles(const Note& note, ItemId group) {
    std::vector<std::string> titles;
    for (const Item* c = note.FindItem(note.FindItem(group)->links.firstChild); c;
         c = note.FindItem(c->links.next)) {
        titles.push_back(c->Title().Str());
    }
    return titles;
}

// Every chain below `group` is doubly linked, names its parent, and every
// cached count that is set is right.
inline void ExpectConsistentChildren(const Note& note, ItemId group) {
    const Item* g = note.FindItem(group);
    ASSERT_NE(g, nullptr);
    ItemId previous = kNoItem;
    std::uint32_t index = 0;
    for (ItemId c = g->links.firstChild; c != kNoItem; ++index) {
        const Item* child = note.FindItem(c);
        ASSERT_NE(child, nullptr) << "missing child " << c;
        EXPECT_EQ(child->links.parent, group) << "child " << c;
        EXPECT_EQ(child->links.previous, previous) << "child " << c;
        if (child->caches.siblingIndex != 0) {
            EXPECT_EQ(child->caches.siblingIndex, index);
        }
        if (child->IsGroup()) ExpectConsistentChildren(note, c);
        previous = c;
        c = child->links.next;
        ASSERT_LT(index, note.Items().Size()) << "sibling chain loops";
    }
    if (g->caches.childCount != 0) {
        EXPECT_EQ(g->caches.childCount, index);
    }
}

}  // namespace tidemark
