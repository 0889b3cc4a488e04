// Paths past the system's own limit and up to the 32,767 characters that Windows allows. The
// mirror's deep-tree test makes, copies and deletes at such depths; here the far end.
#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/DeepFolder.h"

TEST_F(PlatformTest, EveryCallReachesPathsPastTheSystemLimitUpToWindowsOwn) {
    if (!DeepFolder::kReachable)
        GTEST_SKIP() << "no deep paths without the \\\\?\\ prefix";
    const DeepFolder deep(dir, dir.str(), 32600);
    const std::string& folder = deep.path();
    DeepFolder::Write(folder + "/file.txt", "deep");
    EXPECT_EQ(FoundNames(folder + "/*.*"), (Names{".", "..", "file.txt"}));

    // Past Windows' limit the path is refused as it is there.
    const std::string tooLong = folder + "/" + std::string(32768 - folder.size() - 1, 'x');
    EXPECT_EQ(Outcome(CreateDirectoryA(tooLong.c_str(), nullptr)),
              Failed(ERROR_FILENAME_EXCED_RANGE));
}
