#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/platform/PlatformTestSupport.h"

namespace {

constexpr DWORD kSystemText = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
constexpr DWORD kLanguage = 0x400;

std::string Message(DWORD code, DWORD flags, DWORD size = 256) {
    std::string buffer(size, '#');
    DWORD n = FormatMessageA(flags, nullptr, code, kLanguage, buffer.data(), size, nullptr);
    return n == 0 ? std::string() : buffer.substr(0, n);
}

SYSTEMTIME ToSystemTime(std::uint64_t ticks) {
    FILETIME ft = FileTimeOf(ticks);
    SYSTEMTIME st{};
    EXPECT_TRUE(FileTimeToSystemTime(&ft, &st));
    return st;
}

}  // namespace

TEST(FormatMessageTest, SystemTextsEndInALineBreakUnlessAWidthIsGiven) {
    constexpr DWORD kOneLine = kSystemText | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    std::string joined = Message(ERROR_FILE_NOT_FOUND, kOneLine);
    std::string plain = Message(ERROR_FILE_NOT_FOUND, kSystemText);
    ASSERT_GT(joined.size(), 2u);
    EXPECT_EQ(joined.back(), ' ');
    EXPECT_EQ(plain, joined.substr(0, joined.size() - 1) + "\r\n");
#ifndef _WIN32
    // The texts are the platform's own; Wine's differ from Windows', so only here are they fixed.
    EXPECT_EQ(joined, "The system cannot find the file specified. ");
    EXPECT_EQ(Message(ERROR_ACCESS_DENIED, kSystemText), "Access is denied.\r\n");
    EXPECT_EQ(Message(ERROR_SUCCESS, kOneLine), "The operation completed successfully. ");
    // Every code this layer sets has a text.
    for (DWORD code : {ERROR_PATH_NOT_FOUND,
                       ERROR_TOO_MANY_OPEN_FILES,
                       ERROR_INVALID_HANDLE,
                       ERROR_NOT_ENOUGH_MEMORY,
                       ERROR_NO_MORE_FILES,
                       ERROR_WRITE_PROTECT,
                       ERROR_GEN_FAILURE,
                       ERROR_SHARING_VIOLATION,
                       ERROR_NOT_SUPPORTED,
                       ERROR_FILE_EXISTS,
                       ERROR_INVALID_PARAMETER,
                       ERROR_BROKEN_PIPE,
                       ERROR_DISK_FULL,
                       ERROR_INSUFFICIENT_BUFFER,
                       ERROR_MOD_NOT_FOUND,
                       ERROR_DIR_NOT_EMPTY,
                       ERROR_BUSY,
                       ERROR_ALREADY_EXISTS,
                       ERROR_FILENAME_EXCED_RANGE,
                       ERROR_FILE_TOO_LARGE,
                       ERROR_DIRECTORY,
                       ERROR_IO_DEVICE,
                       ERROR_CANT_RESOLVE_FILENAME}) {
        EXPECT_FALSE(Message(code, kOneLine).empty()) << code;
    }
#endif
}

TEST(FormatMessageTest, UnknownCodesAndShortBuffersGiveNothing) {
    constexpr DWORD kOneLine = kSystemText | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    EXPECT_EQ(Message(0x20001234, kOneLine), "");
    EXPECT_LAST_ERROR(ERROR_MR_MID_NOT_FOUND);
    // The text fits when there is room for its terminator too.
    std::string text = Message(ERROR_ACCESS_DENIED, kOneLine);
    auto size = static_cast<DWORD>(text.size());
    EXPECT_EQ(Message(ERROR_ACCESS_DENIED, kOneLine, size + 1), text);
    EXPECT_EQ(Message(ERROR_ACCESS_DENIED, kOneLine, size), "");
    EXPECT_LAST_ERROR(ERROR_INSUFFICIENT_BUFFER);
}

TEST(TimeConversionTest, FileTimesBecomeCalendarDates) {
    // 2024-02-29 13:45:30.123 UTC was a Thursday.
    SYSTEMTIME st = ToSystemTime(TicksOf(1709214330, 123456789));
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 2);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wDayOfWeek, 4);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wMinute, 45);
    EXPECT_EQ(st.wSecond, 30);
    EXPECT_EQ(st.wMilliseconds, 123);
    SYSTEMTIME first = ToSystemTime(0);  // 1601-01-01, a Monday
    EXPECT_EQ(first.wYear, 1601);
    EXPECT_EQ(first.wMonth, 1);
    EXPECT_EQ(first.wDay, 1);
    EXPECT_EQ(first.wDayOfWeek, 1);
    SYSTEMTIME epoch = ToSystemTime(TicksOf(0));
    EXPECT_EQ(epoch.wYear, 1970);
    EXPECT_EQ(epoch.wDayOfWeek, 4);

    FILETIME back{};
    ASSERT_TRUE(SystemTimeToFileTime(&st, &back));
    EXPECT_EQ(Ticks(back), TicksOf(1709214330, 123000000));
    SYSTEMTIME invalid = st;
    invalid.wDay = 30;  // no 30 February
    EXPECT_FALSE(SystemTimeToFileTime(&invalid, &back));

    FILETIME tooLate = FileTimeOf(0x8000000000000000ull);
    EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &st));
}

#ifndef _WIN32
TEST(TimeConversionTest, LocalTimeUsesTheOffsetInForceAtThatInstant) {
    const char* saved = std::getenv("TZ");
    std::string previous = saved ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    FILETIME winter = FileTimeOf(TicksOf(1704067200));  // 2024-01-01 00:00 UTC
    FILETIME summer = FileTimeOf(TicksOf(1719792000));  // 2024-07-01 00:00 UTC
    FILETIME localWinter{}, localSummer{};
    EXPECT_TRUE(FileTimeToLocalFileTime(&winter, &localWinter));
    EXPECT_TRUE(FileTimeToLocalFileTime(&summer, &localSummer));
    if (saved) {
        setenv("TZ", previous.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    EXPECT_EQ(Ticks(localWinter) - Ticks(winter), 3600ull * 10000000);
    EXPECT_EQ(Ticks(localSummer) - Ticks(summer), 7200ull * 10000000);
}
#endif

TEST(ThreadTest, LowestPrioritySticksToTheCallingThread) {
    int before = GetThreadPriority(GetCurrentThread());
    int inThread = THREAD_PRIORITY_ERROR_RETURN;
    BOOL set = FALSE;
    std::thread worker([&] {
        set = SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
        inThread = GetThreadPriority(GetCurrentThread());
    });
    worker.join();
    EXPECT_TRUE(set);
    EXPECT_EQ(inThread, THREAD_PRIORITY_LOWEST);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), before);
}

TEST(ModuleTest, ProgramNameIsCutToTheBufferWithItsTerminator) {
    char name[4096];
    DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
    ASSERT_GT(length, 5u);
    EXPECT_EQ(std::string(name).size(), length);
    EXPECT_TRUE(std::filesystem::exists(name));

    char small[6];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
    EXPECT_LAST_ERROR(ERROR_INSUFFICIENT_BUFFER);
#ifndef _WIN32
    // Older Windows, and Wine, leave the cut name without its terminator.
    EXPECT_EQ(std::string(small), std::string(name, 5));
#endif
}
