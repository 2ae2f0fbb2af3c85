#include "app/text/memo_session.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>

#include "app/common/qt_text.h"
#include "app/text/recording_note_host_for_test.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;

// The text as a document holds it: blocks separated by U+2029.
class EditedText : public MemoSession::TextSource {
public:
    QString text() const override {
        ++reads;
        return lines;
    }
    QString firstLine() const override { return lines.section(QChar::ParagraphSeparator, 0, 0); }
    void textStored() override { ++stored; }

    QString lines;
    mutable int reads = 0;
    int stored = 0;
};

const SystemTime kCreated = MakeTime(2001, 2, 3, 4, 5, 6);
const SystemTime kNow = MakeTime(2004, 5, 6, 13, 45, 7);
const QChar kBlock = QChar::ParagraphSeparator;

class MemoSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        note.MakeNew("root");
        session.setSettings(&settings);
        QObject::connect(&session, &MemoSession::memoUpdated, [this](ItemId id) { updated << id; });
        QObject::connect(&session, &MemoSession::titleChanged,
                         [this](ItemId id) { retitled << id; });
        QObject::connect(&session, &MemoSession::recentMemosChanged, [this] { ++recentChanges; });
        QObject::connect(&session, &MemoSession::unstorable,
                         [this](const QString& characters) { unstorable << characters; });
    }

    ItemId addMemo(const std::string& body, ItemId parent = kNoItem) {
        const ItemId id = AddMemo(note, parent == kNoItem ? note.RootId() : parent, "title");
        memo(id).SetRawBody(ByteString(body));
        memo(id).SetRawModifiedTime(kCreated);
        return id;
    }
    Memo& memo(ItemId id) { return static_cast<Memo&>(*note.FindItem(id)); }
    std::string body(ItemId id) { return memo(id).Body().Str(); }
    std::string title(ItemId id) { return memo(id).Title().Str(); }
    // Opens `id` and takes its text into the editor, as the pane does.
    void open(ItemId id) {
        const std::optional<QString> text = session.open(note, id);
        ASSERT_TRUE(text.has_value());
        editor.lines = QString(*text).replace(u'\n', kBlock);
    }
    // The user's edit leaves `text` in the editor.
    void edit(const QString& text, bool inFirstLine = true) {
        editor.lines = text;
        session.textEdited(inFirstLine);
    }

    RecordingNoteHost host;
    FixedClock clock{kNow};
    Note note{&host, &clock};
    Settings settings;
    EditedText editor;
    MemoSession session{editor};
    QList<ItemId> updated;
    QList<ItemId> retitled;
    QStringList unstorable;
    int recentChanges = 0;
};

TEST_F(MemoSessionTest, OpeningGivesTheBodyWithOneLineBreakForEachStoredLineEnd) {
    const struct {
        std::string body;
        QString text;
    } cases[] = {
        {"one\r\ntwo\r\n\r\nthree", QStringLiteral("one\ntwo\n\nthree")},
        {"lf\nonly\rcr", QStringLiteral("lf\nonly\ncr")},
        {"a\r\r\nb\n\r", QStringLiteral("a\n\nb\n\n")},  // CR then CR LF; LF then CR
        {"\x82\xa0\x82\xa2\r\n", QStringLiteral("あい\n")},
        {"", QString()},
    };
    for (const auto& c : cases) {
        const ItemId id = addMemo(c.body);
        EXPECT_EQ(session.open(note, id), std::optional<QString>(c.text)) << c.body;
        EXPECT_EQ(session.openMemo(), id);
        EXPECT_EQ(session.note(), &note);
    }
}

TEST_F(MemoSessionTest, WhatIsNoMemoOfTheNoteLeavesTheOpenMemoAsItWas) {
    const ItemId id = addMemo("kept");
    const ItemId group = AddGroup(note, note.RootId(), "group");
    open(id);
    edit(QStringLiteral("kept, edited"));
    EXPECT_EQ(session.open(note, group), std::nullopt);
    EXPECT_EQ(session.open(note, 999), std::nullopt);
    EXPECT_EQ(session.openMemo(), id);
    EXPECT_TRUE(session.isTextModified());
    EXPECT_EQ(body(id), "kept");  // not closed, so not stored
    session.store();
    EXPECT_EQ(body(id), "kept, edited");
}

TEST_F(MemoSessionTest, OnlyAnEditIsStoredAsCp932WithCrLfAndAStampedTime) {
    const ItemId id = addMemo("old");
    open(id);
    session.store();
    EXPECT_EQ(editor.reads, 0);  // the text is not even read
    EXPECT_EQ(memo(id).ModifiedTime(), kCreated);
    EXPECT_EQ(host.userChanges, 0);
    EXPECT_TRUE(updated.isEmpty());

    edit(QStringLiteral("あ") + kBlock + QStringLiteral("b") + QChar(QChar::LineSeparator) +
         QStringLiteral("c") + kBlock);
    EXPECT_EQ(body(id), "old");  // an edit alone changes only the editor
    session.store();
    EXPECT_EQ(body(id), "\x82\xa0\r\nb\r\nc\r\n");
    EXPECT_EQ(memo(id).ModifiedTime(), kNow);
    EXPECT_FALSE(session.isTextModified());
    EXPECT_EQ(editor.stored, 1);
    EXPECT_EQ(updated, QList<ItemId>{id});
    EXPECT_TRUE(unstorable.isEmpty());

    // Stored once: a second store reads and writes nothing.
    memo(id).SetRawModifiedTime(kCreated);
    session.store();
    EXPECT_EQ(editor.reads, 1);
    EXPECT_EQ(memo(id).ModifiedTime(), kCreated);
}

TEST_F(MemoSessionTest, TheFirstEditSinceOpeningOrStoringMarksTheNoteModified) {
    open(addMemo(""));
    edit(QStringLiteral("a"));
    edit(QStringLiteral("ab"));
    EXPECT_EQ(host.userChanges, 1);
    session.store();
    EXPECT_EQ(host.userChanges, 2);
    edit(QStringLiteral("abc"));
    EXPECT_EQ(host.userChanges, 3);
}

TEST_F(MemoSessionTest, CharactersCp932CannotHoldAreLeftOutOfTheBodyAndNamed) {
    const ItemId id = addMemo("");
    open(id);
    edit(QStringLiteral("a\U0001F600b한c"));
    session.store();
    EXPECT_EQ(body(id), "abc");
    EXPECT_EQ(unstorable, QStringList{QStringLiteral("\U0001F600한")});
    EXPECT_EQ(updated, QList<ItemId>{id});
}

TEST_F(MemoSessionTest, AnEncryptedMemoKeepsItsModifiedTimeWhenStored) {
    const ItemId id = addMemo("secret");
    memo(id).SetRawFlags(memo(id).Flags() | ItemFlags::kEncrypted);
    open(id);
    edit(QStringLiteral("secret!"));
    session.store();
    EXPECT_EQ(body(id), "secret!");
    EXPECT_EQ(memo(id).ModifiedTime(), kCreated);
    EXPECT_GE(host.userChanges, 1);
}

TEST_F(MemoSessionTest, AReadOnlyNoteKeepsItsBodyAndTitle) {
    settings.TitleFromFirstLine = 1;
    const ItemId id = addMemo("fixed");
    session.setReadOnly(true);
    open(id);
    EXPECT_FALSE(session.canEdit());
    edit(QStringLiteral("changed"));
    session.store();
    session.finishEditing();
    session.close();
    EXPECT_EQ(body(id), "fixed");
    EXPECT_EQ(title(id), "title");
    EXPECT_EQ(memo(id).ModifiedTime(), kCreated);
    EXPECT_FALSE(session.isTextModified());
}

struct TitleRuleCase {
    bool titleFromFirstLine;
    bool typeBodyFirst;
    bool newMemo;
    bool firstLineIsLink;
    bool follows;
};

TEST_F(MemoSessionTest, TheTitleFollowsAnEditOfTheFirstLineOnlyWhereTheOptionsSay) {
    const TitleRuleCase cases[] = {
        {false, false, true, false, false}, {true, false, false, false, true},
        {false, true, true, false, true},   {false, true, false, false, false},
        {true, false, false, true, false},  {false, true, true, true, false},
    };
    for (const TitleRuleCase& c : cases) {
        settings.TitleFromFirstLine = c.titleFromFirstLine;
        settings.TypeBodyFirst = c.typeBodyFirst;
        const ItemId id = addMemo("");
        memo(id).newMemoMark = c.newMemo;
        memo(id).SetBodyLink(c.firstLineIsLink);
        open(id);
        retitled.clear();
        edit(QStringLiteral("Hello") + kBlock + QStringLiteral("world"));
        EXPECT_EQ(title(id), c.follows ? "Hello" : "title")
            << c.titleFromFirstLine << c.typeBodyFirst << c.newMemo << c.firstLineIsLink;
        EXPECT_EQ(retitled, c.follows ? QList<ItemId>{id} : QList<ItemId>{});
    }
}

TEST_F(MemoSessionTest, TheTitleIsTheFirstLineCutTo259BytesWithoutSplittingACharacter) {
    settings.TitleFromFirstLine = 1;
    const QString a = QStringLiteral("あ");  // two bytes in CP932
    const struct {
        QString text;
        QString title;
    } cases[] = {
        {QStringLiteral("Hello") + kBlock + QStringLiteral("world"), QStringLiteral("Hello")},
        {QStringLiteral("head") + QChar(QChar::LineSeparator) + QStringLiteral("tail"),
         QStringLiteral("head")},
        {QString(400, u'x'), QString(259, u'x')},
        {a.repeated(200), a.repeated(129)},  // 258 bytes
        {QStringLiteral("x") + a.repeated(200), QStringLiteral("x") + a.repeated(129)},  // 259
        {kBlock + QStringLiteral("second"), QString()},
    };
    for (const auto& c : cases) {
        const ItemId id = addMemo("");
        open(id);
        edit(c.text);
        EXPECT_EQ(toQString(memo(id).Title()), c.title) << c.text.left(20).toStdString();
    }
}

TEST_F(MemoSessionTest, AnEditThatLeavesTheTitleAsItWasAnnouncesNoNewTitle) {
    settings.TitleFromFirstLine = 1;
    const ItemId id = addMemo("");
    open(id);
    edit(QStringLiteral("Same"));
    edit(QStringLiteral("Same") + kBlock + QStringLiteral("more"));
    EXPECT_EQ(retitled, QList<ItemId>{id});
    // A change after the first line leaves the title alone.
    edit(QStringLiteral("Other") + kBlock, false);
    EXPECT_EQ(title(id), "Same");
}

TEST_F(MemoSessionTest, ClosingStoresTakesTheTitleAndPutsTheMemoInFrontOfTheRecent) {
    settings.TitleFromFirstLine = 1;
    const ItemId id = addMemo("body");
    open(id);
    edit(QStringLiteral("New title") + kBlock + QStringLiteral("body"), false);
    session.close();
    EXPECT_EQ(body(id), "New title\r\nbody");
    EXPECT_EQ(title(id), "New title");
    EXPECT_EQ(note.View().recentMemos[0], id);
    EXPECT_EQ(recentChanges, 1);
    ASSERT_FALSE(updated.isEmpty());
    EXPECT_EQ(updated.last(), id);
    EXPECT_FALSE(session.holdsMemo());
    EXPECT_EQ(session.note(), &note);  // still the note whose colours the pane shows

    // Closed again while in front: the list does not change.
    open(id);
    session.close();
    EXPECT_EQ(recentChanges, 1);
    // Closing without a memo open does nothing.
    updated.clear();
    session.close();
    EXPECT_TRUE(updated.isEmpty());
}

TEST_F(MemoSessionTest, ANewMemoTypedBodyFirstTakesItsTitleWhenLeftButNotWhenClosed) {
    settings.TypeBodyFirst = 1;
    const ItemId left = addMemo("");
    const ItemId closed = addMemo("");
    memo(left).newMemoMark = 1;
    memo(closed).newMemoMark = 1;

    open(left);
    edit(QStringLiteral("Draft"), false);
    session.finishEditing();
    EXPECT_EQ(title(left), "Draft");
    EXPECT_EQ(body(left), "Draft");
    EXPECT_EQ(memo(left).newMemoMark, 0u);
    edit(QStringLiteral("Draft two"));  // no longer follows
    EXPECT_EQ(title(left), "Draft");

    open(closed);
    edit(QStringLiteral("Closed"), false);
    session.close();
    EXPECT_EQ(body(closed), "Closed");
    EXPECT_EQ(title(closed), "title");
    EXPECT_EQ(memo(closed).newMemoMark, 0u);
}

TEST_F(MemoSessionTest, OpeningAnotherMemoClosesTheOpenOneOfTheSameNoteOnly) {
    const ItemId first = addMemo("first");
    const ItemId second = addMemo("second");
    open(first);
    edit(QStringLiteral("first edited"));
    open(second);
    EXPECT_EQ(body(first), "first edited");
    EXPECT_EQ(note.View().recentMemos[0], first);
    EXPECT_TRUE(updated.contains(first));
    EXPECT_FALSE(session.isTextModified());

    // A memo of another note replaces it without storing into this one.
    edit(QStringLiteral("second edited"));
    Note other{&host, &clock};
    other.MakeNew("other root");
    const ItemId elsewhere = AddMemo(other, other.RootId(), "m");
    ASSERT_TRUE(session.open(other, elsewhere).has_value());
    EXPECT_EQ(body(second), "second");
    EXPECT_EQ(note.View().recentMemos[0], first);
    EXPECT_EQ(session.note(), &other);
    session.leaveNote();
}

TEST_F(MemoSessionTest, LeavingTheNoteStoresAndRecordsNothing) {
    const ItemId id = addMemo("body");
    open(id);
    edit(QStringLiteral("lost with the note"));
    session.leaveNote();
    EXPECT_EQ(body(id), "body");
    EXPECT_EQ(session.note(), nullptr);
    EXPECT_FALSE(session.holdsMemo());
    EXPECT_FALSE(session.isTextModified());
    EXPECT_EQ(note.View().recentMemos[0], kNoItem);
    EXPECT_TRUE(updated.isEmpty());
}

TEST_F(MemoSessionTest, AMemoDeletedWhileOpenIsNeitherStoredNorRecorded) {
    settings.TitleFromFirstLine = 1;
    const ItemId id = addMemo("body");
    open(id);
    edit(QStringLiteral("edited"));
    ASSERT_TRUE(note.DeleteItems(id, 1));
    EXPECT_EQ(session.memo(), nullptr);
    session.store();
    session.finishEditing();
    session.close();
    EXPECT_EQ(editor.reads, 0);
    EXPECT_EQ(note.View().recentMemos[0], kNoItem);
    EXPECT_EQ(recentChanges, 0);
    EXPECT_FALSE(session.holdsMemo());
}

TEST_F(MemoSessionTest, AMemoInsideALockedGroupIsNotRecordedWhenClosed) {
    const ItemId group = AddGroup(note, note.RootId(), "locked");
    const ItemId id = addMemo("secret", group);
    note.FindItem(id)->SetLockOwner(group);
    open(id);
    edit(QStringLiteral("secret, edited"));
    session.close();
    EXPECT_EQ(body(id), "secret, edited");
    EXPECT_EQ(note.View().recentMemos[0], kNoItem);
    EXPECT_EQ(recentChanges, 0);
}

}  // namespace
