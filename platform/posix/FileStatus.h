// One stat of a file with what the Win32 records need from it: type and mode, size, the three
// times and the identity used to notice changes.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string_view>

#include "platform/posix/win32_api.h"

namespace w32posix {

struct FileStatus {
    mode_t mode = 0;
    std::int64_t size = 0;
    dev_t device = 0;
    ino_t inode = 0;
    std::uint64_t links = 0;
    timespec accessTime{};
    timespec writeTime{};
    // The birth time where the file system records one, otherwise the change time.
    timespec creationTime{};
};

// Stats `name` relative to the folder `dirFd` (AT_FDCWD for the current folder, or an empty
// name with the file's own descriptor). `flags` are fstatat's: AT_SYMLINK_NOFOLLOW to look at
// a link itself. Returns 0 or the errno value.
int StatAt(int dirFd, const char* name, int flags, FileStatus& status);
int StatFd(int fd, FileStatus& status);

// The attributes that tell an entry's kind: folder, file, or (for pipes, sockets and devices)
// FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE.
DWORD KindAttributes(mode_t mode);

// The attribute bits Windows would show for a file of this status, named `name`. For a
// symbolic link, `target` is its target's status, or nullptr when the link dangles.
DWORD AttributesOf(std::string_view name, const FileStatus& status, const FileStatus* target);

// What a folder listing shows of one entry. A symbolic link shows its target's size and times
// (a dangling one, size 0 and its own times) with the reparse-point attribute.
struct EntryFacts {
    DWORD attributes = 0;
    FILETIME creationTime{};
    FILETIME accessTime{};
    FILETIME writeTime{};
    std::int64_t size = 0;
    bool isLink = false;
};

// Describes `name` in the folder `dirFd`; `baseName` is the entry's own name, which decides the
// hidden attribute. Returns 0 or the stat's errno value.
int DescribeAt(int dirFd, const char* name, std::string_view baseName, EntryFacts& facts);

// The record GetFileAttributesExA fills for an entry so described.
void FillAttributeData(const EntryFacts& facts, WIN32_FILE_ATTRIBUTE_DATA& data);

// FILETIME (100 ns units since 1601-01-01 UTC) and POSIX time conversions. Times before 1601
// become 0.
FILETIME ToFileTime(const timespec& time);
timespec ToTimespec(const FILETIME& time);
std::uint64_t FileTimeValue(const FILETIME& time);
FILETIME MakeFileTime(std::uint64_t value);

}  // namespace w32posix
