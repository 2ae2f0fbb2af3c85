#pragma once

#include <string>
#include <string_view>

#include "core/common/system_time.h"

namespace tidemark {

// Times as text, in the Japanese conventions of the program. All texts, pictures and results
// alike, are CP932 bytes. Pictures are walked by characters, so a double-byte character whose
// trail byte happens to be a picture letter ("ト" is 0x83 0x67, a "g") is copied unchanged.
//
// Date pictures:  d day, dd two-digit day, ddd day name (日 月 … 土), dddd and longer full day
//                 name (日曜日 …); M month, MM two-digit month, MMM month number, MMMM and
//                 longer month name (5月); y last two digits of the year without padding, yy
//                 the same two digits, yyy and longer the full year (four digits at least);
//                 g, gg (era) give nothing.
// Time pictures:  H, HH hour 0-23; h, hh hour 1-12; m, mm minute; s, ss second (a single
//                 letter without padding, two or more letters with two digits); t "午",
//                 tt and longer "午前" or "午後".
// In both, text between single quotes is copied without its quotes, two single quotes give one
// quote, a zero byte ends the picture, and every other character is copied as it is; letters of
// the other kind of picture are ordinary characters. The day name follows from the date itself;
// the stored day of the week is used only when the date is not a real one.

std::string FormatDatePicture(const SystemTime& time, std::string_view picture);
std::string FormatTimePicture(const SystemTime& time, std::string_view picture);

// The date part and the time part joined by one space.
std::string FormatPictured(const SystemTime& time, std::string_view datePicture,
                           std::string_view timePicture);

// The short date and the time without seconds, "yyyy/MM/dd H:mm": "2004/05/06 13:45",
// "2004/05/06 9:05". The memo list, printing and automation show modified times this way.
std::string DisplayTime(const SystemTime& time);

// The long date picture and the time picture joined by one space:
// "yyyy'年'M'月'd'日' H:mm:ss". Expanded first as a date picture and then as a time picture it
// reads "2004年5月6日 13:45:07".
std::string DefaultDateTimePicture();

}  // namespace tidemark
