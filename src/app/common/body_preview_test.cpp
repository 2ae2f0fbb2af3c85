#include "app/common/body_preview.h"

#include <gtest/gtest.h>

#include <string>

#include "app/list/row_icons.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;

const std::string kA = "\x82\xA0";  // "あ", two bytes in CP932

struct PreviewCase {
    const char* name;
    std::string body;
    std::string preview;
};

class BodyPreview : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(BodyPreview, ShowsTheFirstLineAndMarksWhatFollows) {
    EXPECT_EQ(bodyPreview(GetParam().body), GetParam().preview);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BodyPreview,
    ::testing::Values(PreviewCase{"Empty", "", ""}, PreviewCase{"OneLine", "shopping", "shopping"},
                      PreviewCase{"TwoLines", "milk\r\nbread", "milk ..."},
                      PreviewCase{"LineFeedOnly", "milk\nbread", "milk ..."},
                      PreviewCase{"CarriageReturnOnly", "milk\rbread", "milk ..."},
                      PreviewCase{"OnlyLineEndsFollow", "milk\r\n\r\n", "milk"},
                      PreviewCase{"EmptyFirstLine", "\r\nbread", " ..."},
                      PreviewCase{"ControlCharacters",
                                  "a\tb\x01"
                                  "c",
                                  "a b c"},
                      PreviewCase{"WholeAt123Bytes", std::string(123, 'x'), std::string(123, 'x')},
                      PreviewCase{"LongLineCutWithoutMark", std::string(300, 'x'),
                                  std::string(123, 'x')},
                      PreviewCase{"LongLineThenMore", std::string(300, 'x') + "\r\nmore",
                                  std::string(123, 'x') + " ..."},
                      PreviewCase{"CutBeforeASplitCharacter", std::string(122, 'x') + kA + "yz",
                                  std::string(122, 'x')},
                      PreviewCase{"DoubleByteCharactersWhole", std::string(121, 'x') + kA + "yz",
                                  std::string(121, 'x') + kA}),
    [](const ::testing::TestParamInfo<PreviewCase>& testCase) { return testCase.param.name; });

TEST(InfoTip, TakesTheBodyWithoutTrailingBlanksWithinTheTipBuffer) {
    EXPECT_EQ(infoTipText("first\r\nsecond \t\r\n"), "first\r\nsecond");
    EXPECT_EQ(infoTipText(" \r\n"), "");
    // 1,022 bytes and then a double-byte character: the character does not fit.
    const std::string body = std::string(1022, 'x') + kA + "tail";
    EXPECT_EQ(infoTipText(body), std::string(1022, 'x'));
}

// Which picture a row shows, by the item's kind and state and the list.
struct IconCase {
    const char* name;
    ItemType type;
    bool open;
    bool locked;      // a locked group (with its password held while open)
    bool inLocked;    // below a locked group
    bool isOpenMemo;  // the memo the text pane holds
    bool link;
    int memoList;
    int groupList;
    int pathBox;
    int stateInMemoList;
    int stateInGroupList;
};

class RowPictures : public ::testing::TestWithParam<IconCase> {};

TEST_P(RowPictures, FollowTheItemsKindAndState) {
    const IconCase& c = GetParam();
    Note note;
    note.MakeNew("root");
    const ItemId id = note.CreateItem(c.type);
    Item& item = *note.FindItem(id);
    item.SetOpen(c.open);
    if (c.locked) {
        item.SetRawFlags(item.Flags() | ItemFlags::kLocked);
        if (c.open)
            item.SetPassword(ByteString("pass"));
    }
    if (c.inLocked)
        item.SetLockOwner(note.RootId());
    if (c.link)
        item.SetBodyLink(true);
    const ItemId openMemo = c.isOpenMemo ? id : kNoItem;
    EXPECT_EQ(rowIconNumber(item, IconPlace::kMemoList, openMemo), c.memoList);
    EXPECT_EQ(rowIconNumber(item, IconPlace::kGroupList, openMemo), c.groupList);
    EXPECT_EQ(rowIconNumber(item, IconPlace::kPathBox, openMemo), c.pathBox);
    EXPECT_EQ(stateImageNumber(item, IconPlace::kMemoList), c.stateInMemoList);
    EXPECT_EQ(stateImageNumber(item, IconPlace::kGroupList), c.stateInGroupList);
}

constexpr ItemType kMemo = ItemType::kMemo;
constexpr ItemType kGroup = ItemType::kGroup;

INSTANTIATE_TEST_SUITE_P(
    Table, RowPictures,
    ::testing::Values(
        IconCase{"Memo", kMemo, false, false, false, false, false, 0, 0, 0, 0, 0},
        IconCase{"MemoWithLink", kMemo, false, false, false, false, true, 0, 0, 0, 3, 3},
        IconCase{"OpenMemo", kMemo, false, false, false, true, false, 8, 8, 0, 0, 0},
        IconCase{"MemoInLockedGroup", kMemo, false, false, true, false, false, 5, 5, 5, 0, 0},
        IconCase{"OpenMemoInLockedGroup", kMemo, false, false, true, true, false, 9, 9, 5, 0, 0},
        IconCase{"GroupCollapsed", kGroup, false, false, false, false, false, 1, 1, 1, 1, 0},
        IconCase{"GroupExpanded", kGroup, true, false, false, false, false, 2, 1, 2, 2, 0},
        IconCase{"GroupInLockedCollapsed", kGroup, false, false, true, false, false, 6, 6, 6, 1, 0},
        IconCase{"GroupInLockedExpanded", kGroup, true, false, true, false, false, 7, 6, 7, 2, 0},
        IconCase{"LockedGroupShut", kGroup, false, true, false, false, false, 3, 3, 3, 1, 0},
        IconCase{"LockedGroupOpen", kGroup, true, true, false, false, false, 4, 15, 4, 2, 0}),
    [](const ::testing::TestParamInfo<IconCase>& testCase) { return testCase.param.name; });

}  // namespace
