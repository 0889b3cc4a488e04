// The passes look files up through what they keep of a folder between files: the cleanup a
// source folder's names, the copy pass an open destination folder. What changes after that
// was read must still decide as a fresh look-up would where a file could be lost.
#include <cstring>

#include "engine/PassGuards.h"
#include "tests/engine/FormFixture.h"

namespace {

WIN32_FIND_DATAA EntryOf(const fs::path& file) {
    WIN32_FIND_DATAA entry{};
    const std::string name = Narrow(file.filename());
    std::memcpy(entry.cFileName, name.c_str(), name.size() + 1);
    return entry;
}

using PassLookUps = FormFixture;

TEST_F(PassLookUps, ASourceMadeAfterItsFolderWasReadKeepsItsCopy) {
    for (const char* name : {"a.txt", "late.txt", "gone.txt"})
        WriteFile(Src(name), name);
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));
    fs::remove(Src("late.txt"));
    fs::remove(Src("gone.txt"));
    const std::string mirrorDir = Narrow(Mirror(Src("a.txt")).parent_path());

    engine::PassGuards guards;
    engine::ActivePass pass(form, guards);
    EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Src("a.txt"))));  // the folder is read here
    WriteFile(Src("late.txt"), "back");
    EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Src("late.txt"))));
    EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Src("gone.txt"))));
    EXPECT_TRUE(fs::exists(Mirror(Src("a.txt"))) && fs::exists(Mirror(Src("late.txt"))));
    EXPECT_FALSE(fs::exists(Mirror(Src("gone.txt"))));
}

TEST_F(PassLookUps, ACopyRemovedAfterItsFolderWasOpenedIsMadeAgain) {
    for (const char* name : {"a.txt", "b.txt"})
        WriteFile(Src(name), name);
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));

    engine::PassGuards guards;
    engine::ActivePass pass(form, guards);
    const std::string dir = Narrow(Src());
    WIN32_FIND_DATAA a{};
    WIN32_FIND_DATAA b{};
    FindClose(FindFirstFileA(Narrow(Src("a.txt")).c_str(), &a));
    FindClose(FindFirstFileA(Narrow(Src("b.txt")).c_str(), &b));
    EXPECT_TRUE(form.SyncFile(dir, a));  // the destination folder is held from here
    fs::remove(Mirror(Src("b.txt")));
    EXPECT_TRUE(form.SyncFile(dir, b));
    EXPECT_TRUE(fs::exists(Mirror(Src("b.txt"))));
}

}  // namespace

#ifndef _WIN32
namespace {

// The cleanup walk tells links from folders by the listing alone: a link to a folder is never
// entered, and a link standing for a gone source is removed itself.
TEST_F(PassLookUps, TheCleanupNeverEntersAFolderLinkAndRemovesOrphanLinksThemselves) {
    WriteFile(Src("kept.txt"), "x");
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));
    WriteFile(tmp.path() / "elsewhere" / "precious.txt", "keep me");
    const fs::path mirrorDir = Mirror(Src("kept.txt")).parent_path();
    fs::create_directory_symlink(tmp.path() / "elsewhere", mirrorDir / "folder-link");
    fs::create_symlink(tmp.path() / "elsewhere" / "precious.txt", mirrorDir / "file-link");
    form.DeleteOrphans = true;

    EXPECT_TRUE(form.CleanupTree(Pattern(SyncTo())));
    EXPECT_TRUE(fs::is_symlink(mirrorDir / "folder-link"));
    EXPECT_FALSE(fs::is_symlink(mirrorDir / "file-link"));
    EXPECT_EQ(ReadFileText(tmp.path() / "elsewhere" / "precious.txt"), "keep me");
    EXPECT_TRUE(fs::exists(Mirror(Src("kept.txt"))));
}

// A folder found free vouches for the levels above it, not for its siblings: a sibling
// replaced by a link is found, and nothing is written through it.
TEST_F(PassLookUps, ASiblingOfAFolderFoundFreeIsCheckedForLinks) {
    WriteFile(Src("a/x.txt"), "x");
    WriteFile(Src("b/y.txt"), "y");
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));
    const fs::path outside = tmp.path() / "outside";
    fs::create_directories(outside);
    fs::remove_all(Mirror(Src("b")));
    fs::create_directory_symlink(outside, Mirror(Src("b")));
    WriteFile(Src("b/y.txt"), "changed");

    engine::PassGuards guards;
    engine::ActivePass pass(form, guards);
    WIN32_FIND_DATAA x{};
    WIN32_FIND_DATAA y{};
    FindClose(FindFirstFileA(Narrow(Src("a/x.txt")).c_str(), &x));
    FindClose(FindFirstFileA(Narrow(Src("b/y.txt")).c_str(), &y));
    EXPECT_TRUE(form.SyncFile(Narrow(Src("a")), x));
    EXPECT_FALSE(form.SyncFile(Narrow(Src("b")), y));
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_NE(LastError().find(Narrow(Mirror(Src("b")))), std::string::npos) << LastError();
}

}  // namespace
#endif
