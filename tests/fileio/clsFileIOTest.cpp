#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

#include "fileio/clsFileIO.h"
#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/BusyWriter.h"
#include "tests/support/OpenDescriptors.h"

namespace fs = std::filesystem;

namespace {

using Events = std::vector<std::pair<std::int64_t, std::int64_t>>;

// A fixed time in the past, so a copy that kept the times of its writing is easy to tell; its
// fraction of a second must reach the copy whole.
constexpr std::int64_t kPastWrite = 946728000;  // 1 January 2000 12:00 UTC

class CopyFileTest : public ::testing::Test {
  protected:
    CopyFileTest() {
        CancelWhen([](std::int64_t, std::int64_t) { return false; });
    }
    std::string Source(std::int64_t size) {
        WriteFileOfSize(dir.path() / "src.bin", size);
        SetWriteTime(dir.path() / "src.bin", kPastWrite, 990'000'000);
        return dir.str("src.bin");
    }
    std::string Dest() const { return dir.str("dest.bin"); }
    // What a copy ended in: "copied", or the reason it gives.
    template <typename... Options>
    std::string Copy(const std::string& from, const std::string& to, Options... options) {
        return f.CopyFile(from, to, options...) ? "copied" : f.ErrMsg();
    }
    void CancelWhen(std::function<bool(std::int64_t, std::int64_t)> when) {
        f.CopyProgress = [this, when](std::int64_t& done, std::int64_t& total) {
            events.emplace_back(done, total);
            if (when(done, total))
                f.Cancel(true);
        };
    }

    // Whatever its copies ended in, a test leaves no handle of theirs open.
    void TearDown() override { EXPECT_EQ(OpenDescriptors(), descriptors); }
    const int descriptors = OpenDescriptors();

    TempDir dir;
    clsFileIO f;
    Events events;  // every progress event raised
};

}  // namespace

TEST_F(CopyFileTest, RaisesOneEventPerBlockAndGivesTheCopyTheSourceTimes) {
    f.Cancel(true);  // a request made before the copy has no effect on it
    const std::pair<std::int64_t, Events> cases[] = {
        {0, {}},
        {10000, {{10000, 10000}}},
        {25000, {{10000, 25000}, {20000, 25000}, {25000, 25000}}},
    };
    for (const auto& [size, expected] : cases) {
        const std::string src = Source(size);
        events.clear();
        ASSERT_TRUE(f.CopyFile(src, Dest(), true)) << size;
        EXPECT_EQ(events, expected) << size;
        // The copy carries its source's times, read before reading the source moves its access
        // time. POSIX has no creation time to set; Wine passes here only because it reports the
        // last-write time as the creation time.
        WIN32_FIND_DATAA s{}, d{};
        FindClose(FindFirst(src, s));
        FindClose(FindFirst(Dest(), d));
        EXPECT_EQ(Ticks(s.ftLastWriteTime), Ticks(d.ftLastWriteTime));
        EXPECT_EQ(Ticks(s.ftLastAccessTime), Ticks(d.ftLastAccessTime));
#ifdef _WIN32
        EXPECT_EQ(Ticks(s.ftCreationTime), Ticks(d.ftCreationTime));
#endif
        EXPECT_EQ(ReadFileText(Dest()), ReadFileText(src)) << size;
    }
}

// Every failure keeps what the destination held and names the system's reason.
TEST_F(CopyFileTest, FailuresKeepTheDestinationAndNameTheSystemsReason) {
    const std::string src = Source(300);
    const std::string openDest = "Unable to open destination file: ";
    WriteFile(Dest(), "old contents");
    EXPECT_EQ(Copy(src, Dest()), openDest + SystemText(ERROR_FILE_EXISTS));
    EXPECT_EQ(Copy(dir.str("missing.bin"), Dest(), true),
              "Unable to open source file: " + SystemText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Copy(src, dir.str("no-folder") + kSep + "dest.bin"),
              openDest + SystemText(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ReadFileText(Dest()), "old contents");
#ifdef __linux__
    // A file that shows a size of 0 yet yields data: the copy reads no further than that size.
    EXPECT_TRUE(f.CopyFile("/proc/self/status", dir.str("status.txt")));
    EXPECT_EQ(fs::file_size(dir.str("status.txt")), 0u);
#endif
}

TEST_F(CopyFileTest, CancelEndsTheCopyAfterTheCurrentBlockEvenTheLast) {
    const std::string src = Source(25000);
    CancelWhen([](std::int64_t done, std::int64_t total) { return done == total; });
    EXPECT_EQ(Copy(src, Dest()), "Copy cancelled");
    EXPECT_EQ(ReadFileText(Dest()), ReadFileText(src));
    EXPECT_NE(WriteTimeSeconds(Dest()), kPastWrite);

    CancelWhen([](std::int64_t, std::int64_t) { return true; });
    EXPECT_FALSE(f.CopyFile(src, Dest(), true));
    EXPECT_EQ(fs::file_size(Dest()), 10000u);

    // Counts beyond 4 GiB are whole.
    const std::int64_t size = (std::int64_t{1} << 32) + 10;
    std::error_code noRoom;
    fs::resize_file(src, static_cast<std::uintmax_t>(size), noRoom);
    if (noRoom)
        GTEST_SKIP() << "no room for a sparse file";
    events.clear();
    EXPECT_FALSE(f.CopyFile(src, Dest(), true));
    EXPECT_EQ(events, (Events{{10000, size}}));
}

#ifdef __linux__
TEST_F(CopyFileTest, WriteFailureReportsTheSystemTextAndLeavesThePartialFile) {
    SmallVolume volume(dir.path() / "small");
    if (!volume.Mounted())
        GTEST_SKIP() << volume.Why();
    const std::string src = Source(3 * 1024 * 1024);
    const std::string dest = Narrow(volume.path() / "big.bin");
    EXPECT_EQ(Copy(src, dest), SystemText(ERROR_DISK_FULL));
    EXPECT_GT(fs::file_size(dest), 0u);  // throws, and so fails, when there is no file
    EXPECT_LT(fs::file_size(dest), 3u * 1024 * 1024);

    // A cancelled copy whose block was held back fails again when it is closed: the reason
    // reported is still the first.
    fs::remove(dest);
    WriteFile(volume.path() / "filler", std::string(1000 * 1024, 'f'));
    CancelWhen([](std::int64_t, std::int64_t) { return true; });
    EXPECT_EQ(Copy(src, dest, true, true, 30000), "Copy cancelled");
    // Without the cancel, the block held back fails at the close, which gives the reason.
    f.CopyProgress = nullptr;
    EXPECT_EQ(Copy(Source(30000), dest, true, true, 30000), SystemText(ERROR_DISK_FULL));
    EXPECT_LT(fs::file_size(dest), 30'000u);
}
#endif

// A source that another program writes while it is copied, in place or at its end: the copy
// holds no more than the source's size at the start, does not get the source's times and so
// never passes for up to date. (That the next copy is whole: SourceInUseTest.)
TEST_F(CopyFileTest, ASourceWrittenDuringTheCopyLeavesACopyThatLooksOutOfDate) {
    constexpr std::int64_t kSize = 2'000'000;
    const std::string block(65536, 'w'), whole(kSize, 'w');
    const BusyWriter::Step writers[] = {
        [&](std::fstream& out) {  // appends
            out.seekp(0, std::ios::end);
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        },
        [&](std::fstream& out) {  // rewrites in place, from the start to the end
            out.seekp(0);
            out.write(whole.data(), kSize);
        },
    };
    for (const auto& step : writers) {
        const std::string src = Source(kSize);
        const std::string before = ReadFileText(src);
        BusyWriter writer(src, step);
        f.CopyProgress = [&](std::int64_t& done, std::int64_t&) {
            if (done == 10000)
                writer.Start();
        };
        ASSERT_TRUE(f.CopyFile(src, Dest(), true)) << f.ErrMsg();
        EXPECT_TRUE(f.ChangedWhileCopied());
        writer.Stop();
        EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(Dest())), kSize);
        EXPECT_EQ(ReadFileText(Dest()).substr(0, 10000), before.substr(0, 10000));
        EXPECT_NE(WriteTimeSeconds(Dest()), WriteTimeSeconds(src));
    }
}
