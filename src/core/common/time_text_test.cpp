#include "core/common/time_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/cp932_codec.h"

namespace tidemark {
namespace {

// Expected texts are written in UTF-8 here and compared as the CP932 bytes the helpers return.
std::string Sjis(std::string_view utf8) {
    const Cp932Text text = Utf8ToCp932(utf8);
    EXPECT_TRUE(text.Complete()) << utf8;
    return text.bytes;
}

SystemTime Time(std::uint16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t hour,
                std::uint16_t minute, std::uint16_t second) {
    SystemTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.milliseconds = 89;
    return t;
}

const SystemTime kThursday = Time(2004, 5, 6, 13, 45, 7);  // 2004-05-06 was a Thursday

TEST(DisplayTime, IsTheShortDateAndTheHourAndMinute) {
    EXPECT_EQ(DisplayTime(kThursday), "2004/05/06 13:45");
    EXPECT_EQ(DisplayTime(Time(2004, 5, 6, 9, 5, 59)), "2004/05/06 9:05");
    EXPECT_EQ(DisplayTime(Time(1999, 12, 31, 0, 0, 0)), "1999/12/31 0:00");
}

TEST(FormatPictured, JoinsTheDateAndTimePartsWithOneSpace) {
    // The form that locked groups check their password against.
    EXPECT_EQ(FormatPictured(kThursday, "yyyy MM dd", "HH mm ss"), "2004 05 06 13 45 07");
    EXPECT_EQ(FormatPictured(kThursday, "", ""), " ");
}

TEST(FormatDatePicture, ExpandsDayMonthAndYearPictures) {
    struct Case {
        SystemTime time;
        std::string picture;
        std::string expected;
    };
    const SystemTime early = Time(2009, 1, 2, 0, 0, 0);
    const Case cases[] = {
        {kThursday, "d dd", "6 06"},
        {kThursday, "M MM MMM", "5 05 5"},
        {kThursday, "MMMM", Sjis("5月")},
        {early, "y yy yyy yyyy", "9 09 2009 2009"},
        {kThursday, "ggyyyy", "2004"},
        {kThursday, "ddd", Sjis("木")},
        {kThursday, "dddd", Sjis("木曜日")},
        {kThursday, "yyyy/M/d (H:mm)", "2004/5/6 (H:mm)"},  // time letters are plain text
        {kThursday, "'d''M' d", "d'M 6"},
        {kThursday, "''d", "'6"},
        {kThursday, "'open d", "open d"},
        {kThursday, std::string("d\0d", 3), "6"},
        // ト is 0x83 0x67 ("g") and ギ is 0x83 0x4D ("M"): copied as characters.
        {kThursday, "\x83\x67\x83\x4d d", Sjis("トギ 6")},
        {kThursday, "yyyy'\x94\x4e'M'\x8c\x8e'd'\x93\xfa'", Sjis("2004年5月6日")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDatePicture(c.time, c.picture), c.expected) << c.picture;
    }
}

TEST(FormatDatePicture, NamesEveryDayOfTheWeekFromTheDateItself) {
    const char* const names[] = {"日曜日", "月曜日", "火曜日", "水曜日",
                                 "木曜日", "金曜日", "土曜日"};
    for (std::uint16_t i = 0; i < 7; ++i) {
        SystemTime time =
            Time(2004, 5, static_cast<std::uint16_t>(2 + i), 0, 0, 0);  // 2 May: Sunday
        time.dayOfWeek = static_cast<std::uint16_t>((i + 3) % 7);       // a wrong stored value
        EXPECT_EQ(FormatDatePicture(time, "dddd"), Sjis(names[i])) << "day " << time.day;
    }
}

TEST(FormatTimePicture, ExpandsHourMinuteSecondAndMarkerPictures) {
    struct Case {
        SystemTime time;
        std::string picture;
        std::string expected;
    };
    const SystemTime morning = Time(2004, 5, 6, 9, 5, 7);
    const SystemTime midnight = Time(2004, 5, 6, 0, 0, 0);
    const SystemTime noon = Time(2004, 5, 6, 12, 30, 0);
    const Case cases[] = {
        {morning, "H:m:s", "9:5:7"},
        {morning, "HH:mm:ss", "09:05:07"},
        {kThursday, "h hh", "1 01"},
        {midnight, "h hh H", "12 12 0"},
        {noon, "h", "12"},
        {morning, "tt h:mm", Sjis("午前 9:05")},
        {kThursday, "tt h:mm", Sjis("午後 1:45")},
        {noon, "tt", Sjis("午後")},
        {midnight, "t", Sjis("午")},
        {kThursday, "yyyy/MM/dd H:mm", "yyyy/MM/dd 13:45"},  // date letters are plain text
        {kThursday, "'H'H 'mm'm", "H13 mm45"},
        // ノ is 0x83 0x6D ("m"): copied as a character.
        {kThursday, "\x83\x6dm", Sjis("ノ45")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatTimePicture(c.time, c.picture), c.expected) << c.picture;
    }
}

TEST(DefaultDateTimePicture, IsTheLongDateAndTheTimeWithSeconds) {
    const std::string picture = DefaultDateTimePicture();
    EXPECT_EQ(picture, Sjis("yyyy'年'M'月'd'日' H:mm:ss"));
    // The insertion command expands it as a date picture and then as a time picture.
    EXPECT_EQ(FormatTimePicture(kThursday, FormatDatePicture(kThursday, picture)),
              Sjis("2004年5月6日 13:45:07"));
}

}  // namespace
}  // namespace tidemark
