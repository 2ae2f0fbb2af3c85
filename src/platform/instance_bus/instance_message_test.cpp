#include "platform/instance_bus/instance_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/little_endian.h"

namespace {

using namespace tidemark::instance;
using Bytes = std::vector<std::uint8_t>;

Bytes encode(MessageKind kind, std::uint32_t argument, const std::string& payload) {
    auto frame = EncodeFrame(Message{kind, argument, payload});
    EXPECT_TRUE(frame.has_value());
    return frame.value_or(Bytes{});
}

// A header as another program might write it, with any values.
Bytes header(std::uint8_t kind, std::uint32_t argument, std::uint32_t length) {
    Bytes bytes{'T', 'M', 'I', 'B', kVersion, kind, 0, 0, 0, 0, 0, 0, 0, 0};
    tidemark::StoreU32(bytes.data() + 6, argument);
    tidemark::StoreU32(bytes.data() + 10, length);
    return bytes;
}

Bytes withPayload(Bytes bytes, const std::string& payload) {
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

TEST(InstanceMessage, KeepsTheLayoutThatOtherBuildsRead) {
    const Bytes expected{'T', 'M', 'I', 'B', 1, 2, 5, 0, 0, 0, 3, 0, 0, 0, '/', 'a', 'b'};
    EXPECT_EQ(encode(MessageKind::HoldsNote, 5, "/ab"), expected);
}

TEST(InstanceMessage, EveryKindComesBackAsWritten) {
    const std::string japanese = "/home/u/ノート/日記.tmk";
    const std::vector<Message> messages = {
        {MessageKind::AddRecentPath, 0, japanese},
        {MessageKind::HoldsNote, 0, "/n/a.tmk"},
        {MessageKind::HoldsNote, 0x7FFFFFFF, japanese},
        {MessageKind::ReloadSettings, 0, ""},
        {MessageKind::ReloadSettings, 1, ""},
        {MessageKind::ScriptsChanged, 0, ""},
        {MessageKind::BringToFront, 0, ""},
        {MessageKind::Close, 0, ""},
        {MessageKind::IsResident, 0, ""},
        {MessageKind::DefaultNoteChanged, 0, ""},
        {MessageKind::Answer, 0, ""},
        {MessageKind::Answer, 1, ""},
        {MessageKind::AddRecentPath, 0, std::string(kMaxPayload, 'x')},
    };
    for (const Message& message : messages) {
        const Bytes frame = encode(message.Kind, message.Argument, message.Payload);
        const FrameReadResult read = ReadWholeFrame(frame);
        ASSERT_EQ(read.Status, FrameStatus::Complete) << static_cast<int>(message.Kind);
        EXPECT_EQ(read.Value, message);
        EXPECT_EQ(read.Consumed, frame.size());
    }
}

TEST(InstanceMessage, AFrameCutAnywhereWaitsForTheRest) {
    const Bytes frame = encode(MessageKind::HoldsNote, 9, "/n/ノート.tmk");
    for (std::size_t size = 0; size < frame.size(); ++size) {
        const std::span<const std::uint8_t> part(frame.data(), size);
        EXPECT_EQ(ReadFrame(part).Status, FrameStatus::Incomplete) << size;
        EXPECT_NE(ReadWholeFrame(part).Status, FrameStatus::Complete) << size;
    }
}

TEST(InstanceMessage, FramesBackToBackAreReadOneAtATime) {
    const Bytes first = encode(MessageKind::AddRecentPath, 0, "/n/a.tmk");
    const Bytes second = encode(MessageKind::BringToFront, 0, "");
    Bytes both = first;
    both.insert(both.end(), second.begin(), second.end());

    const FrameReadResult read = ReadFrame(both);
    ASSERT_EQ(read.Status, FrameStatus::Complete);
    EXPECT_EQ(read.Consumed, first.size());
    EXPECT_EQ(ReadFrame(std::span(both).subspan(read.Consumed)).Value.Kind,
              MessageKind::BringToFront);
    // A buffer that must be one frame refuses what follows it.
    EXPECT_EQ(ReadWholeFrame(both).Status, FrameStatus::TrailingBytes);
    Bytes oneMore = first;
    oneMore.push_back(0);
    EXPECT_EQ(ReadWholeFrame(oneMore).Status, FrameStatus::TrailingBytes);
}

TEST(InstanceMessage, RefusesDamagedFrames) {
    const auto recent = static_cast<std::uint8_t>(MessageKind::AddRecentPath);
    const auto holds = static_cast<std::uint8_t>(MessageKind::HoldsNote);
    const auto reload = static_cast<std::uint8_t>(MessageKind::ReloadSettings);
    const auto close = static_cast<std::uint8_t>(MessageKind::Close);
    const auto answer = static_cast<std::uint8_t>(MessageKind::Answer);
    Bytes badVersion = header(close, 0, 0);
    badVersion[4] = 2;
    struct Case {
        const char* what;
        Bytes bytes;
        FrameStatus status;
    };
    const std::vector<Case> cases = {
        // Refused from the first byte that shows it, before a whole header is there.
        {"other magic", Bytes{'X'}, FrameStatus::BadMagic},
        {"magic cut and wrong", Bytes{'T', 'M', 'X'}, FrameStatus::BadMagic},
        {"text of another protocol", withPayload({}, "GET / HTTP/1.1\r\n"), FrameStatus::BadMagic},
        {"other version", Bytes(badVersion.begin(), badVersion.begin() + 5),
         FrameStatus::BadVersion},
        {"kind 0", Bytes{'T', 'M', 'I', 'B', kVersion, 0}, FrameStatus::UnknownKind},
        {"kind 9", header(9, 0, 0), FrameStatus::UnknownKind},
        {"kind 0x81", header(0x81, 0, 0), FrameStatus::UnknownKind},
        // A claimed length is judged on the header alone: nothing waits for,
        // or makes room for, a payload above the limit.
        {"length 4 GiB", header(recent, 0, 0xFFFFFFFF), FrameStatus::TooLong},
        {"length one above the limit", header(holds, 0, kMaxPayload + 1), FrameStatus::TooLong},
        {"payload where none belongs", withPayload(header(reload, 1, 2), "/a"),
         FrameStatus::BadPayload},
        {"payload length where none belongs", header(close, 0, 1), FrameStatus::BadPayload},
        {"answer with a payload", withPayload(header(answer, 1, 1), "x"), FrameStatus::BadPayload},
        {"empty path", header(holds, 0, 0), FrameStatus::BadPayload},
        {"NUL inside the path", withPayload(header(recent, 0, 4), std::string("/a\0b", 4)),
         FrameStatus::BadPayload},
        {"overlong UTF-8", withPayload(header(recent, 0, 3), "/\xC0\xAF"), FrameStatus::BadPayload},
        {"UTF-8 cut short", withPayload(header(recent, 0, 3), "/\xE3\x81"),
         FrameStatus::BadPayload},
        {"stray continuation byte", withPayload(header(recent, 0, 2), "/\x80"),
         FrameStatus::BadPayload},
        {"surrogate in UTF-8", withPayload(header(recent, 0, 4), "/\xED\xA0\x80"),
         FrameStatus::BadPayload},
        {"above U+10FFFF", withPayload(header(recent, 0, 5), "/\xF4\x90\x80\x80"),
         FrameStatus::BadPayload},
        {"Shift-JIS bytes", withPayload(header(recent, 0, 5), "/\x83\x6D\x81\x5B"),
         FrameStatus::BadPayload},
        {"reload flag 2", header(reload, 2, 0), FrameStatus::BadArgument},
        {"item id above the largest", withPayload(header(holds, 0x80000000u, 2), "/a"),
         FrameStatus::BadArgument},
        {"answer flag 2", header(answer, 2, 0), FrameStatus::BadArgument},
        {"argument to close", header(close, 1, 0), FrameStatus::BadArgument},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadFrame(c.bytes).Status, c.status) << c.what;
        EXPECT_EQ(ReadWholeFrame(c.bytes).Status, c.status) << c.what;
    }
}

TEST(InstanceMessage, RefusesToEncodeWhatItWouldNotRead) {
    const std::vector<Message> refused = {
        {MessageKind::AddRecentPath, 0, std::string(kMaxPayload + 1, 'x')},
        {MessageKind::AddRecentPath, 0, ""},
        {MessageKind::HoldsNote, 0, "/\xFF"},
        {MessageKind::HoldsNote, 0x80000000u, "/a"},
        {MessageKind::ReloadSettings, 2, ""},
        {MessageKind::BringToFront, 0, "/a"},
        {static_cast<MessageKind>(9), 0, ""},
    };
    for (const Message& message : refused)
        EXPECT_FALSE(EncodeFrame(message).has_value()) << static_cast<int>(message.Kind);
}

}  // namespace
