// A user's session with the real window: a tree built with the keys, sorted,
// coloured, annotated and locked through the dialogs, then saved; the file
// read back holds it all, and nothing of the locked group in plain text.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/edit/password_dialog.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_service.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "core/common/error_code.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;

class TreeWorkflowTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kStacked, QSize(900, 650)));
        app->settings().TypeBodyFirst = 0;
        list = window->panes()->memoList();
        list->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return list->hasFocus(); }));
    }

    void keys(const char* sequence) {
        app->actions().updateActions();
        QTest::keySequence(QApplication::focusWidget(),
                           QKeySequence(QString::fromLatin1(sequence)));
    }
    // Types a title into the edit box that a create command opened.
    void nameNewItem(const QString& title) {
        QLineEdit* editor = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            return editor != nullptr;
        }));
        editor->selectAll();
        QTest::keyClicks(editor, title);
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !list->isEditingTitle(); }));
    }
    ItemId findTitled(const Note& note, const char* title) {
        for (ItemId id = 1; id < 1000; ++id) {
            const Item* item = note.FindItem(id);
            if (item && item->Title() == ByteString(title))
                return id;
        }
        return kNoItem;
    }

    MemoList* list = nullptr;
};

TEST_F(TreeWorkflowTest, BuildSortColourAnnotateLockAndSave) {
    Note& note = app->note();
    keys("Alt+G");  // a memo group
    nameNewItem(QStringLiteral("projects"));
    keys("Alt+Ctrl+N");  // a memo inside it
    nameNewItem(QStringLiteral("zeta"));
    keys("Alt+N");  // a memo after that one
    nameNewItem(QStringLiteral("alpha"));
    const ItemId group = findTitled(note, "projects");
    ASSERT_NE(group, kNoItem);
    ASSERT_EQ(ChildTitles(note, group), (std::vector<std::string>{"zeta", "alpha"}));

    DialogAnswerer answers;
    answers.then([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });  // by title
    app->actions().updateActions();
    app->actions().action(kCmdSort)->trigger();
    EXPECT_EQ(ChildTitles(note, group), (std::vector<std::string>{"alpha", "zeta"}));
    activateWindow();

    const ItemId alpha = findTitled(note, "alpha");
    ASSERT_TRUE(list->focusItem(alpha, true));
    list->setFocus();
    answers.then([](QWidget* dialog) {
        auto* colours = qobject_cast<QColorDialog*>(dialog);
        ASSERT_NE(colours, nullptr);
        colours->setCurrentColor(QColor(200, 10, 20));
        colours->accept();
    });
    keys("Alt+C");
    activateWindow();
    answers.then([](QWidget* dialog) {
        auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("remarks"));
        ASSERT_NE(text, nullptr);
        QTest::keyClicks(text, QStringLiteral("due friday"));
        dialog->findChild<QPushButton*>(QStringLiteral("set"))->click();
    });
    keys("Alt+R");
    activateWindow();
    const Item& alphaItem = *note.FindItem(alpha);
    EXPECT_TRUE(alphaItem.HasOwnTextColour());
    EXPECT_EQ(alphaItem.Remarks(), ByteString("due friday"));

    ASSERT_TRUE(list->focusItem(group, true));
    list->setFocus();
    answers.then([](QWidget* dialog) {
        auto* password = qobject_cast<PasswordDialog*>(dialog);
        ASSERT_NE(password, nullptr);
        ASSERT_NE(password->confirmField(), nullptr);
        password->passwordField()->setText(QStringLiteral("s3cret-pass"));
        password->confirmField()->setText(QStringLiteral("s3cret-pass"));
        password->accept();
    });
    keys("Alt+Y");
    activateWindow();
    EXPECT_TRUE(note.FindItem(group)->IsLockedGroup());

    const QString path = env.path(QStringLiteral("tree.tmk"));
    answers.thenFile(path);
    answers.thenMessage(QMessageBox::No);  // no shortcut to the new file
    list->setFocus();
    keys("Ctrl+S");
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_FALSE(app->isModified());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (const char* secret : {"alpha", "zeta", "due friday"})
        EXPECT_FALSE(bytes.contains(secret)) << secret;

    // The window holds its file; let go of it to read it as another program would.
    app->noteFiles().releaseWriteAccess(note);
    Note reloaded;
    try {
        NoteFileService(*env.files).load(reloaded, path, false);
    } catch (const IoError& error) {
        FAIL() << "reading the saved note failed with " << error.Code();
    }
    const ItemId savedGroup = findTitled(reloaded, "projects");
    ASSERT_NE(savedGroup, kNoItem);
    const Item& saved = *reloaded.FindItem(savedGroup);
    EXPECT_TRUE(saved.IsLockedGroup());
    const Item* firstChild = reloaded.FindItem(saved.links.firstChild);
    ASSERT_NE(firstChild, nullptr);
    EXPECT_TRUE(firstChild->IsEncrypted());
}

}  // namespace
