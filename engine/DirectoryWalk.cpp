#include "engine/DirectoryWalk.h"

#include "activity/Events.h"
#include "engine/PassGuards.h"
#include "engine/ProgramEntries.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace engine {

Enumeration::Enumeration(const std::string& pattern, EntryDetail detail)
    : handle_(detail == EntryDetail::Full
                  ? FindFirst(pattern, entry_)
                  : FindFirstKind(pattern, entry_, detail == EntryDetail::FoldersByKind)) {}

Enumeration::~Enumeration() {
    if (Found())
        FindClose(handle_);
}

bool Enumeration::Found() const {
    return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr;
}

bool Enumeration::Next() {
    return Found() && FindNext(handle_, entry_) != 0;
}

bool IsDotEntry(const std::string& name) {
    return name == "." || name == "..";
}

bool IsFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsSpecialFile(const WIN32_FIND_DATAA& entry) {
    return !IsFolder(entry) && (entry.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0;
}

bool IsFolderLink(const WIN32_FIND_DATAA& entry) {
    return IsFolder(entry) && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::string SubfolderPattern(const std::string& dir, const std::string& name) {
    return dir + std::string(kSepText) + name + std::string(kSepText) + std::string(kAllFiles);
}

namespace {

// True when the pass under way leaves the folder `name` of `dir` alone; its reason is then
// recorded once per cycle.
bool Fenced(frmMain& form, const std::string& dir, const std::string& name) {
    if (!form.ActiveGuards)
        return false;
    const std::string* why = form.ActiveGuards->Fenced(dir + std::string(kSepText) + name);
    if (!why)
        return false;
    form.RecordOncePerCycle(*why);
    return true;
}

// A pipe, socket or device is neither copied nor deleted, and never opened; it is named in the
// activity log and the walk goes on.
void PassOver(frmMain& form, const std::string& dir, const std::string& name) {
    form.LogEvent(activity::event::kSkipped,
                  dir + std::string(kSepText) + name + ": a pipe, socket or device, not opened");
    form.Counts.skipped++;
}

// True when the entry is one of the program's own at the top of the Sync To directory, which
// the cleanup passes over: they are not mirror content.
bool ProgramOwned(frmMain& form, const std::string& dir, const std::string& name) {
    return form.ActiveGuards && !form.ActiveGuards->programEntriesIn.empty() &&
           IsProgramEntry(form.ActiveGuards->programEntriesIn, dir, name);
}

// A folder the walk could not list goes on as an empty one, as it always has; unless it is
// merely empty (or holds nothing the pattern names), the log says so with the system's reason.
void NoteUnlisted(frmMain& form, const std::string& dir, bool copyPass) {
    const DWORD error = LastDllError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
        return;
    ++form.Counts.unlisted;
    const std::string what = copyPass ? "nothing copied from " : "nothing cleaned up in ";
    form.LogEvent(activity::event::kUnlisted, what + dir + ": " + GetSystemErrorText());
}

}  // namespace

bool WalkFolder(frmMain& form, const std::string& pattern, FolderStep folderStep, FileStep fileStep,
                EntryDetail detail) {
    if (!form.SyncOn)
        return false;
    Enumeration found(pattern, detail);
    const std::string dir = BeforeLastSep(pattern);
    if (!found.Found()) {
        NoteUnlisted(form, dir, folderStep == &frmMain::SyncTree);
        return true;
    }
    do {
        form.SetStatus("Synchronizing...", "");
        const WIN32_FIND_DATAA& entry = found.Entry();
        const std::string name = EntryName(entry);
        if (IsDotEntry(name) || IsFolderLink(entry) || ProgramOwned(form, dir, name))
            continue;
        if (IsFolder(entry)) {
            if (Fenced(form, dir, name))
                continue;
            if (!(form.*folderStep)(SubfolderPattern(dir, name)))
                return false;
        } else if (IsSpecialFile(entry)) {
            PassOver(form, dir, name);
        } else {
            if (!(form.*fileStep)(dir, entry))
                return false;
            form.Desktop().DoEvents();
        }
    } while (found.Next());
    return true;
}

}  // namespace engine
