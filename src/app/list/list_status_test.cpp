#include "app/list/list_status.h"

#include <gtest/gtest.h>

#include "app/common/ui_strings.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;
using Picture = ListStatus::Picture;

// root: "diary" (memo with a body), "work" (group: "plan", "todo"),
// "vault" (a group locked shut).
class ListStatusTest : public ::testing::Test {
public:
    void SetUp() override {
        note.MakeNew(ByteString("root"));
        const ItemId root = note.RootId();
        diary = AddMemo(note, root, "diary");
        static_cast<Memo*>(note.FindItem(diary))->SetRawBody(ByteString("first line\r\nsecond"));
        work = AddGroup(note, root, "work");
        plan = AddMemo(note, work, "plan");
        AddMemo(note, work, "todo");
        vault = AddGroup(note, root, "vault");
        note.FindItem(vault)->SetRawFlags(ItemFlags::kLocked);
    }

    ListStatus status(FocusWindow focus, int selected, ItemId one, ItemId focused) {
        return listStatusOf(note, ListStatusInput{focus, selected, one, focused});
    }

    Note note;
    ItemId diary = kNoItem, work = kNoItem, plan = kNoItem, vault = kNoItem;
};

TEST_F(ListStatusTest, FirstFieldSpeaksOfTheFocusListsSelection) {
    struct Case {
        const char* name;
        FocusWindow focus;
        int selected;
        ItemId ListStatusTest::*one;
        Picture picture;
        QString text;
    };
    const Case cases[] = {
        {"nothing selected", FocusWindow::kMemoList, 0, nullptr, Picture::kNoteItems,
         uiFormat(12007, {5})},
        {"several", FocusWindow::kGroupList, 3, nullptr, Picture::kNone, uiFormat(12005, {3})},
        {"one memo", FocusWindow::kMemoList, 1, &ListStatusTest::diary, Picture::kMemo,
         QStringLiteral("first line ...")},
        {"one group", FocusWindow::kMemoList, 1, &ListStatusTest::work, Picture::kGroup,
         uiFormat(12013, {2})},
        {"locked shut", FocusWindow::kMemoList, 1, &ListStatusTest::vault, Picture::kLockedGroup,
         uiText(12017)},
        {"text pane", FocusWindow::kMemoText, 1, &ListStatusTest::diary, Picture::kNone,
         uiText(12001)},
    };
    for (const Case& c : cases) {
        const ListStatus got = status(c.focus, c.selected, c.one ? this->*c.one : kNoItem, diary);
        EXPECT_EQ(got.picture, c.picture) << c.name;
        EXPECT_EQ(got.text, c.text) << c.name;
    }
}

TEST_F(ListStatusTest, AnEmptyNoteShowsTheHintToCreateTheFirstMemo) {
    Note empty;
    empty.MakeNew(ByteString("root"));
    const ListStatus got =
        listStatusOf(empty, ListStatusInput{FocusWindow::kMemoList, 0, kNoItem, kNoItem});
    EXPECT_EQ(got.picture, Picture::kHint);
    EXPECT_EQ(got.text, uiText(12004));
    EXPECT_EQ(got.count, 0);
    EXPECT_EQ(got.groupTitle, uiText(10005));
}

TEST_F(ListStatusTest, PlaceFollowsTheMemoListsFocusedItem) {
    const ListStatus inGroup = status(FocusWindow::kMemoText, 0, kNoItem, plan);
    EXPECT_EQ(inGroup.position, 1);
    EXPECT_EQ(inGroup.count, 2);
    EXPECT_EQ(inGroup.groupTitle, QStringLiteral("work"));
    const ListStatus atTop = status(FocusWindow::kMemoList, 0, kNoItem, vault);
    EXPECT_EQ(atTop.position, 3);
    EXPECT_EQ(atTop.count, 3);
    EXPECT_EQ(atTop.groupTitle, uiText(10005));
    const ListStatus none = status(FocusWindow::kMemoList, 0, kNoItem, kNoItem);
    EXPECT_EQ(none.position, 0);
    EXPECT_EQ(none.count, 3);
}

}  // namespace
