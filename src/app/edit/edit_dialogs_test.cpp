#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QtTest/QTest>

#include "app/common/byte_limit.h"
#include "app/common/qt_text.h"
#include "app/common/unstorable_notice.h"
#include "app/edit/caption_dialog.h"
#include "app/edit/dialog_edit_prompts.h"
#include "app/edit/password_dialog.h"
#include "app/edit/remarks_dialog.h"
#include "app/edit/sort_dialog.h"
#include "app/edit/sort_progress_window.h"
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

// What the user sees when characters the note cannot hold are left out.
QString unstorableText(const QString& lost) {
    return QStringLiteral("「%1」はノートに保存できない文字のため、取り除きました").arg(lost);
}

// Presses a key that produces `text`, as a keyboard or an input method does
// (QTest::keyClicks takes Latin-1 only).
void typeCharacters(QWidget* widget, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

TEST(CaptionDialog, CharactersTheNoteCannotHoldAreLeftOutAndNamed) {
    CaptionDialog plain(QString{});
    typeCharacters(plain.edit(), QStringLiteral("列名 ～−"));
    EXPECT_EQ(plain.edit()->text(), QStringLiteral("列名 ～−"));
    EXPECT_FALSE(plain.unstorableNotice()->isVisibleTo(&plain));

    CaptionDialog typed(QString{});
    QTest::keyClicks(typed.edit(), QStringLiteral("a"));
    typeCharacters(typed.edit(), QStringLiteral("😀"));
    QTest::keyClicks(typed.edit(), QStringLiteral("b"));
    EXPECT_EQ(typed.edit()->text(), QStringLiteral("ab"));
    EXPECT_TRUE(typed.unstorableNotice()->isVisibleTo(&typed));
    EXPECT_EQ(typed.unstorableNotice()->text(), unstorableText(QStringLiteral("😀")));

    // Pasted in the middle: the caret stays after what was kept.
    typed.edit()->setCursorPosition(1);
    typed.edit()->insert(QStringLiteral("\u0E01x😀"));
    EXPECT_EQ(typed.edit()->text(), QStringLiteral("axb"));
    EXPECT_EQ(typed.edit()->cursorPosition(), 2);
    EXPECT_EQ(typed.unstorableNotice()->text(), unstorableText(QStringLiteral("\u0E01😀")));
}

TEST(RemarksDialog, CharactersTheNoteCannotHoldAreLeftOutAndNamed) {
    RemarksDialog plain(QString{});
    typeCharacters(plain.edit(), QStringLiteral("備考"));
    plain.insertText(QStringLiteral("a\nb"));
    EXPECT_EQ(plain.text(), QStringLiteral("備考a\r\nb"));
    EXPECT_FALSE(plain.unstorableNotice()->isVisibleTo(&plain));

    RemarksDialog dialog(QStringLiteral("xy"));
    dialog.edit()->moveCursor(QTextCursor::Start);
    dialog.edit()->moveCursor(QTextCursor::NextCharacter);
    dialog.insertText(QStringLiteral("a😀b"));
    EXPECT_EQ(dialog.text(), QStringLiteral("xaby"));
    EXPECT_EQ(dialog.edit()->textCursor().position(), 3);
    EXPECT_TRUE(dialog.unstorableNotice()->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.unstorableNotice()->text(), unstorableText(QStringLiteral("😀")));
    // Undo does not bring them back.
    dialog.edit()->undo();
    EXPECT_EQ(dialog.text(), QStringLiteral("xaby"));

    typeCharacters(dialog.edit(), QStringLiteral("\u0E01"));
    EXPECT_EQ(dialog.text(), QStringLiteral("xaby"));
    EXPECT_EQ(dialog.unstorableNotice()->text(), unstorableText(QStringLiteral("\u0E01")));

    // At the byte limit the character is named as well.
    RemarksDialog full(QString(RemarksDialog::kMaxBytes, u'a'));
    full.edit()->moveCursor(QTextCursor::End);
    full.insertText(QStringLiteral("😀b"));
    EXPECT_EQ(full.text(), QString(RemarksDialog::kMaxBytes, u'a'));
    EXPECT_EQ(full.unstorableNotice()->text(), unstorableText(QStringLiteral("😀")));
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

TEST(SortDialog, TheHelpButtonAsksForTheSortingTopicAndKeepsTheDialog) {
    DialogEditPrompts prompts(nullptr);
    std::vector<int> topics;
    prompts.setHelpOpener([&topics](int topic) { topics.push_back(topic); });
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        ASSERT_NE(buttons->button(QDialogButtonBox::Help), nullptr);
        buttons->button(QDialogButtonBox::Help)->click();
        EXPECT_TRUE(dialog->isVisible());
        buttons->button(QDialogButtonBox::Cancel)->click();
    });
    EditPrompts::SortChoice choice;
    EXPECT_FALSE(prompts.chooseSort(QStringLiteral("g"), QStringLiteral("備考"), choice));
    EXPECT_EQ(topics, std::vector<int>{64});
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

TEST(SortProgressWindow, EscapeAndClosingTheWindowCancelToo) {
    for (const bool byEscape : {true, false}) {
        SortProgressWindow window;
        ASSERT_TRUE(window.Continue(SortProgressWindow::kShowAfterMs));
        if (byEscape) {
            QTest::keyClick(&window, Qt::Key_Escape);
        } else {
            window.close();
        }
        EXPECT_FALSE(window.Continue(SortProgressWindow::kShowAfterMs + 10)) << byEscape;
    }
}

template <typename T>
QStringList textsOf(const QWidget& widget) {
    QStringList texts;
    for (const T* child : widget.findChildren<T*>())
        texts << child->text();
    return texts;
}

QString buttonText(const QWidget& widget, const char* name) {
    const auto* button = widget.findChild<QAbstractButton*>(QString::fromLatin1(name));
    return button ? button->text() : QStringLiteral("(no button %1)").arg(QLatin1String(name));
}

TEST(ItemDialogs, ShowTheirOwnTexts) {
    RemarksDialog remarks(QString{});
    CaptionDialog caption(QString{});
    SortDialog sort(QStringLiteral("g"), QStringLiteral("備考"), EditPrompts::SortChoice{});
    SortProgressWindow progress;
    const struct {
        QString shown;
        QString expected;
    } cases[] = {
        {remarks.windowTitle(), "備考"},
        {buttonText(remarks, "insertDate"), "挿入"},
        {buttonText(remarks, "insertTime"), "挿入"},
        {buttonText(remarks, "insertFile"), "ファイル名..."},
        {buttonText(remarks, "insertHttp"), "http://"},
        {buttonText(remarks, "insertMailto"), "mailto:"},
        {buttonText(remarks, "set"), "設定(&S)"},
        {buttonText(remarks, "clear"), "消去(&C)"},
        {buttonText(remarks, "cancel"), "キャンセル"},
        {caption.windowTitle(), "備考欄の列名"},
        {sort.windowTitle(), "並べ替え"},
        {textsOf<QRadioButton>(sort).join(u'|'),
         "現在のメモグループの内容を並べ替える(&P) g|"
         "ノート全体と全メモグループの内容を並べ替える(&N)|昇順|降順"},
        {sort.recursiveBox()->text(), "下階層のメモグループの内容も並べ替える(&C)"},
        {progress.windowTitle(), "並べ替え中..."},
        {textsOf<QLabel>(progress).first(), "メモグループ:"},
        {buttonText(progress, "cancel"), "キャンセル"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, c.expected);
}

TEST(DialogEditPrompts, AttachingALockAsksForThePasswordTwice) {
    QWidget window;
    DialogEditPrompts prompts(&window);
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        auto* password = qobject_cast<PasswordDialog*>(dialog);
        if (!password || !password->confirmField()) {
            ADD_FAILURE() << "no password dialog with a confirmation field";
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        password->passwordField()->setText(QStringLiteral("abcd"));
        password->confirmField()->setText(QStringLiteral("abce"));
        password->accept();  // refused: the dialog stays
        EXPECT_TRUE(password->isVisible());
        password->passwordField()->setText(QStringLiteral("abcd"));
        password->confirmField()->setText(QStringLiteral("abcd"));
        password->accept();
    });
    answers.thenMessage(QMessageBox::Ok);
    EXPECT_EQ(prompts.AskPassword(tidemark::ByteString("g"), true), tidemark::ByteString("abcd"));
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.messages,
              QStringList{"入力した2つのパスワードが一致しません。もう一度入力してください。"});
    EXPECT_EQ(answers.unexpected, 0);
}

}  // namespace

namespace {

TEST(DialogEditPrompts, TheDeleteQuestionIsAWarningInTheWindowsName) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("メモ帳.tmk - Tidemark"));
    DialogEditPrompts prompts(&window);
    for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
        DialogAnswerer answers;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        answers.then([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) {
                ADD_FAILURE() << "no message box";
                static_cast<QDialog*>(dialog)->reject();
                return;
            }
            caption = box->windowTitle();
            icon = box->icon();
            box->button(button)->click();
        });
        EXPECT_EQ(prompts.confirmDelete(), button == QMessageBox::Yes);
        EXPECT_EQ(caption, window.windowTitle());
        EXPECT_EQ(icon, QMessageBox::Warning);
        EXPECT_EQ(answers.unexpected, 0);
    }
}

}  // namespace
