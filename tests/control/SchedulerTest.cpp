#include "tests/control/ControlFixture.h"

namespace {

class Scheduler : public ControlFixture {
  protected:
    // True once the copy of big.bin has made progress.
    bool CopyingBig() { return Status() == "Copying file big.bin" && form_.pgrStatus.value > 0; }
    // Lets the clock run until a cycle has run or the day ends; returns the time then.
    std::string NextCycle() {
        const long before = Cycles();
        while (Cycles() == before && Clock() != "23:59:59")
            form_.RunFor(1);
        return Clock();
    }
};

// A switch-on runs a cycle at once and another at the first tick; then ticks count minutes.
TEST_F(Scheduler, TheIntervalCountsMinuteBoundariesFromTheEndOfTheLastTimerCycle) {
    At(10, 0, 45);
    form.ToggleSync();
    EXPECT_EQ(Cycles(), 1);
    // The first tick, at 10:00:50, runs the timer-driven cycle, which takes two minutes.
    desktop().AtDoEvents(1, [&] { form_.clock.AdvanceSeconds(120); });
    EXPECT_EQ(NextCycle(), "10:2:50");
    EXPECT_EQ(NextCycle(), "10:32:0");
}

// The interval in force when syncing was switched off counts for one more tick only.
TEST_F(Scheduler, AShorterIntervalSavedWhileOffGovernsTheNextCycle) {
    At(10, 0, 0);
    form.ToggleSync();
    form_.RunFor(5);  // the timer-driven cycle at 10:00:05
    form.ToggleSync();
    form_.txtWakeup.text = "5";
    form.SaveSettings();
    form_.RunFor(55);
    form.ToggleSync();
    ASSERT_EQ(Cycles(), 3);
    EXPECT_EQ(NextCycle(), "10:5:0");
}

TEST_F(Scheduler, AClockSetBackHoldsTheCyclesUntilItPassesTheIntervalAgain) {
    At(10, 0, 0);
    form.ToggleSync();
    form_.RunFor(5);
    ASSERT_EQ(Cycles(), 2);
    At(9, 0, 0);  // LastWake is 10:00:05 now lies ahead
    EXPECT_EQ(NextCycle(), "10:30:0");
}

TEST_F(Scheduler, ANegativeIntervalRunsACycleAtEveryTick) {
    form_.txtWakeup.text = "-5";
    form.ToggleSync();  // any value other than 0 passes the check
    EXPECT_TRUE(form.SyncOn);
    form.SaveSettings();
    EXPECT_EQ(form.WakeupMinutes, -5);
    form_.RunFor(5);  // the tick that takes the new interval
    const long before = Cycles();
    EXPECT_EQ(form_.RunFor(20), 4);
    EXPECT_EQ(Cycles(), before + 4);
}

// Stop during the switch-on cycle and during a timer-driven one: the copy is cancelled and
// recorded, the timer stays stopped, and a Start Sync while the cycle still winds down is
// refused; once the cycle has returned, switching on works again.
TEST_F(Scheduler, StopDuringALongCopyEndsInTheOffState) {
    for (bool timerCycle : {false, true}) {
        fs::remove(Src("big.bin"));
        if (timerCycle)
            form.ToggleSync();
        WriteFileOfSize(Src("big.bin"), 400000);
        desktop().boxes.clear();
        desktop().WhenDoEvents([&] { return CopyingBig(); },
                               [&] {
                                   form.btnSyncToggle_Click();  // Stop Sync
                                   form.btnSyncToggle_Click();  // Start Sync again at once
                               });
        if (timerCycle)
            form_.RunFor(5);
        else
            form.ToggleSync();
        ExpectOffState();
        ASSERT_EQ(desktop().boxes.size(), 1u);
        EXPECT_EQ(desktop().boxes[0].style, msgbox::kInformation);
        EXPECT_NE(desktop().boxes[0].prompt.find("still stopping"), std::string::npos);
        EXPECT_EQ(LastError(), "Copying file " + Narrow(Src("big.bin")) + " to " +
                                   Narrow(Mirror(Src("big.bin"))) + ": Copy cancelled");
        EXPECT_LT(fs::file_size(Mirror(Src("big.bin"))), 400000u);
        EXPECT_EQ(form_.RunFor(60), 0);
    }
    EXPECT_EQ(Cycles(), 3);
}

TEST_F(Scheduler, TerminateDuringATimerCycleEndsTheProgramOnlyAfterTheCycle) {
    form.ToggleSync();
    WriteFileOfSize(Src("big.bin"), 400000);
    bool unloadedDuringCycle = true;
    desktop().WhenDoEvents([&] { return CopyingBig(); },
                           [&] {
                               form.btnTerminate_Click();
                               // The end of the desktop session asks again: the state the
                               // user terminated in must stay saved.
                               form.TerminateProgram();
                               unloadedDuringCycle = desktop().unloaded;
                               EXPECT_TRUE(form.TerminatePending);
                               EXPECT_FALSE(form_.btnTerminate.enabled);
                               EXPECT_FALSE(form_.btnSyncToggle.enabled);
                               ExpectEditing(false);
                           });
    form_.RunFor(5);
    EXPECT_FALSE(unloadedDuringCycle);
    EXPECT_TRUE(desktop().unloaded);
    EXPECT_FALSE(form_.SysTray1.inTray);
    // Saved before syncing was switched off: the next start resumes syncing.
    EXPECT_EQ(Saved("Options", "SyncOn"), "Yes");
    EXPECT_LT(fs::file_size(Mirror(Src("big.bin"))), 400000u);
}

// A terminate asked during the switch-on cycle is the caller's to carry out: no timer restart.
TEST_F(Scheduler, TerminateDuringTheSwitchOnCycleLeavesTheTimerStopped) {
    desktop().AtDoEvents(1, [&] { form.TerminatePending = true; });
    form.ApplySyncState(true);
    EXPECT_EQ(form_.Timer1.restarts, 0);
}

}  // namespace
