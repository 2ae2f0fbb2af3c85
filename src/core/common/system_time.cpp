#include "core/common/system_time.h"

#include <chrono>
#include <ctime>

namespace tidemark {

int CompareTimes(const SystemTime& a, const SystemTime& b) {
    const std::uint16_t left[] = {a.year, a.month, a.day, a.hour, a.minute, a.second, a.milliseconds};
    const std::uint16_t right[] = {b.year, b.month, b.day, b.hour, b.minute, b.second, b.milliseconds};
    for (int i = 0; i < 7; ++i) {
        if (left[i] != right[i]) return left[i] < right[i] ? -1 : 1;
    }
    return 0;
}

SystemTime SystemClock::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    SystemTime t;
    t.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    t.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
    t.day = static_cast<std::uint16_t>(local.tm_mday);
    t.hour = static_cast<std::uint16_t>(local.tm_hour);
    t.minute = static_cast<std::uint16_t>(local.tm_min);
    t.second = static_cast<std::uint16_t>(local.tm_sec);
    t.milliseconds = static_cast<std::uint16_t>(ms);
    return t;
}

const SystemClock& SystemClock::Instance() {
    static const SystemClock clock;
    return clock;
}

}  // namespace tidemark
