#include "app/frame/note_file_drop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/list/memo_rows_model.h"
#include "app/test_support.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;

class NoteFileDropTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(PaneLayout::kStacked, QSize(800, 600)));
    }

    // Drags `data` over `target` to `point` and drops it there; whether the
    // drag and the drop were taken.
    static std::pair<bool, bool> dropOn(QWidget* target, const QMimeData& data,
                                        const QPoint& point) {
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent over(point, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &over);
        QDropEvent drop(QPointF(point), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return {enter.isAccepted(), drop.isAccepted()};
    }
};

TEST_F(NoteFileDropTest, ANoteFileDroppedOnAnEmptyWindowOpensInIt) {
    ASSERT_TRUE(app->isEmptyWindow());
    const QString path = env.path(QStringLiteral("plan.tmk"));
    writeNoteFile(*env.files, path, {"kept"});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    // Outside the panes, as over the toolbars or the status bar.
    const auto [entered, dropped] = dropOn(window, data, QPoint(5, 5));
    EXPECT_TRUE(entered);
    EXPECT_TRUE(dropped);
    QTRY_COMPARE(app->notePath(), path);
    EXPECT_EQ(ChildTitles(app->note(), app->note().RootId()), std::vector<std::string>{"kept"});
    EXPECT_TRUE(env.launcher.started.empty());
}

TEST_F(NoteFileDropTest, OnTheListNoteFilesOpenAndTheOtherFilesComeInAsMemos) {
    Note& note = app->note();
    const ItemId memo = AddMemo(note, note.RootId(), "memo");
    window->noteReplaced();
    const QString notePath = env.path(QStringLiteral("Plan.TMK"));
    writeNoteFile(*env.files, notePath, {"elsewhere"});
    const QString textPath = env.path(QStringLiteral("dropped.txt"));
    QFile text(textPath);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("words\r\n");
    text.close();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(notePath), QUrl::fromLocalFile(textPath)});
    MemoList* list = window->panes()->memoList();
    const QRect row = list->visualRect(list->rowsModel()->indexOf(memo));
    DialogAnswerer answers;  // a note file is no file to ask about
    const auto [entered, dropped] =
        dropOn(list->viewport(), data, QPoint(row.left() + 60, row.bottom() - 2));
    EXPECT_TRUE(entered);
    EXPECT_TRUE(dropped);
    EXPECT_EQ(ChildTitles(note, note.RootId()), (std::vector<std::string>{"memo", "dropped.txt"}));
    // This window holds a note: the dropped one opens in a window of its own.
    QTRY_COMPARE(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started.front(), QStringList{notePath});
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(app->notePath().isEmpty());
}

}  // namespace
