#include "app/find/find_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextCursor>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/find/find_dialog.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/status_bar.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;

constexpr std::uint32_t kTitles = SearchOptions::kTitles;
constexpr std::uint32_t kBodies = SearchOptions::kBodies;
constexpr std::uint32_t kBoth = kTitles | kBodies;
constexpr std::uint32_t kAtNote = SearchOptions::kStartAtNote;
constexpr std::uint32_t kAtGroup = SearchOptions::kStartAtGroup;
constexpr std::uint32_t kHere = SearchOptions::kStartHere;

const QString kNotFound = QStringLiteral("検索文字列は見つかりません");

// Sets the dialog's controls as a user would for `options`.
void setControls(FindDialog& dialog, const QString& text, std::uint32_t bits) {
    const SearchOptions options{bits};
    dialog.textField()->setText(text);
    dialog.matchCaseBox()->setChecked(options.Has(SearchOptions::kMatchCase));
    dialog.regexBox()->setChecked(options.Has(SearchOptions::kRegex));
    dialog.inGroupBox()->setChecked(options.Has(SearchOptions::kInGroupOnly));
    dialog.noDescendBox()->setChecked(options.Has(SearchOptions::kNoDescend));
    dialog.targetButton(options.Target())->setChecked(true);
    dialog.startButton(options.Start())->setChecked(true);
}

class FindCommandsTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kSideBySide, QSize(800, 600)));
        list = window->panes()->memoList();
        text = window->panes()->memoText();
        root = app->note().RootId();
    }

    ItemId memo(ItemId parent, const QString& title, const QString& body = QString()) {
        const ItemId id = AddMemo(app->note(), parent, fromQString(title).Str());
        static_cast<Memo*>(app->note().FindItem(id))->SetRawBody(fromQString(body));
        return id;
    }
    ItemId group(ItemId parent, const QString& title) {
        return AddGroup(app->note(), parent, fromQString(title).Str());
    }
    // A locked group holding one memo, shut as a loaded note has it.
    ItemId shutLockedGroup(const QString& title, const QString& memoTitle, const QString& body) {
        const ItemId locked = group(root, title);
        memo(locked, memoTitle, body);
        Note& note = app->note();
        note.FindItem(locked)->SetRawFlags(ItemFlags::kLocked);
        note.SetLockOwner(locked, locked, true);
        EXPECT_TRUE(EncryptGroupContents(note, locked, ByteString("pass")));
        note.FindItem(locked)->SetOpen(false);
        return locked;
    }
    void showNote() { window->noteReplaced(); }
    void focusInList(ItemId id) {
        list->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return list->hasFocus(); }));
        ASSERT_TRUE(list->focusItem(id, true));
    }
    // The text pane holds `memo` and has the focus, the caret at `position`.
    void focusInText(ItemId memoId, int position) {
        ASSERT_NO_FATAL_FAILURE(focusInList(memoId));
        ASSERT_EQ(text->openMemo(), memoId);
        text->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
        QTextCursor cursor(text->document());
        cursor.setPosition(position);
        text->setTextCursor(cursor);
    }
    // Runs a command; the window is made active again after a dialog it showed.
    void trigger(CommandId id) {
        app->actions().action(id)->trigger();
        if (!window->isActiveWindow())
            activateWindow();
    }
    bool enabled(CommandId id) {
        app->actions().updateActions();
        return app->actions().action(id)->isEnabled();
    }
    // Answers the next dialog, which must be a find dialog, with these
    // controls, and confirms it.
    void answerFind(const QString& searchText, std::uint32_t options) {
        answers.then([searchText, options](QWidget* shown) {
            auto* dialog = qobject_cast<FindDialog*>(shown);
            if (!dialog) {
                ADD_FAILURE() << "expected the find dialog";
                static_cast<QDialog*>(shown)->reject();
                return;
            }
            setControls(*dialog, searchText, options);
            dialog->accept();
        });
    }
    QString titleOf(ItemId id) { return toQString(app->note().FindItem(id)->Title()); }
    QString statusText() { return window->status()->statusText(); }
    // The status bar's notice arrives after the command's own refresh.
    bool statusSaysNotFound() {
        return QTest::qWaitFor([this] { return statusText() == kNotFound; }, 1000);
    }
    void expectSelectedInList(ItemId id) {
        EXPECT_EQ(list->focusedItem(), id) << titleOf(list->focusedItem()).toStdString();
        EXPECT_TRUE(QTest::qWaitFor([this] { return list->hasFocus(); }, 1000));
    }
    void expectSelectedInText(ItemId memoId, int start, int end) {
        EXPECT_EQ(list->focusedItem(), memoId);
        EXPECT_EQ(text->openMemo(), memoId);
        EXPECT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }, 1000));
        EXPECT_EQ(text->textCursor().selectionStart(), start);
        EXPECT_EQ(text->textCursor().selectionEnd(), end);
    }

    DialogAnswerer answers;
    MemoList* list = nullptr;
    MemoTextView* text = nullptr;
    ItemId root = kNoItem;
};

TEST_F(FindCommandsTest, FindsTitlesDownwardThenContinuesToTheEndAndBackUp) {
    const ItemId apple = memo(root, QStringLiteral("りんご apple"));
    const ItemId basket = group(root, QStringLiteral("籠"));
    const ItemId pie = memo(basket, QStringLiteral("Apple pie"));
    memo(root, QStringLiteral("banana"), QStringLiteral("apple in the body"));
    app->note().FindItem(basket)->SetOpen(false);  // shown by opening the group
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(basket));

    answerFind(QStringLiteral("APPLE"), kTitles | kAtNote);
    trigger(kCmdFindDown);
    expectSelectedInList(apple);

    trigger(kCmdFindNextDown);
    expectSelectedInList(pie);
    EXPECT_TRUE(app->note().FindItem(basket)->IsOpen());

    trigger(kCmdFindNextDown);
    EXPECT_TRUE(statusSaysNotFound());
    EXPECT_EQ(list->focusedItem(), pie);

    trigger(kCmdFindNextUp);
    expectSelectedInList(apple);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FindCommandsTest, ABodyMatchIsSelectedInTheTextPaneCountingCharactersNotBytes) {
    // "あい" CR LF "xx検索yy" CR LF "検索": the matches are at characters 5
    // and 10 of the pane (a double-byte character and a line end count one).
    const ItemId first = memo(root, QStringLiteral("first"), QStringLiteral("nothing"));
    const ItemId found =
        memo(root, QStringLiteral("second"), QStringLiteral("あい\r\nxx検索yy\r\n検索"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(first));

    answerFind(QStringLiteral("検索"), kBodies | kAtNote);
    trigger(kCmdFindDown);
    expectSelectedInText(found, 5, 7);
    EXPECT_EQ(text->textCursor().selectedText(), QStringLiteral("検索"));

    trigger(kCmdFindNextDown);
    expectSelectedInText(found, 10, 12);

    trigger(kCmdFindNextUp);
    expectSelectedInText(found, 5, 7);
}

TEST_F(FindCommandsTest, UpwardSearchesBeforeTheCaretThenEarlierItems) {
    const ItemId one = memo(root, QStringLiteral("one"), QStringLiteral("target"));
    const ItemId two = memo(root, QStringLiteral("two"), QStringLiteral("target, target!"));
    memo(root, QStringLiteral("three target"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInText(two, 14));  // before "!"

    answerFind(QStringLiteral("target"), kBoth | kHere);
    trigger(kCmdFindUp);
    expectSelectedInText(two, 8, 14);

    trigger(kCmdFindNextUp);
    expectSelectedInText(two, 0, 6);

    trigger(kCmdFindNextUp);
    expectSelectedInText(one, 0, 6);

    trigger(kCmdFindNextUp);
    EXPECT_TRUE(statusSaysNotFound());
}

TEST_F(FindCommandsTest, AConfinedSearchEndsWithItsGroupAndAsksAgainOnceTheFocusLeavesIt) {
    const ItemId box = group(root, QStringLiteral("box"));
    const ItemId in1 = memo(box, QStringLiteral("in1"), QStringLiteral("key"));
    const ItemId in2 = memo(box, QStringLiteral("in2"), QStringLiteral("a key"));
    const ItemId out = memo(root, QStringLiteral("out"), QStringLiteral("key"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(in2));

    answerFind(QStringLiteral("key"), kBodies | kAtGroup | SearchOptions::kInGroupOnly);
    trigger(kCmdFindDown);
    expectSelectedInText(in1, 0, 3);
    trigger(kCmdFindNextDown);
    expectSelectedInText(in2, 2, 5);
    trigger(kCmdFindNextDown);
    EXPECT_TRUE(statusSaysNotFound());
    EXPECT_EQ(list->focusedItem(), in2);

    // Standing outside the group, continuing brings the dialog back.
    ASSERT_NO_FATAL_FAILURE(focusInList(out));
    bool asked = false;
    answers.then([&asked](QWidget* shown) {
        asked = qobject_cast<FindDialog*>(shown) != nullptr;
        static_cast<QDialog*>(shown)->reject();
    });
    trigger(kCmdFindNextDown);
    EXPECT_TRUE(asked);
    EXPECT_EQ(list->focusedItem(), out);
    EXPECT_TRUE(answers.allAnswered());
}

TEST_F(FindCommandsTest, AShutLockedGroupShowsItsTitleButItsContentsAreNeverSearched) {
    const ItemId start = memo(root, QStringLiteral("start"));
    const ItemId locked = shutLockedGroup(QStringLiteral("key box"), QStringLiteral("key memo"),
                                          QStringLiteral("the key"));
    const ItemId after = memo(root, QStringLiteral("after"), QStringLiteral("a key"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(start));

    answerFind(QStringLiteral("key"), kBoth | kHere);
    trigger(kCmdFindDown);
    expectSelectedInList(locked);
    trigger(kCmdFindNextDown);
    expectSelectedInText(after, 2, 5);
    trigger(kCmdFindNextUp);
    expectSelectedInList(locked);
    trigger(kCmdFindNextUp);
    EXPECT_TRUE(statusSaysNotFound());
    // No password was asked for, and the group stayed shut.
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_FALSE(app->note().FindItem(locked)->IsOpen());
    EXPECT_TRUE(app->note().FindItem(locked)->Password().Empty());
}

TEST_F(FindCommandsTest, ARegularExpressionSelectsWhatItMatched) {
    const ItemId numbers = memo(root, QStringLiteral("numbers"), QStringLiteral("第12章 abc 345"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(numbers));

    answerFind(QStringLiteral("[0-9]+|[a-c]{2}"), kBodies | kAtNote | SearchOptions::kRegex);
    trigger(kCmdFindDown);
    expectSelectedInText(numbers, 1, 3);
    trigger(kCmdFindNextDown);
    expectSelectedInText(numbers, 5, 7);
    trigger(kCmdFindNextDown);
    expectSelectedInText(numbers, 9, 12);
    EXPECT_EQ(text->textCursor().selectedText(), QStringLiteral("345"));
}

TEST_F(FindCommandsTest, AnInvalidRegularExpressionIsReportedAndNothingIsSearched) {
    const ItemId one = memo(root, QStringLiteral("one"), QStringLiteral("((("));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(one));
    const std::uint32_t storedBefore = app->settings().SearchFlags;

    bool stayedOpen = false;
    answers.then([&stayedOpen](QWidget* shown) {
        auto* dialog = qobject_cast<FindDialog*>(shown);
        if (!dialog) {
            ADD_FAILURE() << "expected the find dialog";
            static_cast<QDialog*>(shown)->reject();
            return;
        }
        setControls(*dialog, QStringLiteral("("), kBodies | kAtNote | SearchOptions::kRegex);
        dialog->accept();  // refused with a message
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdFindDown);

    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_TRUE(answers.messages[0].startsWith(QStringLiteral("正規表現に誤りがあります。\n")))
        << answers.messages[0].toStdString();
    EXPECT_GT(answers.messages[0].size(), QStringLiteral("正規表現に誤りがあります。\n").size());
    EXPECT_EQ(list->focusedItem(), one);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_FALSE(statusSaysNotFound());
    EXPECT_EQ(app->settings().SearchFlags, storedBefore);

    // The plain text "(((" is there to be found.
    answerFind(QStringLiteral("("), kBodies | kAtNote);
    trigger(kCmdFindDown);
    expectSelectedInText(one, 0, 1);
}

TEST_F(FindCommandsTest, AnEmptySearchTextIsRefusedAndTheDialogStays) {
    const ItemId one = memo(root, QStringLiteral("one"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(one));
    bool stayedOpen = false;
    answers.then([&stayedOpen](QWidget* shown) {
        auto* dialog = qobject_cast<FindDialog*>(shown);
        if (!dialog) {
            ADD_FAILURE() << "expected the find dialog";
            static_cast<QDialog*>(shown)->reject();
            return;
        }
        dialog->textField()->clear();
        dialog->accept();
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdFindDown);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(answers.messages,
              QStringList{QStringLiteral("検索文字列を正しく入力してください。")});
}

TEST_F(FindCommandsTest, NothingFoundSaysSoInTheStatusBarAndKeepsThePlace) {
    const ItemId one = memo(root, QStringLiteral("one"), QStringLiteral("body"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(one));
    answerFind(QStringLiteral("missing"), kBoth | kAtNote);
    trigger(kCmdFindDown);
    EXPECT_TRUE(statusSaysNotFound());
    EXPECT_EQ(list->focusedItem(), one);
    EXPECT_TRUE(list->hasFocus());
}

TEST_F(FindCommandsTest, TheCommandsAreGreyedWithoutAFocusedItem) {
    const CommandId commands[] = {kCmdFindDown, kCmdFindUp, kCmdFindNextDown, kCmdFindNextUp};
    showNote();  // no items: the list has no row to focus
    for (CommandId id : commands)
        EXPECT_FALSE(enabled(id)) << id;
    trigger(kCmdFindNextDown);
    EXPECT_EQ(answers.unexpected, 0);  // no dialog

    const ItemId one = memo(root, QStringLiteral("one"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(one));
    for (CommandId id : commands)
        EXPECT_TRUE(enabled(id)) << id;
}

TEST_F(FindCommandsTest, ContinuingBeforeAnySearchShowsTheDialogOfItsDirection) {
    const ItemId one = memo(root, QStringLiteral("one"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(one));
    QStringList shown;
    for (int i = 0; i < 2; ++i) {
        answers.then([&shown](QWidget* dialog) {
            shown << dialog->objectName();
            static_cast<QDialog*>(dialog)->reject();
        });
    }
    trigger(kCmdFindNextDown);
    trigger(kCmdFindNextUp);
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("findDownDialog"), QStringLiteral("findUpDialog")}));
    // A cancelled dialog searches nothing and says nothing.
    EXPECT_FALSE(statusSaysNotFound());
}

TEST_F(FindCommandsTest, TheConfirmedOptionsAreStoredWithoutTellingOtherWindows) {
    const ItemId one = memo(root, QStringLiteral("one"), QStringLiteral("x"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(one));
    const int broadcasts = env.instances.settingsBroadcasts;
    const std::uint32_t chosen =
        kTitles | kAtGroup | SearchOptions::kInGroupOnly | SearchOptions::kMatchCase;
    answerFind(QStringLiteral("x"), chosen);
    trigger(kCmdFindDown);

    Settings stored;
    DefaultDragScrollSource drag;
    stored.Load({env.store, env.fonts, drag, true});
    EXPECT_EQ(stored.SearchFlags, chosen);
    EXPECT_EQ(env.instances.settingsBroadcasts, broadcasts);

    // The next dialog starts from them.
    std::uint32_t shownOptions = 0;
    answers.then([&shownOptions](QWidget* dialog) {
        if (auto* find = qobject_cast<FindDialog*>(dialog))
            shownOptions = find->options().bits;
        static_cast<QDialog*>(dialog)->reject();
    });
    trigger(kCmdFindUp);
    EXPECT_EQ(shownOptions, chosen);
}

TEST_F(FindCommandsTest, TheSearchTextIsFilledFromTheTextPaneSelectionUpToALineBreak) {
    const ItemId one = memo(root, QStringLiteral("one"),
                            QStringLiteral("abc検索語\r\nnext line ") + QString(300, u'z'));
    showNote();
    struct Case {
        int start;
        int end;
        QString expected;
    };
    const Case cases[] = {
        {3, 12, QStringLiteral("検索語")},    // stops at the line break
        {17, 317, QString(255, u'z')},        // at most 255 characters
        {2, 2, QStringLiteral("last text")},  // no selection: the last search text
    };
    ASSERT_NO_FATAL_FAILURE(focusInText(one, 0));
    // The last search text, typed once.
    answerFind(QStringLiteral("last text"), kBoth | kHere);
    trigger(kCmdFindDown);
    for (const Case& c : cases) {
        text->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return text->hasFocus(); }));
        QTextCursor cursor(text->document());
        cursor.setPosition(c.start);
        cursor.setPosition(c.end, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
        QString prefilled;
        answers.then([&prefilled](QWidget* dialog) {
            if (auto* find = qobject_cast<FindDialog*>(dialog))
                prefilled = find->textField()->text();
            static_cast<QDialog*>(dialog)->reject();
        });
        trigger(kCmdFindDown);
        EXPECT_EQ(prefilled, c.expected) << c.start;
    }
}

TEST_F(FindCommandsTest, TheHelpButtonOpensTheFindTopic) {
    const ItemId one = memo(root, QStringLiteral("one"));
    showNote();
    ASSERT_NO_FATAL_FAILURE(focusInList(one));
    answers.then([](QWidget* dialog) {
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            buttons->button(QDialogButtonBox::Help)->click();
        static_cast<QDialog*>(dialog)->reject();
    });
    trigger(kCmdFindDown);
    ASSERT_FALSE(env.launcher.started.empty());
    EXPECT_EQ(env.launcher.started.back(),
              (QStringList{QStringLiteral("/h"), QStringLiteral("65")}));
}

// The dialog's controls on their own.

TEST(FindDialog, TheGroupScopeDecidesWhatTheStartAndDescendControlsOffer) {
    FindDialog dialog(
        FindDirection::kDown,
        SearchOptions{kTitles | kAtNote | SearchOptions::kInGroupOnly | SearchOptions::kNoDescend},
        QString(), QStringLiteral("group"));
    // Confined: a start at the note becomes one at the group.
    EXPECT_TRUE(dialog.startButton(kAtGroup)->isChecked());
    EXPECT_FALSE(dialog.startButton(kAtNote)->isEnabled());
    EXPECT_TRUE(dialog.noDescendBox()->isChecked());
    EXPECT_TRUE(dialog.noDescendBox()->isEnabled());
    EXPECT_TRUE(dialog.targetButton(kTitles)->isChecked());

    dialog.inGroupBox()->setChecked(false);
    EXPECT_FALSE(dialog.noDescendBox()->isChecked());
    EXPECT_FALSE(dialog.noDescendBox()->isEnabled());
    EXPECT_TRUE(dialog.startButton(kAtNote)->isEnabled());
    dialog.startButton(kAtNote)->setChecked(true);
    EXPECT_EQ(dialog.options().bits, kTitles | kAtNote);

    dialog.inGroupBox()->setChecked(true);
    EXPECT_TRUE(dialog.startButton(kAtGroup)->isChecked());
    EXPECT_EQ(dialog.options().bits, kTitles | kAtGroup | SearchOptions::kInGroupOnly);
}

TEST(FindDialog, OptionsNeverSetBeforeReadAsBothTargetsFromTheCurrentPlace) {
    // A descend switch without the group scope, an unknown target and the
    // fuzzy bit are not carried over.
    FindDialog dialog(FindDirection::kUp,
                      SearchOptions{0x7 | SearchOptions::kNoDescend | SearchOptions::kRegex |
                                    SearchOptions::kFuzzy},
                      QString(), QString());
    EXPECT_EQ(dialog.options().bits, kBoth | kHere | SearchOptions::kRegex);
    EXPECT_FALSE(dialog.fuzzyBox()->isEnabled());
    EXPECT_FALSE(dialog.fuzzyBox()->isChecked());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("上検索"));
    EXPECT_EQ(dialog.startButton(kAtNote)->text(), QStringLiteral("ノートの末尾から検索する(&N)"));
}

}  // namespace
