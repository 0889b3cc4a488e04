#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "tests/platform/PlatformTestSupport.h"

namespace {

SYSTEMTIME ToSystemTime(std::uint64_t ticks) {
    FILETIME ft = FileTimeOf(ticks);
    SYSTEMTIME st{};
    EXPECT_TRUE(FileTimeToSystemTime(&ft, &st));
    return st;
}

std::string Text(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u (%u) %02u:%02u:%02u.%03u", t.wYear, t.wMonth,
                  t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

}  // namespace

TEST(TimeConversionTest, FileTimesBecomeCalendarDates) {
    // 2024-02-29 13:45:30.123 UTC was a Thursday, 1601-01-01 a Monday.
    EXPECT_EQ(Text(ToSystemTime(TicksOf(1709214330, 123456789))), "2024-02-29 (4) 13:45:30.123");

    FILETIME tooLate = FileTimeOf(0x8000000000000000ull);
    SYSTEMTIME st{};
    EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &st));
}

TEST(ThreadTest, LowestPrioritySticksToTheCallingThread) {
    int before = GetThreadPriority(GetCurrentThread());
    int inThread = THREAD_PRIORITY_ERROR_RETURN;
    std::thread worker([&] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
        inThread = GetThreadPriority(GetCurrentThread());
    });
    worker.join();
    EXPECT_EQ(inThread, THREAD_PRIORITY_LOWEST);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), before);
}

// A name cut to the buffer fills it whole, which is how the program knows to ask again with a
// larger one; the whole name is read in every test that finds the program folder.
TEST(ModuleTest, ProgramNameIsCutToTheBuffer) {
    char small[6];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
}
