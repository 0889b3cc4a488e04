// The form's door to the activity log: each event stamped with the form's clock, and the
// menu items that open the log's window.
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
