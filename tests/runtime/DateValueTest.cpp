#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "runtime/DateValue.h"

using namespace runtime;

namespace {

DateValue At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return MakeDate(CivilDateTime{y, mo, d, h, mi, s});
}

}  // namespace

TEST(DateValue, DaysBeforeTheOriginKeepAPositiveTimeOfDay) {
    EXPECT_DOUBLE_EQ(At(1899, 12, 29, 6), -1.25);
    EXPECT_DOUBLE_EQ(At(1900, 1, 1, 18), 2.75);
    EXPECT_EQ(FormatMonthFirst(SplitDate(-1.25)), "12/29/1899 6:0:0");
    // Rounding to the nearest second carries into the next day, a leap day here.
    const CivilDateTime carried = SplitDate(At(2000, 2, 28, 23, 59, 59) + 0.7 / 86400);
    EXPECT_EQ(FormatMonthFirst(carried), "2/29/2000 0:0:0");
}

TEST(MonthFirst, ReadsDatesTimesAndTwoDigitYearsAndNothingElse) {
    const std::pair<const char*, DateValue> cases[] = {
        {"7/4/2000 9:5:7", At(2000, 7, 4, 9, 5, 7)},
        {"01/01/1600 0:00", -109571.0},
        {"1/2/2003 3:04 PM", At(2003, 1, 2, 15, 4)},
        {"1/2/2003 12:30 am", At(2003, 1, 2, 0, 30)},
        {" \t2/29/2000 23:59:59  ", At(2000, 2, 29, 23, 59, 59)},
        {"1/1/29", At(2029, 1, 1)},
        {"1/1/30", At(1930, 1, 1)},
    };
    for (const auto& [text, expected] : cases) {
        DateValue value = 0;
        EXPECT_TRUE(TryParseMonthFirst(text, value)) << text;
        EXPECT_DOUBLE_EQ(value, expected) << text;
    }
    // Unreadable text gives the default date.
    for (const char* bad :
         {"", "2/30/2001", "2/29/1900", "13/1/2000", "1/1/2000 24:00", "1/1/2000 10:60",
          "1/1/2000 10:00:60", "1/1/2000 13:00 PM", "1/1/2000x", "1/1/2000 9", "1/1", "abc"}) {
        DateValue value = 42.0;
        EXPECT_FALSE(TryParseMonthFirst(bad, value)) << bad;
        EXPECT_EQ(value, 42.0) << bad;
        EXPECT_EQ(MonthFirstOrDefault(bad), kDefaultDate) << bad;
    }
}

TEST(MinutesBetween, CountsMinuteBoundariesAcrossMidnightAndTheOrigin) {
    EXPECT_EQ(MinutesBetween(At(2020, 5, 1, 10, 0, 50), At(2020, 5, 1, 10, 30, 0)), 30);
    EXPECT_EQ(MinutesBetween(At(2020, 5, 1, 10, 0, 59), At(2020, 5, 1, 10, 1, 0)), 1);
    EXPECT_EQ(MinutesBetween(At(2020, 5, 1, 10, 30, 0), At(2020, 5, 1, 10, 0, 50)), -30);
    EXPECT_EQ(MinutesBetween(At(1899, 12, 29, 23, 59, 30), At(1899, 12, 30, 0, 0, 10)), 1);
    EXPECT_EQ(MinutesBetween(At(1899, 12, 28, 23, 0, 0), At(1899, 12, 29, 1, 0, 0)), 120);
}

// The copy pass makes file dates from their parts; they must equal what the month-first text
// of the same parts reads as, including where that text is unreadable.
TEST(TryMakeDate, AgreesWithTheMonthFirstTextOfTheSameParts) {
    const CivilDateTime samples[] = {
        {2024, 2, 29, 23, 59, 59},  {1899, 12, 30, 0, 0, 0}, {100, 1, 1, 12, 0, 0},
        {9999, 12, 31, 23, 59, 59}, {99, 12, 31, 0, 0, 0},   {10000, 1, 1, 0, 0, 0},
        {2023, 2, 29, 0, 0, 0},     {2023, 1, 1, 24, 0, 0},  {2023, 1, 1, 0, 60, 0},
    };
    for (const CivilDateTime& t : samples) {
        DateValue fromText = -1, fromParts = -1;
        const bool textReads = TryParseMonthFirst(FormatMonthFirst(t), fromText);
        EXPECT_EQ(TryMakeDate(t, fromParts), textReads) << FormatMonthFirst(t);
        EXPECT_EQ(fromParts, fromText) << FormatMonthFirst(t);
    }
}

TEST(SystemNow, IsTheLocalTimeOfTheCLibrary) {
    std::time_t before = 0;
    CivilDateTime now;
    do {  // until both reads fall within one second
        before = std::time(nullptr);
        now = SplitDate(SystemNow());
    } while (std::time(nullptr) != before);
    const std::tm local = *std::localtime(&before);
    EXPECT_EQ(FormatMonthFirst(now),
              FormatMonthFirst({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, std::min(local.tm_sec, 59)}));
}
