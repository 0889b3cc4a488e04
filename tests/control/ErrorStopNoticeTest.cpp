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
    // The tip, then every balloon shown so far.
    const auto tray = [&] {
        std::string text = form_.SysTray1.tip;
        for (const auto& balloon : form_.SysTray1.balloons)
            text += "|" + balloon.title + ": " + balloon.text;
        return text;
    };
    WriteFile(Mirror(Src("good/orphan.txt")), "o");
    form.ToggleSync();
    const std::string failedOnce =
        "|Brannock: 1 file failed in the last cycle. The Activity Log says which.";
    EXPECT_EQ(tray() + "|" + Status(),
              "Sync Ready\nLast cycle 09:00: 1 copied, 1 deleted, 1 failed" + failedOnce +
                  "|Sleeping...");
    EXPECT_TRUE(fs::exists(Mirror(Src("good/a.txt"))) &&
                !fs::exists(Mirror(Src("good/orphan.txt"))));
    // The same failure three more times, as three more cycles would record it.
    for (int i = 0; i < 3; ++i)
        form.RecordError(LastError());
    WriteFile(Src("good/b.txt"), "b");
    form_.clock.AdvanceSeconds(30 * 60);
    form.Timer1_Timer();
    ASSERT_EQ(form.ReadErrorCount(), 5);
    // Switched off before the later fileset.
    EXPECT_FALSE(fs::exists(Mirror(Src("good/b.txt"))) || form.CycleRunning);
    const std::string balloon =
        "|Brannock: Syncing was switched off: the same failure was "
        "recorded five times in a row.\n" +
        LastError();
    // The tip shows the off state, the last cycle, and the reason under them.
    EXPECT_EQ(tray(), "Sync Disabled\nLast cycle 09:30: 0 copied, 0 deleted, 1 failed\n" +
                          LastError() + failedOnce + balloon);
    EXPECT_TRUE(desktop().boxes.empty());  // unattended: never a message box

    // Switched on again, then off by the user: the old reason is gone.
    form.ToggleSync();
    form.ToggleSync();
    ExpectOffState();
}

}  // namespace
