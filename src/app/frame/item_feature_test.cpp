#include "app/frame/item_feature.h"

#include <gtest/gtest.h>

#include <QTest>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/test_support.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;

class WindowItemCommandsTest : public StartedWindowTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(630, 460))); }
};

TEST_F(WindowItemCommandsTest, NewMemoCommandPutsAMemoIntoTheEmptyNoteAndMarksItModified) {
    app->actions().action(kCmdNewMemo)->trigger();
    Note& note = app->note();
    EXPECT_EQ(ChildTitles(note, note.RootId()),
              std::vector<std::string>{fromQString(QStringLiteral("新しいメモ")).Str()});
    EXPECT_TRUE(app->isModified());
}

TEST_F(WindowItemCommandsTest, ReadOnlyModeGreysTheItemCommands) {
    app->setReadOnlyMode(true);
    app->updateActions();
    for (CommandId id : {kCmdNewMemo, kCmdNewGroup, kCmdNoteTextColour, kCmdRemarksColumnName}) {
        EXPECT_FALSE(app->actions().action(id)->isEnabled()) << id;
        EXPECT_FALSE(app->actions().dispatch(id)) << id;
    }
    EXPECT_EQ(app->note().FindItem(app->note().RootId())->links.firstChild, kNoItem);
}

}  // namespace
