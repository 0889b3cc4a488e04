#include "platform/posix/FileStatus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

namespace w32posix {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11'644'473'600;

#ifdef STATX_BTIME
timespec FromStatx(const statx_timestamp& t) {
    return timespec{static_cast<time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)};
}

int StatxAt(int dirFd, const char* name, int flags, FileStatus& status) {
    struct statx sx {};
    if (::statx(dirFd, name, flags, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return errno;
    status.mode = sx.stx_mode;
    status.size = static_cast<std::int64_t>(sx.stx_size);
    status.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    status.inode = sx.stx_ino;
    status.links = sx.stx_nlink;
    status.accessTime = FromStatx(sx.stx_atime);
    status.writeTime = FromStatx(sx.stx_mtime);
    status.creationTime = FromStatx((sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime);
    return 0;
}
#endif

int FstatAt(int dirFd, const char* name, int flags, FileStatus& status) {
    struct stat st {};
    if (::fstatat(dirFd, name, &st, flags) != 0)
        return errno;
    status.mode = st.st_mode;
    status.size = st.st_size;
    status.device = st.st_dev;
    status.inode = st.st_ino;
    status.links = st.st_nlink;
    status.accessTime = st.st_atim;
    status.writeTime = st.st_mtim;
    status.creationTime = st.st_ctim;
    return 0;
}

}  // namespace

DWORD KindAttributes(mode_t mode) {
    if (S_ISDIR(mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    if (S_ISREG(mode))
        return FILE_ATTRIBUTE_ARCHIVE;
    // Pipes, sockets and devices have no Windows counterpart: opening one may block, release a
    // program waiting at its other end, or read a device. They are system files with the
    // device attribute, which no Windows folder shows for a file, and CreateFileA refuses
    // them without opening them.
    return FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
}

int StatAt(int dirFd, const char* name, int flags, FileStatus& status) {
#ifdef STATX_BTIME
    // statx costs the same as fstatat and also gives the birth time where there is one.
    int err = StatxAt(dirFd, name, flags, status);
    if (err != ENOSYS)
        return err;
#endif
    return FstatAt(dirFd, name, flags, status);
}

int StatFd(int fd, FileStatus& status) {
    return StatAt(fd, "", AT_EMPTY_PATH, status);
}

DWORD AttributesOf(std::string_view name, const FileStatus& status, const FileStatus* target) {
    DWORD attributes = 0;
    if (S_ISLNK(status.mode)) {
        // A link shows as a reparse point; what it points to decides folder or file, and a
        // dangling link is nothing more.
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        if (target)
            attributes |= KindAttributes(target->mode);
    } else {
        attributes |= KindAttributes(status.mode);
    }
    // Windows' read-only attribute is the owner's missing write permission (a link's own
    // permissions mean nothing).
    if (!S_ISLNK(status.mode) && !(status.mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    // Dot-files are what POSIX desktops hide, so they carry the hidden attribute.
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

int DescribeAt(int dirFd, const char* name, std::string_view baseName, EntryFacts& facts) {
    FileStatus status;
    if (int err = StatAt(dirFd, name, AT_SYMLINK_NOFOLLOW, status))
        return err;
    FileStatus target;
    facts.isLink = S_ISLNK(status.mode);
    bool hasTarget = facts.isLink && StatAt(dirFd, name, 0, target) == 0;
    const FileStatus& shown = hasTarget ? target : status;
    facts.attributes = AttributesOf(baseName, status, hasTarget ? &target : nullptr);
    facts.creationTime = ToFileTime(shown.creationTime);
    facts.accessTime = ToFileTime(shown.accessTime);
    facts.writeTime = ToFileTime(shown.writeTime);
    // A folder's size is 0 in a listing, as on Windows; a dangling link has none either.
    const bool sizeless =
        (facts.attributes & FILE_ATTRIBUTE_DIRECTORY) || (facts.isLink && !hasTarget);
    facts.size = sizeless ? 0 : shown.size;
    return 0;
}

std::uint64_t FileTimeValue(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

FILETIME MakeFileTime(std::uint64_t value) {
    return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

FILETIME ToFileTime(const timespec& time) {
    std::int64_t seconds = static_cast<std::int64_t>(time.tv_sec) + kEpochDifference;
    if (seconds < 0)
        return FILETIME{0, 0};
    auto ticks = static_cast<std::uint64_t>(seconds) * kTicksPerSecond +
                 static_cast<std::uint64_t>(time.tv_nsec / 100);
    return MakeFileTime(ticks);
}

timespec ToTimespec(const FILETIME& time) {
    std::uint64_t ticks = FileTimeValue(time);
    timespec result{};
    result.tv_sec =
        static_cast<time_t>(static_cast<std::int64_t>(ticks / kTicksPerSecond) - kEpochDifference);
    result.tv_nsec = static_cast<long>(ticks % kTicksPerSecond) * 100;
    return result;
}

void FillAttributeData(const EntryFacts& facts, WIN32_FILE_ATTRIBUTE_DATA& data) {
    data.dwFileAttributes = facts.attributes;
    data.ftCreationTime = facts.creationTime;
    data.ftLastAccessTime = facts.accessTime;
    data.ftLastWriteTime = facts.writeTime;
    const auto size = static_cast<std::uint64_t>(facts.size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
}

}  // namespace w32posix
