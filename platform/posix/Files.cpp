#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/Errors.h"
#include "platform/posix/LongPath.h"
#include "platform/posix/OpenFile.h"

using namespace w32posix;

namespace {

struct OpenRequest {
    int accessFlags;
    bool create;     // the file is created when missing
    bool exclusive;  // an existing file is an error
    bool truncate;   // an existing file is emptied
};

// Windows' creation disposition as what to do with a missing and with an existing file.
bool RequestFor(DWORD access, DWORD disposition, OpenRequest& request) {
    bool write = access & GENERIC_WRITE;
    int flags = write ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (disposition) {
        case CREATE_NEW:
            request = {flags, true, true, false};
            return true;
        case CREATE_ALWAYS:
            request = {flags, true, false, true};
            return true;
        case OPEN_EXISTING:
            request = {flags, false, false, false};
            return true;
        case OPEN_ALWAYS:
            request = {flags, true, false, false};
            return true;
        case TRUNCATE_EXISTING:
            // Emptying a file needs write access.
            request = {flags, false, false, true};
            return write;
        default:
            return false;
    }
}

// O_NONBLOCK keeps a pipe without a writer from blocking the open; it has no effect on the
// regular files that are let through.
constexpr int kOpenFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// A pipe, socket or device is refused before it is opened: opening a pipe releases a program
// waiting to write into it, and opening a device may read it. Reports EACCES, which Windows'
// refusal of such a name resembles.
int OpenExisting(const PathAt& at, const OpenRequest& request) {
    struct stat st {};
    if (::fstatat(at.dir, at.name, &st, 0) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        errno = EACCES;
        return -1;
    }
    return ::openat(at.dir, at.name, request.accessFlags | kOpenFlags);
}

// Creating a file where a folder stands is refused as access denied, as on Windows; where a
// file stands, the name exists.
bool FolderStands(const PathAt& at) {
    struct stat st {};
    return ::fstatat(at.dir, at.name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// Opens or creates the file; `existed` tells which, so OPEN_ALWAYS and CREATE_ALWAYS can
// report ERROR_ALREADY_EXISTS as Windows does. Truncation waits until the file has been
// checked, so a refused read-only file keeps its contents.
int OpenOrCreate(const PathAt& at, const OpenRequest& request, mode_t mode, bool& existed) {
    existed = false;
    if (at.error) {
        errno = at.error;
        return -1;
    }
    if (!request.create) {
        existed = true;
        return OpenExisting(at, request);
    }
    for (;;) {
        int fd =
            ::openat(at.dir, at.name, request.accessFlags | kOpenFlags | O_CREAT | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
        if (request.exclusive) {
            if (FolderStands(at))
                errno = EISDIR;
            return fd;
        }
        fd = OpenExisting(at, request);
        // The file may have gone between the two calls; then try to create it again.
        if (fd >= 0 || errno != ENOENT) {
            existed = true;
            return fd;
        }
    }
}

// Windows refuses a folder (unless asked with FILE_FLAG_BACKUP_SEMANTICS, and then only to
// look at it), and writing to a file with the read-only attribute, even to an administrator.
// Returns the Win32 error, or ERROR_SUCCESS when the open of an existing file may stand.
DWORD CheckOpened(int fd, bool write, bool folderAllowed) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return ErrorFromErrno(errno);
    if (S_ISDIR(st.st_mode) && folderAllowed && !write)
        return ERROR_SUCCESS;
    if (!S_ISREG(st.st_mode))
        return ERROR_ACCESS_DENIED;
    if (write && !(st.st_mode & S_IWUSR))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

DWORD OpenError(int err, const char* path, bool exclusive) {
    if (err == EEXIST)
        return exclusive ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED;
    if (err == ENOENT || err == ENOTDIR)
        return err == ENOENT ? MissingPathError(path) : ERROR_PATH_NOT_FOUND;
    return ErrorFromErrno(err);
}

}  // namespace

// POSIX has no mandatory locking, so the share mode cannot be enforced: other programs may
// open, write or delete the file whatever dwShareMode says. Security attributes, flags other
// than the read-only attribute and FILE_FLAG_BACKUP_SEMANTICS, and templates are not
// supported and are ignored.
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE /*hTemplateFile*/) {
    OpenRequest request{};
    if (!lpFileName || !RequestFor(dwDesiredAccess, dwCreationDisposition, request)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (*lpFileName == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    bool write = dwDesiredAccess & GENERIC_WRITE;
    bool existed = false;
    PathAt at(lpFileName);
    int fd = OpenOrCreate(at, request, mode, existed);
    if (fd < 0) {
        SetLastError(OpenError(errno, lpFileName, request.exclusive));
        return INVALID_HANDLE_VALUE;
    }
    // A file this call created is a new regular file: there is nothing to check.
    const bool folderAllowed = dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS;
    DWORD refusal = existed ? CheckOpened(fd, write, folderAllowed) : ERROR_SUCCESS;
    if (refusal == ERROR_SUCCESS && request.truncate && existed && ::ftruncate(fd, 0) != 0) {
        refusal = ErrorFromErrno(errno);
    }
    if (refusal != ERROR_SUCCESS) {
        ::close(fd);
        SetLastError(refusal);
        return INVALID_HANDLE_VALUE;
    }
    bool read = (dwDesiredAccess & GENERIC_READ) || !write;
    const bool startsEmpty = !existed || request.truncate;
    HANDLE handle =
        AddHandle(HandleOwner<HandleObject>(new OpenFile(fd, read, write, startsEmpty)));
    if (!handle)
        return INVALID_HANDLE_VALUE;
    bool reportsExisting =
        dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    if (reportsExisting)
        SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (lpOverlapped || (!lpBuffer && nNumberOfBytesToRead > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!file->canRead) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD done = 0;
    DWORD error = file->Read(static_cast<char*>(lpBuffer), nNumberOfBytesToRead, done);
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = done;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (lpOverlapped || (!lpBuffer && nNumberOfBytesToWrite > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!file->canWrite) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD done = 0;
    DWORD error = file->Write(static_cast<const char*>(lpBuffer), nNumberOfBytesToWrite, done);
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = done;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL CloseHandle(HANDLE hObject) {
    // Closing the thread pseudo-handle does nothing and succeeds, as on Windows.
    if (hObject == GetCurrentThread())
        return TRUE;
    auto file = Remove<OpenFile>(hObject);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (DWORD error = file->Close()) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    auto file = FileOf(hFile);
    if (!file)
        return INVALID_FILE_SIZE;
    if (DWORD error = file->Flush()) {
        SetLastError(error);
        return INVALID_FILE_SIZE;
    }
    struct stat st {};
    if (::fstat(file->fd, &st) != 0) {
        SetErrorFromErrno(errno);
        return INVALID_FILE_SIZE;
    }
    auto size = static_cast<std::uint64_t>(st.st_size);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    auto low = static_cast<DWORD>(size & 0xFFFFFFFFu);
    // A true low half of 0xFFFFFFFF is told from a failure by a cleared last error.
    if (low == INVALID_FILE_SIZE)
        SetLastError(ERROR_SUCCESS);
    return low;
}
