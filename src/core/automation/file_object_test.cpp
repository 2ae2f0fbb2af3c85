#include "core/automation/file_object.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/automation/automation_fakes_for_test.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folder_services.h"
#include "platform/posix/temp_folder_for_test.h"

namespace tidemark {
namespace {

class FileObjectTest : public ::testing::Test {
protected:
    TempFolder folder;
    PosixFileSystem files;
    PosixFolderServices folders;

    std::shared_ptr<FileObject> make(const std::string& name) {
        return FileObject::Make(files, folders, name).Value();
    }
    static std::string Text(const std::vector<std::uint8_t>& bytes) {
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(FileObjectTest, AnEmptyNameMakesATemporaryFileInTheCurrentFolder) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));
    const auto made = FileObject::Make(files, folders, "");
    std::filesystem::current_path(before);
    ASSERT_TRUE(made.Ok());
    const std::string name = made.Value()->FileName().Value();
    const std::vector<std::string> names = folder.Names();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].rfind("tmk", 0), 0u);
    EXPECT_EQ(std::filesystem::path(name), std::filesystem::canonical(folder.Path(names[0])));
    EXPECT_EQ(made.Value()->Exist().Value(), FileObject::kFile);
}

TEST_F(FileObjectTest, ExistTellsFilesFromFolders) {
    WriteBytes(folder.Path("f.txt"), {'x'});
    EXPECT_EQ(make(folder.Path("f.txt"))->Exist().Value(), 1);
    EXPECT_EQ(make(folder.Path(""))->Exist().Value(), 2);
    EXPECT_EQ(make(folder.Path("none"))->Exist().Value(), 0);
}

TEST_F(FileObjectTest, WriteMakesMissingFoldersAndEndsLinesWithCrLf) {
    const std::string path = folder.Path("a/b/c.txt");
    const auto file = make(path);
    ASSERT_TRUE(file->Write("一行目\nsecond\r\nthird").Ok());
    EXPECT_EQ(Text(ReadBytes(path)), "\x88\xea\x8d\x73\x96\xda\r\nsecond\r\nthird");
    EXPECT_EQ(file->Read().Value(), "一行目\r\nsecond\r\nthird");
    ASSERT_TRUE(file->Write("short").Ok());  // replaces, not appends
    EXPECT_EQ(Text(ReadBytes(path)), "short");
}

TEST_F(FileObjectTest, WriteFailuresRaise20045WithTheCode) {
    WriteBytes(folder.Path("plain"), {'x'});
    struct Case {
        std::string path;
        std::int64_t code;
    };
    const std::string deep = folder.Path(std::string(260, 'd'));
    for (const Case& c : {Case{folder.Path("plain/inside.txt"), 3},  // a file on the way
                          Case{deep.substr(0, 260), 161}}) {
        const Status refused = make(c.path)->Write("x");
        ASSERT_FALSE(refused.Ok()) << c.path;
        EXPECT_EQ(refused.Error().stringId, 20045u);
        EXPECT_EQ(refused.Error().code, c.code);
    }
    const Status folderAsFile = make(folder.Path(""))->Write("x");
    ASSERT_FALSE(folderAsFile.Ok());
    EXPECT_EQ(folderAsFile.Error().code, 5);
    EXPECT_EQ(ErrorOf(make(folder.Path("u.txt"))->Write("\xF0\x9F\x98\x80")), 20100u);
    EXPECT_EQ(make(folder.Path("u.txt"))->Exist().Value(), 0);
}

TEST_F(FileObjectTest, ReadAndDeleteOfAMissingFileRaiseWithNameAndCode) {
    const std::string path = folder.Path("gone.txt");
    const auto file = make(path);
    const auto read = file->Read();
    ASSERT_FALSE(read.Ok());
    EXPECT_EQ(read.Error().Message(),
              "\"" + path + "\"というファイルの読み込みに失敗しました。(2)");
    const Status removed = file->Delete();
    ASSERT_FALSE(removed.Ok());
    EXPECT_EQ(removed.Error().Message(), "\"" + path + "\"というファイルの削除に失敗しました。(2)");

    WriteBytes(path, {'x'});
    ASSERT_TRUE(file->Delete().Ok());
    EXPECT_EQ(file->Exist().Value(), 0);
}

}  // namespace
}  // namespace tidemark
