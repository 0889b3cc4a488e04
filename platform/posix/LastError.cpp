#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "platform/posix/Errors.h"
#include "platform/posix/LongPath.h"

namespace {
// Windows keeps the last error per thread; so does this layer.
thread_local DWORD t_lastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD dwErrCode) {
    t_lastError = dwErrCode;
}

namespace w32posix {

DWORD ErrorFromErrno(int err) {
    switch (err) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
        case ENXIO:
        case ENODEV:
            return ERROR_ACCESS_DENIED;
        case EROFS:
            return ERROR_WRITE_PROTECT;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case EFBIG:
            return ERROR_FILE_TOO_LARGE;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case EIO:
            return ERROR_IO_DEVICE;
        case ELOOP:
            return ERROR_CANT_RESOLVE_FILENAME;
        case EBUSY:
            return ERROR_BUSY;
        case ETXTBSY:
            return ERROR_SHARING_VIOLATION;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case EPIPE:
            return ERROR_BROKEN_PIPE;
        case ENOTSUP:
            return ERROR_NOT_SUPPORTED;
        default:
            return ERROR_GEN_FAILURE;
    }
}

std::string_view ParentOf(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool FolderExists(const std::string& path) {
    PathAt at(path.c_str());
    struct stat st {};
    return at.error == 0 && ::fstatat(at.dir, at.name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

DWORD MissingPathError(std::string_view path) {
    return FolderExists(std::string(ParentOf(path))) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

void SetErrorFromErrno(int err, std::string_view path) {
    if (!path.empty() && (err == ENOENT || err == ENOTDIR)) {
        SetLastError(err == ENOENT ? MissingPathError(path) : ERROR_PATH_NOT_FOUND);
        return;
    }
    SetLastError(ErrorFromErrno(err));
}

}  // namespace w32posix
