// One sync cycle: the copy pass for every fileset in list order, then, with the Delete option,
// one cleanup pass over the whole Sync To directory.
#include "fileio/PathText.h"
#include "ui/frmMain.h"

namespace {

// The same failure recorded this many times in a row switches syncing off.
constexpr std::int32_t kErrorLimit = 5;

// After a failed pass: true when the error limit is reached, syncing is then switched off.
bool StopsAtErrorLimit(frmMain& form) {
    if (form.ReadErrorCount() < kErrorLimit)
        return false;
    form.StopAtErrorLimit();
    return true;
}

// The cleanup pass over the whole Sync To directory. An empty Sync To text would name the root
// of the current drive, so the pass is not started then and counts as failed (the copy pass
// has already recorded the missing Sync To directory for the first file it considered).
bool CleanupSyncTo(frmMain& form) {
    const std::string syncTo = form.txtSyncTo.Text();
    if (syncTo.empty())
        return false;
    return form.CleanupTree(AllFilesIn(syncTo));
}

// The passes of a cycle with syncing on. `result` turns false at the first failed pass; the
// return value is false when the error limit ended the cycle early. Each pass starts only
// while the Sync To directory is the mirror: a disk or share lost during the cycle leaves an
// empty mount point, which must not be filled.
bool RunPasses(frmMain& form, bool& result) {
    const int filesets = form.lstSyncFrom.ListCount();
    for (int i = 0; i < filesets; ++i) {
        if (form.MirrorAvailable() && form.SyncTree(form.lstSyncFrom.List(i)))
            continue;
        result = false;
        if (StopsAtErrorLimit(form))
            return false;
    }
    // Kept copies expire where the cleanup would start, whether or not it runs: the copy
    // passes keep replaced copies too. Neither touches a Sync To directory that is not the
    // mirror.
    const bool cleanupWork = form.DeleteOrphans || form.KeepDeleted > 0;
    if (cleanupWork && !(form.MirrorAvailable() && form.ExpireKeptCopies() &&
                         (!form.DeleteOrphans || CleanupSyncTo(form)))) {
        result = false;
        if (StopsAtErrorLimit(form))
            return false;
    }
    return true;
}

}  // namespace

bool frmMain::RunSyncCycle() {
    CycleRunning = true;
    m_cycleErrors.clear();
    CycleStart = m_clock.Now();
    m_keptIn.clear();
    m_keptReady.clear();
    SysTray1.set_traytip("Sync Active");
    bool result = true;
    if (!SyncOn) {
        result = false;
        SetStatus("Disabled", "");
    } else {
        LogCycleStart();
        if (RunPasses(*this, result))
            SetStatus("Sleeping...", "");
        LogCycleEnd();
    }
    SysTray1.set_traytip(TrayTip("Sync Ready"));
    CycleRunning = false;
    return result;
}
