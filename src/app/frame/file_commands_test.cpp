#include "app/frame/file_commands.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/main_menu.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_service.h"
#include "app/frame/pane_area.h"
#include "app/frame/path_box.h"
#include "app/frame/session_end.h"
#include "app/frame/toolbars.h"
#include "app/list/memo_list.h"
#include "app/list/title_editor.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/common/path_compare.h"
#include "core/file/note_bytes.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/default_note.h"

namespace {

using namespace tidemark;

class FileCommandsTest : public ::testing::Test {
protected:
    void start(const QStringList& arguments = {}) {
        outcome = env.start(arguments);
        ASSERT_TRUE(outcome.runLoop);
        app = outcome.application.get();
        window = app->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // A change made by the user: a new memo at the end of the root.
    void addMemo(const std::string& title) {
        AddMemo(app->note(), app->note().RootId(), title);
        app->SetModified(true, true);
    }

    void trigger(CommandId id) { app->actions().action(id)->trigger(); }

    // The titles of the root's children in the note file at `path`, read
    // past the lock of the window that may hold it.
    std::vector<std::string> titlesInFile(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {"(unreadable)"};
        const QByteArray bytes = file.readAll();
        Note note;
        LoadNoteFromBytes(note, MemoryBlock(bytes.begin(), bytes.end()));
        return ChildTitles(note, note.RootId());
    }

    // What the name field of the file dialog shows.
    static QString proposedName(QWidget* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        return name ? name->text() : QString();
    }

    TestEnvironment env;
    StartupOutcome outcome;
    Application* app = nullptr;
    MainWindow* window = nullptr;
};

TEST_F(FileCommandsTest, OpenInAnEmptyWindowLoadsHereAndListsTheNote) {
    start();
    const QString path = env.path(QStringLiteral("diary.tmk"));
    writeNoteFile(*env.files, path, {"monday"});
    DialogAnswerer answers;
    answers.thenFile(path);
    trigger(kCmdOpenNote);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(app->notePath(), path);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("diary - Tidemark"));
    EXPECT_FALSE(app->IsReadOnly());
    EXPECT_TRUE(env.launcher.started.empty());
    EXPECT_EQ(env.instances.shared, QStringList{path});
    const QList<QAction*> recent = window->mainMenu()->recentNoteActions();
    ASSERT_EQ(recent.size(), 2);  // a separator above the entry
    EXPECT_TRUE(recent[0]->isSeparator());
    EXPECT_EQ(recent[1]->text(), QStringLiteral("&1  ") + path);
}

TEST_F(FileCommandsTest, OpenWithTheReadOnlyBoxOrWhenTheWindowHoldsANote) {
    const QString first = env.path(QStringLiteral("first.tmk"));
    const QString second = env.path(QStringLiteral("second.tmk"));
    writeNoteFile(*env.files, first, {"a"});
    writeNoteFile(*env.files, second, {"b"});
    start({first});

    DialogAnswerer answers;
    answers.thenFile(second, true);
    trigger(kCmdOpenNote);
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], (QStringList{QStringLiteral("/r"), second}));
    EXPECT_EQ(app->notePath(), first);

    // The note the window already shows only comes forward.
    app->fileCommands().openNoteByPath(first, false);
    EXPECT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(app->notePath(), first);

    // A name that differs in case is another file where the file system
    // tells them apart.
    const QString upper = env.path(QStringLiteral("FIRST.tmk"));
    writeNoteFile(*env.files, upper, {"A"});
    app->fileCommands().openNoteByPath(upper, false);
    EXPECT_EQ(env.launcher.started.size(), kPathsIgnoreCase ? 1u : 2u);
}

TEST_F(FileCommandsTest, NewStartsAnotherProcessUnlessTheWindowIsEmpty) {
    start();
    trigger(kCmdNewNote);
    EXPECT_TRUE(env.launcher.started.empty());
    addMemo("x");
    trigger(kCmdNewNote);
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], QStringList{QStringLiteral("/n")});
}

TEST_F(FileCommandsTest, SaveAsAddsTheExtensionAndTheNoteCanBeReopened) {
    start();
    const qint64 plainIcon = window->windowIcon().cacheKey();
    addMemo("shopping");
    EXPECT_TRUE(app->isModified());
    EXPECT_NE(window->windowIcon().cacheKey(), plainIcon);  // the modified mark
    DialogAnswerer answers;
    QStringList proposed;
    auto saveAs = [&](const QString& path) {
        answers.then([&, path](QWidget* dialog) {
            proposed << proposedName(dialog);
            if (path.isEmpty()) {
                static_cast<QDialog*>(dialog)->reject();
            } else {
                answerFileDialog(dialog, path);
            }
        });
    };
    saveAs(env.path(QStringLiteral("week")));
    trigger(kCmdSaveAs);
    const QString saved = env.path(QStringLiteral("week.tmk"));
    EXPECT_EQ(app->notePath(), saved);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("week - Tidemark"));
    EXPECT_FALSE(app->isModified());
    EXPECT_EQ(window->windowIcon().cacheKey(), plainIcon);
    EXPECT_EQ(titlesInFile(saved), std::vector<std::string>{"shopping"});

    // Saving under another name proposes the current name without its extension.
    saveAs(QString());
    trigger(kCmdSaveAs);
    EXPECT_EQ(proposed, (QStringList{QStringLiteral("新しいノート"), QStringLiteral("week")}));
    EXPECT_EQ(app->notePath(), saved);

    // Opened again in a window of its own, the note comes back as saved.
    window->close();
    outcome = StartupOutcome();
    start({saved});
    EXPECT_EQ(ChildTitles(app->note(), app->note().RootId()), std::vector<std::string>{"shopping"});
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheWindowTheNoteAndTheMark) {
    start();
    addMemo("precious");
    const QString impossible = env.path(QStringLiteral("no-such-folder/precious.tmk"));
    app->setNotePath(impossible);
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    answers.thenCancel();  // the Save As that follows
    trigger(kCmdSave);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.messages, QStringList{uiFormat(20006, {utf8(impossible)})});
    EXPECT_TRUE(app->isModified());
    EXPECT_EQ(ChildTitles(app->note(), app->note().RootId()), std::vector<std::string>{"precious"});

    // Closing asks; Cancel keeps the window.
    answers.thenMessage(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(answers.messages.value(1), uiText(13001));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FileCommandsTest, ClosingAChangedNoteAsksAndNoDiscards) {
    const QString path = env.path(QStringLiteral("keep.tmk"));
    writeNoteFile(*env.files, path, {"old"});
    start({path});
    addMemo("new");
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::No);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(answers.messages, QStringList{uiText(13001)});
    EXPECT_EQ(titlesInFile(path), std::vector<std::string>{"old"});
}

TEST_F(FileCommandsTest, ClosingAChangedNoteAndAnsweringYesSavesIt) {
    const QString path = env.path(QStringLiteral("keep.tmk"));
    writeNoteFile(*env.files, path, {"old"});
    start({path});
    addMemo("new");
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(titlesInFile(path), (std::vector<std::string>{"old", "new"}));
}

// A title being typed in a list, not yet confirmed: the file commands store
// it before they write or ask.
class PendingTitleTest : public FileCommandsTest {
protected:
    void SetUp() override {
        path = env.path(QStringLiteral("titles.tmk"));
        writeNoteFile(*env.files, path, {"old"});
        ASSERT_NO_FATAL_FAILURE(start({path}));
        MemoList* list = window->panes()->memoList();
        const ItemId memo = app->note().FindItem(app->note().RootId())->links.firstChild;
        ASSERT_TRUE(list->focusItem(memo, true));
        list->setFocus();
        ASSERT_TRUE(list->editFocusedTitle());
        auto* editor = list->findChild<TitleEditor*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("renamed"));
        ASSERT_FALSE(app->isModified());
    }

    QString path;
};

TEST_F(PendingTitleTest, SaveWritesTheTitleBeingEdited) {
    trigger(kCmdSave);
    EXPECT_EQ(titlesInFile(path), std::vector<std::string>{"renamed"});
    EXPECT_FALSE(app->isModified());
}

TEST_F(PendingTitleTest, SaveAsWritesTheTitleBeingEdited) {
    const QString other = env.path(QStringLiteral("other.tmk"));
    DialogAnswerer answers;
    answers.thenFile(other);
    trigger(kCmdSaveAs);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(titlesInFile(other), std::vector<std::string>{"renamed"});
}

TEST_F(PendingTitleTest, ClosingAsksAboutTheTitleBeingEditedAndYesSavesIt) {
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(answers.messages, QStringList{uiText(13001)});
    EXPECT_EQ(titlesInFile(path), std::vector<std::string>{"renamed"});
}

TEST_F(FileCommandsTest, AReopenedNoteShowsTheItemThatWasCurrentWhenItWasSaved) {
    const QString path = env.path(QStringLiteral("current.tmk"));
    {
        Note note;
        note.MakeNew(ByteString("root"));
        AddMemo(note, note.RootId(), "first");
        const ItemId second = AddMemo(note, note.RootId(), "second");
        AddMemo(note, note.RootId(), "third");
        note.SetCurrentItemId(second);
        note.Save(*env.files, pathToBytes(path), true);
    }
    start({path});
    const ItemId second = app->note().FindItem(app->note().RootId())->links.firstChild + 1;
    ASSERT_EQ(app->note().FindItem(second)->Title(), ByteString("second"));
    EXPECT_EQ(window->panes()->memoList()->focusedItem(), second);
    EXPECT_EQ(window->panes()->memoText()->openMemo(), second);
}

TEST_F(FileCommandsTest, SaveWritesATitleTypedIntoThePathBoxButNotConfirmed) {
    const QString path = env.path(QStringLiteral("titles.tmk"));
    writeNoteFile(*env.files, path, {"old"});
    start({path});
    const ItemId memo = app->note().FindItem(app->note().RootId())->links.firstChild;
    ASSERT_TRUE(window->panes()->memoList()->focusItem(memo, true));
    QLineEdit* field = window->toolbars()->pathBox()->lineEdit();
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("typed"));
    trigger(kCmdSave);
    EXPECT_EQ(titlesInFile(path), std::vector<std::string>{"typed"});
}

// A session manager's request to commit data before the session ends.
class FakeSessionEnd : public SessionEndRequest {
public:
    explicit FakeSessionEnd(bool interaction) : m_interaction(interaction) {}
    bool allowsInteraction() override {
        ++interactionRequests;
        return m_interaction;
    }
    void cancel() override { ++cancels; }

    int interactionRequests = 0;
    int cancels = 0;

private:
    bool m_interaction;
};

struct SessionEndCase {
    const char* name;
    bool changed;  // a memo was added since the note was opened
    bool autoSave;
    bool interaction;  // the session manager lets the program ask
    int answer;        // the button given to the question; 0: no question expected
    bool ended;        // the session may end
    std::vector<std::string> inFile;
};

class SessionEndTest : public FileCommandsTest,
                       public ::testing::WithParamInterface<SessionEndCase> {};

TEST_P(SessionEndTest, TheSessionEndsAsACloseWould) {
    const SessionEndCase& c = GetParam();
    const QString path = env.path(QStringLiteral("session.tmk"));
    writeNoteFile(*env.files, path, {"old"});
    start({path});
    if (c.changed)
        addMemo("new");
    app->settings().AutoSave = c.autoSave ? 1 : 0;  // after the change: not saved at once
    DialogAnswerer answers;
    if (c.answer != 0)
        answers.thenMessage(c.answer);

    FakeSessionEnd session(c.interaction);
    window->endSession(session);
    EXPECT_EQ(answers.messages, c.answer != 0 ? QStringList{uiText(13001)} : QStringList{});
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(session.cancels, c.ended ? 0 : 1);
    EXPECT_EQ(titlesInFile(path), c.inFile);
    EXPECT_TRUE(window->isVisible());  // the window stays until the session really ends
    if (!c.changed) {
        EXPECT_EQ(session.interactionRequests, 0);  // nothing to ask holds up no one
    }
}

const std::vector<std::string> kOld{"old"};
const std::vector<std::string> kOldAndNew{"old", "new"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionEndTest,
    ::testing::Values(
        SessionEndCase{"Unchanged", false, false, true, 0, true, kOld},
        SessionEndCase{"NoDiscards", true, false, true, QMessageBox::No, true, kOld},
        SessionEndCase{"YesSaves", true, false, true, QMessageBox::Yes, true, kOldAndNew},
        SessionEndCase{"CancelKeepsTheSession", true, false, true, QMessageBox::Cancel, false,
                       kOld},
        SessionEndCase{"AutomaticSavingSavesUnasked", true, true, true, 0, true, kOldAndNew},
        SessionEndCase{"NoLeaveToAskButAutomaticSaving", true, true, false, 0, true, kOldAndNew},
        SessionEndCase{"NoLeaveToAskLeavesTheNote", true, false, false, 0, true, kOld}),
    [](const ::testing::TestParamInfo<SessionEndCase>& param) { return param.param.name; });

TEST_F(FileCommandsTest, TheCloseAtTheSessionsEndAsksAgainOnlyAfterAnotherChange) {
    const QString path = env.path(QStringLiteral("session.tmk"));
    writeNoteFile(*env.files, path, {"old"});
    start({path});
    addMemo("new");
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::No);
    FakeSessionEnd session(true);
    window->endSession(session);
    ASSERT_EQ(answers.messages.size(), 1);

    // Another program stopped the end; the user goes on editing, then logs
    // out again: asked again.
    addMemo("newer");
    answers.thenMessage(QMessageBox::No);
    FakeSessionEnd again(true);
    window->endSession(again);
    EXPECT_EQ(answers.messages.size(), 2);

    // The windows close as the session ends: the answer stands.
    EXPECT_TRUE(window->close());
    EXPECT_EQ(answers.messages.size(), 2);
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(titlesInFile(path), kOld);
}

TEST_F(FileCommandsTest, AutomaticSavingCreatesTheDefaultNoteWithTheNextFreeNumber) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_TRUE(QDir().mkpath(documents));
    const QString taken = QDir(documents).filePath(QStringLiteral("マイ ノート.tmk"));
    const QString expected = QDir(documents).filePath(QStringLiteral("マイ ノート1.tmk"));
    QFile(expected).remove();
    writeNoteFile(*env.files, taken, {"someone else's"});
    start();
    app->settings().AutoSave = 1;

    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    answers.thenMessage(QMessageBox::Ok);
    answers.thenMessage(QMessageBox::No);  // the offer of a shortcut to the new file
    addMemo("first thought");              // saved at once
    EXPECT_EQ(app->notePath(), expected);
    EXPECT_FALSE(app->isModified());
    EXPECT_EQ(titlesInFile(expected), std::vector<std::string>{"first thought"});
    ASSERT_EQ(answers.messages.size(), 3);
    EXPECT_EQ(answers.messages.mid(0, 2),
              (QStringList{uiFormat(14011, {"マイ ノート1"}),
                           uiFormat(14015, {"マイ ノート1"})
                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))}));
    EXPECT_TRUE(answers.messages[2].endsWith(QStringLiteral("ショートカットを作成しますか?")));
    EXPECT_EQ(ReadDefaultNote(env.store).Str(), expected.toStdString());
    EXPECT_EQ(env.instances.defaultNoteChanges, 1);

    // Closing with automatic saving on never asks.
    addMemo("second thought");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(answers.messages.size(), 3);
    EXPECT_EQ(titlesInFile(expected),
              (std::vector<std::string>{"first thought", "second thought"}));
    QFile(taken).remove();
    QFile(expected).remove();
}

TEST_F(FileCommandsTest, ANoteHeldByAnotherProcessOpensReadOnly) {
    const QString path = env.path(QStringLiteral("plan.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    NoteHolderProcess holder(path);
    ASSERT_TRUE(holder.holding()) << holder.output().toStdString();
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    start({path});
    EXPECT_EQ(answers.messages, QStringList{uiText(14016)});
    EXPECT_TRUE(app->IsReadOnly());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("plan[編集禁止] - Tidemark"));
    EXPECT_FALSE(app->actions().action(kCmdSave)->isEnabled());
    EXPECT_TRUE(app->actions().action(kCmdReadOnly)->isChecked());
    // Leaving read-only mode needs the file, which the other process holds.
    answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdReadOnly);
    EXPECT_EQ(answers.messages.value(1), uiText(20096));
    EXPECT_TRUE(app->IsReadOnly());
}

TEST_F(FileCommandsTest, ReadOnlyModeReleasesTheFileAndIsRefusedWhileModified) {
    const QString path = env.path(QStringLiteral("plan.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    start({path});
    // While this window holds the file, another window could only read it.
    trigger(kCmdReadOnly);
    EXPECT_TRUE(app->IsReadOnly());
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("[編集禁止]")));
    {
        NoteHolderProcess other(path);
        EXPECT_TRUE(other.holding());  // the released file can be taken elsewhere
    }
    trigger(kCmdReadOnly);
    EXPECT_FALSE(app->IsReadOnly());

    addMemo("b");
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    app->fileCommands().toggleReadOnly();  // the command is greyed; a script could still ask
    EXPECT_EQ(answers.messages,
              QStringList{uiText(20097).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))});
    EXPECT_FALSE(app->IsReadOnly());
}

TEST_F(FileCommandsTest, AFileThatIsNotANoteIsReportedAndTheWindowKeepsANewNote) {
    const QString path = env.path(QStringLiteral("letter.txt"));
    QFile text(path);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Dear Hana,\r\n");
    text.close();
    start();
    DialogAnswerer answers;
    answers.thenFile(path);
    answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdOpenNote);
    EXPECT_EQ(answers.messages, QStringList{uiFormat(20010, {utf8(path)})});
    EXPECT_TRUE(app->notePath().isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("新しいノート - Tidemark"));
    EXPECT_EQ(app->note().ItemCount(), 1u);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FileCommandsTest, ANoteArgumentThatFailsToLoadIsReportedAndTheStartGoesOn) {
    const QString path = env.path(QStringLiteral("missing.tmk"));
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    StartupOutcome failed = env.start({path});
    EXPECT_TRUE(failed.runLoop);
    EXPECT_EQ(answers.messages, QStringList{uiFormat(20005, {utf8(path)})});
}

TEST_F(FileCommandsTest, RecentNotesKeepTenWithMnemonicsMostRecentFirst) {
    start();
    QStringList paths;
    for (int i = 0; i < 11; ++i) {
        paths << env.path(QStringLiteral("n%1.tmk").arg(i));
        app->fileCommands().addRecentNote(paths.last(), true);
    }
    QStringList texts;
    for (QAction* action : window->mainMenu()->recentNoteActions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    ASSERT_EQ(texts.size(), 10);
    EXPECT_EQ(texts.first(), QStringLiteral("&1  ") + paths[10]);
    EXPECT_EQ(texts.last(), QStringLiteral("&0  ") + paths[1]);  // n0 was dropped

    // The oldest moves to the top again without dropping anything.
    app->fileCommands().addRecentNote(paths[1], true);
    texts.clear();
    for (QAction* action : window->mainMenu()->recentNoteActions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    ASSERT_EQ(texts.size(), 10);
    EXPECT_EQ(texts.first(), QStringLiteral("&1  ") + paths[1]);
    EXPECT_EQ(texts.last(), QStringLiteral("&0  ") + paths[2]);
    // The entries sit above the separator before Exit.
    const QList<QAction*> file = window->mainMenu()->fileMenu()->actions();
    EXPECT_TRUE(file[file.size() - 2]->isSeparator());
    EXPECT_EQ(file.last(), app->actions().action(kCmdExit));
}

}  // namespace
