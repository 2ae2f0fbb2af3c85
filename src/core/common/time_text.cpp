#include "core/common/time_text.h"

#include <chrono>
#include <cstdint>

#include "core/common/sjis.h"

namespace tidemark {
namespace {

// CP932 bytes of the Japanese words used below.
constexpr std::string_view kDayNames[7] = {
    "\x93\xfa",  // 日
    "\x8c\x8e",  // 月
    "\x89\xce",  // 火
    "\x90\x85",  // 水
    "\x96\xd8",  // 木
    "\x8b\xe0",  // 金
    "\x93\x79",  // 土
};
constexpr std::string_view kDaySuffix = "\x97\x6a\x93\xfa";  // 曜日
constexpr std::string_view kMonthSuffix = "\x8c\x8e";        // 月
constexpr std::string_view kMorning = "\x8c\xdf\x91\x4f";    // 午前
constexpr std::string_view kAfternoon = "\x8c\xdf\x8c\xe3";  // 午後

constexpr std::string_view kShortDatePicture = "yyyy/MM/dd";
constexpr std::string_view kShortTimePicture = "H:mm";
// yyyy'年'M'月'd'日'
constexpr std::string_view kLongDatePicture = "yyyy'\x94\x4e'M'\x8c\x8e'd'\x93\xfa'";
constexpr std::string_view kTimePicture = "H:mm:ss";

enum class PictureKind { kDate, kTime };

bool IsPictureLetter(char c, PictureKind kind) {
    if (kind == PictureKind::kDate)
        return c == 'd' || c == 'M' || c == 'y' || c == 'g';
    return c == 'H' || c == 'h' || c == 'm' || c == 's' || c == 't';
}

void AppendNumber(std::string& out, unsigned value, std::size_t minDigits) {
    const std::string digits = std::to_string(value);
    if (digits.size() < minDigits)
        out.append(minDigits - digits.size(), '0');
    out += digits;
}

unsigned DayOfWeek(const SystemTime& time) {
    using namespace std::chrono;
    const year_month_day date{year{time.year}, month{time.month}, day{time.day}};
    if (date.ok())
        return weekday{sys_days{date}}.c_encoding();
    return time.dayOfWeek % 7u;
}

// Appends the value of a run of `count` picture letters `letter`.
void AppendElement(std::string& out, const SystemTime& time, char letter, std::size_t count) {
    const std::size_t digits = count >= 2 ? 2 : 1;
    switch (letter) {
        case 'd':
            if (count <= 2) {
                AppendNumber(out, time.day, digits);
            } else {
                out += kDayNames[DayOfWeek(time)];
                if (count >= 4)
                    out += kDaySuffix;
            }
            break;
        case 'M':
            AppendNumber(out, time.month, count == 2 ? 2 : 1);
            if (count >= 4)
                out += kMonthSuffix;
            break;
        case 'y':
            if (count <= 2) {
                AppendNumber(out, time.year % 100u, digits);
            } else {
                AppendNumber(out, time.year, 4);
            }
            break;
        case 'g':
            break;
        case 'H':
            AppendNumber(out, time.hour, digits);
            break;
        case 'h':
            AppendNumber(out, time.hour % 12u == 0 ? 12u : time.hour % 12u, digits);
            break;
        case 'm':
            AppendNumber(out, time.minute, digits);
            break;
        case 's':
            AppendNumber(out, time.second, digits);
            break;
        case 't': {
            const std::string_view designator = time.hour < 12 ? kMorning : kAfternoon;
            out += count == 1 ? designator.substr(0, 2) : designator;
            break;
        }
        default:
            break;
    }
}

std::string FormatPicture(const SystemTime& time, std::string_view picture, PictureKind kind) {
    std::string out;
    bool quoted = false;
    std::size_t pos = 0;
    while (pos < picture.size() && picture[pos] != '\0') {
        const std::size_t length = NextCharLength(picture, pos);
        const char c = picture[pos];
        if (length == 2) {
            out += picture.substr(pos, 2);
        } else if (c == '\'') {
            if (pos + 1 < picture.size() && picture[pos + 1] == '\'') {
                out += '\'';
                ++pos;
            } else {
                quoted = !quoted;
            }
        } else if (!quoted && IsPictureLetter(c, kind)) {
            std::size_t count = 1;
            while (pos + count < picture.size() && picture[pos + count] == c)
                ++count;
            AppendElement(out, time, c, count);
            pos += count;
            continue;
        } else {
            out += c;
        }
        pos += length;
    }
    return out;
}

}  // namespace

std::string FormatDatePicture(const SystemTime& time, std::string_view picture) {
    return FormatPicture(time, picture, PictureKind::kDate);
}

std::string FormatTimePicture(const SystemTime& time, std::string_view picture) {
    return FormatPicture(time, picture, PictureKind::kTime);
}

std::string FormatPictured(const SystemTime& time, std::string_view datePicture,
                           std::string_view timePicture) {
    std::string text = FormatDatePicture(time, datePicture);
    text += ' ';
    text += FormatTimePicture(time, timePicture);
    return text;
}

std::string DisplayTime(const SystemTime& time) {
    return FormatPictured(time, kShortDatePicture, kShortTimePicture);
}

std::string DefaultDateTimePicture() {
    std::string picture(kLongDatePicture);
    picture += ' ';
    picture += kTimePicture;
    return picture;
}

}  // namespace tidemark
