#include "app/frame/main_window.h"
#include "app/frame/list_panes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/frame/main_menu.h"
#include "app/frame/pane_area.h"
#include "app/frame/path_box.h"
#include "app/frame/status_bar.h"
#include "app/frame/toolbars.h"
#include "app/list/group_content_list.h"
#include "app/list/list_drop_target.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;

// A started window on a new note, shown at a known size.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { startWith({}); }

    void startWith(const QStringList& arguments) {
        outcome = env.start(arguments);
        ASSERT_TRUE(outcome.runLoop);
        app = outcome.application.get();
        window = app->window();
        window->resize(800, 600);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    void trigger(CommandId id) { app->actions().action(id)->trigger(); }
    bool checked(CommandId id) { return app->actions().action(id)->isChecked(); }

    TestEnvironment env;
    StartupOutcome outcome;
    Application* app = nullptr;
    MainWindow* window = nullptr;
};

TEST_F(MainWindowTest, MenuBarBandComesFirstWithTheSixMenus) {
    QToolBar* menuBand = window->toolbars()->menuBand();
    EXPECT_EQ(window->toolBarArea(menuBand), Qt::TopToolBarArea);
    QStringList titles;
    for (QAction* action : window->mainMenu()->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "メモ(&M)", "ツール(&O)",
                                   "ヘルプ(&H)"}));
    // The menu band is above every toolbar.
    for (BandId id : kAllBands) {
        QToolBar* bar = window->toolbars()->toolbar(id);
        if (bar->isVisible()) {
            EXPECT_GT(bar->y(), menuBand->y());
        }
    }
}

TEST_F(MainWindowTest, ToolbarsCarryTheirButtonsInOrder) {
    auto commandsOf = [](QToolBar* bar) {
        QList<int> ids;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                ids << 0;
            } else if (auto* widgetAction = qobject_cast<QWidgetAction*>(action)) {
                auto* button = qobject_cast<QToolButton*>(widgetAction->defaultWidget());
                ids << (button ? button->defaultAction()->data().toInt() : -1);
            } else {
                ids << action->data().toInt();
            }
        }
        return ids;
    };
    EXPECT_EQ(commandsOf(window->toolbars()->toolbar(BandId::kStandard)),
              (QList<int>{40002, 40012, 40059, 0, 40007, 40008, 40009, 40010, 0, 40076, 40077, 0,
                          40021, 40020, 40019}));
    EXPECT_EQ(commandsOf(window->toolbars()->toolbar(BandId::kNavigation)),
              (QList<int>{40022, 40054, 40055, 40121, -1}));  // -1: the path box
    EXPECT_EQ(commandsOf(window->toolbars()->toolbar(BandId::kMemo)),
              (QList<int>{40015, 40017, 0, 40113, 0, 40086, 40050, 40051, 40070, 40057, 40089, 0,
                          40083, 40084}));
    QStringList labels;
    for (QAction* action : window->toolbars()->toolbar(BandId::kSimple)->actions()) {
        if (auto* widgetAction = qobject_cast<QWidgetAction*>(action)) {
            labels << qobject_cast<QToolButton*>(widgetAction->defaultWidget())->text();
        } else if (!action->isSeparator()) {
            labels << action->iconText();
        }
    }
    EXPECT_EQ(labels, (QStringList{"メモ作成", "ﾒﾓｸﾞﾙｰﾌﾟ..", "施錠", "切り取り", "コピー",
                                   "貼り付け", "削除", "下検索", "上検索"}));
}

TEST_F(MainWindowTest, AltWithAMnemonicOpensThatMenuAndArrowsMoveOn) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QMenuBar* bar = window->mainMenu()->menuBar();
    QMenu* memo = nullptr;
    QMenu* view = nullptr;
    for (QAction* action : bar->actions()) {
        if (action->text() == QStringLiteral("メモ(&M)"))
            memo = action->menu();
        if (action->text() == QStringLiteral("表示(&V)"))
            view = action->menu();
    }
    ASSERT_NE(memo, nullptr);
    ASSERT_NE(view, nullptr);
    QTest::keyClick(window->panes()->memoList(), Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([memo] { return memo->isVisible(); }));
    // (Right would open the sub-menu of the first item.)
    QTest::keyClick(memo, Qt::Key_Left);
    EXPECT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(bar, Qt::Key_Escape);
}

TEST_F(MainWindowTest, MenuItemsShowTheirKeysAsTheKeyTableWritesThem) {
    CommandActions& actions = app->actions();
    EXPECT_EQ(actions.action(kCmdNewGroupInside)->text(),
              QStringLiteral("メモグループの中に作成(&C)\tAlt+Ctrl+G"));
    EXPECT_EQ(actions.action(kCmdSaveAs)->text(),
              QStringLiteral("名前を付けて保存(&A)...\tCtrl+Shift+S"));
    EXPECT_EQ(actions.action(kCmdDelete)->text(), QStringLiteral("削除(&D)\tDel"));
    EXPECT_EQ(actions.action(kCmdSort)->text(), QStringLiteral("並べ替え(&S)..."));  // no key
    QMenu* findDown = window->mainMenu()->dropDown(DropDownMenu::kFindDown);
    ASSERT_FALSE(findDown->actions().isEmpty());
    EXPECT_EQ(findDown->actions().first()->text(),
              QStringLiteral("条件を設定してから下検索(&F)...\tCtrl+F"));
}

TEST_F(MainWindowTest, LayoutCommandsArrangeThePanesAndCheckTheirButton) {
    PaneArea* panes = window->panes();
    trigger(kCmdLayoutStacked);
    EXPECT_TRUE(checked(kCmdLayoutStacked));
    EXPECT_FALSE(checked(kCmdLayoutSideBySide));
    EXPECT_EQ(app->note().View().layout, 1u);
    EXPECT_EQ(panes->memoList()->x(), 0);
    EXPECT_EQ(panes->memoText()->y(), panes->splitter());
    EXPECT_EQ(panes->memoList()->width(), panes->width());

    trigger(kCmdLayoutSideBySide);
    EXPECT_EQ(panes->memoText()->x(), panes->splitter());
    EXPECT_EQ(panes->memoList()->height(), panes->height());

    trigger(kCmdLayoutAlternate);
    EXPECT_TRUE(checked(kCmdLayoutAlternate));
    EXPECT_TRUE(panes->memoList()->isVisible());
    EXPECT_FALSE(panes->memoText()->isVisible());
    EXPECT_EQ(panes->memoList()->size(), panes->size());
}

TEST_F(MainWindowTest, StickyLookHidesTitleBarAndBarsInTheAlternateLayoutOnly) {
    app->settings().StickyAlternate = 1;
    trigger(kCmdLayoutAlternate);
    EXPECT_TRUE(window->isTitleBarHidden());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window->toolbars()->menuBand()->isVisible());
    EXPECT_FALSE(window->toolbars()->toolbar(BandId::kStandard)->isVisible());
    EXPECT_FALSE(window->status()->isVisible());

    trigger(kCmdLayoutStacked);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_FALSE(window->isTitleBarHidden());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window->toolbars()->menuBand()->isVisible());
    EXPECT_TRUE(window->toolbars()->toolbar(BandId::kStandard)->isVisible());
    EXPECT_TRUE(window->status()->isVisible());
    // The title bar command works in the alternate layout only.
    EXPECT_FALSE(app->actions().action(kCmdToggleTitleBar)->isEnabled());
}

TEST_F(MainWindowTest, HidingAToolbarStoresItsBandAndSavesTheSettings) {
    trigger(kCmdToggleStandardToolbar);
    EXPECT_FALSE(window->toolbars()->toolbar(BandId::kStandard)->isVisible());
    EXPECT_FALSE(checked(kCmdToggleStandardToolbar));
    Settings stored;
    DefaultDragScrollSource drag;
    stored.Load({env.store, env.fonts, drag, true});
    EXPECT_EQ(stored.StandardBand.Visible, 0u);
    EXPECT_EQ(stored.StandardBand.Position, -1);
    EXPECT_EQ(stored.StandardBand.NewRow, 1u);
    // The others keep their order.
    EXPECT_GE(stored.MemoBand.Position, 0);
    EXPECT_LT(stored.MemoBand.Position, stored.NavigationBand.Position);

    trigger(kCmdToggleStandardToolbar);
    EXPECT_TRUE(window->toolbars()->toolbar(BandId::kStandard)->isVisible());
    EXPECT_TRUE(checked(kCmdToggleStandardToolbar));
}

TEST_F(MainWindowTest, StatusBarPartsFollowTheWindowWidth) {
    MainStatusBar* status = window->status();
    EXPECT_EQ(MainStatusBar::firstPartEnd(800), 432);
    EXPECT_EQ(status->positionText(), QStringLiteral("0/0 項目"));
    EXPECT_EQ(status->groupTitle(), QStringLiteral("ノート本体"));
    trigger(kCmdToggleStatusBar);
    EXPECT_FALSE(status->isVisible());
    EXPECT_EQ(app->settings().ShowStatusBar, 0u);
}

TEST_F(MainWindowTest, StatusTextsShowThePictureOfTheirKind) {
    MainStatusBar* status = window->status();
    MemoTextView* text = window->panes()->memoText();
    const auto pictureAfter = [&](const std::function<void()>& show) {
        show();
        QApplication::processEvents();  // the text pane's notices come queued
        return status->statusPicture().toImage();
    };
    const QImage link =
        pictureAfter([&] { text->showNotice(MemoTextView::Notice::kLink, "https://a.example/"); });
    const QImage failure =
        pictureAfter([&] { text->showNotice(MemoTextView::Notice::kFailure, "x"); });
    const QImage items = pictureAfter([&] { window->showDragStatus(DragKind::kItems); });
    const QImage files = pictureAfter([&] { window->showDragStatus(DragKind::kFiles); });
    const QImage plain =
        pictureAfter([&] { text->showNotice(MemoTextView::Notice::kPlain, "plain"); });
    const int size = status->style()->pixelMetric(QStyle::PM_SmallIconSize);
    const QImage hint = statusIcon(StatusIcon::kHint).pixmap(size, size).toImage();

    EXPECT_TRUE(plain.isNull());
    // A drag of items over a group shows the hint; the others each their own.
    EXPECT_EQ(items, hint);
    const std::vector<QImage> own{hint, link, failure, files};
    for (std::size_t i = 0; i < own.size(); ++i) {
        EXPECT_FALSE(own[i].isNull()) << i;
        for (std::size_t j = i + 1; j < own.size(); ++j)
            EXPECT_NE(own[i], own[j]) << i << " " << j;
    }
}

TEST_F(MainWindowTest, DraggingTheSplitterStopsShortOfTheEnds) {
    trigger(kCmdLayoutSideBySide);
    PaneArea* panes = window->panes();
    const int bar = panes->barThickness();
    const int y = panes->height() / 2;
    const int grab = panes->splitter() - 1;
    QTest::mousePress(panes, Qt::LeftButton, {}, QPoint(grab, y));
    QTest::mouseMove(panes, QPoint(panes->width() + 50, y));
    QTest::mouseRelease(panes, Qt::LeftButton, {}, QPoint(panes->width() + 50, y));
    EXPECT_EQ(panes->splitter(), panes->width() - kSplitterMargin);
    EXPECT_EQ(app->note().View().splitter, panes->width() - kSplitterMargin);
    EXPECT_EQ(panes->memoList()->width(), panes->width() - kSplitterMargin - bar);

    QTest::mousePress(panes, Qt::LeftButton, {}, QPoint(panes->splitter() - 1, y));
    QTest::mouseRelease(panes, Qt::LeftButton, {}, QPoint(-40, y));
    EXPECT_EQ(panes->splitter(), kSplitterMargin + bar);
}

TEST_F(MainWindowTest, InTheAlternateLayoutAPressNeverStartsADrag) {
    trigger(kCmdLayoutAlternate);
    PaneArea* panes = window->panes();
    const int before = panes->splitter();
    QTest::mousePress(panes, Qt::LeftButton, {}, QPoint(before - 1, 10));
    QTest::mouseRelease(panes, Qt::LeftButton, {}, QPoint(before + 100, 10));
    EXPECT_EQ(panes->splitter(), before);
    EXPECT_EQ(panes->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, HideEditorAnimationLetsTheListCoverTheArea) {
    app->settings().HideEditorOnGroup = 1;
    app->settings().HideEditorSlowly = 1;
    window->applyHideEditor();
    trigger(kCmdLayoutStacked);
    PaneArea* panes = window->panes();
    // The placeholder is showing: the list covers the area from the start.
    EXPECT_EQ(panes->memoList()->height(), panes->height());

    panes->setFocusedItemKind(true, false);  // a memo: the editor comes back, step by step
    EXPECT_TRUE(panes->isAnimating());
    // Four steps of a quarter each: after the first, the list is part-way.
    QTRY_VERIFY_WITH_TIMEOUT(panes->memoList()->height() < panes->height(), 1000);
    EXPECT_GT(panes->memoList()->height(), panes->splitter() - panes->barThickness());
    QTRY_VERIFY_WITH_TIMEOUT(!panes->isAnimating(), 2000);
    EXPECT_EQ(panes->memoList()->height(), panes->splitter() - panes->barThickness());

    panes->setFocusedItemKind(false, true);  // a memo group: the list grows over the editor
    QTRY_VERIFY_WITH_TIMEOUT(!panes->isAnimating(), 2000);
    EXPECT_EQ(panes->memoList()->height(), panes->height());
    EXPECT_FALSE(panes->memoText()->isVisible());
    EXPECT_FALSE(panes->groupList()->isVisible());
}

TEST_F(MainWindowTest, TabMovesBetweenPathBoxListAndSecondPane) {
    trigger(kCmdLayoutSideBySide);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->focusPane(FocusWindow::kMemoList);
    ASSERT_EQ(window->lists()->focusWindow(), FocusWindow::kMemoList);
    // The group list is out of sight (no group focused): Tab goes on to the path box.
    QTest::keyClick(window->panes()->memoList(), Qt::Key_Tab);
    EXPECT_EQ(window->lists()->focusWindow(), FocusWindow::kPathBox);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(window->lists()->focusWindow(), FocusWindow::kMemoList);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(window->lists()->focusWindow(), FocusWindow::kPathBox);
}

TEST_F(MainWindowTest, APlainTabIsTypedIntoTheTextButCtrlTabLeavesIt) {
    Note& note = app->note();
    const ItemId memo = AddMemo(note, note.RootId(), "m");
    trigger(kCmdLayoutSideBySide);
    window->showItem(memo);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    MemoTextView* text = window->panes()->memoText();
    text->setFocus();
    ASSERT_EQ(window->lists()->focusWindow(), FocusWindow::kMemoText);
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(window->lists()->focusWindow(), FocusWindow::kMemoText);
    EXPECT_TRUE(text->toPlainText().contains(u'\t'));
    QTest::keyClick(text, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window->lists()->focusWindow(), FocusWindow::kPathBox);
}

TEST_F(MainWindowTest, StayOnTopSetsTheNoteFlagAndTheWindowHint) {
    trigger(kCmdStayOnTop);
    EXPECT_TRUE(checked(kCmdStayOnTop));
    EXPECT_NE(app->note().View().windowFlags & NoteViewSettings::kAlwaysOnTop, 0u);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    trigger(kCmdStayOnTop);
    EXPECT_EQ(app->note().View().windowFlags & NoteViewSettings::kAlwaysOnTop, 0u);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindowTest, PlacementAndMaximisingAreKeptInTheNote) {
    window->move(40, 50);
    window->resize(700, 500);
    QTest::qWait(20);
    const NoteViewSettings& view = app->note().View();
    EXPECT_EQ(view.windowLeft, window->x());
    EXPECT_EQ(view.windowTop, window->y());
    EXPECT_EQ(view.windowWidth, 700);
    EXPECT_EQ(view.windowHeight, 500);
    window->showMaximized();
    QTRY_VERIFY(app->note().View().maximized != 0);
    EXPECT_EQ(view.windowWidth, 700);  // the restored size stays
    window->showNormal();
    QTRY_VERIFY(app->note().View().maximized == 0);
}

TEST_F(MainWindowTest, MovingCloseToAWorkAreaEdgeSnapsOntoIt) {
    app->settings().SnapToEdges = 1;
    const QRect area = window->screen()->availableGeometry();
    window->move(area.x() + 10, area.y() + 100);
    QTRY_COMPARE(window->frameGeometry().x(), area.x());
    EXPECT_NE(app->note().View().windowFlags & NoteViewSettings::kTouchesLeft, 0u);
    window->move(area.x() + 16, area.y() + 100);
    QTest::qWait(20);
    EXPECT_EQ(window->frameGeometry().x(), area.x() + 16);
    EXPECT_EQ(app->note().View().windowFlags & NoteViewSettings::kTouchesLeft, 0u);
}

}  // namespace
