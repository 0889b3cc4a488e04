#include "ui/frmMain.h"

#include <vector>

#include "fileio/PathText.h"
#include "ui/AppInfo.h"

namespace {

std::string ModuleFileName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);  // the name was cut to the buffer
    }
}

}  // namespace

frmMain::frmMain(const FormControls& c, IDesktop& desktop, IClock& clock, std::string exePath)
    : lstSyncFrom(c.lstSyncFrom),
      txtSyncTo(c.txtSyncTo),
      txtWakeup(c.txtWakeup),
      btnAddPath(c.btnAddPath),
      btnModifyPath(c.btnModifyPath),
      btnDeletePath(c.btnDeletePath),
      btnUpPath(c.btnUpPath),
      btnDownPath(c.btnDownPath),
      btnToBrowse(c.btnToBrowse),
      btnSyncToggle(c.btnSyncToggle),
      btnClose(c.btnClose),
      btnTerminate(c.btnTerminate),
      btnSyncOn(c.btnSyncOn),
      btnSyncOff(c.btnSyncOff),
      lblTitle(c.lblTitle),
      StatusBar1(c.StatusBar1),
      pgrStatus(c.pgrStatus),
      Timer1(c.Timer1),
      SysTray1(c.SysTray1),
      mnu_PopupDisabled(c.mnu_PopupDisabled),
      m_desktop(desktop),
      m_clock(clock),
      m_exePath(exePath.empty() ? ModuleFileName() : std::move(exePath)) {
    f.CopyProgress = [this](std::int64_t& done, std::int64_t& total) {
        f_CopyProgress(done, total);
    };
}

std::string frmMain::ProgramFolder() const {
    auto sep = m_exePath.find_last_of(kSep);
    return sep == std::string::npos ? std::string() : m_exePath.substr(0, sep);
}

std::string frmMain::ExeBaseName() const {
    auto sep = m_exePath.find_last_of(kSep);
    std::string name = sep == std::string::npos ? m_exePath : m_exePath.substr(sep + 1);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void frmMain::Form_Load() {
    IniFile = ProgramFolder() + std::string(kSepText) + ExeBaseName() + ".ini";
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
    if (!SyncOn) m_desktop.ShowMainWindow();
    if (ShowAbout) m_desktop.ShowAboutBox();
}

void frmMain::Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) {
    if (UnloadMode == 0) {
        // The close box only hides the window; the program lives on in the tray.
        Cancel = 1;
        m_desktop.HideMainWindow();
    }
}

void frmMain::btnClose_Click() {
    SaveSettings();
    m_desktop.HideMainWindow();
}

void frmMain::Unload() {
    if (m_unloaded) return;
    if (CycleRunning) {
        // Never pull the window out from under a running cycle: stop the cycle and let the
        // procedure that started it unload the window once it has returned.
        TerminatePending = true;
        if (SyncOn) ApplySyncState(false);
        return;
    }
    m_unloaded = true;
    Timer1.SetInterval(0);
    SysTray1.set_intray(false);
    m_desktop.UnloadMainWindow();
}
