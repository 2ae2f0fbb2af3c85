#pragma once

#include <compare>
#include <cstdint>

namespace tidemark {

// The 16-byte calendar-time record stored in note files, in local time.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;  // 0 = Sunday
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;

    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// Orders two times field by field (year, month, day, hour, minute, second,
// milliseconds); the day of the week takes no part. Returns -1, 0 or 1.
int CompareTimes(const SystemTime& a, const SystemTime& b);

// A source of the current local time; tests give a fixed one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual SystemTime Now() const = 0;
};

// The real local time of this machine.
class SystemClock : public Clock {
public:
    SystemTime Now() const override;
    static const SystemClock& Instance();
};

}  // namespace tidemark
