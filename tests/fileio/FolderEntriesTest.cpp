#include "fileio/FolderEntries.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

bool operator==(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// Whatever the entry, a look-up through the held folder answers as the look-up of the path:
// found or not, the same data, the same last error.
TEST(EntryLookUps, AnswerAsTheLookUpOfThePath) {
    TempDir tmp;
    WriteFile(tmp.path() / "dir" / "file.txt", "12345");
    fs::create_directories(tmp.path() / "dir" / "sub");
    std::vector<std::string> names = {"file.txt", "sub", "missing", "*"};
#ifndef _WIN32
    fs::create_symlink("nowhere", tmp.path() / "dir" / "dangling");
    fs::create_directory_symlink("sub", tmp.path() / "dir" / "to-sub");
    names.insert(names.end(), {"dangling", "to-sub"});
#endif
    folders::EntryLookUps lookUps;
    for (const std::string folder : {"dir", "no-dir", "dir"}) {
        for (const std::string& name : names) {
            const std::string path = tmp.str(folder) + std::string(kSepText) + name;
            WIN32_FILE_ATTRIBUTE_DATA expected{};
            WIN32_FILE_ATTRIBUTE_DATA held{};
            const bool found = LookUpPath(path, expected);
            const DWORD error = LastDllError();
            ASSERT_EQ(lookUps.LookUp(path, held), found) << path;
            EXPECT_EQ(LastDllError(), error) << path;
            EXPECT_EQ(held.dwFileAttributes, expected.dwFileAttributes) << path;
            EXPECT_TRUE(held.ftLastWriteTime == expected.ftLastWriteTime) << path;
            EXPECT_EQ(held.nFileSizeLow, expected.nFileSizeLow) << path;
        }
    }
}

// A folder not there at the first look-up is looked up again once the pass has made it.
TEST(EntryLookUps, AFolderMadeLaterIsFound) {
    TempDir tmp;
    folders::EntryLookUps lookUps;
    const std::string path = tmp.str("later") + std::string(kSepText) + "file.txt";
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_FALSE(lookUps.LookUp(path, data));
    WriteFile(tmp.path() / "later" / "file.txt", "x");
    EXPECT_TRUE(lookUps.LookUp(path, data));
}

}  // namespace
