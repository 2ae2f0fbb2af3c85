#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/edit/item_drag.h"
#include "app/edit/item_mime_data.h"
#include "app/edit/item_view_fakes_for_test.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/status_bar.h"
#include "app/list/group_content_list.h"
#include "app/list/list_drop_target.h"
#include "app/list/memo_list.h"
#include "app/list/memo_rows_model.h"
#include "app/test_support.h"
#include "core/file/note_bytes.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;
using Where = DropSpot::Where;

// A started window whose memo list shows: group (open) > inner, then memo.
class DragDropTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kStacked, QSize(800, 600)));
        Note& note = app->note();
        group = AddGroup(note, note.RootId(), "group");
        inner = AddMemo(note, group, "inner");
        memo = AddMemo(note, note.RootId(), "memo");
        window->noteReplaced();
        list = window->panes()->memoList();
    }

    QRect rowOf(ItemId id) { return list->visualRect(list->rowsModel()->indexOf(id)); }
    // A point on the row of `id`: its upper or lower quarter, over the text.
    QPoint on(ItemId id, bool lower) {
        const QRect row = rowOf(id);
        return QPoint(row.left() + 60,
                      lower ? row.bottom() - row.height() / 4 : row.top() + row.height() / 4);
    }
    // Drags `data` over the memo list to `point` and drops it there.
    bool dropAt(const QMimeData& data, const QPoint& point,
                Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent over(point, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(list->viewport(), &over);
        QDropEvent drop(QPointF(point), actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(list->viewport(), &drop);
        return drop.isAccepted();
    }
    std::vector<std::string> rootTitles() { return ChildTitles(app->note(), app->note().RootId()); }

    MemoList* list = nullptr;
    ItemId group = 0, inner = 0, memo = 0;
};

TEST_F(DragDropTest, TheSpotFollowsTheHalfOfTheRowAndAGroupsPictures) {
    const QRect groupRow = rowOf(group);
    const QRect last = rowOf(memo);
    const struct {
        QPoint point;
        DropSpot spot;
    } cases[] = {
        {on(memo, false), {memo, Where::kBefore}},
        {on(memo, true), {memo, Where::kAfter}},
        {on(group, true), {group, Where::kAfter}},
        {QPoint(groupRow.left() + 20, groupRow.center().y()), {group, Where::kInside}},
        {QPoint(rowOf(inner).left() + 20, rowOf(inner).center().y()), {inner, Where::kBefore}},
        {QPoint(last.left() + 60, last.bottom() + last.height() / 4), {memo, Where::kAfter}},
        {QPoint(last.left() + 60, last.bottom() + 3 * last.height()), {}},
    };
    for (const auto& c : cases) {
        const DropSpot spot = ListDropTarget::spotAt(*list, c.point);
        EXPECT_EQ(spot.item, c.spot.item) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(int(spot.where), int(c.spot.where)) << c.point.x() << "," << c.point.y();
    }
}

TEST_F(DragDropTest, DroppedTextBecomesAMemoWhereTheBarWas) {
    QMimeData data;
    data.setText(QStringLiteral("first line\nsecond"));
    ASSERT_TRUE(dropAt(data, on(memo, false)));
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"group", "first line", "memo"}));
    EXPECT_TRUE(app->isModified());
}

TEST_F(DragDropTest, ItemsDroppedBelowAnOpenGroupGoFirstInsideIt) {
    // Items as another window's list would drag them.
    ASSERT_TRUE(list->focusItem(memo, true));
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return list->hasFocus(); }));
    app->actions().updateActions();
    app->actions().action(kCmdCopy)->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied->hasFormat(QString::fromLatin1(kItemsMimeType)));
    QMimeData data;
    data.setData(QString::fromLatin1(kItemsMimeType),
                 copied->data(QString::fromLatin1(kItemsMimeType)));

    ASSERT_TRUE(dropAt(data, on(group, true)));
    EXPECT_EQ(ChildTitles(app->note(), group), (std::vector<std::string>{"memo", "inner"}));
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"group", "memo"}));  // a copy went in
}

TEST_F(DragDropTest, ADropIntoAClosedLockedGroupIsRefusedWithTheMessage) {
    Item& locked = *app->note().FindItem(group);
    locked.SetRawFlags(locked.Flags() | ItemFlags::kLocked);
    locked.SetOpen(false);
    window->noteReplaced();
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    QMimeData data;
    data.setText(QStringLiteral("secret"));
    const QRect row = rowOf(group);
    EXPECT_FALSE(dropAt(data, QPoint(row.left() + 20, row.center().y())));
    EXPECT_EQ(ChildTitles(app->note(), group), std::vector<std::string>{"inner"});
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_TRUE(answers.messages.front().contains(QStringLiteral("group")));
}

TEST_F(DragDropTest, AWebLinkBecomesALinkMemoNamedAfterIt) {
    QMimeData data;
    const QString both = QStringLiteral("https://example.org/page\nExample page");
    data.setData(QStringLiteral("text/x-moz-url"),
                 QByteArray(reinterpret_cast<const char*>(both.utf16()), both.size() * 2));
    data.setText(QStringLiteral("https://example.org/page"));
    app->settings().LinkPlace = 1;  // into the remarks
    ASSERT_TRUE(dropAt(data, on(memo, true)));
    const Item* made = app->note().FindItem(app->note().FindItem(memo)->links.next);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Title(), ByteString("Example page"));
    EXPECT_EQ(made->Remarks(), ByteString("https://example.org/page"));
    EXPECT_TRUE(made->IsRemarksLink());
}

TEST_F(DragDropTest, AURLOfferedWithTextBecomesALinkMemoKeepingItsEncodedForm) {
    // As another Qt program, a mail program or a browser offers a link.
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.org/Café"))});
    data.setText(QStringLiteral("https://example.org/Café"));
    app->settings().LinkPlace = 0;  // into the body
    DialogAnswerer answers;         // nothing is left out to tell about
    ASSERT_TRUE(dropAt(data, on(memo, true)));
    EXPECT_EQ(answers.unexpected, 0);
    const Item* made = app->note().FindItem(app->note().FindItem(memo)->links.next);
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(made->IsMemo());
    EXPECT_EQ(static_cast<const Memo*>(made)->Body(), ByteString("https://example.org/Caf%C3%A9"));
    EXPECT_TRUE(made->IsBodyLink());
    EXPECT_EQ(made->Title(), ByteString("https://example.org/Caf%C3%A9"));
}

TEST_F(DragDropTest, ADroppedTextFileBecomesAMemoOfItsContents) {
    const QString path = env.path(QStringLiteral("dropped.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("from a file\r\n");
    file.close();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(path);  // as file managers offer it too
    ASSERT_TRUE(dropAt(data, on(memo, true)));
    const Item* made = app->note().FindItem(app->note().FindItem(memo)->links.next);
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(made->IsMemo());
    EXPECT_EQ(made->Title(), ByteString("dropped.txt"));
    EXPECT_EQ(static_cast<const Memo*>(made)->Body(), ByteString("from a file\r\n"));
}

TEST_F(DragDropTest, RestingOnAGroupLockedShutNeitherAsksNorOpensIt) {
    Item& locked = *app->note().FindItem(group);
    locked.SetRawFlags(locked.Flags() | ItemFlags::kLocked);
    locked.SetOpen(false);
    window->noteReplaced();
    auto* target = list->findChild<ListDropTarget*>();
    ASSERT_NE(target, nullptr);
    DialogAnswerer answers;
    emit target->expandRequested(group);
    QApplication::processEvents();
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_FALSE(app->note().FindItem(group)->IsOpen());
}

TEST_F(DragDropTest, ARefusedMoveOntoASpotMayStillCopyThere) {
    // As while "memo" itself is being dragged out of this window.
    auto* target = list->findChild<ListDropTarget*>();
    ASSERT_NE(target, nullptr);
    target->setRefusal([this](DropSpot spot, Qt::DropAction effect) {
        return effect == Qt::MoveAction && spot.item == memo;
    });
    QMimeData data;
    data.setText(QStringLiteral("copied"));
    EXPECT_FALSE(dropAt(data, on(memo, true)));
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"group", "memo"}));
    EXPECT_TRUE(dropAt(data, on(memo, true), Qt::ControlModifier));
    EXPECT_EQ(rootTitles(), (std::vector<std::string>{"group", "memo", "copied"}));
}

// Rests of a drag over a list on a clock the test steps by hand.
class DragRestTest : public DragDropTest {
protected:
    // The target of `view`, its clock set to the test's.
    ListDropTarget* targetOf(MemoRowsView* view) {
        auto* target = view->findChild<ListDropTarget*>();
        if (target)
            target->setClock([this] { return now; });
        return target;
    }
    // Over the pictures of the row of `id` in `view`.
    static QPoint onPictures(MemoRowsView* view, ItemId id) {
        const QRect row = view->visualRect(view->rowsModel()->indexOf(id));
        return QPoint(row.left() + 20, row.center().y());
    }
    void enterAt(MemoRowsView* view, const QPoint& point) {
        QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
    }
    void moveAt(MemoRowsView* view, const QPoint& point, qint64 at) {
        now = at;
        QDragMoveEvent over(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &over);
    }
    void leave(MemoRowsView* view) {
        QDragLeaveEvent gone;
        QApplication::sendEvent(view->viewport(), &gone);
    }
    bool isOpen(ItemId id) { return app->note().FindItem(id)->IsOpen(); }

    qint64 now = 0;
    QMimeData data;
};

TEST_F(DragRestTest, AfterAGroupOpenedTheNextRowOpensAfterTheShortRest) {
    const ItemId second = AddGroup(app->note(), app->note().RootId(), "second");
    AddMemo(app->note(), second, "in second");
    app->note().FindItem(group)->SetOpen(false);
    app->note().FindItem(second)->SetOpen(false);
    window->noteReplaced();
    data.setText(QStringLiteral("t"));
    ASSERT_NE(targetOf(list), nullptr);

    enterAt(list, onPictures(list, group));
    moveAt(list, onPictures(list, group), 0);
    moveAt(list, onPictures(list, group), 600);
    ASSERT_TRUE(isOpen(group));
    moveAt(list, onPictures(list, second), 700);
    moveAt(list, onPictures(list, second), 1300);
    EXPECT_TRUE(isOpen(second));
    leave(list);
}

TEST_F(DragRestTest, TheRowUnderThePointerAfterTheGroupListOpenedAGroupWaitsLonger) {
    // The group list shows "outer"; opening "sub" there makes it list
    // "deeper" on the row the pointer rests on.
    const ItemId outer = AddGroup(app->note(), app->note().RootId(), "outer");
    const ItemId sub = AddGroup(app->note(), outer, "sub");
    const ItemId deeper = AddGroup(app->note(), sub, "deeper");
    AddMemo(app->note(), deeper, "deepest");
    app->note().FindItem(sub)->SetOpen(false);
    app->note().FindItem(deeper)->SetOpen(false);
    window->noteReplaced();
    ASSERT_TRUE(list->focusItem(outer, true));
    QApplication::processEvents();
    MemoRowsView* groupList = window->panes()->groupList();
    ASSERT_TRUE(groupList->rowsModel()->indexOf(sub).isValid());
    data.setText(QStringLiteral("t"));
    ASSERT_NE(targetOf(groupList), nullptr);

    const QPoint point = onPictures(groupList, sub);
    enterAt(groupList, point);
    moveAt(groupList, point, 0);
    moveAt(groupList, point, 600);
    ASSERT_TRUE(isOpen(sub));
    ASSERT_EQ(onPictures(groupList, deeper), point);
    moveAt(groupList, point, 1200);
    EXPECT_FALSE(isOpen(deeper));
    moveAt(groupList, point, 2200);
    EXPECT_TRUE(isOpen(deeper));
    leave(groupList);
}

TEST_F(DragDropTest, DragScrollingGoesUpAndDownButNeverSideways) {
    // Rows and columns enough to scroll both ways.
    for (int i = 0; i < 60; ++i)
        AddMemo(app->note(), app->note().RootId(), "memo " + std::to_string(i));
    window->noteReplaced();
    list->header()->resizeSection(0, 3 * list->viewport()->width());
    QApplication::processEvents();
    QScrollBar* vertical = list->verticalScrollBar();
    QScrollBar* horizontal = list->horizontalScrollBar();
    ASSERT_GT(vertical->maximum(), 0);
    ASSERT_GT(horizontal->maximum(), 0);
    horizontal->setValue(horizontal->maximum() / 2);
    const int sideways = horizontal->value();

    QMimeData data;
    data.setText(QStringLiteral("t"));
    const QRect area = list->viewport()->rect();
    // The bottom right corner lies in the bottom band and the right one.
    const QPoint corner = area.bottomRight() - QPoint(2, 2);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(corner, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent over(corner, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &over);
    QTRY_VERIFY(vertical->value() > 0);
    EXPECT_EQ(horizontal->value(), sideways);
    QDragLeaveEvent gone;
    QApplication::sendEvent(list->viewport(), &gone);
}

TEST_F(DragDropTest, ADragEnteringTheListOfAnEmptyNoteEndsTheHintRows) {
    Note& note = app->note();
    ASSERT_TRUE(note.DeleteItems(note.FindItem(note.RootId())->links.firstChild, 0));
    window->noteReplaced();
    ASSERT_TRUE(list->treeModel()->showsHintRows());
    QMimeData data;
    data.setText(QStringLiteral("t"));
    QDragEnterEvent enter(QPoint(40, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    EXPECT_FALSE(list->treeModel()->showsHintRows());
    QDragLeaveEvent gone;
    QApplication::sendEvent(list->viewport(), &gone);
}

TEST_F(DragDropTest, ADragComingOverTheListBringsTheWindowForwardAsTheSettingSays) {
    for (const bool popup : {true, false}) {
        SCOPED_TRACE(popup);
        app->settings().DragPopup = popup ? 1 : 0;
        QWidget other;  // the window the drag starts from
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        QMimeData data;
        data.setText(QStringLiteral("t"));
        QDragEnterEvent enter(on(memo, true), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QDragLeaveEvent gone;
        QApplication::sendEvent(list->viewport(), &gone);
        if (popup) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        } else {
            QApplication::processEvents();
            EXPECT_FALSE(window->isActiveWindow());
            EXPECT_TRUE(other.isActiveWindow());
        }
    }
}

// The titles of the children of the root's first item in the note file at
// `path`, read past the lock of the window that holds it.
std::vector<std::string> firstGroupInFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {"(unreadable)"};
    const QByteArray bytes = file.readAll();
    Note note;
    LoadNoteFromBytes(note, MemoryBlock(bytes.begin(), bytes.end()));
    return ChildTitles(note, note.FindItem(note.RootId())->links.firstChild);
}

TEST_F(DragDropTest, WithAutomaticSavingAMoveWithinTheWindowIsSavedOnceComplete) {
    const QString path = env.path(QStringLiteral("moving.tmk"));
    app->setNotePath(path);
    ASSERT_TRUE(app->fileCommands().save());
    app->settings().AutoSave = 1;
    ASSERT_TRUE(list->focusItem(memo, true));

    // The platform's part of a drag: "memo" goes over the list and is
    // dropped into "group".
    auto* drag = window->findChild<ItemDrag*>();
    ASSERT_NE(drag, nullptr);
    std::vector<std::string> duringDrag;
    drag->setRunner([&](QDrag& running, Qt::DropActions allowed, Qt::DropAction) {
        const QPoint point(rowOf(group).left() + 20, rowOf(group).center().y());
        const QMimeData* data = running.mimeData();
        QDragEnterEvent enter(point, allowed, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent over(point, allowed, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &over);
        QDropEvent drop(QPointF(point), allowed, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
        duringDrag = firstGroupInFile(path);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    });
    emit list->dragStartRequested();

    EXPECT_EQ(duringDrag, std::vector<std::string>{"inner"});  // nothing saved yet
    EXPECT_EQ(rootTitles(), std::vector<std::string>{"group"});
    EXPECT_EQ(firstGroupInFile(path), (std::vector<std::string>{"inner", "memo"}));
    EXPECT_FALSE(app->isModified());
}

TEST_F(DragDropTest, ADropFromElsewhereIsSavedOnceItHasGoneIn) {
    const QString path = env.path(QStringLiteral("taking.tmk"));
    app->setNotePath(path);
    ASSERT_TRUE(app->fileCommands().save());
    app->settings().AutoSave = 1;
    QMimeData data;
    data.setText(QStringLiteral("from elsewhere"));
    const QRect row = rowOf(group);
    ASSERT_TRUE(dropAt(data, QPoint(row.left() + 20, row.center().y())));
    EXPECT_EQ(firstGroupInFile(path), (std::vector<std::string>{"inner", "from elsewhere"}));
    EXPECT_FALSE(app->isModified());
}

TEST(ItemDragFileName, TitlesBecomeSafeFileNamesThatFitTheFileSystem) {
    const QString a = QStringLiteral("a");
    const QString ni = QStringLiteral("日");
    const struct {
        const char* name;
        QString title;
        QString file;
    } cases[] = {
        {"plain", QStringLiteral("plan"), QStringLiteral("plan.txt")},
        {"unsafe characters", QStringLiteral("a/b:c*d?"), QStringLiteral("a_b_c_d_.txt")},
        {"more unsafe characters", QStringLiteral("<x>|\"y\",z;w\\"),
         QStringLiteral("_x___y__z_w_.txt")},
        {"japanese", QStringLiteral("日本語"), QStringLiteral("日本語.txt")},
        // 251 bytes of name and 4 of ".txt" make the 255 a file name may have.
        {"long ascii", a.repeated(300), a.repeated(251) + QStringLiteral(".txt")},
        {"long japanese", ni.repeated(127), ni.repeated(83) + QStringLiteral(".txt")},
        {"not splitting a character", a + ni.repeated(100),
         a + ni.repeated(83) + QStringLiteral(".txt")},
        {"a pair of surrogates stays whole", a.repeated(248) + QStringLiteral("😀"),
         a.repeated(248) + QStringLiteral(".txt")},
    };
    for (const auto& c : cases) {
        const QString file = ItemDrag::fileNameFor(c.title);
        EXPECT_EQ(file, c.file) << c.name;
        EXPECT_LE(QFile::encodeName(file).size(), 255) << c.name;
    }
}

// Dragging items out of a list offscreen: the drag ends at once, and the
// text file it carried stays until the next drag.
class ItemDragFileTest : public ::testing::Test {
protected:
    ItemDragFileTest() {
        host.note = &note;
        note.MakeNew(ByteString("root"));
        settings.MemoFormat = ByteString("%h=%s;");  // a short template keeps the bytes readable
    }

    // Drags the memo titled and holding these CP932 bytes; the file's path
    // (the file itself goes with the ItemDrag).
    QString dragMemo(const std::string& title, const std::string& body) {
        const ItemId memo = AddMemo(note, note.RootId(), title);
        static_cast<Memo*>(note.FindItem(memo))->SetRawBody(ByteString(body));
        selection.selected = {memo};
        ItemDrag drag(note, settings, selection, views);
        QWidget source;
        drag.run(&source, false);
        const QString path = drag.lastFile();
        existed = !path.isEmpty() && QFile::exists(path);
        if (existed) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                contents = file.readAll();
            name = QFileInfo(path).fileName();
            nameBytes = QFile::encodeName(name);
        }
        return path;
    }

    FakeHost host;
    Note note{&host};
    Settings settings;
    FakeSelection selection;
    RecordingViews views;
    bool existed = false;  // while the drag's file was kept
    QByteArray contents;
    QString name;
    QByteArray nameBytes;
};

TEST_F(ItemDragFileTest, TheFileHoldsTheExportByteForByte) {
    // 0x85 0x40 is a pair CP932 leaves unassigned; the lone LF is no CR LF.
    const std::string body =
        "a\x85\x40"
        "b\nc\r\nd";
    ASSERT_NE(fromQString(toQString(body)).Str(), body);  // decoding would lose bytes
    ASSERT_FALSE(dragMemo("plan", body).isEmpty());
    EXPECT_EQ(contents, QByteArray::fromStdString("plan=" + body + ";"));
    EXPECT_EQ(name, QStringLiteral("plan.txt"));
}

TEST_F(ItemDragFileTest, ALongJapaneseTitleStillGivesAFileWithAShortEnoughName) {
    const QString title = QStringLiteral("長い表題").repeated(31);  // 248 bytes in CP932
    const std::string cp932 = fromQString(title).Str();
    ASSERT_LE(cp932.size(), 255u);
    const QString path = dragMemo(cp932, "text");
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(existed);
    EXPECT_LE(nameBytes.size(), 255);
    EXPECT_EQ(QString::fromUtf8(nameBytes).toUtf8(), nameBytes);  // valid UTF-8
    EXPECT_TRUE(name.endsWith(QStringLiteral(".txt")));
    EXPECT_TRUE(title.startsWith(name.chopped(4)));
    EXPECT_EQ(contents, QByteArray::fromStdString(cp932 + "=text;"));
}

}  // namespace
