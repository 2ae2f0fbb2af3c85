#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QtTest/QTest>

#include "app/edit/byte_limit.h"
#include "app/edit/caption_dialog.h"
#include "app/edit/lock_password_dialog.h"
#include "app/edit/remarks_dialog.h"
#include "app/edit/sort_dialog.h"
#include "app/edit/sort_progress_window.h"
#include "app/qt_text.h"
#include "app/test_support.h"

namespace {

TEST(ByteLimit, CutsWholeDoubleByteCharactersOnly) {
    EXPECT_EQ(cutToBytes(QStringLiteral("ab備考"), 3), QStringLiteral("ab"));
    EXPECT_EQ(cutToBytes(QStringLiteral("ab備考"), 4), QStringLiteral("ab備"));
    EXPECT_EQ(cutToBytes(QStringLiteral("short"), 31), QStringLiteral("short"));
}

TEST(ByteLimit, LoneLineFeedsBecomeCrLf) {
    EXPECT_EQ(withCrLf(QStringLiteral("a\nb\r\nc\n")), QStringLiteral("a\r\nb\r\nc\r\n"));
}

TEST(RemarksDialog, InsertionsReplaceTheSelectionAndLeaveTheCaretAfterThem) {
    RemarksDialog dialog(QStringLiteral("see XX now"));
    QTextCursor cursor = dialog.edit()->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    dialog.edit()->setTextCursor(cursor);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("insertHttp")), Qt::LeftButton);
    EXPECT_EQ(dialog.text(), QStringLiteral("see http:// now"));
    EXPECT_EQ(dialog.edit()->textCursor().position(), 11);

    dialog.insertText(QStringLiteral("x\ny"));
    EXPECT_EQ(dialog.text(), QStringLiteral("see http://x\r\ny now"));

    dialog.datePicker()->setDate(QDate(2024, 3, 9));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("insertDate")), Qt::LeftButton);
    EXPECT_TRUE(dialog.text().contains(QStringLiteral("2024/03/09 ")));
}

TEST(RemarksDialog, ClearGivesTheEmptyTextAndTypingStopsAtTheLimit) {
    RemarksDialog dialog(QStringLiteral("old"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("clear")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.text().isEmpty());

    RemarksDialog full(QString(RemarksDialog::kMaxBytes, u'a'));
    full.edit()->moveCursor(QTextCursor::End);
    full.insertText(QStringLiteral("b"));
    EXPECT_EQ(fromQString(full.text()).Size(), std::size_t(RemarksDialog::kMaxBytes));
}

TEST(CaptionDialog, BlankCaptionIsRefusedAndTheDialogStays) {
    CaptionDialog dialog(QStringLiteral("備考"));
    dialog.edit()->setText(QStringLiteral("   "));
    DialogAnswerer answerer;
    answerer.thenMessage(QMessageBox::Ok);
    dialog.accept();
    EXPECT_EQ(answerer.messages, QStringList{QStringLiteral("列名を入力してください。")});
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    dialog.edit()->setText(QStringLiteral("  a long caption well over the limit  "));
    EXPECT_LE(fromQString(dialog.edit()->text()).Size(), std::size_t(CaptionDialog::kMaxBytes));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.caption().startsWith(u' '));
}

TEST(SortDialog, WholeNoteForcesRecursionAndTheChoiceComesBack) {
    EditPrompts::SortChoice preset;
    preset.key = 3;
    preset.descending = true;
    SortDialog dialog(QStringLiteral("g"), QStringLiteral("メモ欄"), preset);
    EXPECT_EQ(dialog.keyBox()->itemText(1), QStringLiteral("メモ欄"));
    EXPECT_EQ(dialog.keyBox()->currentIndex(), 2);
    EXPECT_TRUE(dialog.descendingButton()->isChecked());
    dialog.wholeNoteButton()->setChecked(true);
    EXPECT_TRUE(dialog.recursiveBox()->isChecked());
    EXPECT_FALSE(dialog.recursiveBox()->isEnabled());
    const EditPrompts::SortChoice choice = dialog.choice();
    EXPECT_EQ(choice.key, 3);
    EXPECT_TRUE(choice.wholeNote && choice.recursive && choice.descending);
}

TEST(SortProgressWindow, ShowsOnlyAfterTheDelayAndCancelStopsTheSort) {
    SortProgressWindow window;
    window.BeginGroup(tidemark::ByteString("grp"));
    EXPECT_TRUE(window.Continue(SortProgressWindow::kShowAfterMs - 1));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.Continue(SortProgressWindow::kShowAfterMs));
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    EXPECT_FALSE(window.Continue(SortProgressWindow::kShowAfterMs + 10));
}

TEST(LockPasswordDialog, ConfirmationMustMatch) {
    LockPasswordDialog dialog(QStringLiteral("g"), true);
    dialog.passwordEdit()->setText(QStringLiteral("abcd"));
    dialog.confirmEdit()->setText(QStringLiteral("abce"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.confirmEdit()->setText(QStringLiteral("abcd"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.password(), QStringLiteral("abcd"));
}

}  // namespace
