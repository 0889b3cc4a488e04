#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/Errors.h"
#include "platform/posix/FileStatus.h"
#include "platform/posix/FolderEntries.h"
#include "platform/posix/FolderStream.h"
#include "platform/posix/Handles.h"
#include "platform/posix/LongPath.h"
#include "platform/posix/Wildcard.h"

using namespace w32posix;

namespace {

// One enumeration: the open folder stream and the mask its names are matched against. A
// pattern without wildcards names one entry, which FindFirstFileA yields at once; its search
// then has no stream and is already finished.
class FindSearch : public HandleObject {
  public:
    static constexpr HandleKind kKind = HandleKind::Search;

    FindSearch() : HandleObject(kKind) {}
    // A search that is over before it starts, as a look-up of one entry is.
    explicit FindSearch(Lifetime lifetime) : HandleObject(kKind, lifetime), finished(true) {}

    std::unique_ptr<FolderStream> dir;
    bool kindsOnly = false;
    bool filesInFull = false;  // with kindsOnly: only folders by their kind
    std::optional<WildcardMask> mask;
    bool sawDot = false;
    bool sawDotDot = false;
    bool finished = false;
};

// Views into the caller's pattern, so that looking up one path allocates nothing.
struct SplitPattern {
    std::string_view folder;
    std::string_view mask;
};

SplitPattern Split(std::string_view pattern) {
    auto slash = pattern.rfind('/');
    if (slash == std::string_view::npos)
        return {".", pattern};
    return {slash == 0 ? "/" : pattern.substr(0, slash), pattern.substr(slash + 1)};
}

void SetSize(WIN32_FIND_DATAA& data, std::int64_t size) {
    auto value = static_cast<std::uint64_t>(size);
    data.nFileSizeHigh = static_cast<DWORD>(value >> 32);
    data.nFileSizeLow = static_cast<DWORD>(value & 0xFFFFFFFFu);
}

void SetName(WIN32_FIND_DATAA& data, std::string_view name) {
    std::size_t length = std::min<std::size_t>(name.size(), MAX_PATH - 1);
    std::memcpy(data.cFileName, name.data(), length);
    data.cFileName[length] = '\0';
    data.cAlternateFileName[0] = '\0';
}

// Fills the record for `name` in the folder `dirFd`. Returns 0 or the stat's errno value.
int FillEntry(int dirFd, const char* name, WIN32_FIND_DATAA& data) {
    std::string_view baseName = name;
    if (auto slash = baseName.rfind('/'); slash != std::string_view::npos) {
        baseName = baseName.substr(slash + 1);
    }
    EntryFacts facts;
    if (int err = DescribeAt(dirFd, name, baseName, facts))
        return err;
    data.dwFileAttributes = facts.attributes;
    data.ftCreationTime = facts.creationTime;
    data.ftLastAccessTime = facts.accessTime;
    data.ftLastWriteTime = facts.writeTime;
    SetSize(data, facts.size);
    data.dwReserved0 = facts.isLink ? IO_REPARSE_TAG_SYMLINK : 0;
    data.dwReserved1 = 0;
    SetName(data, baseName);
    return 0;
}

// What a listing shows of an entry when only its kind is asked for: the attributes that tell a
// folder, a file and a link apart, as AttributesOf gives them but for the read-only bit, which
// takes the entry's own status; no times, no size. A link's target is still looked at, and an
// entry whose kind the folder does not record is described in full.
int FillKind(int dirFd, const char* name, unsigned char type, WIN32_FIND_DATAA& data) {
    if (type == DT_UNKNOWN)
        return FillEntry(dirFd, name, data);
    FileStatus status;
    status.mode = DTTOIF(type) | S_IWUSR;
    FileStatus target;
    const bool hasTarget = type == DT_LNK && StatAt(dirFd, name, 0, target) == 0;
    data = WIN32_FIND_DATAA{};
    data.dwFileAttributes = AttributesOf(name, status, hasTarget ? &target : nullptr);
    data.dwReserved0 = type == DT_LNK ? IO_REPARSE_TAG_SYMLINK : 0;
    SetName(data, name);
    return 0;
}

int Fill(const FindSearch& search, const char* name, unsigned char type, WIN32_FIND_DATAA& data) {
    const int dirFd = search.dir->Fd();
    const bool byKind = search.kindsOnly && (type == DT_DIR || !search.filesInFull);
    return byKind ? FillKind(dirFd, name, type, data) : FillEntry(dirFd, name, data);
}

// "." and ".." are part of every Windows listing; a folder stream that leaves them out gets
// them added at its end.
bool NextSynthetic(FindSearch& search, WIN32_FIND_DATAA& data) {
    for (bool* seen : {&search.sawDot, &search.sawDotDot}) {
        if (*seen)
            continue;
        *seen = true;
        const char* name = seen == &search.sawDot ? "." : "..";
        if (search.mask->Matches(name) && Fill(search, name, DT_DIR, data) == 0)
            return true;
    }
    return false;
}

// Advances to the next entry that matches the mask and fills it. Only matching names are
// stat'ed. Sets the last error and returns false at the end or on failure.
bool NextMatch(FindSearch& search, WIN32_FIND_DATAA& data) {
    if (search.finished) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    for (;;) {
        const char* name = search.dir->Next();
        if (!name)
            break;
        if (std::strcmp(name, ".") == 0)
            search.sawDot = true;
        if (std::strcmp(name, "..") == 0)
            search.sawDotDot = true;
        if (!search.mask->Matches(name))
            continue;
        int err = Fill(search, name, search.dir->Type(), data);
        // An entry deleted since the folder was read is passed over.
        if (err == ENOENT)
            continue;
        if (err == 0)
            return true;
        SetErrorFromErrno(err);
        return false;
    }
    if (int err = search.dir->Error()) {
        search.finished = true;
        SetErrorFromErrno(err);
        return false;
    }
    if (NextSynthetic(search, data))
        return true;
    search.finished = true;
    SetLastError(ERROR_NO_MORE_FILES);
    return false;
}

// The search behind every look-up of one path: it is finished from the start and never
// changes, so all such handles share it. It is never destroyed, so handles left open at exit
// still reach it.
FindSearch& FinishedSearch() {
    static FindSearch& search = *new FindSearch(HandleObject::Lifetime::Static);
    return search;
}

HANDLE FindOne(const char* path, std::string_view name, WIN32_FIND_DATAA& data) {
    PathAt at(path);
    int err = at.error ? at.error : FillEntry(at.dir, at.name, data);
    if (err) {
        SetErrorFromErrno(err, path);
        return INVALID_HANDLE_VALUE;
    }
    SetName(data, name);
    HANDLE handle = AddHandle(HandleOwner<HandleObject>(&FinishedSearch()));
    return handle ? handle : INVALID_HANDLE_VALUE;
}

// A folder part that names a file is not a directory name; one that is missing, or runs
// through a file on the way, is a path that cannot be found.
DWORD FolderOpenError(int err, const std::string& folder) {
    if (err == ENOTDIR) {
        PathAt at(folder.c_str());
        struct stat st {};
        bool isFile =
            at.error == 0 && ::fstatat(at.dir, at.name, &st, 0) == 0 && !S_ISDIR(st.st_mode);
        return isFile ? ERROR_DIRECTORY : ERROR_PATH_NOT_FOUND;
    }
    return err == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(err);
}

HANDLE FindMatching(SplitPattern split, bool kindsOnly, bool filesInFull, WIN32_FIND_DATAA& data) {
    std::string folder(split.folder);
    PathAt at(folder.c_str());
    int fd = at.error ? -1 : ::openat(at.dir, at.name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(FolderOpenError(at.error ? at.error : errno, folder));
        return INVALID_HANDLE_VALUE;
    }
    HandleOwner<FindSearch> search(new FindSearch);
    search->dir = std::make_unique<FolderStream>(fd);
    search->mask.emplace(split.mask);
    search->kindsOnly = kindsOnly;
    search->filesInFull = filesInFull;
    if (!NextMatch(*search, data)) {
        if (GetLastError() == ERROR_NO_MORE_FILES)
            SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = AddHandle(std::move(search));
    return handle ? handle : INVALID_HANDLE_VALUE;
}

HANDLE FindFirst(LPCSTR lpFileName, bool kindsOnly, bool filesInFull,
                 LPWIN32_FIND_DATAA lpFindFileData) {
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    SplitPattern split = Split(lpFileName);
    if (split.mask.empty()) {
        // A folder followed by its separator names no entry.
        bool inFolder = *lpFileName && FolderExists(std::string(split.folder));
        SetLastError(inFolder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (!HasWildcards(split.mask))
        return FindOne(lpFileName, split.mask, *lpFindFileData);
    return FindMatching(split, kindsOnly, filesInFull, *lpFindFileData);
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    return FindFirst(lpFileName, false, false, lpFindFileData);
}

HANDLE w32posix::FindFirstKindA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData,
                                bool filesInFull) {
    return FindFirst(lpFileName, true, filesInFull, lpFindFileData);
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    auto search = Lookup<FindSearch>(hFindFile);
    if (!search) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return NextMatch(*search, *lpFindFileData) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE hFindFile) {
    if (!Remove<FindSearch>(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
