// The user's switch: off at once; on only after the checks, with the optional erasing of the
// Sync To directory first.
#include "activity/CycleSummary.h"
#include "engine/PathMapping.h"
#include "engine/ProgramEntries.h"
#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "runtime/Numbers.h"
#include "ui/frmMain.h"

namespace {

constexpr int kStop = msgbox::kOkOnly | msgbox::kCritical;                                   // 16
constexpr int kAsk = msgbox::kYesNo | msgbox::kQuestion;                                     // 36
constexpr int kAskNoDefault = msgbox::kYesNo | msgbox::kQuestion | msgbox::kDefaultButton2;  // 292

// Filesets that the passes would leave alone are refused here, where the user can mend them.
std::string FilesetRefusal(frmMain& form) {
    const std::string syncTo = form.txtSyncTo.Text();
    for (int i = 0; i < form.lstSyncFrom.ListCount(); ++i) {
        const std::string entry = form.lstSyncFrom.List(i);
        if (!folders::IsFullPath(entry)) {
            return "The Sync From fileset " + entry +
                   " is not a full path. Give it as, for example, " + folders::FullPathExample();
        }
        if (folders::Overlap(BeforeLastSep(entry), syncTo)) {
            return "The Sync From fileset " + entry + " and the Sync To directory " + syncTo +
                   " overlap: one of them lies inside the other";
        }
        if (form.KeepDeleted > 0 &&
            engine::InVersionsFolder(syncTo,
                                     pathmap::DestinationFolder(syncTo, BeforeLastSep(entry)))) {
            return "The Sync From fileset " + entry + " would be copied into the folder " +
                   engine::VersionsFolder(syncTo) +
                   ", where deleted and replaced copies are kept. Rename the folder, or "
                   "remove KeepDeleted from the settings file";
        }
    }
    return {};
}

// The first check that the window's settings fail, or "" when syncing may be switched on.
std::string FirstFailedCheck(frmMain& form) {
    if (form.lstSyncFrom.ListCount() == 0)
        return "You must enter at least one Sync From fileset";
    if (TrimSpaces(form.txtSyncTo.Text()).empty())
        return "You must enter a Sync To directory";
    if (runtime::LeadingNumber(TrimSpaces(form.txtWakeup.Text())) == 0)
        return "You must enter a valid wakeup time";
    return FilesetRefusal(form);
}

}  // namespace

void frmMain::btnSyncToggle_Click() {
    ToggleSync();
}

void frmMain::ToggleSync() {
    if (SyncOn) {
        ApplySyncState(false);
        return;
    }
    if (CycleRunning) {
        // A cycle that was switched off is still winding down; a second cycle must not start
        // inside it.
        m_desktop.MsgBox(
            "Syncing is still stopping. Switch it on again once the running "
            "synchronization has ended.",
            msgbox::kOkOnly | msgbox::kInformation, "Sync");
        return;
    }
    if (m_switchingOn)
        return;  // a question of this very switch-on is on screen
    m_switchingOn = true;
    const SwitchOnAnswer answer = ConfirmSwitchOn();
    m_switchingOn = false;
    if (answer == SwitchOnAnswer::Refused || Unloaded() || TerminatePending)
        return;  // a check failed, or the program was ended while a question was on screen
    const bool on = answer == SwitchOnAnswer::On;
    if (on) {
        // The folder the user names here is the mirror: unattended cycles write only into it.
        if (const std::string why = SetUpMirror(); !why.empty()) {
            m_desktop.MsgBox(
                "Unable to set up Sync To directory " + txtSyncTo.Text() + " as the mirror: " + why,
                kStop, "Error");
            return;
        }
    }
    ApplySyncState(on);
    if (on && TerminatePending)
        Unload();  // a terminate arrived during the first cycle
}

// The checks, then the erase questions and the erase itself. Anything but Yes to either
// question switches on without erasing; after an erase that failed or was refused, only No
// keeps syncing off.
frmMain::SwitchOnAnswer frmMain::ConfirmSwitchOn() {
    const std::string failed = FirstFailedCheck(*this);
    if (!failed.empty()) {
        m_desktop.MsgBox(failed, kStop, "Error");
        return SwitchOnAnswer::Refused;
    }
    if (!EraseOnStart)
        return SwitchOnAnswer::On;
    if (m_desktop.MsgBox("Do you wish to erase Sync To directory?", kAsk, "Erase?") != msgbox::kYes)
        return SwitchOnAnswer::On;
    if (m_desktop.MsgBox("*** WARNING *** This will erase all files in Sync To directory.\n"
                         "Are you sure you want to do this?",
                         kAskNoDefault, "Erase Sync To Directory?") != msgbox::kYes)
        return SwitchOnAnswer::On;
    const std::string syncTo = txtSyncTo.Text();
    std::string why = EraseRefusal(syncTo);
    if (why.empty()) {
        m_erasedFiles = 0;
        m_erasedFolders = 0;
        const bool erased = EraseTree(AllFilesIn(syncTo), false);
        LogEvent(activity::event::kErased,
                 syncTo + (erased ? "" : " in part, up to a failure") + ": " +
                     activity::Counted(m_erasedFiles, "file", "files") + " and " +
                     activity::Counted(m_erasedFolders, "folder", "folders") + " removed");
        if (erased)
            return SwitchOnAnswer::On;
        why = ReadErrorMessage();
    } else {
        LogEvent(activity::event::kLeftAlone,
                 "Sync To directory " + syncTo + " not erased: " + why);
    }
    const int answer = m_desktop.MsgBox(
        "Unable to erase Sync To directory: " + why + "\nDo you still wish to turn syncing on?",
        kAskNoDefault, "Error");
    return answer == msgbox::kNo ? SwitchOnAnswer::StayOff : SwitchOnAnswer::On;
}
