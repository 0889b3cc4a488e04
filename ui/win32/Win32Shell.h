// The whole program on Win32: the main window, the controls over its children, the desktop
// and the form, with every window event routed to the form's handler.
#pragma once

#include <string>

#include "ui/frmMain.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Desktop.h"
#include "ui/win32/Win32MainWindow.h"
#include "ui/win32/Win32Tray.h"

namespace brannock_win32 {

// The controls of the main window as the form reaches them, each over its child window.
struct Win32FormControls {
    Win32FormControls(const Win32MainWindow& window, const Pictures& pictures);
    FormControls Refs();

    Win32ListBox lstSyncFrom;
    Win32TextBox txtSyncTo;
    Win32TextBox txtWakeup;
    Win32Button btnAddPath, btnModifyPath, btnDeletePath, btnUpPath, btnDownPath, btnToBrowse;
    Win32Button btnSyncToggle, btnClose, btnTerminate;
    Win32PictureButton btnSyncOn;
    Win32PictureButton btnSyncOff;
    Win32Label lblTitle;
    Win32StatusBar StatusBar1;
    Win32ProgressBar pgrStatus;
    Win32Timer Timer1;
    Win32SysTray SysTray1;
    Win32MenuItem mnu_PopupDisabled;
};

class Win32Shell : private MainWindowEvents {
  public:
    // `exePath` names the executable whose folder holds the settings; empty: the running one.
    explicit Win32Shell(IClock& clock, std::string exePath = {});
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    Pictures pictures;
    Win32MainWindow window;
    Win32FormControls controls;
    Win32Desktop desktop;
    frmMain form;

  private:
    void OnCommand(int id) override;
    void OnTrayEvent(LPARAM event) override;
    void OnTimer() override;
    void OnCloseRequest(std::int16_t reason) override;
    void OnWakeupKey(int& keyAscii) override;
    void OnTaskbarCreated() override;
    void OnEndSession() override;
};

}  // namespace brannock_win32
