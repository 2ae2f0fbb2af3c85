// Loading and saving real files, and the hold on a note between processes.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/common/cp932_codec.h"
#include "core/common/error_code.h"
#include "core/file/buffered_file.h"
#include "core/file/note_bytes.h"
#include "core/file/note_storage.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/temp_folder_for_test.h"

namespace tidemark {
namespace {

using Names = std::vector<std::string>;

void BuildNote(Note& note, const std::string& word) {
    note.MakeNew(ByteString(Utf8ToCp932("ノート").bytes));
    const ItemId group = AddGroup(note, note.RootId(), Utf8ToCp932("予定").bytes);
    for (int i = 0; i < 50; ++i) {
        const ItemId id = AddMemo(note, group, Utf8ToCp932(word + std::to_string(i)).bytes);
        static_cast<Memo*>(note.FindItem(id))
            ->SetRawBody(ByteString(Utf8ToCp932("本文の一行目\r\n二行目：" + word).bytes));
    }
}

std::uint32_t CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const IoError& e) {
        return e.Code();
    }
    return 0;
}

// Runs `body` in a child process and returns its result (0 to 255).
int RunInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class NoteStoragePosixTest : public ::testing::Test {
protected:
    NoteStoragePosixTest() {
        BuildNote(note, "新しい");
        Note old{nullptr, &clock};
        BuildNote(old, "古い");
        oldBytes = SaveNoteToBytes(old);
        WriteBytes(path, oldBytes);
    }

    FixedClock clock{MakeTime(2024, 3, 1, 9, 30, 0)};
    PosixFileSystem files;
    TempFolder folder;
    const std::string path = folder.Path("メモ.tmk");
    Note note{nullptr, &clock};
    MemoryBlock oldBytes;
};

TEST_F(NoteStoragePosixTest, ASavedNoteLoadsBackAndLeavesOnlyItsFile) {
    for (bool detached : {false, true}) {
        SCOPED_TRACE(detached ? "detached" : "attached");
        note.Save(files, path, detached);
        note.ReleaseWriteAccess();
        EXPECT_EQ(ReadBytes(path), SaveNoteToBytes(note));
        EXPECT_EQ(folder.Names(), Names{"メモ.tmk"});

        Note loaded{nullptr, &clock};
        EXPECT_EQ(loaded.Load(files, path, detached), LoadResult::kWritable);
        EXPECT_EQ(SaveNoteToBytes(loaded), SaveNoteToBytes(note));
    }
}

TEST_F(NoteStoragePosixTest, AStaleBackupStaysAndTheFileIsStillWritten) {
    WriteBytes(folder.Path("メモ.tmk.tmp"), {'o', 'l', 'd'});
    note.Save(files, path, false);
    EXPECT_EQ(ReadBytes(path), SaveNoteToBytes(note));
    EXPECT_EQ(ReadBytes(folder.Path("メモ.tmk.tmp")), (MemoryBlock{'o', 'l', 'd'}));
    EXPECT_EQ(folder.Names(), (Names{"メモ.tmk", "メモ.tmk.tmp"}));
}

TEST_F(NoteStoragePosixTest, AFailedSaveIntoAMissingFolderChangesNothing) {
    const std::string elsewhere = folder.Path("gone/メモ.tmk");
    EXPECT_EQ(CodeOf([&] { note.Save(files, elsewhere, false); }), ErrorCode::kPathNotFound);
    EXPECT_EQ(folder.Names(), Names{"メモ.tmk"});
}

// Another process holds the note: this one reads it but cannot write it,
// until the holder goes.
TEST_F(NoteStoragePosixTest, AHolderInAnotherProcessMakesTheNoteReadOnly) {
    int ready[2];
    int done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        Note held{nullptr, &clock};
        const char result = held.Load(files, path, false) == LoadResult::kWritable ? 'h' : 'x';
        (void)!::write(ready[1], &result, 1);
        char ignored;
        (void)!::read(done[0], &ignored, 1);
        ::_exit(0);
    }
    char result = 0;
    ASSERT_EQ(::read(ready[0], &result, 1), 1);
    ASSERT_EQ(result, 'h');

    Note mine{nullptr, &clock};
    EXPECT_EQ(mine.Load(files, path, false), LoadResult::kHeldElsewhere);
    EXPECT_EQ(SaveNoteToBytes(mine), oldBytes) << "read all the same";
    EXPECT_FALSE(mine.AcquireWriteAccess(files, path));
    EXPECT_EQ(CodeOf([&] { mine.Load(files, path, true); }), ErrorCode::kSharingViolation);
    for (bool detached : {false, true}) {
        EXPECT_EQ(CodeOf([&] { note.Save(files, path, detached); }), ErrorCode::kSharingViolation);
    }
    EXPECT_EQ(ReadBytes(path), oldBytes);
    EXPECT_EQ(folder.Names(), Names{"メモ.tmk"});

    ASSERT_EQ(::write(done[1], "q", 1), 1);
    int status = 0;
    ::waitpid(holder, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_TRUE(mine.AcquireWriteAccess(files, path)) << "the holder is gone";
    for (int fd : {ready[0], ready[1], done[0], done[1]}) ::close(fd);
}

// The file that an attached save leaves behind is held as well: the lock
// moves to the new file.
TEST_F(NoteStoragePosixTest, AfterAnAttachedSaveOtherProcessesOpenTheNoteReadOnly) {
    note.Save(files, path, false);
    note.Save(files, path, false);  // the holder saves again
    const int loadResult = RunInChild([&] {
        Note other{nullptr, &clock};
        return other.Load(files, path, false);
    });
    EXPECT_EQ(loadResult, LoadResult::kHeldElsewhere);
    const int saveCode = RunInChild([&] {
        Note other{nullptr, &clock};
        other.MakeNew(ByteString("x"));
        return static_cast<int>(CodeOf([&] { other.Save(files, path, true); }));
    });
    EXPECT_EQ(saveCode, static_cast<int>(ErrorCode::kSharingViolation));

    note.ReleaseWriteAccess();
    EXPECT_EQ(RunInChild([&] {
                  Note other{nullptr, &clock};
                  return other.Load(files, path, false);
              }),
              LoadResult::kWritable);
}

TEST_F(NoteStoragePosixTest, AReadOnlyFileLoadsReadOnlyForItsOwnReason) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(note.Load(files, path, false), LoadResult::kReadOnly);
    EXPECT_FALSE(note.File().IsOpen());
}

}  // namespace
}  // namespace tidemark
