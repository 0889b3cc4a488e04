// What a cycle writes to the activity log, on real folders: every copy and deletion, every
// folder it could not list and every guard that left something alone, each one line; and an
// unchanged tree writes the cycle's two lines and nothing else.
#include <cstdlib>
#include <regex>

#include "tests/engine/FormFixture.h"
#include "tests/support/Links.h"
#include "tests/support/Unprivileged.h"

namespace {

class ActivityLogEvents : public FormFixture {
  protected:
    ActivityLogEvents() {
        form.LogFile = tmp.str("brannock.log");
        form.Log.SetPath(form.LogFile);
    }
    // The log's lines since the last call, without their stamps, the paths as Shown gives
    // them and a cycle's duration as "<t>".
    std::vector<std::string> Events() {
        std::vector<std::string> events;
        const std::string text = ReadFileText(form.LogFile);
        for (std::size_t at = read_; at < text.size(); at = text.find('\n', at) + 1) {
            const std::string line = Shown(text.substr(at + 20, text.find('\n', at) - at - 20));
            events.push_back(std::regex_replace(line, std::regex("^done [0-9.]+ s"), "done <t>"));
        }
        read_ = text.size();
        return events;
    }
    // The temporary folder as "<tmp>", separators as '/'.
    std::string Shown(std::string text) const {
        const std::string root = Narrow(tmp.path());
        for (auto p = text.find(root); p != std::string::npos; p = text.find(root))
            text.replace(p, root.size(), "<tmp>");
        std::replace(text.begin(), text.end(), kSep, '/');
        return text;
    }
    std::size_t read_ = 0;
};

using Lines = std::vector<std::string>;

TEST_F(ActivityLogEvents, ACycleLogsWhatItDidAndAnUnchangedOneOnlyItsTwoLines) {
    WriteFile(Src("a.txt"), "aaa");
    WriteFile(Src("sub/b.txt"), "bb");
    WriteFile(Mirror(Src("gone.txt")), "its source is gone");
    AddFileset(Src());
    AddFileset(tmp.path() / "missing");
    form.DeleteOrphans = true;
    ASSERT_TRUE(form.RunSyncCycle());
    Lines events = Events();
    ASSERT_EQ(events.size(), 6u);
    std::sort(events.begin() + 1, events.begin() + 3);  // the order the folder lists them in
    const std::string mirror = Shown(Narrow(Mirror(Src())));
    EXPECT_EQ(
        events,
        (Lines{"cycle by the timer", "copied <tmp>/src/a.txt -> " + mirror + "/a.txt (3 bytes)",
               "copied <tmp>/src/sub/b.txt -> " + mirror + "/sub/b.txt (2 bytes)",
               "unlisted nothing copied from <tmp>/missing: " + SystemText(ERROR_PATH_NOT_FOUND),
               "deleted " + mirror + "/gone.txt: its source <tmp>/src/gone.txt was not found",
               "done <t>: 2 looked at, 2 copied (5 bytes), 1 deleted, 0 files and 0 folders "
               "failed, 0 passed over by the cut-off date, 1 folder not listed"}));

    ASSERT_TRUE(form.RunSyncCycle());  // unchanged, the missing folder still missing
    EXPECT_EQ(Events().at(2).substr(0, 25), "done <t>: 2 looked at, 0 ");
    // An empty folder and a pattern that names nothing are no news.
    form_.lstSyncFrom.items = {Pattern(Src("sub")), Narrow(Src()) + "/*.none"};
    fs::remove(Src("sub/b.txt"));
    form.DeleteOrphans = false;
    ASSERT_TRUE(form.RunSyncCycle());
    EXPECT_EQ(Events().size(), 2u);
}

TEST_F(ActivityLogEvents, OddNamesAndLongFailuresStayOneWholeLine) {
#ifdef _WIN32
    const std::string name = "two lines .txt", shown = name;  // no control characters there
#else
    const std::string name = "two\nlines\t.txt", shown = "two<LF>lines<TAB>.txt";
#endif
    WriteFile(Src("names/" + name), "x");
    // A failure whose text runs far past the 255 characters the error record reads back, with
    // paths that even a program without long-path support reaches.
    const std::string file = "long/" + std::string(40, 'd') + "/" + std::string(40, 'e');
    WriteFile(Src(file + "/x.txt"), "x");
    WriteFile(Mirror(Src(file).parent_path()), "a file where the copy's folder belongs");
    form_.lstSyncFrom.items = {Pattern(Src("names")), Pattern(Src("long"))};
    EXPECT_FALSE(form.RunSyncCycle());
    const std::string mirror = Shown(Narrow(Mirror(Src())));
    EXPECT_EQ(Events(),
              (Lines{"cycle by the timer",
                     "copied <tmp>/src/names/" + shown + " -> " + mirror + "/names/" + shown +
                         " (1 byte)",
                     "failed Copying file <tmp>/src/" + file + "/x.txt to " + mirror + "/" + file +
                         "/x.txt: " + form.f.ErrMsg(),
                     // The copy's folder could not be made either.
                     "done <t>: 2 looked at, 1 copied (1 byte), 0 deleted, 1 file and 1 folder "
                     "failed, 0 passed over by the cut-off date, 0 folders not listed"}));
    EXPECT_EQ(LastError().size(), 255u);
}

// A fileset that is not a full path is left alone though it names a folder from the working
// directory: the copies an earlier version made of it are not taken for orphans either.
TEST_F(ActivityLogEvents, EveryGuardSaysWhatItLeftAlone) {
    WriteFile(Src("a.txt"), "a");
    fs::create_directories(Dest("inside"));
    const fs::path oldCopy(pathmap::DestinationFolder(SyncTo(), "src") + std::string(kSepText) +
                           "old.txt");
    WriteFile(oldCopy, "copied long ago");
    const fs::path savedCwd = fs::current_path();
    fs::current_path(tmp.path());
    form_.lstSyncFrom.items = {Pattern(Dest("inside")), "src" + std::string(kSepText) + "*.*"};
    form.DeleteOrphans = true;
    EXPECT_TRUE(form.RunSyncCycle());
    fs::current_path(savedCwd);
    const Lines events = Events();
    EXPECT_EQ(Lines(events.begin() + 1, events.end() - 1),
              (Lines{"left-alone Sync From folder <tmp>/mirror/inside and Sync To directory "
                     "<tmp>/mirror overlap: what lies in both is left alone",
                     "left-alone Sync From fileset src/*.* is not a full path: it is left alone"}));
    EXPECT_EQ(ReadFileText(oldCopy), "copied long ago");
    EXPECT_FALSE(fs::exists(oldCopy.parent_path() / "a.txt"));

    // A link where the copies' folder goes.
    form_.lstSyncFrom.items = {Pattern(Src())};
    fs::create_directories(Mirror(Src()).parent_path());
    fs::create_directory(tmp.path() / "elsewhere");
    if (!MakeLink(tmp.path() / "elsewhere", Mirror(Src())))
        GTEST_SKIP() << "no links here";
    form.RunSyncCycle();
    EXPECT_TRUE(Events().at(1).starts_with("left-alone Not written through the link " +
                                           Shown(Narrow(Mirror(Src())))));
    EXPECT_TRUE(fs::is_empty(tmp.path() / "elsewhere"));
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
    const std::string log = LogText();
    EXPECT_THAT(log, HasSubstr(" unlisted nothing copied from " + Narrow(Src("locked")) +
                               ": Access is denied.\n"));
    EXPECT_THAT(log, HasSubstr(", 1 folder not listed\n"));
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
