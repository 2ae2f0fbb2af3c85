#include "app/edit/password_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "app/common/qt_text.h"
#include "app/test_support.h"

namespace {

using tidemark::ByteString;

// Fills the dialog's fields and presses OK; `answers` takes what comes next.
void fillAndAccept(PasswordDialog& dialog, const QString& password, const QString& confirm = {}) {
    dialog.passwordField()->setText(password);
    if (dialog.confirmField())
        dialog.confirmField()->setText(confirm);
    dialog.accept();
}

TEST(PasswordDialog, IsMaskedAndNamesTheGroup) {
    PasswordDialog dialog(QStringLiteral("金庫"), false);
    EXPECT_EQ(dialog.windowTitle(), "メモグループの錠");
    EXPECT_EQ(dialog.passwordField()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.confirmField(), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("groupName"))->text(), "メモグループ:金庫");

    PasswordDialog confirming(QStringLiteral("金庫"), true);
    ASSERT_NE(confirming.confirmField(), nullptr);
    EXPECT_EQ(confirming.confirmField()->echoMode(), QLineEdit::Password);
}

TEST(PasswordDialog, WantsAtLeastFourBytes) {
    DialogAnswerer answers;
    PasswordDialog dialog(QStringLiteral("g"), false);
    dialog.show();
    answers.thenMessage(QMessageBox::Ok);
    fillAndAccept(dialog, QStringLiteral("abc"));
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(
        answers.messages,
        QStringList{
            "パスワードが入力されていません。\n必ず4文字以上のパスワードを入力してください。"});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.isVisible());

    fillAndAccept(dialog, QStringLiteral("abcd"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.password(), ByteString("abcd"));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST(PasswordDialog, TwoCharactersOfTwoBytesAreEnough) {
    PasswordDialog dialog(QStringLiteral("g"), false);
    fillAndAccept(dialog, QStringLiteral("あい"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.password().Size(), 4u);
}

TEST(PasswordDialog, ConfirmationMustMatchOrBothFieldsAreEmptied) {
    DialogAnswerer answers;
    PasswordDialog dialog(QStringLiteral("g"), true);
    dialog.show();
    answers.thenMessage(QMessageBox::Ok);
    fillAndAccept(dialog, QStringLiteral("secret"), QStringLiteral("secreT"));
    EXPECT_EQ(answers.messages,
              QStringList{"入力した2つのパスワードが一致しません。もう一度入力してください。"});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.passwordField()->text(), QString());
    EXPECT_EQ(dialog.confirmField()->text(), QString());

    fillAndAccept(dialog, QStringLiteral("secret"), QStringLiteral("secret"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PasswordDialog, TakesAtMost112BytesOfCharactersTheNoteCanHold) {
    PasswordDialog dialog(QStringLiteral("g"), false);
    QLineEdit* field = dialog.passwordField();
    QTest::keyClicks(field, QString(120, u'k'));
    EXPECT_EQ(field->text().size(), 112);
    field->clear();
    QTest::keyClicks(field, QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("\u0E01"),
                        Qt::NoModifier);  // no CP932 form: refused
    EXPECT_EQ(field->text(), "ab");
}

TEST(PasswordDialog, CancelAnswersNothing) {
    QWidget owner;
    DialogLockDialogs dialogs(&owner);
    DialogAnswerer answers;
    answers.thenCancel();
    EXPECT_FALSE(dialogs.AskPassword(ByteString("g"), false).has_value());
    answers.then([](QWidget* dialog) {
        auto* password = qobject_cast<PasswordDialog*>(dialog);
        ASSERT_NE(password, nullptr);
        fillAndAccept(*password, QStringLiteral("open sesame"));
    });
    EXPECT_EQ(dialogs.AskPassword(ByteString("g"), false), ByteString("open sesame"));
    EXPECT_TRUE(answers.allAnswered());
}

}  // namespace
