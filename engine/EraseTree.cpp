// Erasing the destination tree: deletes every file and folder below a directory, depth first,
// stopping at the first one that cannot be deleted.
#include "engine/DirectoryWalk.h"
#include "engine/ProgramEntries.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace {

// The directory part of an erase pattern, always ending in a separator.
std::string DirectoryPart(const std::string& pattern) {
    auto sep = pattern.find_last_of(kSep);
    if (sep == std::string::npos)
        return pattern + std::string(kSepText);
    return pattern.substr(0, sep + 1);
}

// The description of the platform call that just failed, taken before any other call can
// replace its error.
std::string FailureDescription() {
    CaptureLastError();
    return GetSystemErrorText();
}

bool RemoveFolder(frmMain& form, const std::string& folderWithSep, const std::string& path,
                  std::int64_t& removed) {
    if (RemoveDirectoryA(path.c_str())) {
        ++removed;
        return true;
    }
    const std::string why = FailureDescription();
    form.RecordError("Unable to remove directory: " + folderWithSep + "  " + why);
    return false;
}

// Deletes one entry of the folder `dir` (which ends in a separator), a folder with all it
// holds; false once a deletion failed and its reason was recorded.
bool EraseEntry(frmMain& form, const std::string& dir, const WIN32_FIND_DATAA& entry,
                std::int64_t& files, std::int64_t& folders) {
    const std::string name = EntryName(entry);
    // The mark stays: the erased folder is still the mirror the user set up.
    if (name == engine::kMirrorMarkName && engine::IsSyncToFolder(form.txtSyncTo.Text(), dir))
        return true;
    const std::string path = dir + name;
    if (engine::IsFolderLink(entry)) {
        // Only the link goes: what it points to lies outside the tree being erased.
        return RemoveFolder(form, path + std::string(kSepText), path, folders);
    }
    if (engine::IsFolder(entry)) {
        return form.EraseTree(path + std::string(kSepText) + std::string(kAllFiles), true);
    }
    if (DeleteFileA(path.c_str())) {
        ++files;
        return true;
    }
    const std::string why = FailureDescription();
    form.RecordError("Unable to delete file: " + path + "  " + why);
    return false;
}

}  // namespace

bool frmMain::EraseTree(const std::string& searchPattern, bool removeDirectory) {
    if (searchPattern.empty()) {
        RecordError("No Sync To path to erase");
        return false;
    }
    const std::string dir = DirectoryPart(searchPattern);
    {
        // Closed before the folder itself is removed.
        engine::Enumeration found(searchPattern);
        if (found.Found()) {
            do {
                if (engine::IsDotEntry(EntryName(found.Entry())))
                    continue;
                if (!EraseEntry(*this, dir, found.Entry(), m_erasedFiles, m_erasedFolders))
                    return false;
            } while (found.Next());
        }
    }
    return !removeDirectory || RemoveFolder(*this, dir, dir, m_erasedFolders);
}
