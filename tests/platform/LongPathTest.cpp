// Paths past the system's own limit and up to the 32,767 characters that Windows allows.
#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/DeepFolder.h"

TEST_F(PlatformTest, EveryCallReachesPathsPastTheSystemLimitUpToWindowsOwn) {
    if (!DeepFolder::kReachable)
        GTEST_SKIP() << "no deep paths without the \\\\?\\ prefix";
    const DeepFolder deep(dir, dir.str(), 32600);
    const std::string& folder = deep.path();
    const std::string file = folder + "/file.txt";
    DeepFolder::Write(file, "deep");
    EXPECT_EQ(DeepFolder::SizeOf(file), 4);
    EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FoundNames(folder + "/*.*"), (Names{".", "..", "file.txt"}));
    EXPECT_EQ(std::string(FoundEntry(file).cFileName), "file.txt");
    EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));

    // Past Windows' limit the path is refused as it is there.
    const std::string tooLong = folder + "/" + std::string(32768 - folder.size() - 1, 'x');
    EXPECT_FALSE(CreateDirectoryA(tooLong.c_str(), nullptr));
    EXPECT_LAST_ERROR(ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(Open(tooLong, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_LAST_ERROR(ERROR_FILENAME_EXCED_RANGE);

    EXPECT_TRUE(DeleteFileA(file.c_str()));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}
