// The main window: it owns the whole run-time state of the program, its controls, the
// settings members and the one file copier. Its procedures are defined by subsystem:
//   engine/    RunSyncCycle, the copy pass, the cleanup pass, EraseTree, f_CopyProgress
//   settings/  LoadSettings, SaveSettings, the error record
//   control/   ApplySyncState, ToggleSync, Timer1_Timer, the key filter, TerminateProgram
//   ui/        Form_Load, the close handling, the tray icon, menus and fileset editor
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "activity/ActivityLog.h"
#include "activity/CycleCounts.h"
#include "activity/Events.h"
#include "fileio/clsFileIO.h"
#include "platform/win32.h"
#include "runtime/DateValue.h"
#include "ui/controls.h"

namespace engine {
class PassGuards;
}

// The controls of the main window that the logic reads and writes, by their names.
struct FormControls {
    IListBox& lstSyncFrom;
    ITextBox& txtSyncTo;
    ITextBox& txtWakeup;
    IButton& btnAddPath;
    IButton& btnModifyPath;
    IButton& btnDeletePath;
    IButton& btnUpPath;
    IButton& btnDownPath;
    IButton& btnToBrowse;
    IButton& btnSyncToggle;
    IButton& btnClose;
    IButton& btnTerminate;
    IPictureButton& btnSyncOn;
    IPictureButton& btnSyncOff;
    ILabel& lblTitle;
    IStatusBar& StatusBar1;
    IProgressBar& pgrStatus;
    ITimer& Timer1;
    ISysTray& SysTray1;
    IMenuItem& mnu_PopupDisabled;
};

// The form's controls are its base, so the logic reaches each one by its own name.
class frmMain : public FormControls {
  public:
    // `exePath` names the running executable; empty means the platform's module file name.
    frmMain(const FormControls& controls, IDesktop& desktop, IClock& clock,
            std::string exePath = {});
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // --- Members -----------------------------------------------------------------------
    std::string IniFile;
    bool SyncOn = false;
    std::int32_t WakeupMinutes = 30;
    std::int32_t CurrentInterval = 0;
    runtime::DateValue LastWake = 0;
    bool ShowAbout = true;
    bool UseCutoff = false;
    bool EraseOnStart = false;
    bool DeleteOrphans = false;
    // Days that deleted and replaced copies are kept in the versions folder; 0 keeps none.
    std::int32_t KeepDeleted = 0;
    bool CycleRunning = false;
    bool TerminatePending = false;
    clsFileIO f;

    // --- The activity log (activity/, ui/ActivityLogEvents.cpp) --------------------------
    // The log file: the settings file's path with ".log" for ".ini"; set at load.
    std::string LogFile;
    activity::ActivityLog Log;
    // What the running (or the last) cycle did, counted as it goes.
    activity::CycleCounts Counts;
    // Writes one event, stamped with the clock's time, to the activity log.
    void LogEvent(const std::string& word, const std::string& details);
    // Opens the Activity Log window (File menu, tray menu, the failure notice).
    void mnu_FileLog_Click();
    void mnu_PopupLog_Click();
    // A click on a notice the tray icon showed: the log tells what the notice was about.
    void SysTray1_BalloonClick();
    // A cycle's first line, with its counts started afresh.
    void LogCycleStart();
    // A cycle's closing line with its counts, the tray tip's summary of it and, when files
    // failed after a cycle without failures, one notice from the tray.
    void LogCycleEnd();

    // --- Start-up and main window (ui/frmMain.cpp) -------------------------------------
    void Form_Load();
    // `Cancel` non-zero refuses the close; `UnloadMode` 0 is the user's close box.
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);
    void btnClose_Click();
    // Unloads the window, which ends the program; never under a running cycle.
    void Unload();
    bool Unloaded() const { return m_unloaded; }
    // Program folder (no trailing separator) and executable base name.
    std::string ProgramFolder() const;
    std::string ExeBaseName() const;
    // The settings file beside the program: its folder, base name and ".ini".
    std::string SettingsFilePath() const;

    // --- Display controls (ui/DisplayControls.cpp) -------------------------------------
    void SetTrayIcon(bool on);
    // The status panel (panel 2 of StatusBar1): its text and tool tip.
    void SetStatus(const std::string& text, const std::string& toolTip);

    // --- The tray speaking up when the error limit stops syncing (ui/ErrorStopNotice.cpp) --
    // Switches syncing off for the recorded failure and says so once from the tray.
    void StopAtErrorLimit();
    // The tray tip for a state text: the last cycle summed up on a second line, and while
    // syncing is off because of the error limit, the recorded failure after it.
    std::string TrayTip(const std::string& state) const;
    // The failure that made the error limit switch syncing off; "" once syncing is back on.
    const std::string& ErrorStopText() const { return m_errorStopText; }

    // --- Tray icon and menus (ui/TrayMenus.cpp) ----------------------------------------
    void SysTray1_MouseEvent(std::int16_t Button, std::int32_t Id);
    void mnu_FileExit_Click();
    void mnuHelpContents_Click();
    void mnu_HelpAbout_Click();
    void mnu_Popup_Click();
    void mnu_PopupProperties_Click();
    void mnu_PopupDisabled_Click();
    void mnu_PopupTerminate_Click();

    // --- Fileset list editor (ui/FilesetEditor.cpp) ------------------------------------
    void btnAddPath_Click();
    void btnModifyPath_Click();
    void btnDeletePath_Click();
    void btnUpPath_Click();
    void btnDownPath_Click();
    void btnToBrowse_Click();
    // Why the Sync To box's text cannot be saved (the settings file would give it back cut),
    // or "" when it can.
    std::string SyncToRefusal() const;

    // --- Synchronization engine (engine/) ----------------------------------------------
    bool RunSyncCycle();
    bool SyncTree(const std::string& searchPattern);
    bool SyncFile(const std::string& dir, const WIN32_FIND_DATAA& entry);
    void GetFileInfo(const std::string& path, runtime::DateValue& date, std::int64_t& size);
    runtime::DateValue FileTimeToDate(const FILETIME& fileTime);
    void CreatePath(const std::string& path);
    runtime::DateValue ReadLastSyncTime();
    void f_CopyProgress(std::int64_t& bytesProcessed, std::int64_t& totalBytes);
    bool CleanupTree(const std::string& searchPattern);
    bool CleanupFile(const std::string& dir, const WIN32_FIND_DATAA& entry);
    // What the pass under way leaves alone (engine/PassGuards.cpp); null between passes.
    engine::PassGuards* ActiveGuards = nullptr;
    // Records `message` in the error record once per sync cycle, however often it is met,
    // and logs it under `word` (by default as something a guard left alone); true when this
    // call recorded it.
    bool RecordOncePerCycle(const std::string& message,
                            const char* word = activity::event::kLeftAlone);
    // Whether the Sync To directory is the mirror the user set up (engine/MirrorMark.cpp): it
    // has the mark, or holds an earlier mirror, which is marked then. Otherwise the cycle may
    // write nothing there: false, with the failure recorded once per cycle.
    bool MirrorAvailable();
    // Makes the Sync To directory, if missing, the mirror: its folders made and the mark
    // written. "" on success, else the system's reason.
    std::string SetUpMirror();
    bool EraseTree(const std::string& searchPattern, bool removeDirectory);
    // When the running cycle started (engine/SyncCycle.cpp).
    runtime::DateValue CycleStart = 0;

    // --- Kept copies (engine/KeptCopies.cpp) -------------------------------------------
    // Moves the mirror file `file` into this cycle's folder of the versions folder, at its
    // path below the Sync To directory; false, with the reason in `why`, when it stays.
    bool KeepAside(const std::string& file, std::string& why);
    // Deletes the folders of kept copies older than KeepDeleted days; false, with the failure
    // recorded, when one could not be deleted.
    bool ExpireKeptCopies();

    // --- Settings and error record (settings/) -----------------------------------------
    void LoadSettings();
    void SaveSettings();
    void RecordError(const std::string& message);
    // RecordError for a guard that left something alone: the same record, logged as such.
    void RecordLeftAlone(const std::string& message);
    std::int32_t ReadErrorCount();
    std::string ReadErrorMessage();

    // --- Sync control (control/) -------------------------------------------------------
    void ApplySyncState(bool on);
    void ToggleSync();
    void Timer1_Timer();
    void txtWakeup_KeyPress(int& KeyAscii);
    void btnSyncToggle_Click();
    void TerminateProgram();
    void btnTerminate_Click();
    // Why erasing the Sync To directory must be refused, or "" when it may go ahead.
    std::string EraseRefusal(const std::string& syncTo);

    IDesktop& Desktop() { return m_desktop; }
    IClock& Clock() { return m_clock; }

  private:
    enum class SwitchOnAnswer { Refused, On, StayOff };
    SwitchOnAnswer ConfirmSwitchOn();

    IDesktop& m_desktop;
    IClock& m_clock;
    std::string m_exePath;
    bool m_unloaded = false;
    bool m_switchingOn = false;  // the checks and questions of a switch-on are under way
    std::vector<std::string> m_cycleErrors;  // what RecordOncePerCycle recorded this cycle
    std::string m_keptIn;     // this cycle's folder of kept copies, once the first is kept
    std::string m_keptReady;  // the folder last made, and found free of links, for one
    std::string m_errorStopText;

    // The error record's part of RecordError, the failure logged under `word`.
    void WriteErrorRecord(const char* word, const std::string& message);
    // Ends the program for a menu item or button, the cause kept for the log's last line.
    void TerminateBy(const char* cause);
    // What caused the next switch of syncing, the next cycle and the end of the program, for
    // their lines in the activity log; each is taken once, then the usual one applies again.
    const char* m_switchCause = activity::cause::kUser;
    const char* m_cycleCause = activity::cause::kTimer;
    const char* m_endCause = activity::cause::kUnloaded;
    std::chrono::steady_clock::time_point m_cycleStarted;
    runtime::DateValue m_cycleStartedAt = 0;
    std::string m_lastCycleSummary;
    bool m_lastCycleFailed = false;
    // What the erase of the Sync To directory has removed so far.
    std::int64_t m_erasedFiles = 0;
    std::int64_t m_erasedFolders = 0;
};
