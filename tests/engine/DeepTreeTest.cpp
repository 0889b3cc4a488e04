// A source tree deeper than the system's path limit is mirrored and cleaned up like any other.
#include "tests/engine/FormFixture.h"
#include "tests/support/DeepFolder.h"

namespace {

using DeepTree = FormFixture;

TEST_F(DeepTree, IsMirroredAndCleanedUpPastTheSystemLimit) {
    const DeepFolder deep(tmp, Narrow(Src()), 5000);
    ASSERT_GT(deep.path().size(), 2500u);
    DeepFolder::Write(deep.path() + kSep + "file.txt", "deep content");
    AddFileset(Src());
    form.DeleteOrphans = true;
    const std::string mirror = pathmap::DestinationFolder(SyncTo(), deep.path());
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    DeepFolder::Write(mirror + kSep + "orphan.txt", "o");
    // The copy made read-only, with the source's time: found up to date it is left alone,
    // taken for missing it would be copied again, which fails.
    const std::string copy = mirror + kSep + "file.txt";
    WIN32_FILE_ATTRIBUTE_DATA source{};
    ASSERT_TRUE(LookUpPath(deep.path() + kSep + "file.txt", source));
    DeleteFileA(copy.c_str());
    HANDLE h = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_READONLY, nullptr);
    DWORD written = 0;
    WriteFile(h, "deep content", 12, &written, nullptr);
    SetFileTime(h, nullptr, nullptr, &source.ftLastWriteTime);
    CloseHandle(h);
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    // Copied by the first cycle, kept by the second's cleanup, which deletes the orphan.
    EXPECT_EQ(DeepFolder::SizeOf(mirror + kSep + "orphan.txt"), -1);
    EXPECT_EQ(DeepFolder::SizeOf(mirror + kSep + "file.txt"), 12);
}

}  // namespace
