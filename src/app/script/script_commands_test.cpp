#include "app/script/script_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <functional>

#include "app/common/command_actions.h"
#include "app/common/link_opener.h"
#include "app/common/qt_text.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/command_ids.h"
#include "core/settings/settings.h"
#include "platform/instance_bus/instance_query_handler.h"
#include "platform/pdf_probe_for_test.h"

namespace {

using namespace tidemark;

const QString kSource = QStringLiteral("Tidemarkスクリプト実行時エラー");

class RecordingLinkOpener : public LinkOpener {
public:
    bool openLink(const QString& target) override {
        opened << target;
        return answer;
    }
    QStringList opened;
    bool answer = true;
};

class ScriptRunTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kSideBySide, QSize(800, 600)));
        root = app->note().RootId();
    }

    // A script file in the test's folder, UTF-8 unless given bytes.
    QString script(const QString& name, const QByteArray& bytes) {
        const QString path = env.path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString script(const QString& name, const QString& text) { return script(name, text.toUtf8()); }

    // Runs the command, picking `path` in its file dialog; `answer` queues
    // the answers to the dialogs that come after it. The message boxes' texts.
    QStringList run(const QString& path, const std::function<void(DialogAnswerer&)>& answer = {}) {
        DialogAnswerer answers;
        answers.thenFile(path);
        if (answer)
            answer(answers);
        app->actions().action(kCmdRunScriptFile)->trigger();
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_EQ(answers.unexpected, 0) << answers.messages.join(u'|').toStdString();
        return answers.messages;
    }

    // The run of a script file by name, as other commands start one.
    QStringList runNamed(const QString& name, int boxes) {
        DialogAnswerer answers;
        for (int i = 0; i < boxes; ++i)
            answers.thenMessage(QMessageBox::Ok);
        auto* commands = window->findChild<ScriptCommands*>(QStringLiteral("scriptCommands"));
        EXPECT_NE(commands, nullptr);
        if (commands)
            commands->runScriptFile(name);
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_EQ(answers.unexpected, 0) << answers.messages.join(u'|').toStdString();
        return answers.messages;
    }

    // What the script wrote with TMScript.FileObject(OUT).Write (CP932, CR LF).
    QString output() {
        QFile file(env.path("out.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<no output>");
        const QByteArray bytes = file.readAll();
        return toQString(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    }
    // The script prelude naming the output file.
    QString prelude() const {
        return QStringLiteral("var OUT = \"%1\";\n").arg(env.path("out.txt"));
    }

    std::vector<ItemId> children(ItemId group) const {
        std::vector<ItemId> ids;
        const Note& note = app->note();
        for (ItemId id = note.FindItem(group)->links.firstChild; id != kNoItem;
             id = note.FindItem(id)->links.next)
            ids.push_back(id);
        return ids;
    }
    QString title(ItemId id) const { return toQString(app->note().FindItem(id)->Title()); }
    QString body(ItemId id) const {
        return toQString(static_cast<const Memo*>(app->note().FindItem(id))->Body());
    }

    ItemId root = kNoItem;
};

TEST_F(ScriptRunTest, ScriptBuildsItemsInTheWindowsNote) {
    const QString path = script(QStringLiteral("make.js"),
                                prelude() + QStringLiteral(R"(
var note = TMScript.GetNote();
var root = note.GetRootItem();
var a = root.NewItem(note.MEMO, note.CHILD);
a.Title = "買い物";
a.Body = "牛乳\n卵";
var g = root.NewItem(note.MEMOGROUP, note.CHILD);
g.Title = "仕事";
var b = g.NewItem(note.MEMO, note.CHILD);
b.Title = "報告";
b.StrikeOut = true;
var first = root.GetChildItem(0);
TMScript.FileObject(OUT).Write([TMScript.Version, TMScript.ScriptName,
    TMScript.ScriptFileName == "%1", first.Id == a.Id, first.Type, g.Type,
    note.GetItemCount(), a.Title, a.Body, b.StrikeOut, b.IsParent(g), g.IsParent(b)].join("|"));
)")
                                                .arg(env.path(QStringLiteral("make.js"))));
    run(path);

    const std::vector<ItemId> top = children(root);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(title(top[0]), QStringLiteral("買い物"));
    EXPECT_EQ(body(top[0]), QStringLiteral("牛乳\r\n卵"));
    EXPECT_EQ(title(top[1]), QStringLiteral("仕事"));
    const std::vector<ItemId> inner = children(top[1]);
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(title(inner[0]), QStringLiteral("報告"));
    EXPECT_EQ(output(),
              QStringLiteral("1005|make.js|true|true|3|2|3|買い物|牛乳\r\n卵|true|true|false"));
    EXPECT_FALSE(window->isBusy());
}

TEST_F(ScriptRunTest, CaughtErrorsCarryTheirStringIdAndMessage) {
    const QString path = script(QStringLiteral("errors.js"), prelude() + QStringLiteral(R"(
var r = [];
function attempt(f) {
    try { f(); r.push("none"); }
    catch (e) { r.push(e.number + (e.message == e.description && e instanceof Error ? "" : "?")); }
}
var note = TMScript.GetNote();
var root = note.GetRootItem();
attempt(function () { root.NewItem(1, note.CHILD); });
attempt(function () { root.NewItem(note.MEMO, note.NEXT); });
attempt(function () { root.Title = "x"; });
attempt(function () { var t = root.Title; });
attempt(function () { note.Save(); });
attempt(function () { note.Remarks = "\u3000"; });
attempt(function () { TMScript.CreateObject("Scripting.FileSystemObject"); });
var m = root.NewItem(note.MEMO, note.CHILD);
attempt(function () { m.NewItem(note.MEMO, note.CHILD); });
attempt(function () { m.Foreground = "#12345"; });
attempt(function () { m.Title = new Array(130).join("あ") + "a"; });
attempt(function () { m.Title = new Array(131).join("あ"); });
m.DeleteItem();
attempt(function () { m.Title = "y"; });
r.push(m.IsDeleted());
try { root.NewItem(1, note.CHILD); } catch (e) { r.push(e.message); }
TMScript.FileObject(OUT).Write(r.join(","));
)"));
    run(path);
    EXPECT_EQ(output(),
              QStringLiteral("20056,20053,20053,20053,20090,20047,20041,20054,20048,none,"
                             "20051,20059,true,type引数に指定された値(1)は正しくありません。"));
    EXPECT_TRUE(children(root).empty());
}

// Two memos shown in the window, the first focused in the memo list and
// open in the text pane.
class ScriptViewTest : public ScriptRunTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ScriptRunTest::SetUp());
        first = AddMemo(app->note(), root, fromQString(QStringLiteral("一つ目")).Str());
        static_cast<Memo*>(app->note().FindItem(first))
            ->SetRawBody(fromQString(QStringLiteral("元の本文です")));
        second = AddMemo(app->note(), root, fromQString(QStringLiteral("二つ目")).Str());
        window->noteReplaced();
        list = window->panes()->memoList();
        text = window->panes()->memoText();
        list->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return list->hasFocus(); }));
        ASSERT_TRUE(list->focusItem(first, true));
        ASSERT_EQ(text->openMemo(), first);
    }

    ItemId first = kNoItem;
    ItemId second = kNoItem;
    MemoList* list = nullptr;
    MemoTextView* text = nullptr;
};

TEST_F(ScriptViewTest, ScriptSeesTheSelectionAndTheViewShowsItsChanges) {
    const QString path = script(QStringLiteral("view.js"), prelude() + QStringLiteral(R"(
var note = TMScript.GetNote();
var f = note.GetFocusItem();
TMScript.FileObject(OUT).Write([f.Title, note.GetSelectedItemCount(),
    note.GetSelectedItem(0).Id == f.Id, "[" + note.GetSelectedText() + "]"].join("|"));
f.Body = "書き換えた本文";
f.Title = "改題";
f.GetItem(note.NEXT).DeleteItem();
)"));
    EXPECT_TRUE(run(path).isEmpty());
    EXPECT_EQ(output(), QStringLiteral("一つ目|1|true|[]"));
    EXPECT_EQ(app->note().FindItem(second), nullptr);
    EXPECT_EQ(list->focusedItem(), first);
    EXPECT_EQ(text->openMemo(), first);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("書き換えた本文"));
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("改題"));
}

TEST_F(ScriptViewTest, DeletingTheShownMemoLeavesTheTextPaneEmpty) {
    const QString path = script(QStringLiteral("delete.js"), QStringLiteral(R"(
var note = TMScript.GetNote();
var f = note.GetFocusItem();
f.DeleteItem();
if (!f.IsDeleted()) throw new Error("still there");
)"));
    EXPECT_TRUE(run(path).isEmpty());
    EXPECT_EQ(app->note().FindItem(first), nullptr);
    EXPECT_EQ(text->openMemo(), kNoItem);
    EXPECT_FALSE(text->holdsMemo());
    // The pane shows its guide, nothing of the deleted memo.
    EXPECT_FALSE(text->toPlainText().contains(QStringLiteral("元の本文"))) << text->toPlainText().toStdString();
    EXPECT_TRUE(text->isReadOnly() || !text->canEdit());
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("二つ目"));
}

TEST_F(ScriptViewTest, WhatOtherWindowsAskWaitsUntilTheScriptEnds) {
    ASSERT_NE(env.instances.handler, nullptr);
    app->setNotePath(env.path(QStringLiteral("shown.tmk")));
    const QString path = script(QStringLiteral("waits.js"), prelude() + QStringLiteral(R"(
var note = TMScript.GetNote();
var answer = TMScript.Input("続き", "");
note.GetRootItem().NewItem(note.MEMO, note.CHILD).Title = "入力の後";
TMScript.FileObject(OUT).Write(answer);
)"));
    bool openWhileRunning = false;
    bool settingsWhileRunning = true;
    bool focusWhileRunning = false;
    app->settings().ShowStatusBar = 1;
    DialogAnswerer answers;
    answers.thenFile(path);
    answers.then([&](QWidget* dialog) {
        // Another window asks this one to close, to show the second memo and
        // to apply settings that hide the status bar.
        tidemark::Settings changed = app->settings();
        changed.ShowStatusBar = 0;
        changed.Save(env.store);
        env.instances.handler->close();
        EXPECT_TRUE(env.instances.handler->holdsNote(app->notePath(), second));
        env.instances.handler->reloadSettings(true);
        QTest::qWait(100);
        openWhileRunning = window->isVisible();
        settingsWhileRunning = app->settings().ShowStatusBar == 0;
        focusWhileRunning = list->focusedItem() == first;
        auto* input = qobject_cast<QInputDialog*>(dialog);
        ASSERT_NE(input, nullptr);
        input->setTextValue(QStringLiteral("続けた"));
        input->accept();
    });
    // The held close asks about the changed note once the run is over.
    answers.thenMessage(QMessageBox::No);
    app->actions().action(kCmdRunScriptFile)->trigger();
    EXPECT_TRUE(openWhileRunning);
    EXPECT_FALSE(settingsWhileRunning);
    EXPECT_TRUE(focusWhileRunning);
    EXPECT_EQ(output(), QStringLiteral("続けた"));
    ASSERT_EQ(children(root).size(), 3u);
    EXPECT_EQ(title(children(root).back()), QStringLiteral("入力の後"));

    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    EXPECT_EQ(app->settings().ShowStatusBar, 0);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0) << answers.messages.join(u'|').toStdString();
}

TEST_F(ScriptViewTest, SelectedTextComesFromTheFocusedTextPane) {
    text->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
    QTextCursor cursor(text->document());
    cursor.setPosition(2);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
    const QString path = script(QStringLiteral("selected.js"), prelude() + QStringLiteral(R"(
TMScript.FileObject(OUT).Write(TMScript.GetNote().GetSelectedText());
)"));
    EXPECT_TRUE(run(path).isEmpty());
    EXPECT_EQ(output(), QStringLiteral("本文"));
}

struct UnhandledCase {
    const char* name;
    const char* thirdLine;
    const char* source;       // empty: no box at all
    const char* description;  // a prefix of the box's description
    int character;            // 1 where the engine does not tell
};

class UnhandledErrorTest : public ScriptRunTest,
                           public ::testing::WithParamInterface<UnhandledCase> {};

TEST_P(UnhandledErrorTest, ShowsTheErrorBoxWithItsLine) {
    const UnhandledCase& c = GetParam();
    const QString path = script(QStringLiteral("fail.js"),
                                QStringLiteral("var note = TMScript.GetNote();\n"
                                               "var root = note.GetRootItem();\n") +
                                    QString::fromUtf8(c.thirdLine) +
                                    QStringLiteral("\nroot.NewItem(note.MEMO, note.CHILD);\n"));
    const bool boxed = *c.source != 0;
    const QStringList messages = run(path, [&](DialogAnswerer& answers) {
        if (boxed)
            answers.thenMessage(QMessageBox::Ok);
    });
    if (!boxed) {
        EXPECT_TRUE(messages.isEmpty());
    } else {
        ASSERT_EQ(messages.size(), 1);
        const QString expected =
            QString::fromUtf8(c.source) +
            QStringLiteral("\n\nスクリプト:\tfail.js\n行:\t3\n文字:\t%1\n\n").arg(c.character) +
            QString::fromUtf8(c.description);
        EXPECT_TRUE(messages[0].startsWith(expected)) << messages[0].toStdString();
    }
    // The script stopped at line 3: nothing after it ran.
    EXPECT_TRUE(children(root).empty());
    EXPECT_FALSE(window->isBusy());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnhandledErrorTest,
    ::testing::Values(
        UnhandledCase{"ObjectError", "root.NewItem(note.MEMO, note.NEXT);",
                      "Tidemarkスクリプト実行時エラー",
                      "このオブジェクトはそのようなアクセスを許可していません。", 1},
        UnhandledCase{"SetterError", "root.Title = \"x\";", "Tidemarkスクリプト実行時エラー",
                      "このオブジェクトはそのようなアクセスを許可していません。", 1},
        UnhandledCase{"ScriptsOwnError", "throw new Error(\"自前の失敗\");", "Error", "自前の失敗",
                      1},
        UnhandledCase{"SyntaxError", "var = ;", "SyntaxError", "", 5},
        UnhandledCase{"NoDescription", "throw new Error(\"\");", "", "", 1},
        // "Error", "fail.js" and the layout's 159 bytes: a description of
        // 852 bytes stays below the bound of 1024, one of 853 reaches it; a
        // double-byte character counts 2.
        UnhandledCase{"LongDescription", "throw new Error(new Array(853).join(\"x\"));", "Error",
                      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 1},
        UnhandledCase{"TooLongDescription", "throw new Error(new Array(854).join(\"x\"));", "Error",
                      "(too long error message)", 1},
        UnhandledCase{"TooLongInBytes", "throw new Error(new Array(428).join(\"あ\"));", "Error",
                      "(too long error message)", 1}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ScriptRunTest, CancelStopsAnEndlessLoopAndGivesTheWindowBack) {
    const QString path = script(QStringLiteral("loop.js"), QStringLiteral(R"(
var note = TMScript.GetNote();
note.GetRootItem().NewItem(note.MEMO, note.CHILD).Title = "前";
TMScript.Console("回っています\n");
while (true) {}
)"));
    bool busyWhileRunning = false;
    QString console;
    QTimer canceller;
    canceller.setInterval(20);
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        auto* progress = window->findChild<QDialog*>(QStringLiteral("scriptProgress"));
        if (!progress || !progress->isVisible())
            return;
        auto* text = progress->findChild<QPlainTextEdit*>(QStringLiteral("console"));
        if (!text || text->toPlainText().isEmpty())
            return;
        console = text->toPlainText();
        busyWhileRunning = window->isBusy();
        canceller.stop();
        progress->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    });
    canceller.start();
    const QStringList messages =
        run(path, [](DialogAnswerer& answers) { answers.thenMessage(QMessageBox::Ok); });

    EXPECT_TRUE(busyWhileRunning);
    EXPECT_EQ(console, QStringLiteral("回っています\n"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(kSource + QStringLiteral("\n\nスクリプト:\tloop.js\n")));
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral("スクリプトの実行がキャンセルされました。")))
        << messages[0].toStdString();
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(window->findChild<QDialog*>(QStringLiteral("scriptProgress")), nullptr);
    const std::vector<ItemId> top = children(root);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(title(top[0]), QStringLiteral("前"));
}

TEST_F(ScriptRunTest, QuitEndsTheScriptWithoutABox) {
    const QString path = script(QStringLiteral("quit.js"), QStringLiteral(R"(
var note = TMScript.GetNote();
var m = note.GetRootItem().NewItem(note.MEMO, note.CHILD);
m.Title = "前";
TMScript.Quit();
m.Title = "後";
)"));
    EXPECT_TRUE(run(path).isEmpty());
    ASSERT_EQ(children(root).size(), 1u);
    EXPECT_EQ(title(children(root)[0]), QStringLiteral("前"));
}

TEST_F(ScriptRunTest, DialogsAnswerTheScript) {
    app->settings().EditorPath = fromQString(QStringLiteral("/opt/エディタ/edit"));
    const QString picked = script(QStringLiteral("picked.txt"), QStringLiteral("中身"));
    const QString path =
        script(QStringLiteral("ask.js"),
               prelude() + QStringLiteral("var PICKED = \"%1\";").arg(picked) + QStringLiteral(R"(
var r = [];
r.push(TMScript.Confirm("続けますか", TMScript.YESNO) == TMScript.YES);
r.push(TMScript.Confirm("続けますか", TMScript.YESNO) == TMScript.NO);
r.push(TMScript.Input("名前", "初期"));
r.push(TMScript.Input("名前", "初期"));
r.push(TMScript.Choose("どれ", "甲\r\n乙\r\n丙", 0));
r.push(TMScript.Choose("どれ", "甲\n乙", 1));
r.push(TMScript.ChooseFile("開くファイル", false) == PICKED);
r.push("[" + TMScript.ChooseFile("保存先", true) + "]");
r.push(TMScript.EditorName);
TMScript.Message("終わり");
TMScript.FileObject(OUT).Write(r.join("|"));
)"));
    const QStringList messages = run(path, [&](DialogAnswerer& answers) {
        answers.thenMessage(QMessageBox::Yes);
        answers.thenMessage(QMessageBox::No);
        answers.then([](QWidget* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->textValue(), QStringLiteral("初期"));
            input->setTextValue(QStringLiteral("入力した"));
            input->accept();
        });
        answers.thenCancel();
        answers.then([](QWidget* dialog) {
            auto* choose = qobject_cast<QInputDialog*>(dialog);
            ASSERT_NE(choose, nullptr);
            EXPECT_EQ(
                choose->comboBoxItems(),
                QStringList({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}));
            choose->setTextValue(QStringLiteral("丙"));
            choose->accept();
        });
        answers.thenCancel();
        answers.thenFile(picked);
        answers.thenCancel();
        answers.thenMessage(QMessageBox::Ok);
    });
    EXPECT_EQ(output(), QStringLiteral("true|true|入力した||2|-1|true|[]|/opt/エディタ/edit"));
    EXPECT_EQ(messages.value(2), QStringLiteral("終わり"));
}

TEST_F(ScriptRunTest, ReadsAScriptInCp932) {
    const QString text = QStringLiteral(
        "var note = TMScript.GetNote();\n"
        "note.GetRootItem().NewItem(note.MEMO, note.CHILD).Title = \"日本語の題\";\n");
    const ByteString bytes = fromQString(text);
    run(script(QStringLiteral("sjis.js"),
               QByteArray(bytes.View().data(), qsizetype(bytes.View().size()))));
    ASSERT_EQ(children(root).size(), 1u);
    EXPECT_EQ(title(children(root)[0]), QStringLiteral("日本語の題"));
}

TEST_F(ScriptRunTest, DetachedNotesComeFromTheService) {
    const QString saved = env.path(QStringLiteral("made.tmk"));
    const QString path = script(QStringLiteral("service.js"), prelude() + QStringLiteral(R"(
var service = TMScript.CreateObject("tmk.NoteService");
var note = service.New();
var m = note.GetRootItem().NewItem(note.MEMO, note.CHILD);
m.Title = "別のノート";
note.SaveAs("%1");
var held;
try { service.Open("%1"); held = "opened"; } catch (e) { held = e.number; }
TMScript.FileObject(OUT).Write([service.Version, note.GetItemCount(),
    note.FileName == "%1", held].join("|"));
)")
                                                                              .arg(saved));
    run(path);
    // The note saved holds its file while the script keeps it.
    EXPECT_EQ(output(), QStringLiteral("1005|1|true|20030"));
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(children(root).empty());
}

TEST_F(ScriptRunTest, GetObjectOpensNoteFilesOnly) {
    const QString note = env.path(QStringLiteral("other.tmk"));
    writeNoteFile(*env.files, note, {"甲", "乙"});
    const QString path =
        script(QStringLiteral("get.js"),
               prelude() + QStringLiteral(R"(
var r = [];
function attempt(f) { try { r.push(f()); } catch (e) { r.push(e.number); } }
attempt(function () { return TMScript.GetObject("%1", "").GetItemCount(); });
attempt(function () { return TMScript.GetObject("%2", "").GetItemCount(); });
attempt(function () { return TMScript.GetObject("%1", "Excel.Application").GetItemCount(); });
TMScript.FileObject(OUT).Write(r.join(","));
)")
                               .arg(note, env.path(QStringLiteral("missing.tmk"))));
    EXPECT_TRUE(run(path).isEmpty());
    EXPECT_EQ(output(), QStringLiteral("2,20042,20042"));
}

TEST_F(ScriptRunTest, ExecuteWaitsForTheProgramAndGivesItsExitCode) {
    const QString path = script(QStringLiteral("exec.js"),
                                prelude() + QStringLiteral(R"(
var r = [];
r.push(TMScript.Execute("sh -c \"exit 3\""));
r.push(TMScript.Execute("sh -c \"echo made > %1\""));
try { TMScript.Execute("/no/such/program"); r.push("ran"); } catch (e) { r.push(e.number); }
TMScript.FileObject(OUT).Write(r.join(","));
)")
                                                .arg(env.path(QStringLiteral("made.txt"))));
    EXPECT_TRUE(run(path).isEmpty());
    EXPECT_EQ(output(), QStringLiteral("3,0,20043"));
    EXPECT_TRUE(QFile::exists(env.path(QStringLiteral("made.txt"))));
}

TEST_F(ScriptRunTest, CancelStopsAProgramExecuteWaitsFor) {
    const QString path = script(QStringLiteral("wait.js"), QStringLiteral(R"(
TMScript.Console("待っています");
TMScript.Execute("sleep 60");
TMScript.GetNote().GetRootItem().NewItem(3, 17);
)"));
    QTimer canceller;
    canceller.setInterval(100);
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        auto* progress = window->findChild<QDialog*>(QStringLiteral("scriptProgress"));
        if (!progress || !progress->isVisible())
            return;
        canceller.stop();
        progress->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    });
    canceller.start();
    const QStringList messages =
        run(path, [](DialogAnswerer& answers) { answers.thenMessage(QMessageBox::Ok); });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral("スクリプトの実行がキャンセルされました。")))
        << messages[0].toStdString();
    EXPECT_TRUE(children(root).empty());
    EXPECT_FALSE(window->isBusy());
}

TEST_F(ScriptRunTest, RunOpensAddressesAndDocumentsAndStartsPrograms) {
    RecordingLinkOpener opener;
    window->panes()->memoText()->setLinkOpener(&opener);
    const QString made = env.path(QStringLiteral("started.txt"));
    const QString path = script(QStringLiteral("run.js"), prelude() + QStringLiteral(R"(
function repeat(c, n) { return new Array(n + 1).join(c); }
var r = [];
function attempt(command) {
    try { TMScript.Run(command); r.push("ok"); } catch (e) { r.push(e.number); }
}
attempt("http://example.com/page");
attempt("\"%1/my docs/a b.txt\" ignored");
attempt("http://" + repeat("a", 2083 - 7));
attempt("http://" + repeat("a", 2084 - 7));
attempt("/" + repeat("n", 258));
attempt("/" + repeat("n", 259));
attempt("/" + repeat("あ", 130));
attempt("https://" + repeat("s", 300));
attempt("sh -c \"echo started > %2\"");
TMScript.FileObject(OUT).Write(r.join(","));
)")
                                                                          .arg(env.folder(), made));
    EXPECT_TRUE(run(path).isEmpty());
    EXPECT_EQ(output(), QStringLiteral("ok,ok,ok,20071,ok,20072,20072,20072,ok"));
    ASSERT_EQ(opener.opened.size(), 4);
    EXPECT_EQ(opener.opened[0], QStringLiteral("http://example.com/page"));
    EXPECT_EQ(opener.opened[1], env.folder() + QStringLiteral("/my docs/a b.txt"));
    EXPECT_EQ(opener.opened[2].size(), 2083);
    EXPECT_EQ(opener.opened[3].size(), 259);
    // The program runs on its own; the script did not wait for it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(made); }, 10000));
    window->panes()->memoText()->setLinkOpener(nullptr);
}

TEST_F(ScriptRunTest, RunThatCannotOpenRaisesWithTheWholeCommand) {
    RecordingLinkOpener opener;
    opener.answer = false;
    window->panes()->memoText()->setLinkOpener(&opener);
    const QString path = script(QStringLiteral("nothing.js"), prelude() + QStringLiteral(R"(
try { TMScript.Run("/no/such/file  x"); } catch (e) {
    TMScript.FileObject(OUT).Write(e.number + " " + e.description);
}
)"));
    EXPECT_TRUE(run(path).isEmpty());
    EXPECT_EQ(output(),
              QStringLiteral("20043 \"/no/such/file  x\"というコマンドは実行できません。"));
    window->panes()->memoText()->setLinkOpener(nullptr);
}

TEST_F(ScriptRunTest, TheExtensionChoosesTheEngine) {
    env.store.SetString(".tms", "JScript");
    env.store.SetString(".TMJ", "javascript");
    env.store.SetString(".vbs", "VBScript");
    env.store.SetString(".abcdefghijklmno", "JScript");  // 16 bytes: not an extension
    const QString maker = QStringLiteral(
        "var n = TMScript.GetNote(); n.GetRootItem().NewItem(n.MEMO, n.CHILD).Title = \"%1\";");
    struct Case {
        const char* file;
        const char* box;  // empty: the script ran
    };
    const Case cases[] = {
        {"a.tms", ""},
        {"b.TMS", ""},
        {"c.tmj", ""},
        {"d.JS", ""},
        {"e.vbs",
         "スクリプティングエンジンの起動に失敗しました。\nスクリプトを実行できません。\n\n"
         "スクリプト:\te.vbs"},
        {"f.txt", "指定されたファイルはスクリプトとして実行できません。"},
        {"noextension", "指定されたファイルはスクリプトとして実行できません。"},
        {"g.abcdefghijklmno", "指定されたファイルはスクリプトとして実行できません。"},
    };
    QStringList ran;
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.file);
        const QString path = script(name, maker.arg(name));
        const bool boxed = *c.box != 0;
        const QStringList messages = runNamed(path, boxed ? 1 : 0);
        if (boxed) {
            EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.box)}) << c.file;
        } else {
            EXPECT_TRUE(messages.isEmpty()) << c.file;
            ran << name;
        }
    }
    QStringList titles;
    for (ItemId id : children(root))
        titles << title(id);
    EXPECT_EQ(titles, ran);
    EXPECT_EQ(ran.size(), 4);
}

TEST_F(ScriptRunTest, OnlySixteenExtensionsAreRead) {
    for (int i = 1; i <= 16; ++i)
        env.store.SetString(QStringLiteral(".e%1").arg(i, 2, 10, QChar(u'0')).toStdString(),
                            "VBScript");
    env.store.SetString(".zz", "JScript");
    const QString path = script(QStringLiteral("late.zz"), QStringLiteral("TMScript.Quit();"));
    EXPECT_EQ(runNamed(path, 1),
              QStringList{QStringLiteral("指定されたファイルはスクリプトとして実行できません。")});
}

TEST_F(ScriptRunTest, MachineWideExtensionsComeAfterTheUsersOwn) {
    env.store.SetString(".both", "VBScript");
    env.systemStore.SetString(".BOTH", "JScript");
    env.systemStore.SetString(".mach", "JavaScript");
    env.systemStore.SetString(".other", "PerlScript");
    struct Case {
        const char* file;
        const char* box;  // empty: the script ran
    };
    const Case cases[] = {
        {"a.mach", ""},
        {"b.both",
         "スクリプティングエンジンの起動に失敗しました。\nスクリプトを実行できません。\n\n"
         "スクリプト:\tb.both"},
        {"c.other",
         "スクリプティングエンジンの起動に失敗しました。\nスクリプトを実行できません。\n\n"
         "スクリプト:\tc.other"},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.file);
        const QString path = script(name, prelude() + QStringLiteral("TMScript.FileObject(OUT).Write(\"%1\");").arg(name));
        const bool boxed = *c.box != 0;
        const QStringList messages = runNamed(path, boxed ? 1 : 0);
        if (boxed)
            EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.box)}) << c.file;
        else
            EXPECT_TRUE(messages.isEmpty()) << c.file;
    }
    EXPECT_EQ(output(), QStringLiteral("a.mach"));
}

TEST_F(ScriptRunTest, PrintSendsTheTextToTheChosenPrinter) {
    const QString out = env.path(QStringLiteral("script.pdf"));
    const QString path = script(QStringLiteral("print.js"), prelude() + QStringLiteral(R"(
TMScript.Print("スクリプトの印刷\nつづきのだん");
TMScript.FileObject(OUT).Write("printed");
)"));
    bool dialogCame = false;
    const QStringList messages = run(path, [&](DialogAnswerer& answers) {
        answers.then([&](QWidget* dialog) {
            auto* print = qobject_cast<QPrintDialog*>(dialog);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            ASSERT_NE(print, nullptr);
            ASSERT_NE(name, nullptr);
            dialogCame = true;
            name->setText(out);
            print->accept();
        });
    });
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
    EXPECT_TRUE(dialogCame);
    EXPECT_EQ(output(), QStringLiteral("printed"));
    const QString text = pdfText(out);
    EXPECT_TRUE(text.contains(QStringLiteral("スクリプトの印刷"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("つづきのだん"))) << text.toStdString();
    // The print job inside the run left the window busy until the run ended.
    EXPECT_TRUE(window->panes()->memoList()->isEnabled());
}

TEST_F(ScriptRunTest, ANameWithoutFolderIsFoundInTheScriptFolder) {
    QDir(env.folder()).mkdir(QStringLiteral("scripts"));
    const QString folder = env.path(QStringLiteral("scripts"));
    app->settings().ScriptFolder = fromQString(folder);
    script(QStringLiteral("scripts/inside.js"),
           prelude() + QStringLiteral("TMScript.FileObject(OUT).Write(TMScript.ScriptFileName);"));
    EXPECT_TRUE(runNamed(QStringLiteral("inside.js"), 0).isEmpty());
    EXPECT_EQ(output(), folder + QStringLiteral("/inside.js"));

    const QStringList messages = runNamed(QStringLiteral("nowhere.js"), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("nowhere.js"))) << messages[0].toStdString();
}

}  // namespace
