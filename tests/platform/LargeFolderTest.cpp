// A folder whose entries fill several of the blocks a listing is read in.
#include "tests/platform/PlatformTestSupport.h"

#ifndef _WIN32
#include "platform/posix/FolderEntries.h"
#endif

namespace {

using LargeFolderTest = PlatformTest;

TEST_F(LargeFolderTest, EveryEntryIsListedOnce) {
    Names made = {".", ".."};
    for (int i = 0; i < 600; ++i) {
        const std::string name = std::string(120, 'n') + std::to_string(i);
        WriteFile(Path(name), "");
        made.insert(name);
    }
    EXPECT_EQ(FoundNames(Path("*")), made);
#ifndef _WIN32
    std::vector<std::string> listed;
    ASSERT_TRUE(w32posix::ReadFolderNames(dir.str().c_str(), listed));
    made.erase(".");
    made.erase("..");
    EXPECT_EQ(Names(listed.begin(), listed.end()), made);
    EXPECT_EQ(listed.size(), made.size());
    EXPECT_FALSE(w32posix::ReadFolderNames(Path("missing").c_str(), listed));
#endif
}

}  // namespace
