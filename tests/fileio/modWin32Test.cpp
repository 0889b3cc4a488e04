#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"

namespace {

std::string NameField(const WIN32_FIND_DATAA& entry) {
    return std::string(entry.cFileName, sizeof entry.cFileName);
}

}  // namespace

TEST(FindFirst, NamesAreFilledWithSpacesToTheFieldsFullWidth) {
    TempDir dir;
    WriteFile(dir.path() / "tenchars.x", "12345");
    WIN32_FIND_DATAA entry{};
    HANDLE h = FindFirst(dir.str("tenchars.x"), entry);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    EXPECT_EQ(NameField(entry), "tenchars.x" + std::string(250, ' '));
    EXPECT_EQ(EntryName(entry), "tenchars.x");
    EXPECT_EQ(EntrySize(entry), 5);

    // Real file systems stop at 255 characters; the field holds 259 and its terminator.
    const std::string longest(259, 'n');
    std::memcpy(entry.cFileName, longest.c_str(), longest.size() + 1);
    FillNameWithSpaces(entry);
    EXPECT_EQ(NameField(entry), longest + " ");

    EXPECT_EQ(FindFirst(dir.str("missing") + kSep + std::string(kAllFiles), entry),
              INVALID_HANDLE_VALUE);
}

TEST(GetSystemErrorText, GivesTheCapturedCodesOneLineTextOrUnknown) {
    TempDir dir;
    WIN32_FIND_DATAA entry{};
    FindFirst(dir.str("missing.txt"), entry);
    EXPECT_EQ(LastDllError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    SetLastError(ERROR_ACCESS_DENIED);  // not captured, so not reported
    const std::string text = GetSystemErrorText();
    SetLastError(ERROR_FILE_NOT_FOUND);
    CaptureLastError();
    EXPECT_EQ(text, GetSystemErrorText());
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text, "Unknown error.");
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text.back(), ' ');

    SetLastError(0x20001234);  // an application's own code: the system has no text for it
    CaptureLastError();
    EXPECT_EQ(GetSystemErrorText(), "Unknown error.");
}

#ifndef _WIN32
// The user interface registers the platform's picker; until it does, there is none to ask.
TEST(BrowseForFolder, GivesEmptyWithoutARegisteredPicker) {
    RegisterFolderPicker(nullptr);
    EXPECT_EQ(BrowseForFolder(nullptr, "Select folder to add:"), "");
}
#endif
