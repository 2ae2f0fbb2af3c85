#include "app/frame/item_feature.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/edit/sort_dialog.h"
#include "app/edit/sort_progress_window.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/toolbars.h"
#include "app/list/group_content_list.h"
#include "app/list/group_content_model.h"
#include "app/list/memo_list.h"
#include "app/list/memo_rows_model.h"
#include "app/test_support.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;

class WindowItemCommandsTest : public StartedWindowTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(630, 460))); }
};

TEST_F(WindowItemCommandsTest, NewMemoCommandPutsAMemoIntoTheEmptyNoteAndMarksItModified) {
    app->actions().action(kCmdNewMemo)->trigger();
    Note& note = app->note();
    EXPECT_EQ(ChildTitles(note, note.RootId()),
              std::vector<std::string>{fromQString(QStringLiteral("新しいメモ")).Str()});
    EXPECT_TRUE(app->isModified());
}

TEST_F(WindowItemCommandsTest, ReadOnlyModeGreysTheItemCommands) {
    app->setReadOnlyMode(true);
    app->updateActions();
    for (CommandId id : {kCmdNewMemo, kCmdNewGroup, kCmdNoteTextColour, kCmdRemarksColumnName}) {
        EXPECT_FALSE(app->actions().action(id)->isEnabled()) << id;
        EXPECT_FALSE(app->actions().dispatch(id)) << id;
    }
    EXPECT_EQ(app->note().FindItem(app->note().RootId())->links.firstChild, kNoItem);
}

// The sort dispatches events while it runs: the window takes no input
// meanwhile, but the progress window does, and its Cancel stops the sort
// where it is.
TEST_F(WindowItemCommandsTest, WhileSortingOnlyTheProgressWindowTakesInput) {
    // Enough memos, in reverse order, with bodies alike up to their last
    // bytes, that sorting by body goes on long enough to turn the event loop.
    Note& note = app->note();
    std::vector<std::string> bodies;
    for (int i = 1500; i > 0; --i)
        bodies.push_back(std::string(4000, 'a') + std::to_string(10000 + i));
    ItemId last = kNoItem;
    for (const std::string& body : bodies) {
        last = AddMemo(note, note.RootId(), "memo");
        static_cast<Memo*>(note.FindItem(last))->SetRawBody(ByteString(body));
    }
    window->noteReplaced();
    MemoList* list = window->panes()->memoList();
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->hasFocus(); }));
    ASSERT_TRUE(list->focusItem(last, true));
    app->updateActions();

    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        auto* sort = qobject_cast<SortDialog*>(dialog);
        ASSERT_NE(sort, nullptr);
        sort->keyBox()->setCurrentIndex(SortKey::kBody - 1);
        sort->accept();
    });
    struct {
        bool seen = false;
        bool cancelEnabled = false;
        bool panesEnabled = true;
        bool barsEnabled = true;
        bool commandEnabled = true;
        bool commandRan = true;
    } during;
    // Looks at the window from inside the sort, at its first turn of the
    // event loop.
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* progress = window->findChild<SortProgressWindow*>();
        if (!progress || during.seen)
            return;
        during.seen = true;
        progress->show();  // as it shows by itself once the sort takes long
        auto* cancel = progress->findChild<QPushButton*>(QStringLiteral("cancel"));
        during.cancelEnabled = cancel->isEnabled();
        during.panesEnabled = window->panes()->isEnabled();
        during.barsEnabled = window->toolbars()->menuBand()->isEnabled();
        during.commandEnabled = app->actions().action(kCmdNewMemo)->isEnabled();
        during.commandRan = app->actions().dispatch(kCmdNewMemo);
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    watch.start();
    app->actions().action(kCmdSort)->trigger();
    watch.stop();

    ASSERT_TRUE(answers.allAnswered());
    ASSERT_TRUE(during.seen) << "the sort ended before it turned the event loop";
    EXPECT_TRUE(during.cancelEnabled);
    EXPECT_FALSE(during.panesEnabled);
    EXPECT_FALSE(during.barsEnabled);
    EXPECT_FALSE(during.commandEnabled);
    EXPECT_FALSE(during.commandRan);
    // Cancelled early: partly sorted, every memo still there once.
    std::vector<std::string> shown;
    for (const Item* item = note.FindItem(note.FindItem(note.RootId())->links.firstChild); item;
         item = note.FindItem(item->links.next))
        shown.push_back(static_cast<const Memo*>(item)->Body().Str());
    EXPECT_FALSE(std::is_sorted(shown.begin(), shown.end()));
    std::vector<std::string> sorted = bodies;
    std::sort(sorted.begin(), sorted.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_TRUE(shown == sorted);

    EXPECT_EQ(window->findChild<SortProgressWindow*>(), nullptr);
    EXPECT_TRUE(window->panes()->isEnabled());
    EXPECT_TRUE(window->toolbars()->menuBand()->isEnabled());
    EXPECT_EQ(window->focusWidget(), list);
    for (CommandId id : {kCmdNewMemo, kCmdCut, kCmdSort})
        EXPECT_TRUE(app->actions().action(id)->isEnabled()) << id;
}

// A window whose memo list shows group > (a, b) and memo, the group focused
// there, so that the group list lists a and b.
class PlacedRowsTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kStacked, QSize(800, 600)));
        Note& note = app->note();
        group = AddGroup(note, note.RootId(), "group");
        a = AddMemo(note, group, "a");
        b = AddMemo(note, group, "b");
        memo = AddMemo(note, note.RootId(), "memo");
        window->noteReplaced();
        memoList = window->panes()->memoList();
        groupList = window->panes()->groupList();
        ASSERT_TRUE(memoList->focusItem(group, true));
        QApplication::processEvents();
        ASSERT_EQ(groupList->contentModel()->group(), group);
    }
    void focus(QWidget* list) {
        list->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([list] { return list->hasFocus(); }));
        app->updateActions();
    }
    void trigger(CommandId id) { app->actions().action(id)->trigger(); }
    // The item after `id` among its siblings.
    ItemId next(ItemId id) { return app->note().FindItem(id)->links.next; }

    MemoList* memoList = nullptr;
    GroupContentList* groupList = nullptr;
    ItemId group = 0, a = 0, b = 0, memo = 0;
};

TEST_F(PlacedRowsTest, APasteInTheGroupListStaysThereWithThePastedRowsSelected) {
    ASSERT_TRUE(groupList->focusItem(a, true));
    groupList->selectionModel()->select(groupList->rowsModel()->indexOf(b),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_NO_FATAL_FAILURE(focus(groupList));
    trigger(kCmdCopy);
    ASSERT_TRUE(groupList->focusItem(b, true));
    trigger(kCmdPaste);

    EXPECT_EQ(ChildTitles(app->note(), group), (std::vector<std::string>{"a", "b", "a", "b"}));
    const ItemId firstCopy = next(b);
    const ItemId lastCopy = next(firstCopy);
    EXPECT_EQ(memoList->focusedItem(), group);
    EXPECT_EQ(groupList->contentModel()->group(), group);
    EXPECT_EQ(groupList->selectedItems(), (std::vector<ItemId>{firstCopy, lastCopy}));
    EXPECT_EQ(groupList->focusedItem(), lastCopy);
    EXPECT_TRUE(memoList->selectedItems().empty());
}

TEST_F(PlacedRowsTest, PastedRowsAreLeftSelectedInTheMemoList) {
    ASSERT_TRUE(memoList->focusItem(memo, true));
    ASSERT_NO_FATAL_FAILURE(focus(memoList));
    QGuiApplication::clipboard()->clear();
    trigger(kCmdCopy);
    trigger(kCmdPaste);
    const ItemId copy = next(memo);
    ASSERT_NE(copy, kNoItem);
    EXPECT_EQ(memoList->selectedItems(), std::vector<ItemId>{copy});
    EXPECT_EQ(memoList->focusedItem(), copy);
}

TEST_F(PlacedRowsTest, TextDroppedOnTheGroupListIsNamedThereWhileTheMemoListKeepsTheGroup) {
    app->settings().TitleFromFirstLine = 0;    // the new memo's title is edited
    ASSERT_NO_FATAL_FAILURE(focus(memoList));  // as while dragging from elsewhere
    QMimeData data;
    data.setText(QStringLiteral("dropped"));
    const QRect row = groupList->visualRect(groupList->rowsModel()->indexOf(a));
    const QPoint point(row.left() + 60, row.bottom() - 2);
    const Qt::DropActions actions = Qt::CopyAction;
    QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(groupList->viewport(), &enter);
    QDropEvent drop(QPointF(point), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(groupList->viewport(), &drop);
    ASSERT_TRUE(drop.isAccepted());

    const ItemId made = next(a);
    EXPECT_EQ(ChildTitles(app->note(), group), (std::vector<std::string>{"a", "dropped", "b"}));
    EXPECT_EQ(memoList->focusedItem(), group);
    EXPECT_EQ(groupList->contentModel()->group(), group);
    EXPECT_EQ(groupList->selectedItems(), std::vector<ItemId>{made});
    EXPECT_TRUE(groupList->isEditingTitle());
    EXPECT_FALSE(memoList->isEditingTitle());
}

}  // namespace
