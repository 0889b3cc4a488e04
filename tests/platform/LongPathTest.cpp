// Paths past the system's own limit and up to the 32,767 characters that Windows allows. The
// mirror's deep-tree test makes, copies and deletes at such depths; here the far end.
#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/DeepFolder.h"

TEST_F(PlatformTest, EveryCallReachesPathsPastTheSystemLimitUpToWindowsOwn) {
    const DeepFolder deep(dir, dir.str(), 32600);
    const std::string& folder = deep.path();
    ASSERT_GT(folder.size(), std::min<std::size_t>(32000, DeepFolder::Reach() - 201));
    const std::string file = folder + kSep + "file.txt";
    DeepFolder::Write(file, "deep");
    EXPECT_EQ(FoundNames(folder + kSep + "*.*"), (Names{".", "..", "file.txt"}));
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(DeepFolder::SizeOf(file), 4);
    EXPECT_EQ(Outcome(Open(file, GENERIC_READ, OPEN_EXISTING)), "ok");
    EXPECT_EQ(Outcome(DeleteFileA(file.c_str())), "ok");
    EXPECT_EQ(Outcome(RemoveDirectoryA(folder.c_str())), "ok");
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);

    // Past Windows' limit the path is refused as it is there.
    const std::string tooLong = dir.str() + kSep + std::string(32768 - dir.str().size() - 1, 'x');
    EXPECT_EQ(Outcome(CreateDirectoryA(tooLong.c_str(), nullptr)),
              Failed(ERROR_FILENAME_EXCED_RANGE));
}
