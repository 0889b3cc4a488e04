#include "tests/engine/FormFixture.h"

namespace {

class SyncState : public FormFixture {
  protected:
    SyncState() { form.SyncOn = false; }
    void ExpectEditing(bool enabled) {
        for (HeadlessControl* c : std::initializer_list<HeadlessControl*>{
                 &form_.btnAddPath, &form_.btnModifyPath, &form_.btnDeletePath, &form_.btnUpPath,
                 &form_.btnDownPath, &form_.lstSyncFrom, &form_.txtWakeup, &form_.txtSyncTo,
                 &form_.btnToBrowse})
            EXPECT_EQ(c->enabled, enabled);
    }
    void ExpectOff() {
        EXPECT_FALSE(form.SyncOn);
        ExpectEditing(true);
        EXPECT_EQ(form_.SysTray1.icon, &form_.btnSyncOff.picture);
        EXPECT_EQ(form_.SysTray1.tip + form_.btnSyncToggle.caption + Status(),
                  "Sync DisabledStart SyncDisabled");
        EXPECT_EQ(form_.Timer1.interval, 0);
    }
};

TEST_F(SyncState, SwitchingOnClearsTheRecordRunsACycleAndSleeps) {
    form.RecordError("old failure");
    WriteFile(Src("a.txt"), "a");
    AddFileset(Src());
    form_.desktop.AtDoEvents(1, [&] {  // during the cycle's copy
        ExpectEditing(false);
        EXPECT_EQ(form_.btnSyncToggle.caption, "Stop Sync");
        EXPECT_EQ(LastError(), "");
    });
    form.ApplySyncState(true);
    EXPECT_TRUE(fs::exists(Mirror(Src("a.txt"))));
    EXPECT_EQ(form_.SysTray1.icon, &form_.btnSyncOn.picture);
    EXPECT_EQ(form_.SysTray1.tip + Status(), "Sync ReadySleeping...");
    EXPECT_EQ(form_.Timer1.interval, 5000);

    form.RecordError("kept when switching off");
    form.ApplySyncState(false);
    ExpectOff();
    EXPECT_EQ(LastError(), "kept when switching off");
}

TEST_F(SyncState, StopDuringTheFirstCopyCancelsItAndEndsOff) {
    WriteFileOfSize(Src("big.bin"), 100000);
    AddFileset(Src());
    form_.desktop.WhenDoEvents([&] { return form_.pgrStatus.value > 0; },
                               [&] { form.ApplySyncState(false); });
    form.ApplySyncState(true);
    ExpectOff();
    EXPECT_EQ(LastError(), "Copying file " + Narrow(Src("big.bin")) + " to " +
                               Narrow(Mirror(Src("big.bin"))) + ": Copy cancelled");
    EXPECT_LT(fs::file_size(Mirror(Src("big.bin"))), 100000u);
}

TEST_F(SyncState, TerminateDuringTheFirstCycleLeavesTheRestToTheCaller) {
    WriteFile(Src("a.txt"), "a");
    AddFileset(Src());
    form_.desktop.AtDoEvents(1, [&] { form.TerminatePending = true; });
    form.ApplySyncState(true);
    EXPECT_EQ(form_.Timer1.restarts, 0);
}

}  // namespace
