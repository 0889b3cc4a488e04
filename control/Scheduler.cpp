// The scheduler: every tick of Timer1 compares the minutes since the last timer-driven cycle
// with the interval, and runs a cycle once it has passed.
#include "control/Polling.h"
#include "ui/frmMain.h"

void frmMain::Timer1_Timer() {
    Timer1.SetInterval(0);  // no tick may arrive while this one works
    const std::int64_t elapsed = runtime::MinutesBetween(LastWake, m_clock.Now());
    if (elapsed < CurrentInterval) {
        CurrentInterval = WakeupMinutes;
        if (SyncOn)
            Timer1.SetInterval(control::kPollMilliseconds);
        return;
    }
    CurrentInterval = WakeupMinutes;
    const bool succeeded = RunSyncCycle();
    if (TerminatePending) {
        Unload();  // the terminate request waited for this cycle
        return;
    }
    if (!succeeded && !SyncOn) {
        ApplySyncState(false);
        return;
    }
    // Measured from the end of the cycle, so a long cycle does not shorten the pause.
    LastWake = m_clock.Now();
    if (!SyncOn) {
        ApplySyncState(false);
        return;
    }
    Timer1.SetInterval(control::kPollMilliseconds);
}

void frmMain::txtWakeup_KeyPress(int& KeyAscii) {
    constexpr int kBackspace = 8;
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit && KeyAscii != kBackspace)
        KeyAscii = 0;
}
