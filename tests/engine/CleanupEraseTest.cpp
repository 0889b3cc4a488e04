#include "tests/engine/FormFixture.h"
#include "tests/support/Links.h"

namespace {

using CleanupPass = FormFixture;

// Orphans go only with the Delete option, and a Stop Sync ends the deletions at the file in
// progress, not when the walk next meets a folder.
TEST_F(CleanupPass, DeletesOnlyWhenAskedAndStopsAtTheFileInProgress) {
    WriteFile(Src("keep.txt"), "k");
    AddFileset(Src());
    for (char c : std::string("abcde"))
        WriteFile(Mirror(Src(std::string("orphan-") + c)), "o");
    auto orphans = [&] {  // beside the copy of keep.txt
        return std::distance(fs::directory_iterator(Mirror(Src())), fs::directory_iterator()) - 1;
    };
    ASSERT_TRUE(form.RunSyncCycle());
    EXPECT_EQ(orphans(), 5);
    form.DeleteOrphans = true;
    desktop().WhenDoEvents([&] { return orphans() < 5; }, [&] { form.SyncOn = false; });
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_EQ(orphans(), 4);
}

using EraseTree = FormFixture;

// The mark stays: the folder is still the mirror.
TEST_F(EraseTree, EmptiesTheTreeAndKeepsTheDirectoryWithItsMark) {
    EXPECT_TRUE(form.EraseTree(Pattern(tmp.path() / "no-such-folder"), false));
    for (const char* name : {"a.txt", "x/b.txt", "x/y/c.txt", "x/y/z/d.txt", ".h/e",
                             ".brannock-versions/2026-12-07 110233/f"})
        WriteFile(Dest(name), name);
    fs::create_directories(Dest("empty/inner"));
    // A folder link goes, but nothing behind it.
    WriteFile(tmp.path() / "elsewhere" / "precious.txt", "keep me");
    MakeLink(tmp.path() / "elsewhere", Dest("link"));  // where the system makes links
    EXPECT_TRUE(form.EraseTree(Pattern(SyncTo()), false));
    EXPECT_TRUE(mirror::IsMarked(SyncTo()));
    EXPECT_EQ(std::distance(fs::directory_iterator(SyncTo()), fs::directory_iterator()), 1);
    EXPECT_EQ(ReadFileText(tmp.path() / "elsewhere" / "precious.txt"), "keep me");
}

}  // namespace
