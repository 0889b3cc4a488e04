// Names that POSIX file systems allow and Windows forbids: wildcard characters, separators of
// other systems, control characters, bytes that are not UTF-8, the longest name there is.
#include <vector>

#include "tests/engine/FormFixture.h"

namespace {

class OddNames : public FormFixture {
  protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "Windows forbids these names, so no look-up there can meet them";
#endif
        form.DeleteOrphans = true;
        AddFileset(Src());
    }
};

// `a?` has the size and time of `ab`, whose copy is up to date: only an exact look-up of the
// name tells the two apart.
TEST_F(OddNames, AreMirroredOnceAndKeptWhileTheirSourceExists) {
    const std::vector<std::string> names = {
        "*",  "?",         "a*b",       "dot*.",    "back\\slash",        "C:colon", "[set]", "ab",
        "a?", "new\nline", "tab\there", "\xff\xfe", std::string(255, 'n')};
    for (const auto& name : names) {
        WriteFile(Src(name), "content of " + name);
        SetWriteTime(Src(name), 1'600'000'000);
    }
    WriteFile(Mirror(Src("ab")), "content of ab");
    SetWriteTime(Mirror(Src("ab")), 1'600'000'000);
    WriteFile(Src("dir*/inner?"), "inner");
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    for (const auto& name : names)
        EXPECT_EQ(ReadFileText(Mirror(Src(name))), "content of " + name) << name;
    EXPECT_EQ(ReadFileText(Mirror(Src("dir*/inner?"))), "inner");

    // Every copy gets other bytes of the same size and time: a later copy of the file would
    // bring its content back.
    for (const auto& name : names) {
        const std::int64_t time = WriteTimeSeconds(Mirror(Src(name)));
        WriteFile(Mirror(Src(name)), "#");
        SetWriteTime(Mirror(Src(name)), time);
        WriteFile(Src(name), "*");
        SetWriteTime(Src(name), time);
    }
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    for (const auto& name : names)
        EXPECT_EQ(ReadFileText(Mirror(Src(name))), "#") << "copied again or deleted: " << name;
    EXPECT_TRUE(fs::exists(Mirror(Src("dir*/inner?"))));
}

}  // namespace
