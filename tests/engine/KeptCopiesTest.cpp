// With KeepDeleted, on real folders: what the passes remove from the mirror is found again in
// the versions folder, byte for byte and with its times; what cannot be moved there stays where
// it is; old folders of kept copies expire by the date in their name.
#include "engine/ProgramEntries.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/Links.h"
#include "tests/support/SmallVolume.h"

namespace {

using ::testing::ElementsAre;

constexpr std::int64_t kSourceTime = 1700000000;  // 2023-11-14

class KeptCopies : public FormFixture {
  protected:
    KeptCopies() {
        form.DeleteOrphans = true;
        form.KeepDeleted = 30;
        form_.clock.Set(runtime::MakeDate({2026, 12, 7, 11, 2, 33}));
        form.Log.SetPath(tmp.str("brannock.log"));
    }
    fs::path Versions() const { return fs::path(engine::VersionsFolder(form_.txtSyncTo.text)); }
    // Where a mirror file is kept by a cycle started at the clock's time.
    fs::path Kept(const fs::path& mirrorFile, const std::string& cycle = "2026-12-07 110233") {
        return Versions() / cycle / mirrorFile.lexically_relative(form_.txtSyncTo.text);
    }
    static void ExpectSameFile(const fs::path& kept, const std::string& content,
                               std::int64_t seconds) {
        EXPECT_EQ(ReadFileText(kept), content) << kept;
        EXPECT_EQ(WriteTimeSeconds(kept), seconds) << kept;
    }
};

// A month of cycles. The copier's old copy is moved aside before the new one is written, with
// or without Delete, and without it the cleanup does not run; two cycles in the same second keep
// into folders of their own. A renamed source folder then looks like an unplugged disk: every copy
// goes into the versions folder, those of sources named like the program's own entries too, while
// the mark and the kept copies at the top of the Sync To directory, however it is spelled, stay.
// Folders of kept copies expire by the date in their name, never by file times; links in an expired
// folder go without being followed, and nothing else in the versions folder is touched. Last, the
// versions folder cannot be written.
TEST_F(KeptCopies, CopiesAreKeptWithTheirTimesUntilTheyExpireAndWhatCannotBeKeptStays) {
    const fs::path old = Versions() / "2026-10-28 110233";     // 40 days back
    const fs::path recent = Versions() / "2026-11-27 110233";  // 10 days back
    WriteFile(old / "home" / "a.txt", "old");
    WriteFile(recent / "home" / "a.txt", "recent");
    SetWriteTime(recent / "home" / "a.txt", 100000);  // 1970: file times do not count
    WriteFile(Versions() / "2026-01-01 000000 notes" / "n.txt", "not a name the program gives");
    WriteFile(Versions() / "2026-01-01 000000.txt", "a file");
    const fs::path outside = tmp.path() / "outside";
    WriteFile(outside / "precious.txt", "behind a link");
    const bool linked = MakeLink(outside, old / "home" / "link") &&
                        MakeLink(outside, Versions() / "2025-01-01 000000");
    const std::vector<std::string> names = {"a.txt", "sub/b.txt",        "sub/deeper/c.bin",
                                            "empty", ".brannock-mirror", ".brannock-versions/y"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        WriteFile(Src(names[i]), i == 3 ? "" : names[i]);
        SetWriteTime(Src(names[i]), kSourceTime + static_cast<std::int64_t>(i));
    }
    AddFileset(Src());
    form.DeleteOrphans = false;
    WriteFile(Mirror(Src("orphan.txt")), "its source is gone");
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    EXPECT_FALSE(fs::exists(Versions() / "2026-12-07 110233"));  // a first copy replaces nothing
    EXPECT_FALSE(fs::exists(old));
    EXPECT_THAT(LogText(), HasSubstr(" expired " + Narrow(old)));

    for (const char* version : {"second", "third"}) {
        WriteFile(Src("a.txt"), version);
        ASSERT_TRUE(form.RunSyncCycle()) << LastError();
        EXPECT_EQ(ReadFileText(Mirror(Src("a.txt"))), version);
    }
    EXPECT_TRUE(fs::remove(Mirror(Src("orphan.txt"))));  // without Delete, orphans stay
    const fs::path unplugged = tmp.path() / "unplugged";
    fs::rename(Src(), unplugged);
    form.DeleteOrphans = true;
    form_.txtSyncTo.text = SyncTo() + std::string(kSepText);
    form_.clock.AdvanceSeconds(3600);
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    for (const std::string& name : names) {
        EXPECT_FALSE(fs::exists(Mirror(Src(name))));
        ExpectSameFile(Kept(Mirror(Src(name)), "2026-12-07 120233"), ReadFileText(unplugged / name),
                       WriteTimeSeconds(unplugged / name));
    }
    EXPECT_TRUE(form.Counts.kept == 6 && form.Counts.deleted == 6);
    EXPECT_THAT(LogText(), HasSubstr(" kept " + Narrow(Mirror(Src("a.txt"))) + " as " +
                                     Narrow(Kept(Mirror(Src("a.txt")), "2026-12-07 120233"))));
    EXPECT_TRUE(mirror::IsMarked(SyncTo()));
    ExpectSameFile(Kept(Mirror(Src("a.txt"))), "a.txt", kSourceTime);
    EXPECT_EQ(ReadFileText(Kept(Mirror(Src("a.txt")), "2026-12-07 110233 (2)")), "second");
    EXPECT_EQ(ReadFileText(recent / "home" / "a.txt"), "recent");
    for (const char* other : {"2026-01-01 000000 notes/n.txt", "2026-01-01 000000.txt"})
        EXPECT_TRUE(fs::exists(Versions() / other)) << other;
    EXPECT_EQ(ReadFileText(outside / "precious.txt"), "behind a link");
    EXPECT_EQ(IsLink(Versions() / "2025-01-01 000000"), linked);

    // Twenty days on, the recent folder is thirty days old: kept for the last day.
    form_.clock.AdvanceSeconds(20 * 86400 - 3600);
    ASSERT_TRUE(form.RunSyncCycle());
    EXPECT_TRUE(fs::exists(recent));
    form_.clock.AdvanceSeconds(1);
    ASSERT_TRUE(form.RunSyncCycle());
    EXPECT_FALSE(fs::exists(recent));

    // What cannot be moved aside is not deleted either: the cleanup records it and ends, the
    // copy fails with the reason and leaves the old copy as it was. A link in the versions
    // folder's place is never written through.
    fs::rename(unplugged, Src());
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();  // the copies made again
    fs::remove(Src("sub/b.txt"));
    WriteFile(Src("a.txt"), "new version");
    fs::rename(Versions(), tmp.path() / "versions");
    const bool linkedVersions = MakeLink(outside, Versions());
    if (!linkedVersions)
        WriteFile(Versions(), "a file where the versions folder belongs");
    const std::string why = linkedVersions ? "the folder " + Narrow(Versions()) + " is a link"
                                           : SystemText(ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_EQ(ReadFileText(Mirror(Src("a.txt"))), "third");
    EXPECT_THAT(LogText(), HasSubstr(" failed Copying file " + Narrow(Src("a.txt")) + " to " +
                                     Narrow(Mirror(Src("a.txt"))) +
                                     ": Unable to open destination file: Unable to keep file " +
                                     Narrow(Mirror(Src("a.txt"))) + ": " + why + "\n"));
    EXPECT_EQ(LastError(), "Unable to keep file " + Narrow(Mirror(Src("sub/b.txt"))) + ": " + why);
    EXPECT_THAT(LogText(), HasSubstr(", 2 files and 0 folders failed, "));
    EXPECT_EQ(ReadFileText(Mirror(Src("sub/b.txt"))), "sub/b.txt");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);
}

// A copy that fails part way (the mirror's volume fills up) leaves the old copy kept.
TEST_F(KeptCopies, ACopyFailingPartWayLeavesTheOldCopyKept) {
    SmallVolume volume(tmp.path() / "small");
    if (!volume.Mounted())
        GTEST_SKIP() << volume.Why();
    form_.txtSyncTo.text = Narrow(volume.path());
    mirror::WriteMark(form_.txtSyncTo.text);
    WriteFile(Src("big.bin"), "the old version");
    SetWriteTime(Src("big.bin"), kSourceTime);
    AddFileset(Src());
    ASSERT_TRUE(form.RunSyncCycle());

    WriteFileOfSize(Src("big.bin"), 3 << 20);  // three times the volume
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_THAT(LastError(), HasSubstr("Copying file " + Narrow(Src("big.bin"))));
    const fs::path copy(pathmap::DestinationFolder(form_.txtSyncTo.text, Narrow(Src())));
    ExpectSameFile(Kept(copy / "big.bin"), "the old version", kSourceTime);
}

#ifndef _WIN32
// On POSIX the mirror repeats a source's path, so only a folder at the very top of the file
// system can map onto the versions folder; switching on refuses it, and a cycle leaves it alone.
TEST_F(KeptCopies, ASourceFolderNamedLikeTheVersionsFolderIsRefusedAndLeftAlone) {
    if (!RunningAsRoot())
        GTEST_SKIP() << "a folder at the top of the file system needs root";
    const fs::path top = fs::path("/") / engine::kVersionsFolderName;
    const bool made = fs::create_directory(top);
    const fs::path source = top / tmp.path().filename();
    WriteFile(source / "a.txt", "a source file");
    form_.lstSyncFrom.items = {Pattern(source)};
    form_.txtWakeup.text = "30";
    form.SyncOn = false;
    form.ToggleSync();
    form.SyncOn = true;
    const bool cycled = form.RunSyncCycle();
    const bool copied = fs::exists(Versions() / tmp.path().filename() / "a.txt");
    fs::remove_all(source);
    if (made)
        fs::remove(top);
    EXPECT_THAT(Boxes(),
                ElementsAre(HasSubstr("would be copied into the folder " + Narrow(Versions()))));
    EXPECT_TRUE(cycled && !copied);
    EXPECT_EQ(LastError(), "Sync From folder " + Narrow(source) +
                               " would be copied into the versions folder " + Narrow(Versions()) +
                               ": it is left alone");
}
#endif

TEST(VersionsFolder, IsFoundHoweverTheMirrorPathSpellsIt) {
    const std::string v(engine::kVersionsFolderName);
    for (const std::string& in : {"/m/" + v, "/m//./" + v + "/x", "/m/home/../" + v})
        EXPECT_TRUE(engine::InVersionsFolder("/m", in)) << in;
    for (const std::string& out : {"/m/home/" + v, "/m/" + v + "-not", "/m/../" + v})
        EXPECT_FALSE(engine::InVersionsFolder("/m", out)) << out;
}

}  // namespace
