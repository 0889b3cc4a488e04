// Unattended failures never open a message box, so when the error limit switches syncing off
// the tray is the one place that can tell the user: a balloon at the moment it happens, and the
// failure in the tip, under the state and the last cycle's summary, for as long as syncing
// stays off because of it.
#include "ui/AppInfo.h"
#include "ui/frmMain.h"

void frmMain::StopAtErrorLimit() {
    // Read before switching off, so the off state's tip already carries it.
    m_errorStopText = ReadErrorMessage();
    m_switchCause = activity::cause::kErrorLimit;
    ApplySyncState(false);
    std::string text =
        "Syncing was switched off: the same failure was recorded five times in a row.";
    if (!m_errorStopText.empty())
        text += "\n" + m_errorStopText;
    SysTray1.ShowBalloon(app::kTitle, text);
}

std::string frmMain::TrayTip(const std::string& state) const {
    std::string tip = state;
    if (!m_lastCycleSummary.empty())
        tip += "\n" + m_lastCycleSummary;
    // Last, where a tip too long for the desktop is cut: the balloon has already said it.
    if (!m_errorStopText.empty())
        tip += "\n" + m_errorStopText;
    return tip;
}
