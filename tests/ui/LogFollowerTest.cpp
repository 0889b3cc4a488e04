// What the Activity Log window reads of the log: the previous part before the current one, only
// whole lines, and afterwards only what the writer added, until the log is begun anew.
#include <gtest/gtest.h>

#include "activity/ActivityLog.h"
#include "tests/support/TempDir.h"
#include "ui/LogFollower.h"

namespace {

namespace fs = std::filesystem;
using Change = logview::LogFollower::Change;

class LogFollowerTest : public ::testing::Test {
  protected:
    LogFollowerTest() { fs::create_directories(folder()); }
    // A folder name outside ASCII: the path is UTF-8 on every system.
    fs::path folder() const { return tmp.path() / u8"Protokoll \u00fc"; }
    std::string log() const { return Narrow(folder() / "brannock.log"); }

    TempDir tmp;
};

TEST_F(LogFollowerTest, ReadsThePreviousPartThenTheLogUpToItsLastWholeLine) {
    logview::LogFollower follower(log());
    EXPECT_EQ(follower.ReadAll(), "");  // nothing written yet
    std::string added;
    EXPECT_EQ(follower.Poll(added), Change::kNone);

    WriteFile(folder() / "brannock.log.1", "old 1\nold 2 cut off");
    WriteFile(folder() / "brannock.log", "new 1\nnew 2\nnew 3 half");
    EXPECT_EQ(follower.ReadAll(), "old 1\nold 2 cut off\nnew 1\nnew 2\n");

    // The half line shows once its line feed has come, with what followed it.
    EXPECT_EQ(follower.Poll(added), Change::kNone);
    WriteFile(folder() / "brannock.log", "new 1\nnew 2\nnew 3 half written\nnew 4");
    EXPECT_EQ(follower.Poll(added), Change::kAdded);
    EXPECT_EQ(added, "new 3 half written\n");
    EXPECT_EQ(follower.Poll(added), Change::kNone);
}

// The writer's own rotation, and a log replaced by one that has already grown past the part
// shown: both are read whole again, never appended as if they went on the old one.
TEST_F(LogFollowerTest, ALogBegunAnewIsReadWholeAgain) {
    activity::ActivityLog writer;
    writer.SetPath(log());
    writer.Write("2026-12-07 11:00:00 started");
    logview::LogFollower follower(log());
    EXPECT_EQ(follower.ReadAll(), "2026-12-07 11:00:00 started\n");

    const std::string line(200, 'x');
    std::string added;
    writer.Write(line);
    EXPECT_EQ(follower.Poll(added), Change::kAdded);
    EXPECT_EQ(added, line + "\n");
    while (!fs::exists(folder() / "brannock.log.1"))
        writer.Write(line);
    EXPECT_EQ(follower.Poll(added), Change::kBegunAnew);
    EXPECT_EQ(follower.ReadAll(),
              ReadFileText(folder() / "brannock.log.1") + ReadFileText(folder() / "brannock.log"));

    writer.Write("2026-12-07 11:05:00 stopped");
    EXPECT_EQ(follower.Poll(added), Change::kAdded);
    EXPECT_EQ(added, "2026-12-07 11:05:00 stopped\n");
    const std::uintmax_t shown = fs::file_size(folder() / "brannock.log");
    WriteFile(folder() / "brannock.log",
              "2026-12-07 12:00:00 started\n" + std::string(shown, 'y') + "\n");
    EXPECT_EQ(follower.Poll(added), Change::kBegunAnew);
}

}  // namespace
