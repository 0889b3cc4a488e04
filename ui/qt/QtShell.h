// The whole program on Qt: the main window's widgets, the controls over them, the desktop and
// the form, with every widget's signal connected to the form's handler.
#pragma once

#include <string>

#include "ui/frmMain.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtControls.h"
#include "ui/qt/QtDesktop.h"
#include "ui/qt/QtSysTray.h"

namespace brannock_qt {

// The controls of the main window as the form reaches them, each over its widget.
struct QtFormControls {
    explicit QtFormControls(MainWindow& window);
    FormControls Refs();

    QtListBox lstSyncFrom;
    QtTextBox txtSyncTo;
    QtTextBox txtWakeup;
    QtButton btnAddPath, btnModifyPath, btnDeletePath, btnUpPath, btnDownPath, btnToBrowse;
    QtButton btnSyncToggle, btnClose, btnTerminate;
    QtPictureButton btnSyncOn;
    QtPictureButton btnSyncOff;
    QtLabel lblTitle;
    QtStatusBar StatusBar1;
    QtProgressBar pgrStatus;
    QtTimer Timer1;
    QtSysTray SysTray1;
    QtMenuItem mnu_PopupDisabled;
};

class QtShell {
  public:
    // `exePath` names the executable whose folder holds the settings; empty: the running one.
    explicit QtShell(IClock& clock, std::string exePath = {});
    QtShell(const QtShell&) = delete;
    QtShell& operator=(const QtShell&) = delete;

    MainWindow window;
    QtFormControls controls;
    QtDesktop desktop;
    frmMain form;

    // Ends the program for a reason from outside it (a session that ends, the system asking the
    // process to stop): the form's close handling decides, and nothing is saved.
    void EndFromOutside(std::int16_t reason);

  private:
    // Runs the form's `handler` whenever `sender` emits `signal` (a signal without arguments
    // the handler needs).
    template <class Sender, class Signal>
    void Route(Sender* sender, Signal signal, void (frmMain::*handler)()) {
        QObject::connect(sender, signal, &window, [this, handler] { (form.*handler)(); });
    }
    void ConnectButtons();
    void ConnectMenus();
    void ConnectTrayAndTimer();
    void ConnectWindow();
};

}  // namespace brannock_qt
