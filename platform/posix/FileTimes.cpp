#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/Errors.h"
#include "platform/posix/FileStatus.h"
#include "platform/posix/OpenFile.h"

using namespace w32posix;

namespace {

// A null pointer or a zero FILETIME leaves that time as it is.
timespec TimeToSet(const FILETIME* time) {
    if (!time || FileTimeValue(*time) == 0)
        return timespec{0, UTIME_OMIT};
    return ToTimespec(*time);
}

}  // namespace

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                 LPFILETIME lpLastWriteTime) {
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    // Held-back writes change the last-write time; the caller sees the time they leave.
    FileStatus status;
    if (!file->SettledStatus(status))
        return FALSE;
    if (lpCreationTime)
        *lpCreationTime = ToFileTime(status.creationTime);
    if (lpLastAccessTime)
        *lpLastAccessTime = ToFileTime(status.accessTime);
    if (lpLastWriteTime)
        *lpLastWriteTime = ToFileTime(status.writeTime);
    return TRUE;
}

// Linux offers no way to set a file's birth time, so the creation time is accepted and left
// alone; last access and last write are set.
BOOL SetFileTime(HANDLE hFile, const FILETIME* /*lpCreationTime*/, const FILETIME* lpLastAccessTime,
                 const FILETIME* lpLastWriteTime) {
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    // Windows needs write access to the attributes; a handle opened for reading only lacks it.
    if (!file->canWrite) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // Held-back writes go out first, or their writing would replace the time set here.
    if (DWORD error = file->Flush()) {
        SetLastError(error);
        return FALSE;
    }
    // Giving back reserved space moves the last-write time too, so it may not come after.
    file->ReleaseReserve();
    const timespec times[2] = {TimeToSet(lpLastAccessTime), TimeToSet(lpLastWriteTime)};
    if (::futimens(file->fd, times) != 0) {
        SetErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}
