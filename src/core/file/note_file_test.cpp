#include <gtest/gtest.h>

#include <cstring>

#include "core/common/error_code.h"
#include "core/file/byte_builder_for_test.h"
#include "core/file/note_bytes.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item_lock.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

const SystemTime kTime{2004, 5, 4, 6, 13, 45, 7, 0};

std::uint32_t LoadCode(const MemoryBlock& bytes) {
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    try {
        LoadNoteFromBytes(note, bytes);
    } catch (const IoError& e) {
        return e.Code();
    }
    return 0;
}

// The header a new note writes, tags 1 to 22 with their defaults.
ByteBuilder DefaultHeader(std::uint32_t lastId, std::uint32_t count, std::uint32_t root) {
    ByteBuilder b;
    b.Magic().Tag32(1, 0x01000005).Tag32(2, lastId).Tag32(3, count);
    b.Tag32(4, 0).Tag32(5, 0).Tag32(6, 0).Tag32(7, 0).Tag32(8, 0).Tag32(9, root).Tag32(10, 0);
    b.Tag32(11, 290).Tag32(12, 120).Tag32(13, 2).Tag32(14, 0).U8(15);
    for (int i = 0; i < 16; ++i) b.U32(0xFFFFFF);
    b.Tag32(16, 0).Tag32(17, 0xE8FFFF).Tag32(18, 200).TagStr(19, "").Tag32(20, 120).Tag32(21, 0);
    b.U8(22);
    for (int i = 0; i < 10; ++i) b.U32(0);
    return b;
}

TEST(NoteFile, ANewNoteIsWrittenByteForByte) {
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("ABC"));
    ByteBuilder expected = DefaultHeader(1, 1, 1);
    expected.Group(1, 0, 0, 0, 0, "ABC").U8(0xFF);
    EXPECT_EQ(SaveNoteToBytes(note), expected.Bytes());
}

TEST(NoteFile, AMemoWrittenRightAfterCreationCarriesItsDefaults) {
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("r"));
    AddMemo(note, note.RootId(), "m");
    const MemoryBlock bytes = SaveNoteToBytes(note);
    ByteBuilder memo;
    memo.U8(0x81).BaseSection(2, 1, 0, 0, 0, "m", 2, 0, 0);
    memo.TagStr(1, "").Tag32(2, 1).U8(0xFF);
    // The memo record is last before the end byte (ids 1 and 2 sit in buckets 1 and 2).
    const MemoryBlock& tail = memo.Bytes();
    ASSERT_GT(bytes.size(), tail.size() + 1);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - 1 - long(tail.size())));
}

TEST(NoteFile, RoundTripIsByteIdenticalWithJapaneseText) {
    FixedClock clock{kTime, true};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("\x83\x6d\x81\x5b\x83\x67"));  // ノート
    const ItemId g = AddGroup(note, note.RootId(), "\x83\x4f\x83\x8b\x81\x5b\x83\x76");
    const ItemId m = AddMemo(note, g, "\x83\x81\x83\x82");  // メモ
    auto* memo = dynamic_cast<Memo*>(note.FindItem(m));
    memo->SetBody(ByteString("\x82\xa0\x82\xa2\r\nline 2\r\n"));
    memo->SetRemarks(ByteString("\x94\xf5\x8d\x6c"));
    memo->SetTextColour(0x0000FF);
    memo->SetBodyLink(true);
    note.View().remarksCaption = ByteString("\x94\xf5\x8d\x6c");
    note.View().recentMemos[0] = m;
    note.View().windowFlags = NoteViewSettings::kAlwaysOnTop | NoteViewSettings::kTouchesTop;
    note.GetDepth(m);  // caches are stored as they stand

    const MemoryBlock first = SaveNoteToBytes(note);
    Note loaded{nullptr, &clock};
    LoadNoteFromBytes(loaded, first);
    EXPECT_EQ(SaveNoteToBytes(loaded), first);
    const auto* read = dynamic_cast<const Memo*>(loaded.FindItem(m));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Body(), memo->Body());
    EXPECT_EQ(read->Remarks(), memo->Remarks());
    EXPECT_EQ(read->ModifiedTime(), memo->ModifiedTime());
    EXPECT_EQ(loaded.View().windowFlags, note.View().windowFlags);
    EXPECT_EQ(loaded.FileVersionRead(), Note::kVersion);
}

TEST(NoteFile, RecordsFollowTheMapOrderAndSharedBucketsReverseOnResave) {
    // Ids 5 and 1029 share a bucket; the file lists 5 first, so the reader
    // inserts 1029 last and the writer lists it first.
    ByteBuilder b;
    b.Magic().MinimalHeader(1029, 1);
    b.Group(1, 0, 5, 0, 0, "root");
    b.Memo(5, 1, 0, 1029, "five", "");
    b.Memo(1029, 1, 5, 0, "late", "");
    b.U8(0xFF);
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    LoadNoteFromBytes(note, b.Bytes());
    EXPECT_EQ(note.Items().Keys(), (std::vector<std::uint32_t>{1, 1029, 5}));
    Note again{nullptr, &clock};
    LoadNoteFromBytes(again, SaveNoteToBytes(note));
    EXPECT_EQ(again.Items().Keys(), (std::vector<std::uint32_t>{1, 5, 1029}));
}

TEST(NoteFile, StrayTagsAreSkippedAsLoneBytesAndHighTagsStartGroups) {
    ByteBuilder b;
    b.Magic().MinimalHeader(3, 1).U8(23).U8(0);
    b.Group(1, 0, 2, 0, 0, "root").U8(100);
    // A record tag 0x90 is a memo group; a tag 23 inside its section is one byte.
    b.U8(0x90).Tag32(1, 2).Tag32(2, 1).U8(23).TagStr(6, "g").Tag32(9, 1).Tag32(3, 3).U8(0xFF);
    b.Memo(3, 2, 0, 0, "m", "body");
    b.U8(0xFF);
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    LoadNoteFromBytes(note, b.Bytes());
    ASSERT_NE(note.FindItem(2), nullptr);
    EXPECT_TRUE(note.FindItem(2)->IsGroup());
    EXPECT_EQ(ChildTitles(note, 2), (std::vector<std::string>{"m"}));
    EXPECT_EQ(BodyOf(*note.FindItem(3)), ByteString("body"));
}

TEST(NoteFile, OlderVersionsLoadAndAreSavedAsTheCurrentOne) {
    ByteBuilder b;
    b.Magic().Tag32(1, 0x01000002).Tag32(2, 1).Tag32(9, 1).Group(1, 0, 0, 0, 0, "r").U8(0xFF);
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    LoadNoteFromBytes(note, b.Bytes());
    EXPECT_EQ(note.FileVersionRead(), 0x01000002u);
    const MemoryBlock saved = SaveNoteToBytes(note);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + 4, saved.begin() + 9),
              (std::vector<std::uint8_t>{1, 0x05, 0x00, 0x00, 0x01}));
}

TEST(NoteFile, RefusesWhatItCannotRead) {
    struct Case {
        const char* what;
        ByteBuilder bytes;
        std::uint32_t code;
    };
    std::vector<Case> cases;
    cases.push_back({"wrong magic", ByteBuilder().U8s({'!', 'T', 'M', 'X', 0xFF}),
                     ErrorCode::kNotANoteFile});
    cases.push_back({"too short for a magic", ByteBuilder().U8s({'!', 'T'}),
                     ErrorCode::kNotANoteFile});
    cases.push_back({"newer version", ByteBuilder().Magic().Tag32(1, 0x01000006).U8(0xFF),
                     ErrorCode::kNewerVersion});
    cases.push_back({"no end byte", ByteBuilder().Magic().MinimalHeader(1, 1).Group(1, 0, 0, 0, 0, "r"),
                     ErrorCode::kHandleEof});
    {
        ByteBuilder huge;  // claims 4 GB of title
        huge.Magic().MinimalHeader(1, 1).U8(0x80).Tag32(1, 1).U8(6).U32(0xFFFFFFF0).U8s({'a', 'b'});
        cases.push_back({"string longer than the file", huge, ErrorCode::kHandleEof});
    }
    {
        ByteBuilder cycle;  // two siblings pointing at each other
        cycle.Magic().MinimalHeader(3, 1).Group(1, 0, 2, 0, 0, "r");
        cycle.Memo(2, 1, 0, 3, "a", "").Memo(3, 1, 2, 2, "b", "").U8(0xFF);
        cases.push_back({"sibling cycle", cycle, ErrorCode::kHandleEof});
    }
    {
        ByteBuilder loop;  // a group that contains itself
        loop.Magic().MinimalHeader(2, 1).Group(1, 0, 2, 0, 0, "r").Group(2, 1, 2, 0, 0, "g").U8(0xFF);
        cases.push_back({"group inside itself", loop, ErrorCode::kHandleEof});
    }
    {
        ByteBuilder twice;  // one memo in two groups
        twice.Magic().MinimalHeader(4, 1).Group(1, 0, 2, 0, 0, "r");
        twice.Group(2, 1, 4, 0, 3, "g").Group(3, 1, 4, 2, 0, "h").Memo(4, 2, 0, 0, "m", "").U8(0xFF);
        cases.push_back({"item reached twice", twice, ErrorCode::kHandleEof});
    }
    {
        ByteBuilder missing;
        missing.Magic().MinimalHeader(2, 1).Group(1, 0, 2, 0, 0, "r").Memo(2, 1, 0, 9, "m", "");
        missing.U8(0xFF);
        cases.push_back({"link to a missing item", missing, ErrorCode::kHandleEof});
    }
    {
        ByteBuilder noRoot;
        noRoot.Magic().MinimalHeader(2, 7).Group(1, 0, 0, 0, 0, "r").U8(0xFF);
        cases.push_back({"missing root", noRoot, ErrorCode::kHandleEof});
    }
    {
        ByteBuilder memoRoot;
        memoRoot.Magic().MinimalHeader(1, 1).Memo(1, 0, 0, 0, "r", "").U8(0xFF);
        cases.push_back({"memo as root", memoRoot, ErrorCode::kHandleEof});
    }
    for (const Case& c : cases) EXPECT_EQ(LoadCode(c.bytes.Bytes()), c.code) << c.what;
}

TEST(NoteFile, EveryTruncationFailsCleanly) {
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("root"));
    const ItemId g = AddGroup(note, note.RootId(), "g");
    AddMemo(note, g, "m");
    const MemoryBlock full = SaveNoteToBytes(note);
    for (std::size_t size = 0; size < full.size(); ++size) {
        const MemoryBlock cut(full.begin(), full.begin() + long(size));
        const std::uint32_t code = LoadCode(cut);
        EXPECT_TRUE(code == ErrorCode::kHandleEof || code == ErrorCode::kNotANoteFile)
            << "cut at " << size << " gave " << code;
    }
}

TEST(NoteFile, RecordsOutsideTheRootsTreeAreDropped) {
    ByteBuilder b;
    b.Magic().MinimalHeader(4, 1).Group(1, 0, 0, 0, 0, "r");
    b.Memo(3, 4, 0, 0, "stray", "").Group(4, 3, 3, 0, 0, "loop").U8(0xFF);  // a parent cycle
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    LoadNoteFromBytes(note, b.Bytes());
    EXPECT_EQ(note.Items().Size(), 1u);
    Note again{nullptr, &clock};
    LoadNoteFromBytes(again, SaveNoteToBytes(note));
    EXPECT_EQ(again.Items().Size(), 1u);
}

TEST(NoteFile, WrongCachedCountsAreRecountedNotTrusted) {
    ByteBuilder b;
    b.Magic().MinimalHeader(3, 1);
    b.U8(0x80).Tag32(1, 1).Tag32(3, 2).Tag32(9, 1).Tag32(12, 40).U8(0xFF);  // claims 40 children
    b.Memo(2, 1, 0, 3, "a", "").Memo(3, 1, 2, 0, "b", "");
    b.U8(0xFF);
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    LoadNoteFromBytes(note, b.Bytes());
    EXPECT_EQ(note.GetChildCount(1), 2u);
}

TEST(NoteFile, SavingAnOpenLockedGroupWritesItsContentsEncrypted) {
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("root"));
    const ItemId g = AddGroup(note, note.RootId(), "vault");
    const ItemId m = AddMemo(note, g, "secret title");
    dynamic_cast<Memo*>(note.FindItem(m))->SetBody(ByteString("secret body"));
    Item* group = note.FindItem(g);
    group->SetRawFlags(group->Flags() | ItemFlags::kLocked);
    note.SetLockOwner(g, g, true);
    group->SetPassword(ByteString("pass"));

    const MemoryBlock bytes = SaveNoteToBytes(note);
    const std::string raw(bytes.begin(), bytes.end());
    EXPECT_EQ(raw.find("secret"), std::string::npos);
    EXPECT_NE(raw.find("vault"), std::string::npos);  // the group's own title stays plain
    EXPECT_TRUE(group->IsOpen());
    EXPECT_EQ(note.FindItem(m)->Title(), ByteString("secret title"));

    Note loaded{nullptr, &clock};
    LoadNoteFromBytes(loaded, bytes);
    Item* readGroup = loaded.FindItem(g);
    Item* readMemo = loaded.FindItem(m);
    EXPECT_FALSE(readGroup->IsOpen());
    EXPECT_TRUE(readMemo->IsEncrypted());
    EXPECT_EQ(readMemo->LockOwner(), g);
    EXPECT_EQ(readMemo->Title().Size() % 8, 0u);
    EXPECT_EQ(SaveNoteToBytes(loaded), bytes);  // a closed locked note resaves identically
    EXPECT_FALSE(DecryptGroupContents(loaded, g, ByteString("wrong")));
    EXPECT_TRUE(readMemo->IsEncrypted());
    ASSERT_TRUE(DecryptGroupContents(loaded, g, ByteString("pass")));
    EXPECT_EQ(readMemo->Title(), ByteString("secret title"));
    EXPECT_EQ(BodyOf(*readMemo), ByteString("secret body"));
}

}  // namespace
}  // namespace tidemark
