#include "app/textio/text_exchange_commands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/list/note_tree_model.h"
#include "app/test_support.h"
#include "core/file/note_bytes.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/command_ids.h"

using namespace tidemark;

namespace {

class TextExchangeCommandsTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(800, 600)));
        app->updateActions();
    }

    QAction* action(CommandId id) const { return app->actions().action(id); }
    void trigger(CommandId id) { action(id)->trigger(); }

    // A memo below `parent` with CP932 forms of the texts; remarks set unless empty.
    ItemId addMemo(ItemId parent, const QString& title, const QString& body,
                   const QString& remarks = QString()) {
        Note& note = app->note();
        const ItemId id = AddMemo(note, parent, fromQString(title).Str());
        auto& memo = static_cast<Memo&>(*note.FindItem(id));
        memo.SetRawBody(fromQString(body));
        if (!remarks.isEmpty()) {
            memo.SetRawRemarks(fromQString(remarks));
            memo.SetRawFlags(memo.Flags() | ItemFlags::kHasRemarks);
        }
        memo.SetRawModifiedTime(kTime);
        return id;
    }

    void writeFile(const QString& path, const QByteArray& bytes) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray contentsOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    const SystemTime kTime = MakeTime(2004, 5, 6, 13, 45, 7);
};

TEST_F(TextExchangeCommandsTest, ExportWritesTheNoteThroughTheDefaultTemplatesInCp932) {
    Note& note = app->note();
    addMemo(note.RootId(), QStringLiteral("買い物"), QStringLiteral("牛乳\r\nパン"),
            QStringLiteral("急ぎ"));
    const ItemId box = AddGroup(note, note.RootId(), fromQString(QStringLiteral("箱")).Str());
    note.FindItem(box)->SetRawModifiedTime(kTime);
    addMemo(box, QStringLiteral("中身"), QStringLiteral("100%"));
    window->lists()->noteReplaced();
    app->setNotePath(env.path(QStringLiteral("diary.tmk")));

    const QString out = env.path(QStringLiteral("diary.txt"));
    QString proposed;
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (files && name)
            proposed = files->directory().filePath(name->text());
        answerFileDialog(dialog, out);
    });
    trigger(kCmdExportText);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(proposed, out);

    const QString rule = QString(48, u'-') + QStringLiteral("\r\n");
    const QString expected =
        rule + QStringLiteral("表題: 買い物\r\n更新日時: 2004/05/06 13:45\r\n備考: 急ぎ\r\n") +
        rule + QStringLiteral("牛乳\r\nパン\r\n") +
        QStringLiteral(">>>>> メモグループ: 箱 >>>>>>>>>>>>>>>>>>>>\r\n") + rule +
        QStringLiteral("表題: 中身\r\n更新日時: 2004/05/06 13:45\r\n備考: \r\n") + rule +
        QStringLiteral("100%\r\n\r\n<<<<<<<<<<<<<<<<<<<< メモグループ: 箱 <<<<<\r\n\r\n");
    const ByteString expectedBytes = fromQString(expected);
    EXPECT_EQ(contentsOf(out).toStdString(), expectedBytes.Str());
}

TEST_F(TextExchangeCommandsTest, ExportOntoTheNotesOwnFileIsRefusedAndTheFileStaysTheNote) {
    // Without the exclusive hold nothing but the command itself protects the file.
    app->settings().NoExclusiveOpen = 1;
    const QString notePath = env.path(QStringLiteral("diary.tmk"));
    writeNoteFile(*env.files, notePath, {"kept"});
    ASSERT_EQ(app->fileCommands().openNoteByPath(notePath, false),
              FileCommands::OpenOutcome::kLoaded);

    DialogAnswerer answers;
    answers.thenFile(notePath);
    answers.thenMessage(QMessageBox::Yes);  // replace the existing file?
    answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdExportText);
    EXPECT_TRUE(answers.allAnswered());
    ASSERT_FALSE(answers.messages.isEmpty());
    EXPECT_EQ(answers.messages.last().toStdString(),
              uiText(20030).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toStdString());

    const QByteArray bytes = contentsOf(notePath);
    Note reread;
    LoadNoteFromBytes(reread, MemoryBlock(bytes.begin(), bytes.end()));
    EXPECT_EQ(ChildTitles(reread, reread.RootId()), std::vector<std::string>{"kept"});
}

TEST_F(TextExchangeCommandsTest, ImportPlacesTheChosenFilesAfterTheFocusedMemoAndListsThem) {
    Note& note = app->note();
    const ItemId root = note.RootId();
    const ItemId first = AddMemo(note, root, "first");
    AddMemo(note, root, "last");
    window->lists()->noteReplaced();
    ASSERT_TRUE(window->lists()->revealAndSelect(first, true));
    app->settings().ImportOtherFiles = 1;
    app->settings().LinkPlace = 0;
    const QString folder = env.path(QStringLiteral("in"));
    writeFile(folder + QStringLiteral("/a.txt"), "alpha\r\n");
    writeFile(folder + QStringLiteral("/b.dat"), "bin");

    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!files || !name) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        files->setDirectory(folder);
        name->setText(QStringLiteral("\"a.txt\" \"b.dat\""));
        static_cast<QDialog*>(files)->accept();
    });
    // Dialog 31007 about b.dat: link to it.
    answers.then([](QWidget* dialog) {
        auto* link = dialog->findChild<QRadioButton*>(QStringLiteral("asLink"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("ok"));
        if (!link || !ok) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        link->setChecked(true);
        ok->click();
    });
    trigger(kCmdImportText);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);

    ASSERT_EQ(ChildTitles(note, root),
              (std::vector<std::string>{"first", "a.txt", "b.dat", "last"}));
    const Item* text = note.FindItem(note.FindItem(first)->links.next);
    const Item* link = note.FindItem(text->links.next);
    EXPECT_EQ(BodyOf(*text).Str(), "alpha\r\n");
    EXPECT_EQ(BodyOf(*link).Str(), QDir::toNativeSeparators(folder + "/b.dat").toStdString());
    EXPECT_TRUE(link->IsBodyLink());
    NoteTreeModel* rows = window->panes()->memoList()->treeModel();
    EXPECT_TRUE(rows->indexOf(text->links.id).isValid());
    EXPECT_TRUE(rows->indexOf(link->links.id).isValid());
    EXPECT_TRUE(app->isModified());
}

TEST_F(TextExchangeCommandsTest, ReadOnlyGreysTheImportButNotTheExport) {
    EXPECT_TRUE(action(kCmdImportText)->isEnabled());
    EXPECT_TRUE(action(kCmdExportText)->isEnabled());
    app->setReadOnlyMode(true);
    EXPECT_FALSE(action(kCmdImportText)->isEnabled());
    EXPECT_TRUE(action(kCmdExportText)->isEnabled());
}

}  // namespace
