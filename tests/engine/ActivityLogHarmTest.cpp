// Real refusals for the activity log and the walk: a folder the user may not list, and a log
// folder that takes no new file. Each needs root (to drop privileges, or for chattr).
#ifndef _WIN32

#include <cstdlib>

#include "tests/engine/FormFixture.h"
#include "tests/support/Unprivileged.h"

namespace {

using ActivityLogHarm = FormFixture;

// The walk goes on as through an empty folder: the rest of the fileset is copied, the cycle
// succeeds and the error record stays silent.
TEST_F(ActivityLogHarm, AFolderThatMayNotBeListedIsWalkedAsEmptyAndLoggedWithTheReason) {
    if (RanAsUnprivilegedUser())
        return;
    WriteFile(Src("open/a.txt"), "a");
    WriteFile(Src("locked/b.txt"), "b");
    AddFileset(Src());
    form.Log.SetPath(tmp.str("brannock.log"));
    fs::permissions(Src("locked"), fs::perms::owner_write | fs::perms::owner_exec);
    EXPECT_TRUE(form.RunSyncCycle());
    fs::permissions(Src("locked"), fs::perms::owner_all);
    EXPECT_TRUE(fs::exists(Mirror(Src("open/a.txt"))) && !fs::exists(Mirror(Src("locked/b.txt"))));
    const std::string log = LogText();
    EXPECT_NE(log.find(" unlisted nothing copied from " + Narrow(Src("locked")) +
                       ": Access is denied.\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find(", 1 folder not listed\n"), std::string::npos) << log;
    EXPECT_EQ(LastError(), "");
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
    form.Log.SetPath(Narrow(logs / "brannock.log"));
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
