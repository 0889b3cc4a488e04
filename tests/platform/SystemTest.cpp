#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/platform/PlatformTestSupport.h"

#ifndef _WIN32
#include <system_error>

#include "fileio/modWin32.h"
#include "platform/posix/Errors.h"
#endif

namespace {

// The system's text of `code` on one line, as the program asks for it.
std::string Message(DWORD code) {
    constexpr DWORD kFlags =
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    std::string buffer(256, '#');
    DWORD n = FormatMessageA(kFlags, nullptr, code, 0x400, buffer.data(), 256, nullptr);
    return n == 0 ? std::string() : buffer.substr(0, n);
}

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

TEST(FormatMessageTest, EveryCodeHasAOneLineTextAndUnknownCodesNone) {
    EXPECT_EQ(Message(0x20001234), "");
    EXPECT_LAST_ERROR(ERROR_MR_MID_NOT_FOUND);
#ifndef _WIN32
    // The width mask turns the table's line break into a space. The texts are the platform's
    // own; Wine's differ from Windows', so only here are they fixed (the fileio tests check
    // that every platform's text reaches the program on one line).
    EXPECT_EQ(Message(ERROR_FILE_NOT_FOUND), "The system cannot find the file specified. ");
    EXPECT_EQ(Message(ERROR_ACCESS_DENIED), "Access is denied. ");
    EXPECT_EQ(Message(ERROR_SUCCESS), "The operation completed successfully. ");
    // Every code that this layer sets and a copy or delete can report has a text.
    for (DWORD code :
         {ERROR_PATH_NOT_FOUND, ERROR_TOO_MANY_OPEN_FILES, ERROR_NOT_ENOUGH_MEMORY,
          ERROR_WRITE_PROTECT, ERROR_GEN_FAILURE, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL,
          ERROR_DIR_NOT_EMPTY, ERROR_FILENAME_EXCED_RANGE, ERROR_FILE_TOO_LARGE, ERROR_DIRECTORY,
          ERROR_IO_DEVICE, ERROR_FILE_EXISTS, ERROR_CANT_RESOLVE_FILENAME})
        EXPECT_FALSE(Message(code).empty()) << code;
    // Refusals that root never meets in these tests: what the user is told about them.
    for (std::errc err : {std::errc::permission_denied, std::errc::operation_not_permitted}) {
        w32posix::SetErrorFromErrno(static_cast<int>(err), "/some/file");
        EXPECT_LAST_ERROR(ERROR_ACCESS_DENIED);
        CaptureLastError();
        EXPECT_EQ(GetSystemErrorText(), "Access is denied.") << static_cast<int>(err);
    }
#endif
}

TEST(TimeConversionTest, FileTimesBecomeCalendarDates) {
    // 2024-02-29 13:45:30.123 UTC was a Thursday, 1601-01-01 a Monday.
    EXPECT_EQ(Text(ToSystemTime(TicksOf(1709214330, 123456789))), "2024-02-29 (4) 13:45:30.123");
    EXPECT_EQ(Text(ToSystemTime(0)), "1601-01-01 (1) 00:00:00.000");
    EXPECT_EQ(Text(ToSystemTime(TicksOf(0))), "1970-01-01 (4) 00:00:00.000");

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
