#pragma once

#include <cstdint>

#include "core/common/byte_string.h"

namespace tidemark {

// How a long sort reports progress and learns that the user cancelled it.
// The sort calls BeginGroup when it starts on a group, and Continue about
// every few milliseconds of work with the time since the whole sort began;
// the window behind it shows itself after a while and keeps the program
// responsive. Returning false from Continue cancels the sort.
class SortProgress {
public:
    virtual ~SortProgress() = default;
    virtual void BeginGroup(const ByteString& groupTitle) = 0;
    virtual bool Continue(std::uint64_t elapsedMilliseconds) = 0;
};

}  // namespace tidemark
