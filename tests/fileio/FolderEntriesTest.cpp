#include "fileio/FolderEntries.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Whatever the entry, a look-up through the held folder answers as the look-up of the whole
// path: found or not, the same data, the same last error; a folder missing at first is found
// once it is made.
TEST(EntryLookUps, AnswerAsTheLookUpOfTheWholePath) {
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
    for (const std::string folder : {"dir", "later", "dir", "later"}) {
        for (const std::string& name : names) {
            const std::string path = tmp.str(folder) + std::string(kSepText) + name;
            WIN32_FILE_ATTRIBUTE_DATA whole{};
            WIN32_FILE_ATTRIBUTE_DATA held{};
            const bool found = LookUpPath(path, whole);
            const DWORD error = LastDllError();
            ASSERT_EQ(lookUps.LookUp(path, held), found) << path;
            EXPECT_EQ(LastDllError(), error) << path;
            EXPECT_EQ(held.dwFileAttributes, whole.dwFileAttributes) << path;
            EXPECT_EQ(held.ftLastWriteTime.dwLowDateTime, whole.ftLastWriteTime.dwLowDateTime);
            EXPECT_EQ(held.nFileSizeLow, whole.nFileSizeLow) << path;
        }
        if (folder == "later")
            WriteFile(tmp.path() / "later" / "file.txt", "x");
    }
}

}  // namespace
