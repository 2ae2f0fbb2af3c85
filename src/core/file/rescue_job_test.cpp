#include "core/file/rescue_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/error_code.h"
#include "core/file/byte_builder_for_test.h"
#include "core/file/note_bytes.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item_crypto.h"
#include "core/model/item_id.h"
#include "core/model/note_test_support.h"

namespace tidemark {
namespace {

const SystemTime kTime{2004, 5, 4, 6, 13, 45, 7, 0};

const std::string kRunning = "救出処理を実行中しています。\r\n";
const std::string kFinished = "救出処理は終了しました。\r\n";
const std::string kEndOfData = "I/O Error occurred: 38\r\nRescuing stopped.\r\n";
const std::string kSkipped = "<!> Skip encrypted data.\r\n";

std::string UnknownTag(const std::string& hex) {
    return "<!> Unknown property: id=0x" + hex + "\r\nRescuing stopped.\r\n";
}

std::string Title(const std::string& text) {
    return "##########  TITLE  ##########\r\n" + text + "\r\n";
}
std::string Remark(const std::string& text) {
    return "##########  REMARK  #########\r\n" + text + "\r\n";
}
std::string Body(const std::string& text) {
    return "##########  BODY  ###########\r\n" + text + "\r\n";
}

// Every header tag with a value, including the three long ones (colours, remarks caption,
// recent memos) that a rescue must step over whole.
ByteBuilder FullHeader() {
    ByteBuilder b;
    b.Magic().Tag32(1, 0x01000005).Tag32(2, 9).Tag32(3, 4);
    for (std::uint8_t tag = 4; tag <= 14; ++tag)
        b.Tag32(tag, 0);
    b.U8(15);
    for (int i = 0; i < 16; ++i)
        b.U32(0xFFFFFF);
    b.Tag32(16, 0).Tag32(17, 0xE8FFFF).Tag32(18, 200).TagStr(19, "\x94\xf5\x8d\x6c");
    b.Tag32(20, 120).Tag32(21, 0).U8(22);
    for (int i = 0; i < 10; ++i)
        b.U32(0);
    return b;
}
constexpr int kFullHeaderTags = 22;

struct Fields {
    std::string title = {};
    std::string remarks = {};
    std::uint32_t flags = 0;
    SystemTime modified = kTime;
};

void AppendBase(ByteBuilder& b, std::uint32_t id, std::uint32_t type, const Fields& f) {
    b.Tag32(1, id).Tag32(2, 1).Tag32(3, 0).Tag32(4, 0).Tag32(5, 0).TagStr(6, f.title);
    b.Tag32(7, 0).Tag32(8, 0).Tag32(9, type).U8(10).Time(f.modified).Tag32(11, 0xFFFFFF);
    b.Tag32(12, 0).Tag32(13, 0).Tag32(14, 1).Tag32(15, f.flags).TagStr(16, f.remarks).U8(0xFF);
}
void GroupRecord(ByteBuilder& b, std::uint32_t id, const Fields& f) {
    b.U8(0x80);
    AppendBase(b, id, 1, f);
}
void MemoRecord(ByteBuilder& b, std::uint32_t id, const Fields& f, std::string_view body) {
    b.U8(0x81);
    AppendBase(b, id, 2, f);
    b.TagStr(1, body).Tag32(2, 1).U8(0xFF);
}

std::string Encrypt(std::string_view password, std::string_view checkText, std::string_view plain) {
    const BlowfishCipher cipher(password);
    return EncryptValue(cipher, checkText, plain).Str();
}

// Answers the password question from a list, offering answers until one is accepted.
class ScriptedPrompt : public RescuePasswordPrompt {
public:
    explicit ScriptedPrompt(std::vector<std::string> answers = {})
        : m_answers(std::move(answers)) {}

    bool AskPassword(RescueKeyRing& ring, const RescueEncryptedValue& encrypted) override {
        ++asked;
        while (m_next < m_answers.size()) {
            offers.push_back(ring.OfferPassword(m_answers[m_next++], encrypted));
            if (offers.back() == RescueKeyRing::Offer::kAccepted)
                return true;
        }
        return false;
    }

    int asked = 0;
    std::vector<RescueKeyRing::Offer> offers;

private:
    std::vector<std::string> m_answers;
    std::size_t m_next = 0;
};

// Wraps a memory stream: can refuse to open, or hide how much data is left the way a stream
// that cannot tell its size does.
class TestStream : public ByteStream {
public:
    explicit TestStream(MemoryBlock* block) : m_inner(block) {}

    std::uint32_t openCode = 0;
    bool hideSize = false;

    std::uint32_t OpenRead() override { return openCode ? openCode : m_inner.OpenRead(); }
    std::uint32_t OpenWrite() override { return openCode ? openCode : m_inner.OpenWrite(); }
    std::uint32_t Close() override { return m_inner.Close(); }
    std::uint32_t Write(const void* b, std::size_t n) override { return m_inner.Write(b, n); }
    std::uint32_t Read(void* b, std::size_t n) override { return m_inner.Read(b, n); }
    std::uint32_t Flush() override { return 0; }
    std::size_t Remaining() const override { return hideSize ? SIZE_MAX : m_inner.Remaining(); }

private:
    GlobalMemoryStream m_inner;
};

const char kUntouched[] = "untouched";

struct RunResult {
    bool started = false;
    int steps = 0;
    std::string output;  // kUntouched when the output was never opened
    std::string log;
    RescueResult outcome = RescueResult::kContinue;
};

struct RunOptions {
    std::uint32_t inputOpenCode = 0;
    std::uint32_t outputOpenCode = 0;
    bool hideInputSize = false;
};

RunResult RunJob(RescueJob& job, const MemoryBlock& note, const RunOptions& options = {}) {
    MemoryBlock input = note;
    MemoryBlock output(std::begin(kUntouched), std::end(kUntouched) - 1);
    RescueFiles files;
    files.inputName = "in.tmk";
    auto in = std::make_unique<TestStream>(&input);
    in->openCode = options.inputOpenCode;
    in->hideSize = options.hideInputSize;
    files.input = std::move(in);
    files.outputName = "out.txt";
    auto out = std::make_unique<TestStream>(&output);
    out->openCode = options.outputOpenCode;
    files.output = std::move(out);

    RunResult run;
    run.started = job.Start(std::move(files));
    while (job.Step()) {
        ++run.steps;
        if (run.steps > 1'000'000)
            break;  // a run that never ends fails below
    }
    EXPECT_FALSE(job.Running());
    run.output.assign(output.begin(), output.end());
    run.log = job.LogText();
    run.outcome = job.Outcome();
    return run;
}

RunResult Rescue(const MemoryBlock& note, RescuePasswordPrompt& prompt,
                 const RunOptions& options = {}) {
    RescueJob job(prompt);
    return RunJob(job, note, options);
}

RunResult Rescue(const MemoryBlock& note, const RunOptions& options = {}) {
    ScriptedPrompt prompt;
    return Rescue(note, prompt, options);
}

TEST(RescueJob, WritesTitlesRemarksAndBodiesInFileOrder) {
    ByteBuilder b = FullHeader();
    GroupRecord(b, 1, {"root", "", 0});
    GroupRecord(b, 2, {"\x83\x4f\x83\x8b\x81\x5b\x83\x76", "group note", ItemFlags::kHasRemarks});
    // Remarks without the has-remarks flag are left out.
    MemoRecord(b, 3, {"\x83\x81\x83\x82", "stale", 0}, "line 1\r\n\x82\xa0\r\n");
    MemoRecord(b, 4, {"", "r", ItemFlags::kHasRemarks}, "");
    b.U8(0xFF);

    const RunResult run = Rescue(b.Bytes());
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.output, Title("root") + Title("\x83\x4f\x83\x8b\x81\x5b\x83\x76") +
                              Remark("group note") + Title("\x83\x81\x83\x82") +
                              Body("line 1\r\n\x82\xa0\r\n") + Title("") + Remark("r") + Body(""));
    EXPECT_EQ(run.log, kRunning + kFinished);
    EXPECT_EQ(run.outcome, RescueResult::kEndOfNote);
}

TEST(RescueJob, EachStepTakesOneHeaderFieldOrOneRecord) {
    ByteBuilder b = FullHeader();
    GroupRecord(b, 1, {"root"});
    MemoRecord(b, 2, {"a"}, "x");
    MemoRecord(b, 3, {"b"}, "y");
    b.U8(0xFF).U8s({0x17, 0x17});  // bytes past the end tag are never read

    ScriptedPrompt prompt;
    RescueJob job(prompt);
    const RunResult run = RunJob(job, b.Bytes());
    EXPECT_EQ(run.steps, kFullHeaderTags + 3);  // the step that reads the end tag returns false
    EXPECT_EQ(run.outcome, RescueResult::kEndOfNote);
    EXPECT_FALSE(job.Step());
    EXPECT_EQ(job.LogText(), kRunning + kFinished);
}

// Where a file is cut decides what comes out; a cut never stops the run without its log line.
TEST(RescueJob, TruncatedFileKeepsEverythingBeforeTheCut) {
    ByteBuilder header = FullHeader();
    ByteBuilder group;
    GroupRecord(group, 1, {"root", "first", ItemFlags::kHasRemarks});
    ByteBuilder memoBase;
    memoBase.U8(0x81);
    AppendBase(memoBase, 2, 2, {"memo", "rem", ItemFlags::kHasRemarks});
    ByteBuilder memoSection;
    memoSection.TagStr(1, "hello body").Tag32(2, 1).U8(0xFF);

    MemoryBlock whole = header.Bytes();
    whole.insert(whole.end(), group.Bytes().begin(), group.Bytes().end());
    const std::size_t memoStart = whole.size();
    whole.insert(whole.end(), memoBase.Bytes().begin(), memoBase.Bytes().end());
    const std::size_t sectionStart = whole.size();
    whole.insert(whole.end(), memoSection.Bytes().begin(), memoSection.Bytes().end());
    whole.push_back(0xFF);

    const std::string wholeText(whole.begin(), whole.end());
    const auto offsetOf = [&](std::string_view bytes) {
        const std::size_t at = wholeText.find(bytes);
        EXPECT_NE(at, std::string::npos);
        return at;
    };
    const std::string groupText = Title("root") + Remark("first");
    const std::string memoHead = Title("memo") + Remark("rem");
    struct Case {
        const char* where;
        std::size_t length;
        std::string output;
    };
    const Case cases[] = {
        {"inside the header's remarks caption", offsetOf("\x94\xf5\x8d\x6c") + 2, ""},
        {"inside the first record's title", offsetOf("root") + 2, ""},
        {"inside the memo's base section", memoStart + 30, groupText},
        {"inside the body's length", sectionStart + 3, groupText + memoHead + Body("")},
        {"in the middle of the body", sectionStart + 9, groupText + memoHead + Body("")},
        {"inside the word-wrap value", sectionStart + 17,
         groupText + memoHead + Body("hello body")},
        {"before the memo section's end", whole.size() - 2,
         groupText + memoHead + Body("hello body")},
        {"before the note's end tag", whole.size() - 1, groupText + memoHead + Body("hello body")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        ASSERT_LT(c.length, whole.size());
        const MemoryBlock cut(whole.begin(), whole.begin() + static_cast<long>(c.length));
        const RunResult run = Rescue(cut);
        EXPECT_EQ(run.output, c.output);
        EXPECT_EQ(run.log, kRunning + kEndOfData + kFinished);
        EXPECT_EQ(run.outcome, RescueResult::kStopped);
    }
    EXPECT_EQ(Rescue(whole).outcome, RescueResult::kEndOfNote);
}

// Tags the loader would skip or take as a memo group stop the rescue where they stand.
TEST(RescueJob, UnknownTagStopsTheRunAndNamesTheTag) {
    struct Case {
        const char* where;
        ByteBuilder tail;
        std::string output;
        std::string hex;
    };
    std::vector<Case> cases;
    {
        Case c{"a header tag 23 between records", {}, "", "17"};
        c.tail.U8(0x17);
        MemoRecord(c.tail, 3, {"never"}, "");
        cases.push_back(std::move(c));
    }
    {
        Case c{"tag 0 between records", {}, "", "00"};
        c.tail.U8(0x00);
        cases.push_back(std::move(c));
    }
    {
        Case c{"a record tag other than 0x80 and 0x81", {}, "", "82"};
        c.tail.U8(0x82);
        AppendBase(c.tail, 3, 1, {"never"});
        cases.push_back(std::move(c));
    }
    {
        Case c{"a stray tag inside a base section", {}, "", "11"};
        c.tail.U8(0x81).Tag32(1, 3).TagStr(6, "cut").U8(0x11);
        cases.push_back(std::move(c));
    }
    {
        Case c{"a stray tag after the body", {}, Title("kept") + Body("stored body"), "03"};
        c.tail.U8(0x81);
        AppendBase(c.tail, 3, 2, {"kept"});
        c.tail.TagStr(1, "stored body").U8(0x03).Tag32(2, 1).U8(0xFF);
        cases.push_back(std::move(c));
    }
    {
        Case c{"a stray tag before the body", {}, Title("kept") + Body(""), "fe"};
        c.tail.U8(0x81);
        AppendBase(c.tail, 3, 2, {"kept"});
        c.tail.U8(0xFE).TagStr(1, "never").U8(0xFF);
        cases.push_back(std::move(c));
    }

    for (Case& c : cases) {
        SCOPED_TRACE(c.where);
        ByteBuilder b = FullHeader();
        MemoRecord(b, 2, {"before"}, "b");
        b.Bytes().insert(b.Bytes().end(), c.tail.Bytes().begin(), c.tail.Bytes().end());
        MemoRecord(b, 4, {"after"}, "never");
        b.U8(0xFF);
        const RunResult run = Rescue(b.Bytes());
        EXPECT_EQ(run.output, Title("before") + Body("b") + c.output);
        EXPECT_EQ(run.log, kRunning + UnknownTag(c.hex) + kFinished);
        EXPECT_EQ(run.outcome, RescueResult::kStopped);
    }
}

// Problems with either file end the run before anything is written, with the message the
// program shows for that file.
TEST(RescueJob, FilesThatCannotBeOpenedOrAreNoNoteAreLoggedAndLeaveTheOutputAlone) {
    struct Case {
        const char* what;
        MemoryBlock input;
        RunOptions options;
        std::string log;
        std::string output;
    };
    ByteBuilder note;
    note.Magic().U8(0xFF);
    const Case cases[] = {
        {"missing input",
         note.Bytes(),
         {ErrorCode::kFileNotFound, 0, false},
         "ファイル名 in.tmk は存在しません。\r\n",
         kUntouched},
        {"input held by another program",
         note.Bytes(),
         {ErrorCode::kSharingViolation, 0, false},
         "他のアプリケーションでファイルが使用されているためアクセスできません。\r\n"
         "他のアプリケーションを閉じるか別名で保存してください。\r\n",
         kUntouched},
        {"not a note file",
         MemoryBlock{'!', 'T', 'M', 'X', 0xFF},
         {},
         "in.tmk は Tidemark ノートファイル ではありません。\r\n",
         kUntouched},
        {"shorter than the magic",
         MemoryBlock{'!', 'T'},
         {},
         "in.tmk - I/O Error: 38\r\n",
         kUntouched},
        {"output refused",
         note.Bytes(),
         {0, ErrorCode::kAccessDenied, false},
         "out.txt へのアクセスが拒否されました。\r\n",
         kUntouched},
        {"output on a full disk",
         note.Bytes(),
         {0, ErrorCode::kDiskFull, false},
         "out.txt を格納するディスクの空き容量が不足しています。\r\n",
         kUntouched},
        {"empty note", note.Bytes(), {}, kRunning + kFinished, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult run = Rescue(c.input, c.options);
        EXPECT_EQ(run.started, c.output != kUntouched);
        EXPECT_EQ(run.log, c.log);
        EXPECT_EQ(run.output, c.output);
    }
}

// A locked note as the program saves it: two groups with different passwords.
MemoryBlock TwoLockedGroups() {
    FixedClock clock{kTime};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("root"));
    const ItemId alpha = AddGroup(note, note.RootId(), "alpha");
    const ItemId a1 = AddMemo(note, alpha, "a1 title");
    dynamic_cast<Memo*>(note.FindItem(a1))->SetBody(ByteString("a1 body"));
    const ItemId inner = AddGroup(note, alpha, "inner group");
    note.FindItem(inner)->SetRemarks(ByteString("inner remarks"));
    const ItemId a2 = AddMemo(note, inner, "a2 title");
    dynamic_cast<Memo*>(note.FindItem(a2))->SetBody(ByteString("a2 body"));
    const ItemId bravo = AddGroup(note, note.RootId(), "bravo");
    const ItemId b1 = AddMemo(note, bravo, "b1 title");
    note.FindItem(b1)->SetRemarks(ByteString("b1 remarks"));
    dynamic_cast<Memo*>(note.FindItem(b1))->SetBody(ByteString("b1 body\r\nline 2"));
    AddMemo(note, bravo, "b2 title");

    for (const auto& [group, password] : {std::pair{alpha, "alpha-key"}, {bravo, "bravo-key"}}) {
        Item* item = note.FindItem(group);
        item->SetRawFlags(item->Flags() | ItemFlags::kLocked);
        note.SetLockOwner(group, group, true);
        item->SetPassword(ByteString(password));
    }
    return SaveNoteToBytes(note);
}

// Records come out in id order for small ids: root, alpha, a1, inner, a2, bravo, b1, b2.
const std::string kUnlockedText = Title("root") + Title("alpha") + Title("a1 title") +
                                  Body("a1 body") + Title("inner group") + Remark("inner remarks") +
                                  Title("a2 title") + Body("a2 body") + Title("bravo") +
                                  Title("b1 title") + Remark("b1 remarks") +
                                  Body("b1 body\r\nline 2") + Title("b2 title") + Body("");

TEST(RescueJob, AsksOncePerLockedGroupAndRetriesWrongPasswords) {
    ScriptedPrompt prompt({"abc", "wrong-key", "alpha-key", "bravo-key"});
    const RunResult run = Rescue(TwoLockedGroups(), prompt);
    EXPECT_EQ(run.output, kUnlockedText);
    EXPECT_EQ(run.log, kRunning + kFinished);
    EXPECT_EQ(prompt.asked, 2);
    using Offer = RescueKeyRing::Offer;
    EXPECT_EQ(prompt.offers, (std::vector<Offer>{Offer::kTooShort, Offer::kWrong, Offer::kAccepted,
                                                 Offer::kAccepted}));
}

TEST(RescueJob, PasswordsOfAnEarlierRunAreTriedWithoutAsking) {
    ScriptedPrompt prompt({"bravo-key", "alpha-key"});
    RescueJob job(prompt);
    RunJob(job, TwoLockedGroups());
    // The wrong answer to the first question is kept and opens the second group unasked.
    EXPECT_EQ(prompt.asked, 1);
    const RunResult again = RunJob(job, TwoLockedGroups());
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(again.output, kUnlockedText);
    EXPECT_EQ(again.log, kRunning + kFinished);
}

TEST(RescueJob, CancelledItemsWriteNothingAndTheRunGoesOn) {
    ScriptedPrompt prompt({"alpha-key"});  // then cancels every further question
    const RunResult run = Rescue(TwoLockedGroups(), prompt);
    EXPECT_EQ(run.output, Title("root") + Title("alpha") + Title("a1 title") + Body("a1 body") +
                              Title("inner group") + Remark("inner remarks") + Title("a2 title") +
                              Body("a2 body") + Title("bravo"));
    EXPECT_EQ(run.log, kRunning + kSkipped + kSkipped + kFinished);
    EXPECT_EQ(prompt.asked, 3);
    EXPECT_EQ(run.outcome, RescueResult::kEndOfNote);
}

TEST(RescueJob, AYesWithoutAWorkingPasswordCountsAsCancel) {
    class CarelessPrompt : public RescuePasswordPrompt {
        bool AskPassword(RescueKeyRing&, const RescueEncryptedValue&) override { return true; }
    } prompt;
    const RunResult run = Rescue(TwoLockedGroups(), prompt);
    EXPECT_EQ(run.output, Title("root") + Title("alpha") + Title("bravo"));
    EXPECT_EQ(run.log, kRunning + kSkipped + kSkipped + kSkipped + kSkipped + kSkipped + kFinished);
}

// Hand-made encrypted records: an older check text, and a body that cannot be ciphertext.
TEST(RescueJob, OlderCheckTextsOpenAndBadBodiesAreWrittenAsStored) {
    const std::string olderCheck = "16 05 06 13 45 07";
    const std::string currentCheck = "2004 05 06 13 45 07";
    const std::uint32_t encrypted = ItemFlags::kEncrypted;
    ByteBuilder b = FullHeader();
    MemoRecord(b, 2,
               {Encrypt("key-1", olderCheck, "old title"), Encrypt("key-1", olderCheck, "old rem"),
                encrypted | ItemFlags::kHasRemarks},
               Encrypt("key-1", olderCheck, "old body"));
    MemoRecord(b, 3, {Encrypt("key-1", currentCheck, "bad body"), "", encrypted}, "13 bytes long");
    // Remarks are encrypted even when empty, and decrypt to nothing.
    GroupRecord(b, 4,
                {Encrypt("key-1", currentCheck, "group"), Encrypt("key-1", currentCheck, ""),
                 encrypted | ItemFlags::kHasRemarks});
    b.U8(0xFF);

    ScriptedPrompt prompt;
    RescueJob job(prompt);
    ASSERT_TRUE(job.KeyRing().AddPassword("key-1"));
    const RunResult run = RunJob(job, b.Bytes());
    EXPECT_EQ(run.output, Title("old title") + Remark("old rem") + Body("old body") +
                              Title("bad body") + Body("13 bytes long") + Title("group") +
                              Remark(""));
    EXPECT_EQ(run.log, kRunning + "<!> Failed to decrypt body.\r\n" + kFinished);
    EXPECT_EQ(prompt.asked, 0);
}

TEST(RescueJob, DamagedEncryptedMemoKeepsItsStoredBodyOrNothingWhenSkipped) {
    const std::string check = "2004 05 06 13 45 07";
    const std::string cipherBody = Encrypt("key-1", check, "secret");
    for (const bool known : {true, false}) {
        SCOPED_TRACE(known ? "opened" : "skipped");
        ByteBuilder b = FullHeader();
        b.U8(0x81);
        AppendBase(b, 2, 2, {Encrypt("key-1", check, "title"), "", ItemFlags::kEncrypted});
        b.TagStr(1, cipherBody).U8(0x40);
        ScriptedPrompt prompt;
        RescueJob job(prompt);
        if (known)
            job.KeyRing().AddPassword("key-1");
        const RunResult run = RunJob(job, b.Bytes());
        EXPECT_EQ(run.output, known ? Title("title") + Body(cipherBody) : "");
        EXPECT_EQ(run.log, kRunning + (known ? "" : kSkipped) + UnknownTag("40") + kFinished);
    }
}

// A stored length far beyond the data is damage, not a request for memory: even a stream that
// cannot tell its size reaches the end of the data and stops there.
TEST(RescueJob, HugeStoredLengthsStopAtTheEndOfTheData) {
    for (const bool hideSize : {false, true}) {
        SCOPED_TRACE(hideSize ? "size unknown" : "size known");
        for (const std::uint8_t tag : {6, 16}) {
            ByteBuilder b = FullHeader();
            MemoRecord(b, 2, {"kept"}, "body");
            b.U8(0x81).Tag32(1, 3).U8(tag).U32(0xFFFFFFF0).Str("short");
            const RunResult run = Rescue(b.Bytes(), {0, 0, hideSize});
            EXPECT_EQ(run.output, Title("kept") + Body("body"));
            EXPECT_EQ(run.log, kRunning + kEndOfData + kFinished);
        }
        ByteBuilder header;
        header.Magic().U8(19).U32(0xFFFFFFFF).Str("caption");
        const RunResult run = Rescue(header.Bytes(), {0, 0, hideSize});
        EXPECT_EQ(run.log, kRunning + kEndOfData + kFinished);
    }
}

TEST(RescueJob, ALongRunKeepsTheNewestLogLines) {
    const std::string check = "2004 05 06 13 45 07";
    ByteBuilder b = FullHeader();
    const int items = 3000;  // 3,000 skip lines are far more than the log holds
    for (int i = 0; i < items; ++i) {
        MemoRecord(b, static_cast<std::uint32_t>(i + 2),
                   {Encrypt("lost-key", check, "t"), "", ItemFlags::kEncrypted}, "");
    }
    MemoRecord(b, 9000, {"last"}, "plain");
    b.Tag32(1, 0).U8(0x20);

    const RunResult run = Rescue(b.Bytes());
    EXPECT_EQ(run.output, Title("last") + Body("plain"));
    EXPECT_LE(run.log.size(), RescueLog::kCapacity);
    EXPECT_GT(run.log.size(), RescueLog::kCapacity - kSkipped.size() - 100);
    EXPECT_TRUE(run.log.starts_with(kSkipped));
    EXPECT_TRUE(run.log.ends_with(kSkipped + UnknownTag("20") + kFinished));
}

}  // namespace
}  // namespace tidemark
