// The copy pass against a link in the mirror that the test program could not make itself: under
// Wine the build plants it on the Unix side (tests/support/plant-links.sh) and names the tree
// in BRANNOCK_LINKED_MIRROR. Native runs make their own links in SafetyGuardsTest.
#include <cstdlib>

#include "tests/engine/FormFixture.h"

namespace {

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
