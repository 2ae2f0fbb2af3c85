#include "app/edit/edit_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/frame/application.h"
#include "app/frame/main_menu.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/pane_menus.h"
#include "app/frame/recent_memo_menu.h"
#include "app/frame/toolbars.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;

// A started window in the stacked layout on a note with two memos and a
// group, the memo list focused.
class EditCommandsTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kStacked, QSize(800, 600)));
        list = window->panes()->memoList();
        text = window->panes()->memoText();

        Note& note = app->note();
        first = AddMemo(note, note.RootId(), "first");
        static_cast<Memo*>(note.FindItem(first))->SetRawBody(ByteString("one two three"));
        group = AddGroup(note, note.RootId(), "group");
        inner = AddMemo(note, group, "inner");
        second = AddMemo(note, note.RootId(), "second");
        window->noteReplaced();
        QGuiApplication::clipboard()->clear();
        focusList();
    }

    void focusList() {
        activateWindow();  // back from a message box
        list->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return list->hasFocus(); }));
    }
    void focusText(ItemId memo) {
        ASSERT_TRUE(list->focusItem(memo, true));
        text->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
        ASSERT_EQ(text->openMemo(), memo);
    }
    bool enabled(CommandId id) {
        app->actions().updateActions();
        return app->actions().action(id)->isEnabled();
    }
    // As a click on a menu item: the states are fresh when a menu opens.
    // Keys pressed in the widget that has the focus, with fresh states.
    void keys(const char* sequence) {
        app->actions().updateActions();
        QTest::keySequence(QApplication::focusWidget(),
                           QKeySequence(QString::fromLatin1(sequence)));
    }
    void trigger(CommandId id) {
        app->actions().updateActions();
        app->actions().action(id)->trigger();
    }
    std::vector<std::string> rootTitles() { return ChildTitles(app->note(), app->note().RootId()); }

    MemoList* list = nullptr;
    MemoTextView* text = nullptr;
    ItemId first = 0, group = 0, inner = 0, second = 0;
};

TEST_F(EditCommandsTest, InTheTextPaneTakingNeedsASelectionWhilePasteFollowsTheClipboard) {
    focusText(first);
    for (CommandId id : {kCmdCut, kCmdCopy, kCmdDelete, kCmdPaste})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(kCmdSelectAll));

    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    EXPECT_TRUE(enabled(kCmdPaste));
    EXPECT_FALSE(enabled(kCmdCut));

    QTest::keyClick(text, Qt::Key_End, Qt::ShiftModifier);
    for (CommandId id : {kCmdCut, kCmdCopy, kCmdDelete})
        EXPECT_TRUE(enabled(id)) << id;
    // The toolbar button follows without a menu being opened.
    QAction* copyButton = app->actions().action(kCmdCopy);
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !app->actions().action(kCmdPaste)->isEnabled(); }));
    EXPECT_TRUE(copyButton->isEnabled());

    app->setReadOnlyMode(true);
    text->setNoteReadOnly(true);
    EXPECT_TRUE(enabled(kCmdCopy));
    for (CommandId id : {kCmdCut, kCmdDelete, kCmdUndo})
        EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(EditCommandsTest, CutCopyPasteAndDeleteWorkOnTheTextPanesSelection) {
    focusText(first);
    QTest::keyClick(text, Qt::Key_Home);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(text, Qt::Key_Right, Qt::ShiftModifier);
    trigger(kCmdCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("one "));
    trigger(kCmdDelete);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("two three"));
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"first", "group", "second"}));

    QTest::keyClick(text, Qt::Key_End);
    trigger(kCmdPaste);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("two threeone "));
    trigger(kCmdSelectAll);
    trigger(kCmdCut);
    EXPECT_TRUE(text->toPlainText().isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("two threeone "));
    trigger(kCmdUndo);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("two threeone "));
}

// A dialog of a command takes the keyboard focus while it is open; once it
// has gone the list is what the edit commands act on again, although the
// window is not active yet (nothing activates it here, as no window
// manager does on this platform).
TEST_F(EditCommandsTest, TheListsCommandsStayEnabledWhenADialogClosesOnTheSameSelection) {
    const struct {
        CommandId command;
        ItemId selected;
    } cases[] = {
        {kCmdSetRemarks, first},
        {kCmdSort, first},
        {kCmdLockGroup, group},
        {kCmdSaveAs, second},
    };
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(focusList());
        ASSERT_TRUE(list->focusItem(c.selected, true));
        for (CommandId id : {kCmdCut, kCmdCopy, kCmdDelete})
            ASSERT_TRUE(enabled(id)) << c.command << " " << id;

        DialogAnswerer answers;
        answers.thenCancel();
        app->actions().action(c.command)->trigger();
        ASSERT_TRUE(answers.allAnswered()) << c.command;
        QCoreApplication::processEvents();
        EXPECT_EQ(list->selectedItems(), std::vector<ItemId>{c.selected}) << c.command;
        for (CommandId id : {kCmdCut, kCmdCopy, kCmdDelete, kCmdPaste})
            EXPECT_EQ(app->actions().action(id)->isEnabled(), id != kCmdPaste)
                << c.command << " " << id;
    }
}

TEST_F(EditCommandsTest, TheDeleteKeyInTheListDeletesTheSelectedItemsAfterAsking) {
    ASSERT_TRUE(list->focusItem(group, true));
    EXPECT_TRUE(enabled(kCmdDelete));
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::No);
    answers.thenMessage(QMessageBox::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"first", "group", "second"}));
    focusList();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(app->note().FindItem(inner), nullptr);
    EXPECT_EQ(answers.messages.size(), 2);
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(EditCommandsTest, ItemsCopiedWithTheKeysArePastedInsideAGroupWithNewIds) {
    ASSERT_TRUE(list->focusItem(second, true));
    keys("Ctrl+C");
    ASSERT_TRUE(list->focusItem(group, true));
    EXPECT_TRUE(enabled(kCmdPasteInside));
    keys("Alt+Ctrl+V");
    Note& note = app->note();
    EXPECT_EQ(ChildTitles(note, group), (std::vector<std::string>{"inner", "second"}));
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"first", "group", "second"}));
    const Item* pasted = note.FindItem(note.FindItem(inner)->links.next);
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted->links.id, second);  // a new item, the original stays
    EXPECT_TRUE(app->isModified());
}

TEST_F(EditCommandsTest, ACutMemoMovesWhenPastedAndPasteIsGreyedOnItself) {
    ASSERT_TRUE(list->focusItem(first, true));
    keys("Ctrl+X");
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"first", "group", "second"}));
    EXPECT_FALSE(enabled(kCmdPaste));  // the focus is on the cut memo
    // Nor does its text pane take the clipboard's text.
    text->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
    EXPECT_FALSE(enabled(kCmdPaste));

    focusList();
    ASSERT_TRUE(list->focusItem(second, true));
    EXPECT_TRUE(enabled(kCmdPaste));
    keys("Ctrl+V");
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"group", "second", "first"}));
}

TEST_F(EditCommandsTest, EscapeEndsACutAndNothingMoves) {
    ASSERT_TRUE(list->focusItem(first, true));
    keys("Ctrl+X");
    QTest::keyClick(list, Qt::Key_Escape);
    ASSERT_TRUE(list->focusItem(second, true));
    EXPECT_FALSE(enabled(kCmdPaste));  // the clipboard was emptied
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"first", "group", "second"}));
}

TEST_F(EditCommandsTest, SelectAllSelectsEveryRowOfTheFocusedList) {
    trigger(kCmdSelectAll);
    EXPECT_EQ(list->selectedCount(), 4);
    EXPECT_TRUE(enabled(kCmdDelete));
}

TEST_F(EditCommandsTest, TheEditFieldOfATitleTakesTheCommands) {
    ASSERT_TRUE(list->focusItem(second, true));
    trigger(kCmdEditTitle);
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(field->hasSelectedText());
    EXPECT_TRUE(enabled(kCmdCut));
    EXPECT_FALSE(enabled(kCmdRedo));  // only the text pane can redo
    trigger(kCmdCut);
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("second"));
    trigger(kCmdPaste);
    trigger(kCmdPaste);
    EXPECT_EQ(field->text(), QStringLiteral("secondsecond"));
    EXPECT_TRUE(enabled(kCmdUndo));
}

TEST_F(EditCommandsTest, TheSaveKeyDoesNothingInReadOnlyMode) {
    const QString path = env.path(QStringLiteral("kept.tmk"));
    DialogAnswerer answers;
    answers.thenFile(path);
    answers.thenMessage(QMessageBox::No);  // no shortcut to the new file
    QTest::keySequence(window, QKeySequence(QStringLiteral("Ctrl+S")));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();
    saved.close();
    ASSERT_FALSE(before.isEmpty());

    AddMemo(app->note(), app->note().RootId(), "added later");
    app->setReadOnlyMode(true);
    EXPECT_FALSE(enabled(kCmdSave));
    QTest::keySequence(window, QKeySequence(QStringLiteral("Ctrl+S")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), before);
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(EditCommandsTest, TheTextPanesPopupFollowsTheLayout) {
    focusText(first);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            text->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(text->viewport(), &click);
    QMenu* split = window->paneMenus()->textMenu(false);
    ASSERT_TRUE(QTest::qWaitFor([split] { return split->isVisible(); }));
    EXPECT_EQ(split->objectName(), "menu.146");
    EXPECT_EQ(split->actions().value(0), app->actions().action(kCmdUndo));
    split->close();

    window->setLayoutMode(PaneLayout::kAlternate);
    window->showItem(first);
    text->setFocus();
    QApplication::sendEvent(text->viewport(), &click);
    QMenu* alternate = window->paneMenus()->textMenu(true);
    ASSERT_TRUE(QTest::qWaitFor([alternate] { return alternate->isVisible(); }));
    EXPECT_EQ(alternate->objectName(), "menu.148");
    const QList<QAction*> items = alternate->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[0]->data().toInt(), int(kCmdSwitchPane));
    EXPECT_EQ(items[2], app->actions().action(kCmdExit));
    alternate->close();
}

TEST_F(EditCommandsTest, PreviousAndNextMemoAreOfferedOnlyWhenThereIsOne) {
    ASSERT_TRUE(list->focusItem(first, true));
    EXPECT_FALSE(enabled(kCmdPreviousMemo));
    EXPECT_TRUE(enabled(kCmdNextMemo));  // over the group to "second"
    ASSERT_TRUE(list->focusItem(second, true));
    EXPECT_TRUE(enabled(kCmdPreviousMemo));
    EXPECT_FALSE(enabled(kCmdNextMemo));
    ASSERT_TRUE(list->focusItem(inner, true));
    EXPECT_FALSE(enabled(kCmdPreviousMemo));
    EXPECT_FALSE(enabled(kCmdNextMemo));
    EXPECT_TRUE(enabled(kCmdParentGroup));
}

TEST_F(EditCommandsTest, TheLinkButtonIsCheckedForEitherLinkSetting) {
    QToolButton* button = nullptr;
    for (auto* candidate : window->findChildren<QToolButton*>()) {
        QAction* face = candidate->defaultAction();
        if (face && face != app->actions().action(kCmdRemarksIsLink) &&
            face->data().toInt() == int(kCmdRemarksIsLink))
            button = candidate;
    }
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(list->focusItem(first, true));
    trigger(kCmdFirstLineIsLink);
    app->actions().updateActions();
    EXPECT_TRUE(button->isChecked());
    EXPECT_FALSE(app->actions().action(kCmdRemarksIsLink)->isChecked());
    trigger(kCmdFirstLineIsLink);
    app->actions().updateActions();
    EXPECT_FALSE(button->isChecked());
    trigger(kCmdRemarksIsLink);
    app->actions().updateActions();
    EXPECT_TRUE(button->isChecked());
}

using RecentMemoEntriesTest = NoteFixture;

TEST_F(RecentMemoEntriesTest, DropGoneMemosAndNumberTheTenthZero) {
    std::array<ItemId, 10> ids{};
    for (int i = 0; i < 10; ++i)
        ids[i] = AddMemo(note, root, "m" + std::to_string(i));
    note.FindItem(ids[3])->SetRawTitle(ByteString("a&b"));
    note.View().recentMemos = ids;
    std::vector<RecentMemoEntry> entries = recentMemoEntries(note);
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].text, QStringLiteral("&1  m0"));
    EXPECT_EQ(entries[3].text, QStringLiteral("&4  a&&b"));
    EXPECT_EQ(entries[9].memo, ids[9]);
    EXPECT_EQ(entries[9].text, QStringLiteral("&0  m9"));

    note.DeleteItems(ids[1], 1);
    note.View().recentMemos[4] = 9999;  // no such item
    entries = recentMemoEntries(note);
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[1].memo, ids[2]);
    EXPECT_EQ(entries[1].text, QStringLiteral("&2  m2"));
    EXPECT_EQ(note.View().recentMemos[1], ids[2]);
    EXPECT_EQ(note.View().recentMemos[8], kNoItem);
}

TEST_F(EditCommandsTest, TheViewMenuListsRecentMemosAndJumpsToThem) {
    QMenu* view = window->mainMenu()->viewMenu();
    const int fixed = view->actions().size();
    window->refreshRecentMemos();
    EXPECT_EQ(view->actions().size(), fixed);  // nothing recent: no separator either

    app->note().View().recentMemos[0] = inner;
    app->note().View().recentMemos[1] = second;
    window->refreshRecentMemos();
    const QList<QAction*> items = view->actions();
    ASSERT_EQ(items.size(), fixed + 3);
    EXPECT_TRUE(items[fixed]->isSeparator());
    EXPECT_EQ(items[fixed + 1]->text(), QStringLiteral("&1  inner"));
    EXPECT_EQ(items[fixed + 1]->objectName(), QStringLiteral("command43001"));
    app->note().FindItem(group)->SetOpen(false);
    window->noteReplaced();
    items[fixed + 1]->trigger();
    EXPECT_EQ(list->focusedItem(), inner);
    EXPECT_EQ(text->openMemo(), inner);
}

}  // namespace
