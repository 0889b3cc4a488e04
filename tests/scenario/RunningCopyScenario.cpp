// One running program per settings file: a second start on the same file shows the first and
// goes without touching the settings or the mirror; a copy in another folder runs beside it,
// and a copy that was killed leaves nothing behind that would stop the next start.
#include <csignal>

#include "tests/scenario/ScenarioFixture.h"

namespace fs = std::filesystem;

namespace {

using RunningCopyScenario = ScenarioFixture;

TEST_F(RunningCopyScenario, ASecondStartOnOneSettingsFileGoesAndLeavesEverythingAsItWas) {
    const ScenarioSettings settings = Mirroring(src);
    WriteSettingsIn(prog, settings);
    WriteSettingsIn(root.path() / "prog2", settings);
    MarkMirror();
    const pid_t first = Launch(prog, "first.txt");
    ASSERT_TRUE(BecomesIdle(first));
    ASSERT_TRUE(fs::exists(Mirror(marker)));  // its first cycle is over
    const std::string ini = ReadFileText(prog / "brannock.ini");
    const TreeEntry mirrored = Entry(Mirror(src / "a.txt"));

    const pid_t second = Launch(prog, "second.txt");
    EXPECT_EQ(Reaped(second, 15000), 0) << ReadFileText(root.path() / "second.txt");
    EXPECT_FALSE(HasEnded(first));
    EXPECT_EQ(ReadFileText(prog / "brannock.ini"), ini);
    EXPECT_EQ(Entry(Mirror(src / "a.txt")), mirrored);

    // Another folder is another settings file: that copy runs beside the first.
    const pid_t beside = Launch(root.path() / "prog2", "beside.txt");
    EXPECT_TRUE(BecomesIdle(beside));
    EXPECT_TRUE(EndsBy(beside, SIGTERM));

    // A copy killed outright holds nothing any more: the next start on its file runs.
    ::kill(first, SIGKILL);
    Reaped(first, 5000);
    const pid_t next = Launch(prog, "next.txt");
    EXPECT_TRUE(BecomesIdle(next));
    EXPECT_TRUE(EndsBy(next, SIGTERM));
}

}  // namespace
