#include "core/file/buffered_file.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "core/common/error_code.h"
#include "core/file/fault_injecting_file_system_for_test.h"
#include "core/file/note_file.h"

namespace tidemark {
namespace {

using Op = FaultInjectingFileSystem::Op;
using State = BufferedFile::State;

MemoryBlock Counting(std::size_t size) {
    MemoryBlock bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

TEST(BufferedFile, SmallWritesReachTheFileInWholeBuffers) {
    FaultInjectingFileSystem files;
    BufferedFile file(&files, "a");
    ASSERT_EQ(file.OpenWrite(), 0u);
    const MemoryBlock bytes = Counting(20000);
    for (std::uint8_t b : bytes) ASSERT_EQ(file.Write(&b, 1), 0u);
    EXPECT_EQ(files.WriteSizes(), (std::vector<std::size_t>{8192, 8192}));
    ASSERT_EQ(file.Close(), 0u);
    EXPECT_EQ(files.WriteSizes(), (std::vector<std::size_t>{8192, 8192, 3616}));
    EXPECT_EQ(files.Bytes("a"), bytes);
    EXPECT_EQ(files.Calls(Op::kSync), 1) << "closing a written file makes it durable";
}

TEST(BufferedFile, TransfersOfABufferOrMoreBypassIt) {
    FaultInjectingFileSystem files;
    BufferedFile file(&files, "a");
    ASSERT_EQ(file.OpenWrite(), 0u);
    const MemoryBlock bytes = Counting(3 + 20000 + 5 + 8191 + 10);
    const std::uint8_t* p = bytes.data();
    ASSERT_EQ(file.Write(p, 3), 0u);
    ASSERT_EQ(file.Write(p + 3, 20000), 0u);  // tops up the buffer, the rest goes straight out
    ASSERT_EQ(file.Write(p + 20003, 5), 0u);
    ASSERT_EQ(file.Write(p + 20008, 8191), 0u);  // 5 + 8191 fill the buffer; 4 wait
    ASSERT_EQ(file.Write(p + 28199, 10), 0u);
    ASSERT_EQ(file.Close(), 0u);
    EXPECT_EQ(files.WriteSizes(), (std::vector<std::size_t>{8192, 11811, 8192, 14}));
    EXPECT_EQ(files.Bytes("a"), bytes);

    ASSERT_EQ(file.OpenRead(), 0u);
    MemoryBlock back(bytes.size());
    ASSERT_EQ(file.Read(back.data(), 10), 0u);
    EXPECT_EQ(file.Remaining(), bytes.size() - 10);
    ASSERT_EQ(file.Read(back.data() + 10, 20000), 0u);
    EXPECT_EQ(file.Remaining(), bytes.size() - 20010);
    ASSERT_EQ(file.Read(back.data() + 20010, bytes.size() - 20010), 0u);
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(file.Remaining(), 0u);
    std::uint8_t extra = 0;
    EXPECT_EQ(file.Read(&extra, 1), ErrorCode::kHandleEof);
}

TEST(BufferedFile, ReadingPastTheEndFailsWith38) {
    FaultInjectingFileSystem files;
    files.Put("a", Counting(100));
    BufferedFile file(&files, "a");
    ASSERT_EQ(file.OpenRead(), 0u);
    MemoryBlock back(101);
    EXPECT_EQ(file.Read(back.data(), 101), ErrorCode::kHandleEof);
}

TEST(BufferedFile, OneOpenEitherReadsOrWrites) {
    FaultInjectingFileSystem files;
    files.Put("a", Counting(10));
    std::uint8_t b = 0;
    NoteFile file(&files, "a");  // read-write underneath: the direction rule alone refuses
    ASSERT_EQ(file.OpenWrite(), 0u);
    ASSERT_EQ(file.Read(&b, 1), 0u);
    EXPECT_EQ(file.Write(&b, 1), ErrorCode::kInvalidFunction);
    file.Close();
    ASSERT_EQ(file.OpenWrite(), 0u);
    ASSERT_EQ(file.Write(&b, 1), 0u);
    EXPECT_EQ(file.Read(&b, 1), ErrorCode::kInvalidFunction);
}

TEST(BufferedFile, WithoutNameFileSystemOrOpenFileOperationsFailWith87) {
    FaultInjectingFileSystem files;
    std::uint8_t b = 0;
    BufferedFile noName(&files, "");
    EXPECT_EQ(noName.OpenRead(), ErrorCode::kInvalidParameter);
    EXPECT_EQ(noName.OpenWrite(), ErrorCode::kInvalidParameter);
    BufferedFile noFiles(nullptr, "a");
    EXPECT_EQ(noFiles.OpenWrite(), ErrorCode::kInvalidParameter);
    BufferedFile closed(&files, "a");
    EXPECT_EQ(closed.Write(&b, 1), ErrorCode::kInvalidParameter);
    EXPECT_EQ(closed.Read(&b, 1), ErrorCode::kInvalidParameter);
    EXPECT_EQ(closed.Flush(), ErrorCode::kInvalidParameter);
    EXPECT_EQ(closed.Close(), 0u);
    EXPECT_EQ(files.Paths(), std::vector<std::string>{});
}

TEST(BufferedFile, AFailedWriteOfTheTailIsReportedByClose) {
    FaultInjectingFileSystem files;
    BufferedFile file(&files, "a");
    ASSERT_EQ(file.OpenWrite(), 0u);
    const MemoryBlock bytes = Counting(100);
    ASSERT_EQ(file.Write(bytes.data(), bytes.size()), 0u);
    files.FailNth(Op::kWrite, 1, ErrorCode::kDiskFull);
    EXPECT_EQ(file.Close(), ErrorCode::kDiskFull);
    EXPECT_FALSE(file.IsOpen());
}

// Transient opens hold the file for their duration: a reader shares it with
// other readers, a writer with no one, and a refused writer truncates nothing.
TEST(BufferedFile, TransientOpensExcludeEachOtherAndTheHolder) {
    FaultInjectingFileSystem files;
    const MemoryBlock bytes = Counting(50);
    files.Put("a", bytes);

    BufferedFile reader1(&files, "a");
    BufferedFile reader2(&files, "a");
    BufferedFile writer(&files, "a");
    ASSERT_EQ(reader1.OpenRead(), 0u);
    EXPECT_EQ(reader2.OpenRead(), 0u);
    EXPECT_EQ(writer.OpenWrite(), ErrorCode::kSharingViolation);
    EXPECT_EQ(files.Bytes("a"), bytes);
    reader1.Close();
    reader2.Close();

    NoteFile holder(&files, "a");
    ASSERT_EQ(holder.OpenWrite(), 0u);
    ASSERT_EQ(holder.GetState(), State::kWriting);
    EXPECT_EQ(reader1.OpenRead(), ErrorCode::kSharingViolation);
    EXPECT_EQ(writer.OpenWrite(), ErrorCode::kSharingViolation);
    EXPECT_EQ(files.Bytes("a"), bytes);
    holder.Close();
    EXPECT_EQ(writer.OpenWrite(), 0u);
    EXPECT_EQ(files.Bytes("a"), MemoryBlock{}) << "an exclusive write open empties the file";
}

TEST(NoteFileOpen, ARefusedReadWriteOpenFallsBackToReadOnlyAndRemembersWhy) {
    FaultInjectingFileSystem files;
    files.Put("held", Counting(10));
    files.Put("protected", Counting(10));
    files.SetReadOnly("protected");
    NoteFile holder(&files, "held");
    ASSERT_EQ(holder.OpenWrite(), 0u);

    struct Case {
        const char* path;
        State state;
        std::uint32_t readWriteError;
    };
    for (const Case& c : {Case{"held", State::kReading, ErrorCode::kSharingViolation},
                          Case{"protected", State::kReading, ErrorCode::kAccessDenied},
                          Case{"free", State::kWriting, 0}}) {
        SCOPED_TRACE(c.path);
        NoteFile file(&files, c.path);
        ASSERT_EQ(file.OpenWrite(), 0u);
        EXPECT_EQ(file.GetState(), c.state);
        EXPECT_EQ(file.ReadWriteError(), c.readWriteError);
    }
    EXPECT_EQ(files.Bytes("held"), Counting(10));
    EXPECT_EQ(files.Bytes("free"), MemoryBlock{}) << "a missing file is created";
}

TEST(NoteFileOpen, TheReadWriteOpenKeepsTheContentsAndAppendsAfterSeekToEnd) {
    FaultInjectingFileSystem files;
    files.Put("a", Counting(10));
    NoteFile file(&files, "a");
    ASSERT_EQ(file.OpenWrite(), 0u);
    EXPECT_EQ(file.Remaining(), 10u);
    ASSERT_EQ(file.SeekToEnd(), 0u);
    const std::uint8_t tail[] = {0xAA, 0xBB};
    ASSERT_EQ(file.Write(tail, 2), 0u);
    ASSERT_EQ(file.Close(), 0u);
    MemoryBlock expected = Counting(10);
    expected.insert(expected.end(), tail, tail + 2);
    EXPECT_EQ(files.Bytes("a"), expected);
}

TEST(NoteFileOpen, AMissingFileCannotBeOpenedReadOnly) {
    FaultInjectingFileSystem files;
    NoteFile file(&files, "missing");
    EXPECT_EQ(file.OpenRead(), ErrorCode::kFileNotFound);
    EXPECT_FALSE(file.IsOpen());
}

}  // namespace
}  // namespace tidemark
