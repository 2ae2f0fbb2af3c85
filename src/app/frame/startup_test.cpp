#include "app/frame/startup.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/first_run_dialog.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/startup_option_dialog.h"
#include "app/list/group_content_list.h"
#include "app/list/group_content_model.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/script_store_format.h"
#include "core/settings/settings.h"
#include "core/settings/value_names.h"

namespace {

tidemark::Settings storedSettings(tidemark::ValueStore& store) {
    tidemark::Settings settings;
    tidemark::DefaultDragScrollSource drag;
    QtFontService fonts;
    settings.Load({store, fonts, drag, true});
    return settings;
}

// Registers one template, "予定表", whose script adds a memo titled "予定".
void registerTemplate(TestEnvironment& env) {
    const QString path = env.path(QStringLiteral("plan.js"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "var n = TMScript.GetNote();\n"
        "n.GetRootItem().NewItem(n.MEMO, n.CHILD).Title = \"予定\";\n");
    tidemark::ScriptEntry entry;
    entry.Name = fromQString(QStringLiteral("予定表"));
    entry.File = fromQString(path);
    entry.Attributes = tidemark::ScriptEntry::kTemplate;
    tidemark::ScriptStore store;
    store.Append(entry);
    env.store.SetBinary(tidemark::ValueName::kScriptStore, tidemark::WriteScriptStore(store));
}

// Chooses the first template of the template dialog, or cancels it.
void answerTemplateChoice(DialogAnswerer& answers, bool choose) {
    answers.then([choose](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("テンプレートの選択"));
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("scriptList"));
        ASSERT_NE(list, nullptr);
        if (!choose || list->topLevelItemCount() == 0) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        list->setCurrentItem(list->topLevelItem(0));
        static_cast<QDialog*>(dialog)->accept();
    });
}

std::vector<std::string> rootTitles(const tidemark::Note& note) {
    std::vector<std::string> titles;
    for (tidemark::ItemId id = note.FindItem(note.RootId())->links.firstChild;
         id != tidemark::kNoItem; id = note.FindItem(id)->links.next)
        titles.push_back(toQString(note.FindItem(id)->Title()).toStdString());
    return titles;
}

TEST(Startup, ANoteArgumentIsOpenedWithItsNameAndLayout) {
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("plan.tmk"));
    writeNoteFile(*env.files, path, {"first", "second"}, 1, 120);

    StartupOutcome outcome = env.start({path});
    ASSERT_TRUE(outcome.runLoop);
    MainWindow* window = outcome.application->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("plan - Tidemark"));
    EXPECT_EQ(window->layoutMode(), PaneLayout::kStacked);
    EXPECT_EQ(window->panes()->splitter(), 120);
    EXPECT_EQ(outcome.application->note().ItemCount(), 3u);
    EXPECT_EQ(outcome.application->recentNotes().MostRecent().Str(), path.toStdString());
    EXPECT_TRUE(env.launcher.started.empty());
}

TEST(Startup, ServerRegistrationEndsAtOnceWithoutAWindow) {
    for (const char* word : {"/RegServer", "-unregserver"}) {
        TestEnvironment env;
        StartupOutcome outcome = env.start({QString::fromLatin1(word)});
        EXPECT_FALSE(outcome.runLoop) << word;
        EXPECT_EQ(outcome.exitCode, 0) << word;
        EXPECT_EQ(outcome.application, nullptr) << word;
    }
}

TEST(Startup, RegServerThatCannotWriteTheActivationFileEndsWithOne) {
    TestEnvironment env;
    // The data folder lies below a plain file: no folder can be made there.
    const QString blocker = env.path(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", (blocker + QStringLiteral("/data")).toLocal8Bit());
    StartupOutcome outcome = env.start({QStringLiteral("-RegServer")});
    qputenv("XDG_DATA_HOME", dataHome);
    EXPECT_FALSE(outcome.runLoop);
    EXPECT_EQ(outcome.exitCode, StartupCode::kRegistrationFailed);
    EXPECT_EQ(outcome.application, nullptr);
}

TEST(Startup, TheProgramItselfEndsWithZeroOnRegServer) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TIDEMARK_PROGRAM), {QStringLiteral("-RegServer")});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(Startup, FirstRunInNormalModeExplainsBothModesAndOpensTheQuickStart) {
    TestEnvironment env(true);
    DialogAnswerer answers;
    QStringList explanations;
    answers.then([&](QWidget* widget) {
        auto* dialog = qobject_cast<FirstRunDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        explanations << dialog->explanation();
        dialog->chooseSimpleMode(false);
        explanations << dialog->explanation();
        dialog->accept();
    });
    StartupOutcome outcome = env.start({QStringLiteral("/n")});
    ASSERT_TRUE(outcome.runLoop);
    ASSERT_EQ(explanations.size(), 2);
    EXPECT_EQ(explanations[0], uiText(10041).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(explanations[1], uiText(10042).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], (QStringList{QStringLiteral("/h"), QStringLiteral("12")}));
    EXPECT_TRUE(tidemark::Settings::Exists(env.store));
    EXPECT_EQ(outcome.application->settings().AutoSave, 0u);
}

TEST(Startup, FirstRunInSimpleModeStoresTheSimpleDefaults) {
    TestEnvironment env(true);
    DialogAnswerer answers;
    answers.then([](QWidget* widget) { static_cast<QDialog*>(widget)->accept(); });
    StartupOutcome outcome = env.start({QStringLiteral("/n")});
    ASSERT_TRUE(outcome.runLoop);
    const tidemark::Settings stored = storedSettings(env.store);
    EXPECT_NE(stored.AutoSave, 0u);
    EXPECT_EQ(stored.StartupMode, 3);
    EXPECT_NE(stored.SimpleBand.Visible, 0u);
    EXPECT_EQ(stored.StandardBand.Visible, 0u);
    EXPECT_GE(env.instances.settingsBroadcasts, 1);
    MainWindow* window = outcome.application->window();
    EXPECT_TRUE(window->isToolbarShown(BandId::kSimple));
    EXPECT_FALSE(window->isToolbarShown(BandId::kStandard));
}

TEST(Startup, CancellingTheFirstRunChoiceEndsQuietlyAndStoresNothing) {
    TestEnvironment env(true);
    DialogAnswerer answers;
    answers.thenCancel();
    StartupOutcome outcome = env.start();
    EXPECT_FALSE(outcome.runLoop);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(tidemark::Settings::Exists(env.store));
    EXPECT_TRUE(env.launcher.started.empty());
}

TEST(Startup, AResidentFirstStartShowsNoFirstRunDialogAndNoWindow) {
    TestEnvironment env(true);
    DialogAnswerer answers;
    StartupOutcome outcome = env.start({QStringLiteral("-Embedding")});
    QTest::qWait(50);
    EXPECT_EQ(answers.unexpected, 0);
    ASSERT_TRUE(outcome.runLoop);
    Application& app = *outcome.application;
    EXPECT_TRUE(app.isResident());
    EXPECT_EQ(app.window(), nullptr);
    ASSERT_NE(app.residentIcon(), nullptr);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    ASSERT_NE(env.instances.handler, nullptr);
    EXPECT_TRUE(env.instances.handler->isResident());
    EXPECT_TRUE(env.launcher.started.empty());  // no help window either
}

TEST(Startup, ASecondResidentStartEndsWithMinusThree) {
    TestEnvironment env;
    env.instances.residentElsewhere = true;
    StartupOutcome outcome = env.start({QStringLiteral("/i")});
    EXPECT_FALSE(outcome.runLoop);
    EXPECT_EQ(outcome.exitCode, -3);
    EXPECT_EQ(outcome.application, nullptr);
}

TEST(Startup, AResidentStartHandsNoteArgumentsToWindowProcesses) {
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("plan.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    StartupOutcome outcome = env.start({QStringLiteral("/i"), path});
    ASSERT_TRUE(outcome.runLoop);
    EXPECT_TRUE(outcome.application->notePath().isEmpty());
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], QStringList{path});
}

TEST(Startup, ANoteHeldByAnotherWindowEndsThisProcessQuietly) {
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("held.tmk"));
    writeNoteFile(*env.files, path, {"a"});
    env.instances.held << path;
    StartupOutcome outcome = env.start({path});
    EXPECT_FALSE(outcome.runLoop);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(env.instances.asked, QStringList{path});
    EXPECT_EQ(env.instances.shared, QStringList{path});
}

TEST(Startup, ANoteArgumentThatCannotBeLoadedIsReportedAndTheWindowStays) {
    TestEnvironment env;
    const QString gone = env.path(QStringLiteral("gone.tmk"));
    const QString held = env.path(QStringLiteral("held.tmk"));
    writeNoteFile(*env.files, held, {"a"});
    env.instances.held << held;
    // The start-up choice is not asked when notes were named.
    tidemark::Settings settings = storedSettings(env.store);
    settings.StartupMode = 2;
    settings.Save(env.store);
    const struct {
        QStringList arguments;
        int messages;
    } cases[] = {
        {{gone}, 1},
        {{QStringLiteral("/r"), gone}, 1},
        {{held, gone}, 1},
        {{gone, gone}, 2},
    };
    for (const auto& c : cases) {
        const std::string name = c.arguments.join(u' ').toStdString();
        DialogAnswerer answers;
        for (int i = 0; i < c.messages; ++i)
            answers.thenMessage(QMessageBox::Ok);
        StartupOutcome outcome = env.start(c.arguments);
        ASSERT_TRUE(outcome.runLoop) << name;
        EXPECT_EQ(answers.messages, QStringList(c.messages, uiFormat(20005, {utf8(gone)}))) << name;
        EXPECT_EQ(answers.unexpected, 0) << name;
        EXPECT_TRUE(outcome.application->notePath().isEmpty()) << name;
        EXPECT_TRUE(outcome.application->window()->isVisible()) << name;
        EXPECT_EQ(outcome.application->window()->windowTitle(),
                  QStringLiteral("新しいノート - Tidemark"))
            << name;
    }
}

TEST(Startup, AMissingHelpNoteIsReportedAndTheStartFails) {
    TestEnvironment env;
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    StartupOutcome outcome = env.start({QStringLiteral("/h"), QStringLiteral("12")});
    EXPECT_FALSE(outcome.runLoop);
    EXPECT_EQ(outcome.exitCode, StartupCode::kHelpFailed);
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(answers.messages[0], uiFormat(20005, {utf8(env.environment().helpNotePath)}));
}

TEST(Startup, TheHelpNoteOpensReadOnlyAtItsTopic) {
    TestEnvironment env;
    writeNoteFile(*env.files, env.environment().helpNotePath, {"welcome", "quick start"});
    StartupOutcome outcome = env.start({QStringLiteral("/h3")});  // root 1, memos 2 and 3
    ASSERT_TRUE(outcome.runLoop);
    Application& app = *outcome.application;
    EXPECT_EQ(app.window()->windowTitle(), QStringLiteral("Tidemarkヘルプ"));
    EXPECT_TRUE(app.IsReadOnly());
    EXPECT_TRUE(app.isHelpNote());
    MemoTextView* text = app.window()->panes()->memoText();
    EXPECT_EQ(text->openMemo(), 3u);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("body of quick start"));
    EXPECT_TRUE(text->isReadOnly());
}

TEST(Startup, AHelpTopicIsRevealedAndSelectedInTheMemoList) {
    // root 1: memo 2, chapter 3 (closed, holding page 4), memo 5.
    auto writeHelp = [](TestEnvironment& env) {
        tidemark::Note note;
        note.MakeNew(tidemark::ByteString("help"));
        tidemark::AddMemo(note, note.RootId(), "intro");
        const tidemark::ItemId chapter = tidemark::AddGroup(note, note.RootId(), "chapter");
        tidemark::AddMemo(note, chapter, "page");
        tidemark::AddMemo(note, note.RootId(), "last");
        note.Save(*env.files, pathToBytes(env.environment().helpNotePath), true);
    };
    {
        TestEnvironment env;
        writeHelp(env);
        StartupOutcome outcome = env.start({QStringLiteral("/h"), QStringLiteral("4")});
        ASSERT_TRUE(outcome.runLoop);
        MainWindow& window = *outcome.application->window();
        EXPECT_EQ(window.panes()->memoList()->focusedItem(), 4u);
        EXPECT_EQ(window.panes()->memoText()->openMemo(), 4u);
    }
    {
        TestEnvironment env;
        writeHelp(env);
        StartupOutcome outcome = env.start({QStringLiteral("/h"), QStringLiteral("3")});
        ASSERT_TRUE(outcome.runLoop);
        MainWindow& window = *outcome.application->window();
        EXPECT_EQ(window.panes()->memoList()->focusedItem(), 3u);
        EXPECT_EQ(window.panes()->groupList()->contentModel()->group(), 3u);
    }
}

TEST(Startup, AHelpTopicWithoutAPageOpensTheHelpNoteAsTheRootTopicDoes) {
    // What "/h 0" shows: the help note from its beginning.
    auto shown = [](const char* topic) {
        TestEnvironment env;
        writeNoteFile(*env.files, env.environment().helpNotePath, {"welcome", "quick start"});
        StartupOutcome outcome = env.start({QStringLiteral("/h"), QString::fromLatin1(topic)});
        EXPECT_TRUE(outcome.runLoop) << topic;
        if (!outcome.runLoop)
            return std::pair<tidemark::ItemId, tidemark::ItemId>{};
        Application& app = *outcome.application;
        EXPECT_TRUE(app.isHelpNote()) << topic;
        return std::pair{app.note().CurrentItemId(), app.window()->panes()->memoText()->openMemo()};
    };
    const auto atRoot = shown("0");
    EXPECT_NE(atRoot, shown("3"));                 // a page that exists is shown instead
    for (const char* topic : {"99", "-5", "1"}) {  // no such item, not an id, the root itself
        EXPECT_EQ(shown(topic), atRoot) << topic;
    }
}

TEST(Startup, TheStartupChoiceCanBeCancelledOrRemembered) {
    {
        TestEnvironment env;
        tidemark::Settings settings = storedSettings(env.store);
        settings.StartupMode = 5;
        settings.Save(env.store);
        DialogAnswerer answers;
        answers.thenCancel();
        StartupOutcome outcome = env.start();
        EXPECT_FALSE(outcome.runLoop);
        EXPECT_EQ(outcome.exitCode, 0);
    }
    TestEnvironment env;
    const QString last = env.path(QStringLiteral("last.tmk"));
    writeNoteFile(*env.files, last, {"kept"});
    tidemark::Settings settings = storedSettings(env.store);
    settings.StartupMode = 5;
    settings.Save(env.store);
    env.store.SetString("history0", last.toStdString());
    DialogAnswerer answers;
    bool lastNoteOffered = false;
    answers.then([&](QWidget* widget) {
        auto* dialog = qobject_cast<StartupOptionDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        lastNoteOffered = dialog->lastNoteAvailable();
        EXPECT_FALSE(dialog->rememberChoice());  // unchecked while the setting is 5
        dialog->choose(3);
        dialog->setRememberChoice(true);
        dialog->accept();
    });
    StartupOutcome outcome = env.start();
    ASSERT_TRUE(outcome.runLoop);
    EXPECT_TRUE(lastNoteOffered);
    EXPECT_EQ(outcome.application->notePath(), last);
    EXPECT_EQ(storedSettings(env.store).StartupMode, 3);
}

TEST(Startup, AMissingLastNoteIsReportedAndTheWindowStaysWithANewNote) {
    TestEnvironment env;
    tidemark::Settings settings = storedSettings(env.store);
    settings.StartupMode = 3;
    settings.Save(env.store);
    const QString gone = env.path(QStringLiteral("gone.tmk"));
    env.store.SetString("history0", gone.toStdString());
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    StartupOutcome outcome = env.start();
    ASSERT_TRUE(outcome.runLoop);
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(answers.messages[0], uiFormat(20005, {utf8(gone)}));
    EXPECT_TRUE(outcome.application->notePath().isEmpty());
    EXPECT_EQ(outcome.application->window()->windowTitle(),
              QStringLiteral("新しいノート - Tidemark"));
}

}  // namespace

namespace {

TEST(Startup, TheTemplateSwitchFillsTheNewNoteWithTheChosenTemplate) {
    TestEnvironment env;
    ASSERT_NO_FATAL_FAILURE(registerTemplate(env));
    DialogAnswerer answers;
    answerTemplateChoice(answers, true);
    StartupOutcome outcome = env.start({QStringLiteral("/t")});
    ASSERT_TRUE(outcome.runLoop);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(rootTitles(outcome.application->note()), std::vector<std::string>{"予定"});
    EXPECT_TRUE(outcome.application->notePath().isEmpty());
    EXPECT_TRUE(outcome.application->window()->isVisible());
    EXPECT_TRUE(env.launcher.started.empty());
}

TEST(Startup, CancellingTheTemplateChoiceOfTheTemplateSwitchEndsWithMinusSeven) {
    TestEnvironment env;
    ASSERT_NO_FATAL_FAILURE(registerTemplate(env));
    DialogAnswerer answers;
    answerTemplateChoice(answers, false);
    StartupOutcome outcome = env.start({QStringLiteral("/t")});
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_FALSE(outcome.runLoop);
    EXPECT_EQ(outcome.exitCode, StartupCode::kTemplateFailed);
}

TEST(Startup, WithoutATemplateTheChoiceOffersNothingAndOkSaysNoneIsSelected) {
    TestEnvironment env;
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("scriptList"));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->topLevelItemCount(), 0);
        static_cast<QDialog*>(dialog)->accept();
        static_cast<QDialog*>(dialog)->reject();
    });
    answers.thenMessage(QMessageBox::Ok);
    StartupOutcome outcome = env.start({QStringLiteral("/t")});
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.messages, QStringList({QStringLiteral("スクリプトが選択されていません。")}));
    EXPECT_EQ(outcome.exitCode, StartupCode::kTemplateFailed);
}

TEST(Startup, TheTemplateStartupOptionAsksForATemplateAtEveryStart) {
    {
        TestEnvironment env;
        ASSERT_NO_FATAL_FAILURE(registerTemplate(env));
        tidemark::Settings settings = storedSettings(env.store);
        settings.StartupMode = 4;
        settings.Save(env.store);
        DialogAnswerer answers;
        answerTemplateChoice(answers, true);
        StartupOutcome outcome = env.start();
        ASSERT_TRUE(outcome.runLoop);
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_EQ(rootTitles(outcome.application->note()), std::vector<std::string>{"予定"});
    }
    // Cancelled, the start ends as a cancelled start-up choice does.
    TestEnvironment env;
    ASSERT_NO_FATAL_FAILURE(registerTemplate(env));
    tidemark::Settings settings = storedSettings(env.store);
    settings.StartupMode = 4;
    settings.Save(env.store);
    DialogAnswerer answers;
    answerTemplateChoice(answers, false);
    StartupOutcome outcome = env.start();
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_FALSE(outcome.runLoop);
    EXPECT_EQ(outcome.exitCode, StartupCode::kQuiet);
}

}  // namespace
