// A mirror lost part way through a cycle gets nothing written beneath its mount point. (That
// the mark and the kept copies are no mirror content: KeptCopiesTest.)
#include "engine/MirrorMark.h"
#include "tests/engine/FormFixture.h"

namespace {

using MirrorMark = FormFixture;

// The disk goes away after the first file, or (where a folder can be moved with a file open in
// it, as a lazily unmounted share goes) in the middle of a copy: the failure is recorded once,
// though the walk, the later fileset and the cleanup each meet it; nothing is made beneath the
// empty mount point; the next cycle with the disk back completes the mirror, the interrupted
// file included.
TEST_F(MirrorMark, AMirrorLostDuringTheCycleGetsNothingBeneathItsMountPoint) {
    form.DeleteOrphans = true;
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

}  // namespace
