// The passes keep some of a folder between files: the cleanup a source folder's names, the copy
// pass an open destination folder and the folders found free of links. What changes after that
// must still decide as a fresh look-up would wherever a file could be lost or misplaced.
#include <cstdlib>

#include "engine/PassGuards.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/Links.h"

namespace {

// The directory entry a walk would hand over for `file`.
WIN32_FIND_DATAA EntryOf(const fs::path& file) {
    WIN32_FIND_DATAA entry{};
    FindClose(FindFirstFileA(Narrow(file).c_str(), &entry));
    return entry;
}

using PassLookUps = FormFixture;

TEST_F(PassLookUps, WhatChangesAfterAFolderWasReadOrOpenedStillDecides) {
    for (const char* name : {"a.txt", "late.txt", "gone.txt"})
        WriteFile(Src(name), name);
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));
    const std::string mirrorDir = Narrow(Mirror(Src("a.txt")).parent_path());
    fs::remove(Src("late.txt"));
    fs::remove(Src("gone.txt"));
    {
        engine::PassGuards guards;
        engine::ActivePass pass(form, guards);
        EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Mirror(Src("a.txt")))));  // read here
        WriteFile(Src("late.txt"), "back");
        EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Mirror(Src("late.txt")))));
        EXPECT_TRUE(form.CleanupFile(mirrorDir, EntryOf(Mirror(Src("gone.txt")))));
    }
    EXPECT_TRUE(fs::exists(Mirror(Src("late.txt"))) && !fs::exists(Mirror(Src("gone.txt"))));

    engine::PassGuards copyGuards;
    engine::ActivePass pass(form, copyGuards);
    EXPECT_TRUE(form.SyncFile(Narrow(Src()), EntryOf(Src("a.txt"))));  // the folder held here
    fs::remove(Mirror(Src("late.txt")));
    EXPECT_TRUE(form.SyncFile(Narrow(Src()), EntryOf(Src("late.txt"))));
    EXPECT_TRUE(fs::exists(Mirror(Src("late.txt"))));
}

// A copy, or a folder of the mirror at any level, replaced by a link to something outside: the
// copy pass writes nothing through it and logs the link as left alone, even below a folder it found
// free or beside one whose name it begins, which vouch for the levels above them only. The cleanup
// tells links from folders by the listing alone, never entering a folder link and removing an
// orphan link itself. A Sync To directory that is itself a link is the user's choice.
TEST_F(PassLookUps, NoPassWritesOrDeletesThroughALinkInTheMirror) {
    for (const char* name :
         {"a/x.txt", "a/sub/w.txt", "a/file-link", "b2/y.txt", "b/z.txt", "b/deeper/z.txt"})
        WriteFile(Src(name), "source");
    ASSERT_TRUE(form.SyncTree(Pattern(Src())));
    const fs::path outside = tmp.path() / "outside", precious = outside / "precious.txt";
    WriteFile(precious, "keep me");
    for (const char* copy : {"a/file-link", "a/sub", "b"})
        fs::remove_all(Mirror(Src(copy)));
    if (!MakeLink(precious, Mirror(Src("a/file-link"))) || !MakeLink(outside, Mirror(Src("b"))) ||
        !MakeLink(outside, Mirror(Src("a/sub"))) ||
        !MakeLink(precious, Mirror(Src("a/orphan-link"))))
        GTEST_SKIP() << "this system makes no links";
    form.Log.SetPath(tmp.str("brannock.log"));
    {
        engine::PassGuards guards;
        engine::ActivePass pass(form, guards);
        for (const auto& [name, link] : {std::pair{"a/x.txt", fs::path()},
                                         {"a/sub/w.txt", Mirror(Src("a/sub"))},
                                         {"a/file-link", Mirror(Src("a/file-link"))},
                                         {"b2/y.txt", fs::path()},
                                         {"b/z.txt", Mirror(Src("b"))},
                                         {"b/deeper/z.txt", Mirror(Src("b"))}}) {
            SCOPED_TRACE(name);
            EXPECT_EQ(form.SyncFile(Narrow(Src(name).parent_path()), EntryOf(Src(name))),
                      link.empty());
            EXPECT_TRUE(link.empty() ||
                        LastError().starts_with("Not written through the link " + Narrow(link) +
                                                " below the Sync To directory: "))
                << LastError();
        }
    }
    EXPECT_THAT(LogText(), HasSubstr(" left-alone Not written through the link " +
                                     Narrow(Mirror(Src("b"))) + " below the Sync To directory"));
    EXPECT_TRUE(form.CleanupTree(Pattern(SyncTo())));
    EXPECT_TRUE(IsLink(Mirror(Src("b"))) && IsLink(Mirror(Src("a/file-link"))));
    EXPECT_TRUE(IsLink(Mirror(Src("a/sub"))) && !IsLink(Mirror(Src("a/orphan-link"))));
    EXPECT_EQ(ReadFileText(precious), "keep me");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);

    WriteFile(tmp.path() / "other" / "new.txt", "new");
    ASSERT_TRUE(MakeLink(SyncTo(), tmp.path() / "mirror-link"));
    form_.txtSyncTo.text = tmp.str("mirror-link");
    EXPECT_TRUE(form.SyncTree(Pattern(tmp.path() / "other"))) << LastError();
    EXPECT_TRUE(fs::exists(Mirror(tmp.path() / "other" / "new.txt")));
}

// A link in the mirror that the test program could not make itself: under Wine the build plants
// it on the Unix side (tests/support/plant-links.sh) and names the tree in
// BRANNOCK_LINKED_MIRROR.
using PreparedLinks = FormFixture;

TEST_F(PreparedLinks, TheCopyPassWritesNothingThroughALinkPlantedInTheMirror) {
    const char* planted = std::getenv("BRANNOCK_LINKED_MIRROR");
    if (!planted)
        GTEST_SKIP() << "BRANNOCK_LINKED_MIRROR names no tree with a link planted in the mirror";
#ifdef _WIN32
    // The tree's Unix path as this program sees it: under Wine through drive Z:, which maps /.
    const fs::path tree = fs::path("Z:" + std::string(planted)).make_preferred();
#else
    const fs::path tree = planted;
#endif
    form_.txtSyncTo.text = Narrow(tree / "mirror");
    const std::string link = Narrow(
        fs::path(pathmap::DestinationFolder(form_.txtSyncTo.text, Narrow(tree / "src"))) / "sub");
    ASSERT_TRUE(IsLink(link)) << link << " is no link: the tree was not planted";

    EXPECT_FALSE(form.SyncTree(Pattern(tree / "src")));  // the walk ends at the link
    EXPECT_EQ(ReadFileText(tree / "outside" / "file.txt"), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(tree / "outside"), fs::directory_iterator()), 1);
    EXPECT_TRUE(LastError().starts_with("Not written through the link " + link +
                                        " below the Sync To directory: "))
        << LastError();
}

}  // namespace
