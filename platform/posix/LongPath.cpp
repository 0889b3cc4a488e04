#include "platform/posix/LongPath.h"

#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace w32posix {
namespace {

// Opens `folder` below `from` (AT_FDCWD or an open folder), in pieces that each fit the
// system's limit; every component fits, as no name is longer than NAME_MAX. Returns the
// descriptor, or -1 with errno set.
int OpenFolderInPieces(int from, std::string_view folder) {
    int current = from;
    while (!folder.empty()) {
        std::string_view piece = folder.substr(0, PATH_MAX - 1);
        if (piece.size() < folder.size()) {
            auto slash = piece.rfind('/');
            if (slash == std::string_view::npos || slash == 0) {
                errno = ENAMETOOLONG;
                piece = {};
            } else {
                piece = piece.substr(0, slash);
            }
        }
        int next = piece.empty() ? -1
                                 : ::openat(current, std::string(piece).c_str(),
                                            O_PATH | O_DIRECTORY | O_CLOEXEC);
        int err = errno;
        if (current != from)
            ::close(current);
        if (next < 0) {
            errno = err;
            return -1;
        }
        current = next;
        folder.remove_prefix(piece.size());
        while (!folder.empty() && folder.front() == '/')
            folder.remove_prefix(1);
    }
    return current == from ? ::openat(from, ".", O_PATH | O_DIRECTORY | O_CLOEXEC) : current;
}

}  // namespace

PathAt::PathAt(const char* path) : name(path) {
    std::size_t length = std::strlen(path);
    if (length < PATH_MAX)
        return;
    if (length > kMaxLongPath) {
        error = ENAMETOOLONG;
        return;
    }
    std::string_view text(path, length);
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    auto slash = text.rfind('/');
    if (slash == std::string_view::npos) {
        error = ENAMETOOLONG;
        return;
    }
    last_ = std::string(text.substr(slash + 1));
    name = last_.c_str();
    std::string_view folder = text.substr(0, slash);
    int from = AT_FDCWD;
    if (text.front() == '/') {
        from = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
        while (!folder.empty() && folder.front() == '/')
            folder.remove_prefix(1);
    }
    dir = from < 0 ? -1 : OpenFolderInPieces(from, folder);
    if (dir < 0)
        error = errno;
    if (from >= 0 && from != dir)
        ::close(from);
}

PathAt::~PathAt() {
    if (dir >= 0)
        ::close(dir);
}

}  // namespace w32posix
