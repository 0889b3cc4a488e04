#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

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

TEST(IniString, ValuesAreCutTo255AndLoseTrailingSpaces) {
    TempDir dir;
    const std::string ini = dir.str("settings.ini");
    std::string value;
    EXPECT_EQ(ReadIniString("Options", "Wakeup", "dflt", value, ini), 4);
    EXPECT_EQ(value, "dflt");
    for (const auto& [written, read] :
         {std::pair{std::string(300, 'v'), std::string(255, 'v')}, {"abc   ", "abc"}}) {
        WriteIniString("Options", "Key", written, ini);
        ReadIniString("Options", "Key", "", value, ini);
        EXPECT_EQ(value, read);
    }
}

#ifndef _WIN32
// Without a shell picker of its own, the platform asks whatever picker the user interface
// registered; with none, and on Cancel, the answer is "".
TEST(BrowseForFolder, AsksTheRegisteredPickerAndGivesEmptyWithoutOne) {
    RegisterFolderPicker(nullptr);
    EXPECT_EQ(BrowseForFolder(nullptr, "Select folder to add:"), "");
    std::string askedTitle;
    std::string answer = "/home/a/Data";
    RegisterFolderPicker([&](HWND, const std::string& title) {
        askedTitle = title;
        return answer;
    });
    EXPECT_EQ(BrowseForFolder(nullptr, "Select folder to add:"), "/home/a/Data");
    EXPECT_EQ(askedTitle, "Select folder to add:");
    answer.clear();  // Cancel
    EXPECT_EQ(BrowseForFolder(nullptr, "Select folder to synchronize to:"), "");
    RegisterFolderPicker(nullptr);
}
#endif
