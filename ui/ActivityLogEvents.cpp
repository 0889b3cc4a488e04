// The form's door to the activity log: each event stamped with the form's clock, and the
// ways into the log's window: its menu items and a click on the tray's notice.
#include "activity/ActivityLog.h"
#include "ui/frmMain.h"

void frmMain::LogEvent(const std::string& word, const std::string& details) {
    Log.Write(activity::EventLine(m_clock.Now(), word, details));
}

void frmMain::mnu_FileLog_Click() {
    m_desktop.ShowActivityLog(LogFile);
}

void frmMain::mnu_PopupLog_Click() {
    m_desktop.ShowActivityLog(LogFile);
}

void frmMain::SysTray1_BalloonClick() {
    m_desktop.ShowActivityLog(LogFile);
}
