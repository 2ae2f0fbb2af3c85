#include "app/list/note_tree_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QStringList>

#include "app/list/group_content_model.h"
#include "app/list/model_tester_log.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace {

using namespace tidemark;

// Every row the model shows, in order, as the title with two spaces per
// level in front (the memo list's rows are one flat run that knows levels).
QStringList rowsOf(const QAbstractItemModel& model) {
    const auto* tree = qobject_cast<const NoteTreeModel*>(&model);
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        EXPECT_EQ(model.rowCount(index), 0);
        const int level = tree ? tree->levelOf(index) : 0;
        rows << QString(level * 2, u' ') + index.data().toString();
    }
    return rows;
}

class NoteTreeModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        note.MakeNew("root");
        root = note.RootId();
        work = AddGroup(note, root, "work");
        plan = AddMemo(note, work, "plan");
        archive = AddGroup(note, work, "archive");
        old = AddMemo(note, archive, "old");
        note.FindItem(archive)->SetOpen(false);
        diary = AddMemo(note, root, "diary");
        model.setNote(&note);
        tester = std::make_unique<QAbstractItemModelTester>(
            &model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override {
        EXPECT_TRUE(log.messages().isEmpty()) << log.messages().join(u'\n').toStdString();
    }

    ModelTesterLog log;
    Note note;
    NoteTreeModel model;
    std::unique_ptr<QAbstractItemModelTester> tester;
    ItemId root = 0, work = 0, plan = 0, archive = 0, old = 0, diary = 0;
};

TEST_F(NoteTreeModelTest, ShowsTheTreeBelowTheRootWithOpenGroupsExpanded) {
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "  plan", "  archive", "diary"}));
    EXPECT_FALSE(model.indexOf(root).isValid());
    EXPECT_FALSE(model.indexOf(old).isValid());  // inside a closed group
    const QModelIndex archiveRow = model.indexOf(archive);
    EXPECT_EQ(archiveRow.row(), 2);
    EXPECT_EQ(model.itemId(archiveRow), archive);
    EXPECT_TRUE(model.showsChildren(work));
    EXPECT_FALSE(model.showsChildren(archive));
}

TEST_F(NoteTreeModelTest, OpeningAndClosingAGroupBringsAndTakesItsRows) {
    note.FindItem(archive)->SetOpen(true);
    model.groupOpenChanged(archive);
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "  plan", "  archive", "    old", "diary"}));
    const QPersistentModelIndex oldRow(model.indexOf(old));
    ASSERT_TRUE(oldRow.isValid());

    note.FindItem(work)->SetOpen(false);
    model.groupOpenChanged(work);
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "diary"}));
    EXPECT_FALSE(oldRow.isValid());

    // Opening `work` again brings `archive` open with its own child.
    note.FindItem(work)->SetOpen(true);
    model.groupOpenChanged(work);
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "  plan", "  archive", "    old", "diary"}));
}

TEST_F(NoteTreeModelTest, InsertedItemsTakeTheirPlaceAmongTheirSiblings) {
    const QPersistentModelIndex diaryRow(model.indexOf(diary));
    // A new memo between `work` (with all its rows) and `diary`.
    const ItemId idea = note.CreateItem(ItemType::kMemo);
    note.FindItem(idea)->SetRawTitle("idea");
    note.InsertItems(idea, work, Placement::kBeside, Placement::kAfter, true);
    model.itemsInserted(idea);
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "  plan", "  archive", "idea", "diary"}));
    EXPECT_EQ(diaryRow.row(), 4);

    // Into a closed group nothing shows, until it opens.
    const ItemId hidden = note.CreateItem(ItemType::kMemo);
    note.FindItem(hidden)->SetRawTitle("hidden");
    note.InsertItems(hidden, archive, Placement::kInside, Placement::kBefore, true);
    model.itemsInserted(hidden);
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "  plan", "  archive", "idea", "diary"}));
    note.FindItem(archive)->SetOpen(true);
    model.groupOpenChanged(archive);
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "  plan", "  archive", "    hidden", "    old",
                                          "idea", "diary"}));
}

TEST_F(NoteTreeModelTest, RemovingAnItemTakesItsWholeSubtree) {
    note.FindItem(archive)->SetOpen(true);
    model.groupOpenChanged(archive);
    const QPersistentModelIndex oldRow(model.indexOf(old));
    const QPersistentModelIndex diaryRow(model.indexOf(diary));
    model.removeItems(work, 1, [&] { note.DeleteItems(work, 1); });
    EXPECT_EQ(rowsOf(model), (QStringList{"diary"}));
    EXPECT_FALSE(oldRow.isValid());
    EXPECT_EQ(diaryRow.row(), 0);
}

TEST_F(NoteTreeModelTest, ReorderedChildrenKeepTheirPersistentRows) {
    note.FindItem(archive)->SetOpen(true);
    model.groupOpenChanged(archive);
    const QPersistentModelIndex planRow(model.indexOf(plan));
    const QPersistentModelIndex oldRow(model.indexOf(old));
    ASSERT_EQ(planRow.row(), 1);
    note.SortChildren(nullptr, work, SortKey::kTitle, false, false);  // archive, plan
    model.childrenReordered(work);
    // The open group moves with the rows below it.
    EXPECT_EQ(rowsOf(model), (QStringList{"work", "  archive", "    old", "  plan", "diary"}));
    EXPECT_EQ(planRow.row(), 3);
    EXPECT_EQ(oldRow.row(), 2);
    EXPECT_EQ(model.itemId(planRow), plan);
}

TEST_F(NoteTreeModelTest, AnEmptyNoteShowsHintRowsUntilTheFirstItemComes) {
    Note empty;
    empty.MakeNew("root");
    model.setNote(&empty);
    model.setHintRows(true);
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(0, 0).data().toString(), "この窓にはメモ一覧が表示されます。");
    EXPECT_EQ(model.index(4, 0).data().toString(),
              "テキストファイルをドラッグ&ドロップしてください。");
    EXPECT_EQ(model.index(2, 0).data(MemoRowsModel::kIconRole).toInt(), RowIcon::kNewMemo);
    EXPECT_EQ(model.itemId(model.index(0, 0)), kNoItem);
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsSelectable));

    const ItemId first = AddMemo(empty, empty.RootId(), "first");
    model.itemsInserted(first);
    EXPECT_FALSE(model.showsHintRows());
    EXPECT_EQ(rowsOf(model), (QStringList{"first"}));
    model.setNote(&note);
}

TEST_F(NoteTreeModelTest, ARowWhoseItemIsGoneShowsNothing) {
    // An index kept past a deletion that was not announced (which the
    // program never does) must not reach freed memory.
    const QModelIndex diaryRow = model.indexOf(diary);
    note.FindItem(diary)->SetRawTitle("still here");
    EXPECT_EQ(diaryRow.data().toString(), "still here");
    note.DeleteItems(diary, 1);
    EXPECT_FALSE(diaryRow.data().isValid());
    EXPECT_EQ(model.flags(diaryRow), Qt::NoItemFlags);
    model.refill();
}

TEST_F(NoteTreeModelTest, TheBodyColumnComesAndGoes) {
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), "本文");
    model.setShowBody(false);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_FALSE(model.headerData(3, Qt::Horizontal).isValid());
    note.View().remarksCaption = ByteString("\x83\x81\x83\x82");  // "メモ" in CP932
    model.captionsChanged();
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "メモ");
}

TEST_F(NoteTreeModelTest, HoverShowsAMemosBodyWhileTheSettingIsOn) {
    static_cast<Memo*>(note.FindItem(diary))->SetRawBody(ByteString("dear diary\r\n\r\n"));
    const QModelIndex diaryRow = model.indexOf(diary);
    EXPECT_FALSE(diaryRow.data(Qt::ToolTipRole).isValid());
    model.setHoverPreview(true);
    EXPECT_EQ(diaryRow.data(Qt::ToolTipRole).toString(), "dear diary");
    EXPECT_FALSE(model.indexOf(work).data(Qt::ToolTipRole).isValid());
}

// The group list: one level, or the two rows of a closed locked group.
class GroupContentModelTest : public NoteTreeModelTest {
protected:
    void SetUp() override {
        NoteTreeModelTest::SetUp();
        groupModel.setNote(&note);
        groupTester = std::make_unique<QAbstractItemModelTester>(
            &groupModel, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    GroupContentModel groupModel;
    std::unique_ptr<QAbstractItemModelTester> groupTester;
};

TEST_F(GroupContentModelTest, ListsTheChildrenOfTheGroupOnly) {
    groupModel.showGroup(work);
    EXPECT_EQ(rowsOf(groupModel), (QStringList{"plan", "archive"}));
    EXPECT_EQ(groupModel.index(1, 0).data(MemoRowsModel::kIconRole).toInt(),
              RowIcon::kGroupCollapsed);

    const ItemId idea = note.CreateItem(ItemType::kMemo);
    note.FindItem(idea)->SetRawTitle("idea");
    note.InsertItems(idea, plan, Placement::kBeside, Placement::kAfter, true);
    groupModel.itemsInserted(idea);
    groupModel.itemsInserted(diary);  // elsewhere: ignored
    EXPECT_EQ(rowsOf(groupModel), (QStringList{"plan", "idea", "archive"}));

    groupModel.removeItems(plan, 1, [&] { note.DeleteItems(plan, 1); });
    EXPECT_EQ(rowsOf(groupModel), (QStringList{"idea", "archive"}));
}

TEST_F(GroupContentModelTest, AClosedLockedGroupShowsTwoFixedRows) {
    Item* group = note.FindItem(archive);
    group->SetRawFlags(group->Flags() | ItemFlags::kLocked);
    groupModel.showGroup(archive);
    ASSERT_TRUE(groupModel.showsLockedRows());
    ASSERT_EQ(groupModel.rowCount(), 2);
    EXPECT_EQ(groupModel.index(0, 0).data().toString(), "このメモグループは暗号化されています。");
    EXPECT_EQ(groupModel.index(0, 0).data(MemoRowsModel::kIconRole).toInt(), RowIcon::kWarning);
    EXPECT_EQ(groupModel.index(1, 0).data().toString(), "メモグループを開けると内容を表示します。");
    EXPECT_EQ(groupModel.index(1, 0).data(MemoRowsModel::kIconRole).toInt(), RowIcon::kNone);
    EXPECT_EQ(groupModel.itemId(groupModel.index(1, 0)), kNoItem);

    group->SetPassword(ByteString("secret"));
    groupModel.showGroup(archive);
    EXPECT_EQ(rowsOf(groupModel), (QStringList{"old"}));
}

}  // namespace
