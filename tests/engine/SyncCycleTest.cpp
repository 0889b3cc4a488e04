#include "tests/engine/FormFixture.h"

namespace {

using SyncCycle = FormFixture;

TEST_F(SyncCycle, FailedFilesetLetsTheOthersAndTheCleanupRunUntilTheLimit) {
    AddFileset(FailingFileset());
    WriteFile(Src("good/a.txt"), "a");
    AddFileset(Src("good"));
    form.DeleteOrphans = true;
    for (int cycle = 1; cycle <= 4; ++cycle) {
        WriteFile(Mirror(Src("good/orphan.txt")), "o");
        EXPECT_FALSE(form.RunSyncCycle());
        EXPECT_EQ(form.ReadErrorCount(), cycle);
        EXPECT_EQ(Status(), "Sleeping...");
        EXPECT_TRUE(fs::exists(Mirror(Src("good/a.txt"))));
        EXPECT_FALSE(fs::exists(Mirror(Src("good/orphan.txt"))));
    }
    // The fifth identical failure switches syncing off before the later fileset.
    WriteFile(Src("good/b.txt"), "b");
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_FALSE(form.SyncOn || form.CycleRunning);
    EXPECT_EQ(Status(), "Disabled");
    EXPECT_EQ(form_.SysTray1.tip, "Sync Ready");
    EXPECT_FALSE(fs::exists(Mirror(Src("good/b.txt"))));
}

TEST_F(SyncCycle, NoCleanupOnAnEmptySyncToAndNothingWhenOff) {
    form.DeleteOrphans = true;
    form_.txtSyncTo.text = "";
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_EQ(form_.status().writes, 1);  // "Sleeping..." only: nothing was walked
    EXPECT_EQ(form.ReadErrorCount(), 0);

    form.SyncOn = false;
    form_.SysTray1.tipHistory.clear();
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_EQ(Status(), "Disabled");
    EXPECT_EQ(form_.SysTray1.tipHistory, (std::vector<std::string>{"Sync Active", "Sync Ready"}));
}

}  // namespace
