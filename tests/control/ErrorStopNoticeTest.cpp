// A failing fileset lets the others and the cleanup run; when the same failure recorded five
// times in a row switches syncing off, the tray says so once, and its tip keeps the reason
// under the state for as long as syncing stays off.
#include "tests/control/ControlFixture.h"

namespace {

using ErrorStopNotice = ControlFixture;

TEST_F(ErrorStopNotice, TheFifthFailureSwitchesOffAndSpeaksUpOnceFromTheTray) {
    const fs::path failing = FailingFileset();
    WriteFile(Src("good/a.txt"), "a");
    form_.lstSyncFrom.items = {Pattern(failing), Pattern(Src("good"))};  // one failure a cycle
    form.DeleteOrphans = true;
    const auto& balloons = form_.SysTray1.balloons;
    for (int failures = 1; failures <= 5; ++failures) {
        WriteFile(Mirror(Src("good/orphan.txt")), "o");
        if (failures == 5)
            WriteFile(Src("good/b.txt"), "b");
        if (failures == 1) {
            form.ToggleSync();
        } else {
            form_.clock.AdvanceSeconds(30 * 60);
            form.Timer1_Timer();
        }
        ASSERT_EQ(form.ReadErrorCount(), failures);
        if (failures == 5)
            break;
        EXPECT_TRUE(balloons.empty()) << failures;
        EXPECT_EQ(form_.SysTray1.tip + "|" + Status(), "Sync Ready|Sleeping...");
        EXPECT_TRUE(fs::exists(Mirror(Src("good/a.txt"))));
        EXPECT_FALSE(fs::exists(Mirror(Src("good/orphan.txt"))));
    }
    // Switched off before the later fileset.
    EXPECT_FALSE(fs::exists(Mirror(Src("good/b.txt"))));
    EXPECT_FALSE(form.CycleRunning);
    const std::string failure = LastError();
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
