// Real refusals for the activity log and the walk: a folder the user may not list, and a log
// folder that takes no new file. Each needs root (to drop privileges, or for chattr).
#ifndef _WIN32

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

#include "tests/engine/FormFixture.h"

namespace {

constexpr uid_t kNobody = 65534;

class ActivityLogHarm : public FormFixture {
  protected:
    void UseLog(const fs::path& file) {
        form.LogFile = Narrow(file);
        form.Log.SetPath(form.LogFile);
    }
    // Runs `work` as an unprivileged user in a child process: as root, permission bits stop
    // nothing. The whole temporary folder becomes that user's first.
    static bool RunUnprivileged(const fs::path& root, const std::function<void()>& work) {
        if (std::system(("chown -R 65534:65534 '" + Narrow(root) + "'").c_str()) != 0)
            return false;
        const pid_t child = fork();
        if (child == 0) {
            const bool dropped = setgroups(0, nullptr) == 0 &&
                                 setresgid(kNobody, kNobody, kNobody) == 0 &&
                                 setresuid(kNobody, kNobody, kNobody) == 0;
            if (dropped)
                work();
            _exit(dropped ? 0 : 1);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    }
};

TEST_F(ActivityLogHarm, AFolderThatMayNotBeListedIsWalkedAsEmptyAndLoggedWithTheReason) {
    WriteFile(Src("open/a.txt"), "a");
    WriteFile(Src("locked/b.txt"), "b");
    AddFileset(Src());
    UseLog(tmp.path() / "brannock.log");
    fs::permissions(Src("locked"), fs::perms::owner_write | fs::perms::owner_exec);
    // The walk goes on as through an empty folder: the cycle succeeds.
    if (RunningAsRoot())
        EXPECT_TRUE(RunUnprivileged(tmp.path(), [&] { _exit(form.RunSyncCycle() ? 0 : 2); }));
    else
        EXPECT_TRUE(form.RunSyncCycle());
    fs::permissions(Src("locked"), fs::perms::owner_all);
    EXPECT_TRUE(fs::exists(Mirror(Src("open/a.txt"))) && !fs::exists(Mirror(Src("locked/b.txt"))));
    const std::string log = ReadFileText(tmp.path() / "brannock.log");
    EXPECT_NE(log.find(" unlisted nothing copied from " + Narrow(Src("locked")) +
                       ": Access is denied.\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find(", 1 folder not listed\n"), std::string::npos) << log;
    EXPECT_EQ(LastError(), "");  // the error record stays as it was: silent
}

// A log that cannot be begun: the cycle, the mirror, the error record and the settings file go
// on as ever.
TEST_F(ActivityLogHarm, AnUnwritableLogFolderChangesNothingElse) {
    const fs::path logs = tmp.path() / "logs";
    fs::create_directory(logs);
    if (!RunningAsRoot() || std::system(("chattr +i '" + Narrow(logs) + "' 2>/dev/null").c_str()))
        GTEST_SKIP() << "chattr +i is not available";
    WriteFile(Src("good/a.txt"), "a");
    form_.lstSyncFrom.items = {Pattern(FailingFileset()), Pattern(Src("good"))};
    UseLog(logs / "brannock.log");
    const bool result = form.RunSyncCycle();
    std::system(("chattr -i '" + Narrow(logs) + "'").c_str());
    EXPECT_FALSE(result);
    EXPECT_TRUE(fs::exists(Mirror(Src("good/a.txt"))) && form.Log.Failed() && fs::is_empty(logs));
    EXPECT_EQ(ReadFileText(form.IniFile),
              "[Error]\nLastErrorMsg=" + LastError() + "\nLastErrorCnt=1\n");
    EXPECT_EQ(form_.SysTray1.balloons.size(), 1u);
}

}  // namespace

#endif
