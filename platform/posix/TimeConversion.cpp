#include <cstdint>
#include <ctime>
#include <mutex>

#include "platform/posix/FileStatus.h"

using namespace w32posix;

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::uint64_t kTicksPerDay = kTicksPerSecond * 86'400;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11'644'473'600;
// Days from 0000-03-01 (the start of the proleptic Gregorian era used below) to 1970-01-01,
// less the 134774 days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDaysTo1601 = 719'468 - 134'774;
// FILETIME values with the top bit set are not times.
constexpr std::uint64_t kLargestFileTime = 0x7FFFFFFFFFFFFFFFull;

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// Days since 0000-03-01 to a Gregorian date: eras of 400 years, years starting in March so
// the leap day falls at a year's end.
CivilDate DateFromDays(std::int64_t days) {
    std::int64_t era = days / 146'097;
    auto dayOfEra = static_cast<unsigned>(days - era * 146'097);
    unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    unsigned day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    unsigned month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{year, month, day};
}

std::int64_t DaysFromDate(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    std::int64_t era = year / 400;
    auto yearOfEra = static_cast<unsigned>(year - era * 400);
    unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + static_cast<std::int64_t>(dayOfEra);
}

bool IsLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(unsigned year, unsigned month) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidSystemTime(const SYSTEMTIME& t) {
    return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
           t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 &&
           t.wSecond < 60 && t.wMilliseconds < 1000;
}

// The UTC offset in force at `seconds`. The last answer is kept for a next call of the same
// second, which a pass makes when it converts a file's time and then its up-to-date copy's:
// localtime_r would answer it from the same zone rules, unless the zone were reloaded in the
// moment between the two calls.
bool UtcOffsetAt(time_t seconds, long& offset) {
    thread_local bool known = false;
    thread_local time_t lastSeconds = 0;
    thread_local long lastOffset = 0;
    if (!known || seconds != lastSeconds) {
        tm local{};
        if (!localtime_r(&seconds, &local))
            return false;
        known = true;
        lastSeconds = seconds;
        lastOffset = local.tm_gmtoff;
    }
    offset = lastOffset;
    return true;
}

}  // namespace

// Windows applies the bias in force now to every time; this layer applies the UTC offset that
// was in force at the time being converted (localtime_r), so times on the other side of a
// daylight-saving change come out as the clock showed them then.
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
    if (!lpFileTime || !lpLocalFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    static std::once_flag zoneLoaded;
    std::call_once(zoneLoaded, [] { tzset(); });
    std::uint64_t ticks = FileTimeValue(*lpFileTime);
    auto seconds =
        static_cast<time_t>(static_cast<std::int64_t>(ticks / kTicksPerSecond) - kEpochDifference);
    long offset = 0;
    if (!UtcOffsetAt(seconds, offset)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::int64_t shifted =
        static_cast<std::int64_t>(ticks) +
        static_cast<std::int64_t>(offset) * static_cast<std::int64_t>(kTicksPerSecond);
    if (shifted < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpLocalFileTime = MakeFileTime(static_cast<std::uint64_t>(shifted));
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (!lpFileTime || !lpSystemTime || FileTimeValue(*lpFileTime) > kLargestFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::uint64_t ticks = FileTimeValue(*lpFileTime);
    auto days = static_cast<std::int64_t>(ticks / kTicksPerDay);
    std::uint64_t timeOfDay = ticks % kTicksPerDay;
    CivilDate date = DateFromDays(days + kDaysTo1601);
    SYSTEMTIME& t = *lpSystemTime;
    t.wYear = static_cast<WORD>(date.year);
    t.wMonth = static_cast<WORD>(date.month);
    t.wDay = static_cast<WORD>(date.day);
    // 1601-01-01 was a Monday; Sunday is 0.
    t.wDayOfWeek = static_cast<WORD>((days + 1) % 7);
    t.wHour = static_cast<WORD>(timeOfDay / (kTicksPerSecond * 3600));
    t.wMinute = static_cast<WORD>(timeOfDay / (kTicksPerSecond * 60) % 60);
    t.wSecond = static_cast<WORD>(timeOfDay / kTicksPerSecond % 60);
    t.wMilliseconds = static_cast<WORD>(timeOfDay / 10'000 % 1000);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    if (!lpSystemTime || !lpFileTime || !IsValidSystemTime(*lpSystemTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SYSTEMTIME& t = *lpSystemTime;
    auto days = static_cast<std::uint64_t>(DaysFromDate(t.wYear, t.wMonth, t.wDay) - kDaysTo1601);
    std::uint64_t seconds = days * 86'400 + t.wHour * 3600u + t.wMinute * 60u + t.wSecond;
    *lpFileTime = MakeFileTime(seconds * kTicksPerSecond + t.wMilliseconds * 10'000ull);
    return TRUE;
}
