#include <thread>
#include <utility>
#include <vector>

#include "tests/platform/PlatformTestSupport.h"

TEST(TimeConversionTest, FileTimesBecomeCalendarDates) {
    // 2024-02-29 13:45:30.123 UTC was a Thursday.
    FILETIME ft = FileTimeOf(TicksOf(1709214330, 123456789));
    SYSTEMTIME t{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &t));
    EXPECT_EQ((std::vector<int>{t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute,
                                t.wSecond, t.wMilliseconds}),
              (std::vector<int>{2024, 2, 29, 4, 13, 45, 30, 123}));
    ft = FileTimeOf(0x8000000000000000ull);
    EXPECT_FALSE(FileTimeToSystemTime(&ft, &t));
}

TEST(ThreadTest, LowestPrioritySticksToTheCallingThread) {
    const int before = GetThreadPriority(GetCurrentThread());
    int inThread = THREAD_PRIORITY_ERROR_RETURN;
    std::thread([&] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
        inThread = GetThreadPriority(GetCurrentThread());
    }).join();
    EXPECT_EQ(std::pair(inThread, GetThreadPriority(GetCurrentThread())),
              std::pair(THREAD_PRIORITY_LOWEST, before));
}

// A name cut to the buffer fills it whole, which is how the program knows to ask again with a
// larger one.
TEST(ModuleTest, ProgramNameIsCutToTheBuffer) {
    char module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    const std::string program = std::string("platform_tests") + (kSep == '\\' ? ".exe" : "");
    EXPECT_TRUE(std::string(module, length).ends_with(program)) << module;
    char small[6] = {};
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small), std::string(module, 5));
}
