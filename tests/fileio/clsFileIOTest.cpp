#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fileio/PathText.h"
#include "fileio/clsFileIO.h"
#include "fileio/modWin32.h"
#include "tests/support/SmallVolume.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using Event = std::pair<std::int64_t, std::int64_t>;

// A fixed time in the past, so a copy that kept the times of its writing is easy to tell.
constexpr std::int64_t kPastWrite = 946728000;  // 1 January 2000 12:00 UTC

WIN32_FIND_DATAA Lookup(const std::string& path) {
    WIN32_FIND_DATAA entry{};
    HANDLE h = FindFirst(path, entry);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    return entry;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

void ExpectSourceTimes(const std::string& source, const std::string& dest) {
    const WIN32_FIND_DATAA s = Lookup(source);
    const WIN32_FIND_DATAA d = Lookup(dest);
    EXPECT_TRUE(SameTime(s.ftLastWriteTime, d.ftLastWriteTime));
    EXPECT_TRUE(SameTime(s.ftLastAccessTime, d.ftLastAccessTime));
#ifdef _WIN32
    // POSIX has no creation time to set; Wine passes here only because it reports the
    // last-write time as the creation time.
    EXPECT_TRUE(SameTime(s.ftCreationTime, d.ftCreationTime));
#endif
}

std::string SystemText(DWORD code) {
    SetLastError(code);
    CaptureLastError();
    return GetSystemErrorText();
}

#ifdef __linux__
int OpenDescriptors() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}
#endif

class CopyFileTest : public ::testing::Test {
  protected:
    std::string Source(std::int64_t size) {
        WriteFileOfSize(dir.path() / "src.bin", size);
        SetWriteTime(dir.path() / "src.bin", kPastWrite);
        return dir.str("src.bin");
    }
    std::string Dest() const { return dir.str("dest.bin"); }

    TempDir dir;
    // A copier that records every progress event it raises.
    struct {
        clsFileIO f;
        std::vector<Event> events;
    } c;
    void SetUp() override {
        c.f.CopyProgress = [this](std::int64_t& done, std::int64_t& total) {
            c.events.emplace_back(done, total);
        };
    }
};

}  // namespace

TEST_F(CopyFileTest, EmptySourceRaisesNothingAndGetsTheSourceTimes) {
    const std::string src = Source(0);
    ASSERT_TRUE(c.f.CopyFile(src, Dest()));
    EXPECT_TRUE(c.events.empty());
    EXPECT_EQ(fs::file_size(Dest()), 0u);
    EXPECT_EQ(WriteTimeSeconds(Dest()), kPastWrite);
    ExpectSourceTimes(src, Dest());
}

TEST_F(CopyFileTest, RaisesOneEventPerBlockWithTheRunningCount) {
    const std::string src = Source(10000);
    c.f.Cancel(true);  // a request made before the copy has no effect on it
    ASSERT_TRUE(c.f.CopyFile(src, Dest()));
    EXPECT_EQ(c.events, (std::vector<Event>{{10000, 10000}}));

    const std::string big = Source(25000);
    c.events.clear();
    ASSERT_TRUE(c.f.CopyFile(big, Dest(), true));
    EXPECT_EQ(c.events, (std::vector<Event>{{10000, 25000}, {20000, 25000}, {25000, 25000}}));
    ExpectSourceTimes(big, Dest());  // before reading the source moves its access time
    EXPECT_EQ(ReadFileText(Dest()), ReadFileText(big));

    c.events.clear();
    ASSERT_TRUE(c.f.CopyFile(big, dir.str("quiet.bin"), false, false, 4096));
    EXPECT_TRUE(c.events.empty());
    EXPECT_EQ(ReadFileText(dir.str("quiet.bin")), ReadFileText(big));
}

TEST_F(CopyFileTest, ExistingDestinationIsKeptUnlessOverwriteIsGiven) {
    const std::string src = Source(300);
    WriteFile(Dest(), "old contents");
    EXPECT_FALSE(c.f.CopyFile(src, Dest()));
    EXPECT_EQ(c.f.ErrMsg(), "Unable to open destination file: " + SystemText(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadFileText(Dest()), "old contents");

    // A successful copy leaves the last failure's text alone.
    ASSERT_TRUE(c.f.CopyFile(src, Dest(), true));
    EXPECT_EQ(ReadFileText(Dest()), ReadFileText(src));
    EXPECT_EQ(c.f.ErrMsg().rfind("Unable to open destination file: ", 0), 0u);

    // A destination that cannot be deleted is reported by the creation that follows.
    fs::remove(Dest());
    fs::create_directories(dir.path() / "dest.bin" / "inner");
    EXPECT_FALSE(c.f.CopyFile(src, Dest(), true));
    EXPECT_EQ(c.f.ErrMsg().rfind("Unable to open destination file: ", 0), 0u) << c.f.ErrMsg();
}

TEST_F(CopyFileTest, UnopenableFilesNameTheSystemsReason) {
    EXPECT_FALSE(c.f.CopyFile(dir.str("missing.bin"), Dest()));
    EXPECT_EQ(c.f.ErrMsg(), "Unable to open source file: " + SystemText(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(fs::exists(Dest()));

    const std::string src = Source(10);
    const std::string nowhere = dir.str("no-folder") + kSep + "dest.bin";
    EXPECT_FALSE(c.f.CopyFile(src, nowhere));
    EXPECT_EQ(c.f.ErrMsg(), "Unable to open destination file: " + SystemText(ERROR_PATH_NOT_FOUND));

    // A block size below 1 is refused before any file is touched.
    EXPECT_FALSE(c.f.CopyFile(src, Dest(), false, true, 0));
    EXPECT_NE(c.f.ErrMsg().find("block size"), std::string::npos);
    EXPECT_FALSE(fs::exists(Dest()));
}

TEST_F(CopyFileTest, CancelEndsTheCopyAfterTheCurrentBlockEvenTheLast) {
    const std::string src = Source(25000);
    c.f.CopyProgress = [&](std::int64_t& done, std::int64_t& total) {
        if (done == total)
            c.f.Cancel(true);
    };
    EXPECT_FALSE(c.f.CopyFile(src, Dest()));
    EXPECT_EQ(c.f.ErrMsg(), "Copy cancelled");
    EXPECT_EQ(ReadFileText(Dest()), ReadFileText(src));
    EXPECT_NE(WriteTimeSeconds(Dest()), kPastWrite);

    c.f.CopyProgress = [&](std::int64_t&, std::int64_t&) { c.f.Cancel(true); };
    EXPECT_FALSE(c.f.CopyFile(src, Dest(), true));
    EXPECT_EQ(fs::file_size(Dest()), 10000u);
}

TEST_F(CopyFileTest, TotalCountsBeyondFourGigabytesAreWhole) {
    const std::string src = Source(0);
    const std::int64_t size = (std::int64_t{1} << 32) + 10;
    try {
        fs::resize_file(src, static_cast<std::uintmax_t>(size));
    } catch (const fs::filesystem_error&) {
        GTEST_SKIP() << "no room for a sparse file";
    }
    c.f.CopyProgress = [&](std::int64_t& done, std::int64_t& total) {
        c.events.emplace_back(done, total);
        c.f.Cancel(true);
    };
    EXPECT_FALSE(c.f.CopyFile(src, Dest()));
    EXPECT_EQ(c.events, (std::vector<Event>{{10000, size}}));
}

TEST_F(CopyFileTest, ReadFailureLeavesThePartialDestination) {
    // A folder cannot be opened as a file at all.
    fs::create_directory(dir.path() / "folder");
    EXPECT_FALSE(c.f.CopyFile(dir.str("folder"), Dest()));
    EXPECT_EQ(c.f.ErrMsg(), "Unable to open source file: " + SystemText(ERROR_ACCESS_DENIED));
#ifdef __linux__
    // Opens as an ordinary file, but reading at its start fails.
    EXPECT_FALSE(c.f.CopyFile("/proc/self/mem", Dest()));
    EXPECT_FALSE(c.f.ErrMsg().empty());
    EXPECT_EQ(c.f.ErrMsg().find("Unable to open"), std::string::npos) << c.f.ErrMsg();
    EXPECT_TRUE(fs::exists(Dest()));
#endif
}

#ifdef __linux__
TEST_F(CopyFileTest, EveryOutcomeClosesItsHandles) {
    const std::string src = Source(25000);
    const int before = OpenDescriptors();
    c.f.CopyFile(src, Dest());
    c.f.CopyFile(src, Dest());
    c.f.CopyFile(dir.str("missing.bin"), Dest());
    c.f.CopyFile("/proc/self/mem", dir.str("other.bin"));
    c.f.CopyProgress = [&](std::int64_t&, std::int64_t&) { c.f.Cancel(true); };
    c.f.CopyFile(src, Dest(), true);
    EXPECT_EQ(OpenDescriptors(), before);
}

// A full disk made for real.
class DiskFullTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!volume.Mounted())
            GTEST_SKIP() << volume.Why();
    }

    TempDir dir;
    SmallVolume volume{dir.path() / "small"};
    const fs::path& mountPoint = volume.path();
};

TEST_F(DiskFullTest, WriteFailureReportsTheSystemTextAndLeavesThePartialFile) {
    WriteFileOfSize(dir.path() / "big.bin", 3 * 1024 * 1024);
    clsFileIO f;
    const std::string dest = Narrow(mountPoint / "big.bin");
    EXPECT_FALSE(f.CopyFile(dir.str("big.bin"), dest));
    EXPECT_EQ(f.ErrMsg(), SystemText(ERROR_DISK_FULL));
    ASSERT_TRUE(fs::exists(dest));
    EXPECT_GT(fs::file_size(dest), 0u);
    EXPECT_LT(fs::file_size(dest), 3u * 1024 * 1024);
}
#endif
