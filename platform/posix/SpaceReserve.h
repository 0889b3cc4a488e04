// Disk space set aside ahead of a large file's writes. A file system that allocates blocks as
// the writes come (ext4's delayed allocation reserves and accounts every block on its own)
// spends much of a large copy's time there; blocks reserved in large steps are only filled.
//
// The reservation never shows in the file's size or contents: it lies past the end of the
// file, and it is given back when the handle is closed or its times are set, so a finished or
// abandoned file holds only the blocks its bytes need. A reservation that fails (a full disk,
// a file system without one) only ends the reserving: the writes go on as before and fail,
// if at all, where they would have failed anyway.
#pragma once

#include <sys/types.h>

namespace w32posix {

class SpaceReserve {
  public:
    // Called before the file, `written` bytes long, is written up to `end`.
    void Cover(int fd, off_t written, off_t end);
    // Gives back what lies past the end of the file. It moves the file's last-write time, so
    // it comes before any setting of the times.
    void Release(int fd);

  private:
    off_t reservedEnd_ = 0;
    bool reserved_ = false;  // blocks may lie past the end, perhaps from a failed attempt
    bool stopped_ = false;
};

}  // namespace w32posix
