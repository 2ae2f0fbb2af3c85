#include "core/file/note_storage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/common/cp932_codec.h"
#include "core/common/error_code.h"
#include "core/file/fault_injecting_file_system_for_test.h"
#include "core/file/note_bytes.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

using Op = FaultInjectingFileSystem::Op;
using Paths = std::vector<std::string>;

const std::string kPath = "/notes/日記.tmk";
const std::string kBackup = kPath + ".tmp";

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8).bytes; }

// A note of the kind people keep: nested groups, memos with several lines of
// Japanese text, remarks. `edition` varies the texts so that two editions
// give different files.
void BuildNote(Note& note, int edition) {
    note.MakeNew(ByteString(Sjis("ノート")));
    const std::string body = Sjis("今日は晴れ。買い物リスト：牛乳、卵、パン。\r\n") +
                             Sjis("会議メモ――次回は月曜日の十時から。\r\n");
    for (int g = 0; g < 6; ++g) {
        const ItemId group = AddGroup(note, note.RootId(), Sjis("グループ") + std::to_string(g));
        for (int s = 0; s < 4; ++s) {
            const ItemId sub = AddGroup(note, group, Sjis("小項目") + std::to_string(s));
            for (int m = 0; m < 10; ++m) {
                const ItemId id = AddMemo(note, sub, Sjis("メモ") + std::to_string(m));
                Memo* memo = static_cast<Memo*>(note.FindItem(id));
                std::string text = Sjis("版") + std::to_string(edition) + "\r\n";
                for (int line = 0; line < (m % 5) + 1; ++line) text += body;
                memo->SetRawBody(ByteString(text));
                if (m % 3 == 0) memo->SetRawRemarks(ByteString(Sjis("備考：重要")));
            }
        }
    }
}

MemoryBlock NoteBytes(int edition) {
    FixedClock clock{MakeTime(2024, 3, 1, 9, 30, 0)};
    Note note{nullptr, &clock};
    BuildNote(note, edition);
    return SaveNoteToBytes(note);
}

// Runs `action` and returns the code it threw, 0 when it threw nothing.
std::uint32_t CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const IoError& e) {
        return e.Code();
    }
    return 0;
}

class NoteStorageTest : public ::testing::Test {
protected:
    NoteStorageTest() { BuildNote(note, 2); }

    FixedClock clock{MakeTime(2024, 3, 1, 9, 30, 0)};
    Note note{nullptr, &clock};
    const MemoryBlock oldBytes = NoteBytes(1);
    const MemoryBlock newBytes = NoteBytes(2);
};

TEST_F(NoteStorageTest, ASavedNoteLoadsBackTheSame) {
    for (bool detached : {false, true}) {
        SCOPED_TRACE(detached ? "detached" : "attached");
        FaultInjectingFileSystem files;
        files.Put(kPath, oldBytes);
        note.Save(files, kPath, detached);
        EXPECT_EQ(files.Bytes(kPath), newBytes);
        EXPECT_EQ(files.Paths(), Paths{kPath}) << "the backup is gone";
        EXPECT_EQ(files.Calls(Op::kSyncFolder), 1);
        EXPECT_EQ(note.File().IsOpen(), !detached);
        note.ReleaseWriteAccess();

        Note loaded{nullptr, &clock};
        loaded.MakeNew(ByteString("previous"));
        EXPECT_EQ(loaded.Load(files, kPath, detached), LoadResult::kWritable);
        EXPECT_EQ(SaveNoteToBytes(loaded), newBytes);
    }
}

TEST_F(NoteStorageTest, SavingToANewPathCreatesTheFile) {
    FaultInjectingFileSystem files;
    note.Save(files, "new.tmk", false);
    EXPECT_EQ(files.Bytes("new.tmk"), newBytes);
    EXPECT_EQ(files.Paths(), Paths{"new.tmk"});
}

// The heart of the safe save: wherever writing stops, the previous file is
// there under its own name, byte for byte, and nothing else is left behind.
// With a stale backup in the way the same holds and the stale file stays.
TEST_F(NoteStorageTest, AFailedWriteAnywhereLeavesThePreviousFileAndNoBackup) {
    const MemoryBlock stale{'o', 'l', 'd'};
    for (bool detached : {false, true}) {
        for (bool staleBackup : {false, true}) {
            SCOPED_TRACE(std::string(detached ? "detached" : "attached") +
                         (staleBackup ? ", stale backup" : ""));
            const Paths expectedPaths = staleBackup ? Paths{kPath, kBackup} : Paths{kPath};
            int writes = 0;
            {
                FaultInjectingFileSystem files;
                files.Put(kPath, oldBytes);
                note.Save(files, kPath, detached);
                writes = files.Calls(Op::kWrite);
            }
            ASSERT_GT(writes, 5) << "the note should span several buffers";
            for (int n = 1; n <= writes; ++n) {
                SCOPED_TRACE("failing write " + std::to_string(n));
                FaultInjectingFileSystem files;
                files.Put(kPath, oldBytes);
                if (staleBackup) files.Put(kBackup, stale);
                files.FailNth(Op::kWrite, n, ErrorCode::kDiskFull);
                EXPECT_EQ(CodeOf([&] { note.Save(files, kPath, detached); }), ErrorCode::kDiskFull);
                EXPECT_EQ(files.Bytes(kPath), oldBytes);
                EXPECT_EQ(files.Paths(), expectedPaths);
                if (staleBackup) {
                    EXPECT_EQ(files.Bytes(kBackup), stale);
                }
                EXPECT_FALSE(note.File().IsOpen());
            }
        }
    }
}

TEST_F(NoteStorageTest, ADiskThatFillsUpPartWayLeavesThePreviousFile) {
    for (std::size_t space = 0; space < newBytes.size(); space += 997) {
        SCOPED_TRACE("free space " + std::to_string(space));
        FaultInjectingFileSystem files;
        files.Put(kPath, oldBytes);
        files.SetFreeSpace(space);
        EXPECT_EQ(CodeOf([&] { note.Save(files, kPath, false); }), ErrorCode::kDiskFull);
        EXPECT_EQ(files.Bytes(kPath), oldBytes);
        EXPECT_EQ(files.Paths(), Paths{kPath});
    }
}

TEST_F(NoteStorageTest, AFailureAfterWritingAlsoRestoresThePreviousFile) {
    struct Case {
        Op op;
        std::uint32_t code;
    };
    for (const Case& c : {Case{Op::kOpen, ErrorCode::kAccessDenied},
                          Case{Op::kSync, 29},  // a write fault reported at the flush
                          Case{Op::kSyncFolder, 29}}) {
        for (bool detached : {false, true}) {
            SCOPED_TRACE("operation " + std::to_string(static_cast<int>(c.op)) +
                         (detached ? ", detached" : ""));
            FaultInjectingFileSystem files;
            files.Put(kPath, oldBytes);
            files.FailNth(c.op, 1, c.code);
            EXPECT_EQ(CodeOf([&] { note.Save(files, kPath, detached); }), c.code);
            EXPECT_EQ(files.Bytes(kPath), oldBytes);
            EXPECT_EQ(files.Paths(), Paths{kPath});
        }
    }
}

TEST_F(NoteStorageTest, AFileThatCannotBeMovedAsideIsNotOverwritten) {
    FaultInjectingFileSystem files;
    files.Put(kPath, oldBytes);
    files.FailNth(Op::kMove, 1, ErrorCode::kAccessDenied);
    EXPECT_EQ(CodeOf([&] { note.Save(files, kPath, false); }), ErrorCode::kAccessDenied);
    EXPECT_EQ(files.Bytes(kPath), oldBytes);
    EXPECT_EQ(files.Calls(Op::kWrite), 0);
}

TEST_F(NoteStorageTest, WhenTheBackupCannotBeRestoredItStaysForTheUser) {
    FaultInjectingFileSystem files;
    files.Put(kPath, oldBytes);
    files.FailNth(Op::kWrite, 2, ErrorCode::kDiskFull);
    files.FailNth(Op::kMove, 2, ErrorCode::kAccessDenied);  // the move back
    EXPECT_EQ(CodeOf([&] { note.Save(files, kPath, false); }), ErrorCode::kDiskFull);
    EXPECT_EQ(files.Bytes(kBackup), oldBytes);
    EXPECT_FALSE(files.Has(kPath));
}

TEST_F(NoteStorageTest, AFailedSaveToANewPathLeavesNoPartialFile) {
    FaultInjectingFileSystem files;
    files.FailNth(Op::kWrite, 3, ErrorCode::kDiskFull);
    EXPECT_EQ(CodeOf([&] { note.Save(files, "new.tmk", false); }), ErrorCode::kDiskFull);
    EXPECT_EQ(files.Paths(), Paths{});
}

TEST_F(NoteStorageTest, AStaleBackupStaysAndTheFileIsStillWritten) {
    const MemoryBlock stale{'o', 'l', 'd'};
    FaultInjectingFileSystem files;
    files.Put(kPath, oldBytes);
    files.Put(kBackup, stale);
    note.Save(files, kPath, false);
    EXPECT_EQ(files.Bytes(kPath), newBytes);
    EXPECT_EQ(files.Bytes(kBackup), stale);
    EXPECT_EQ(files.Paths(), (Paths{kPath, kBackup}));
}

TEST_F(NoteStorageTest, AnAttachedSaveHoldsTheNewFileAgainstOtherWriters) {
    FaultInjectingFileSystem files;
    files.Put(kPath, oldBytes);
    note.Save(files, kPath, false);
    NoteFile other(&files, kPath);
    ASSERT_EQ(other.OpenWrite(), 0u);
    EXPECT_EQ(other.GetState(), BufferedFile::State::kReading);
    EXPECT_EQ(other.ReadWriteError(), ErrorCode::kSharingViolation);
    other.Close();

    // A second save of the holder goes through; a save by anyone else does not.
    note.Save(files, kPath, false);
    EXPECT_EQ(files.Bytes(kPath), newBytes);
    Note intruder{nullptr, &clock};
    intruder.MakeNew(ByteString("x"));
    for (bool detached : {false, true}) {
        EXPECT_EQ(CodeOf([&] { intruder.Save(files, kPath, detached); }),
                  ErrorCode::kSharingViolation);
        EXPECT_EQ(files.Bytes(kPath), newBytes);
        EXPECT_EQ(files.Paths(), Paths{kPath});
    }
}

TEST_F(NoteStorageTest, LoadingAMissingFileFailsWith2AndKeepsTheNote) {
    FaultInjectingFileSystem files;
    for (bool detached : {false, true}) {
        EXPECT_EQ(CodeOf([&] { note.Load(files, "missing.tmk", detached); }),
                  ErrorCode::kFileNotFound);
        EXPECT_EQ(SaveNoteToBytes(note), newBytes);
        EXPECT_EQ(files.Paths(), Paths{}) << "nothing is created";
    }
}

TEST_F(NoteStorageTest, LoadingBadBytesFailsAndHoldsNothing) {
    MemoryBlock cut = newBytes;
    cut.resize(cut.size() / 2);
    MemoryBlock wrongMagic = newBytes;
    wrongMagic[0] = '?';
    struct Case {
        const char* name;
        MemoryBlock bytes;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"empty", {}, ErrorCode::kHandleEof},
        {"shorter than the magic", {'!', 'T'}, ErrorCode::kHandleEof},
        {"wrong magic", wrongMagic, ErrorCode::kNotANoteFile},
        {"cut in half", cut, ErrorCode::kHandleEof},
    };
    for (const Case& c : cases) {
        for (bool detached : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (detached ? ", detached" : ""));
            FaultInjectingFileSystem files;
            files.Put("bad.tmk", c.bytes);
            Note loaded{nullptr, &clock};
            EXPECT_EQ(CodeOf([&] { loaded.Load(files, "bad.tmk", detached); }), c.code);
            EXPECT_FALSE(loaded.File().IsOpen());
            EXPECT_EQ(files.Bytes("bad.tmk"), c.bytes);
        }
    }
}

TEST_F(NoteStorageTest, LoadTellsWhyANoteCameInReadOnly) {
    FaultInjectingFileSystem files;
    files.Put("held.tmk", oldBytes);
    files.Put("protected.tmk", oldBytes);
    files.Put("free.tmk", oldBytes);
    files.SetReadOnly("protected.tmk");
    Note holder{nullptr, &clock};
    ASSERT_EQ(holder.Load(files, "held.tmk", false), LoadResult::kWritable);

    struct Case {
        const char* path;
        int result;
        bool holds;
    };
    for (const Case& c : {Case{"held.tmk", LoadResult::kHeldElsewhere, false},
                          Case{"protected.tmk", LoadResult::kReadOnly, false},
                          Case{"free.tmk", LoadResult::kWritable, true}}) {
        SCOPED_TRACE(c.path);
        Note loaded{nullptr, &clock};
        EXPECT_EQ(loaded.Load(files, c.path, false), c.result);
        EXPECT_EQ(SaveNoteToBytes(loaded), oldBytes) << "read either way";
        EXPECT_EQ(loaded.File().IsOpen(), c.holds);
    }
}

TEST_F(NoteStorageTest, ADetachedLoadHoldsNothingAndIsRefusedByAHolder) {
    FaultInjectingFileSystem files;
    files.Put(kPath, oldBytes);
    Note reader{nullptr, &clock};
    ASSERT_EQ(reader.Load(files, kPath, true), LoadResult::kWritable);
    EXPECT_FALSE(reader.File().IsOpen());

    Note holder{nullptr, &clock};
    ASSERT_EQ(holder.Load(files, kPath, false), LoadResult::kWritable);
    EXPECT_EQ(CodeOf([&] { reader.Load(files, kPath, true); }), ErrorCode::kSharingViolation);
}

TEST_F(NoteStorageTest, WriteAccessFollowsTheHolder) {
    FaultInjectingFileSystem files;
    files.Put(kPath, oldBytes);
    Note first{nullptr, &clock};
    Note second{nullptr, &clock};
    ASSERT_EQ(first.Load(files, kPath, false), LoadResult::kWritable);
    ASSERT_EQ(second.Load(files, kPath, false), LoadResult::kHeldElsewhere);
    EXPECT_FALSE(second.AcquireWriteAccess(files, kPath));
    EXPECT_FALSE(second.File().IsOpen());

    first.ReleaseWriteAccess();
    EXPECT_FALSE(first.File().IsOpen());
    EXPECT_TRUE(second.AcquireWriteAccess(files, kPath));
    EXPECT_FALSE(first.AcquireWriteAccess(files, kPath));
    EXPECT_EQ(files.Bytes(kPath), oldBytes) << "taking write access changes nothing";
}

}  // namespace
}  // namespace tidemark
