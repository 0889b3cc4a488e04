// The passes keep some of a folder between files: the cleanup a source folder's names, the copy
// pass an open destination folder and the folders found free of links. What changes after that
// must still decide as a fresh look-up would wherever a file could be lost or misplaced.
#include "engine/PassGuards.h"
#include "tests/engine/FormFixture.h"

namespace {

// The directory entry a walk would hand over for `file`.
WIN32_FIND_DATAA EntryOf(const fs::path& file) {
    WIN32_FIND_DATAA entry{};
    FindClose(FindFirstFileA(Narrow(file).c_str(), &entry));
    return entry;
}

class PassLookUps : public FormFixture {
  protected:
    engine::PassGuards guards;
};

TEST_F(PassLookUps, WhatChangesAfterAFolderWasReadOrOpenedStillDecides) {
    for (const char* name : {"a.txt", "late.txt", "gone.txt"})
        WriteFile(Src(name), name);
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));
    const std::string mirrorDir = Narrow(Mirror(Src("a.txt")).parent_path());
    fs::remove(Src("late.txt"));
    fs::remove(Src("gone.txt"));
    {
        engine::ActivePass pass(form, guards);
        EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Mirror(Src("a.txt")))));  // read here
        WriteFile(Src("late.txt"), "back");
        EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Mirror(Src("late.txt")))));
        EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Mirror(Src("gone.txt")))));
    }
    EXPECT_TRUE(fs::exists(Mirror(Src("late.txt"))));
    EXPECT_FALSE(fs::exists(Mirror(Src("gone.txt"))));

    engine::PassGuards copyGuards;
    engine::ActivePass pass(form, copyGuards);
    EXPECT_TRUE(form.SyncFile(Narrow(Src()), EntryOf(Src("a.txt"))));  // the folder held here
    fs::remove(Mirror(Src("late.txt")));
    EXPECT_TRUE(form.SyncFile(Narrow(Src()), EntryOf(Src("late.txt"))));
    EXPECT_TRUE(fs::exists(Mirror(Src("late.txt"))));
}

#ifndef _WIN32
// A folder found free vouches for the levels above it, not for its siblings; the cleanup
// tells links from folders by the listing alone, never entering a folder link and removing an
// orphan link itself.
TEST_F(PassLookUps, LinksBesideFoldersFoundFreeAreNeitherWrittenThroughNorEntered) {
    WriteFile(Src("a/x.txt"), "x");
    WriteFile(Src("b/y.txt"), "y");
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));
    const fs::path outside = tmp.path() / "outside";
    WriteFile(outside / "precious.txt", "keep me");
    fs::remove_all(Mirror(Src("b")));
    fs::create_directory_symlink(outside, Mirror(Src("b")));
    fs::create_symlink(outside / "precious.txt", Mirror(Src("a/orphan-link")));
    WriteFile(Src("b/y.txt"), "changed");
    {
        engine::ActivePass pass(form, guards);
        EXPECT_TRUE(form.SyncFile(Narrow(Src("a")), EntryOf(Src("a/x.txt"))));
        EXPECT_FALSE(form.SyncFile(Narrow(Src("b")), EntryOf(Src("b/y.txt"))));
        EXPECT_NE(LastError().find(Narrow(Mirror(Src("b")))), std::string::npos) << LastError();
    }
    EXPECT_TRUE(form.CleanupTree(Pattern(SyncTo())));
    EXPECT_TRUE(fs::is_symlink(Mirror(Src("b"))) && fs::exists(Mirror(Src("a/x.txt"))));
    EXPECT_FALSE(fs::is_symlink(Mirror(Src("a/orphan-link"))));
    EXPECT_EQ(ReadFileText(outside / "precious.txt"), "keep me");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);
}
#endif

}  // namespace
