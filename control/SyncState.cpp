// Putting the main window, the timer and the tray icon into the on or the off state.
#include <array>
#include <functional>
#include <utility>

#include "control/Polling.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace {

// The controls that define the work, in the order they are switched.
std::array<std::reference_wrapper<IControl>, 9> EditingControls(frmMain& form) {
    return {form.btnAddPath, form.btnModifyPath, form.btnDeletePath,
            form.btnUpPath,  form.btnDownPath,   form.lstSyncFrom,
            form.txtWakeup,  form.txtSyncTo,     form.btnToBrowse};
}

void EnableEditing(frmMain& form, bool enabled) {
    for (IControl& control : EditingControls(form))
        control.SetEnabled(enabled);
}

}  // namespace

void frmMain::ApplySyncState(bool on) {
    // Compared by text: each part of the program may hold its own copy of a cause's text.
    const std::string by = std::exchange(m_switchCause, activity::cause::kUser);
    const bool atLoad = by == activity::cause::kLoad;
    if (on) {
        m_errorStopText.clear();
        EnableEditing(*this, false);
        SetTrayIcon(true);
        SysTray1.set_traytip(TrayTip("Sync Ready"));
        btnSyncToggle.SetCaption("Stop Sync");
        WriteIniString("Error", "LastErrorMsg", "", IniFile);
        WriteIniString("Error", "LastErrorCnt", "0", IniFile);
        SyncOn = true;
        LogEvent(activity::event::kSyncOn, by);
        m_cycleCause = atLoad ? activity::cause::kStartUp : activity::cause::kSwitchOn;
        RunSyncCycle();
        // Whoever started this switch-on carries out a terminate that arrived meanwhile.
        if (TerminatePending)
            return;
        SetStatus("Sleeping...", "");
        Timer1.SetInterval(control::kPollMilliseconds);
        if (SyncOn)
            return;
        // The cycle, or the user during it, switched syncing off: show the off state.
    } else if (SyncOn || atLoad) {
        // A start with syncing saved as off says so too.
        LogEvent(activity::event::kSyncOff, by);
    }
    SyncOn = false;
    EnableEditing(*this, true);
    SetTrayIcon(false);
    SysTray1.set_traytip(TrayTip("Sync Disabled"));
    btnSyncToggle.SetCaption("Start Sync");
    SetStatus("Disabled", "");
    Timer1.SetInterval(0);
}
