#include "app/textio/text_export_command.h"
#include "app/common/export_formats.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/error_code.h"
#include "core/file/fault_injecting_file_system_for_test.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

TEST(TextExportTest, ProposesTheNotePathWithTheExtensionOfItsNameReplaced) {
    const struct {
        const char* notePath;
        const char* proposed;
    } cases[] = {
        {"", ""},
        {"/home/u/diary.tmk", "/home/u/diary.txt"},
        {"/home/u/diary.2024.tmk", "/home/u/diary.2024.txt"},
        {"/home/u/diary", "/home/u/diary"},
        // The dot of a folder's name is no extension.
        {"/home/u.v/diary", "/home/u.v/diary"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notePath);
        EXPECT_EQ(proposedExportPath(QString::fromUtf8(c.notePath)), QString::fromUtf8(c.proposed));
    }
}

class TextExportToFileTest : public NoteFixture {
protected:
    void SetUp() override {
        NoteFixture::SetUp();
        const ItemId memo = AddMemo(note, root, "a");
        static_cast<Memo*>(note.FindItem(memo))->SetRawBody(ByteString("1"));
        const ItemId group = AddGroup(note, root, "g");
        static_cast<Memo*>(note.FindItem(AddMemo(note, group, "b")))->SetRawBody(ByteString("2"));
        settings.MemoFormat = ByteString("%h=%s;");
        settings.GroupFormat = ByteString("[%h:%s]");
    }

    static std::string writtenIn(const FaultInjectingFileSystem& files) {
        const std::optional<MemoryBlock> bytes = files.Bytes(kPath);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(no file)");
    }

    static constexpr const char* kPath = "/out/note.txt";
    Settings settings;
};

TEST_F(TextExportToFileTest, WritesTheWholeNoteThroughTheSettingsTemplates) {
    FaultInjectingFileSystem files;
    files.Put(kPath, MemoryBlock{'o', 'l', 'd', ' ', 't', 'e', 'x', 't', ' ', 'l', 'o', 'n', 'g'});
    EXPECT_EQ(exportNoteToFile(note, exportFormatsOf(settings), files, kPath), 0u);
    EXPECT_EQ(writtenIn(files), "a=1;[g:b=2;]");
}

TEST_F(TextExportToFileTest, FirstFailureIsReturnedAndWhatWasWrittenStays) {
    using Op = FaultInjectingFileSystem::Op;
    const struct {
        const char* name;
        Op op;  // kCount: no fault, the disk fills up after four bytes
        std::uint32_t code;
        const char* left;
    } cases[] = {
        {"open", Op::kOpen, ErrorCode::kAccessDenied, "(no file)"},
        {"write", Op::kWrite, ErrorCode::kAccessDenied, ""},
        {"sync on close", Op::kSync, ErrorCode::kDiskFull, "a=1;[g:b=2;]"},
        {"disk full", Op::kCount, ErrorCode::kDiskFull, "a=1;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultInjectingFileSystem files;
        if (c.op == Op::kCount) {
            files.SetFreeSpace(4);
        } else {
            files.FailNth(c.op, 1, c.code);
        }
        EXPECT_EQ(exportNoteToFile(note, exportFormatsOf(settings), files, kPath), c.code);
        EXPECT_EQ(writtenIn(files), c.left);
    }
}

}  // namespace
