#include "tests/platform/PlatformTestSupport.h"

#ifndef _WIN32
#include <system_error>

#include "platform/posix/Errors.h"
#endif

TEST(FindFirst, NamesAreFilledWithSpacesToTheFieldsFullWidth) {
    TempDir dir;
    WriteFile(dir.path() / "tenchars.x", "12345");
    WIN32_FIND_DATAA entry{};
    FindClose(FindFirst(dir.str("tenchars.x"), entry));
    EXPECT_EQ(std::string(entry.cFileName, sizeof entry.cFileName),
              "tenchars.x" + std::string(250, ' '));
}

TEST(GetSystemErrorText, GivesTheCapturedCodesOneLineTextOrUnknown) {
    TempDir dir;
    WIN32_FIND_DATAA entry{};
    FindFirst(dir.str("missing.txt"), entry);
    EXPECT_EQ(LastDllError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    SetLastError(ERROR_ACCESS_DENIED);  // not captured, so not reported
    EXPECT_EQ(GetSystemErrorText(), SystemText(ERROR_FILE_NOT_FOUND));
    // Every code that a copy or delete can report has a text, on one line.
    for (DWORD code :
         {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND,
          ERROR_TOO_MANY_OPEN_FILES, ERROR_NOT_ENOUGH_MEMORY, ERROR_WRITE_PROTECT,
          ERROR_GEN_FAILURE, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL, ERROR_DIR_NOT_EMPTY,
          ERROR_FILENAME_EXCED_RANGE, ERROR_FILE_TOO_LARGE, ERROR_DIRECTORY, ERROR_IO_DEVICE,
          ERROR_FILE_EXISTS, ERROR_CANT_RESOLVE_FILENAME}) {
        const std::string text = SystemText(code);
        if (!RunningUnderWine() || code == ERROR_FILE_NOT_FOUND) {  // Wine lacks some texts
            EXPECT_NE(text, "Unknown error.") << code;
        }
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
        EXPECT_NE(text.back(), ' ') << code;
    }
#ifndef _WIN32
    // The texts are the platform's own, and Wine's differ from Windows': only these are fixed.
    EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), "The system cannot find the file specified.");
    // Refusals that root never meets in these tests: what the user is told about them.
    for (std::errc err : {std::errc::permission_denied, std::errc::operation_not_permitted}) {
        w32posix::SetErrorFromErrno(static_cast<int>(err), "/some/file");
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        CaptureLastError();
        EXPECT_EQ(GetSystemErrorText(), "Access is denied.") << static_cast<int>(err);
    }
#endif
    EXPECT_EQ(SystemText(0x20001234), "Unknown error.");  // an application's own code
}
