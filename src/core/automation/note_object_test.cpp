#include "core/automation/note_object.h"

#include <gtest/gtest.h>

#include <string>

#include "core/automation/automation_fakes_for_test.h"

namespace tidemark {
namespace {

namespace C = AutomationConstant;

class NoteObjectTest : public WindowNoteTest {};

TEST_F(NoteObjectTest, RemarksCaptionIsTrimmedAndMayNotBeBlank) {
    ASSERT_TRUE(note->SetRemarks(" \t備考欄\xE3\x80\x80 ").Ok());  // full-width space at the end
    EXPECT_EQ(note->Remarks().Value(), "備考欄");
    EXPECT_EQ(window.host.modifiedMarks, 1);
    for (const char* blank : {"", "\xE3\x80\x80", " \t "}) {
        const Status refused = note->SetRemarks(blank);
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error().stringId, 20047u);
    }
    EXPECT_EQ(note->Remarks().Value(), "備考欄");
    window.host.readOnly = true;
    EXPECT_EQ(ErrorOf(note->SetRemarks("x")), 20095u);
}

TEST_F(NoteObjectTest, NoteColoursAreAlwaysSetAndEmptyIsNoColour) {
    ASSERT_TRUE(note->SetForeground("#ABCDEF").Ok());
    ASSERT_TRUE(note->SetBackground("#abcdef").Ok());
    EXPECT_EQ(model().View().textColour, MakeColour(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(note->Foreground().Value(), "#abcdef");
    EXPECT_EQ(note->Background().Value(), "#abcdef");
    const Status refused = note->SetForeground("");
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().stringId, 20048u);
    EXPECT_EQ(refused.Error().Message(), "\"\"は正しいカラーコードではありません。");
    EXPECT_EQ(window.host.modifiedMarks, 2);
}

TEST_F(NoteObjectTest, ItemCountLeavesOutTheRoot) {
    EXPECT_EQ(note->GetItemCount().Value(), 0);
    memo(group(rootId(), "g"), "m");
    EXPECT_EQ(note->GetItemCount().Value(), 2);
    EXPECT_EQ(note->MEMO(), 3);
    EXPECT_EQ(note->NEXT(), 19);
}

TEST_F(NoteObjectTest, TheWindowsNoteIsNotSavedThroughAutomation) {
    window.path = "/somewhere/note.tmk";
    EXPECT_EQ(note->FileName().Value(), "/somewhere/note.tmk");
    EXPECT_EQ(ErrorOf(note->Save()), 20090u);
    EXPECT_EQ(ErrorOf(note->SaveAs("/tmp/x.tmk")), 20090u);
}

TEST_F(NoteObjectTest, OutsideARunThereIsNoFocusAndNoSelection) {
    EXPECT_EQ(note->GetFocusItem().Value(), nullptr);
    EXPECT_EQ(note->GetSelectedItemCount().Value(), 0);
    const auto refused = note->GetSelectedItem(0);
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().Message(),
              "0 番目に選択されているメモまたはメモグループは存在しません。");
    EXPECT_EQ(note->GetSelectedText().Value(), "");
}

TEST_F(NoteObjectTest, ARunAnswersFromItsSnapshot) {
    const ItemId a = memo(rootId(), "a");
    const ItemId b = memo(rootId(), "b");
    automation->BeginRun(RunSnapshot{{b, a}, a, "line one\r\nline two"});
    EXPECT_EQ(note->GetFocusItem().Value()->Id().Value(), static_cast<std::int32_t>(a));
    EXPECT_EQ(note->GetSelectedItemCount().Value(), 2);
    EXPECT_EQ(note->GetSelectedItem(0).Value()->Id().Value(), static_cast<std::int32_t>(b));
    EXPECT_EQ(note->GetSelectedItem(1).Value()->Id().Value(), static_cast<std::int32_t>(a));
    EXPECT_EQ(ErrorOf(note->GetSelectedItem(2)), 20050u);
    EXPECT_EQ(ErrorOf(note->GetSelectedItem(-1)), 20050u);
    EXPECT_EQ(note->GetSelectedText().Value(), "line one\nline two");

    // A selected item the script deletes is still handed out, as deleted.
    ASSERT_TRUE(note->GetSelectedItem(0).Value()->DeleteItem().Ok());
    EXPECT_TRUE(note->GetSelectedItem(0).Value()->IsDeleted().Value());

    automation->EndRun();
    EXPECT_EQ(note->GetSelectedItemCount().Value(), 0);
    EXPECT_EQ(note->GetFocusItem().Value(), nullptr);
}

}  // namespace
}  // namespace tidemark
