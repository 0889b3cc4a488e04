#include "platform/posix/FolderWatch.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace w32posix {
namespace {

// Everything that could change what a path in the folder reads as.
constexpr uint32_t kFolderChanges = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                    IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FolderWatches::~FolderWatches() {
    if (fd_ >= 0)
        ::close(fd_);
}

int FolderWatches::WatchFolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (path.empty() || path[0] != '/' || slash == std::string::npos)
        return -1;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISLNK(st.st_mode))
        return -1;
    if (fd_ < 0 && !failed_) {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        failed_ = fd_ < 0;
    }
    if (fd_ < 0)
        return -1;
    std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    int id = ::inotify_add_watch(fd_, folder.c_str(), kFolderChanges);
    return id < 0 ? -1 : id;
}

void FolderWatches::Drain(const std::function<void(int)>& changed) {
    if (fd_ < 0)
        return;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0 && errno != EAGAIN)
                changed(-1);  // events cannot be read: nothing can be vouched for
            return;
        }
        for (ssize_t at = 0; at < n;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            changed((event.mask & IN_Q_OVERFLOW) != 0 ? -1 : event.wd);
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
}

}  // namespace w32posix
