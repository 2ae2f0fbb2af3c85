#include "core/model/group_lock_commands.h"

#include <gtest/gtest.h>

#include <deque>

#include "core/file/note_bytes.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item_lock.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

// Answers the password dialog from a queue (nothing left = Cancel) and
// records the messages shown.
class ScriptedDialogs : public LockDialogs {
public:
    std::deque<std::string> answers;
    std::vector<std::pair<std::uint32_t, std::string>> messages;
    std::vector<bool> confirmations;

    std::optional<ByteString> AskPassword(const ByteString&, bool confirm) override {
        confirmations.push_back(confirm);
        if (answers.empty()) return std::nullopt;
        ByteString answer(answers.front());
        answers.pop_front();
        return answer;
    }
    void ShowMessage(std::uint32_t id, const ByteString& name) override {
        messages.emplace_back(id, name.Str());
    }
};

class LockCommandTest : public ::testing::Test {
protected:
    FixedClock clock{MakeTime(2004, 5, 6, 13, 45, 7)};
    Note note{nullptr, &clock};
    ScriptedDialogs dialogs;
    ItemId root = kNoItem, group = kNoItem, first = kNoItem, second = kNoItem;

    void SetUp() override {
        note.MakeNew(ByteString("root"));
        root = note.RootId();
        group = AddGroup(note, root, "vault");
        first = AddMemo(note, group, "one");
        second = AddMemo(note, group, "two");
        dynamic_cast<Memo*>(note.FindItem(second))->SetBody(ByteString("body text"));
    }
    Item& At(ItemId id) { return *note.FindItem(id); }
};

TEST_F(LockCommandTest, AttachingToAClosedGroupEncryptsEveryMemo) {
    At(group).SetOpen(false);
    dialogs.answers = {"pass"};
    ASSERT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kDone);
    EXPECT_EQ(dialogs.confirmations, std::vector<bool>{true});
    EXPECT_TRUE(At(group).IsLockedGroup());
    EXPECT_TRUE(At(group).Password().Empty());
    for (ItemId id : {first, second}) {
        EXPECT_TRUE(At(id).IsEncrypted());
        EXPECT_EQ(At(id).LockOwner(), group);
        EXPECT_EQ(At(id).Title().Size() % 8, 0u);
        EXPECT_GE(At(id).Title().Size(), 24u);
    }
    // Opening it again with the password shows the plain texts.
    dialogs.answers = {"pass"};
    ASSERT_EQ(ToggleGroupOpen(note, group, dialogs), LockCommandResult::kDone);
    EXPECT_TRUE(At(group).IsOpen());
    EXPECT_EQ(At(first).Title(), ByteString("one"));
    EXPECT_EQ(BodyOf(At(second)), ByteString("body text"));
}

TEST_F(LockCommandTest, AWrongPasswordChangesNothing) {
    At(group).SetOpen(false);
    dialogs.answers = {"right", "wrong"};
    ASSERT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kDone);
    const ByteString cipherTitle = At(first).Title();
    EXPECT_EQ(ToggleGroupOpen(note, group, dialogs), LockCommandResult::kRefused);
    EXPECT_EQ(dialogs.messages.back().first, 20080u);
    EXPECT_FALSE(At(group).IsOpen());
    EXPECT_TRUE(At(first).IsEncrypted());
    EXPECT_TRUE(At(second).IsEncrypted());
    EXPECT_EQ(At(first).Title(), cipherTitle);
    // Removing the lock with a wrong password is refused the same way.
    dialogs.answers = {"wrong"};
    EXPECT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kRefused);
    EXPECT_TRUE(At(group).IsLockedGroup());
}

TEST_F(LockCommandTest, AttachingToAnOpenGroupKeepsItsContentsPlainAndHoldsThePassword) {
    dialogs.answers = {"pass"};
    ASSERT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kDone);
    EXPECT_EQ(At(group).Password(), ByteString("pass"));
    EXPECT_FALSE(At(first).IsEncrypted());
    // Saving writes the contents encrypted; memory stays plain.
    const MemoryBlock bytes = SaveNoteToBytes(note);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()).find("body text"), std::string::npos);
    EXPECT_FALSE(At(second).IsEncrypted());
    // Closing encrypts and forgets the password.
    ASSERT_EQ(ToggleGroupOpen(note, group, dialogs), LockCommandResult::kDone);
    EXPECT_TRUE(At(first).IsEncrypted());
    EXPECT_TRUE(At(group).Password().Empty());
}

TEST_F(LockCommandTest, RemovingTheLockOfAClosedGroupLeavesItClosedAndPlain) {
    At(group).SetOpen(false);
    dialogs.answers = {"pass", "pass"};
    ASSERT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kDone);
    ASSERT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kDone);
    EXPECT_FALSE(At(group).IsLockedGroup());
    EXPECT_FALSE(At(group).IsOpen());
    EXPECT_FALSE(At(first).IsEncrypted());
    EXPECT_EQ(At(first).LockOwner(), kNoItem);
}

TEST_F(LockCommandTest, RefusalsNameTheGroupInTheWay) {
    const ItemId empty = AddGroup(note, root, "empty");
    EXPECT_EQ(ToggleGroupLock(note, empty, dialogs), LockCommandResult::kRefused);
    EXPECT_EQ(dialogs.messages.back(), std::make_pair(20078u, std::string()));

    const ItemId inner = AddGroup(note, group, "inner");
    AddMemo(note, inner, "deep");
    dialogs.answers = {"pass"};
    ASSERT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kDone);
    // Below a locked group: the upper group is named.
    EXPECT_EQ(ToggleGroupLock(note, inner, dialogs), LockCommandResult::kRefused);
    EXPECT_EQ(dialogs.messages.back(), std::make_pair(20077u, std::string("vault")));
    // Above a locked group: the lower group is named.
    EXPECT_EQ(ToggleGroupLock(note, root, dialogs), LockCommandResult::kRefused);
    EXPECT_EQ(dialogs.messages.back(), std::make_pair(20077u, std::string("vault")));
}

TEST_F(LockCommandTest, CancelLeavesTheGroupAsItWas) {
    EXPECT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kCancelled);
    EXPECT_FALSE(At(group).IsLockedGroup());
    EXPECT_EQ(ToggleGroupLock(note, first, dialogs), LockCommandResult::kIgnored);
}

TEST_F(LockCommandTest, EncryptedItemsKeepTheirTimeWhenRetitled) {
    At(group).SetOpen(false);
    dialogs.answers = {"pass"};
    ASSERT_EQ(ToggleGroupLock(note, group, dialogs), LockCommandResult::kDone);
    clock.Set(MakeTime(2030, 1, 1, 0, 0, 0));
    const SystemTime before = At(first).ModifiedTime();
    At(first).SetTitle(At(first).Title());
    EXPECT_EQ(At(first).ModifiedTime(), before);
}

TEST_F(LockCommandTest, APartlyFailingDecryptionLeavesTheGroupWhollyShut) {
    At(group).SetOpen(false);
    ASSERT_TRUE(EncryptGroupContents(note, group, ByteString("pass")));
    // The second memo was locked under another password (a damaged note).
    ASSERT_TRUE(DecryptItem(At(second), ByteString("pass")));
    ASSERT_TRUE(EncryptItem(At(second), ByteString("other")));
    const ByteString firstCipher = At(first).Title();
    EXPECT_FALSE(DecryptGroupContents(note, group, ByteString("pass")));
    EXPECT_TRUE(At(first).IsEncrypted());
    EXPECT_EQ(At(first).Title(), firstCipher);
}

}  // namespace
}  // namespace tidemark
