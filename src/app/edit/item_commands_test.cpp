#include "app/edit/item_commands.h"
#include "app/edit/item_view_fakes_for_test.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QWidget>
#include <QtTest/QTest>
#include <deque>
#include <functional>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/group_lock_commands.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

// The default titles as the note stores them (CP932).
const std::string kNewMemo = fromQString(QStringLiteral("新しいメモ")).Str();
const std::string kNewGroup = fromQString(QStringLiteral("新しいメモグループ")).Str();

class ScriptedPrompts : public EditPrompts {
public:
    bool confirmDelete() override {
        ++deleteQuestions;
        return deleteAnswer;
    }
    void showError(std::uint32_t id, const QString& name) override {
        errors.push_back(id);
        errorNames << name;
    }
    std::optional<Colour> chooseColour(std::optional<Colour>, std::array<Colour, 16>&) override {
        ++colourDialogs;
        return colour;
    }
    bool chooseSort(const QString&, const QString&, SortChoice& choice) override {
        if (whileSortDialogOpen)
            whileSortDialogOpen();
        const int key = sort.key;
        choice = sort;
        if (key == 0)
            choice.key = SortKey::kTitle;
        return true;
    }
    std::optional<QString> editRemarks(const QString&) override { return remarks; }
    std::optional<QString> editCaption(const QString&) override { return caption; }

    bool deleteAnswer = true;
    int deleteQuestions = 0;
    std::vector<std::uint32_t> errors;
    QStringList errorNames;
    std::optional<Colour> colour;
    int colourDialogs = 0;
    SortChoice sort;
    // Runs while the sort dialog is up (what other programs may do then).
    std::function<void()> whileSortDialogOpen;
    std::optional<QString> remarks;
    std::optional<QString> caption;
};

class ScriptedLockDialogs : public LockDialogs {
public:
    std::optional<ByteString> AskPassword(const ByteString&, bool confirm) override {
        asks.push_back(confirm);
        return password;
    }
    void ShowMessage(std::uint32_t id, const ByteString& name) override {
        messages.push_back(id);
        names.push_back(name.Str());
    }
    std::optional<ByteString> password = ByteString("secret");
    std::vector<bool> asks;
    std::vector<std::uint32_t> messages;
    std::vector<std::string> names;
};

class ItemCommandsTest : public ::testing::Test {
protected:
    ItemCommandsTest() : note(&host, &clock) {
        host.note = &note;
        note.MakeNew(ByteString("root"));
        root = note.RootId();
        settings.NewMemoAttrSource = 3;
        settings.NewMemoSkipAttrs = 0;
    }
    Item& at(ItemId id) { return *note.FindItem(id); }

    FixedClock clock{MakeTime(2024, 5, 1, 9, 0, 0), true};
    FakeHost host;
    Note note;
    ItemId root = kNoItem;
    Settings settings;
    FakeSelection selection;
    RecordingViews views;
    ScriptedPrompts prompts;
    ScriptedLockDialogs lockDialogs;
    ItemCommands commands{note, settings, selection, views, prompts, lockDialogs};
};

struct CreateCase {
    const char* name;
    ItemType kind;
    int relation;
    int order;
};

const CreateCase kCreateCases[] = {
    {"memo after", ItemType::kMemo, Placement::kBeside, Placement::kAfter},
    {"memo before", ItemType::kMemo, Placement::kBeside, Placement::kBefore},
    {"memo inside", ItemType::kMemo, Placement::kInside, Placement::kAfter},
    {"group after", ItemType::kGroup, Placement::kBeside, Placement::kAfter},
    {"group before", ItemType::kGroup, Placement::kBeside, Placement::kBefore},
    {"group inside", ItemType::kGroup, Placement::kInside, Placement::kAfter},
};

TEST_F(ItemCommandsTest, EveryCreateInAnEmptyNotePutsTheItemFirstUnderTheRoot) {
    for (const CreateCase& c : kCreateCases) {
        SCOPED_TRACE(c.name);
        note.MakeNew(ByteString("root"));
        root = note.RootId();
        commands.createItem(c.kind, c.relation, c.order);
        const Item& item = at(at(root).links.firstChild);
        EXPECT_EQ(item.Type(), c.kind);
        EXPECT_EQ(item.Title().Str(), c.kind == ItemType::kMemo ? kNewMemo : kNewGroup);
        EXPECT_EQ(views.inserted.back(), item.links.id);
        EXPECT_EQ(views.editing, item.links.id);
    }
    EXPECT_EQ(host.modifiedMarks, 6);
}

TEST_F(ItemCommandsTest, BeforeTheFirstItemBecomesTheRootsFirstChild) {
    const ItemId first = AddMemo(note, root, "a");
    AddMemo(note, root, "b");
    selection.memoFocus = first;
    commands.createItem(ItemType::kMemo, Placement::kBeside, Placement::kBefore);
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{kNewMemo, "a", "b"}));
    ExpectConsistentChildren(note, root);
}

TEST_F(ItemCommandsTest, InsideACollapsedGroupExpandsItAndAppends) {
    const ItemId group = AddGroup(note, root, "g");
    AddMemo(note, group, "x");
    at(group).SetOpen(false);
    selection.memoFocus = group;
    commands.createItem(ItemType::kGroup, Placement::kInside, Placement::kAfter);
    EXPECT_TRUE(at(group).IsOpen());
    EXPECT_EQ(views.changed, std::vector<ItemId>{group});
    EXPECT_EQ(ChildTitles(note, group), (std::vector<std::string>{"x", kNewGroup}));
}

TEST_F(ItemCommandsTest, InsideAMemoIsRefusedWithNoGroupSelected) {
    const ItemId memo = AddMemo(note, root, "m");
    selection.memoFocus = memo;
    commands.createItem(ItemType::kMemo, Placement::kInside, Placement::kAfter);
    EXPECT_EQ(prompts.errors, std::vector<std::uint32_t>{20001});
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"m"});
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(ItemCommandsTest, FocusedGroupInTheGroupListUsesItsFocusedRowOrAppendsWhenEmpty) {
    const ItemId group = AddGroup(note, root, "g");
    selection.memoFocus = group;
    selection.groupListFocus = true;
    commands.createItem(ItemType::kMemo, Placement::kBeside, Placement::kBefore);
    EXPECT_EQ(ChildTitles(note, group), std::vector<std::string>{kNewMemo});

    at(at(group).links.firstChild).SetRawTitle(ByteString("first"));
    selection.groupFocus = at(group).links.firstChild;
    commands.createItem(ItemType::kMemo, Placement::kBeside, Placement::kBefore);
    EXPECT_EQ(ChildTitles(note, group), (std::vector<std::string>{kNewMemo, "first"}));
}

TEST_F(ItemCommandsTest, CreatingInsideOrNextToAClosedLockedGroupIsRefused) {
    const ItemId group = AddGroup(note, root, "safe");
    const ItemId inner = AddMemo(note, group, "inner");
    at(group).SetRawFlags(at(group).Flags() | ItemFlags::kLocked);
    note.SetLockOwner(group, group, true);
    for (ItemId reference : {group, inner}) {
        selection.memoFocus = reference;
        const int relation = reference == group ? Placement::kInside : Placement::kBeside;
        commands.createItem(ItemType::kMemo, relation, Placement::kAfter);
    }
    EXPECT_EQ(prompts.errors, (std::vector<std::uint32_t>{20082, 20082}));
    EXPECT_EQ(prompts.errorNames, (QStringList{"safe", "safe"}));
    EXPECT_EQ(ChildTitles(note, group), std::vector<std::string>{"inner"});
}

TEST_F(ItemCommandsTest, NewItemTakesItsNeighboursAttributesExceptSkippedGroups) {
    const ItemId left = AddMemo(note, root, "left");
    at(left).SetTextColour(0x0000FF);
    at(left).SetBackgroundColour(0x00FF00);
    at(left).SetRemarks(ByteString("note"));
    at(left).SetStrikeOut(true);
    settings.NewMemoAttrSource = 2;
    settings.NewMemoSkipAttrs = AttributeGroup::kBackgroundColour | AttributeGroup::kRemarks;
    selection.memoFocus = left;
    commands.createItem(ItemType::kMemo, Placement::kBeside, Placement::kAfter);
    const Item& created = at(at(left).links.next);
    EXPECT_TRUE(created.HasOwnTextColour());
    EXPECT_EQ(created.ForegroundColour(), 0x0000FFu);
    EXPECT_TRUE(created.IsStruckOut());
    EXPECT_FALSE(created.HasOwnBackgroundColour());
    EXPECT_FALSE(created.HasFlag(ItemFlags::kHasRemarks));
}

TEST_F(ItemCommandsTest, TypeBodyFirstHandsTheNewMemoToTheTextPane) {
    settings.TypeBodyFirst = 1;
    commands.createItem(ItemType::kMemo, Placement::kBeside, Placement::kAfter);
    EXPECT_TRUE(views.editingBodyFirst);
    EXPECT_EQ(static_cast<Memo&>(at(views.editing)).newMemoMark, 1u);
    commands.createItem(ItemType::kGroup, Placement::kBeside, Placement::kAfter);
    EXPECT_FALSE(views.editingBodyFirst);
}

TEST_F(ItemCommandsTest, DeletingAGroupTakesItsSubtreeAfterOneQuestion) {
    const ItemId group = AddGroup(note, root, "g");
    const ItemId child = AddMemo(note, group, "c");
    const ItemId grandchild = AddMemo(note, AddGroup(note, group, "h"), "gc");
    const ItemId other = AddMemo(note, root, "other");
    views.open = grandchild;
    selection.selected = {group, child};
    commands.deleteSelection();
    EXPECT_EQ(prompts.deleteQuestions, 1);
    EXPECT_EQ(views.removed, std::vector<ItemId>{group});
    EXPECT_EQ(note.FindItem(group), nullptr);
    EXPECT_EQ(note.FindItem(grandchild), nullptr);
    EXPECT_EQ(views.open, kNoItem);
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"other"});
    EXPECT_NE(note.FindItem(other), nullptr);
}

TEST_F(ItemCommandsTest, AnsweringNoDeletesNothing) {
    const ItemId memo = AddMemo(note, root, "m");
    prompts.deleteAnswer = false;
    selection.selected = {memo};
    commands.deleteSelection();
    EXPECT_NE(note.FindItem(memo), nullptr);
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(ItemCommandsTest, DeletingTheLastChildOfALockedGroupUnlocksIt) {
    const ItemId group = AddGroup(note, root, "g");
    const ItemId only = AddMemo(note, group, "only");
    at(group).SetRawFlags(at(group).Flags() | ItemFlags::kLocked);
    selection.selected = {only};
    commands.deleteSelection();
    EXPECT_FALSE(at(group).IsLockedGroup());
    EXPECT_EQ(views.changed, std::vector<ItemId>{group});
}

TEST_F(ItemCommandsTest, SortByEachKeyBothWaysKeepsEqualItemsInOrder) {
    // Two pairs of equal keys per key; titles carry the original position.
    struct Row {
        const char* title;
        const char* remarks;
        const char* body;
        int minute;
    };
    const Row rows[] = {
        {"b1", "y", "q", 2}, {"a2", "x", "p", 1}, {"b3", "y", "q", 2}, {"a4", "x", "p", 1}};
    const ItemId group = AddGroup(note, root, "g");
    std::vector<ItemId> ids;
    for (const Row& r : rows) {
        const ItemId id = AddMemo(note, group, r.title);
        at(id).SetRawRemarks(ByteString(r.remarks));
        at(id).SetRawFlags(at(id).Flags() | ItemFlags::kHasRemarks);
        static_cast<Memo&>(at(id)).SetRawBody(ByteString(r.body));
        at(id).SetRawModifiedTime(MakeTime(2024, 1, 1, 0, r.minute, 0));
        ids.push_back(id);
    }
    selection.memoFocus = ids[0];
    for (int key : {SortKey::kRemarks, SortKey::kModifiedTime, SortKey::kBody}) {
        for (bool descending : {false, true}) {
            SCOPED_TRACE(testing::Message() << "key " << key << " descending " << descending);
            // Back to the original order first.
            for (ItemId id : ids) {
                note.UnlinkItems(id, 1, true);
                note.InsertItems(id, group, Placement::kInside, Placement::kAfter, true);
            }
            prompts.sort = {key, false, false, descending};
            commands.sort(SortKey::kTitle);
            const auto expected = descending ? std::vector<std::string>{"b1", "b3", "a2", "a4"}
                                             : std::vector<std::string>{"a2", "a4", "b1", "b3"};
            EXPECT_EQ(ChildTitles(note, group), expected);
            EXPECT_EQ(views.reordered.back(), group);
        }
    }
}

TEST_F(ItemCommandsTest, AGroupThatWentAwayWhileTheSortDialogWasOpenIsLeftAlone) {
    const ItemId group = AddGroup(note, root, "group");
    const ItemId b = AddMemo(note, group, "b");
    AddMemo(note, group, "a");
    selection.memoFocus = b;
    selection.selected = {b};
    prompts.whileSortDialogOpen = [&] { note.DeleteItems(group, 1); };
    commands.sort(SortKey::kTitle);
    EXPECT_EQ(note.FindItem(group), nullptr);
    EXPECT_TRUE(views.reordered.empty());
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(ItemCommandsTest, ColourCommandRemovesAnOwnColourWithoutTheDialog) {
    const ItemId a = AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    selection.selected = {a, b};
    prompts.colour = 0x123456;
    commands.toggleColour(false);
    EXPECT_EQ(prompts.colourDialogs, 1);
    EXPECT_TRUE(at(b).HasOwnTextColour());
    EXPECT_EQ(at(b).ForegroundColour(), 0x123456u);

    commands.toggleColour(false);
    EXPECT_EQ(prompts.colourDialogs, 1);
    EXPECT_FALSE(at(a).HasOwnTextColour());
    EXPECT_FALSE(at(b).HasOwnTextColour());
    EXPECT_EQ(at(a).ForegroundColour(), 0x123456u);  // the value stays stored
}

TEST_F(ItemCommandsTest, ApplyingAttributesWithTheRemarksBitExcludedKeepsRemarks) {
    const ItemId source = AddMemo(note, root, "source");
    at(source).SetTextColour(0xFF);
    at(source).SetStrikeOut(true);
    at(source).SetRemarks(ByteString("from source"));
    const ItemId target = AddMemo(note, root, "target");
    at(target).SetRemarks(ByteString("mine"));
    settings.NewMemoSkipAttrs = AttributeGroup::kRemarks;
    selection.memoFocus = source;
    commands.copyAttributes();
    selection.selected = {target};
    commands.applyRememberedAttributes();
    EXPECT_TRUE(at(target).IsStruckOut());
    EXPECT_EQ(at(target).ForegroundColour(), 0xFFu);
    EXPECT_EQ(at(target).Remarks().Str(), "mine");
}

TEST_F(ItemCommandsTest, EncryptedItemKeepsItsTimeWhenAttributesChange) {
    const ItemId memo = AddMemo(note, root, "m");
    at(memo).SetRawFlags(at(memo).Flags() | ItemFlags::kEncrypted);
    const SystemTime before = at(memo).ModifiedTime();
    selection.selected = {memo};
    commands.toggleStrikeOut();
    EXPECT_TRUE(at(memo).IsStruckOut());
    EXPECT_EQ(at(memo).ModifiedTime(), before);
}

TEST_F(ItemCommandsTest, LinkFlagsExcludeEachOther) {
    const ItemId memo = AddMemo(note, root, "m");
    selection.selected = {memo};
    commands.toggleLink(false);
    EXPECT_TRUE(at(memo).IsBodyLink());
    commands.toggleLink(true);
    EXPECT_TRUE(at(memo).IsRemarksLink());
    EXPECT_FALSE(at(memo).IsBodyLink());
    commands.toggleLink(true);
    EXPECT_FALSE(at(memo).IsRemarksLink());
}

TEST_F(ItemCommandsTest, RemarksDialogSetsOrClearsTheFlagAndKeepsTheText) {
    const ItemId memo = AddMemo(note, root, "m");
    selection.selected = {memo};
    prompts.remarks = QStringLiteral("備考です");
    commands.editRemarks();
    EXPECT_EQ(at(memo).Remarks().Str(), "\x94\xf5\x8d\x6c\x82\xc5\x82\xb7");
    prompts.remarks = QString();
    commands.editRemarks();
    EXPECT_FALSE(at(memo).HasFlag(ItemFlags::kHasRemarks));
    EXPECT_FALSE(at(memo).StoredRemarks().Empty());
}

TEST_F(ItemCommandsTest, AttachingALockToAClosedGroupThenReopeningWithThePassword) {
    const ItemId group = AddGroup(note, root, "g");
    const ItemId memo = AddMemo(note, group, "secret memo");
    at(group).SetOpen(false);
    selection.selected = {group};
    commands.toggleGroupLock();
    EXPECT_EQ(lockDialogs.asks, std::vector<bool>{true});
    EXPECT_TRUE(at(group).IsLockedGroup());
    EXPECT_TRUE(at(memo).IsEncrypted());
    EXPECT_NE(at(memo).Title().Str(), "secret memo");

    EXPECT_EQ(ToggleGroupOpen(note, group, lockDialogs), LockCommandResult::kDone);
    EXPECT_TRUE(at(group).IsOpen());
    EXPECT_FALSE(at(memo).IsEncrypted());
    EXPECT_EQ(at(memo).Title().Str(), "secret memo");
}

TEST_F(ItemCommandsTest, LockRefusalsForAnEmptyGroupAndForNesting) {
    const ItemId empty = AddGroup(note, root, "empty");
    const ItemId outer = AddGroup(note, root, "outer");
    const ItemId inner = AddGroup(note, outer, "inner");
    AddMemo(note, inner, "m");
    at(outer).SetRawFlags(at(outer).Flags() | ItemFlags::kLocked);
    at(outer).SetPassword(ByteString("pw12"));
    for (ItemId group : {empty, inner}) {
        selection.selected = {group};
        commands.toggleGroupLock();
    }
    EXPECT_EQ(lockDialogs.messages, (std::vector<std::uint32_t>{20078, 20077}));
    EXPECT_EQ(lockDialogs.names.back(), "outer");
    EXPECT_TRUE(lockDialogs.asks.empty());
}

TEST_F(ItemCommandsTest, CaptionAndNoteColoursChangeTheNoteView) {
    prompts.caption = QStringLiteral("メモ欄");
    commands.editRemarksCaption();
    EXPECT_EQ(note.View().remarksCaption.Str(), "\x83\x81\x83\x82\x97\x93");
    prompts.colour = 0x112233;
    commands.chooseNoteColour(true);
    EXPECT_EQ(note.View().backgroundColour, 0x112233u);
    EXPECT_EQ(views.viewChanges, 2);
    EXPECT_EQ(host.modifiedMarks, 2);
}

TEST_F(ItemCommandsTest, ReadOnlyGreysTheCommandsAndTheirKeysDoNothing) {
    const ItemId memo = AddMemo(note, root, "m");
    selection.memoFocus = memo;
    selection.selected = {memo};
    host.readOnly = true;
    QWidget window;
    CommandActions actions;
    commands.registerCommands(actions);
    const CommandId ids[] = {kCmdNewMemo,        kCmdNewMemoBefore,     kCmdNewGroup,
                             kCmdSort,           kCmdSetTextColour,     kCmdStrikeOut,
                             kCmdWordWrap,       kCmdSetRemarks,        kCmdCopyAttributes,
                             kCmdNoteTextColour, kCmdRemarksColumnName, kCmdLockGroup};
    actions.updateActions();
    const char* keys[] = {"Ctrl+F5", "Ctrl+F6", "Del"};
    for (int i = 0; i < 3; ++i) {
        actions.action(ids[i])->setShortcut(QKeySequence(QString::fromLatin1(keys[i])));
        window.addAction(actions.action(ids[i]));
    }
    for (CommandId id : ids) {
        EXPECT_FALSE(actions.action(id)->isEnabled()) << id;
        EXPECT_FALSE(actions.dispatch(id)) << id;
    }
    window.show();
    for (const char* key : keys)
        QTest::keySequence(&window, QKeySequence(QString::fromLatin1(key)));
    prompts.deleteAnswer = true;
    commands.deleteSelection();  // even called directly
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"m"});
    EXPECT_EQ(prompts.deleteQuestions, 0);
    EXPECT_EQ(host.modifiedMarks, 0);

    host.readOnly = false;
    actions.updateActions();
    EXPECT_TRUE(actions.action(kCmdNewMemo)->isEnabled());
    EXPECT_TRUE(actions.action(kCmdSort)->isEnabled());
    EXPECT_FALSE(actions.action(kCmdNewMemoInside)->isEnabled());  // a memo is focused
}

}  // namespace
