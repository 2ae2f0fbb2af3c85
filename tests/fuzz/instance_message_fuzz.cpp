// Feeds arbitrary bytes to the reader of instance bus frames: whatever process
// of the user connects to a window's socket may send anything. Reading must
// never crash; a frame it accepts must be written back to the same bytes, and
// a refused start must stay refused however many bytes follow it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/instance_bus/instance_message.h"

using namespace tidemark::instance;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const FrameReadResult read = ReadFrame(bytes);
    const FrameReadResult whole = ReadWholeFrame(bytes);

    if (read.Status == FrameStatus::Complete) {
        if (read.Consumed > size || read.Value.Payload.size() > kMaxPayload)
            std::abort();
        const auto again = EncodeFrame(read.Value);
        if (!again || !std::equal(again->begin(), again->end(), data, data + read.Consumed))
            std::abort();
        const bool exact = read.Consumed == size;
        if ((whole.Status == FrameStatus::Complete) != exact)
            std::abort();
        if (!exact && whole.Status != FrameStatus::TrailingBytes)
            std::abort();
        // The frame without its last byte is waiting for it.
        if (ReadFrame(bytes.first(read.Consumed - 1)).Status != FrameStatus::Incomplete)
            std::abort();
    } else if (read.Status == FrameStatus::Incomplete) {
        if (whole.Status != FrameStatus::Incomplete)
            std::abort();
    } else {
        if (whole.Status != read.Status)
            std::abort();
        // A refusal never turns into waiting for more: the first bytes decide.
        for (std::size_t cut = size; cut-- > 0;) {
            const FrameStatus shorter = ReadFrame(bytes.first(cut)).Status;
            if (shorter == FrameStatus::Complete)
                std::abort();
            if (shorter == FrameStatus::Incomplete)
                break;
        }
    }
    return 0;
}
