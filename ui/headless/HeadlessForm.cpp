#include "ui/headless/HeadlessForm.h"

HeadlessForm::HeadlessForm(const std::string& exePath)
    : clock(runtime::MakeDate({2026, 1, 5, 9, 0, 0})),
      form(FormControls{lstSyncFrom, txtSyncTo, txtWakeup, btnAddPath, btnModifyPath,
                        btnDeletePath, btnUpPath, btnDownPath, btnToBrowse, btnSyncToggle,
                        btnClose, btnTerminate, btnSyncOn, btnSyncOff, lblTitle, StatusBar1,
                        pgrStatus, Timer1, SysTray1, mnu_PopupDisabled},
           desktop, clock, exePath) {
    btnSyncToggle.caption = "Start Sync";
    btnClose.caption = "C&lose";
    btnTerminate.caption = "&Terminate Program";
}

int HeadlessForm::RunFor(long long seconds) {
    int ticks = 0;
    for (long long s = 0; s < seconds && !desktop.unloaded; ++s) {
        if (Timer1.restarts != seenRestarts_) {
            seenRestarts_ = Timer1.restarts;
            armedAt_ = runtime::ToSeconds(clock.Now());
        }
        clock.AdvanceSeconds(1);
        long long now = runtime::ToSeconds(clock.Now());
        if (Timer1.interval > 0 && Timer1.restarts == seenRestarts_ &&
            (now - armedAt_) * 1000 >= Timer1.interval) {
            armedAt_ = now;  // a running window timer rearms itself
            ++ticks;
            form.Timer1_Timer();
        }
    }
    return ticks;
}
