#include "core/file/rescue_records.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "core/common/error_code.h"
#include "core/file/note_format.h"
#include "core/file/rescue_job.h"
#include "core/file/stream_io.h"
#include "core/model/item_crypto.h"
#include "core/model/item_id.h"
#include "core/strings/message_format.h"

namespace tidemark {

namespace {

// Stored strings are read this much at a time, so that a damaged length costs no more memory
// than the data that is really there, even from a stream that cannot tell its size.
constexpr std::size_t kStringChunk = std::size_t{1} << 20;

constexpr std::size_t kCustomColourCount = 16;
constexpr std::size_t kRecentMemoCount = 10;

void LogUnknownTag(RescueJob& job, std::uint8_t tag) {
    job.Log(FormatText("<!> Unknown property: id=0x%02x\r\nRescuing stopped.\r\n", {tag}));
}

void LogReadFailure(RescueJob& job, const IoError& error) {
    job.Log(FormatText("I/O Error occurred: %d\r\nRescuing stopped.\r\n", {error.Code()}));
}

ByteString ReadStoredString(ByteStream& in) {
    const std::uint32_t size = ReadU32(in);
    if (size > in.Remaining())
        throw IoError(ErrorCode::kHandleEof);
    ByteString text;
    std::size_t done = 0;
    while (done < size) {
        const std::size_t part = std::min<std::size_t>(size - done, kStringChunk);
        text.Resize(done + part);
        ReadExactly(in, text.MutableData() + done, part);
        done += part;
    }
    return text;
}

void SkipBytes(ByteStream& in, std::size_t count) {
    std::array<char, 4096> buffer;
    while (count > 0) {
        const std::size_t part = std::min(count, buffer.size());
        ReadExactly(in, buffer.data(), part);
        count -= part;
    }
}

void SkipStoredString(ByteStream& in) {
    const std::uint32_t size = ReadU32(in);
    if (size > in.Remaining())
        throw IoError(ErrorCode::kHandleEof);
    SkipBytes(in, size);
}

// Reads and drops the value of header tag 1 to 22.
void SkipHeaderValue(ByteStream& in, std::uint8_t tag) {
    switch (tag) {
        case NoteFormat::kTagCustomColours:
            SkipBytes(in, 4 * kCustomColourCount);
            break;
        case NoteFormat::kTagRemarksCaption:
            SkipStoredString(in);
            break;
        case NoteFormat::kTagRecentMemos:
            SkipBytes(in, 4 * kRecentMemoCount);
            break;
        default:
            SkipBytes(in, 4);
            break;
    }
}

void WriteSection(RescueJob& job, std::string_view header, std::string_view text) {
    job.WriteOutput(header);
    job.WriteOutput(text);
    job.WriteOutput(RescueText::kLineEnd);
}

// Reads base-section tags up to the closing 0xFF. False (logged) at a tag it does not know.
bool ReadBaseSection(RescueJob& job, RescuedItem& item) {
    ByteStream& in = job.Input();
    for (;;) {
        const std::uint8_t tag = ReadU8(in);
        switch (tag) {
            case NoteFormat::kItemId:
            case NoteFormat::kItemParent:
            case NoteFormat::kItemFirstChild:
            case NoteFormat::kItemPrevious:
            case NoteFormat::kItemNext:
            case NoteFormat::kItemOpen:
            case NoteFormat::kItemForeground:
            case NoteFormat::kItemType:
            case NoteFormat::kItemBackground:
            case NoteFormat::kItemChildCount:
            case NoteFormat::kItemSiblingIndex:
            case NoteFormat::kItemDepth:
                SkipBytes(in, 4);
                break;
            case NoteFormat::kItemTitle:
                item.title = ReadStoredString(in);
                break;
            case NoteFormat::kItemModified:
                item.modified = ReadSystemTime(in);
                break;
            case NoteFormat::kItemFlags:
                item.flags = ReadU32(in);
                break;
            case NoteFormat::kItemRemarks:
                item.remarks = ReadStoredString(in);
                break;
            case NoteFormat::kEnd:
                return true;
            default:
                LogUnknownTag(job, tag);
                return false;
        }
    }
}

// Writes an encrypted item's title and remarks when a password opens the title, asking the
// user when none of the key ring does.
void RescueEncryptedTexts(RescueJob& job, RescuedItem& item) {
    // The current check text and the one older versions wrote; the third form of a title
    // check repeats the first for every four-digit year.
    const auto candidates = CandidateCheckTexts(item.modified);
    const std::array<std::string, 2> checkTexts{candidates[0], candidates[1]};
    const RescueEncryptedValue title{item.title.View(), checkTexts};

    RescueKeyRing& ring = job.KeyRing();
    // A prompt that says yes without the ring having opened the title counts as a cancel.
    const bool opened =
        ring.TryDecrypt(title.value, title.checkTexts) ||
        (job.Prompt().AskPassword(ring, title) && ring.TryDecrypt(title.value, title.checkTexts));
    if (!opened) {
        job.Log("<!> Skip encrypted data.\r\n");
        item.text = RescuedItem::Text::kSkipped;
        return;
    }
    item.text = RescuedItem::Text::kDecrypted;
    WriteSection(job, RescueText::kTitle, ring.Result().View());
    if (item.flags & ItemFlags::kHasRemarks) {
        // Remarks whose length cannot be ciphertext are written as stored.
        const bool remarksOpened = ring.DecryptWithCurrent(item.remarks.View());
        WriteSection(job, RescueText::kRemarks,
                     remarksOpened ? ring.Result().View() : item.remarks.View());
    }
}

}  // namespace

RescueResult RescueStep(RescueJob& job) {
    ByteStream& in = job.Input();
    try {
        const std::uint8_t tag = ReadU8(in);
        if (tag >= NoteFormat::kTagVersion && tag <= NoteFormat::kLastHeaderTag) {
            SkipHeaderValue(in, tag);
            return RescueResult::kContinue;
        }
        switch (tag) {
            case NoteFormat::kRecordGroup: {
                RescuedItem item;
                return RescueItemRecord(job, item);
            }
            case NoteFormat::kRecordMemo:
                return RescueMemoRecord(job);
            case NoteFormat::kEnd:
                return RescueResult::kEndOfNote;
            default:
                LogUnknownTag(job, tag);
                return RescueResult::kStopped;
        }
    } catch (const IoError& error) {
        LogReadFailure(job, error);
        return RescueResult::kStopped;
    }
}

RescueResult RescueItemRecord(RescueJob& job, RescuedItem& item) {
    try {
        if (!ReadBaseSection(job, item))
            return RescueResult::kStopped;
    } catch (const IoError& error) {
        LogReadFailure(job, error);
        return RescueResult::kStopped;
    }

    if (!(item.flags & ItemFlags::kEncrypted)) {
        item.text = RescuedItem::Text::kPlain;
        WriteSection(job, RescueText::kTitle, item.title.View());
        if (item.flags & ItemFlags::kHasRemarks) {
            WriteSection(job, RescueText::kRemarks, item.remarks.View());
        }
        return RescueResult::kContinue;
    }
    RescueEncryptedTexts(job, item);
    return RescueResult::kEncryptedItem;
}

RescueResult RescueMemoRecord(RescueJob& job) {
    RescuedItem item;
    const RescueResult result = RescueItemRecord(job, item);
    if (result != RescueResult::kContinue && result != RescueResult::kEncryptedItem) {
        return result;
    }

    ByteStream& in = job.Input();
    ByteString body;
    bool complete = false;
    try {
        while (!complete) {
            const std::uint8_t tag = ReadU8(in);
            if (tag == NoteFormat::kMemoBody) {
                body = ReadStoredString(in);
            } else if (tag == NoteFormat::kMemoWordWrap) {
                SkipBytes(in, 4);
            } else if (tag == NoteFormat::kEnd) {
                complete = true;
            } else {
                LogUnknownTag(job, tag);
                break;
            }
        }
    } catch (const IoError& error) {
        LogReadFailure(job, error);
    }

    if (item.text != RescuedItem::Text::kSkipped) {
        job.WriteOutput(RescueText::kBody);
        // A damaged section gives what was stored before the damage, as it was stored.
        if (complete && item.text == RescuedItem::Text::kDecrypted) {
            RescueKeyRing& ring = job.KeyRing();
            if (ring.DecryptWithCurrent(body.View())) {
                job.WriteOutput(ring.Result().View());
            } else {
                job.Log("<!> Failed to decrypt body.");
                job.WriteOutput(body.View());
            }
        } else {
            job.WriteOutput(body.View());
        }
        job.WriteOutput(RescueText::kLineEnd);
    }
    return complete ? result : RescueResult::kStopped;
}

}  // namespace tidemark
