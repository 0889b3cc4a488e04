#include "platform/posix/SpaceReserve.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace w32posix {
namespace {

// Smaller files never reserve: for them the two extra calls cost more than they save.
constexpr off_t kReserveFrom = off_t{256} << 10;
// Each step reserves as much as the file already holds, within these bounds, so a file is
// never reserved much beyond twice its size and a very large one is reserved in few calls.
constexpr off_t kSmallestStep = off_t{4} << 20;
constexpr off_t kLargestStep = off_t{64} << 20;

}  // namespace

void SpaceReserve::Cover(int fd, off_t written, off_t end) {
    if (stopped_ || end <= reservedEnd_ || end <= kReserveFrom)
        return;
    const off_t from = std::max(reservedEnd_, written);
    const off_t step = std::clamp(written, kSmallestStep, kLargestStep);
    reserved_ = true;
    // FALLOC_FL_KEEP_SIZE: the blocks are the file's, its size stays what was written.
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, from, end - from + step) != 0) {
        stopped_ = true;
        return;
    }
    reservedEnd_ = end + step;
}

void SpaceReserve::Release(int fd) {
    if (!reserved_)
        return;
    reserved_ = false;
    reservedEnd_ = 0;
    // Cutting a file to its own size frees the blocks past its end. A failure leaves them
    // allocated, which no caller can see but in the disk's free space.
    struct stat st {};
    [[maybe_unused]] const int cut = ::fstat(fd, &st) == 0 ? ::ftruncate(fd, st.st_size) : -1;
}

}  // namespace w32posix
