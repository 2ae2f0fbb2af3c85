#include "core/common/system_time.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tidemark {
namespace {

SystemTime Time(std::uint16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t hour,
                std::uint16_t minute, std::uint16_t second, std::uint16_t ms,
                std::uint16_t dayOfWeek = 0) {
    SystemTime t;
    t.year = year;
    t.month = month;
    t.dayOfWeek = dayOfWeek;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.milliseconds = ms;
    return t;
}

TEST(CompareTimes, TheFirstDifferingFieldDecides) {
    const SystemTime base = Time(2004, 5, 6, 13, 45, 7, 500);
    struct Case {
        const char* what;
        SystemTime other;
        int expected;  // CompareTimes(base, other)
    };
    const Case cases[] = {
        {"same", base, 0},
        {"year", Time(2005, 1, 1, 0, 0, 0, 0), -1},
        {"month", Time(2004, 4, 30, 23, 59, 59, 999), 1},
        {"day", Time(2004, 5, 7, 0, 0, 0, 0), -1},
        {"hour", Time(2004, 5, 6, 12, 59, 59, 999), 1},
        {"minute", Time(2004, 5, 6, 13, 46, 0, 0), -1},
        {"second", Time(2004, 5, 6, 13, 45, 6, 999), 1},
        {"milliseconds", Time(2004, 5, 6, 13, 45, 7, 501), -1},
        {"day of week only", Time(2004, 5, 6, 13, 45, 7, 500, 4), 0},
        // Fields are unsigned 16-bit numbers: 0xFFFF is the largest, not -1.
        {"unsigned", Time(0xFFFF, 1, 1, 0, 0, 0, 0), -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareTimes(base, c.other), c.expected) << c.what;
        EXPECT_EQ(CompareTimes(c.other, base), -c.expected) << c.what << " (swapped)";
    }
}

TEST(SystemClock, GivesALocalTimeWhoseFieldsFitTogether) {
    const SystemTime now = SystemClock::Instance().Now();
    using namespace std::chrono;
    const year_month_day date{year{now.year}, month{now.month}, day{now.day}};
    ASSERT_TRUE(date.ok());
    EXPECT_GE(now.year, 2020);
    EXPECT_EQ(now.dayOfWeek, weekday{sys_days{date}}.c_encoding());
    EXPECT_LE(now.hour, 23);
    EXPECT_LE(now.minute, 59);
    EXPECT_LE(now.second, 60);
    EXPECT_LE(now.milliseconds, 999);
}

}  // namespace
}  // namespace tidemark
