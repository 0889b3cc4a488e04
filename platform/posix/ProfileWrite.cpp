#include "platform/posix/ProfileWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

#include "platform/posix/Errors.h"

namespace w32posix {
namespace {

constexpr std::string_view kTemporaryEnd = ".tmp";

// Where the text of `path` really lives: a link to a settings file is followed, so the link
// stays a link after the file is replaced.
std::string WriteTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string BaseName(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAllAt(int fd, std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadAllFd(int fd, std::string& text) {
    char block[8192];
    for (off_t at = 0;;) {
        ssize_t n = ::pread(fd, block, sizeof block, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        text.append(block, static_cast<std::size_t>(n));
        at += n;
    }
}

// The process id in a temporary's name ".<base>.<pid>.<counter>.tmp", or 0 for a name that is
// not one of this file's temporaries.
pid_t TemporaryOwner(std::string_view name, std::string_view base) {
    std::string prefix = "." + std::string(base) + ".";
    if (name.size() <= prefix.size() + kTemporaryEnd.size() ||
        name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - kTemporaryEnd.size()) != kTemporaryEnd)
        return 0;
    std::string_view middle =
        name.substr(prefix.size(), name.size() - prefix.size() - kTemporaryEnd.size());
    auto dot = middle.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == middle.size() ||
        middle.find_first_not_of("0123456789.") != std::string_view::npos ||
        middle.find('.', dot + 1) != std::string_view::npos)
        return 0;
    return static_cast<pid_t>(std::strtol(std::string(middle.substr(0, dot)).c_str(), nullptr, 10));
}

bool ProcessIsGone(pid_t pid) {
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A save that was killed between writing its temporary and renaming it leaves the temporary
// behind. The first save of a process clears those of processes that are gone; a running
// program's save in progress is left alone.
void RemoveStaleTemporaries(const std::string& target) {
    static std::unordered_set<std::string> cleared;
    if (!cleared.insert(target).second)
        return;
    DIR* dir = ::opendir(std::string(ParentOf(target)).c_str());
    if (!dir)
        return;
    const std::string base = BaseName(target);
    while (dirent* entry = ::readdir(dir)) {
        pid_t owner = TemporaryOwner(entry->d_name, base);
        struct stat st {};
        if (owner > 0 && ProcessIsGone(owner) &&
            ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode)) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// Creates a temporary file beside `target` that nobody else uses.
int CreateTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    std::string folder(ParentOf(target));
    for (;;) {
        temporary = folder + "/." + BaseName(target) + "." + std::to_string(::getpid()) + "." +
                    std::to_string(++counter) + std::string(kTemporaryEnd);
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

// Writes the temporary and renames it over the target, so the file is at every moment either
// the old text or the new one. Returns 0 or the errno value; the temporary never stays.
int ReplaceByRename(const std::string& target, const std::string& temporary, int fd,
                    const std::string& text, const struct stat* original) {
    if (original) {
        ::fchmod(fd, original->st_mode & 07777);
        if (::geteuid() == 0)
            (void)!::fchown(fd, original->st_uid, original->st_gid);
    }
    int err = WriteAllAt(fd, text) ? 0 : errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0)
        ::unlink(temporary.c_str());
    return err;
}

// Where no temporary can be made beside the file (a read-only folder holding a writable
// settings file), the file is rewritten where it is, as Windows does. Its space is reserved
// first, so a full disk stops the write before any byte changes; should a write still fail,
// the old text is put back. Returns 0 or the errno value.
int RewriteInPlace(const std::string& target, const std::string& text) {
    int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno;
    std::string old;
    int err = ReadAllFd(fd, old) ? 0 : errno;
    if (err == 0 && text.size() > old.size() &&
        ::fallocate(fd, 0, 0, static_cast<off_t>(text.size())) != 0 && errno != EOPNOTSUPP) {
        err = errno;
    }
    if (err == 0 && !WriteAllAt(fd, text)) {
        err = errno;
        (void)!WriteAllAt(fd, old);
        (void)!::ftruncate(fd, static_cast<off_t>(old.size()));
    } else if (err == 0 && ::ftruncate(fd, static_cast<off_t>(text.size())) != 0) {
        err = errno;
    }
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

}  // namespace

bool SaveProfileText(const std::string& path, const std::string& text,
                     const struct stat* original) {
    std::string target = WriteTarget(path);
    RemoveStaleTemporaries(target);
    std::string temporary;
    int fd = CreateTemporary(target, temporary);
    int err = fd < 0 ? errno : ReplaceByRename(target, temporary, fd, text, original);
    if (err != 0 && original)
        err = RewriteInPlace(target, text);
    if (err == 0)
        return true;
    SetLastError(err == ENOENT || err == ENOTDIR ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(err));
    return false;
}

}  // namespace w32posix
