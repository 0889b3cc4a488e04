// Unattended failures never open a message box, so when the error limit switches syncing off
// the tray is the one place that can tell the user: a balloon at the moment it happens, and the
// failure under the state in the tip for as long as syncing stays off because of it.
#include "ui/AppInfo.h"
#include "ui/frmMain.h"

void frmMain::StopAtErrorLimit() {
    // Read before switching off, so the off state's tip already carries it.
    m_errorStopText = ReadErrorMessage();
    ApplySyncState(false);
    std::string text =
        "Syncing was switched off: the same failure was recorded five times in a row.";
    if (!m_errorStopText.empty())
        text += "\n" + m_errorStopText;
    SysTray1.ShowBalloon(app::kTitle, text);
}

std::string frmMain::TrayTip(const std::string& state) const {
    return m_errorStopText.empty() ? state : state + "\n" + m_errorStopText;
}
