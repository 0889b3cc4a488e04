#include "tests/engine/FormFixture.h"

namespace {

using SyncCycle = FormFixture;

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
