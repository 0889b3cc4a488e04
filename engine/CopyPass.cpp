// The copy pass: brings one fileset's files into the Sync To directory, copying each file whose
// mirror copy is missing or differs in last-write time (to the second) or in size.
#include <algorithm>

#include "activity/CycleSummary.h"
#include "activity/Events.h"
#include "engine/DirectoryWalk.h"
#include "engine/PassGuards.h"
#include "engine/PathMapping.h"
#include "engine/ProgramEntries.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace {

// Copies one file over its destination with the progress bar shown; a failure is recorded.
bool CopyShowingProgress(frmMain& form, const std::string& dir, const std::string& name,
                         const std::string& destFile, std::int64_t bytes) {
    const std::string copying = "Copying file " + name;
    form.SetStatus(copying, copying);
    form.pgrStatus.SetValue(0);
    form.pgrStatus.SetVisible(true);
    const std::string source = dir + std::string(kSepText) + name;
    const bool copied = form.f.CopyFile(source, destFile, true);
    if (!copied) {
        ++form.Counts.failedFiles;
        form.RecordError("Copying file " + source + " to " + destFile + ": " + form.f.ErrMsg());
    } else if (form.f.ChangedWhileCopied()) {
        // The copy stands, but looks out of date, so the next cycle takes it again.
        ++form.Counts.copied;
        form.Counts.copiedBytes += bytes;
        form.LogEvent(activity::event::kChanged, source + " changed while it was copied to " +
                                                     destFile + "; it is copied again next cycle");
    } else {
        ++form.Counts.copied;
        form.Counts.copiedBytes += bytes;
        form.LogEvent(
            activity::event::kCopied,
            source + " -> " + destFile + " (" + activity::Counted(bytes, "byte", "bytes") + ")");
    }
    form.pgrStatus.SetVisible(false);
    return copied;
}

// The link comes first: the error record reads back only the start of a long text.
void RecordLink(frmMain& form, const std::string& source, const std::string& destFile,
                const std::string& link) {
    form.RecordLeftAlone("Not written through the link " + link +
                         " below the Sync To directory: copying file " + source + " to " +
                         destFile);
}

// The deepest folder at or above both folder texts, cut at a separator; "" when none.
std::string CommonFolder(const std::string& a, const std::string& b) {
    const auto differ = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    auto length = static_cast<std::size_t>(differ.first - a.begin());
    const bool aEnds = length == a.size() || a[length] == kSep;
    const bool bEnds = length == b.size() || b[length] == kSep;
    if (aEnds && bEnds)
        return a.substr(0, length);
    const auto sep = a.rfind(kSep, length == 0 ? 0 : length - 1);
    return sep == std::string::npos ? std::string() : a.substr(0, sep);
}

// False, with the link recorded, when a link stands on the way from the Sync To directory to
// `destFolder`: folders made or files written there would land wherever it points. The
// folders found free stay so for the rest of the pass, so each level is checked about once.
bool FolderFreeOfLinks(frmMain& form, const std::string& syncTo, const std::string& destFolder,
                       const std::string& source, const std::string& destFile) {
    engine::PassGuards* guards = form.ActiveGuards;
    std::string from = syncTo;
    if (guards && !guards->linkFreeFolder.empty()) {
        const std::string& known = guards->linkFreeFolder;
        // The folder itself or one above it was found free; below it, only the new levels.
        if (known == destFolder || known.starts_with(destFolder + std::string(kSepText)))
            return true;
        // Every level on the way to the known folder was found free with it, so a sibling
        // folder's own levels start below the folder the two share.
        const std::string shared = CommonFolder(known, destFolder);
        if (shared.size() > syncTo.size() && shared.starts_with(syncTo + std::string(kSepText)))
            from = shared;
    }
    const std::string link = engine::LinkBelow(from, destFolder);
    if (!link.empty()) {
        RecordLink(form, source, destFile, link);
        return false;
    }
    if (guards)
        guards->linkFreeFolder = destFolder;
    return true;
}

// True, with the link recorded, when a link stands where the copy would go: the copier would
// replace it, and a link there is not the program's to remove.
bool IsLinkInTheWay(frmMain& form, const std::string& source, const std::string& destFile) {
    const DWORD attributes = GetFileAttributesA(destFile.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return false;
    RecordLink(form, source, destFile, destFile);
    return true;
}

// Makes the destination folder's missing levels; false, with the failure recorded, when the
// mirror is gone meanwhile (a share dropped, a disk pulled): the levels would then be made on
// the disk beneath the empty mount point.
bool MakeDestinationFolder(frmMain& form, const std::string& destFolder) {
    const DWORD attributes = GetFileAttributesA(destFolder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return true;
    if (!form.MirrorAvailable())
        return false;
    form.CreatePath(destFolder);
    return true;
}

}  // namespace

// The walk goes into a folder by its name and kind alone; files need their times and size.
bool frmMain::SyncTree(const std::string& searchPattern) {
    constexpr engine::EntryDetail kDetail = engine::EntryDetail::FoldersByKind;
    if (ActiveGuards || !SyncOn) {
        return engine::WalkFolder(*this, searchPattern, &frmMain::SyncTree, &frmMain::SyncFile,
                                  kDetail);
    }
    engine::PassGuards guards;
    if (!engine::GuardCopyPass(*this, searchPattern, guards))
        return true;  // the fileset is left alone, and the reason recorded
    engine::ActivePass pass(*this, guards);
    return engine::WalkFolder(*this, searchPattern, &frmMain::SyncTree, &frmMain::SyncFile,
                              kDetail);
}

bool frmMain::SyncFile(const std::string& dir, const WIN32_FIND_DATAA& entry) {
    if (!SyncOn)
        return false;
    ++Counts.looked;
    const runtime::DateValue sourceDate = FileTimeToDate(entry.ftLastWriteTime);
    const runtime::DateValue cutoff = ReadLastSyncTime();
    if (UseCutoff && sourceDate < cutoff) {
        ++Counts.cutoff;
        return true;
    }

    const std::string syncTo = txtSyncTo.Text();
    if (syncTo.empty()) {
        RecordError("No Sync To path set");
        return false;
    }
    const std::string destFolder = pathmap::DestinationFolder(syncTo, dir);
    if (KeepDeleted > 0 && engine::InVersionsFolder(syncTo, destFolder)) {
        RecordOncePerCycle(engine::VersionsFolderError(dir, syncTo));
        return true;  // left alone, as a fileset that maps there is
    }
    const std::string name = EntryName(entry);
    const std::string destFile = destFolder + std::string(kSepText) + name;
    const std::string source = dir + std::string(kSepText) + name;
    if (!FolderFreeOfLinks(*this, syncTo, destFolder, source, destFile))
        return false;
    // The destination file is looked up before its folders are made, and they are made only
    // when it is not found: a file that is found has its folder and every level above it, so
    // making them would change nothing, and making folders never makes the file, so a file
    // not found before would not be found after. The outcome is the one of making the folders
    // first, without a look-up of the folder for every file that is up to date.
    runtime::DateValue destDate = runtime::kDefaultDate;
    std::int64_t destSize = 0;
    GetFileInfo(destFile, destDate, destSize);
    if (destDate == runtime::kDefaultDate && destSize == 0 &&
        !MakeDestinationFolder(*this, destFolder))
        return false;
    if (sourceDate == destDate && EntrySize(entry) == destSize)
        return true;

    if (IsLinkInTheWay(*this, source, destFile))
        return false;
    return CopyShowingProgress(*this, dir, name, destFile, EntrySize(entry));
}

void frmMain::GetFileInfo(const std::string& path, runtime::DateValue& date, std::int64_t& size) {
    date = runtime::kDefaultDate;
    size = 0;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    // During a pass the destination folder is held open for the files after the first: the
    // same entry is looked up, without the system walking the whole path each time.
    const bool found =
        ActiveGuards ? ActiveGuards->destinationEntries.LookUp(path, data) : LookUpPath(path, data);
    if (found) {
        date = FileTimeToDate(data.ftLastWriteTime);
        size = static_cast<std::int64_t>((std::uint64_t{data.nFileSizeHigh} << 32) |
                                         data.nFileSizeLow);
    }
}

runtime::DateValue frmMain::FileTimeToDate(const FILETIME& fileTime) {
    FILETIME local{};
    SYSTEMTIME parts{};
    // A time the platform cannot convert stands for no time at all, like a missing file.
    if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToSystemTime(&local, &parts)) {
        return runtime::kDefaultDate;
    }
    // The local time to the whole second, as its month-first text would read: every file of a
    // pass comes through here twice, so the value is made from the parts without the text.
    runtime::CivilDateTime civil;
    civil.year = parts.wYear;
    civil.month = parts.wMonth;
    civil.day = parts.wDay;
    civil.hour = parts.wHour;
    civil.minute = parts.wMinute;
    civil.second = parts.wSecond;
    runtime::DateValue date = runtime::kDefaultDate;
    runtime::TryMakeDate(civil, date);
    return date;
}

void frmMain::CreatePath(const std::string& path) {
    // A folder that exists has every level above it: one look-up spares the whole climb, which
    // runs for every file of a pass.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return;
    }
    // The text before the first separator (a drive, or nothing on POSIX) is never created.
    auto first = path.find(kSep);
    std::size_t start = first == std::string::npos ? 0 : first + 1;
    for (auto sep = path.find(kSep, start); sep != std::string::npos;
         sep = path.find(kSep, start)) {
        CreateDirectoryA(path.substr(0, sep).c_str(), nullptr);
        start = sep + 1;
    }
    // A folder that cannot be made fails the copy into it as well, which the copy records.
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        ++Counts.failedFolders;
}

runtime::DateValue frmMain::ReadLastSyncTime() {
    const std::string text = ReadIniText("Options", "SyncDateTime", IniFile);
    if (text.empty())
        return runtime::kDefaultDate;
    return runtime::MonthFirstOrDefault(text);
}
