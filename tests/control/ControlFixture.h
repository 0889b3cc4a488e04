// A headless main window in the off state, ready to be switched on: one fileset with a file,
// a Sync To directory and a wake-up interval of 30 minutes.
#pragma once

#include "tests/engine/FormFixture.h"

class ControlFixture : public FormFixture {
  protected:
    ControlFixture() {
        form.SyncOn = false;  // the interval and the one in force are the form's own 30 and 0
        form_.txtWakeup.text = "30";
        form.LastWake = form_.clock.Now();
        WriteFile(Src("a.txt"), "a");
        AddFileset(Src());
    }
    // A settings file as a run left it with syncing on, mirroring the source folder to `syncTo`.
    std::string SavedSyncingOn(const std::string& syncTo, const std::string& options = "") const {
        return "[Options]\nSyncOn=Yes\nAbout=No\nSyncTo=" + syncTo + "\nWakeup=30\n" + options +
               "[FileSets]\nFileSet1=" + Pattern(Src()) + "\n";
    }
    // A timer-driven cycle, the interval having passed.
    void TimerCycle() {
        form_.clock.AdvanceSeconds(30 * 60);
        form.Timer1_Timer();
    }
    std::string Clock() const {
        const runtime::CivilDateTime t = runtime::SplitDate(form_.clock.Now());
        return std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
               std::to_string(t.second);
    }
    void ExpectEditing(bool enabled) {
        for (HeadlessControl* c : std::initializer_list<HeadlessControl*>{
                 &form_.btnAddPath, &form_.btnModifyPath, &form_.btnDeletePath, &form_.btnUpPath,
                 &form_.btnDownPath, &form_.lstSyncFrom, &form_.txtWakeup, &form_.txtSyncTo,
                 &form_.btnToBrowse})
            EXPECT_EQ(c->enabled, enabled);
    }
    // The tray tip's first line: the state.
    std::string TipState() const {
        return form_.SysTray1.tip.substr(0, form_.SysTray1.tip.find('\n'));
    }
    void ExpectOffState() {
        ExpectEditing(true);
        EXPECT_EQ(form_.SysTray1.icon, &form_.btnSyncOff.picture);
        EXPECT_EQ(TipState() + "|" + form_.btnSyncToggle.caption + "|" + Status() + "|" +
                      std::to_string(form_.Timer1.interval) + (form.SyncOn ? " on" : " off"),
                  "Sync Disabled|Start Sync|Disabled|0 off");
    }
};
