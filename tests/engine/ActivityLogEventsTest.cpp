// What a cycle writes to the activity log, on real folders: every copy and deletion and every
// folder it could not list, each one line (the guards' lines: SafetyGuardsTest, PassLookUpsTest);
// and an unchanged tree writes the cycle's two lines and nothing else.
#include <cstdlib>
#include <regex>
#include <sstream>

#include "tests/engine/FormFixture.h"
#include "tests/support/Unprivileged.h"

namespace {

using ActivityLogEvents = FormFixture;
using Lines = std::vector<std::string>;

// A cycle copies what is new and deletes the copies whose source is gone, though not one whose
// source is a folder now; a name with control characters stays on its line. An unchanged tree,
// an empty folder and a pattern that names nothing are no news.
TEST_F(ActivityLogEvents, ACycleLogsWhatItDidAndAnUnchangedOneOnlyItsTwoLines) {
#ifdef _WIN32
    const std::string name = "two lines .txt", shown = name;  // no control characters there
#else
    const std::string name = "two\nlines\t.txt", shown = "two<LF>lines<TAB>.txt";
#endif
    WriteFile(Src("a.txt"), "aaa");
    WriteFile(Src("sub/" + name), "b");
    WriteFile(Mirror(Src("gone.txt")), "its source is gone");
    WriteFile(Mirror(Src("now-a-folder")), "its source is a folder now");
    fs::create_directory(Src("now-a-folder"));
    form_.lstSyncFrom.items = {Pattern(Src()), Narrow(Src("*.none")),
                               Pattern(tmp.path() / "missing")};
    form.DeleteOrphans = true;
    form.Log.SetPath(tmp.str("brannock.log"));
    // The log's lines without their stamps, a cycle's duration as "<t>".
    const auto events = [this] {
        std::istringstream text(LogText());
        Lines lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(
                std::regex_replace(line.substr(20), std::regex("^done [0-9.]+ s"), "done <t>"));
        return lines;
    };
    ASSERT_TRUE(form.RunSyncCycle());
    Lines lines = events();
    ASSERT_EQ(lines.size(), 6u);
    std::sort(lines.begin() + 1, lines.end() - 1);  // the order the folders list them in
    EXPECT_EQ(lines,
              (Lines{"cycle by the timer",
                     "copied " + Narrow(Src("a.txt")) + " -> " + Narrow(Mirror(Src("a.txt"))) +
                         " (3 bytes)",
                     "copied " + Narrow(Src("sub/" + shown)) + " -> " +
                         Narrow(Mirror(Src("sub/" + shown))) + " (1 byte)",
                     "deleted " + Narrow(Mirror(Src("gone.txt"))) + ": its source " +
                         Narrow(Src("gone.txt")) + " was not found",
                     "unlisted nothing copied from " + Narrow(tmp.path() / "missing") + ": " +
                         SystemText(ERROR_PATH_NOT_FOUND),
                     "done <t>: 2 looked at, 2 copied (4 bytes), 1 deleted, 0 files and 0 folders "
                     "failed, 0 passed over by the cut-off date, 1 folder not listed"}));
    EXPECT_TRUE(fs::exists(Mirror(Src("now-a-folder"))));

    form_.lstSyncFrom.items.pop_back();  // the missing folder
    ASSERT_TRUE(form.RunSyncCycle());
    lines = events();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[7].substr(0, 25), "done <t>: 2 looked at, 0 ");

    // A file that maps to no source at all, then an orphan the system refuses to delete.
    WriteFile(Dest("stray.txt"), "x");
    EXPECT_FALSE(form.CleanupTree(Pattern(SyncTo())));
    EXPECT_EQ(LastError(), "Unable to create synchronize from filename");
    fs::remove(Dest("stray.txt"));
    fs::remove(Src("a.txt"));
    SetReadOnly(Mirror(Src("a.txt")));
    const int openBefore = OpenDescriptors();
    EXPECT_FALSE(form.CleanupTree(Pattern(SyncTo())));
    EXPECT_EQ(OpenDescriptors(), openBefore);
    EXPECT_EQ(LastError(), "Unable to delete file " + Narrow(Mirror(Src("a.txt"))));
}

#ifndef _WIN32
// Real refusals: a folder the user may not list, and a log folder that takes no new file.
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
    EXPECT_THAT(LogText(), HasSubstr(" unlisted nothing copied from " + Narrow(Src("locked")) +
                                     ": Access is denied.\n"));
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

#endif

}  // namespace
