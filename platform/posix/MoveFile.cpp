#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/Errors.h"
#include "platform/posix/FileStatus.h"
#include "platform/posix/LongPath.h"

using namespace w32posix;

namespace {

bool Fail(DWORD code) {
    SetLastError(code);
    return false;
}

// Where the system cannot refuse an existing target itself: a hard link fails on an existing
// name, and the old name is then removed. Folders cannot be linked; for them the target is
// looked at first, which leaves a moment in which another program could make it.
int RenameNoReplaceByHand(const PathAt& from, const PathAt& to) {
    FileStatus status;
    if (int err = StatAt(from.dir, from.name, AT_SYMLINK_NOFOLLOW, status))
        return err;
    if (!S_ISDIR(status.mode)) {
        if (::linkat(from.dir, from.name, to.dir, to.name, 0) != 0)
            return errno;
        return ::unlinkat(from.dir, from.name, 0) == 0 ? 0 : errno;
    }
    FileStatus existing;
    if (StatAt(to.dir, to.name, AT_SYMLINK_NOFOLLOW, existing) == 0)
        return EEXIST;
    return ::renameat(from.dir, from.name, to.dir, to.name) == 0 ? 0 : errno;
}

int RenameNoReplace(const PathAt& from, const PathAt& to) {
    if (::renameat2(from.dir, from.name, to.dir, to.name, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    return RenameNoReplaceByHand(from, to);
}

// Windows replaces a file, never a folder, and never puts a folder in a file's place.
int RenameReplacing(const PathAt& from, const PathAt& to) {
    FileStatus source;
    if (int err = StatAt(from.dir, from.name, AT_SYMLINK_NOFOLLOW, source))
        return err;
    FileStatus existing;
    if (StatAt(to.dir, to.name, AT_SYMLINK_NOFOLLOW, existing) == 0 &&
        (S_ISDIR(existing.mode) || S_ISDIR(source.mode)))
        return EACCES;
    return ::renameat(from.dir, from.name, to.dir, to.name) == 0 ? 0 : errno;
}

}  // namespace

// A file, a folder or a link (the link itself) gets a new name on the same volume; nothing is
// copied. Without MOVEFILE_REPLACE_EXISTING an existing target fails with
// ERROR_ALREADY_EXISTS, as on Windows; a read-only file may be moved, as on Windows.
// MOVEFILE_COPY_ALLOWED is not supported: another volume fails with ERROR_NOT_SAME_DEVICE.
// MOVEFILE_WRITE_THROUGH is accepted; the rename is on disk once the system flushes it.
BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    if (!lpExistingFileName || !lpNewFileName)
        return Fail(ERROR_INVALID_PARAMETER);
    if (*lpExistingFileName == '\0' || *lpNewFileName == '\0')
        return Fail(ERROR_PATH_NOT_FOUND);
    PathAt from(lpExistingFileName);
    if (from.error) {
        SetErrorFromErrno(from.error, lpExistingFileName);
        return FALSE;
    }
    PathAt to(lpNewFileName);
    if (to.error)
        return Fail(to.error == ENOENT || to.error == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                              : ErrorFromErrno(to.error));
    const bool replace = (dwFlags & MOVEFILE_REPLACE_EXISTING) != 0;
    const int err = replace ? RenameReplacing(from, to) : RenameNoReplace(from, to);
    switch (err) {
        case 0:
            return TRUE;
        case EEXIST:
        case ENOTEMPTY:
            return Fail(ERROR_ALREADY_EXISTS);
        case EXDEV:
            return Fail(ERROR_NOT_SAME_DEVICE);
        case ENOENT:
        case ENOTDIR: {
            // The source is missing, or the folder that should take it.
            FileStatus source;
            if (StatAt(from.dir, from.name, AT_SYMLINK_NOFOLLOW, source) != 0) {
                SetErrorFromErrno(err, lpExistingFileName);
                return FALSE;
            }
            return Fail(ERROR_PATH_NOT_FOUND);
        }
        default:
            return Fail(ErrorFromErrno(err));
    }
}
