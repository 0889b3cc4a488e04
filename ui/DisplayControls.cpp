// The main window's side of the outside display controls: the status panel and the tray
// icon's on and off pictures.
#include "ui/frmMain.h"

void frmMain::SetTrayIcon(bool on) {
    const IPicture& picture = on ? btnSyncOn.Picture() : btnSyncOff.Picture();
    SysTray1.set_trayicon(picture);
}

void frmMain::SetStatus(const std::string& text, const std::string& toolTip) {
    IStatusPanel& panel = StatusBar1.Panels(2);
    panel.SetText(text);
    panel.SetToolTipText(toolTip);
}
