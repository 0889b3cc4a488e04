#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/posix/Errors.h"
#include "platform/posix/FileStatus.h"
#include "platform/posix/LongPath.h"

using namespace w32posix;

namespace {

bool CheckPath(LPCSTR path) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (*path == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    return true;
}

// Sets the last error from `err` for `path` and returns false.
bool Fail(int err, LPCSTR path) {
    SetErrorFromErrno(err, path);
    return false;
}

// The name's own status, without following a final link; sets the last error on failure.
bool StatLink(const PathAt& at, LPCSTR path, FileStatus& status) {
    if (at.error)
        return Fail(at.error, path);
    if (int err = StatAt(at.dir, at.name, AT_SYMLINK_NOFOLLOW, status))
        return Fail(err, path);
    return true;
}

std::string_view LastComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

// A folder, or a file with the read-only attribute, is refused as Windows refuses it; a
// symbolic link is removed itself, never its target.
BOOL DeleteFileA(LPCSTR lpFileName) {
    if (!CheckPath(lpFileName))
        return FALSE;
    PathAt at(lpFileName);
    FileStatus status;
    if (!StatLink(at, lpFileName, status))
        return FALSE;
    bool readOnly = S_ISREG(status.mode) && !(status.mode & S_IWUSR);
    if (S_ISDIR(status.mode) || readOnly) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlinkat(at.dir, at.name, 0) != 0)
        return Fail(errno == EISDIR ? EACCES : errno, lpFileName);
    return TRUE;
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/) {
    if (!CheckPath(lpPathName))
        return FALSE;
    PathAt at(lpPathName);
    if (at.error == 0 && ::mkdirat(at.dir, at.name, 0777) == 0)
        return TRUE;
    const int err = at.error ? at.error : errno;
    switch (err) {
        case EEXIST:
            SetLastError(ERROR_ALREADY_EXISTS);
            break;
        case ENOENT:
        case ENOTDIR:
            SetLastError(ERROR_PATH_NOT_FOUND);
            break;
        default:
            SetErrorFromErrno(err);
    }
    return FALSE;
}

// A link to a folder is removed itself, as Windows removes a folder link; anything else that
// is not a folder is not a directory name.
BOOL RemoveDirectoryA(LPCSTR lpPathName) {
    if (!CheckPath(lpPathName))
        return FALSE;
    PathAt at(lpPathName);
    FileStatus status;
    if (!StatLink(at, lpPathName, status))
        return FALSE;
    if (S_ISLNK(status.mode)) {
        FileStatus target;
        if (StatAt(at.dir, at.name, 0, target) != 0 || !S_ISDIR(target.mode)) {
            SetLastError(ERROR_DIRECTORY);
            return FALSE;
        }
        if (::unlinkat(at.dir, at.name, 0) != 0)
            return Fail(errno, lpPathName);
        return TRUE;
    }
    if (!S_ISDIR(status.mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (::unlinkat(at.dir, at.name, AT_REMOVEDIR) != 0)
        return Fail(errno == EEXIST ? ENOTEMPTY : errno, lpPathName);
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    if (!CheckPath(lpFileName))
        return INVALID_FILE_ATTRIBUTES;
    PathAt at(lpFileName);
    FileStatus status;
    if (!StatLink(at, lpFileName, status))
        return INVALID_FILE_ATTRIBUTES;
    FileStatus target;
    bool hasTarget = S_ISLNK(status.mode) && StatAt(at.dir, at.name, 0, target) == 0;
    return AttributesOf(LastComponent(lpFileName), status, hasTarget ? &target : nullptr);
}

// The exact look-up of one path: unlike FindFirstFileA, a '*' or '?' in the name is part of
// the name. Shows what a listing shows of the entry.
BOOL GetFileAttributesExA(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                          LPVOID lpFileInformation) {
    if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!CheckPath(lpFileName))
        return FALSE;
    PathAt at(lpFileName);
    if (at.error)
        return Fail(at.error, lpFileName);
    EntryFacts facts;
    if (int err = DescribeAt(at.dir, at.name, LastComponent(lpFileName), facts))
        return Fail(err, lpFileName);
    FillAttributeData(facts, *static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation));
    return TRUE;
}
