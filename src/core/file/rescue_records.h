#pragma once

#include <cstdint>
#include <string_view>

#include "core/common/byte_string.h"
#include "core/common/system_time.h"

namespace tidemark {

class RescueJob;

// What one step of a rescue found.
enum class RescueResult {
    kContinue = 0,       // more to read
    kEndOfNote = 1,      // the end tag was read
    kStopped = 2,        // damage or a failed read; the log says which
    kEncryptedItem = 3,  // more to read; the record just rescued was encrypted
};

// The text file a rescue writes, in CP932: each rescued item as a header line and its text,
// each followed by CR LF. The three header lines are 29 characters long.
namespace RescueText {
inline constexpr std::string_view kTitle = "##########  TITLE  ##########\r\n";
inline constexpr std::string_view kRemarks = "##########  REMARK  #########\r\n";
inline constexpr std::string_view kBody = "##########  BODY  ###########\r\n";
inline constexpr std::string_view kLineEnd = "\r\n";
}  // namespace RescueText

// The fields of one item record that the rescue keeps, and what became of its text.
struct RescuedItem {
    enum class Text {
        kPlain,      // written as stored
        kDecrypted,  // a password of the key ring opened the title
        kSkipped,    // encrypted, and the user gave up: nothing of it is written
    };

    ByteString title;
    ByteString remarks;
    std::uint32_t flags = 0;
    SystemTime modified;
    Text text = Text::kPlain;
};

// One step: reads a tag from the job's input and the header value or item record it starts,
// and writes what it can of the record. A step never reads past one record; a stored length
// larger than the data is refused before anything is allocated for it.
RescueResult RescueStep(RescueJob& job);

// The base section of a record whose type tag has been read, then its title and remarks
// (decrypted when the key ring or the user's password opens them). `item` receives the
// fields. Returns kContinue, kEncryptedItem or kStopped; a stopped record writes nothing.
RescueResult RescueItemRecord(RescueJob& job, RescuedItem& item);

// A memo record: RescueItemRecord, then the memo section and its body.
RescueResult RescueMemoRecord(RescueJob& job);

}  // namespace tidemark
