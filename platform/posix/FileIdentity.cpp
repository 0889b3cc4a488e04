// What names a file or folder whatever path reached it: the device and inode behind a handle
// (Windows' volume serial number and file index), and the handle's path with every link
// resolved.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/posix/FileStatus.h"
#include "platform/posix/OpenFile.h"

using namespace w32posix;

namespace {

// Windows' volume serial number has 32 bits; a device number's major and minor parts fit in
// them on every Linux system (12 and 20 bits).
DWORD VolumeSerial(dev_t device) {
    return static_cast<DWORD>(((major(device) & 0xFFFu) << 20) | (minor(device) & 0xFFFFFu));
}

}  // namespace

BOOL GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (!lpFileInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FileStatus status;
    if (!file->SettledStatus(status))
        return FALSE;
    BY_HANDLE_FILE_INFORMATION& info = *lpFileInformation;
    info.dwFileAttributes = AttributesOf({}, status, nullptr);
    info.ftCreationTime = ToFileTime(status.creationTime);
    info.ftLastAccessTime = ToFileTime(status.accessTime);
    info.ftLastWriteTime = ToFileTime(status.writeTime);
    info.dwVolumeSerialNumber = VolumeSerial(status.device);
    auto size = static_cast<std::uint64_t>(status.size);
    info.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    info.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    info.nNumberOfLinks = static_cast<DWORD>(status.links);
    auto index = static_cast<std::uint64_t>(status.inode);
    info.nFileIndexHigh = static_cast<DWORD>(index >> 32);
    info.nFileIndexLow = static_cast<DWORD>(index & 0xFFFFFFFFu);
    return TRUE;
}

// The kernel keeps the resolved path of every open descriptor; POSIX paths have no drive, so
// the flags change nothing. Like Windows, a buffer too small gets nothing and the result is
// the size needed with the terminator; on success it is the length without it.
DWORD GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath,
                                DWORD /*dwFlags*/) {
    auto file = FileOf(hFile);
    if (!file)
        return 0;
    const std::string link = "/proc/self/fd/" + std::to_string(file->fd);
    std::string path(4096, '\0');
    for (;;) {
        ssize_t length = ::readlink(link.c_str(), path.data(), path.size());
        if (length < 0) {
            SetLastError(errno == ENOENT ? ERROR_NOT_SUPPORTED : ErrorFromErrno(errno));
            return 0;
        }
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto length = static_cast<DWORD>(path.size());
    if (!lpszFilePath || cchFilePath <= length)
        return length + 1;
    std::memcpy(lpszFilePath, path.c_str(), path.size() + 1);
    return length;
}
