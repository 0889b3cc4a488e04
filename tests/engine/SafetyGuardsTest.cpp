// What a sync cycle never touches, on real folders: sources inside the mirror, a mirror inside
// a source, and filesets that are not full paths (ActivityLogEventsTest). Links in the mirror:
// PassLookUpsTest.
#include "engine/PassGuards.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/Links.h"

namespace {

class SafetyGuards : public FormFixture {
  protected:
    SafetyGuards() { form.DeleteOrphans = true; }
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

#ifndef _WIN32
// A fileset whose folder climbs with ".." past the root names its folder all the same, but its
// copies would take the same climb from the Sync To directory and land outside it: it is left
// alone, and nothing is written beside the mirror.
TEST_F(SafetyGuards, AFilesetThatClimbsOutOfTheMirrorIsLeftAlone) {
    WriteFile(Src("x.txt"), "x");
    const std::string source = Narrow(Src());
    std::string climb = source;
    for (char c : source)
        if (c == kSep)
            climb += Sep() + "..";
    climb += Sep() + "..";  // one more than the source is deep: out of the Sync To directory
    const std::string entry = climb + source + Sep() + "*.*";
    form_.lstSyncFrom.items = {entry};
    // Beside the mirror stand the sources and the program's own files: no folder comes there.
    const auto folders = [this] {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(tmp.path()))
            if (e.is_directory())
                found.push_back(e.path());
        return found.size();
    };
    const auto before = folders();
    EXPECT_TRUE(form.RunSyncCycle());
    EXPECT_EQ(folders(), before);
    EXPECT_EQ(LastError(), "Sync From fileset " + entry + " is not a full path: it is left alone");
}
#endif

}  // namespace
