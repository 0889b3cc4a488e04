#include <filesystem>

#include "fileio/FolderIdentity.h"
#include "tests/platform/PlatformTestSupport.h"

using FolderIdentity = PlatformTest;

// A folder's identity is the same through every spelling of its path, and its resolved path
// the one a user would type.
TEST_F(FolderIdentity, AFolderKeepsOneIdentityThroughEverySpelling) {
    std::filesystem::create_directories(dir.path() / "target" / "sub");
    const std::string sep(1, kSep);
    const auto id = folders::IdentityOf(Path("target"));
    ASSERT_TRUE(id.has_value());
    const std::string resolved = folders::FinalPathOf(Path("target"));
    EXPECT_TRUE(resolved.ends_with(sep + "target")) << resolved;
    EXPECT_FALSE(resolved.starts_with("\\\\?\\")) << resolved;
    for (const std::string& spelling :
         {Path("target") + sep, Path("target") + sep + "." + sep,
          Path("target") + sep + "sub" + sep + "..", Path("target") + sep + sep}) {
        EXPECT_EQ(folders::IdentityOf(spelling), id) << spelling;
        EXPECT_EQ(folders::FinalPathOf(spelling), resolved) << spelling;
    }
    EXPECT_NE(folders::IdentityOf(Path("target") + sep + "sub"), id);
    EXPECT_FALSE(folders::IdentityOf(Path("missing")).has_value());
    // Missing folders and roots are met in the erase guard's tests.

    // A path longer than the buffer gives the length needed, not a cut path.
    HANDLE h = CreateFileA(Path("target").c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    char small[4];
    EXPECT_GT(GetFinalPathNameByHandleA(h, small, sizeof small, 0), sizeof small);
    CloseHandle(h);
#ifndef _WIN32
    std::filesystem::create_directory_symlink(dir.path() / "target" / "sub", dir.path() / "link");
    EXPECT_EQ(folders::Nest(Path("link"), Path("target")), folders::Nesting::FirstInside);
    EXPECT_EQ(folders::Nest(Path("target"), Path("link") + sep + ".."), folders::Nesting::Same);
    // Every folder lies inside the root.
    EXPECT_EQ(folders::Nest(Path("target"), "/"), folders::Nesting::FirstInside);
#endif
}

// Drive letters, drive-relative and root-relative paths and shares exist only on Windows; a
// relative POSIX fileset is refused in the switch-on and fileset editor tests. A folder level
// that climbs or stays is refused everywhere; the mask after the folder may hold dots.
TEST_F(FolderIdentity, OnlyFullPathsAreFullFilesets) {
#ifdef _WIN32
    for (const char* full : {"C:\\Data\\*.*", "c:/x/*.*", "\\\\server\\share\\*.*", "C:\\a.b\\..."})
        EXPECT_TRUE(folders::IsFullPath(full)) << full;
    for (const char* relative : {"Data\\*.*", "C:Data\\*.*", "\\Data\\*.*", "", "C:\\..\\x\\*.*",
                                 "C:\\x\\. .\\*.*", "C:/x/./*.*"})
        EXPECT_FALSE(folders::IsFullPath(relative)) << relative;
#else
    for (const char* full : {"/data/*.*", "/a..b/.x/..", "//x/*.*"})
        EXPECT_TRUE(folders::IsFullPath(full)) << full;
    for (const char* relative : {"data/*.*", "", "/../x/*.*", "/a/./b/*.*", "/a/b/../*.*"})
        EXPECT_FALSE(folders::IsFullPath(relative)) << relative;
#endif
}
