// Keeping what the passes remove from the mirror: with KeepDeleted set, a copy the cleanup
// would delete, or the copier would delete before writing its new version, is renamed into the
// versions folder at the top of the Sync To directory, below a folder named after the cycle's
// start ("2026-12-07 110233"), at the path it had below the Sync To directory. Folders older
// than KeepDeleted days, by the date in their name, are deleted at the start of the cleanup.
#include <cstdio>

#include "activity/Events.h"
#include "engine/DirectoryWalk.h"
#include "engine/PassGuards.h"
#include "engine/ProgramEntries.h"
#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// "2026-12-07 110233": the name of the folder of the copies kept in a cycle started then.
std::string CycleFolderName(runtime::DateValue start) {
    const runtime::CivilDateTime t = runtime::SplitDate(start);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

bool IsDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

int Number(std::string_view digits) {
    int n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

// The date a folder of kept copies is named after: "2026-12-07 110233", or the same followed
// by " (2)" and so on for a second cycle started in the same second. False for any other name.
bool DateOfFolder(std::string_view name, runtime::DateValue& date) {
    if (name.size() > 17) {
        std::string_view suffix = name.substr(17);
        if (suffix.size() < 4 || !suffix.starts_with(" (") || !suffix.ends_with(")") ||
            !IsDigits(suffix.substr(2, suffix.size() - 3)))
            return false;
        name = name.substr(0, 17);
    }
    if (name.size() != 17 || name[4] != '-' || name[7] != '-' || name[10] != ' ')
        return false;
    const std::string_view parts[] = {name.substr(0, 4),  name.substr(5, 2),  name.substr(8, 2),
                                      name.substr(11, 2), name.substr(13, 2), name.substr(15, 2)};
    for (std::string_view part : parts) {
        if (!IsDigits(part))
            return false;
    }
    runtime::CivilDateTime t;
    t.year = Number(parts[0]);
    t.month = Number(parts[1]);
    t.day = Number(parts[2]);
    t.hour = Number(parts[3]);
    t.minute = Number(parts[4]);
    t.second = Number(parts[5]);
    return runtime::TryMakeDate(t, date);
}

// The deepest folder that both folder texts are or lie in, cut at a separator; "" when none.
std::string SharedFolder(const std::string& a, const std::string& b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    if ((n == a.size() || a[n] == kSep) && (n == b.size() || b[n] == kSep))
        return a.substr(0, n);
    const auto sep = a.rfind(kSep, n == 0 ? 0 : n - 1);
    return sep == std::string::npos ? std::string() : a.substr(0, sep);
}

// Makes `folder` and the levels above it that are missing, climbing only as far as the
// deepest level that is there; failures show in the move that follows.
void MakeFolders(const std::string& folder) {
    if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() != ERROR_PATH_NOT_FOUND)
        return;
    const std::string parent = BeforeLastSep(folder);
    if (parent.empty() || parent.size() >= folder.size())
        return;
    MakeFolders(parent);
    CreateDirectoryA(folder.c_str(), nullptr);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The first fileset folder that is, holds or lies in `folder`, or "" when none does: the kept
// copies may go there, and be deleted there, only when it holds no source.
std::string SourceOverlapping(frmMain& form, const std::string& folder) {
    for (int i = 0; i < form.lstSyncFrom.ListCount(); ++i) {
        const std::string source = BeforeLastSep(form.lstSyncFrom.List(i));
        if (folders::Overlap(source, folder))
            return source;
    }
    return {};
}

}  // namespace

bool frmMain::KeepAside(const std::string& file, std::string& why) {
    const std::string syncTo = txtSyncTo.Text();
    const std::string versions = engine::VersionsFolder(syncTo);
    if (m_keptIn.empty()) {
        // The first copy kept in a cycle chooses its folder; a cycle started in the same
        // second as an earlier one gets a folder of its own all the same.
        if (const std::string source = SourceOverlapping(*this, versions); !source.empty()) {
            why = "the versions folder " + versions + " overlaps the Sync From folder " + source;
            return false;
        }
        const std::string base = CycleFolderName(CycleRunning ? CycleStart : Clock().Now());
        std::string name = base;
        for (int n = 2; Exists(versions + std::string(kSepText) + name); ++n)
            name = base + " (" + std::to_string(n) + ")";
        m_keptIn = versions + std::string(kSepText) + name;
    }
    std::string relative = file.substr(std::min(file.size(), syncTo.size()));
    relative.erase(0, relative.find_first_not_of(kSep));
    const std::string target = m_keptIn + std::string(kSepText) + relative;
    const std::string folder = BeforeLastSep(target);
    if (folder != m_keptReady) {
        // Nothing is made or moved through a link: it would land wherever the link points.
        // The levels shared with the folder last made were found free with it.
        std::string from = syncTo;
        if (const std::string shared = SharedFolder(m_keptReady, folder);
            shared.size() > versions.size() && shared.starts_with(versions))
            from = shared;
        if (const std::string link = engine::LinkBelow(from, folder); !link.empty()) {
            why = "the folder " + link + " is a link";
            return false;
        }
        MakeFolders(folder);
        m_keptReady = folder;
    }
    if (!MoveWithoutReplacing(file, target)) {
        why = GetSystemErrorText();
        m_keptReady.clear();  // looked at afresh next time
        return false;
    }
    LogEvent(activity::event::kKept, file + " as " + target);
    Counts.kept++;
    return true;
}

bool frmMain::ExpireKeptCopies() {
    if (KeepDeleted <= 0)
        return true;
    if (!SyncOn)
        return false;
    const std::string syncTo = txtSyncTo.Text();
    if (syncTo.empty())
        return true;
    const std::string versions = engine::VersionsFolder(syncTo);
    // A link in its place is never followed, and a source there is never deleted.
    const DWORD attributes = GetFileAttributesA(versions.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
        !SourceOverlapping(*this, versions).empty())
        return true;
    const std::int64_t now = runtime::ToSeconds(Clock().Now());
    const std::int64_t keptFor = std::int64_t{KeepDeleted} * kSecondsPerDay;
    engine::Enumeration found(AllFilesIn(versions), engine::EntryDetail::Kind);
    if (!found.Found())
        return true;
    do {
        const WIN32_FIND_DATAA& entry = found.Entry();
        const std::string name = EntryName(entry);
        runtime::DateValue date = 0;
        // Only the folders the program made: a link or anything else there stays.
        if (!engine::IsFolder(entry) || engine::IsFolderLink(entry) || !DateOfFolder(name, date))
            continue;
        if (now - runtime::ToSeconds(date) <= keptFor)
            continue;
        const std::string folder = versions + std::string(kSepText) + name;
        if (!EraseTree(folder + std::string(kSepText) + std::string(kAllFiles), true))
            return false;
        LogEvent(activity::event::kExpired, folder);
    } while (found.Next());
    return true;
}
