// Date values as the program's logic uses them: a double counting days since 30 December
// 1899 00:00, the time of day as the fraction. Days before that origin are negative and keep
// the time of day as a positive distance from midnight, so -1.25 is 29 December 1899 06:00.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

using DateValue = double;

// The value of "01/01/1600 0:00": stands for a missing file and a missing cut-off.
inline constexpr DateValue kDefaultDate = -109571.0;

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Builds the date value of a calendar date and time of day (no range checks beyond the
// calendar's own: month 1-12, day within the month, hour 0-23, minute and second 0-59).
DateValue MakeDate(const CivilDateTime& t);

// The date value that the month-first text of `t` reads as, without building the text (so a
// year below 100 reads as a two-digit year): false, leaving `out` alone, where that text would
// be unreadable (a year past 9999, or a date or time of day that does not exist).
bool TryMakeDate(const CivilDateTime& t, DateValue& out);

// Splits a date value into its calendar date and its time of day, to the nearest second.
CivilDateTime SplitDate(DateValue value);

// Reads a month-first date and time such as "7/4/2000 9:5:7", "01/01/1600 0:00",
// "12/31/1999" or "1/2/2003 3:04 PM". Returns false, leaving `out` alone, for unreadable text.
bool TryParseMonthFirst(std::string_view text, DateValue& out);

// As TryParseMonthFirst, with the fixed default date for unreadable text.
DateValue MonthFirstOrDefault(std::string_view text);

// Text in the form FileTimeToDate builds and TryParseMonthFirst reads: month/day/year
// hour:minute:second, plain decimal without leading zeros.
std::string FormatMonthFirst(const CivilDateTime& t);

// The number of minute boundaries passed from `from` to `to` (seconds ignored on both sides);
// negative when `to` is the earlier.
std::int64_t MinutesBetween(DateValue from, DateValue to);

// Seconds since the date origin, for arithmetic across the negative-day encoding.
std::int64_t ToSeconds(DateValue value);
DateValue FromSeconds(std::int64_t seconds);

// The current local date and time to the whole second, read from the system clock.
DateValue SystemNow();

}  // namespace runtime
