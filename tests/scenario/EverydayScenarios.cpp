// The program on ordinary folders, and ended by a stop signal whatever window it shows.
#include <signal.h>

#include "tests/scenario/ScenarioFixture.h"

namespace fs = std::filesystem;

namespace {

class EverydayScenarios : public ScenarioFixture {
  protected:
    EverydayScenarios() {
        Put(src / "a.txt", "alpha");
        Put(src / "sub" / "b.txt", "bravo, changed since its copy");
        Put(src / "sub" / "deeper" / "c.bin", std::string("\0\1\2\3", 4));
    }
    ScenarioSettings Settings() const { return WithDelete({FilesetOf(src)}); }
    void ExpectMirrored(const fs::path& source) const {
        EXPECT_EQ(Entry(Mirror(source)).content, Entry(source).content) << source;
        EXPECT_TRUE(SameTimeAndSize(Entry(Mirror(source)), Entry(source))) << source;
    }
};

TEST_F(EverydayScenarios, MirrorsNewAndChangedFilesDeletesOrphansAndLeavesCopiesAlone) {
    PutCopy(src / "a.txt", Mirror(src / "a.txt"));
    Put(Mirror(src / "sub" / "b.txt"), "bravo");
    Put(Mirror(src / "gone.txt"), "orphan");
    const ino_t upToDate = Entry(Mirror(src / "a.txt")).inode;
    ASSERT_TRUE(Run(Settings(), MarkerCopied()));
    for (const char* name : {"a.txt", "sub/b.txt", "sub/deeper/c.bin"})
        ExpectMirrored(src / name);
    EXPECT_EQ(Entry(Mirror(src / "a.txt")).inode, upToDate);
    EXPECT_FALSE(fs::exists(Mirror(src / "gone.txt")));
    EXPECT_EQ(LastError(), "");

    const TreeSnapshot mirrored = Snapshot(syncTo);
    ASSERT_TRUE(Run(Settings(), MarkerCopied()));
    EXPECT_EQ(Differences(mirrored, Snapshot(syncTo)), "") << "a second cycle changed the mirror";
}

TEST_F(EverydayScenarios, AStopSignalEndsTheProgramFromTheAboutBoxOfAFirstStart) {
    ScenarioSettings s = Settings();
    s.savedBefore = false;
    ASSERT_TRUE(Run(s, MarkerCopied()));
    ExpectMirrored(src / "sub" / "deeper" / "c.bin");
}

// The start-up's message box comes before the settings are loaded: ended there, the program
// runs no cycle.
TEST_F(EverydayScenarios, AStopSignalEndsTheProgramFromAMessageBoxBeforeAnyCycle) {
    ASSERT_TRUE(Run(Settings(), {}, {.priorityRefused = true}));
    EXPECT_FALSE(fs::exists(Mirror(src / "a.txt")));
    EXPECT_FALSE(fs::exists(Mirror(marker)));
}

}  // namespace
