// A Sync To directory whose disk or share is not there: an empty mount point, or no folder at
// all. Unattended cycles write and delete nothing until the mirror is back, and the failure
// counts towards the error limit; the user's own switch-on makes a new mirror at once, and an
// earlier version's unmarked mirror is taken on without a question.
#include <cstdlib>
#include <map>

#include "engine/MirrorMark.h"
#include "tests/control/ControlFixture.h"

namespace {

// Every entry below `root` with its content (files) and write time, but the program's own
// settings and log files.
std::map<fs::path, std::string> Tree(const fs::path& root) {
    std::map<fs::path, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path& path = entry.path();
        if (path.filename() != "brannock.ini" && path.filename() != "brannock.log")
            tree[path] = entry.is_regular_file()
                             ? ReadFileText(path) + "@" + std::to_string(WriteTimeSeconds(path))
                             : "folder";
    }
    return tree;
}

class UnavailableMirror : public ControlFixture {
  protected:
    UnavailableMirror() {
        form.DeleteOrphans = true;
        form.Log.SetPath(tmp.str("brannock.log"));
        fs::remove(mirror::MarkPath(SyncTo()));  // each case makes its own
    }
    std::string Unavailable(const std::string& syncTo = "") const {
        return "Sync To directory " + (syncTo.empty() ? SyncTo() : syncTo) +
               " is not available: is its disk or share connected?";
    }
    std::string Logged() const { return ReadFileText(tmp.path() / "brannock.log"); }
};

// The disk goes away twice, leaving an empty mount point or no folder at all: each refused
// cycle changes nothing anywhere and records one failure; the cycle after the disk is back
// copies what changed meanwhile and keeps every copy whose source is there; the fifth refusal
// in a row switches syncing off with the tray's notice.
TEST_F(UnavailableMirror, TimerCyclesWriteNothingUntilTheMirrorIsBackAndFiveSwitchOff) {
    for (const bool leavesEmptyFolder : {true, false}) {
        SCOPED_TRACE(leavesEmptyFolder ? "empty mount point" : "no folder");
        fs::remove_all(SyncTo());
        WriteFile(Src("sub/b.txt"), "b");
        form.ToggleSync();
        ASSERT_TRUE(form.SyncOn && fs::exists(Mirror(Src("sub/b.txt"))));
        const fs::path disk = tmp.path() / "disk";
        const auto unplug = [&] {
            fs::rename(SyncTo(), disk);
            if (leavesEmptyFolder)
                fs::create_directory(SyncTo());
        };
        unplug();
        WriteFile(Src("new.txt"), "written while the disk was away");
        for (int refused = 1; refused <= 5; ++refused) {
            if (refused == 3) {
                fs::remove_all(SyncTo());
                fs::rename(disk, SyncTo());
                TimerCycle();
                EXPECT_EQ(ReadFileText(Mirror(Src("new.txt"))), "written while the disk was away");
                EXPECT_EQ(
                    ReadFileText(Mirror(Src("a.txt"))) + ReadFileText(Mirror(Src("sub/b.txt"))),
                    "ab");
                unplug();
                WriteFile(Src("later.txt"), "l");
            }
            const auto before = Tree(tmp.path());
            TimerCycle();
            EXPECT_EQ(Tree(tmp.path()), before) << "cycle " << refused;
            EXPECT_EQ(LastError() + "|" + std::to_string(form.ReadErrorCount()),
                      Unavailable() + "|" + std::to_string(refused));
        }
        EXPECT_FALSE(form.SyncOn);
        EXPECT_TRUE(form_.SysTray1.tip.starts_with("Sync Disabled\nLast cycle "));
        EXPECT_TRUE(form_.SysTray1.tip.ends_with("\n" + Unavailable()));
        EXPECT_TRUE(desktop().boxes.empty());
        fs::remove_all(SyncTo());
        fs::rename(disk, SyncTo());
    }
    EXPECT_NE(Logged().find(" refused Sync To directory " + SyncTo()), std::string::npos)
        << Logged();
}

// The user names a new folder, missing or empty: the switch-on makes it the mirror and its
// first cycle fills it; a folder that cannot be made is reported and syncing stays off.
TEST_F(UnavailableMirror, ANewSyncToSetUpFromTheWindowWorksAtOnce) {
    const std::string missing = tmp.str("new") + std::string(kSepText) + "mirror";
    for (const std::string& syncTo : {SyncTo(), missing}) {
        SCOPED_TRACE(syncTo);
        form_.txtSyncTo.text = syncTo;
        form.ToggleSync();
        EXPECT_TRUE(form.SyncOn && mirror::IsMarked(syncTo));
        EXPECT_TRUE(fs::exists(pathmap::DestinationFolder(syncTo, Narrow(Src())) +
                               std::string(kSepText) + "a.txt"));
        EXPECT_EQ(LastError(), "");
        form.ToggleSync();
    }
    EXPECT_NE(Logged().find(" marked " + missing), std::string::npos) << Logged();

    WriteFile(tmp.path() / "a-file", "not a folder");
    form_.txtSyncTo.text = tmp.str("a-file") + std::string(kSepText) + "mirror";
    form.ToggleSync();
    ExpectOffState();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Boxes()[0].starts_with("Error|16|Unable to set up Sync To directory " +
                                       form_.txtSyncTo.text + " as the mirror: "))
        << Boxes()[0];
}

// A mirror made before the mark is adopted by the first cycle at load that finds its content
// (some fileset's folder there); a folder holding anything else is not.
TEST_F(UnavailableMirror, AnEarlierUnmarkedMirrorIsAdoptedWithoutAQuestion) {
    WriteFile(Dest("notes.txt"), "not a mirror");
    WriteFile(form.IniFile, SavedSyncingOn(SyncTo(), "Delete=Yes\n"));
    form.LoadSettings();
    EXPECT_EQ(LastError(), Unavailable());
    EXPECT_FALSE(fs::exists(Mirror(Src("a.txt"))) || mirror::IsMarked(SyncTo()));

    fs::remove(Dest("notes.txt"));
    WriteFile(Mirror(Src("old.txt")), "an earlier copy, its source gone");
    WriteFile(Src("b.txt"), "b");
    form.ToggleSync();  // off
    form.LoadSettings();
    EXPECT_TRUE(mirror::IsMarked(SyncTo()) && form.SyncOn);
    EXPECT_TRUE(fs::exists(Mirror(Src("a.txt"))) && fs::exists(Mirror(Src("b.txt"))));
    EXPECT_FALSE(fs::exists(Mirror(Src("old.txt"))));
    EXPECT_EQ(LastError(), "");
    EXPECT_TRUE(desktop().boxes.empty());
    EXPECT_NE(Logged().find(" marked " + SyncTo()), std::string::npos) << Logged();
}

// A mirror on drive M: whose disk is unplugged, so that the letter names nothing, and plugged
// back. The build plants the letter on the Unix side (tests/support/plant-drive.sh).
TEST_F(UnavailableMirror, AMirrorOnADriveLetterThatGoesAwayAndComesBack) {
    const char* planted = std::getenv("BRANNOCK_PLUGGED_DISK");
    if (!planted)
        GTEST_SKIP() << "BRANNOCK_PLUGGED_DISK names no disk plugged in as drive M:";
#ifdef _WIN32
    // The disk's Unix path as this program sees it: through drive Z:, which maps /.
    const fs::path disk = fs::path("Z:" + std::string(planted)).make_preferred();
#else
    const fs::path disk = planted;
#endif
    const fs::path away = Narrow(disk) + "-away";
    form_.txtSyncTo.text = "M:\\mirror";
    form.ToggleSync();
    ASSERT_TRUE(mirror::IsMarked("M:\\mirror")) << LastError();

    fs::rename(disk, away);  // unplugged
    WriteFile(Src("new.txt"), "n");
    const auto before = Tree(tmp.path());
    const auto diskBefore = Tree(away);
    TimerCycle();
    EXPECT_EQ(LastError(), Unavailable("M:\\mirror"));
    EXPECT_EQ(Tree(tmp.path()), before);
    EXPECT_EQ(Tree(away), diskBefore);

    fs::rename(away, disk);  // plugged back
    TimerCycle();
    EXPECT_TRUE(form.SyncOn);
    EXPECT_TRUE(fs::exists(pathmap::DestinationFolder("M:\\mirror", Narrow(Src())) + "\\new.txt"));
    EXPECT_EQ(form.ReadErrorCount(), 1);  // a success leaves the record as it stands
}

}  // namespace
