// The form's door to the activity log: each event stamped with the form's clock, a cycle's
// opening and closing lines, and the ways into the log's window: its menu items and a click on
// the tray's notice.
#include <utility>

#include "activity/ActivityLog.h"
#include "activity/CycleSummary.h"
#include "ui/AppInfo.h"
#include "ui/frmMain.h"

void frmMain::LogEvent(const std::string& word, const std::string& details) {
    Log.Write(activity::EventLine(m_clock.Now(), word, details));
}

void frmMain::LogCycleStart() {
    // A log that could not be written is tried again once a cycle, never once a line.
    Log.Retry();
    Counts = activity::CycleCounts();
    m_cycleStarted = std::chrono::steady_clock::now();
    m_cycleStartedAt = m_clock.Now();
    LogEvent(activity::event::kCycle, std::exchange(m_cycleCause, activity::cause::kTimer));
}

void frmMain::LogCycleEnd() {
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - m_cycleStarted);
    LogEvent(activity::event::kDone, activity::CycleSummary(Counts, took.count()));
    m_lastCycleSummary = activity::TraySummary(Counts, m_cycleStartedAt);
    const std::int64_t failed = Counts.failedFiles;
    // Unattended work never opens a message box; the error limit's own notice says more.
    if (failed > 0 && !m_lastCycleFailed && m_errorStopText.empty()) {
        SysTray1.ShowBalloon(app::kTitle, activity::Counted(failed, "file", "files") +
                                              " failed in the last cycle. The Activity Log "
                                              "says which.");
    }
    m_lastCycleFailed = failed > 0;
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
