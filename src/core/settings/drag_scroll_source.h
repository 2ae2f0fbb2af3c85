#pragma once

#include <cstdint>

namespace tidemark {

// How a list scrolls while something is dragged near its edge: the width of
// the edge band in pixels, the wait before scrolling starts and the time
// between steps, in milliseconds. They belong to the system, not to the
// program: read at every load, never stored.
struct DragScrollValues {
    static constexpr std::int32_t kDefaultInset = 11;
    static constexpr std::int32_t kDefaultDelay = 50;
    static constexpr std::int32_t kDefaultInterval = 50;

    std::int32_t Inset = kDefaultInset;
    std::int32_t Delay = kDefaultDelay;
    std::int32_t Interval = kDefaultInterval;

    friend bool operator==(const DragScrollValues&, const DragScrollValues&) = default;
};

// Where the drag-scroll values come from; a value the system does not set
// keeps its default.
class DragScrollSource {
public:
    virtual ~DragScrollSource() = default;
    virtual DragScrollValues ReadDragScrollValues() const = 0;
};

// The defaults alone, for runs without system settings.
class DefaultDragScrollSource : public DragScrollSource {
public:
    DragScrollValues ReadDragScrollValues() const override { return {}; }
};

}  // namespace tidemark
