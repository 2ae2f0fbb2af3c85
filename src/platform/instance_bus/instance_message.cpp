#include "platform/instance_bus/instance_message.h"

#include <algorithm>
#include <cstring>

#include "core/common/little_endian.h"
#include "core/model/item_id.h"

namespace tidemark::instance {

namespace {

constexpr std::size_t kKindOffset = 5;
constexpr std::size_t kArgumentOffset = 6;
constexpr std::size_t kLengthOffset = 10;

bool IsKnownKind(std::uint8_t kind) {
    return (kind >= 1 && kind <= 8) || kind == static_cast<std::uint8_t>(MessageKind::Answer);
}

bool ArgumentFits(MessageKind kind, std::uint32_t argument) {
    switch (kind) {
        case MessageKind::HoldsNote:
            return argument <= kMaxItemId;
        case MessageKind::ReloadSettings:
        case MessageKind::Answer:
            return argument <= 1;
        default:
            return argument == 0;
    }
}

bool PayloadFits(MessageKind kind, std::span<const std::uint8_t> payload) {
    if (!CarriesPath(kind))
        return payload.empty();
    if (payload.empty() || payload.size() > kMaxPayload)
        return false;
    if (std::find(payload.begin(), payload.end(), std::uint8_t{0}) != payload.end())
        return false;
    return IsValidUtf8(payload);
}

}  // namespace

bool CarriesPath(MessageKind kind) {
    return kind == MessageKind::AddRecentPath || kind == MessageKind::HoldsNote;
}

bool ExpectsAnswer(MessageKind kind) {
    return kind != MessageKind::Close && kind != MessageKind::Answer;
}

bool LooksForOne(MessageKind kind) {
    return kind == MessageKind::HoldsNote || kind == MessageKind::IsResident ||
           kind == MessageKind::DefaultNoteChanged;
}

FrameReadResult ReadFrame(std::span<const std::uint8_t> bytes) {
    FrameReadResult result;
    if (bytes.empty())
        return result;  // Incomplete
    const std::size_t magicBytes = std::min(bytes.size(), sizeof kMagic);
    if (std::memcmp(bytes.data(), kMagic, magicBytes) != 0) {
        result.Status = FrameStatus::BadMagic;
        return result;
    }
    if (bytes.size() > 4 && bytes[4] != kVersion) {
        result.Status = FrameStatus::BadVersion;
        return result;
    }
    if (bytes.size() > kKindOffset && !IsKnownKind(bytes[kKindOffset])) {
        result.Status = FrameStatus::UnknownKind;
        return result;
    }
    if (bytes.size() < kHeaderSize)
        return result;  // Incomplete

    const auto kind = static_cast<MessageKind>(bytes[kKindOffset]);
    const std::uint32_t argument = LoadU32(bytes.data() + kArgumentOffset);
    const std::uint32_t length = LoadU32(bytes.data() + kLengthOffset);
    if (length > kMaxPayload) {
        result.Status = FrameStatus::TooLong;
        return result;
    }
    if (!ArgumentFits(kind, argument)) {
        result.Status = FrameStatus::BadArgument;
        return result;
    }
    if (!CarriesPath(kind) && length != 0) {
        result.Status = FrameStatus::BadPayload;
        return result;
    }
    if (bytes.size() - kHeaderSize < length)
        return result;  // Incomplete

    const auto payload = bytes.subspan(kHeaderSize, length);
    if (!PayloadFits(kind, payload)) {
        result.Status = FrameStatus::BadPayload;
        return result;
    }
    result.Status = FrameStatus::Complete;
    result.Value.Kind = kind;
    result.Value.Argument = argument;
    result.Value.Payload.assign(payload.begin(), payload.end());
    result.Consumed = kHeaderSize + length;
    return result;
}

FrameReadResult ReadWholeFrame(std::span<const std::uint8_t> bytes) {
    FrameReadResult result = ReadFrame(bytes);
    if (result.Status == FrameStatus::Complete && result.Consumed != bytes.size()) {
        result = FrameReadResult{};
        result.Status = FrameStatus::TrailingBytes;
    }
    return result;
}

std::optional<std::vector<std::uint8_t>> EncodeFrame(const Message& message) {
    const auto* text = reinterpret_cast<const std::uint8_t*>(message.Payload.data());
    const std::span<const std::uint8_t> payload(text, message.Payload.size());
    if (!IsKnownKind(static_cast<std::uint8_t>(message.Kind)) ||
        !ArgumentFits(message.Kind, message.Argument) || !PayloadFits(message.Kind, payload))
        return std::nullopt;

    std::vector<std::uint8_t> frame(kHeaderSize + payload.size());
    std::copy(std::begin(kMagic), std::end(kMagic), frame.begin());
    frame[4] = kVersion;
    frame[kKindOffset] = static_cast<std::uint8_t>(message.Kind);
    StoreU32(frame.data() + kArgumentOffset, message.Argument);
    StoreU32(frame.data() + kLengthOffset, static_cast<std::uint32_t>(payload.size()));
    std::copy(payload.begin(), payload.end(), frame.begin() + kHeaderSize);
    return frame;
}

bool IsValidUtf8(std::span<const std::uint8_t> text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint8_t lead = text[i];
        std::size_t extra = 0;
        std::uint32_t code = 0;
        std::uint32_t least = 0;  // the smallest code point this length may carry
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1Fu;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0Fu;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07u;
            least = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i <= extra)
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const std::uint8_t next = text[i + k];
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace tidemark::instance
