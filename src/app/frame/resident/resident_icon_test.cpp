#include "app/frame/resident/resident_icon.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/resident/default_note_commands.h"
#include "app/test_support.h"
#include "core/settings/default_note.h"

namespace {

using namespace tidemark;

QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

class ResidentIconTest : public ::testing::Test {
protected:
    void start() {
        outcome = env.start({QStringLiteral("/i")});
        ASSERT_TRUE(outcome.runLoop);
        app = outcome.application.get();
        icon = app->residentIcon();
        ASSERT_NE(icon, nullptr);
    }
    void waitForMenu(QMenu* menu) {
        for (int i = 0; i < 100 && !menu->isVisible(); ++i)
            QTest::qWait(10);
    }

    TestEnvironment env;
    StartupOutcome outcome;
    Application* app = nullptr;
    ResidentIcon* icon = nullptr;
};

TEST_F(ResidentIconTest, TheMenusHoldTheDefaultNoteFirstInBoldAndEndWithTheResidentExit) {
    ASSERT_NO_FATAL_FAILURE(start());
    const QStringList left = menuTexts(icon->leftMenu());
    ASSERT_GE(left.size(), 3);
    EXPECT_EQ(left.first(), QStringLiteral("規定のノートを選択してください(&D)..."));
    EXPECT_TRUE(icon->leftMenu()->actions().first()->font().bold());
    EXPECT_EQ(left.last(), QStringLiteral("Tidemarkの常駐を終了(&X)"));
    EXPECT_EQ(left[left.size() - 2], QStringLiteral("-"));
    // The entries show their keys after a tab.
    EXPECT_TRUE(left.contains(menuTextOf(kCmdNewNote) + QStringLiteral("\tCtrl+N")))
        << left.join(u'|').toStdString();
    EXPECT_TRUE(left.contains(menuTextOf(kCmdOpenNote) + QStringLiteral("\tCtrl+O")));

    const QStringList right = menuTexts(icon->rightMenu());
    EXPECT_EQ(right.first(), QStringLiteral("全てのTidemarkを最前面に移動(&T)"));
    EXPECT_EQ(right[1], QStringLiteral("全てのTidemarkを閉じる(&C)"));
    EXPECT_EQ(right.last(), QStringLiteral("Tidemarkの常駐を終了(&X)"));
    EXPECT_EQ(icon->trayIcon()->toolTip(), QStringLiteral("Tidemark"));

    // Every command of the icon's menus can be given.
    app->updateActions();
    for (QMenu* menu : {icon->leftMenu(), icon->rightMenu()}) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
            }
        }
    }
}

TEST_F(ResidentIconTest, RecentNotesStandAboveTheLastSeparatorOfTheLeftMenu) {
    const QString older = env.path(QStringLiteral("older.tmk"));
    const QString newer = env.path(QStringLiteral("newer.tmk"));
    env.store.SetString("history0", pathToBytes(older));
    env.store.SetString("history1", pathToBytes(newer));
    ASSERT_NO_FATAL_FAILURE(start());
    QStringList left = menuTexts(icon->leftMenu());
    const qsizetype at = left.indexOf(QStringLiteral("&1  ") + newer);
    ASSERT_GE(at, 0) << left.join(u'|').toStdString();
    EXPECT_EQ(left[at + 1], QStringLiteral("&2  ") + older);
    EXPECT_EQ(left[at + 2], QStringLiteral("-"));
    EXPECT_EQ(left[at + 3], QStringLiteral("Tidemarkの常駐を終了(&X)"));
    EXPECT_EQ(left[at - 1], QStringLiteral("-"));

    // A note opened in some window joins the list here too.
    const QString third = env.path(QStringLiteral("third.tmk"));
    const qsizetype separators = left.count(QStringLiteral("-"));
    env.instances.handler->addRecentPath(third);
    left = menuTexts(icon->leftMenu());
    EXPECT_EQ(left.count(QStringLiteral("-")), separators);  // replaced, not piled up
    EXPECT_EQ(left[left.indexOf(QStringLiteral("&1  ") + third) + 1],
              QStringLiteral("&2  ") + newer);

    // Opening one from the icon starts a window process for it.
    for (QAction* action : icon->leftMenu()->actions()) {
        if (action->text() == QStringLiteral("&2  ") + newer)
            action->trigger();
    }
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], QStringList{newer});
}

TEST_F(ResidentIconTest, TheDefaultNoteEntryIsRetitledWithTheNoteName) {
    const QString path = env.path(QStringLiteral("diary.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    WriteDefaultNote(env.store, ByteString(pathToBytes(path)));
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(icon->leftMenu()->actions().first()->text(), QStringLiteral("diaryを開く(&D)"));

    // Another window chose another one.
    const QString other = env.path(QStringLiteral("a&b.tmk"));
    WriteDefaultNote(env.store, ByteString(pathToBytes(other)));
    EXPECT_TRUE(env.instances.handler->defaultNoteChanged());
    EXPECT_EQ(icon->leftMenu()->actions().first()->text(), QStringLiteral("a&&bを開く(&D)"));

    // Taken away: the entry asks for one again.
    WriteDefaultNote(env.store, ByteString());
    env.instances.handler->defaultNoteChanged();
    EXPECT_EQ(icon->leftMenu()->actions().first()->text(),
              QStringLiteral("規定のノートを選択してください(&D)..."));
}

TEST_F(ResidentIconTest, ADoubleClickWithoutADefaultNoteExplainsThenAsksAndOpensTheChoice) {
    const QString path = env.path(QStringLiteral("chosen.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    ASSERT_NO_FATAL_FAILURE(start());
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    QString title;
    answers.then([&title, path](QWidget* dialog) {
        title = dialog->windowTitle();
        answerFileDialog(dialog, path);
    });
    icon->clicked(QSystemTrayIcon::Trigger);
    icon->clicked(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(answers.allAnswered());
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(answers.messages[0],
              uiText(10044).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(title, QStringLiteral("規定のノートファイルの選択"));
    EXPECT_EQ(pathFromBytes(ReadDefaultNote(env.store).View()), path);
    EXPECT_EQ(icon->leftMenu()->actions().first()->text(), QStringLiteral("chosenを開く(&D)"));
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], QStringList{path});
    // The double click took the place of the single click's menu.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_FALSE(icon->leftMenu()->isVisible());
    EXPECT_EQ(env.instances.defaultNoteChanges, 0);  // this is the resident process
}

TEST_F(ResidentIconTest, ADefaultNoteThatIsGoneGivesTheCannotOpenMessage) {
    const QString path = env.path(QStringLiteral("gone.tmk"));
    WriteDefaultNote(env.store, ByteString(pathToBytes(path)));
    ASSERT_NO_FATAL_FAILURE(start());
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    icon->clicked(QSystemTrayIcon::DoubleClick);
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(answers.messages[0], QStringLiteral("ファイルを開くことができません。"));
    EXPECT_TRUE(env.launcher.started.empty());
}

TEST_F(ResidentIconTest, ClicksShowTheirMenusAndDoNothingWhileADialogIsOpen) {
    ASSERT_NO_FATAL_FAILURE(start());
    icon->clicked(QSystemTrayIcon::Context);
    waitForMenu(icon->rightMenu());
    EXPECT_TRUE(icon->rightMenu()->isVisible());
    icon->rightMenu()->hide();

    icon->clicked(QSystemTrayIcon::Trigger);
    waitForMenu(icon->leftMenu());
    EXPECT_TRUE(icon->leftMenu()->isVisible());
    icon->leftMenu()->hide();

    // The open dialog from the icon is up: the icon's clicks are ignored.
    bool leftShown = false;
    bool rightShown = false;
    int dialogs = 0;
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        ++dialogs;
        icon->clicked(QSystemTrayIcon::Context);
        icon->clicked(QSystemTrayIcon::Trigger);
        icon->clicked(QSystemTrayIcon::DoubleClick);
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        leftShown = icon->leftMenu()->isVisible();
        rightShown = icon->rightMenu()->isVisible();
        static_cast<QDialog*>(dialog)->reject();
    });
    app->actions().dispatch(kCmdOpenNote);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(leftShown);
    EXPECT_FALSE(rightShown);
    EXPECT_EQ(answers.unexpected, 0);  // the double click asked nothing
}

TEST_F(ResidentIconTest, NewAndOpenFromTheIconStartWindowProcesses) {
    const QString path = env.path(QStringLiteral("open.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    ASSERT_NO_FATAL_FAILURE(start());
    app->actions().dispatch(kCmdNewNote);
    DialogAnswerer answers;
    answers.thenFile(path);
    app->actions().dispatch(kCmdOpenNote);
    ASSERT_EQ(env.launcher.started.size(), 2u);
    EXPECT_EQ(env.launcher.started[0], QStringList{QStringLiteral("/n")});
    EXPECT_EQ(env.launcher.started[1], QStringList{path});
    EXPECT_TRUE(app->notePath().isEmpty());
}

TEST_F(ResidentIconTest, ChoosingTheDefaultNoteInAWindowTellsTheResidentProcess) {
    const QString path = env.path(QStringLiteral("mine.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    StartupOutcome window = env.start();
    ASSERT_TRUE(window.runLoop);
    DialogAnswerer answers;
    answers.thenFile(path);
    window.application->actions().dispatch(kCmdChooseDefaultNote);
    EXPECT_EQ(pathFromBytes(ReadDefaultNote(env.store).View()), path);
    EXPECT_EQ(env.instances.defaultNoteChanges, 1);
}

}  // namespace
