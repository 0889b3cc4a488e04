// The mark of the mirror, and the test a cycle makes before it writes into the Sync To
// directory: the mark, or an earlier version's mirror there, which is marked then.
#include "engine/MirrorMark.h"

#include "activity/Events.h"
#include "engine/PathMapping.h"
#include "engine/ProgramEntries.h"
#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace {

bool IsFolderPath(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

namespace mirror {

namespace {

constexpr std::string_view kMarkText =
    "This folder is a mirror kept by Brannock.\r\n"
    "Brannock writes here only while this file is here: it tells the mirror from an empty\r\n"
    "folder left where a disk or a share is not connected. Leave it in place.\r\n";

std::string LastErrorText() {
    CaptureLastError();
    return GetSystemErrorText();
}

}  // namespace

std::string MarkPath(const std::string& syncTo) {
    std::string path = syncTo;
    if (!EndsWithSep(path))
        path += kSep;
    path += engine::kMirrorMarkName;
    return path;
}

bool IsMarked(const std::string& syncTo) {
    const DWORD attributes = GetFileAttributesA(MarkPath(syncTo).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string WriteMark(const std::string& syncTo) {
    // A new file only: whatever stands at that name already is left as it is.
    HANDLE file = CreateFileA(MarkPath(syncTo).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrorText();
    DWORD written = 0;
    const bool wrote = WriteFile(file, kMarkText.data(), static_cast<DWORD>(kMarkText.size()),
                                 &written, nullptr) &&
                       written == kMarkText.size();
    const std::string why = wrote ? std::string() : LastErrorText();
    if (!CloseHandle(file) && wrote)
        return LastErrorText();
    return why;
}

std::string UnavailableError(const std::string& syncTo) {
    return "Sync To directory " + syncTo + " is not available: is its disk or share connected?";
}

}  // namespace mirror

namespace {

// An earlier version's mirror, made before the mark: the folder that some fileset's files are
// copied to is there below the Sync To directory (<Sync To>\C\Data for C:\Data, <Sync To>/home/a
// for /home/a). A folder the copy pass made stays, even when its files went.
bool HoldsEarlierMirror(frmMain& form, const std::string& syncTo) {
    if (!IsFolderPath(syncTo))
        return false;
    for (int i = 0; i < form.lstSyncFrom.ListCount(); ++i) {
        const std::string entry = form.lstSyncFrom.List(i);
        if (!folders::IsFullPath(entry))
            continue;  // its copies have no place of their own in the mirror
        const std::string dest = pathmap::DestinationFolder(syncTo, BeforeLastSep(entry));
        // A fileset at the root of the system maps to the Sync To directory itself.
        if (!engine::IsSyncToFolder(syncTo, dest) && IsFolderPath(dest))
            return true;
    }
    return false;
}

}  // namespace

bool frmMain::MirrorAvailable() {
    const std::string syncTo = txtSyncTo.Text();
    if (syncTo.empty())
        return true;  // the copy pass records the missing Sync To directory
    if (mirror::IsMarked(syncTo))
        return true;
    if (HoldsEarlierMirror(*this, syncTo)) {
        // Adopted without a question; a mark that cannot be written is tried again next time.
        if (mirror::WriteMark(syncTo).empty())
            LogEvent(activity::event::kMarked, syncTo + " (it holds an earlier mirror)");
        return true;
    }
    RecordOncePerCycle(mirror::UnavailableError(syncTo), activity::event::kRefused);
    return false;
}

std::string frmMain::SetUpMirror() {
    const std::string syncTo = txtSyncTo.Text();
    if (mirror::IsMarked(syncTo))
        return {};
    CreatePath(syncTo);
    if (std::string why = mirror::WriteMark(syncTo); !why.empty())
        return why;
    LogEvent(activity::event::kMarked, syncTo + " (switched on from the window)");
    return {};
}
