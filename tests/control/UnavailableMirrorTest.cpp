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
    std::string Unavailable(const std::string& syncTo) const {
        return "Sync To directory " + syncTo + " is not available: is its disk or share connected?";
    }
};

// The disk goes away twice, leaving an empty mount point, no folder at all, or (where the build
// plants drive M: on the Unix side, tests/support/plant-drive.sh) a drive letter that names
// nothing. The switch-on makes the folder the mirror, whether it is empty or missing with its
// parent (the disk's own folder). Each refused cycle changes nothing anywhere and records one
// failure; the cycle after the disk is back copies what changed meanwhile, keeps every copy
// whose source is there and leaves the record as it stands; the fifth refusal in a row switches
// syncing off with the tray's notice.
TEST_F(UnavailableMirror, TimerCyclesWriteNothingUntilTheMirrorIsBackAndFiveSwitchOff) {
    struct Way {
        std::string syncTo;
        fs::path disk;  // what is unplugged
        bool leavesEmptyFolder;
    };
    std::vector<Way> ways = {
        {SyncTo(), SyncTo(), true},
        {tmp.str("new") + std::string(kSepText) + "mirror", tmp.path() / "new", false}};
#ifdef _WIN32
    // The disk's Unix path as this program sees it: through drive Z:, which maps /.
    if (const char* planted = std::getenv("BRANNOCK_PLUGGED_DISK"))
        ways.push_back(
            {"M:\\mirror", fs::path("Z:" + std::string(planted)).make_preferred(), false});
#endif
    for (const Way& way : ways) {
        SCOPED_TRACE(way.syncTo);
        const fs::path away = Narrow(way.disk) + "-away";
        const fs::path copies = pathmap::DestinationFolder(way.syncTo, Narrow(Src()));
        const auto unplug = [&] {
            fs::rename(way.disk, away);
            if (way.leavesEmptyFolder)
                fs::create_directory(way.disk);
        };
        const auto plugBack = [&] {
            fs::remove_all(way.disk);
            fs::rename(away, way.disk);
        };
        form_.txtSyncTo.text = way.syncTo;
        WriteFile(Src("sub/b.txt"), "b");
        form.ToggleSync();
        ASSERT_TRUE(form.SyncOn && mirror::IsMarked(way.syncTo) &&
                    ReadFileText(copies / "sub" / "b.txt") == "b");
        unplug();
        WriteFile(Src("new.txt"), "written while the disk was away");
        for (int refused = 1; refused <= 5; ++refused) {
            if (refused == 3) {
                plugBack();
                TimerCycle();
                EXPECT_EQ(ReadFileText(copies / "new.txt") + ReadFileText(copies / "a.txt") +
                              ReadFileText(copies / "sub" / "b.txt"),
                          "written while the disk was awayab");
                unplug();
            }
            const auto before = std::pair{Tree(tmp.path()), Tree(away)};
            TimerCycle();
            EXPECT_EQ(std::pair(Tree(tmp.path()), Tree(away)), before) << "cycle " << refused;
            EXPECT_EQ(LastError() + "|" + std::to_string(form.ReadErrorCount()),
                      Unavailable(way.syncTo) + "|" + std::to_string(refused));
        }
        // (The tray's word on the error limit: ActivityLogControlTest.)
        EXPECT_TRUE(!form.SyncOn && desktop().boxes.empty());
        plugBack();
        EXPECT_THAT(LogText(),
                    HasSubstr(" marked " + way.syncTo + " (switched on from the window)"));
    }
    EXPECT_THAT(LogText(), HasSubstr(" refused Sync To directory " + SyncTo()));
}

// A Sync To directory that cannot be made is reported, and nothing else happens.
TEST_F(UnavailableMirror, ASyncToThatCannotBeMadeKeepsSyncingOff) {
    WriteFile(tmp.path() / "a-file", "not a folder");
    form_.txtSyncTo.text = tmp.str("a-file") + std::string(kSepText) + "mirror";
    form.ToggleSync();
    EXPECT_TRUE(!form.SyncOn && Status().empty() && form_.SysTray1.tipHistory.empty());
    EXPECT_EQ(Boxes(), std::vector<std::string>{
                           "Error|16|Unable to set up Sync To directory " + form_.txtSyncTo.text +
                           " as the mirror: " + SystemText(ERROR_PATH_NOT_FOUND)});
}

// A mirror made before the mark is adopted by the first cycle at load that finds its content
// (some fileset's folder there); a folder holding anything else is not.
TEST_F(UnavailableMirror, AnEarlierUnmarkedMirrorIsAdoptedWithoutAQuestion) {
    WriteFile(Dest("notes.txt"), "not a mirror");
    WriteFile(form.IniFile, SavedSyncingOn(SyncTo(), "Delete=Yes\n"));
    form.LoadSettings();
    EXPECT_EQ(LastError(), Unavailable(SyncTo()));
    EXPECT_FALSE(fs::exists(Mirror(Src("a.txt"))) || mirror::IsMarked(SyncTo()));

    fs::remove(Dest("notes.txt"));
    WriteFile(Mirror(Src("old.txt")), "an earlier copy, its source gone");
    form.ToggleSync();  // off
    form.LoadSettings();
    EXPECT_TRUE(mirror::IsMarked(SyncTo()) && form.SyncOn && fs::exists(Mirror(Src("a.txt"))));
    EXPECT_FALSE(fs::exists(Mirror(Src("old.txt"))));  // cleaned up as any mirror
    EXPECT_TRUE(LastError().empty() && desktop().boxes.empty());
    EXPECT_THAT(LogText(), HasSubstr(" marked " + SyncTo() + " (it holds an earlier mirror)"));
}

}  // namespace
