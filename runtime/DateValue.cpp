#include "runtime/DateValue.h"

#include <cmath>
#include <ctime>
#include <mutex>

namespace runtime {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Floor division, so times before the origin fall into the day that contains them.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, CivilDateTime& t) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
}

const std::int64_t kOriginDays = DaysFromCivil(1899, 12, 30);

}  // namespace

std::int64_t ToSeconds(DateValue value) {
    // The day part counts toward zero; the fraction is always a distance forward from midnight.
    const double day = std::trunc(value);
    const double fraction = std::fabs(value - day);
    return static_cast<std::int64_t>(day) * kSecondsPerDay +
           std::llround(fraction * static_cast<double>(kSecondsPerDay));
}

DateValue FromSeconds(std::int64_t seconds) {
    const std::int64_t day = FloorDiv(seconds, kSecondsPerDay);
    const double fraction =
        static_cast<double>(seconds - day * kSecondsPerDay) / static_cast<double>(kSecondsPerDay);
    const double whole = static_cast<double>(day);
    return day >= 0 ? whole + fraction : whole - fraction;
}

DateValue MakeDate(const CivilDateTime& t) {
    const std::int64_t days = DaysFromCivil(t.year, t.month, t.day) - kOriginDays;
    return FromSeconds(days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second);
}

CivilDateTime SplitDate(DateValue value) {
    const std::int64_t seconds = ToSeconds(value);
    const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const auto ofDay = static_cast<int>(seconds - days * kSecondsPerDay);
    CivilDateTime t;
    CivilFromDays(days + kOriginDays, t);
    t.hour = ofDay / 3600;
    t.minute = ofDay / 60 % 60;
    t.second = ofDay % 60;
    return t;
}

std::int64_t MinutesBetween(DateValue from, DateValue to) {
    return FloorDiv(ToSeconds(to), 60) - FloorDiv(ToSeconds(from), 60);
}

DateValue SystemNow() {
    // std::localtime shares one static result; the lock keeps a second caller from
    // overwriting it before it has been copied.
    static std::mutex lock;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    {
        std::lock_guard<std::mutex> guard(lock);
        if (const std::tm* p = std::localtime(&now))
            local = *p;
    }
    CivilDateTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    // A leap second reads as the last ordinary second of its minute.
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return MakeDate(t);
}

}  // namespace runtime
