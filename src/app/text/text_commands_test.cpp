#include "app/text/text_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "app/common/command_actions.h"
#include "app/common/link_opener.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/path_box.h"
#include "app/frame/status_bar.h"
#include "app/frame/toolbars.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;

class RecordingLinkOpener : public LinkOpener {
public:
    bool openLink(const QString& target) override {
        opened << target;
        return succeeds;
    }
    QStringList opened;
    bool succeeds = true;
};

const SystemTime kLongAgo = MakeTime(2001, 2, 3, 4, 5, 6);

// A started window on a new note, its text pane opening links into a recorder.
class TextPaneInWindowTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(800, 600)));
        text = window->panes()->memoText();
        text->setLinkOpener(&opener);
    }

    ItemId addMemo(const QString& body) {
        const ItemId id = AddMemo(app->note(), app->note().RootId(), "memo");
        memo(id).SetRawBody(fromQString(body));
        memo(id).SetRawModifiedTime(kLongAgo);
        return id;
    }
    Memo& memo(ItemId id) { return static_cast<Memo&>(*app->note().FindItem(id)); }
    void openInPane(ItemId id) {
        window->showItem(id);
        text->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
    }
    void trigger(CommandId id) { app->actions().action(id)->trigger(); }
    bool enabled(CommandId id) {
        app->actions().updateActions();
        return app->actions().action(id)->isEnabled();
    }

    MemoTextView* text = nullptr;
    RecordingLinkOpener opener;
};

TEST_F(TextPaneInWindowTest, ATypedBodyIsStoredAndStampedWhenAnotherMemoIsShown) {
    const ItemId first = addMemo(QString());
    const ItemId second = addMemo(QStringLiteral("二つ目"));
    openInPane(first);
    QTest::keyClicks(text, QStringLiteral("hello"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("world"));
    EXPECT_TRUE(memo(first).Body().Empty());  // typing changes only the pane
    EXPECT_TRUE(app->isModified());

    window->showItem(second);
    EXPECT_EQ(memo(first).Body().Str(), "hello\r\nworld");
    EXPECT_GT(memo(first).ModifiedTime().year, kLongAgo.year);
    EXPECT_EQ(memo(second).ModifiedTime(), kLongAgo);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("二つ目"));
    EXPECT_EQ(app->note().View().recentMemos[0], first);
}

TEST_F(TextPaneInWindowTest, KeysTypedAfterChoosingAMemoInTheListAreStoredWhenTheListMovesOn) {
    const ItemId first = addMemo(QString());
    const ItemId second = addMemo(QStringLiteral("second body"));
    window->setLayoutMode(PaneLayout::kSideBySide);
    window->noteReplaced();
    MemoList* list = window->panes()->memoList();
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }));
    ASSERT_TRUE(list->focusItem(first, true));
    ASSERT_EQ(text->openMemo(), first);
    text->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
    QTest::keyClicks(text, QStringLiteral("typed"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("body"));

    // Back in the list (the pane loses the focus: stored), one row down.
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }));
    EXPECT_EQ(memo(first).Body().Str(), "typed\r\nbody");
    EXPECT_GT(memo(first).ModifiedTime().year, kLongAgo.year);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(text->openMemo(), second);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("second body"));
    EXPECT_EQ(memo(second).ModifiedTime(), kLongAgo);
    EXPECT_EQ(app->note().View().recentMemos[0], first);
}

TEST_F(TextPaneInWindowTest, OpenLinkFollowsTheFocusedItemOfTheList) {
    const ItemId plain = addMemo(QStringLiteral("www.example.com/plain"));
    const ItemId linked = addMemo(QStringLiteral("www.example.com/linked"));
    memo(linked).SetBodyLink(true);
    window->noteReplaced();
    MemoList* list = window->panes()->memoList();
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }));
    ASSERT_TRUE(list->focusItem(plain, true));
    EXPECT_FALSE(enabled(kCmdOpenLink));
    ASSERT_TRUE(list->focusItem(linked, true));
    ASSERT_TRUE(enabled(kCmdOpenLink));
    trigger(kCmdOpenLink);
    EXPECT_EQ(opener.opened, QStringList{QStringLiteral("http://www.example.com/linked")});
}

TEST_F(TextPaneInWindowTest, UndoAndRedoAreThoseOfThePane) {
    openInPane(addMemo(QString()));
    EXPECT_FALSE(enabled(kCmdUndo));
    QTest::keyClicks(text, QStringLiteral("abc"));
    EXPECT_TRUE(enabled(kCmdUndo));
    EXPECT_FALSE(enabled(kCmdRedo));
    trigger(kCmdUndo);
    EXPECT_EQ(text->toPlainText(), QString());
    EXPECT_TRUE(enabled(kCmdRedo));
    trigger(kCmdRedo);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("abc"));
    // Not in a read-only note, and not while a list has the focus.
    app->setReadOnlyMode(true);
    EXPECT_FALSE(enabled(kCmdUndo));
    app->setReadOnlyMode(false);
    window->focusPane(FocusWindow::kMemoList);
    EXPECT_FALSE(enabled(kCmdUndo));
    EXPECT_FALSE(enabled(kCmdRedo));
}

TEST_F(TextPaneInWindowTest, DateAndTimeGoWhereTheFocusIs) {
    app->settings().DateTimeFormat = fromQString(QStringLiteral("'<'yyyy'>'"));
    const QString year = QStringLiteral("<%1>").arg(QDate::currentDate().year());
    openInPane(addMemo(QStringLiteral("XselY")));
    QTextCursor selection = text->textCursor();
    selection.setPosition(1);
    selection.setPosition(4, QTextCursor::KeepAnchor);
    text->setTextCursor(selection);
    ASSERT_TRUE(enabled(kCmdInsertDateTime));
    trigger(kCmdInsertDateTime);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("X") + year + QStringLiteral("Y"));
    EXPECT_EQ(text->textCursor().position(), 1 + year.size());

    QLineEdit* pathField = window->toolbars()->pathBox()->lineEdit();
    window->focusPane(FocusWindow::kPathBox);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pathField->hasFocus(); }));
    pathField->setText(QStringLiteral("ab"));
    pathField->setCursorPosition(1);
    trigger(kCmdInsertDateTime);
    EXPECT_EQ(pathField->text(), QStringLiteral("a") + year + QStringLiteral("b"));

    window->focusPane(FocusWindow::kMemoList);
    EXPECT_FALSE(enabled(kCmdInsertDateTime));
    EXPECT_FALSE(enabled(kCmdInsertFileName));
}

TEST_F(TextPaneInWindowTest, AChosenFileNameIsInsertedByItsTemplate) {
    const QString path = env.path(QStringLiteral("todo.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    openInPane(addMemo(QString()));
    DialogAnswerer answers;
    answers.thenCancel();
    trigger(kCmdInsertFileName);
    EXPECT_EQ(text->toPlainText(), QString());
    // The focus comes back to the pane once the window is active again.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
    ASSERT_TRUE(enabled(kCmdInsertFileName));
    answers.thenFile(path);
    trigger(kCmdInsertFileName);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(text->toPlainText(), QStringLiteral("todo.txt <file://") + path + u'>');
}

struct LinkCase {
    bool remarksIsLink;
    const char* body;
    const char* remarks;
    const char* opened;  // null: nothing opens
    std::uint32_t status;
};

TEST_F(TextPaneInWindowTest, AMemosLinkOpensFromItsFirstLineOrItsRemarks) {
    auto* commands = window->findChild<TextCommands*>();
    ASSERT_NE(commands, nullptr);
    const LinkCase cases[] = {
        {false, "  www.example.com/a\t\r\nsecond", "", "http://www.example.com/a", 12001},
        {true, "body", "\u3000someone@example.com ", "mailto:someone@example.com", 12001},
        {false, "C:\\notes\\a.txt", "", "C:\\notes\\a.txt", 12001},
        {false, " \u3000\r\nhttp://second.line/", "", nullptr, 12011},
        {true, "http://body/", "", nullptr, 12016},
    };
    for (const LinkCase& c : cases) {
        const ItemId id = addMemo(QString::fromUtf8(c.body));
        memo(id).SetRemarks(fromQString(QString::fromUtf8(c.remarks)));
        c.remarksIsLink ? memo(id).SetRemarksLink(true) : memo(id).SetBodyLink(true);
        opener.opened.clear();
        commands->openLinkOf(id);
        EXPECT_EQ(opener.opened,
                  c.opened ? QStringList{QString::fromUtf8(c.opened)} : QStringList())
            << c.body;
        QTRY_COMPARE(window->status()->statusText(), uiText(c.status));
    }
    // The desktop could not open it.
    opener.succeeds = false;
    const ItemId broken = addMemo(QStringLiteral("nowhere/x"));
    memo(broken).SetBodyLink(true);
    commands->openLinkOf(broken);
    QTRY_COMPARE(window->status()->statusText(), uiFormat(12010, {"http://nowhere/x"}));
}

TEST_F(TextPaneInWindowTest, TheOpenMemosLinkIsTakenFromWhatWasTyped) {
    const ItemId id = addMemo(QString());
    memo(id).SetBodyLink(true);
    openInPane(id);
    QTest::keyClicks(text, QStringLiteral("example.org/typed"));
    window->findChild<TextCommands*>()->openLinkOf(id);
    EXPECT_EQ(opener.opened, QStringList{QStringLiteral("http://example.org/typed")});
    EXPECT_EQ(memo(id).Body().Str(), "example.org/typed");
}

TEST_F(TextPaneInWindowTest, ACharacterTheNoteCannotHoldIsNamedInTheStatusBar) {
    openInPane(addMemo(QString()));
    text->insertPlain(QStringLiteral("a\U0001F600"));
    QTRY_COMPARE(window->status()->statusText(), uiFormat(12019, {"\U0001F600"}));
    EXPECT_EQ(text->toPlainText(), QStringLiteral("a"));
}

TEST_F(TextPaneInWindowTest, ChangedSettingsReachThePane) {
    openInPane(addMemo(QStringLiteral("x")));
    EXPECT_NE(text->markFlags(), 0);
    app->settings().HideMarks = 1;
    app->settings().TabWidth = 2;
    app->ApplySettings({});
    EXPECT_EQ(text->markFlags(), 0);
    EXPECT_DOUBLE_EQ(text->tabStopDistance(), QFontMetricsF(text->font()).averageCharWidth() * 2);
}

}  // namespace
