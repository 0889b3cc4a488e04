#include "fileio/FolderEntries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

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
            WIN32_FILE_ATTRIBUTE_DATA whole{}, held{};
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

#ifndef _WIN32
// A folder a user may read but not search lists names that no look-up finds; one the user may
// search but not read has no listing. Neither a listing nor a held folder answers otherwise
// than the look-up of the whole path.
TEST(NameListing, NeverListsWhatALookUpWouldNotFind) {
    if (RanAsUnprivilegedUser())
        return;
    TempDir tmp;
    for (const char* folder : {"plain", "unsearchable", "unreadable"})
        WriteFile(tmp.path() / folder / "file.txt", "x");
    fs::permissions(tmp.path() / "unsearchable", fs::perms::owner_exec, fs::perm_options::remove);
    fs::permissions(tmp.path() / "unreadable", fs::perms::owner_read, fs::perm_options::remove);
    folders::NameListing listing;
    folders::EntryLookUps lookUps;
    for (const auto& [folder, found, listed] : {std::tuple{"plain", true, true},
                                                {"unsearchable", false, false},
                                                {"unreadable", true, false}}) {
        const std::string path = tmp.str(folder) + std::string(kSepText) + "file.txt";
        WIN32_FILE_ATTRIBUTE_DATA data{};
        EXPECT_EQ(LookUpPath(path, data), found) << folder;
        EXPECT_EQ(lookUps.LookUp(path, data), found) << folder;
        EXPECT_EQ(listing.Lists(path), listed) << folder;
    }
}
#endif

}  // namespace
