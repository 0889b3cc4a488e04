#include <filesystem>

#include "fileio/FolderIdentity.h"
#include "tests/platform/PlatformTestSupport.h"

namespace {

using FolderIdentity = PlatformTest;

HANDLE OpenForIdentity(const std::string& path, DWORD flags = FILE_FLAG_BACKUP_SEMANTICS) {
    return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, flags, nullptr);
}

// A folder opens only with FILE_FLAG_BACKUP_SEMANTICS, and its identity is the same through
// every spelling of its path; GetFinalPathNameByHandleA gives its real path.
TEST_F(FolderIdentity, AFolderOpensToBeLookedAtAndKeepsOneIdentity) {
    std::filesystem::create_directories(dir.path() / "target" / "sub");
    const std::string sep(1, kSep);
    EXPECT_EQ(OpenForIdentity(Path("target"), 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    const auto id = folders::IdentityOf(Path("target"));
    ASSERT_TRUE(id.has_value());
    // The resolved path is the one a user would type, whatever the spelling.
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
    EXPECT_EQ(folders::FinalPathOf(Path("missing")), "");
    EXPECT_FALSE(folders::IsRoot(resolved));
    const std::string root = folders::FinalPathOf(dir.path().root_path().string());
    EXPECT_TRUE(folders::IsRoot(root)) << root;

    HANDLE h = OpenForIdentity(Path("target"));
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    BY_HANDLE_FILE_INFORMATION info{};
    ASSERT_TRUE(GetFileInformationByHandle(h, &info));
    EXPECT_NE(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    char small[4];
    EXPECT_GT(GetFinalPathNameByHandleA(h, small, sizeof small, 0), sizeof small);
    std::string final(1024, '\0');
    final.resize(GetFinalPathNameByHandleA(h, final.data(), 1024, 0));
    EXPECT_TRUE(final.ends_with(sep + "target")) << final;
    CloseHandle(h);
#ifndef _WIN32
    std::filesystem::create_directory_symlink(dir.path() / "target" / "sub", dir.path() / "link");
    EXPECT_EQ(folders::Nest(Path("link"), Path("target")), folders::Nesting::FirstInside);
    EXPECT_EQ(folders::Nest(Path("target"), Path("link") + sep + ".."), folders::Nesting::Same);
#endif
}

TEST_F(FolderIdentity, OnlyFullPathsAreFullFilesets) {
#ifdef _WIN32
    for (const char* full : {"C:\\Data\\*.*", "c:/x/*.*", "\\\\server\\share\\*.*"})
        EXPECT_TRUE(folders::IsFullPath(full)) << full;
    for (const char* relative : {"Data\\*.*", "C:Data\\*.*", "\\Data\\*.*", "", "a\\b\\*.*"})
        EXPECT_FALSE(folders::IsFullPath(relative)) << relative;
#else
    EXPECT_TRUE(folders::IsFullPath("/home/a/*.*"));
    for (const char* relative : {"src/*.*", "./src/*.*", "~/x/*.*", ""})
        EXPECT_FALSE(folders::IsFullPath(relative)) << relative;
#endif
}

}  // namespace
