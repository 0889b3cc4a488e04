// The cleanup pass: walks the Sync To directory and deletes each mirror file whose source is
// gone, or with KeepDeleted moves it into the versions folder. Folders are never deleted.
#include "activity/Events.h"
#include "engine/DirectoryWalk.h"
#include "engine/PassGuards.h"
#include "engine/PathMapping.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

// The walk needs of each mirror entry only its name and kind: CleanupFile goes by the name.
bool frmMain::CleanupTree(const std::string& searchPattern) {
    if (ActiveGuards || !SyncOn) {
        return engine::WalkFolder(*this, searchPattern, &frmMain::CleanupTree,
                                  &frmMain::CleanupFile, engine::EntryDetail::Kind);
    }
    engine::PassGuards guards;
    if (!engine::GuardCleanupPass(*this, guards))
        return true;  // the Sync To directory lies inside a source: nothing there is an orphan
    engine::ActivePass pass(*this, guards);
    return engine::WalkFolder(*this, searchPattern, &frmMain::CleanupTree, &frmMain::CleanupFile,
                              engine::EntryDetail::Kind);
}

bool frmMain::CleanupFile(const std::string& dir, const WIN32_FIND_DATAA& entry) {
    if (!SyncOn)
        return false;
    const std::string syncTo = txtSyncTo.Text();
    const std::string name = EntryName(entry);
    const std::optional<std::string> source = pathmap::SourcePath(syncTo, dir, name);
    if (!source) {
        RecordError("Unable to create synchronize from filename");
        return false;
    }
    // A file or a folder of the source's name keeps the mirror file. The source folder's
    // names, read once for all its mirror files, tell which are there: a listed name is an
    // entry the look-up would find, unless the source changed since, which a look-up made a
    // moment later could meet as well. A name they lack is looked up on its own, so every
    // deletion still rests on a look-up made just before it.
    if (ActiveGuards && ActiveGuards->sourceNames.Lists(*source))
        return true;
    WIN32_FILE_ATTRIBUTE_DATA found{};
    if (LookUpPath(*source, found))
        return true;

    const std::string destFile = dir + std::string(kSepText) + name;
    if (KeepDeleted > 0) {
        std::string why;
        if (KeepAside(destFile, why)) {
            Counts.deleted++;  // gone from the mirror, kept aside
            return true;
        }
        ++Counts.failedFiles;
        RecordError("Unable to keep file " + destFile + ": " + why);
        return false;
    }
    if (DeleteFileA(destFile.c_str())) {
        ++Counts.deleted;
        LogEvent(activity::event::kDeleted,
                 destFile + ": its source " + *source + " was not found");
        return true;
    }
    ++Counts.failedFiles;
    RecordError("Unable to delete file " + destFile);
    return false;
}
