#include "core/textio/text_exporter.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/cp932_codec.h"
#include "core/common/error_code.h"
#include "core/file/global_memory_stream.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item_lock.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8).bytes;
}

Memo& MemoAt(Note& note, ItemId id) {
    return dynamic_cast<Memo&>(*note.FindItem(id));
}

// Accepts writes until `capacity` bytes have been taken; the write that would pass it fails
// with "disk full", and so does every later one, which is counted.
class FullDiskStream : public ByteStream {
public:
    explicit FullDiskStream(std::size_t capacity) : m_capacity(capacity) {}
    std::uint32_t OpenRead() override { return ErrorCode::kInvalidFunction; }
    std::uint32_t OpenWrite() override { return 0; }
    std::uint32_t Close() override { return 0; }
    std::uint32_t Read(void*, std::size_t) override { return ErrorCode::kInvalidFunction; }
    std::uint32_t Flush() override { return 0; }
    std::uint32_t Write(const void* bytes, std::size_t count) override {
        if (failed || written.size() + count > m_capacity) {
            if (failed)
                ++writesAfterFailure;
            failed = true;
            return ErrorCode::kDiskFull;
        }
        written.append(static_cast<const char*>(bytes), count);
        return 0;
    }

    std::string written;
    bool failed = false;
    int writesAfterFailure = 0;

private:
    std::size_t m_capacity;
};

class TextExporterTest : public ::testing::Test {
protected:
    FixedClock clock{MakeTime(2004, 5, 6, 13, 45, 7)};
    Note note{nullptr, &clock};
    ItemId root = kNoItem;
    const ExportFormats defaults = ExportFormats::Defaults();
    const ExportFormats compact{ExportTemplate("(%h:%s)"), ExportTemplate("[%h{%s}]")};

    void SetUp() override {
        note.MakeNew(ByteString(Sjis("ノート本体")));
        root = note.RootId();
    }

    std::string ExportWholeNote(const ExportFormats& formats) {
        GlobalMemoryStream stream;
        EXPECT_EQ(stream.OpenWrite(), 0u);
        EXPECT_EQ(ExportNote(note, formats, stream), 0u);
        stream.Close();
        const MemoryBlock block = stream.Detach();
        return std::string(block.begin(), block.end());
    }

    // A locked group holding one memo, shut the way a loaded note has it.
    ItemId AddClosedLockedGroup(const std::string& title) {
        const ItemId group = AddGroup(note, root, title);
        const ItemId memo = AddMemo(note, group, "secret memo");
        MemoAt(note, memo).SetRawBody(ByteString("secret body"));
        note.FindItem(group)->SetRawFlags(ItemFlags::kLocked);
        note.SetLockOwner(group, group, true);
        EXPECT_TRUE(EncryptGroupContents(note, group, ByteString("pass")));
        note.FindItem(group)->SetOpen(false);
        return group;
    }
};

TEST_F(TextExporterTest, DefaultTemplatesWriteTheNoteFromTheRootsFirstChild) {
    const ItemId shopping = AddMemo(note, root, Sjis("買い物"));
    MemoAt(note, shopping).SetRawBody(ByteString(Sjis("牛乳\r\nパン")));
    const ItemId work = AddGroup(note, root, Sjis("仕事"));
    const ItemId meeting = AddMemo(note, work, Sjis("会議"));
    note.FindItem(meeting)->SetRemarks(ByteString("3F"));
    note.FindItem(meeting)->SetRawModifiedTime(MakeTime(2010, 12, 31, 9, 5, 59));

    const std::string rule(48, '-');
    const std::string expected =
        // A memo without remarks: the fourth line is the caption, a colon and a blank.
        rule + "\r\n" + Sjis("表題: 買い物\r\n更新日時: 2004/05/06 13:45\r\n備考: \r\n") + rule +
        "\r\n" + Sjis("牛乳\r\nパン") + "\r\n" +
        Sjis(">>>>> メモグループ: 仕事 >>>>>>>>>>>>>>>>>>>>\r\n") + rule + "\r\n" +
        Sjis("表題: 会議\r\n更新日時: 2010/12/31 9:05\r\n備考: 3F\r\n") + rule + "\r\n" + "\r\n" +
        "\r\n" + Sjis("<<<<<<<<<<<<<<<<<<<< メモグループ: 仕事 <<<<<\r\n") + "\r\n";
    EXPECT_EQ(ExportWholeNote(defaults), expected);
}

TEST_F(TextExporterTest, TheModifiedTimeFollowsTheGivenPictures) {
    const ItemId memo = AddMemo(note, root, "a");
    note.FindItem(memo)->SetRawModifiedTime(MakeTime(2010, 12, 31, 9, 5, 59));
    const struct {
        const char* date;
        const char* time;
        std::string expected;
    } cases[] = {
        {"M/d/yy", "h:mm tt", "(12/31/10 9:05 " + Sjis("午前") + ")"},
        {"dd.MM.yyyy", "HH:mm", "(31.12.2010 09:05)"},
    };
    for (const auto& c : cases) {
        ExportFormats formats{ExportTemplate("(%m)"), ExportTemplate("[%h]")};
        formats.datePicture = c.date;
        formats.timePicture = c.time;
        EXPECT_EQ(ExportWholeNote(formats), c.expected) << c.date;
    }
}

TEST_F(TextExporterTest, AClosedLockedGroupWritesItsOwnLinesAndNothingInside) {
    AddClosedLockedGroup(Sjis("秘密"));
    const std::string expected = Sjis(">>>>> メモグループ: 秘密 >>>>>>>>>>>>>>>>>>>>\r\n") +
                                 "\r\n" +
                                 Sjis("<<<<<<<<<<<<<<<<<<<< メモグループ: 秘密 <<<<<\r\n") + "\r\n";
    EXPECT_EQ(ExportWholeNote(defaults), expected);
}

TEST_F(TextExporterTest, LockedGroupsWriteTheirContentsOnlyWhileTheirPasswordIsHeld) {
    const ItemId locked = AddClosedLockedGroup("L");
    AddMemo(note, root, "after");
    EXPECT_EQ(ExportWholeNote(compact), "[L{}](after:)");

    ASSERT_TRUE(DecryptGroupContents(note, locked, ByteString("pass")));
    note.FindItem(locked)->SetPassword(ByteString("pass"));
    note.FindItem(locked)->SetOpen(true);
    EXPECT_EQ(ExportWholeNote(compact), "[L{(secret memo:secret body)}](after:)");

    // Closing a group that carries no lock hides nothing from the export.
    const ItemId plain = AddGroup(note, root, "P");
    AddMemo(note, plain, "m");
    note.FindItem(plain)->SetOpen(false);
    EXPECT_EQ(ExportWholeNote(compact), "[L{(secret memo:secret body)}](after:)[P{(m:)}]");

    // Forgetting the password shuts the group for the export, even over contents that are
    // still plain.
    note.FindItem(locked)->ForgetPassword();
    EXPECT_EQ(ExportWholeNote(compact), "[L{}](after:)[P{(m:)}]");
}

TEST_F(TextExporterTest, ReferencesAreWrittenWithTheirTargetsData) {
    const ItemId memo = AddMemo(note, root, "M");
    MemoAt(note, memo).SetRawBody(ByteString("body"));
    const ItemId group = AddGroup(note, root, "G");
    const ItemId inner = AddMemo(note, group, "inner");
    AddMemo(note, group, "not selected");
    const ItemId locked = AddClosedLockedGroup("L");
    const ItemId encrypted = note.FindItem(locked)->links.firstChild;

    // A working tree as a selection builds it: references chained outside the root's tree,
    // a group's reference holding references of the children that go with it.
    auto reference = [&](ItemId target, ItemId parent) {
        const ItemId id = AddItem(note, parent, ItemType::kReference, "");
        dynamic_cast<ItemReference&>(*note.FindItem(id)).target = target;
        return id;
    };
    const ItemId first = reference(memo, kNoItem);
    const ItemId toGroup = reference(group, kNoItem);
    reference(inner, toGroup);
    const ItemId toMissing = reference(9999, kNoItem);
    const ItemId toEncrypted = reference(encrypted, kNoItem);
    const ItemId last = reference(memo, kNoItem);
    const ItemId chain[] = {first, toGroup, toMissing, toEncrypted, last};
    for (std::size_t i = 1; i < std::size(chain); ++i) {
        ASSERT_TRUE(
            note.InsertItems(chain[i], chain[i - 1], Placement::kBeside, Placement::kAfter, false));
    }

    // The missing target and the encrypted memo write nothing; the chain goes on after them.
    EXPECT_EQ(ExportItemsToText(note, first, compact), "(M:body)[G{(inner:)}](M:body)");
}

TEST_F(TextExporterTest, BodiesAndTitlesGoOutByteForByte) {
    // Zero bytes, bare line feeds, a stray lead byte and a body far larger than one chunk.
    std::string body("a\0b\nc\r\n\x82", 9);
    body.append(3 << 20, 'x');
    body.append("\x81");
    const std::string title("\x83\x68\x00t", 4);
    const ItemId memo = AddMemo(note, root, title);
    MemoAt(note, memo).SetRawBody(ByteString(body));

    EXPECT_EQ(ExportWholeNote(ExportFormats{ExportTemplate("<%h>%s<%h>"), ExportTemplate("")}),
              "<" + title + ">" + body + "<" + title + ">");
}

TEST_F(TextExporterTest, TheFirstFailedWriteEndsTheExportAndKeepsWhatWasWritten) {
    for (int i = 0; i < 3; ++i) {
        const ItemId memo = AddMemo(note, root, "memo " + std::to_string(i));
        MemoAt(note, memo).SetRawBody(ByteString(std::string(700'000, char('a' + i))));
    }
    const std::string full =
        ExportItemsToText(note, note.FindItem(root)->links.firstChild, defaults);
    for (std::size_t capacity : {std::size_t{0}, std::size_t{1'000'000}, full.size() - 1}) {
        FullDiskStream stream(capacity);
        EXPECT_EQ(ExportNote(note, defaults, stream), ErrorCode::kDiskFull) << capacity;
        EXPECT_EQ(stream.writesAfterFailure, 0) << capacity;
        EXPECT_EQ(stream.written, full.substr(0, stream.written.size())) << capacity;
    }
    FullDiskStream roomy(full.size());
    EXPECT_EQ(ExportNote(note, defaults, roomy), 0u);
    EXPECT_EQ(roomy.written, full);
}

TEST_F(TextExporterTest, ATreeTooDeepForRecursionIsWrittenWhole) {
    constexpr int kDepth = 200'000;
    ItemId parent = root;
    for (int i = 0; i < kDepth; ++i)
        parent = AddGroup(note, parent, "");
    AddMemo(note, parent, "x");
    const std::string text =
        ExportWholeNote(ExportFormats{ExportTemplate("(%h)"), ExportTemplate("[%s]")});
    const std::string expected = std::string(kDepth, '[') + "(x)" + std::string(kDepth, ']');
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
}

TEST_F(TextExporterTest, DamagedLinksThatLoopEndTheWalk) {
    // Sibling links that run in a circle.
    const ItemId a = AddMemo(note, root, "a");
    const ItemId b = AddMemo(note, root, "b");
    note.FindItem(b)->links.next = a;
    const std::string siblings = ExportWholeNote(compact);
    EXPECT_EQ(siblings.substr(0, 10), "(a:)(b:)(a");
    EXPECT_LE(siblings.size(), 4 * note.Items().Size() + 4);

    // A group that holds itself.
    note.FindItem(b)->links.next = kNoItem;
    const ItemId g = AddGroup(note, kNoItem, "g");
    note.FindItem(g)->links.firstChild = g;
    const std::string nested = ExportItemsToText(note, g, compact);
    EXPECT_EQ(nested.substr(0, 9), "[g{[g{[g{");
    EXPECT_LE(nested.size(), 6 * note.Items().Size() + 6);
}

TEST_F(TextExporterTest, AnEmptyNoteOrChainWritesNothing) {
    EXPECT_EQ(ExportWholeNote(defaults), "");
    EXPECT_EQ(ExportItemsToText(note, kNoItem, defaults), "");
    Note empty;
    FullDiskStream stream(0);
    EXPECT_EQ(ExportNote(empty, defaults, stream), 0u);
    EXPECT_EQ(stream.written, "");
}

}  // namespace
}  // namespace tidemark
