#include "ui/qt/QtShell.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

#include "ui/qt/AppPictures.h"
#include "ui/qt/KeyFilter.h"
#include "ui/qt/TrayPictures.h"

namespace brannock_qt {
namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kMiddleButton = 4;
// Close reasons: the user's close box, and a desktop session that ends (log-off, shutdown).
constexpr std::int16_t kUnloadCloseBox = 0;
constexpr std::int16_t kUnloadSessionEnd = 2;

}  // namespace

QtFormControls::QtFormControls(MainWindow& w)
    : lstSyncFrom(w.lstSyncFrom),
      txtSyncTo(w.txtSyncTo),
      txtWakeup(w.txtWakeup),
      btnAddPath(w.btnAddPath),
      btnModifyPath(w.btnModifyPath),
      btnDeletePath(w.btnDeletePath),
      btnUpPath(w.btnUpPath),
      btnDownPath(w.btnDownPath),
      btnToBrowse(w.btnToBrowse),
      btnSyncToggle(w.btnSyncToggle),
      btnClose(w.btnClose),
      btnTerminate(w.btnTerminate),
      btnSyncOn(w.btnSyncOn, QtPicture("on", SyncPicture(true))),
      btnSyncOff(w.btnSyncOff, QtPicture("off", SyncPicture(false))),
      lblTitle(w.lblTitle),
      StatusBar1(w.panel1, w.panel2),
      pgrStatus(w.pgrStatus),
      Timer1(w.Timer1),
      SysTray1(w.SysTray1, AppIcon()),
      mnu_PopupDisabled(w.mnu_PopupDisabled) {}

FormControls QtFormControls::Refs() {
    return FormControls{lstSyncFrom,   txtSyncTo,    txtWakeup,   btnAddPath,  btnModifyPath,
                        btnDeletePath, btnUpPath,    btnDownPath, btnToBrowse, btnSyncToggle,
                        btnClose,      btnTerminate, btnSyncOn,   btnSyncOff,  lblTitle,
                        StatusBar1,    pgrStatus,    Timer1,      SysTray1,    mnu_PopupDisabled};
}

QtShell::QtShell(IClock& clock, std::string exePath)
    : controls(window), desktop(window), form(controls.Refs(), desktop, clock, std::move(exePath)) {
    ConnectButtons();
    ConnectMenus();
    ConnectTrayAndTimer();
    ConnectWindow();
    RegisterQtFolderPicker(window);
}

void QtShell::ConnectButtons() {
    const auto on = [this](QAbstractButton* button, void (frmMain::*handler)()) {
        QObject::connect(button, &QAbstractButton::clicked, &window,
                         [this, handler] { (form.*handler)(); });
    };
    on(window.btnAddPath, &frmMain::btnAddPath_Click);
    on(window.btnModifyPath, &frmMain::btnModifyPath_Click);
    on(window.btnDeletePath, &frmMain::btnDeletePath_Click);
    on(window.btnUpPath, &frmMain::btnUpPath_Click);
    on(window.btnDownPath, &frmMain::btnDownPath_Click);
    on(window.btnToBrowse, &frmMain::btnToBrowse_Click);
    on(window.btnSyncToggle, &frmMain::btnSyncToggle_Click);
    on(window.btnClose, &frmMain::btnClose_Click);
    on(window.btnTerminate, &frmMain::btnTerminate_Click);

    window.txtWakeup->installEventFilter(new KeyPressFilter(
        [this](int& keyAscii) { form.txtWakeup_KeyPress(keyAscii); }, window.txtWakeup));
}

void QtShell::ConnectMenus() {
    const auto on = [this](QAction* action, void (frmMain::*handler)()) {
        QObject::connect(action, &QAction::triggered, &window,
                         [this, handler] { (form.*handler)(); });
    };
    on(window.mnu_FileExit, &frmMain::mnu_FileExit_Click);
    on(window.mnuHelpContents, &frmMain::mnuHelpContents_Click);
    on(window.mnu_HelpAbout, &frmMain::mnu_HelpAbout_Click);
    on(window.mnu_PopupProperties, &frmMain::mnu_PopupProperties_Click);
    on(window.mnu_PopupDisabled, &frmMain::mnu_PopupDisabled_Click);
    on(window.mnu_PopupTerminate, &frmMain::mnu_PopupTerminate_Click);
    // The check mark is set as the menu opens, before its items show.
    QObject::connect(window.mnu_Popup, &QMenu::aboutToShow, &window,
                     [this] { form.mnu_Popup_Click(); });
}

void QtShell::ConnectTrayAndTimer() {
    QObject::connect(window.SysTray1, &QSystemTrayIcon::activated, &window,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         switch (reason) {
                             case QSystemTrayIcon::Trigger:
                                 form.SysTray1_MouseEvent(kLeftButton, 0);
                                 break;
                             case QSystemTrayIcon::Context:
                                 form.SysTray1_MouseEvent(kRightButton, 0);
                                 break;
                             case QSystemTrayIcon::MiddleClick:
                                 form.SysTray1_MouseEvent(kMiddleButton, 0);
                                 break;
                             default:  // a double click already came as its first click
                                 break;
                         }
                     });
    QObject::connect(window.Timer1, &QTimer::timeout, &window, [this] { form.Timer1_Timer(); });
}

void QtShell::ConnectWindow() {
    window.onCloseRequest = [this] {
        std::int16_t cancel = 0;
        form.Form_QueryUnload(cancel, kUnloadCloseBox);
        if (cancel != 0)
            return false;
        form.Unload();
        return true;
    };
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                     [this](QSessionManager&) { EndFromOutside(kUnloadSessionEnd); });
}

void QtShell::EndFromOutside(std::int16_t reason) {
    // The program goes unsaved, as the form decides; under a running cycle it goes once the
    // cycle has returned.
    std::int16_t cancel = 0;
    form.Form_QueryUnload(cancel, reason);
    if (cancel == 0)
        form.Unload();
}

}  // namespace brannock_qt
