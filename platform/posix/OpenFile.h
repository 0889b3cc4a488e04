// What a file handle stands for: an open descriptor and the access it was opened with.
#pragma once

#include <unistd.h>

#include "platform/posix/Handles.h"

namespace w32posix {

class OpenFile : public HandleObject {
  public:
    OpenFile(int fd, bool canRead, bool canWrite) : fd(fd), canRead(canRead), canWrite(canWrite) {}
    ~OpenFile() override {
        if (fd >= 0)
            ::close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd;
    const bool canRead;
    const bool canWrite;
};

}  // namespace w32posix
