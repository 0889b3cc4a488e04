#include "ui/win32/Win32Shell.h"

#include "ui/win32/Win32Ids.h"

namespace brannock_win32 {

Win32FormControls::Win32FormControls(const Win32MainWindow& window, const Pictures& pictures)
    : lstSyncFrom(window.Controls().lstSyncFrom),
      txtSyncTo(window.Controls().txtSyncTo),
      txtWakeup(window.Controls().txtWakeup),
      btnAddPath(window.Controls().filesetButtons[0]),
      btnModifyPath(window.Controls().filesetButtons[1]),
      btnDeletePath(window.Controls().filesetButtons[2]),
      btnUpPath(window.Controls().filesetButtons[3]),
      btnDownPath(window.Controls().filesetButtons[4]),
      btnToBrowse(window.Controls().btnToBrowse),
      btnSyncToggle(window.Controls().btnSyncToggle),
      btnClose(window.Controls().btnClose),
      btnTerminate(window.Controls().btnTerminate),
      btnSyncOn(window.Controls().btnSyncOn, pictures.on),
      btnSyncOff(window.Controls().btnSyncOff, pictures.off),
      lblTitle(window.Controls().lblTitle),
      StatusBar1(window.Controls().StatusBar1, window.Controls().tips),
      pgrStatus(window.Controls().pgrStatus),
      Timer1(window.Handle(), ids::kTimer1),
      SysTray1(window.Handle(), pictures.app),
      mnu_PopupDisabled(window.Controls().mnu_Popup, ids::kPopupDisabled) {}

FormControls Win32FormControls::Refs() {
    return FormControls{lstSyncFrom,   txtSyncTo,    txtWakeup,   btnAddPath,  btnModifyPath,
                        btnDeletePath, btnUpPath,    btnDownPath, btnToBrowse, btnSyncToggle,
                        btnClose,      btnTerminate, btnSyncOn,   btnSyncOff,  lblTitle,
                        StatusBar1,    pgrStatus,    Timer1,      SysTray1,    mnu_PopupDisabled};
}

Win32Shell::Win32Shell(IClock& clock, std::string exePath)
    : window(pictures),
      controls(window, pictures),
      desktop(window),
      form(controls.Refs(), desktop, clock, std::move(exePath)) {
    window.SetEvents(this);
    desktop.onMenuOpening = [this] { form.mnu_Popup_Click(); };
    desktop.onMenuCommand = [this](int id) { OnCommand(id); };
}

Win32Shell::~Win32Shell() {
    window.SetEvents(nullptr);
}

void Win32Shell::OnCommand(int id) {
    switch (id) {
        case ids::kAddPath:
            return form.btnAddPath_Click();
        case ids::kModifyPath:
            return form.btnModifyPath_Click();
        case ids::kDeletePath:
            return form.btnDeletePath_Click();
        case ids::kUpPath:
            return form.btnUpPath_Click();
        case ids::kDownPath:
            return form.btnDownPath_Click();
        case ids::kToBrowse:
            return form.btnToBrowse_Click();
        case ids::kSyncToggle:
            return form.btnSyncToggle_Click();
        case ids::kClose:
            return form.btnClose_Click();
        case ids::kTerminate:
            return form.btnTerminate_Click();
        case ids::kFileLog:
            return form.mnu_FileLog_Click();
        case ids::kFileExit:
            return form.mnu_FileExit_Click();
        case ids::kHelpContents:
            return form.mnuHelpContents_Click();
        case ids::kHelpAbout:
            return form.mnu_HelpAbout_Click();
        case ids::kPopupProperties:
            return form.mnu_PopupProperties_Click();
        case ids::kPopupLog:
            return form.mnu_PopupLog_Click();
        case ids::kPopupDisabled:
            return form.mnu_PopupDisabled_Click();
        case ids::kPopupTerminate:
            return form.mnu_PopupTerminate_Click();
        default:
            return;
    }
}

void Win32Shell::OnTrayEvent(LPARAM event) {
    if (TrayBalloonClicked(event))
        return form.SysTray1_BalloonClick();
    const int button = controls.SysTray1.ButtonOf(event);
    if (button != tray_button::kNone)
        form.SysTray1_MouseEvent(static_cast<std::int16_t>(button), 0);
}

void Win32Shell::OnTimer() {
    form.Timer1_Timer();
}

void Win32Shell::OnCloseRequest(std::int16_t reason) {
    // Nothing is saved on these paths: the form decides, and under a running cycle the window
    // goes once the cycle has returned.
    std::int16_t cancel = 0;
    form.Form_QueryUnload(cancel, reason);
    if (cancel == 0)
        form.Unload();
}

void Win32Shell::OnWakeupKey(int& keyAscii) {
    form.txtWakeup_KeyPress(keyAscii);
}

void Win32Shell::OnTaskbarCreated() {
    controls.SysTray1.Readd();
}

void Win32Shell::OnEndSession() {
    OnCloseRequest(close_reason::kSessionEnd);
    // The process may be ended any time after this returns: no icon may be left behind.
    controls.SysTray1.Remove();
}

}  // namespace brannock_win32
