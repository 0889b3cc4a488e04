#include "ui/qt/QtShell.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
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

// A modal window runs an event loop of its own beneath the one that ends the program (and at
// start-up there is no main loop yet to end): each is dismissed as Escape would, so the code
// that opened it returns, finds the program ending and unwinds.
void DismissModalWindows() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || !top->isModal())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
    }
}

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
    Route(window.btnAddPath, &QAbstractButton::clicked, &frmMain::btnAddPath_Click);
    Route(window.btnModifyPath, &QAbstractButton::clicked, &frmMain::btnModifyPath_Click);
    Route(window.btnDeletePath, &QAbstractButton::clicked, &frmMain::btnDeletePath_Click);
    Route(window.btnUpPath, &QAbstractButton::clicked, &frmMain::btnUpPath_Click);
    Route(window.btnDownPath, &QAbstractButton::clicked, &frmMain::btnDownPath_Click);
    Route(window.btnToBrowse, &QAbstractButton::clicked, &frmMain::btnToBrowse_Click);
    Route(window.btnSyncToggle, &QAbstractButton::clicked, &frmMain::btnSyncToggle_Click);
    Route(window.btnClose, &QAbstractButton::clicked, &frmMain::btnClose_Click);
    Route(window.btnTerminate, &QAbstractButton::clicked, &frmMain::btnTerminate_Click);

    window.txtWakeup->installEventFilter(new KeyPressFilter(
        [this](int& keyAscii) { form.txtWakeup_KeyPress(keyAscii); }, window.txtWakeup));
}

void QtShell::ConnectMenus() {
    Route(window.mnu_FileLog, &QAction::triggered, &frmMain::mnu_FileLog_Click);
    Route(window.mnu_FileExit, &QAction::triggered, &frmMain::mnu_FileExit_Click);
    Route(window.mnuHelpContents, &QAction::triggered, &frmMain::mnuHelpContents_Click);
    Route(window.mnu_HelpAbout, &QAction::triggered, &frmMain::mnu_HelpAbout_Click);
    Route(window.mnu_PopupProperties, &QAction::triggered, &frmMain::mnu_PopupProperties_Click);
    Route(window.mnu_PopupLog, &QAction::triggered, &frmMain::mnu_PopupLog_Click);
    Route(window.mnu_PopupDisabled, &QAction::triggered, &frmMain::mnu_PopupDisabled_Click);
    Route(window.mnu_PopupTerminate, &QAction::triggered, &frmMain::mnu_PopupTerminate_Click);
    // The check mark is set as the menu opens, before its items show.
    Route(window.mnu_Popup, &QMenu::aboutToShow, &frmMain::mnu_Popup_Click);
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
    Route(window.SysTray1, &QSystemTrayIcon::messageClicked, &frmMain::SysTray1_BalloonClick);
    Route(window.Timer1, &QTimer::timeout, &frmMain::Timer1_Timer);
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
    DismissModalWindows();
}

}  // namespace brannock_qt
