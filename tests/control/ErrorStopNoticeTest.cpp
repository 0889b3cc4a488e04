// When the same failure recorded five times in a row switches syncing off, the tray says so
// once, and its tip keeps the reason under the state for as long as syncing stays off.
#include "tests/control/ControlFixture.h"

namespace {

using ErrorStopNotice = ControlFixture;

TEST_F(ErrorStopNotice, TheFifthFailureSpeaksUpOnceFromTheTrayAndSwitchingOnForgetsIt) {
    const fs::path failing = FailingFileset();
    form_.lstSyncFrom.items = {Pattern(failing)};  // one failure a cycle
    const auto& balloons = form_.SysTray1.balloons;
    form.ToggleSync();  // the first cycle records the failure once
    for (int failures = 2; failures <= 5; ++failures) {
        EXPECT_TRUE(balloons.empty()) << failures;
        EXPECT_EQ(form_.SysTray1.tip, "Sync Ready");
        form_.clock.AdvanceSeconds(30 * 60);
        form.Timer1_Timer();
    }
    const std::string failure = LastError();
    ASSERT_EQ(form.ReadErrorCount(), 5);
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].title, "Brannock");
    EXPECT_EQ(
        balloons[0].text,
        "Syncing was switched off: the same failure was recorded five times in a row.\n" + failure);
    // The status panel and the tip's first line show the off state's own texts.
    EXPECT_EQ(form_.SysTray1.tip, "Sync Disabled\n" + failure);
    EXPECT_EQ(Status() + "|" + form_.btnSyncToggle.caption, "Disabled|Start Sync");
    EXPECT_TRUE(desktop().boxes.empty());  // unattended: never a message box

    // Showing the off state again changes nothing, and says nothing again.
    form.ApplySyncState(false);
    EXPECT_EQ(balloons.size(), 1u);
    EXPECT_EQ(form_.SysTray1.tip, "Sync Disabled\n" + failure);

    // Switched on again, then off by the user: the old reason is gone.
    fs::remove(Mirror(failing));
    form.ToggleSync();
    EXPECT_EQ(form_.SysTray1.tip, "Sync Ready");
    form.ToggleSync();
    ExpectOffState();
    EXPECT_EQ(balloons.size(), 1u);
}

}  // namespace
