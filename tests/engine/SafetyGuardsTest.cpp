// What a sync cycle never touches, on real folders: sources inside the mirror, a mirror inside
// a source, and filesets that are not full paths, each left alone with a line in the activity
// log; the empty mount point of a mirror lost during the cycle; pipes, sockets and device nodes,
// never opened. Links in the mirror: PassLookUpsTest.
#include "activity/Events.h"
#include "engine/PassGuards.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/Links.h"
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstring>

#include "tests/support/WaitingWriter.h"
#endif

namespace {

class SafetyGuards : public FormFixture {
  protected:
    SafetyGuards() {
        form.DeleteOrphans = true;
        form.Log.SetPath(tmp.str("brannock.log"));
    }
    std::string Sep() const { return std::string(kSepText); }
};

// A source inside the mirror, however it is spelled: the cleanup leaves it alone, the copy
// pass does not copy it, the rest of the mirror is cleaned as usual, and one error a cycle
// names both folders.
TEST_F(SafetyGuards, ASourceInsideTheSyncToDirectoryIsNeverDeleted) {
    const fs::path data = Dest("data");
    const std::string sep = Sep();
    // The fence goes by the folder's identity, so another spelling or a link is fenced too.
    std::vector<std::string> spellings = {
        Pattern(data), Narrow(tmp.path()) + sep + sep + "mirror" + sep + "data" + sep + "*.*"};
    fs::create_directories(data);
    if (MakeLink(data, tmp.path() / "data-link"))
        spellings.push_back(Pattern(tmp.path() / "data-link"));
    for (const std::string& fileset : spellings) {
        SCOPED_TRACE(fileset);
        WriteFile(data / "sub" / "deep.txt", "the only copy");
        WriteFile(Src("a.txt"), "a");
        form_.lstSyncFrom.items = {Pattern(Src()), fileset};
        WriteFile(Mirror(Src("orphan.txt")), "its source is gone");
        ASSERT_TRUE(form.RunSyncCycle());
        EXPECT_EQ(ReadFileText(data / "sub" / "deep.txt"), "the only copy");
        EXPECT_TRUE(fs::exists(Mirror(Src("a.txt"))) && !fs::exists(Mirror(Src("orphan.txt"))));
        EXPECT_FALSE(fs::exists(Mirror(data)));  // never copied into the mirror again
        EXPECT_EQ(LastError(), "Sync From folder " + BeforeLastSep(fileset) +
                                   " and Sync To directory " + SyncTo() +
                                   " overlap: what lies in both is left alone");
        EXPECT_THAT(LogText(), HasSubstr(" left-alone " + LastError() + "\n"));
    }
}

// The mirror inside a source: each cycle copies the source once and never the mirror into
// itself; with the Delete option nothing is deleted, since everything in the mirror lies
// inside the source.
TEST_F(SafetyGuards, ASyncToDirectoryInsideASourceIsNeverCopiedIntoItself) {
    const fs::path mirror = Src("mirror");
    WriteFile(Src("a.txt"), "a");
    WriteFile(Src("sub/b.txt"), "b");
    form_.lstSyncFrom.items = {Pattern(Src())};
    form_.txtSyncTo.text = Narrow(mirror) + Sep();
    fs::create_directory(mirror);
    ::mirror::WriteMark(Narrow(mirror));
    for (int cycle = 1; cycle <= 3; ++cycle) {
        ASSERT_TRUE(form.RunSyncCycle());
        EXPECT_EQ(form.ReadErrorCount(), cycle);  // one error a cycle, though both passes met it
    }
    const fs::path copies(pathmap::DestinationFolder(Narrow(mirror), Narrow(Src())));
    EXPECT_EQ(ReadFileText(copies / "a.txt") + ReadFileText(copies / "sub" / "b.txt"), "ab");
    EXPECT_FALSE(fs::exists(copies / "mirror"));
    fs::remove(Src("a.txt"));  // the cleanup may not take the copy: it lies in the source
    ASSERT_TRUE(form.RunSyncCycle());
    EXPECT_TRUE(fs::exists(copies / "a.txt"));
    // Not there yet when a pass starts, the directory is made by its first copy: fenced then.
    fs::remove_all(mirror);
    engine::PassGuards guards;
    ASSERT_TRUE(engine::GuardCopyPass(form, Pattern(Src()), guards));
    fs::create_directories(mirror);
    EXPECT_NE(guards.Fenced(Narrow(mirror)), nullptr);
}

// A fileset that is not a full path is left alone though it names a folder from the working
// directory: the copies an earlier version made of it are not taken for orphans either. One
// whose folder climbs with ".." past the root names its folder all the same, but its copies
// would take the same climb from the Sync To directory and land outside it.
TEST_F(SafetyGuards, AFilesetThatIsNoFullPathIsLeftAlone) {
    WriteFile(Src("x.txt"), "x");
    const fs::path oldCopy = fs::path(pathmap::DestinationFolder(SyncTo(), "src")) / "old.txt";
    WriteFile(oldCopy, "copied long ago");
    form_.lstSyncFrom.items = {"src" + Sep() + "*.*"};
#ifndef _WIN32
    const std::string source = Narrow(Src());
    std::string climb = source + Sep() + "..";  // one more than the source is deep
    for (char c : source)
        if (c == kSep)
            climb += Sep() + "..";
    form_.lstSyncFrom.items.push_back(climb + source + Sep() + "*.*");
#endif
    // Beside the mirror stand the sources and the program's own files: no folder comes there.
    const auto folders = [this] {
        return std::ranges::count_if(fs::directory_iterator(tmp.path()),
                                     [](const auto& e) { return e.is_directory(); });
    };
    const auto before = folders();
    const fs::path savedCwd = fs::current_path();
    fs::current_path(tmp.path());
    EXPECT_TRUE(form.RunSyncCycle());
    fs::current_path(savedCwd);
    EXPECT_EQ(folders(), before);
    EXPECT_EQ(ReadFileText(oldCopy), "copied long ago");
    EXPECT_FALSE(fs::exists(oldCopy.parent_path() / "x.txt"));
    for (const std::string& entry : form_.lstSyncFrom.items)
        EXPECT_THAT(LogText(), HasSubstr(" left-alone Sync From fileset " + entry +
                                         " is not a full path: it is left alone\n"));
}

// The disk goes away after the first file, or (where a folder can be moved with a file open in
// it, as a lazily unmounted share goes) in the middle of a copy: the failure is recorded once,
// though the walk, the later fileset and the cleanup each meet it; nothing is made beneath the
// empty mount point; the next cycle with the disk back completes the mirror, the interrupted
// file included.
TEST_F(SafetyGuards, AMirrorLostDuringTheCycleGetsNothingBeneathItsMountPoint) {
    WriteFile(Src("first/1.txt"), "1");
    WriteFile(Src("first/sub/2.txt"), "2");
    WriteFileOfSize(Src("first/big.bin"), 400000);
    WriteFile(Src("second/3.txt"), "3");
    AddFileset(Src("first"));
    AddFileset(Src("second"));
    const fs::path disk = tmp.path() / "disk";
    const auto unplug = [&] {
        fs::rename(SyncTo(), disk);
        fs::create_directory(SyncTo());
    };
#ifdef _WIN32
    for (const bool duringCopy : {false}) {
#else
    for (const bool duringCopy : {false, true}) {
#endif
        SCOPED_TRACE(duringCopy ? "during a copy" : "between two files");
        if (duringCopy) {
            desktop().WhenDoEvents(
                [&] { return Status() == "Copying file big.bin" && form_.pgrStatus.value > 0; },
                unplug);
        } else {
            desktop().AtDoEvents(1, unplug);
        }
        EXPECT_FALSE(form.RunSyncCycle());
        EXPECT_TRUE(fs::is_empty(SyncTo()));
        EXPECT_EQ(LastError(), "Sync To directory " + SyncTo() +
                                   " is not available: is its disk or share connected?");

        fs::remove(SyncTo());
        fs::rename(disk, SyncTo());
        EXPECT_TRUE(form.RunSyncCycle());
        for (const char* name : {"first/1.txt", "first/sub/2.txt", "second/3.txt"})
            EXPECT_TRUE(fs::exists(Mirror(Src(name)))) << name;
        EXPECT_EQ(fs::file_size(Mirror(Src("first/big.bin"))), 400000u);
        for (const auto& entry : fs::directory_iterator(SyncTo()))
            if (entry.path().filename() != ".brannock-mirror")
                fs::remove_all(entry.path());  // a fresh mirror for the next way
    }
}

#ifndef _WIN32
// Pipes, sockets and device nodes among ordinary files: a cycle passes over them without
// opening one, in the sources and in the mirror, and mirrors everything else.
TEST_F(SafetyGuards, PipesSocketsAndDevicesArePassedOverWithoutOpeningOne) {
    const char* const files[] = {"a.txt", "m.txt", "z.txt", "sub/b.txt", "sub/y.txt"};
    for (const char* name : files)
        WriteFile(Src(name), name);
    // A source that was a file when it was copied and is now a pipe: its copy stays.
    WriteFile(Src("was-a-file"), "old");
    AddFileset(Src());
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    fs::remove(Src("was-a-file"));

    WaitingWriter sourcePipe(Src("sub/pipe")), nowAPipe(Src("was-a-file"));
    // A socket, and a device node with /dev/null's numbers: reading it would read the device.
    for (const auto& [name, mode, device] :
         {std::tuple{"socket", S_IFSOCK, dev_t{0}}, {"null", S_IFCHR, ::makedev(1, 3)}})
        ASSERT_EQ(::mknod(Src(name).c_str(), mode | 0600, device), 0)
            << "making a device node takes root: " << std::strerror(errno);
    fs::create_symlink("sub/pipe", Src("link-to-pipe"));
    // In the mirror, a pipe whose source is gone is neither opened nor deleted.
    WaitingWriter mirrorPipe(Mirror(Src("orphan-pipe")));
    for (const char* name : files)
        WriteFile(Src(name), std::string(name) + " again");  // sizes differ: copied again

    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    EXPECT_EQ(LastError(), "");
    for (const char* name : files)
        EXPECT_EQ(ReadFileText(Mirror(Src(name))), std::string(name) + " again") << name;
    EXPECT_FALSE(sourcePipe.Released() || nowAPipe.Released() || mirrorPipe.Released());
    EXPECT_EQ(ReadFileText(Mirror(Src("was-a-file"))), "old");
    EXPECT_TRUE(fs::is_fifo(Mirror(Src("orphan-pipe"))));
    for (const char* name : {"sub/pipe", "socket", "null", "link-to-pipe"})
        EXPECT_FALSE(fs::exists(fs::symlink_status(Mirror(Src(name))))) << name;

    const std::string log = LogText();
    EXPECT_EQ(Count(log, std::string(" ") + activity::event::kSkipped + " "), 6) << log;
    EXPECT_THAT(log, HasSubstr(Narrow(Src("sub/pipe")) + ": a pipe, socket or device"));
    EXPECT_EQ(form.Counts.skipped, 6);
}
#endif

}  // namespace
