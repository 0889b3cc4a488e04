// A headless main window in the off state, ready to be switched on: one fileset with a file,
// a Sync To directory and a wake-up interval of 30 minutes.
#pragma once

#include <algorithm>

#include "tests/engine/FormFixture.h"

class ControlFixture : public FormFixture {
  protected:
    ControlFixture() {
        form.SyncOn = false;
        form.WakeupMinutes = 30;
        form_.txtWakeup.text = "30";
        form.LastWake = form_.clock.Now();
        form.CurrentInterval = 0;
        WriteFile(Src("a.txt"), "a");
        AddFileset(Src());
    }
    // Sync cycles started so far: every cycle sets the tray tip to "Sync Active" first.
    long Cycles() const {
        const auto& tips = form_.SysTray1.tipHistory;
        return std::count(tips.begin(), tips.end(), "Sync Active");
    }
    void At(int hour, int minute, int second) {
        form_.clock.Set(runtime::MakeDate({2026, 1, 5, hour, minute, second}));
    }
    std::string Clock() const {
        const runtime::CivilDateTime t = runtime::SplitDate(form_.clock.Now());
        return std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
               std::to_string(t.second);
    }
    void ExpectOffState() {
        EXPECT_FALSE(form.SyncOn);
        EXPECT_EQ(Status(), "Disabled");
        EXPECT_EQ(form_.SysTray1.tip, "Sync Disabled");
        EXPECT_EQ(form_.btnSyncToggle.caption, "Start Sync");
        EXPECT_EQ(form_.Timer1.interval, 0);
        EXPECT_TRUE(form_.lstSyncFrom.enabled && form_.txtSyncTo.enabled);
    }
    HeadlessDesktop& desktop() { return form_.desktop; }
};
