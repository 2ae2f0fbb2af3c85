#include "app/textio/text_import.h"
#include "app/edit/item_view_fakes_for_test.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/frame/note_file_service.h"
#include "core/common/error_code.h"
#include "core/file/file_system.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

using Choice = ImportPrompts::OtherFileChoice;

class ScriptedPrompts : public ImportPrompts {
public:
    Choice askOtherFile(const QString& path) override {
        asked << path;
        return answer;
    }
    void showError(std::uint32_t id, const QString& name) override {
        errors.emplace_back(id, name);
    }
    void showInformation(std::uint32_t id, const QString& name) override {
        information.emplace_back(id, name);
    }
    void showIoError(std::uint32_t code, const QString& path) override {
        ioErrors.emplace_back(code, path);
    }

    Choice answer = Choice::kSkip;
    QStringList asked;
    std::vector<std::pair<std::uint32_t, QString>> errors, information, ioErrors;
};

// The platform's files, except that opening a path named in `failing` fails
// with its code.
class FailingFileSystem : public FileSystem {
public:
    explicit FailingFileSystem(FileSystem& real) : m_real(real) {}
    std::uint32_t Open(const std::string& path, const FileOpenMode& mode,
                       std::unique_ptr<FileHandle>& handle) override {
        if (const auto found = failing.find(path); found != failing.end())
            return found->second;
        return m_real.Open(path, mode, handle);
    }
    std::uint32_t Stat(const std::string& path) override { return m_real.Stat(path); }
    std::uint32_t MoveNoReplace(const std::string& from, const std::string& to) override {
        return m_real.MoveNoReplace(from, to);
    }
    std::uint32_t Remove(const std::string& path) override { return m_real.Remove(path); }
    std::uint32_t SyncFolderOf(const std::string& path) override {
        return m_real.SyncFolderOf(path);
    }

    std::map<std::string, std::uint32_t> failing;

private:
    FileSystem& m_real;
};

class TextImportTest : public ::testing::Test {
protected:
    TextImportTest() {
        note.MakeNew(ByteString("root"));
        root = note.RootId();
        settings.ImportExtensions = ByteString("txt;htm;html");
        settings.ImportOtherFiles = 1;
        settings.LinkPlace = 0;
    }

    QString path(const QString& relative) const { return m_folder.filePath(relative); }
    void write(const QString& relative, const QByteArray& bytes) {
        ASSERT_TRUE(QDir(m_folder.path()).mkpath(QFileInfo(path(relative)).path()));
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // The folder "src" holding one file of every kind and a subfolder.
    void writeSampleFolder() {
        write("src/a.txt", QByteArray("alpha\r\n\x82\xa0"));
        write("src/B.TXT", "bravo");
        write("src/c.htm", "<p>c</p>");
        write("src/link.url", "[InternetShortcut]\r\nURL=http://example.jp/\r\n");
        write("src/other.bin", QByteArray("\x00\x01\x02", 3));
        write("src/sub/d.html", "delta");
    }

    ImportPlace endOfRoot() const {
        return ImportPlace{root, Placement::kInside, Placement::kAfter};
    }
    std::vector<ItemId> import(const QStringList& paths, const ImportPlace& place,
                               bool mayAsk = true) {
        return importer.importPaths(paths, place, mayAsk);
    }

    Item& at(ItemId id) { return *note.FindItem(id); }
    // The child of `group` titled `title`; fails the test when there is none.
    Item& child(ItemId group, const std::string& title) {
        for (Item* c = note.FindItem(at(group).links.firstChild); c;
             c = note.FindItem(c->links.next)) {
            if (c->Title().Str() == title)
                return *c;
        }
        ADD_FAILURE() << "no item " << title;
        return at(group);
    }
    static std::string bodyOf(const Item& item) { return BodyOf(item).Str(); }

    // The titles below `group` as "a,b{c,d}", groups with their contents in braces.
    std::string tree(ItemId group) const {
        std::string text;
        for (const Item* c = note.FindItem(note.FindItem(group)->links.firstChild); c;
             c = note.FindItem(c->links.next)) {
            if (!text.empty())
                text += ',';
            text += c->Title().Str();
            if (c->IsGroup())
                text += '{' + tree(c->links.id) + '}';
        }
        return text;
    }

    FixedClock clock{MakeTime(2024, 5, 1, 9, 0, 0)};
    FakeHost host;
    Note note{&host, &clock};
    ItemId root = kNoItem;
    Settings settings;
    FakeSelection selection;
    RecordingViews views;
    ScriptedPrompts prompts;
    QTemporaryDir m_folder;
    std::unique_ptr<FileSystem> platformFiles = makePlatformFileSystem();
    FailingFileSystem files{*platformFiles};
    TextImporter importer{note, settings, selection, views, prompts, files};
};

TEST_F(TextImportTest, FolderTreeFollowsTheOtherFilesSetting) {
    writeSampleFolder();
    enum class Other { kAbsent, kText, kLink };
    const struct {
        const char* name;
        int setting;
        bool mayAsk;
        Choice answer;
        bool asks;
        Other other;
        const char* tree;
    } cases[] = {
        {"ask, take as text", 1, true, Choice::kImportAsText, true, Other::kText,
         "src{a.txt,B.TXT,c.htm,link,other.bin,sub{d.html}}"},
        {"ask, link", 1, true, Choice::kLinkMemo, true, Other::kLink,
         "src{a.txt,B.TXT,c.htm,link,other.bin,sub{d.html}}"},
        {"ask, leave out", 1, true, Choice::kSkip, true, Other::kAbsent,
         "src{a.txt,B.TXT,c.htm,link,sub{d.html}}"},
        {"ask, abort ends the batch", 1, true, Choice::kAbort, true, Other::kAbsent,
         "src{a.txt,B.TXT,c.htm,link}"},
        {"ask, but asking not allowed", 1, false, Choice::kLinkMemo, false, Other::kAbsent,
         "src{a.txt,B.TXT,c.htm,link,sub{d.html}}"},
        {"ignore", 2, true, Choice::kLinkMemo, false, Other::kAbsent,
         "src{a.txt,B.TXT,c.htm,link,sub{d.html}}"},
        {"link", 3, true, Choice::kSkip, false, Other::kLink,
         "src{a.txt,B.TXT,c.htm,link,other.bin,sub{d.html}}"},
    };
    const QString otherPath = QDir::toNativeSeparators(path("src/other.bin"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        note.MakeNew(ByteString("root"));
        root = note.RootId();
        prompts = ScriptedPrompts();
        prompts.answer = c.answer;
        settings.ImportOtherFiles = c.setting;

        const std::vector<ItemId> tops = import({path("src")}, endOfRoot(), c.mayAsk);

        EXPECT_EQ(tree(root), c.tree);
        // Only the file of no known kind is asked about, never the shortcut.
        EXPECT_EQ(prompts.asked, c.asks ? QStringList{otherPath} : QStringList{});
        ASSERT_EQ(tops.size(), 1u);
        const ItemId src = tops.front();
        EXPECT_TRUE(at(src).IsGroup());
        EXPECT_EQ(bodyOf(child(src, "a.txt")), "alpha\r\n\x82\xa0");
        const Item& link = child(src, "link");
        EXPECT_EQ(bodyOf(link), "http://example.jp/");
        EXPECT_TRUE(link.IsBodyLink());
        if (c.other == Other::kText) {
            const Item& other = child(src, "other.bin");
            EXPECT_EQ(bodyOf(other), std::string("\x00\x01\x02", 3));
            EXPECT_FALSE(other.IsBodyLink());
        } else if (c.other == Other::kLink) {
            const Item& other = child(src, "other.bin");
            EXPECT_EQ(bodyOf(other), otherPath.toStdString());
            EXPECT_TRUE(other.IsBodyLink());
        }
        EXPECT_TRUE(prompts.errors.empty());
        EXPECT_TRUE(prompts.ioErrors.empty());
        ExpectConsistentChildren(note, root);
    }
}

TEST_F(TextImportTest, LinksGoIntoTheRemarksWhenTheLinkPlaceSaysSo) {
    writeSampleFolder();
    settings.ImportOtherFiles = 3;
    settings.LinkPlace = 1;
    import({path("src/link.url"), path("src/other.bin")}, endOfRoot());

    const struct {
        const char* title;
        std::string remarks;
    } expected[] = {
        {"link", "http://example.jp/"},
        {"other.bin", QDir::toNativeSeparators(path("src/other.bin")).toStdString()},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.title);
        const Item& memo = child(root, e.title);
        EXPECT_EQ(memo.Remarks().Str(), e.remarks);
        EXPECT_TRUE(memo.IsRemarksLink());
        EXPECT_FALSE(memo.IsBodyLink());
        EXPECT_EQ(bodyOf(memo), "");
    }
}

TEST_F(TextImportTest, BatchKeepsItsOrderRightAfterThePlaceAndShowsEveryRow) {
    const ItemId x = AddMemo(note, root, "x");
    AddMemo(note, root, "y");
    write("f1.txt", "one");
    write("g/h.txt", "inner");
    write("f2.txt", "two");

    const std::vector<ItemId> tops = import({path("f1.txt"), path("g"), path("f2.txt")},
                                            ImportPlace{x, Placement::kBeside, Placement::kAfter});

    EXPECT_EQ(tree(root), "x,f1.txt,g{h.txt},f2.txt,y");
    const ItemId g = child(root, "g").links.id;
    EXPECT_EQ(tops, (std::vector<ItemId>{child(root, "f1.txt").links.id, g,
                                         child(root, "f2.txt").links.id}));
    EXPECT_EQ(views.inserted,
              (std::vector<ItemId>{tops[0], g, child(g, "h.txt").links.id, tops[2]}));
    EXPECT_EQ(views.commits, 1);
    EXPECT_EQ(host.modifiedMarks, 1);
    ExpectConsistentChildren(note, root);
}

TEST_F(TextImportTest, CommandPlaceIsAfterTheFocusedItemOfTheFocusListOrTheEndOfTheRoot) {
    const ItemId group = AddGroup(note, root, "g");
    const ItemId inner = AddMemo(note, group, "inner");
    const struct {
        const char* name;
        ItemId memoFocus;
        bool groupListFocus;
        ItemId groupFocus;
        ItemId target;
        int relation;
    } cases[] = {
        {"memo list", group, false, inner, group, Placement::kBeside},
        {"group list", group, true, inner, inner, Placement::kBeside},
        {"empty group list", group, true, kNoItem, root, Placement::kInside},
        {"nothing focused", kNoItem, false, kNoItem, root, Placement::kInside},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        selection.memoFocus = c.memoFocus;
        selection.groupListFocus = c.groupListFocus;
        selection.groupFocus = c.groupFocus;
        const ImportPlace place = importer.focusPlace();
        EXPECT_EQ(place.target, c.target);
        EXPECT_EQ(place.relation, c.relation);
        EXPECT_EQ(place.order, Placement::kAfter);
    }
}

TEST_F(TextImportTest, NothingIsImportedIntoAClosedLockedGroupOrWhileReadOnly) {
    write("a.txt", "alpha");
    const ItemId safe = AddGroup(note, root, "safe");
    const ItemId inner = AddMemo(note, safe, "inner");
    at(safe).SetRawFlags(at(safe).Flags() | ItemFlags::kLocked);
    at(safe).SetOpen(false);
    note.SetLockOwner(safe, safe, true);
    const ItemId memo = AddMemo(note, root, "memo");

    const struct {
        const char* name;
        ImportPlace place;
        bool readOnly;
        std::vector<std::pair<std::uint32_t, QString>> errors;
    } cases[] = {
        {"inside the group",
         {safe, Placement::kInside, Placement::kAfter},
         false,
         {{20082, "safe"}}},
        {"beside an item in it",
         {inner, Placement::kBeside, Placement::kAfter},
         false,
         {{20082, "safe"}}},
        {"inside a memo", {memo, Placement::kInside, Placement::kAfter}, false, {{20001, ""}}},
        {"read-only", {root, Placement::kInside, Placement::kAfter}, true, {}},
    };
    const std::string before = tree(root);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts = ScriptedPrompts();
        host.readOnly = c.readOnly;
        EXPECT_TRUE(import({path("a.txt")}, c.place).empty());
        EXPECT_EQ(prompts.errors, c.errors);
        EXPECT_EQ(tree(root), before);
    }
    EXPECT_TRUE(views.inserted.empty());
    EXPECT_EQ(host.modifiedMarks, 0);
}

TEST_F(TextImportTest, ItemsImportedIntoAnOpenLockedGroupBelongToItsLock) {
    write("dir/a.txt", "alpha");
    const ItemId safe = AddGroup(note, root, "safe");
    at(safe).SetRawFlags(at(safe).Flags() | ItemFlags::kLocked);
    at(safe).SetPassword(ByteString("secret"));

    import({path("dir")}, ImportPlace{safe, Placement::kInside, Placement::kAfter});

    EXPECT_EQ(tree(root), "safe{dir{a.txt}}");
    const Item& dir = child(safe, "dir");
    EXPECT_EQ(dir.LockOwner(), safe);
    EXPECT_EQ(child(dir.links.id, "a.txt").LockOwner(), safe);
}

TEST_F(TextImportTest, UnreadableAndOversizedFilesAreReportedAndTheRestImported) {
    write("a.txt", "alpha");
    write("b.txt", "bravo");
    write("c.txt", "charlie");
    files.failing[path("b.txt").toStdString()] = ErrorCode::kAccessDenied;
    {
        // Sparse: one byte more than a note can hold as a body, never read.
        QFile big(path("big.txt"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(qint64{1} << 31));
    }

    import({path("a.txt"), path("b.txt"), path("missing.txt"), path("big.txt"), path("c.txt")},
           endOfRoot());

    EXPECT_EQ(tree(root), "a.txt,c.txt");
    using Messages = std::vector<std::pair<std::uint32_t, QString>>;
    EXPECT_EQ(prompts.ioErrors, (Messages{{ErrorCode::kAccessDenied, path("b.txt")}}));
    // A missing file passes without a word.
    EXPECT_EQ(prompts.errors, (Messages{{20086, path("big.txt")}}));
    EXPECT_EQ(host.modifiedMarks, 1);
}

TEST_F(TextImportTest, FolderLinkingBackToItselfAndAPipeDoNotStopTheImport) {
    write("loop/a.txt", "alpha");
    ASSERT_TRUE(QFile::link(path("loop"), path("loop/again")));
    ASSERT_EQ(::mkfifo(path("loop/pipe.txt").toLocal8Bit().constData(), 0600), 0);
    write("loop/z.txt", "zulu");

    import({path("loop")}, endOfRoot());

    EXPECT_EQ(tree(root), "loop{a.txt,z.txt}");
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(prompts.ioErrors.empty());
}

TEST_F(TextImportTest, CharactersTheNoteCannotHoldAreLeftOutOfTitlesAndNamedOnce) {
    write(QStringLiteral("caf\u00e9.txt"), "coffee");
    write(QStringLiteral("\u00fcber.TXT"), "over");

    import({path(QStringLiteral("caf\u00e9.txt")), path(QStringLiteral("\u00fcber.TXT"))},
           endOfRoot());

    EXPECT_EQ(tree(root), "caf.txt,ber.TXT");
    using Messages = std::vector<std::pair<std::uint32_t, QString>>;
    EXPECT_EQ(prompts.information, (Messages{{12019, QStringLiteral("\u00e9\u00fc")}}));
}

}  // namespace
