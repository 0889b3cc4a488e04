#include "engine/PassGuards.h"

#include <algorithm>

#include "engine/PathMapping.h"
#include "engine/ProgramEntries.h"
#include "fileio/PathText.h"
#include "ui/frmMain.h"

namespace engine {

void PassGuards::Fence(const std::string& folder, const std::string& why) {
    if (std::optional<folders::FolderId> id = folders::IdentityOf(folder))
        fenced_.emplace_back(*id, why);
    else
        pending_.emplace_back(folder, why);
}

const std::string* PassGuards::Fenced(const std::string& folder) {
    // A fenced folder that did not exist yet may have been made by the pass itself: the copy
    // pass makes a missing Sync To directory for its first file.
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (std::optional<folders::FolderId> id = folders::IdentityOf(it->first)) {
            fenced_.emplace_back(*id, it->second);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    if (fenced_.empty())
        return nullptr;
    const std::optional<folders::FolderId> id = folders::IdentityOf(folder);
    if (!id)
        return nullptr;
    auto found = std::find_if(fenced_.begin(), fenced_.end(),
                              [&](const auto& fence) { return fence.first == *id; });
    return found == fenced_.end() ? nullptr : &found->second;
}

ActivePass::ActivePass(frmMain& form, PassGuards& guards) : form_(form) {
    form_.ActiveGuards = &guards;
}

ActivePass::~ActivePass() {
    form_.ActiveGuards = nullptr;
}

std::string OverlapError(const std::string& folder, const std::string& syncTo) {
    return "Sync From folder " + folder + " and Sync To directory " + syncTo +
           " overlap: what lies in both is left alone";
}

std::string VersionsFolderError(const std::string& folder, const std::string& syncTo) {
    return "Sync From folder " + folder + " would be copied into the versions folder " +
           VersionsFolder(syncTo) + ": it is left alone";
}

std::string NotFullPathError(const std::string& entry) {
    return "Sync From fileset " + entry + " is not a full path: it is left alone";
}

bool GuardCopyPass(frmMain& form, const std::string& pattern, PassGuards& guards) {
    // A fileset read relative to the current folder has copies that no mapping leads back
    // from, so the cleanup could take them for orphans.
    if (!folders::IsFullPath(pattern)) {
        form.RecordOncePerCycle(NotFullPathError(pattern));
        return false;
    }
    const std::string syncTo = form.txtSyncTo.Text();
    if (syncTo.empty())
        return true;  // the first file records the missing Sync To directory
    const std::string folder = BeforeLastSep(pattern);
    const folders::Nesting nesting = folders::Nest(folder, syncTo);
    if (nesting == folders::Nesting::Same || nesting == folders::Nesting::FirstInside) {
        form.RecordOncePerCycle(OverlapError(folder, syncTo));
        return false;
    }
    // The kept copies are no place for a fileset's copies.
    if (form.KeepDeleted > 0 &&
        InVersionsFolder(syncTo, pathmap::DestinationFolder(syncTo, folder))) {
        form.RecordOncePerCycle(VersionsFolderError(folder, syncTo));
        return false;
    }
    // Copying the mirror into itself would nest it one level deeper on every cycle. Fenced
    // whatever the nesting found: a second mount can bring it into the tree unseen.
    guards.Fence(syncTo, OverlapError(folder, syncTo));
    return true;
}

bool GuardCleanupPass(frmMain& form, PassGuards& guards) {
    const std::string syncTo = form.txtSyncTo.Text();
    guards.programEntriesIn = BeforeLastSep(AllFilesIn(syncTo));
    for (int i = 0; i < form.lstSyncFrom.ListCount(); ++i) {
        const std::string entry = form.lstSyncFrom.List(i);
        const std::string folder = BeforeLastSep(entry);
        if (!folders::IsFullPath(entry)) {
            // Where the copy pass put such copies, their sources cannot be named.
            const std::string copies = pathmap::DestinationFolder(syncTo, folder);
            guards.Fence(copies, NotFullPathError(entry));
            form.RecordOncePerCycle(NotFullPathError(entry));
        }
        const folders::Nesting nesting = folders::Nest(folder, syncTo);
        if (nesting == folders::Nesting::Same || nesting == folders::Nesting::SecondInside) {
            form.RecordOncePerCycle(OverlapError(folder, syncTo));
            return false;
        }
        // A source inside the mirror would be walked as mirror content and taken for orphans.
        guards.Fence(folder, OverlapError(folder, syncTo));
    }
    return true;
}

std::string LinkBelow(const std::string& folder, const std::string& path) {
    auto isLink = [](const std::string& level) {
        DWORD attributes = GetFileAttributesA(level.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return std::optional<bool>();  // nothing there, nor below
        return std::optional<bool>((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
    };
    for (auto sep = path.find(kSep, folder.size() + 1); sep != std::string::npos;
         sep = path.find(kSep, sep + 1)) {
        const std::string level = path.substr(0, sep);
        const std::optional<bool> link = isLink(level);
        if (!link)
            return {};
        if (*link)
            return level;
    }
    const std::optional<bool> link = isLink(path);
    return link && *link ? path : std::string();
}

}  // namespace engine

bool frmMain::RecordOncePerCycle(const std::string& message, const char* word) {
    if (std::find(m_cycleErrors.begin(), m_cycleErrors.end(), message) != m_cycleErrors.end())
        return false;
    m_cycleErrors.push_back(message);
    WriteErrorRecord(word, message);
    return true;
}
