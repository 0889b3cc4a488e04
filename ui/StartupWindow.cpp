// Start-up and the main window's own close handling. Kept apart from the constructor so that
// the form's members can be built without pulling in the settings and shutdown procedures.
#include "fileio/PathText.h"
#include "ui/AppInfo.h"
#include "ui/frmMain.h"

void frmMain::Form_Load() {
    IniFile = SettingsFilePath();
    LogFile = ProgramFolder() + std::string(kSepText) + ExeBaseName() + ".log";
    Log.SetPath(LogFile);
    LogEvent(activity::event::kStart, app::TitleWithVersion() + ", settings " + IniFile);
    LastWake = m_clock.Now();
    CurrentInterval = 0;
    lblTitle.SetCaption(app::TitleWithVersion());
    TerminatePending = false;
    CycleRunning = false;
    SysTray1.set_intray(true);
    pgrStatus.SetVisible(false);
    f = clsFileIO();
    f.CopyProgress = [this](std::int64_t& done, std::int64_t& total) {
        f_CopyProgress(done, total);
    };
    txtSyncTo.SetText("");

    LoadSettings();  // with syncing saved as on, the first cycle runs in here

    if (TerminatePending) {
        Unload();
        return;
    }
    if (!SyncOn)
        m_desktop.ShowMainWindow();
    if (ShowAbout)
        m_desktop.ShowAboutBox();
}

// Any other reason (Windows ending the session, the task manager, program code) lets the
// window go without saving: the caller unloads it with Unload() when Cancel stays 0.
void frmMain::Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) {
    constexpr std::int16_t kSessionEnd = 2;
    if (UnloadMode != 0 && !TerminatePending) {
        m_endCause =
            UnloadMode == kSessionEnd ? activity::cause::kSessionEnd : activity::cause::kStopSignal;
    }
    if (UnloadMode == 0) {
        // The close box only hides the window; the program lives on in the tray.
        Cancel = 1;
        m_desktop.HideMainWindow();
        return;
    }
    if (CycleRunning) {
        // The session is ending in the middle of a cycle. Going at once would pull the window
        // out from under the cycle; waiting for the whole cycle could hold the session up for
        // long. So syncing is switched off, which stops the cycle after the block being
        // copied (the partial copy differs from its source, so the next start copies it
        // again), and the window goes as soon as the cycle has returned. Nothing is saved, as
        // on any session end: the next start finds the settings as the user last kept them.
        Cancel = 1;
        Unload();
    }
}

void frmMain::btnClose_Click() {
    // The window stays open over an entry that would be saved cut, so it can be mended.
    if (const std::string why = SyncToRefusal(); !why.empty()) {
        m_desktop.MsgBox(why, msgbox::kOkOnly | msgbox::kCritical, "Sync To");
        txtSyncTo.SetFocus();
        return;
    }
    SaveSettings();
    m_desktop.HideMainWindow();
}

void frmMain::Unload() {
    if (m_unloaded)
        return;
    if (CycleRunning) {
        // Never pull the window out from under a running cycle: stop the cycle and let the
        // procedure that started it unload the window once it has returned.
        TerminatePending = true;
        if (SyncOn) {
            m_switchCause = activity::cause::kEnding;
            ApplySyncState(false);
        }
        return;
    }
    m_unloaded = true;
    LogEvent(activity::event::kEnd, m_endCause);
    Timer1.SetInterval(0);
    SysTray1.set_intray(false);
    m_desktop.UnloadMainWindow();
}
