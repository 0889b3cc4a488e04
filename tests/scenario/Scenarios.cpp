// The program on ordinary folders; ended by a stop signal whatever window it shows; and on
// configurations that put the user's own files within its reach: links planted in the mirror,
// names no Windows file system allows; and one running program per settings file. Overlapping
// folders are left to the engine's tests, which see both passes' guards.
#include "tests/scenario/ScenarioFixture.h"
#include "tests/support/SmallVolume.h"

namespace fs = std::filesystem;

namespace {

using Scenarios = ScenarioFixture;

// A stop signal ends the program whatever message box it shows: the start-up's, before the
// settings are loaded and any cycle runs, or the About box of a first start, whose first cycle
// runs all the same. Names no Windows file system allows are mirrored once each, with their
// own content.
TEST_F(Scenarios, EndsOnAStopSignalFromAnyBoxAndMirrorsNewAndChangedFilesAndDeletesOrphans) {
    ScenarioSettings s = Mirroring(src);
    s.priorityRefused = true;
    ASSERT_TRUE(Run(s));
    EXPECT_FALSE(fs::exists(Mirror(marker)));  // the box was shown: no cycle ran

    const std::vector<std::string> names = {
        "*",           "?",         "ab",        "a?",
        "dot*.",       "new\nline", "tab\tname", "\xff\xfe not UTF-8",
        "back\\slash", "co:lon",    "[br]",      std::string(255, 'n'),
        "dir*/inner?"};
    for (const std::string& name : names)
        Put(src / name, "content of " + name);
    Put(Mirror(src / "a.txt"), "alpha");  // the source's time and size: a copy already made
    // `a?` looks like the copy of `ab` by size and time: only its name tells them apart.
    Put(Mirror(src / "ab"), "content of ab");
    Put(Mirror(src / "sub" / "b.txt"), "bravo");
    Put(Mirror(src / "gone.txt"), "orphan");
    const ino_t upToDate = Entry(Mirror(src / "a.txt")).inode;
    s = {.savedBefore = false, .folders = s.folders};
    ASSERT_TRUE(Run(s));
    ExpectSameFiles(Mirror(src), src, {"a.txt", "sub/b.txt", "sub/deeper/c.bin"});
    ExpectSameFiles(Mirror(src), src, names);
    EXPECT_EQ(Entry(Mirror(src / "a.txt")).inode, upToDate);
    EXPECT_FALSE(fs::exists(Mirror(src / "gone.txt")));
    EXPECT_EQ(LastError(), "");
    // Another run finds everything up to date: it must leave the mirror as it is.
    const auto mirrored = Snapshot(syncTo);
    ASSERT_TRUE(Run(Mirroring(src)));
    EXPECT_EQ(Differences(mirrored, Snapshot(syncTo)), "") << "a second cycle changed the mirror";
}

// The sentinels behind the links are outside the mirror: the run's own checks find any write
// or delete made through a link (the copies of sub/ would land beside them). How each pass
// meets a link, and what it records, is PassLookUpsTest's.
TEST_F(Scenarios, LinksPlantedInTheMirrorAreNeverWrittenOrDeletedThrough) {
    const fs::path outside = root.path() / "outside", other = root.path() / "other";
    Put(outside / "orphan.txt", "no source: the cleanup would delete its copy");
    Put(outside / "top-target.txt", "sentinel behind a file link");
    Put(other / "a.txt", "alpha");
    fs::create_directories(Mirror(src));
    fs::create_directories(Mirror(other));
    fs::create_directory_symlink(outside, Mirror(src / "sub"));
    fs::create_symlink(outside / "top-target.txt", Mirror(other / "a.txt"));
    // A pass ends at the first link it meets: each link, and each level of the folder link,
    // in a fileset of its own.
    ASSERT_TRUE(Run({.folders = {src, src / "sub" / "deeper", other, marker.parent_path()}}));
}

// A renamed source folder is what an unplugged disk looks like: with KeepDeleted the copies
// leave the mirror for one folder of the versions folder, each with its bytes and time, and
// the next cycle passes over that folder.
TEST_F(Scenarios, AnUnpluggedSourceCostsNoCopyWithKeepDeleted) {
    ScenarioSettings s = Mirroring(src);
    s.keepDeleted = 30;
    Put(syncTo / ".brannock-mirror", "Brannock mirror\n");  // as a switch-on from the window
    ASSERT_TRUE(Run(s));
    const fs::path unplugged = root.path() / "unplugged";
    fs::rename(src, unplugged);
    ASSERT_TRUE(Run(s));
    const std::vector<fs::path> cycles(fs::directory_iterator(syncTo / ".brannock-versions"), {});
    ASSERT_EQ(cycles.size(), 1u);
    for (const char* name : {"a.txt", "sub/b.txt", "sub/deeper/c.bin"})
        EXPECT_FALSE(fs::exists(Mirror(src / name))) << name;
    ExpectSameFiles(cycles[0] / src.relative_path(), unplugged,
                    {"a.txt", "sub/b.txt", "sub/deeper/c.bin"});
    EXPECT_EQ(LastError(), "");
    const auto kept = Snapshot(syncTo);
    ASSERT_TRUE(Run(s));
    EXPECT_EQ(Differences(kept, Snapshot(syncTo)), "") << "the next cycle changed the mirror";
}

// Binds `disk` over `mountPoint` until the guard returned goes; no guard when it cannot.
std::shared_ptr<const fs::path> Plug(const fs::path& disk, const fs::path& mountPoint) {
    const std::string mount = "mount --bind '" + disk.native() + "' '" + mountPoint.native() + "'";
    if (std::system(mount.c_str()) != 0)
        return nullptr;
    return {new fs::path(mountPoint), [](const fs::path* at) {
                if (std::system(("umount '" + at->native() + "'").c_str()) != 0)
                    ADD_FAILURE() << "cannot unplug " << *at;
                delete at;
            }};
}

// A mirror on a disk mounted over the Sync To directory: with the disk unplugged, the start-up
// cycle finds the empty mount point, writes nothing there (nor anywhere else) and records why;
// plugged back, the next start carries on where the mirror stood.
TEST_F(Scenarios, AMirrorOnADiskThatIsNotMountedIsLeftAloneUntilItIsBack) {
    SmallVolume disk(root.path() / "disk");
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    Put(disk.path() / ".brannock-mirror", "set up from the window");
    ScenarioSettings s = Mirroring(src);
    s.disk = disk.path();
    auto plug = Plug(disk.path(), syncTo);
    ASSERT_TRUE(plug);
    ASSERT_TRUE(Run(s));
    plug.reset();
    Put(src / "new.txt", "written while the disk was away");
    ASSERT_TRUE(Run(s));
    EXPECT_TRUE(fs::is_empty(syncTo));
    EXPECT_EQ(LastError(), "Sync To directory " + syncTo.native() +
                               " is not available: is its disk or share connected?");

    plug = Plug(disk.path(), syncTo);
    ASSERT_TRUE(plug);
    ASSERT_TRUE(Run(s));
    ExpectSameFiles(Mirror(src), src, {"a.txt", "sub/b.txt", "sub/deeper/c.bin", "new.txt"});
    EXPECT_EQ(LastError(), "");
}

// One running program per settings file: a second start on the same file shows the first and
// goes without touching the settings or the mirror; a copy in another folder runs beside it,
// and a copy that was killed leaves nothing behind that would stop the next start.
TEST_F(Scenarios, ASecondStartOnOneSettingsFileGoesAndLeavesEverythingAsItWas) {
    for (const fs::path& folder : {prog, root.path() / "prog2"})
        WriteSettingsIn(folder, Mirroring(src));
    Put(syncTo / ".brannock-mirror", "Brannock mirror\n");  // as a switch-on from the window
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
