#include "app/list/memo_list.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/context/item_view_updater.h"
#include "app/edit/password_dialog.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/path_box.h"
#include "app/frame/status_bar.h"
#include "app/frame/toolbars.h"
#include "app/list/group_content_list.h"
#include "app/list/list_row_painter.h"
#include "app/list/memo_columns.h"
#include "app/list/memo_rows_model.h"
#include "app/list/model_tester_log.h"
#include "app/list/title_editor.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/model/group_lock_commands.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;

// Types `text` into `widget` a character at a time, as keys that carry any
// character (the test library's own typing knows only Latin-1).
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Sets the password of every lock attached in a test.
class FixedPassword : public LockDialogs {
public:
    std::optional<ByteString> AskPassword(const ByteString&, bool) override {
        return ByteString("pass");
    }
    void ShowMessage(std::uint32_t, const ByteString&) override {}
};

// A started window whose note holds
//   work (group, closed): plan, notes (group, open): deep
//   diary (memo, two lines of body)
class MemoListTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kSideBySide, QSize(900, 600)));
        lists = window->lists();
        list = window->panes()->memoList();
        groupList = window->panes()->groupList();

        Note& note = app->note();
        root = note.RootId();
        work = AddGroup(note, root, "work");
        plan = AddMemo(note, work, "plan");
        notes = AddGroup(note, work, "notes");
        deep = AddMemo(note, notes, "deep");
        diary = AddMemo(note, root, "diary");
        static_cast<Memo*>(note.FindItem(diary))->SetRawBody(ByteString("line one\r\nline two"));
        note.FindItem(work)->SetOpen(false);
        window->noteReplaced();
        for (QAbstractItemModel* model : {list->model(), groupList->model()}) {
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                model, QAbstractItemModelTester::FailureReportingMode::Warning));
        }
        list->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return list->hasFocus(); }));
    }
    void TearDown() override {
        EXPECT_TRUE(log.messages().isEmpty()) << log.messages().join(u'\n').toStdString();
    }

    Item& item(ItemId id) { return *app->note().FindItem(id); }
    // The rows the memo list shows from top to bottom, two spaces per level.
    QStringList shownRows() const {
        QStringList rows;
        for (QModelIndex at = list->model()->index(0, 0); at.isValid(); at = list->indexBelow(at)) {
            const int level = list->treeModel()->levelOf(at);
            rows << QString(level * 2, u' ') + at.data().toString();
        }
        return rows;
    }
    void focus(ItemId id) { ASSERT_TRUE(list->focusItem(id, true)); }
    void press(int key) { QTest::keyClick(list, Qt::Key(key)); }
    void trigger(CommandId id) { app->actions().action(id)->trigger(); }
    // Enter in the edit box; the list closes it from its event loop.
    void confirm(QWidget* editor) {
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !list->isEditingTitle(); }));
    }
    QString statusText() const { return window->status()->statusText(); }
    // Waits for the coalesced status refresh.
    void settle() { QTest::qWait(20); }

    ModelTesterLog log;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    ListPanes* lists = nullptr;
    MemoList* list = nullptr;
    GroupContentList* groupList = nullptr;
    ItemId root = 0, work = 0, plan = 0, notes = 0, deep = 0, diary = 0;
};

TEST_F(MemoListTest, ShowsOpenGroupsExpandedAndFocusesTheFirstRow) {
    EXPECT_EQ(shownRows(), (QStringList{"work", "diary"}));
    EXPECT_EQ(list->focusedItem(), work);
    EXPECT_EQ(list->selectedCount(), 0);
}

TEST_F(MemoListTest, RightAndLeftExpandMoveAndCollapse) {
    focus(work);
    press(Qt::Key_Right);  // expands the collapsed group
    EXPECT_TRUE(item(work).IsOpen());
    EXPECT_EQ(shownRows(), (QStringList{"work", "  plan", "  notes", "    deep", "diary"}));
    EXPECT_EQ(list->focusedItem(), work);
    press(Qt::Key_Right);  // moves to its first child
    EXPECT_EQ(list->focusedItem(), plan);
    press(Qt::Key_Left);  // back to the group
    EXPECT_EQ(list->focusedItem(), work);
    press(Qt::Key_Left);  // collapses it
    EXPECT_FALSE(item(work).IsOpen());
    EXPECT_EQ(shownRows(), (QStringList{"work", "diary"}));

    focus(diary);
    press(Qt::Key_Left);  // directly under the root: nothing
    EXPECT_EQ(list->focusedItem(), diary);
    EXPECT_EQ(shownRows(), (QStringList{"work", "diary"}));
}

TEST_F(MemoListTest, CollapsingMovesTheFocusFromAHiddenRowToTheGroup) {
    focus(work);
    press(Qt::Key_Right);
    focus(deep);
    ASSERT_TRUE(lists->toggleExpansion(work));
    EXPECT_EQ(shownRows(), (QStringList{"work", "diary"}));
    EXPECT_EQ(list->focusedItem(), work);
}

TEST_F(MemoListTest, ClicksOnPlusAndMinusToggleTheGroup) {
    const QModelIndex row = list->treeModel()->indexOf(work);
    const QRect cell = list->visualRect(row);
    const QPoint plus(cell.left() + 8, cell.center().y());
    ASSERT_EQ(list->stateImageAt(plus), row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, plus);
    EXPECT_TRUE(item(work).IsOpen());
    EXPECT_EQ(list->treeModel()->indexOf(work).data(MemoRowsModel::kStateImageRole).toInt(),
              StateImage::kMinus);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, plus);
    EXPECT_FALSE(item(work).IsOpen());
}

TEST_F(MemoListTest, ANewItemAfterAnExpandedGroupComesAfterItsWholeSubtree) {
    ASSERT_TRUE(lists->toggleExpansion(work));
    Note& note = app->note();
    const ItemId idea = note.CreateItem(ItemType::kMemo);
    note.FindItem(idea)->SetRawTitle("idea");
    note.InsertItems(idea, work, Placement::kBeside, Placement::kAfter, true);
    lists->rowUpdates().itemInserted(idea);
    EXPECT_EQ(shownRows(), (QStringList{"work", "  plan", "  notes", "    deep", "idea", "diary"}));

    // Inside a collapsed group: the group opens with its new child.
    ASSERT_TRUE(lists->toggleExpansion(notes));
    const ItemId later = note.CreateItem(ItemType::kMemo);
    note.FindItem(later)->SetRawTitle("later");
    note.InsertItems(later, notes, Placement::kInside, Placement::kAfter, true);
    lists->rowUpdates().itemInserted(later);
    EXPECT_EQ(shownRows(),
              (QStringList{"work", "  plan", "  notes", "    deep", "    later", "idea", "diary"}));
}

TEST_F(MemoListTest, RemovingTheFocusedRowFocusesTheRowAbove) {
    focus(diary);
    Note& note = app->note();
    lists->rowUpdates().itemRemoving(diary);
    note.DeleteItems(diary, 1);
    lists->rowUpdates().afterRemoval();
    EXPECT_EQ(shownRows(), (QStringList{"work"}));
    EXPECT_EQ(list->focusedItem(), work);
    EXPECT_EQ(list->selectedCount(), 0);
}

TEST_F(MemoListTest, FocusingAMemoOpensItAndAGroupFillsTheGroupList) {
    focus(diary);
    MemoTextView* text = window->panes()->memoText();
    EXPECT_EQ(text->openMemo(), diary);
    EXPECT_EQ(list->treeModel()->indexOf(diary).data(MemoRowsModel::kIconRole).toInt(),
              RowIcon::kOpenMemo);
    focus(work);
    EXPECT_EQ(text->openMemo(), kNoItem);
    EXPECT_EQ(list->treeModel()->indexOf(diary).data(MemoRowsModel::kIconRole).toInt(),
              RowIcon::kMemo);
    ASSERT_EQ(groupList->model()->rowCount(), 2);
    EXPECT_EQ(groupList->model()->index(0, 0).data().toString(), "plan");
    EXPECT_EQ(window->toolbars()->pathBox()->currentText(), "work");
}

TEST_F(MemoListTest, TitlesAreEditedInPlace) {
    focus(diary);
    trigger(kCmdEditTitle);
    auto* editor = list->findChild<TitleEditor*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(list->isEditingTitle());
    EXPECT_EQ(editor->text(), "diary");
    typeText(editor, QStringLiteral("日記"));
    confirm(editor);
    EXPECT_EQ(item(diary).Title(), fromQString(QStringLiteral("日記")));
    EXPECT_TRUE(app->isModified());
    EXPECT_EQ(window->toolbars()->pathBox()->currentText(), "日記");
}

TEST_F(MemoListTest, ThePathBoxRenamesTheFocusedItemUnlessReadOnly) {
    ASSERT_TRUE(lists->revealAndSelect(deep, true));
    PathBox* box = window->toolbars()->pathBox();
    QLineEdit* field = box->lineEdit();
    ASSERT_EQ(box->count(), 3);  // work, notes, deep
    box->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }));
    field->selectAll();
    typeText(field, QStringLiteral("深い"));
    // One key event for the whole character (both halves of the pair).
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("😀"), Qt::NoModifier);
    EXPECT_EQ(field->text(), QStringLiteral("深い"));
    EXPECT_TRUE(statusText().contains(QStringLiteral("😀")));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(item(deep).Title(), fromQString(QStringLiteral("深い")));
    EXPECT_TRUE(app->isModified());
    EXPECT_EQ(list->focusedItem(), deep);
    EXPECT_EQ(box->currentText(), QStringLiteral("深い"));

    app->setReadOnlyMode(true);
    field->selectAll();
    typeText(field, QStringLiteral("other"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(item(deep).Title(), fromQString(QStringLiteral("深い")));
    EXPECT_EQ(box->currentText(), QStringLiteral("深い"));  // the title back
}

TEST_F(MemoListTest, UpAndDownMoveTheEditBetweenRows) {
    focus(work);
    ASSERT_TRUE(list->editFocusedTitle());
    auto* first = list->findChild<TitleEditor*>();
    ASSERT_NE(first, nullptr);
    QTest::keyClick(first, Qt::Key_Up);  // the first row: the edit stays
    EXPECT_TRUE(list->isEditingTitle());
    QTest::keyClicks(first, QStringLiteral("job"));
    QTest::keyClick(first, Qt::Key_Down);
    EXPECT_EQ(item(work).Title(), ByteString("job"));
    EXPECT_TRUE(list->isEditingTitle());
    EXPECT_EQ(list->focusedItem(), diary);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !list->isEditingTitle(); }));
    EXPECT_EQ(item(diary).Title(), ByteString("diary"));
}

TEST_F(MemoListTest, ATitleEditIsRefusedWhileTheNoteIsReadOnly) {
    app->setReadOnlyMode(true);
    app->actions().updateActions();
    focus(diary);
    // The command stays offered; what is typed is refused when the box closes.
    app->actions().updateActions();
    EXPECT_TRUE(app->actions().action(kCmdEditTitle)->isEnabled());
    ASSERT_TRUE(list->editFocusedTitle());
    auto* editor = list->findChild<TitleEditor*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("other"));
    confirm(editor);
    EXPECT_EQ(item(diary).Title(), ByteString("diary"));
}

TEST_F(MemoListTest, AttributeTargetsComeFromTheGroupListWhenItIsTheFocusWindow) {
    ASSERT_TRUE(lists->revealAndSelect(work, true));
    groupList->setFocus();
    QTRY_COMPARE(lists->focusWindow(), FocusWindow::kGroupList);
    ASSERT_TRUE(groupList->focusItem(plan, true));
    EXPECT_EQ(lists->targets(), std::vector<ItemId>{plan});
    // Nothing selected in the group list: nothing to change, not the memo
    // list's selection.
    groupList->clearSelection();
    EXPECT_EQ(lists->targets(), std::vector<ItemId>{});
}

TEST_F(MemoListTest, TogglingTheBodyColumnKeepsTheFocusedRowAndTheOpenMemo) {
    focus(diary);
    MemoTextView* text = window->panes()->memoText();
    ASSERT_EQ(text->openMemo(), diary);
    for (int hide : {1, 0}) {
        app->settings().HideBodyInList = hide;
        lists->applySettings();
        EXPECT_EQ(list->rowsModel()->showsBody(), hide == 0);
        EXPECT_EQ(list->focusedItem(), diary) << hide;
        EXPECT_EQ(text->openMemo(), diary) << hide;
    }
}

TEST_F(MemoListTest, TheTitleEditorShowsTheStartOfALongTitleAllSelected) {
    const QString longTitle = QString(200, QChar(u'x')) + QStringLiteral("end");
    item(diary).SetRawTitle(fromQString(longTitle));
    focus(diary);
    ASSERT_TRUE(list->editFocusedTitle());
    auto* editor = list->findChild<TitleEditor*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), longTitle);
    EXPECT_EQ(editor->selectedText(), longTitle);
    EXPECT_EQ(editor->cursorPosition(), 0);
}

TEST_F(MemoListTest, ALongTitleIsCutAtTheByteLimitWithoutSplittingACharacter) {
    focus(diary);
    ASSERT_TRUE(list->editFocusedTitle());
    auto* editor = list->findChild<TitleEditor*>();
    ASSERT_NE(editor, nullptr);
    // 129 double-byte characters are 258 bytes; one more does not fit.
    typeText(editor, QString(131, QChar(0x3042)));
    EXPECT_EQ(fromQString(editor->text()).Size(), 258u);
    QTest::keyClicks(editor, QStringLiteral("a"));
    EXPECT_EQ(fromQString(editor->text()).Size(), 259u);
    confirm(editor);
    EXPECT_EQ(item(diary).Title().Size(), 259u);
}

TEST_F(MemoListTest, NextMemoStaysAmongSiblingsAndSkipsGroups) {
    ASSERT_TRUE(lists->toggleExpansion(work));
    focus(plan);
    trigger(kCmdNextMemo);  // only a group follows, with a memo inside
    EXPECT_EQ(list->focusedItem(), plan);
    EXPECT_EQ(window->panes()->memoText()->openMemo(), plan);

    focus(diary);
    trigger(kCmdPreviousMemo);  // "work" is a group: nothing
    EXPECT_EQ(list->focusedItem(), diary);

    focus(deep);
    trigger(kCmdParentGroup);
    EXPECT_EQ(list->focusedItem(), notes);
    EXPECT_EQ(groupList->focusedItem(), deep);
}

TEST_F(MemoListTest, TheStatusBarDescribesTheSelection) {
    struct Case {
        std::vector<ItemId*> selected;
        QString text;
    };
    const Case cases[] = {
        {{}, "ノートには 5 項目あります"},
        {{&diary}, "line one ..."},
        {{&work}, "2個の項目を格納しています"},
        {{&work, &diary}, "2個の項目を選択しています"},
    };
    for (const Case& c : cases) {
        list->clearSelection();
        for (ItemId* id : c.selected) {
            list->selectionModel()->select(list->treeModel()->indexOf(*id),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        settle();
        EXPECT_EQ(statusText(), c.text);
    }
    focus(diary);
    settle();
    EXPECT_EQ(window->status()->positionText(), "2/2 項目");
    EXPECT_EQ(window->status()->groupTitle(), "ノート本体");
}

TEST_F(MemoListTest, SelectingAllRowsAcrossOpenGroupsIsOneRangeAndAClickLeavesOneRow) {
    // Work done on a selection grows with its ranges: however many groups
    // are open, every row selected is one range, and a click one row.
    item(work).SetOpen(true);
    list->groupOpenChanged(work);
    ASSERT_EQ(shownRows(), (QStringList{"work", "  plan", "  notes", "    deep", "diary"}));
    trigger(kCmdSelectAll);
    settle();
    EXPECT_EQ(list->selectedCount(), 5);
    EXPECT_EQ(list->selectionModel()->selection().size(), 1);
    EXPECT_EQ(list->selectedItems(), (std::vector<ItemId>{work, plan, notes, deep, diary}));

    const QRect deepRow = list->visualRect(list->treeModel()->indexOf(deep, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, deepRow.center());
    settle();
    EXPECT_EQ(list->selectedItems(), (std::vector<ItemId>{deep}));
    EXPECT_EQ(list->selectionModel()->selection().size(), 1);
}

TEST_F(MemoListTest, EnterInTheGroupListOpensTheGroupInBothLists) {
    focus(work);
    ASSERT_EQ(groupList->model()->rowCount(), 2);
    groupList->setFocus();
    ASSERT_TRUE(groupList->focusItem(notes, true));
    QTest::keyClick(groupList, Qt::Key_Return);
    EXPECT_TRUE(item(work).IsOpen());
    EXPECT_EQ(list->focusedItem(), notes);
    ASSERT_EQ(groupList->model()->rowCount(), 1);
    EXPECT_EQ(groupList->model()->index(0, 0).data().toString(), "deep");
    EXPECT_TRUE(groupList->hasFocus());

    // A memo there opens in the text pane, which takes the focus.
    QTest::keyClick(groupList, Qt::Key_Return);
    EXPECT_EQ(list->focusedItem(), deep);
    EXPECT_EQ(window->panes()->memoText()->openMemo(), deep);
    EXPECT_TRUE(window->panes()->memoText()->hasFocus());
}

TEST_F(MemoListTest, ThePopupMenuFollowsTheLayout) {
    focus(diary);
    QTest::keyClick(list, Qt::Key_Menu);
    QMenu* menu = lists->popupMenu(true);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    EXPECT_EQ(menu->objectName(), "menu.122");
    const QList<QAction*> items = menu->actions();
    ASSERT_GT(items.size(), 8);
    EXPECT_EQ(items[0]->text(), "メモの作成(&M)");
    EXPECT_NE(items[8]->menu(), nullptr);  // the paste sub-menu
    EXPECT_EQ(items[8]->menu()->actions().value(0), app->actions().action(kCmdPaste));
    menu->close();

    window->setLayoutMode(PaneLayout::kAlternate);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Menu);
    QMenu* alternate = lists->popupMenu(true);
    ASSERT_TRUE(QTest::qWaitFor([alternate] { return alternate->isVisible(); }));
    EXPECT_EQ(alternate->objectName(), "menu.147");
    EXPECT_EQ(alternate->actions().value(0)->data().toInt(), int(kCmdSwitchPane));
    EXPECT_NE(alternate->actions().value(11)->menu(), nullptr);
    alternate->close();
    EXPECT_EQ(lists->popupMenu(false)->objectName(), "menu.122");  // the group list's
}

TEST_F(MemoListTest, AnEmptyNoteShowsHintRowsUntilTheFirstCommand) {
    Note& note = app->note();
    note.MakeNew(ByteString("root"));
    window->noteReplaced();
    ASSERT_EQ(list->model()->rowCount(), 5);
    EXPECT_EQ(list->model()->index(1, 0).data().toString(),
              "Tidemarkでは次のようにしてメモを作ってください。");
    EXPECT_EQ(list->focusedItem(), kNoItem);
    settle();
    EXPECT_EQ(statusText(), "まず、「メモ」メニューから新しいメモを作成してください");

    trigger(kCmdLayoutSideBySide);  // any command ends the hints
    EXPECT_EQ(list->model()->rowCount(), 0);
    const ItemId first = AddMemo(note, note.RootId(), "first");
    lists->rowUpdates().itemInserted(first);
    EXPECT_EQ(shownRows(), (QStringList{"first"}));
}

// The locked group "safe" holds "secret" under the password "pass".
class LockedGroupTest : public MemoListTest {
protected:
    void SetUp() override {
        MemoListTest::SetUp();
        Note& note = app->note();
        safe = AddGroup(note, root, "safe");
        secret = AddMemo(note, safe, "secret");
        note.FindItem(safe)->SetOpen(false);
        FixedPassword password;
        ASSERT_EQ(ToggleGroupLock(note, safe, password), LockCommandResult::kDone);
        ASSERT_TRUE(item(secret).IsEncrypted());
        window->noteReplaced();
        list->setFocus();
    }
    static void typePassword(QWidget* dialog, const QString& text) {
        auto* password = qobject_cast<PasswordDialog*>(dialog);
        ASSERT_NE(password, nullptr);
        password->passwordField()->setText(text);
        password->accept();
    }

    ItemId safe = 0, secret = 0;
};

TEST_F(LockedGroupTest, AClosedLockedGroupTurnsTheGroupListIntoTwoDisabledRows) {
    focus(safe);
    ASSERT_EQ(groupList->model()->rowCount(), 2);
    EXPECT_EQ(groupList->model()->index(0, 0).data().toString(),
              "このメモグループは暗号化されています。");
    EXPECT_FALSE(groupList->isEnabled());
    list->selectionModel()->select(list->treeModel()->indexOf(safe),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    settle();
    EXPECT_EQ(statusText(), "鍵を開けるにはパスワードが必要です");
}

// The texts of rows that stand for no item reach past the first column as
// far as the row goes: the locked group's notice in the group list and the
// hint rows of an empty note in the memo list.
TEST_F(LockedGroupTest, RowsWithoutAnItemWriteAcrossTheColumns) {
    // Whether anything is drawn in `row` to the right of a first column too
    // narrow for the text (the list's background shows at the row's end).
    const auto drawnPastFirstColumn = [](MemoRowsView* view, int row) {
        view->setGridLines(false);
        view->setColumnWidth(0, 90);
        view->viewport()->repaint();
        const QImage image = view->viewport()->grab().toImage();
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const QColor background = image.pixelColor(image.width() - 1, y);
            for (int x = view->columnWidth(0) + 1; x < image.width(); ++x) {
                if (image.pixelColor(x, y) != background)
                    return true;
            }
        }
        return false;
    };
    focus(safe);
    ASSERT_EQ(groupList->model()->rowCount(), 2);
    ASSERT_TRUE(groupList->isVisible());
    EXPECT_TRUE(drawnPastFirstColumn(groupList, 0));
    EXPECT_TRUE(drawnPastFirstColumn(groupList, 1));

    app->note().MakeNew(ByteString("root"));
    window->noteReplaced();
    ASSERT_EQ(list->model()->rowCount(), 5);
    for (int row = 0; row < 5; ++row)
        EXPECT_TRUE(drawnPastFirstColumn(list, row)) << row;
}

TEST_F(LockedGroupTest, AWrongPasswordChangesNothingAndTheRightOneOpens) {
    focus(safe);
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) { typePassword(dialog, "nope"); });
    answers.thenMessage(QMessageBox::Ok);
    press(Qt::Key_Right);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.messages, (QStringList{"パスワードに誤りがあります。"}));
    EXPECT_FALSE(item(safe).IsOpen());
    EXPECT_TRUE(item(secret).IsEncrypted());
    EXPECT_FALSE(list->treeModel()->showsChildren(safe));

    answers.then([](QWidget* dialog) { typePassword(dialog, "pass"); });
    press(Qt::Key_Right);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(item(safe).IsOpen());
    EXPECT_FALSE(item(secret).IsEncrypted());
    EXPECT_EQ(shownRows(), (QStringList{"work", "diary", "safe", "  secret"}));
    EXPECT_TRUE(groupList->isEnabled());
    EXPECT_EQ(groupList->model()->index(0, 0).data().toString(), "secret");

    // Closing needs no password: the one held encrypts the contents again.
    press(Qt::Key_Left);
    EXPECT_FALSE(item(safe).IsOpen());
    EXPECT_TRUE(item(secret).IsEncrypted());
    EXPECT_EQ(answers.unexpected, 0);
}

// Row painting, read back from the screen.
class RowPaintingTest : public MemoListTest {
protected:
    QColor pixelAt(ItemId id, int x) {
        const QImage image = list->viewport()->grab().toImage();
        const QRect row = list->visualRect(list->treeModel()->indexOf(id));
        return image.pixelColor(x, row.center().y());
    }
    // The last pixel of the highlighted title area, past the end of the text.
    int titleAreaEnd(ItemId id) {
        const QModelIndex row = list->treeModel()->indexOf(id);
        const QFontMetrics metrics = list->viewport()->fontMetrics();
        const int space = metrics.horizontalAdvance(QLatin1Char(' '));
        return ListRowPainter::labelRect(list->visualRect(row), 0).left() + space / 2 +
               metrics.horizontalAdvance(row.data().toString()) + space - 1;
    }
};

TEST_F(RowPaintingTest, OwnBackgroundColoursShowAsNestedBandsPerLevel) {
    ASSERT_TRUE(lists->toggleExpansion(work));
    item(work).SetBackgroundColour(MakeColour(255, 0, 0));
    item(deep).SetBackgroundColour(MakeColour(0, 0, 255));
    list->clearSelection();
    list->selectionModel()->setCurrentIndex(list->treeModel()->indexOf(diary),
                                            QItemSelectionModel::NoUpdate);
    list->viewport()->repaint();
    const QColor red(255, 0, 0), blue(0, 0, 255);
    const QColor note = colourFromNote(app->note().View().backgroundColour);
    // "deep" is two levels down: the band of "work" under the first level,
    // its own colour from its own level on, and beyond its title.
    EXPECT_EQ(pixelAt(deep, 4), red);
    EXPECT_EQ(pixelAt(deep, 2 * kLevelWidth + 4), blue);
    EXPECT_EQ(pixelAt(deep, list->viewport()->width() - 4), blue);
    // "notes" shows the colour of "work" everywhere.
    EXPECT_EQ(pixelAt(notes, 4), red);
    EXPECT_EQ(pixelAt(notes, list->viewport()->width() - 4), red);
    // "diary" is not inside: the note's colour.
    EXPECT_EQ(pixelAt(diary, 4), note);
}

TEST_F(RowPaintingTest, TheHighlightBlendsIntoTheBackgroundByTheListsState) {
    list->selectionModel()->setCurrentIndex(
        list->treeModel()->indexOf(work),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QColor background = colourFromNote(app->note().View().backgroundColour);
    const QColor highlight = list->palette().color(QPalette::Active, QPalette::Highlight);
    const int x = titleAreaEnd(work);
    list->viewport()->repaint();
    EXPECT_EQ(pixelAt(work, x), blendColour(background, highlight, kActiveHighlightWeight));

    window->toolbars()->pathBox()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !list->isFocusWindow(); }));
    list->viewport()->repaint();
    EXPECT_EQ(pixelAt(work, x), blendColour(background, highlight, kInactiveHighlightWeight));
}

TEST(HighlightColours, FollowTheFormulas) {
    EXPECT_EQ(blendColour(QColor(0, 100, 255), QColor(255, 0, 0), 160), QColor(159, 37, 95));
    EXPECT_EQ(blendColour(QColor(10, 20, 30), QColor(10, 20, 30), 48), QColor(10, 20, 30));
    // Black text on a highlight with white text: (24 × 255 + 232 × 255) / 256.
    EXPECT_EQ(highlightedTextColour(Qt::black, Qt::white), QColor(255, 255, 255));
    EXPECT_EQ(highlightedTextColour(Qt::white, Qt::black), QColor(0, 0, 0));
    EXPECT_EQ(highlightedTextColour(QColor(255, 0, 128), QColor(0, 255, 0)), QColor(0, 255, 11));
}

// Only the title stands on the highlight; the other columns keep the row's
// own background, so their text keeps the row's text colour.
TEST(RowTextColours, TheHighlightTextIsForTheTitleAlone) {
    const QColor red(255, 0, 0);
    struct Case {
        QColor text;
        bool highlighted;
        bool active;
        QColor title;
        QColor columns;
    } cases[] = {
        {Qt::black, true, true, highlightedTextColour(Qt::black, Qt::white), Qt::black},
        {red, true, true, highlightedTextColour(red, Qt::white), red},
        {Qt::black, true, false, Qt::black, Qt::black},
        {red, false, true, red, red},
    };
    for (const Case& c : cases) {
        const RowTextColours colours = rowTextColours(c.text, c.highlighted, c.active, Qt::white);
        const std::string what = c.text.name().toStdString() +
                                 (c.highlighted ? " highlighted" : "") +
                                 (c.active ? " active" : "");
        EXPECT_EQ(colours.title.name().toStdString(), c.title.name().toStdString()) << what;
        EXPECT_EQ(colours.columns.name().toStdString(), c.columns.name().toStdString()) << what;
    }
}

}  // namespace
