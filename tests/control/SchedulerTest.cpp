#include <cstdio>
#include <sstream>

#include "tests/control/ControlFixture.h"

namespace {

class Scheduler : public ControlFixture {
  protected:
    // Runs steps apart by spaces and returns what the checking steps saw: "10:0:45" sets the
    // clock, "toggle" switches syncing on or off, "type -5" types an interval, "save" saves
    // the settings, "run 5" lets 5 seconds pass, "slow" makes the next cycle take two minutes;
    // "cycles" notes the cycles so far, "next" the time when the next cycle has run.
    std::string Script(const std::string& steps) {
        std::istringstream in(steps);
        std::string step, arg, seen;
        while (in >> step) {
            int h = 0, m = 0, s = 0;
            if (std::sscanf(step.c_str(), "%d:%d:%d", &h, &m, &s) == 3)
                form_.clock.Set(runtime::MakeDate({2026, 1, 5, h, m, s}));
            else if (step == "toggle")
                form.ToggleSync();
            else if (step == "type" && in >> arg)
                form_.txtWakeup.text = arg;
            else if (step == "save")
                form.SaveSettings();
            else if (step == "run" && in >> arg)
                form_.RunFor(std::stoi(arg));
            else if (step == "slow")
                desktop().AtDoEvents(1, [&] { form_.clock.AdvanceSeconds(120); });
            else if (step == "cycles")
                seen += std::to_string(Cycles()) + " ";
            else if (step == "next") {  // the clock runs until a cycle has run or the day ends
                for (const long before = Cycles(); Cycles() == before && Clock() != "23:59:59";)
                    form_.RunFor(1);
                seen += Clock() + " ";
            }
        }
        return seen;
    }
};

// A switch-on runs a cycle at once and another at the first tick (at 10:00:50 below); then
// ticks count minute boundaries from the end of the last timer cycle. The interval in force
// when syncing was switched off counts for one more tick only. A clock set back holds the
// cycles until it passes the interval again. Any interval but 0 passes the switch-on's check,
// and a negative one runs a cycle at every tick.
using Steps = std::pair<const char*, const char*>;  // what is done, what is seen
class SchedulerSteps : public Scheduler, public ::testing::WithParamInterface<Steps> {};

TEST_P(SchedulerSteps, TheIntervalCountsMinuteBoundariesFromTheEndOfTheLastTimerCycle) {
    EXPECT_EQ(Script(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchedulerSteps,
    ::testing::Values(Steps{"10:0:45 toggle cycles slow next next", "1 10:2:50 10:32:0 "},
                      Steps{"10:0:0 toggle run 5 toggle type 5 save run 55 toggle cycles next",
                            "3 10:5:0 "},
                      Steps{"10:0:0 toggle run 5 cycles 9:0:0 next", "2 10:30:0 "},
                      Steps{"type -5 toggle save run 5 cycles run 20 cycles", "2 6 "}));

// Stop during the switch-on cycle and during a timer-driven one: the copy is cancelled and
// recorded, the timer stays stopped, and a Start Sync while the cycle still winds down is
// refused; once the cycle has returned, switching on works again. (A terminate during a cycle:
// ActivityLogControlTest.)
TEST_F(Scheduler, StopDuringALongCopy) {
    for (const bool duringSwitchOn : {true, false}) {
        fs::remove(Src("big.bin"));
        form.CurrentInterval = 0;  // the first tick runs a cycle
        if (!duringSwitchOn)
            form.ToggleSync();
        WriteFileOfSize(Src("big.bin"), 400000);
        desktop().boxes.clear();
        // Once the copy of big.bin has made progress.
        desktop().WhenDoEvents(
            [&] { return Status() == "Copying file big.bin" && form_.pgrStatus.value > 0; },
            [&] {
                form.btnSyncToggle_Click();  // Stop Sync
                form.btnSyncToggle_Click();  // Start Sync again at once
            });
        if (duringSwitchOn)
            form.ToggleSync();
        else
            form_.RunFor(5);
        EXPECT_LT(fs::file_size(Mirror(Src("big.bin"))), 400000u);
        ExpectOffState();
        EXPECT_EQ(Boxes(), std::vector<std::string>{"Sync|64|Syncing is still stopping. Switch it "
                                                    "on again once the running synchronization "
                                                    "has ended."});
        EXPECT_EQ(LastError(), "Copying file " + Narrow(Src("big.bin")) + " to " +
                                   Narrow(Mirror(Src("big.bin"))) + ": Copy cancelled");
    }
    EXPECT_EQ(Cycles(), 3);
}

}  // namespace
