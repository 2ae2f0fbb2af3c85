#pragma once

// The frames that the windows of the program exchange over their local
// sockets. Standard C++ only, no sockets: the server and the sender feed it
// the bytes they have, so it can be tested and fuzzed on bytes alone.
//
// A frame is a fixed 14-byte header followed by its payload:
//
//   offset size
//        0    4  magic "TMIB"
//        4    1  version (1)
//        5    1  kind (MessageKind)
//        6    4  argument, little-endian u32
//       10    4  payload length, little-endian u32, at most kMaxPayload
//       14    n  payload: UTF-8 text without NUL (a note path), or nothing
//
// Each kind says whether it carries a path and which arguments it takes;
// a frame that breaks any rule is refused whole.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tidemark::instance {

inline constexpr std::uint8_t kMagic[4] = {'T', 'M', 'I', 'B'};
inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 14;
// Paths travel inside the frame; nothing longer than this is read or sent.
inline constexpr std::uint32_t kMaxPayload = 64 * 1024;

enum class MessageKind : std::uint8_t {
    AddRecentPath = 1,       // payload: a path for the recent-notes list
    HoldsNote = 2,           // payload: a path; argument: item to show, 0 for none
    ReloadSettings = 3,      // argument: 1 to apply them as well, 0 to only read them
    ScriptsChanged = 4,      // the registered scripts were changed
    BringToFront = 5,        // the receiver raises its window
    Close = 6,               // the receiver closes its window; never answered
    IsResident = 7,          // answered yes by the resident process
    DefaultNoteChanged = 8,  // the resident process reads the default note again
    Answer = 0x80,           // the receiver's reply; argument: 1 yes, 0 no
};

struct Message {
    MessageKind Kind = MessageKind::Answer;
    std::uint32_t Argument = 0;
    std::string Payload;  // UTF-8

    bool operator==(const Message&) const = default;
};

// Whether a query kind takes a path in its payload.
bool CarriesPath(MessageKind kind);
// Whether the sender waits for an Answer frame after a query of this kind.
bool ExpectsAnswer(MessageKind kind);
// Whether a query of this kind looks for one window: the sender stops at the
// first that answers yes.
bool LooksForOne(MessageKind kind);

enum class FrameStatus {
    Complete,    // a valid frame: Message and Consumed are set
    Incomplete,  // valid so far; more bytes are needed
    BadMagic,
    BadVersion,
    UnknownKind,
    TooLong,      // the claimed payload length is above kMaxPayload
    BadArgument,  // an argument the kind does not take
    BadPayload,   // a path that is missing, not UTF-8 or holds NUL; or a payload where none belongs
    TrailingBytes,
};

struct FrameReadResult {
    FrameStatus Status = FrameStatus::Incomplete;
    Message Value;             // only with Complete
    std::size_t Consumed = 0;  // header and payload, only with Complete
};

// Reads the frame at the start of `bytes`, which may hold only its first part
// or more than one frame. Header errors are reported as soon as the bytes
// that show them are there, so a stream of garbage is refused at once and a
// huge claimed length before any payload arrives. The payload is copied only
// once it is complete and no larger than kMaxPayload.
FrameReadResult ReadFrame(std::span<const std::uint8_t> bytes);

// Reads a buffer that must hold exactly one frame: an incomplete frame or
// bytes after the frame are errors too.
FrameReadResult ReadWholeFrame(std::span<const std::uint8_t> bytes);

// The bytes of `message`, or nothing when it breaks the rules that ReadFrame
// checks (a path too long, not UTF-8, an argument its kind does not take).
std::optional<std::vector<std::uint8_t>> EncodeFrame(const Message& message);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::span<const std::uint8_t> text);

}  // namespace tidemark::instance
