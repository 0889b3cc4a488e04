// Configurations that put the user's own files within the program's reach: folders that
// overlap the mirror, links planted in the mirror, names no Windows file system allows.
#include <gmock/gmock.h>

#include "tests/scenario/ScenarioFixture.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

class SafetyScenarios : public ScenarioFixture {
  protected:
    int CountNamed(const fs::path& tree, const std::string& name) const {
        int count = 0;
        for (const auto& [path, entry] : Snapshot(tree))
            count += path.filename() == name ? 1 : 0;
        return count;
    }
};

TEST_F(SafetyScenarios, AFilesetInsideTheMirrorIsNeitherDeletedNorCopiedIntoItself) {
    const fs::path data = syncTo / "data";
    Put(data / "report.txt", "the user's only copy");
    ASSERT_TRUE(Run(WithDelete({FilesetOf(data)}), MarkerCopied()));
    EXPECT_TRUE(fs::exists(data / "report.txt"));
    EXPECT_THAT(LastError(),
                ::testing::AllOf(HasSubstr(data.native()), HasSubstr(syncTo.native())));
}

TEST_F(SafetyScenarios, AMirrorInsideAFilesetIsNotCopiedIntoItselfCycleAfterCycle) {
    Put(src / "a.txt", "alpha");
    ScenarioSettings s = WithDelete({FilesetOf(src)});
    s.syncTo = src / "mirror";
    ASSERT_TRUE(Run(s, MarkerCopied()));
    ASSERT_TRUE(Run(s, MarkerCopied()));
    EXPECT_EQ(CountNamed(syncTo, "a.txt"), 1);
    EXPECT_EQ(Entry(Mirror(src / "a.txt")).content, "alpha");
    EXPECT_THAT(LastError(), ::testing::AllOf(HasSubstr(src.native()), HasSubstr(syncTo.native())));
}

// The sentinels behind the links are outside the mirror: the run's own checks find any write
// or delete made through a link.
TEST_F(SafetyScenarios, LinksPlantedInTheMirrorAreNeverWrittenOrDeletedThrough) {
    const fs::path outside = Root() / "outside";
    Put(src / "sub" / "file.txt", "the source's newer, longer content");
    Put(src / "top.txt", "top");
    Put(outside / "file.txt", "sentinel");
    Put(outside / "orphan.txt", "no source: the cleanup would delete its copy");
    Put(outside / "top-target.txt", "sentinel behind a file link");
    fs::create_directories(Mirror(src));
    fs::create_directory_symlink(outside, Mirror(src / "sub"));
    fs::create_symlink(outside / "top-target.txt", Mirror(src / "top.txt"));
    ASSERT_TRUE(Run(WithDelete({FilesetOf(src)}), MarkerCopied()));
    EXPECT_TRUE(fs::is_symlink(Mirror(src / "sub")));
    EXPECT_THAT(LastError(), HasSubstr("link " + Mirror(src).native()));
}

// Each name is mirrored once, with its own content, and left alone by the next cycle.
TEST_F(SafetyScenarios, NamesWindowsForbidsAreMirroredOnceAndKept) {
    const std::vector<std::string> names = {
        "*",           "?",         "ab",        "a?",
        "dot*.",       "new\nline", "tab\tname", "\xff\xfe not UTF-8",
        "back\\slash", "co:lon",    "[br]",      std::string(255, 'n')};
    for (const std::string& name : names)
        Put(src / name, "content of " + name);
    // `a?` looks like the copy of `ab` by size and time: only its name tells them apart.
    Put(src / "ab", "AB", 1700000000);
    Put(src / "a?", "A?", 1700000000);
    PutCopy(src / "ab", Mirror(src / "ab"));
    const ScenarioSettings s = WithDelete({FilesetOf(src)});
    ASSERT_TRUE(Run(s, MarkerCopied()));
    for (const std::string& name : names)
        EXPECT_EQ(Entry(Mirror(src / name)).content, Entry(src / name).content) << name;
    EXPECT_EQ(LastError(), "");

    const TreeSnapshot mirrored = Snapshot(syncTo);
    ASSERT_TRUE(Run(s, MarkerCopied()));
    EXPECT_EQ(Differences(mirrored, Snapshot(syncTo)), "") << "a second cycle changed the mirror";
}

}  // namespace
