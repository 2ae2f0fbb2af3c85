#include "app/edit/item_clipboard.h"
#include "app/edit/item_view_fakes_for_test.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

#include "app/common/qt_text.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/edit/edit_prompts.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

class RecordingPrompts : public EditPrompts {
public:
    bool confirmDelete() override { return false; }
    void showError(std::uint32_t id, const QString& name) override {
        errors.push_back(id);
        errorNames << name;
    }
    void showInformation(std::uint32_t id, const QString& name) override {
        infos.push_back(id);
        infoNames << name;
    }
    std::optional<Colour> chooseColour(std::optional<Colour>, std::array<Colour, 16>&) override {
        return std::nullopt;
    }
    bool chooseSort(const QString&, const QString&, SortChoice&) override { return false; }
    std::optional<QString> editRemarks(const QString&) override { return std::nullopt; }
    std::optional<QString> editCaption(const QString&) override { return std::nullopt; }

    std::vector<std::uint32_t> errors, infos;
    QStringList errorNames, infoNames;
};

QClipboard* systemClipboard() {
    return QGuiApplication::clipboard();
}

QString itemsType() {
    return QString::fromLatin1(kItemsMimeType);
}

// What the clipboard holds in our item format (reading it, as any program would).
QByteArray clipboardItems() {
    const QMimeData* data = systemClipboard()->mimeData();
    return data ? data->data(itemsType()) : QByteArray();
}

bool clipboardOffersItems() {
    const QMimeData* data = systemClipboard()->mimeData();
    return data && data->hasFormat(itemsType());
}

// What a desktop clipboard manager does as soon as the clipboard changes:
// it reads every format offered.
void readEveryFormat() {
    const QMimeData* data = systemClipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    for (const QString& format : data->formats())
        EXPECT_FALSE(data->data(format).isEmpty()) << format.toStdString();
}

// What a clipboard manager offers when it takes the clipboard over.
QMimeData* copyOfEveryFormat() {
    auto* copy = new QMimeData;
    if (const QMimeData* data = systemClipboard()->mimeData()) {
        for (const QString& format : data->formats())
            copy->setData(format, data->data(format));
    }
    return copy;
}

// Item data put on the clipboard by someone else (another window).
void putForeignItems(const QByteArray& block) {
    auto* data = new QMimeData;
    data->setData(itemsType(), block);
    systemClipboard()->setMimeData(data);
}

struct PasteCommand {
    const char* name;
    int relation;
    int order;
};
const PasteCommand kAfter{"after", Placement::kBeside, Placement::kAfter};
const PasteCommand kBefore{"before", Placement::kBeside, Placement::kBefore};
const PasteCommand kInside{"inside", Placement::kInside, Placement::kAfter};
const PasteCommand kPasteCommands[] = {kAfter, kBefore, kInside};

void lockShut(Note& note, ItemId group) {
    Item& item = *note.FindItem(group);
    item.SetRawFlags(item.Flags() | ItemFlags::kLocked);
    item.SetOpen(false);
    note.SetLockOwner(group, group, true);
}

void lockOpen(Note& note, ItemId group, const char* password) {
    Item& item = *note.FindItem(group);
    item.SetRawFlags(item.Flags() | ItemFlags::kLocked);
    item.SetPassword(ByteString(password));
    note.SetLockOwner(group, group, true);
}

class ItemClipboardTest : public ::testing::Test {
protected:
    ItemClipboardTest() : note(&host, &clock) {
        systemClipboard()->clear();
        note.MakeNew(ByteString("root"));
        root = note.RootId();
        // Short templates keep the expected texts readable.
        settings.MemoFormat = ByteString("%h=%s;");
        settings.GroupFormat = ByteString("[%h:%s]");
        clipboard = std::make_unique<ItemClipboard>(note, settings, selection, views, prompts);
        QObject::connect(clipboard.get(), &ItemClipboard::cutChanged, [this] { ++cutChanges; });
        QObject::connect(clipboard.get(), &ItemClipboard::revealRequested,
                         [this](ListKind, const std::vector<ItemId>& rows, bool editTitle) {
                             revealed = rows.empty() ? kNoItem : rows.back();
                             titleEdited = editTitle;
                         });
    }
    ~ItemClipboardTest() override {
        clipboard.reset();
        systemClipboard()->clear();
    }

    Item& at(ItemId id) { return *note.FindItem(id); }
    ItemId lastChild(ItemId group) {
        ItemId last = kNoItem;
        for (ItemId c = at(group).links.firstChild; c != kNoItem; c = at(c).links.next)
            last = c;
        return last;
    }
    void paste(const PasteCommand& command) { clipboard->paste(command.relation, command.order); }
    bool canPaste(const PasteCommand& command) const {
        return clipboard->canPaste(command.relation, command.order);
    }

    FixedClock clock{MakeTime(2024, 5, 1, 9, 0, 0), true};
    FakeHost host;
    Note note;
    ItemId root = kNoItem;
    Settings settings;
    FakeSelection selection;
    RecordingViews views;
    RecordingPrompts prompts;
    std::unique_ptr<ItemClipboard> clipboard;
    int cutChanges = 0;
    // The last of the rows a paste asked to show, and whether its title is
    // to be edited.
    ItemId revealed = kNoItem;
    bool titleEdited = false;
};

TEST_F(ItemClipboardTest, CopyThenPasteAfterBeforeInsideMakesFreshItemsWithTheirSubtree) {
    struct Case {
        PasteCommand command;
        bool intoTarget;  // the copy lands inside "t", else beside it
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {kAfter, false, {"g", "t", "g"}},
        {kBefore, false, {"g", "g", "t"}},
        {kInside, true, {"x", "g"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command.name);
        note.MakeNew(ByteString("root"));
        root = note.RootId();
        const ItemId g = AddGroup(note, root, "g");
        const ItemId a = AddMemo(note, g, "a");
        static_cast<Memo&>(at(a)).SetRawBody(ByteString("body a"));
        const ItemId t = AddGroup(note, root, "t");
        AddMemo(note, t, "x");
        at(t).SetOpen(false);
        selection.selected = {g};
        clipboard->copy();
        selection.memoFocus = t;
        views.inserted.clear();
        const int marks = host.modifiedMarks;

        paste(c.command);

        ASSERT_EQ(views.inserted.size(), 1u);
        const ItemId copy = views.inserted.front();
        EXPECT_NE(copy, g);
        EXPECT_EQ(ChildTitles(note, c.intoTarget ? t : root), c.titles);
        EXPECT_EQ(at(copy).links.parent, c.intoTarget ? t : root);
        const ItemId copiedChild = at(copy).links.firstChild;
        EXPECT_NE(copiedChild, a);
        EXPECT_EQ(ChildTitles(note, copy), std::vector<std::string>{"a"});
        EXPECT_EQ(static_cast<Memo&>(at(copiedChild)).Body().Str(), "body a");
        EXPECT_EQ(ChildTitles(note, g), std::vector<std::string>{"a"});  // the source stays
        EXPECT_EQ(at(t).IsOpen(), c.intoTarget);
        EXPECT_EQ(revealed, copy);
        EXPECT_EQ(host.modifiedMarks, marks + 1);
        ExpectConsistentChildren(note, root);
    }
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(ItemClipboardTest, ASelectedMemoOfASelectedGroupIsTakenOnceAndTheTextIsTheirExport) {
    const ItemId g = AddGroup(note, root, "g");
    const ItemId a = AddMemo(note, g, "a");
    static_cast<Memo&>(at(a)).SetRawBody(ByteString("1\r\n2"));
    AddMemo(note, g, "b");
    selection.selected = {g, a};
    clipboard->copy();
    EXPECT_EQ(systemClipboard()->text(), QStringLiteral("[g:a=1\n2;b=;]"));

    selection.memoFocus = g;
    paste(kAfter);
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"g", "g"}));
    EXPECT_EQ(ChildTitles(note, lastChild(root)), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ItemClipboardTest, CutThenPasteMovesTheItemsWhenTheDataIsRead) {
    const ItemId source = AddGroup(note, root, "src");
    const ItemId child = AddMemo(note, source, "child");
    const ItemId b = AddMemo(note, root, "b");
    selection.selected = {source};
    clipboard->cut();
    EXPECT_TRUE(clipboard->isCut(source));
    EXPECT_TRUE(clipboard->isCut(child));
    EXPECT_FALSE(clipboard->isCut(b));
    EXPECT_EQ(cutChanges, 1);
    EXPECT_NE(note.FindItem(source), nullptr);  // nothing moves before the data is read

    selection.memoFocus = b;
    ASSERT_TRUE(canPaste(kAfter));
    paste(kAfter);
    EXPECT_EQ(note.FindItem(source), nullptr);
    EXPECT_EQ(note.FindItem(child), nullptr);
    EXPECT_EQ(views.removed, std::vector<ItemId>{source});
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"b", "src"}));
    const ItemId moved = lastChild(root);
    EXPECT_NE(moved, source);
    EXPECT_EQ(ChildTitles(note, moved), std::vector<std::string>{"child"});
    EXPECT_FALSE(clipboard->isCut(moved));
    EXPECT_EQ(cutChanges, 2);
    EXPECT_EQ(host.modifiedMarks, 2);  // the deletion and the paste

    // The data stays on the clipboard: another paste makes another copy
    // and deletes nothing more.
    paste(kAfter);
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"b", "src", "src"}));
    EXPECT_EQ(views.removed.size(), 1u);
    ExpectConsistentChildren(note, root);
}

TEST_F(ItemClipboardTest, AClipboardManagerReadingEveryFormatLeavesTheCutForEscape) {
    const ItemId a = AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    selection.selected = {a};
    selection.memoFocus = b;
    clipboard->cut();
    readEveryFormat();
    EXPECT_EQ(systemClipboard()->text(), QStringLiteral("a=;"));
    EXPECT_FALSE(clipboardItems().isEmpty());
    EXPECT_TRUE(clipboard->isCut(a));
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(views.removed.empty());
    EXPECT_EQ(host.modifiedMarks, 0);

    clipboard->cancelCut();
    EXPECT_FALSE(clipboard->isCut(a));
    EXPECT_FALSE(clipboardOffersItems());
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(ItemClipboardTest, OurPasteMovesTheCutItemsAsTheyAreNowAfterAManagerReadThem) {
    const ItemId a = AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    selection.selected = {a};
    clipboard->cut();
    readEveryFormat();
    ASSERT_NE(note.FindItem(a), nullptr);                       // reading moved nothing
    static_cast<Memo&>(at(a)).SetRawBody(ByteString("later"));  // edited after the read

    selection.memoFocus = b;
    paste(kAfter);
    EXPECT_EQ(note.FindItem(a), nullptr);
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(static_cast<const Memo&>(at(lastChild(root))).Body(), ByteString("later"));
    EXPECT_EQ(systemClipboard()->text(), QStringLiteral("a=later;"));  // what moved
    EXPECT_FALSE(clipboard->isCut(lastChild(root)));
}

TEST_F(ItemClipboardTest, PastingACutOutOfAGroupEmptiesItAndItLosesItsLock) {
    const ItemId locked = AddGroup(note, root, "locked");
    const ItemId memo = AddMemo(note, locked, "m");
    const ItemId b = AddMemo(note, root, "b");
    lockOpen(note, locked, "pw12");
    views.open = memo;
    selection.selected = {memo};
    clipboard->cut();
    const int commitsBefore = views.commits;

    selection.memoFocus = b;
    paste(kAfter);
    EXPECT_EQ(note.FindItem(memo), nullptr);
    EXPECT_EQ(views.open, kNoItem);
    EXPECT_GT(views.commits, commitsBefore);  // the open memo's text went along first
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"locked", "b", "m"}));
    EXPECT_FALSE(at(locked).IsLockedGroup());
    EXPECT_EQ(views.removals, 1);
}

// Another window of the program, with its own note and clipboard object.
struct OtherWindow {
    OtherWindow() {
        note.MakeNew(ByteString("other root"));
        clipboard = std::make_unique<ItemClipboard>(note, settings, selection, views, prompts);
    }
    FakeHost host;
    Note note{&host};
    Settings settings;
    FakeSelection selection;
    RecordingViews views;
    RecordingPrompts prompts;
    std::unique_ptr<ItemClipboard> clipboard;
};

TEST_F(ItemClipboardTest, AnotherWindowsPasteMovesTheCutOnlyWhenTheItemsAreWhatItRead) {
    const struct {
        const char* name;
        bool managerReads;      // a clipboard manager read every format first
        bool editedAfter;       // the cut memo changed after that read
        bool managerTakesOver;  // the manager then offered its own copy
        bool moved;
    } cases[] = {
        {"straight", false, false, false, true},
        {"after a manager read", true, false, false, true},
        {"edited after a manager read", true, true, false, false},
        {"from a manager's copy", true, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ItemId a = AddMemo(note, root, "a");
        selection.selected = {a};
        clipboard->cut();
        if (c.managerReads)
            readEveryFormat();
        ASSERT_NE(note.FindItem(a), nullptr);
        if (c.editedAfter)
            static_cast<Memo&>(at(a)).SetRawBody(ByteString("later"));
        if (c.managerTakesOver)
            systemClipboard()->setMimeData(copyOfEveryFormat());
        const int marksBefore = host.modifiedMarks;

        OtherWindow other;
        other.clipboard->paste(Placement::kBeside, Placement::kAfter);
        EXPECT_EQ(ChildTitles(other.note, other.note.RootId()), std::vector<std::string>{"a"});
        EXPECT_EQ(note.FindItem(a) == nullptr, c.moved);
        EXPECT_EQ(host.modifiedMarks - marksBefore, c.moved ? 1 : 0);
        EXPECT_FALSE(clipboard->isCut(a));
        // The clipboard still holds the items: a further paste copies them.
        other.clipboard->paste(Placement::kBeside, Placement::kAfter);
        EXPECT_EQ(ChildTitles(other.note, other.note.RootId()),
                  (std::vector<std::string>{"a", "a"}));
        if (!c.moved)
            note.DeleteItems(a, 1);
        ExpectConsistentChildren(note, root);
    }
}

TEST_F(ItemClipboardTest, PastingOntoACutItemIsGreyedAndDoesNothing) {
    const ItemId g = AddGroup(note, root, "g");
    const ItemId a = AddMemo(note, g, "a");
    const ItemId b = AddMemo(note, root, "b");
    selection.selected = {g};
    clipboard->cut();

    struct Focus {
        const char* name;
        ItemId memoFocus;
        bool groupList;
    };
    // The group list of "g" has no focused row: its paste would go into g.
    const Focus onCutItems[] = {{"the cut group", g, false},
                                {"an item below it", a, false},
                                {"its empty group list", g, true}};
    for (const Focus& f : onCutItems) {
        SCOPED_TRACE(f.name);
        selection.memoFocus = f.memoFocus;
        selection.groupListFocus = f.groupList;
        EXPECT_TRUE(clipboard->hidesClipboardText());
        for (const PasteCommand& command : kPasteCommands) {
            EXPECT_FALSE(canPaste(command)) << command.name;
            paste(command);
        }
        EXPECT_NE(note.FindItem(g), nullptr);
        EXPECT_TRUE(clipboard->isCut(a));  // the data was not even read
    }
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"g", "b"}));

    selection.groupListFocus = false;
    selection.memoFocus = b;
    EXPECT_FALSE(clipboard->hidesClipboardText());
    EXPECT_TRUE(canPaste(kAfter));
}

TEST_F(ItemClipboardTest, AnotherProgramTakingTheClipboardEndsTheCutWithNothingMoved) {
    const ItemId a = AddMemo(note, root, "a");
    selection.selected = {a};
    clipboard->cut();
    systemClipboard()->setText(QStringLiteral("from elsewhere"));
    EXPECT_FALSE(clipboard->isCut(a));
    EXPECT_EQ(cutChanges, 2);
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"a"});
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(ItemClipboardTest, EscapeEndsACutAndEmptiesTheClipboardButLeavesACopy) {
    const ItemId a = AddMemo(note, root, "a");
    selection.selected = {a};
    selection.memoFocus = a;
    clipboard->cut();
    clipboard->cancelCut();
    EXPECT_FALSE(clipboard->isCut(a));
    EXPECT_FALSE(clipboardOffersItems());
    EXPECT_FALSE(canPaste(kAfter));
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"a"});

    clipboard->copy();
    clipboard->cancelCut();
    EXPECT_TRUE(clipboardOffersItems());
    EXPECT_TRUE(canPaste(kAfter));
}

TEST_F(ItemClipboardTest, ItemsForALockedShutPlaceGoToTheEndOfTheNoteButTextIsRefused) {
    const ItemId source = AddMemo(note, root, "s");
    const ItemId safe = AddGroup(note, root, "safe");
    const ItemId inner = AddMemo(note, safe, "inner");
    lockShut(note, safe);
    AddMemo(note, root, "z");
    selection.selected = {source};
    clipboard->copy();

    struct Case {
        const char* name;
        ItemId focus;
        PasteCommand command;
    };
    for (const Case& c :
         {Case{"inside the group", safe, kInside}, Case{"next to an item in it", inner, kAfter}}) {
        SCOPED_TRACE(c.name);
        prompts.errors.clear();
        prompts.errorNames.clear();
        prompts.infos.clear();
        selection.memoFocus = c.focus;
        paste(c.command);
        EXPECT_EQ(prompts.errors, std::vector<std::uint32_t>{20082});
        EXPECT_EQ(prompts.errorNames, QStringList{"safe"});
        EXPECT_EQ(prompts.infos, std::vector<std::uint32_t>{14005});
        const ItemId copy = lastChild(root);
        EXPECT_EQ(at(copy).Title().Str(), "s");
        EXPECT_NE(copy, source);
        EXPECT_EQ(at(copy).LockOwner(), kNoItem);
        EXPECT_EQ(ChildTitles(note, safe), std::vector<std::string>{"inner"});
    }

    prompts.errors.clear();
    prompts.infos.clear();
    const std::uint32_t items = note.ItemCount();
    systemClipboard()->setText(QStringLiteral("text"));
    selection.memoFocus = safe;
    paste(kInside);
    EXPECT_EQ(prompts.errors, std::vector<std::uint32_t>{20082});
    EXPECT_TRUE(prompts.infos.empty());
    EXPECT_EQ(note.ItemCount(), items);
}

TEST_F(ItemClipboardTest, AnOpenLockedGroupTakesPlainItemsButALockedGroupGoesToTheEnd) {
    const ItemId open = AddGroup(note, root, "open");
    const ItemId inOpen = AddMemo(note, open, "o1");
    lockOpen(note, open, "pw12");
    const ItemId plain = AddGroup(note, root, "plain");
    AddMemo(note, plain, "p1");
    const ItemId shut = AddGroup(note, root, "shut");
    AddMemo(note, shut, "k1");
    lockShut(note, shut);

    selection.selected = {plain};
    clipboard->copy();
    selection.memoFocus = open;
    paste(kInside);
    EXPECT_TRUE(prompts.errors.empty());
    const ItemId plainCopy = lastChild(open);
    EXPECT_EQ(at(plainCopy).Title().Str(), "plain");
    EXPECT_EQ(at(plainCopy).LockOwner(), open);
    EXPECT_EQ(at(at(plainCopy).links.firstChild).LockOwner(), open);

    selection.selected = {shut};
    clipboard->copy();
    for (const auto& [focus, command] : {std::pair{open, kInside}, std::pair{inOpen, kAfter}}) {
        SCOPED_TRACE(command.name);
        prompts.errors.clear();
        prompts.errorNames.clear();
        prompts.infos.clear();
        selection.memoFocus = focus;
        paste(command);
        EXPECT_EQ(prompts.errors, std::vector<std::uint32_t>{20077});
        EXPECT_EQ(prompts.errorNames, QStringList{"open"});
        EXPECT_EQ(prompts.infos, std::vector<std::uint32_t>{14005});
        const ItemId copy = lastChild(root);
        EXPECT_EQ(at(copy).Title().Str(), "shut");
        EXPECT_TRUE(at(copy).IsLockedGroup());
        EXPECT_EQ(at(copy).LockOwner(), kNoItem);
        EXPECT_EQ(at(at(copy).links.firstChild).LockOwner(), copy);
    }
    EXPECT_EQ(ChildTitles(note, open), (std::vector<std::string>{"o1", "plain"}));
}

TEST_F(ItemClipboardTest, PlainTextBecomesAMemoTitledWithItsFirstLine) {
    const ItemId m = AddMemo(note, root, "m");
    for (const bool titleFromFirstLine : {false, true}) {
        SCOPED_TRACE(titleFromFirstLine);
        settings.TitleFromFirstLine = titleFromFirstLine ? 1 : 0;
        views.open = m;
        revealed = kNoItem;
        systemClipboard()->setText(QStringLiteral("最初の行\nsecond\n"));
        selection.memoFocus = m;
        paste(kAfter);
        const ItemId memo = at(m).links.next;
        ASSERT_NE(memo, kNoItem);
        EXPECT_EQ(toQString(at(memo).Title()), QStringLiteral("最初の行"));
        EXPECT_EQ(toQString(static_cast<Memo&>(at(memo)).Body()),
                  QStringLiteral("最初の行\r\nsecond\r\n"));
        EXPECT_EQ(views.open, kNoItem);
        EXPECT_EQ(revealed, memo);
        EXPECT_EQ(titleEdited, !titleFromFirstLine);
    }
    EXPECT_EQ(host.modifiedMarks, 2);
}

TEST_F(ItemClipboardTest, TextCharactersTheNoteCannotHoldAreLeftOutAndNamed) {
    systemClipboard()->setText(QStringLiteral("a\U0001F600b"));
    paste(kAfter);  // no focused item: the end of the note
    const ItemId memo = lastChild(root);
    ASSERT_NE(memo, kNoItem);
    EXPECT_EQ(static_cast<Memo&>(at(memo)).Body().Str(), "ab");
    EXPECT_EQ(prompts.infos, std::vector<std::uint32_t>{12019});
    EXPECT_EQ(prompts.infoNames, QStringList{QStringLiteral("\U0001F600")});
}

TEST_F(ItemClipboardTest, ReadOnlyGreysCutAndPasteAndNothingChanges) {
    const ItemId a = AddMemo(note, root, "a");
    selection.selected = {a};
    selection.memoFocus = a;
    systemClipboard()->setText(QStringLiteral("t"));
    host.readOnly = true;
    EXPECT_FALSE(clipboard->canCut());
    EXPECT_TRUE(clipboard->canCopy());
    for (const PasteCommand& command : kPasteCommands)
        EXPECT_FALSE(canPaste(command)) << command.name;
    clipboard->cut();
    EXPECT_FALSE(clipboard->isCut(a));
    EXPECT_EQ(systemClipboard()->text(), QStringLiteral("t"));
    paste(kAfter);
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"a"});

    // A cut made before the note became read-only moves nothing either,
    // not even when pasted in another window.
    host.readOnly = false;
    clipboard->cut();
    host.readOnly = true;
    EXPECT_EQ(systemClipboard()->text(), QStringLiteral("a=;"));
    OtherWindow other;
    other.clipboard->paste(Placement::kBeside, Placement::kAfter);
    EXPECT_EQ(ChildTitles(other.note, other.note.RootId()), std::vector<std::string>{"a"});
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"a"});
    EXPECT_FALSE(clipboard->isCut(a));
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(ItemClipboardTest, DamagedItemDataIsRefusedWithoutChangingTheNote) {
    const ItemId g = AddGroup(note, root, "g");
    AddMemo(note, g, "a");
    selection.selected = {g};
    clipboard->copy();
    const QByteArray good = clipboardItems();
    ASSERT_GT(good.size(), 2);
    selection.memoFocus = g;

    struct Case {
        const char* name;
        QByteArray block;
        std::uint32_t failure;
    };
    const Case cases[] = {
        {"empty", QByteArray(), 6201},
        {"unknown record", QByteArray("\x07\x01\x02", 3), 6202},
        {"cut in a record", good.left(good.size() / 2), 6202},
        {"no end byte", good.chopped(1), 6202},
    };
    const std::uint32_t items = note.ItemCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.failures.clear();
        putForeignItems(c.block);
        paste(kAfter);
        EXPECT_EQ(host.failures, std::vector<std::uint32_t>{c.failure});
        EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"g"});
        EXPECT_EQ(note.ItemCount(), items);
    }
    EXPECT_TRUE(views.inserted.empty());
    EXPECT_EQ(host.modifiedMarks, 0);

    putForeignItems(good);  // the same block intact goes in
    paste(kAfter);
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"g", "g"}));
}

TEST_F(ItemClipboardTest, PasteStatesFollowTheFocusedItemAndTheClipboard) {
    const ItemId m = AddMemo(note, root, "m");
    const ItemId g = AddGroup(note, root, "g");
    struct Case {
        const char* name;
        ItemId memoFocus;
        bool groupList;
        bool after, before, inside;
    };
    const Case cases[] = {
        {"no focused item", kNoItem, false, true, false, false},
        {"a memo", m, false, true, true, false},
        {"a group", g, false, true, true, true},
        {"an empty group list", g, true, true, false, false},
    };
    systemClipboard()->setText(QStringLiteral("t"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        selection.memoFocus = c.memoFocus;
        selection.groupListFocus = c.groupList;
        EXPECT_EQ(canPaste(kAfter), c.after);
        EXPECT_EQ(canPaste(kBefore), c.before);
        EXPECT_EQ(canPaste(kInside), c.inside);
    }
    systemClipboard()->clear();
    selection.groupListFocus = false;
    for (const PasteCommand& command : kPasteCommands)
        EXPECT_FALSE(canPaste(command)) << command.name;

    // Inside a memo, even when asked directly.
    systemClipboard()->setText(QStringLiteral("t"));
    selection.memoFocus = m;
    paste(kInside);
    EXPECT_EQ(prompts.errors, std::vector<std::uint32_t>{20001});
    EXPECT_EQ(ChildTitles(note, root), (std::vector<std::string>{"m", "g"}));

    // Into the group an empty group list shows.
    selection.memoFocus = g;
    selection.groupListFocus = true;
    paste(kAfter);
    EXPECT_EQ(ChildTitles(note, g), std::vector<std::string>{"t"});
}

TEST_F(ItemClipboardTest, CutDataOutlivesTheClipboardObjectAsACopy) {
    const ItemId a = AddMemo(note, root, "a");
    selection.selected = {a};
    clipboard->cut();
    clipboard.reset();
    EXPECT_EQ(systemClipboard()->text(), QStringLiteral("a=;"));
    EXPECT_FALSE(clipboardItems().isEmpty());
    EXPECT_EQ(ChildTitles(note, root), std::vector<std::string>{"a"});
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(ItemClipboardTest, ACutWhoseItemsWereDeletedMeanwhileMovesNothing) {
    const ItemId a = AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    selection.selected = {a, b};
    clipboard->cut();
    note.DeleteItems(a, 1);  // as another command may
    EXPECT_TRUE(systemClipboard()->text().isEmpty());
    EXPECT_FALSE(clipboardOffersItems());
    EXPECT_NE(note.FindItem(b), nullptr);
    EXPECT_FALSE(clipboard->isCut(b));
}

TEST_F(ItemClipboardTest, ANoteMadeAnewAfterACutLosesNothingUnderTheOldIds) {
    const ItemId a = AddMemo(note, root, "a");
    selection.selected = {a};
    clipboard->cut();
    note.MakeNew(ByteString("root"));
    const ItemId fresh = AddMemo(note, note.RootId(), "fresh");
    ASSERT_EQ(fresh, a);  // the same id names another item now
    EXPECT_FALSE(clipboard->isCut(fresh));
    EXPECT_TRUE(systemClipboard()->text().isEmpty());
    EXPECT_EQ(ChildTitles(note, note.RootId()), std::vector<std::string>{"fresh"});
}

}  // namespace
