#include "core/automation/note_service.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/automation/automation_fakes_for_test.h"
#include "core/file/file_system.h"
#include "core/model/note.h"
#include "core/settings/settings.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/temp_folder_for_test.h"

namespace tidemark {
namespace {

namespace C = AutomationConstant;

class NoteServiceTest : public ::testing::Test {
protected:
    TempFolder folder;
    PosixFileSystem files;
    Settings options;
    NoteService service{files, &options};

    // A handle of another process: it holds the file for writing.
    std::unique_ptr<FileHandle> hold(const std::string& path) {
        std::unique_ptr<FileHandle> handle;
        EXPECT_EQ(
            files.Open(path,
                       {FileAccess::kReadWrite, FileLock::kExclusive, FileDisposition::kOpenAlways},
                       handle),
            0u);
        return handle;
    }

    // A note file with one memo titled `title`, written by a note of its own.
    void writeNote(const std::string& path, const std::string& title) {
        auto made = service.New().Value();
        ASSERT_TRUE(made->GetRootItem()
                        .Value()
                        ->NewItem(C::kMemo, C::kChild)
                        .Value()
                        ->SetTitle(title)
                        .Ok());
        ASSERT_TRUE(made->SaveAs(path).Ok());
    }

    std::string firstTitle(const std::shared_ptr<NoteObject>& note) {
        return note->GetRootItem().Value()->GetItem(C::kChild).Value()->Title().Value();
    }
};

TEST_F(NoteServiceTest, NewGivesAnOpenRootGroupAndNoPath) {
    EXPECT_EQ(service.Version(), 1005);
    auto note = service.New().Value();
    EXPECT_TRUE(note->IsDetached());
    auto root = std::dynamic_pointer_cast<ItemNodeObject>(note->GetRootItem().Value());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Type().Value(), C::kRoot);
    EXPECT_EQ(root->GetChildItemCount().Value(), 0);
    EXPECT_EQ(note->FileName().Value(), "");
    EXPECT_EQ(ErrorOf(note->Save()), 20092u);
    EXPECT_EQ(ErrorOf(note->GetFocusItem()), 20049u);
    EXPECT_EQ(ErrorOf(note->GetSelectedItem(0)), 20050u);
    EXPECT_EQ(note->GetSelectedItemCount().Value(), 0);
}

TEST_F(NoteServiceTest, SaveAsWritesTheNoteAndTakesItsPath) {
    const std::string path = folder.Path("saved.tmk");
    auto note = service.New().Value();
    ItemHandle m = note->GetRootItem().Value()->NewItem(C::kMemo, C::kChild).Value();
    ASSERT_TRUE(m->SetTitle("最初").Ok());
    ASSERT_TRUE(note->SaveAs(path).Ok());
    EXPECT_EQ(note->FileName().Value(), path);
    ASSERT_TRUE(m->SetTitle("二番目").Ok());
    ASSERT_TRUE(note->Save().Ok());
    m.reset();  // the last references: the note goes and lets go of its file
    note.reset();

    auto reopened = service.Open(path);
    ASSERT_TRUE(reopened.Ok()) << reopened.Error().Message();
    EXPECT_EQ(firstTitle(reopened.Value()), "二番目");
    EXPECT_EQ(reopened.Value()->FileName().Value(), path);
    reopened = service.New();  // lets go of the file again

    Note model;
    model.Load(files, path, true);
    const Item* root = model.FindItem(model.RootId());
    EXPECT_EQ(root->Title(), ByteString("\x83\x6d\x81\x5b\x83\x67\x96\x7b\x91\xcc"));  // ノート本体
    EXPECT_TRUE(root->IsOpen());
}

TEST_F(NoteServiceTest, OpenRaisesTheMessageOfTheLoadError) {
    const std::string notANote = folder.Path("plain.txt");
    WriteBytes(notANote, {'h', 'e', 'l', 'l', 'o', '!', '!', '!'});
    struct Case {
        std::string path;
        std::uint32_t error;
    };
    for (const Case& c : {Case{folder.Path("missing.tmk"), 20005},
                          Case{folder.Path("no/such/folder.tmk"), 20006}, Case{notANote, 20010}}) {
        const auto refused = service.Open(c.path);
        ASSERT_FALSE(refused.Ok()) << c.path;
        EXPECT_EQ(refused.Error().stringId, c.error) << c.path;
        EXPECT_EQ(refused.Error().argument, c.path);
    }
}

TEST_F(NoteServiceTest, AFileHeldElsewhereOpensAsInUse) {
    const std::string path = folder.Path("held.tmk");
    writeNote(path, "x");
    const auto holder = hold(path);
    const auto refused = service.Open(path);
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().stringId, 20030u);
}

TEST_F(NoteServiceTest, SavingOverAFileAnotherProcessHoldsRaises20096) {
    const std::string path = folder.Path("taken.tmk");
    writeNote(path, "theirs");
    auto note = service.New().Value();
    const auto holder = hold(path);
    EXPECT_EQ(ErrorOf(note->SaveAs(path)), 20096u);
    EXPECT_EQ(note->FileName().Value(), "");
    holder->Close();
    auto kept = service.Open(path);
    ASSERT_TRUE(kept.Ok());
    EXPECT_EQ(firstTitle(kept.Value()), "theirs");
}

TEST_F(NoteServiceTest, AnOpenedNoteHoldsItsFileAgainstOtherWriters) {
    const std::string path = folder.Path("mine.tmk");
    writeNote(path, "x");
    auto mine = service.Open(path).Value();
    auto other = service.New().Value();
    EXPECT_EQ(ErrorOf(other->SaveAs(path)), 20096u);
    EXPECT_TRUE(mine->Save().Ok());
    mine.reset();

    options.NoExclusiveOpen = 1;  // read and written without holding the file
    auto loose = service.Open(path).Value();
    EXPECT_TRUE(other->SaveAs(path).Ok());
    EXPECT_TRUE(loose->Save().Ok());
}

TEST_F(NoteServiceTest, SaveAsIntoAMissingFolderLeavesNothingBehind) {
    auto note = service.New().Value();
    const std::string path = folder.Path("absent/n.tmk");
    const Status refused = note->SaveAs(path);
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().stringId, 20006u);
    EXPECT_EQ(note->FileName().Value(), "");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(NoteServiceTest, ADetachedNoteTellsNoWindowOfItsChanges) {
    FakeWindow window;
    WindowAutomation automation(window);
    auto note = service.New().Value();
    ItemHandle m = note->GetRootItem().Value()->NewItem(C::kMemo, C::kChild).Value();
    ASSERT_TRUE(m->SetTitle("t").Ok());
    ASSERT_TRUE(note->SetRemarks("caption").Ok());
    ASSERT_TRUE(m->DeleteItem().Ok());
    EXPECT_EQ(window.host.modifiedMarks, 0);
    EXPECT_TRUE(m->IsDeleted().Value());
}

}  // namespace
}  // namespace tidemark
