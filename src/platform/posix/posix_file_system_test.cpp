#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "core/common/error_code.h"
#include "core/file/buffered_file.h"
#include "core/file/note_file.h"
#include "platform/posix/errno_codes.h"
#include "platform/posix/temp_folder_for_test.h"

namespace tidemark {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ErrnoCodes, SystemErrorsBecomeTheCodesMessagesAreChosenBy) {
    struct Case {
        int error;
        std::uint32_t code;
    };
    const Case cases[] = {
        {ENOENT, 2},
        {ENOTDIR, 3},
        {EACCES, 5},
        {EPERM, 5},
        {EROFS, 5},
        {ENOMEM, 8},
        {ENOSPC, 112},
        {EDQUOT, 112},
        {ENAMETOOLONG, 123},
        {EEXIST, 183},
        {EIO, 1117},
        {ENOLINK, 0x20000000u + ENOLINK},  // no counterpart: kept apart from the system's codes
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorCodeFromErrno(c.error), c.code) << c.error;
}

class PosixFileSystemTest : public ::testing::Test {
protected:
    std::uint32_t OpenCode(const std::string& path, FileOpenMode mode) {
        std::unique_ptr<FileHandle> handle;
        return files.Open(path, mode, handle);
    }

    PosixFileSystem files;
    TempFolder folder;
};

TEST_F(PosixFileSystemTest, OpenAndStatReportWhyAPathIsUnusable) {
    WriteBytes(folder.Path("plain"), {1, 2, 3});
    struct Case {
        std::string path;
        std::uint32_t code;
    };
    const Case cases[] = {
        {folder.Path("missing"), ErrorCode::kFileNotFound},
        {folder.Path("no-folder/file"), ErrorCode::kPathNotFound},
        {folder.Path("plain/file"), ErrorCode::kPathNotFound},  // a file used as a folder
        {folder.Path(std::string("bad\0name", 8)), ErrorCode::kInvalidName},
        {folder.Path(std::string(300, 'n')), ErrorCode::kInvalidName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(OpenCode(c.path, {}), c.code);
        EXPECT_EQ(files.Stat(c.path), c.code);
    }
    EXPECT_EQ(files.Stat(folder.Path("plain")), 0u);
    EXPECT_EQ(files.Stat(folder.Path("")), 0u) << "a folder exists too";
    EXPECT_EQ(OpenCode(folder.Path(""), {}), ErrorCode::kAccessDenied) << "but is no file";
}

TEST_F(PosixFileSystemTest, MoveNeverReplacesTheTarget) {
    const std::string a = folder.Path("a");
    const std::string b = folder.Path("b");
    WriteBytes(a, {1});
    WriteBytes(b, {2});
    EXPECT_EQ(files.MoveNoReplace(a, b), FileSystem::kAlreadyExists);
    EXPECT_EQ(ReadBytes(a), Bytes{1});
    EXPECT_EQ(ReadBytes(b), Bytes{2});

    ASSERT_EQ(files.Remove(b), 0u);
    EXPECT_EQ(files.MoveNoReplace(a, b), 0u);
    EXPECT_EQ(ReadBytes(b), Bytes{1});
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"b"});
    EXPECT_EQ(files.MoveNoReplace(a, b), ErrorCode::kFileNotFound);
    EXPECT_EQ(files.Remove(a), ErrorCode::kFileNotFound);
}

TEST_F(PosixFileSystemTest, AHeldFileIsNeitherMovedNorTruncated) {
    const std::string path = folder.Path("held");
    WriteBytes(path, {1, 2, 3});
    NoteFile holder(&files, path);
    ASSERT_EQ(holder.OpenWrite(), 0u);
    ASSERT_EQ(holder.GetState(), BufferedFile::State::kWriting);

    EXPECT_EQ(files.MoveNoReplace(path, folder.Path("moved")), ErrorCode::kSharingViolation);
    BufferedFile writer(&files, path);
    EXPECT_EQ(writer.OpenWrite(), ErrorCode::kSharingViolation);
    BufferedFile reader(&files, path);
    EXPECT_EQ(reader.OpenRead(), ErrorCode::kSharingViolation);
    NoteFile second(&files, path);
    ASSERT_EQ(second.OpenWrite(), 0u);
    EXPECT_EQ(second.GetState(), BufferedFile::State::kReading);
    EXPECT_EQ(second.ReadWriteError(), ErrorCode::kSharingViolation);
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"held"});

    second.Close();
    holder.Close();
    EXPECT_EQ(writer.OpenWrite(), 0u);
    EXPECT_EQ(ReadBytes(path), Bytes{}) << "free again, the write open empties it";
}

TEST_F(PosixFileSystemTest, ReadersShareAFileAndKeepWritersOut) {
    const std::string path = folder.Path("f");
    WriteBytes(path, {7});
    BufferedFile reader1(&files, path);
    BufferedFile reader2(&files, path);
    ASSERT_EQ(reader1.OpenRead(), 0u);
    EXPECT_EQ(reader2.OpenRead(), 0u);
    NoteFile note(&files, path);
    ASSERT_EQ(note.OpenWrite(), 0u);
    EXPECT_EQ(note.GetState(), BufferedFile::State::kReading);
    std::uint8_t byte = 0;
    EXPECT_EQ(reader2.Read(&byte, 1), 0u);
    EXPECT_EQ(byte, 7);
    EXPECT_EQ(reader2.Remaining(), 0u);
}

TEST_F(PosixFileSystemTest, WrittenBytesArriveThroughTheBuffer) {
    const std::string path = folder.Path("big");
    Bytes bytes(100000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 253);
    BufferedFile file(&files, path);
    ASSERT_EQ(file.OpenWrite(), 0u);
    ASSERT_EQ(file.Write(bytes.data(), 10), 0u);
    ASSERT_EQ(file.Write(bytes.data() + 10, 50000), 0u);
    for (std::size_t i = 50010; i < bytes.size(); ++i) ASSERT_EQ(file.Write(&bytes[i], 1), 0u);
    ASSERT_EQ(file.Close(), 0u);
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(files.SyncFolderOf(path), 0u);
}

}  // namespace
}  // namespace tidemark
