#pragma once

#include "core/common/system_time.h"

namespace tidemark {

// A clock for tests: returns the time it was given, advancing one second per call
// when asked to, so that stamps can be told apart.
class FixedClock : public Clock {
public:
    explicit FixedClock(SystemTime time, bool tick = false) : m_time(time), m_tick(tick) {}
    SystemTime Now() const override {
        SystemTime t = m_time;
        if (m_tick) m_time.second = static_cast<std::uint16_t>((m_time.second + 1) % 60);
        return t;
    }
    void Set(SystemTime time) { m_time = time; }

private:
    mutable SystemTime m_time;
    bool m_tick;
};

inline SystemTime MakeTime(int year, int month, int day, int hour, int minute, int second,
                           int ms = 0, int dayOfWeek = 0) {
    SystemTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.dayOfWeek = static_cast<std::uint16_t>(dayOfWeek);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    t.second = static_cast<std::uint16_t>(second);
    t.milliseconds = static_cast<std::uint16_t>(ms);
    return t;
}

}  // namespace tidemark
