#include "platform/posix/FolderStream.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace w32posix {

FolderStream::FolderStream(int fd) : fd_(fd), block_(new char[kBlock]) {}

FolderStream::~FolderStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

const char* FolderStream::Next() {
    if (at_ >= filled_) {
        const ssize_t n = ::getdents64(fd_, block_.get(), kBlock);
        if (n <= 0) {
            error_ = n < 0 ? errno : 0;
            filled_ = at_ = 0;
            return nullptr;
        }
        filled_ = static_cast<std::size_t>(n);
        at_ = 0;
    }
    // The records are laid out as struct dirent64, each aligned by the kernel.
    const auto* entry = reinterpret_cast<const dirent64*>(block_.get() + at_);
    at_ += entry->d_reclen;
    type_ = entry->d_type;
    return entry->d_name;
}

}  // namespace w32posix
