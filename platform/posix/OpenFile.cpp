#include "platform/posix/OpenFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <new>

#include "platform/posix/Errors.h"

namespace w32posix {
namespace {

// Reads from 256 KiB to 4 MiB copy equally fast; 1 MiB makes a 10,000-byte block reader's
// system calls rare.
constexpr DWORD kReadBufferSize = DWORD{1} << 20;
// Writes are kept smaller: the page cache sizes its folios after each write, and on ext4
// (Linux 6.x) writes of 128 KiB or more were often two to four times slower, the large folios
// being slow to come by. 64 KiB was the fastest size that stayed steady from run to run.
constexpr DWORD kWriteBufferSize = DWORD{1} << 16;

// Buffers start on a page boundary. The kernel copies file data to and from them with string
// moves, which on some processors run at half speed when the user side is not aligned to a
// cache line; the heap's 16-byte alignment cost a large copy twice its system time.
constexpr std::align_val_t kBufferAlignment{4096};

// Buffers of closed handles wait here for the next handle, so opening a file allocates nothing
// and touches pages that are already mapped. A pool outlives every handle: it has no
// destructor to run before theirs.
class BufferPool {
  public:
    explicit BufferPool(DWORD size) : size_(size) {}

    char* Take() {
        {
            std::lock_guard lock(mutex_);
            if (count_ > 0)
                return spare_[--count_];
        }
        return new (kBufferAlignment) char[size_];
    }

    void Give(char* buffer) {
        {
            std::lock_guard lock(mutex_);
            if (count_ < kSpares) {
                spare_[count_++] = buffer;
                return;
            }
        }
        ::operator delete[](buffer, kBufferAlignment);
    }

  private:
    static constexpr std::size_t kSpares = 4;
    const DWORD size_;
    std::mutex mutex_;
    char* spare_[kSpares] = {};
    std::size_t count_ = 0;
};

BufferPool g_readBuffers(kReadBufferSize);
BufferPool g_writeBuffers(kWriteBufferSize);

}  // namespace

OpenFile::OpenFile(int fd, bool canRead, bool canWrite, bool startsEmpty)
    : HandleObject(kKind),
      fd(fd),
      canRead(canRead),
      canWrite(canWrite),
      reserves_(startsEmpty && canWrite && !canRead) {}

OpenFile::~OpenFile() {
    if (fd >= 0) {
        Flush();
        ReleaseReserve();
        ::close(fd);
    }
    ReturnBuffer();
}

void OpenFile::AtExit() {
    Flush();
    ReleaseReserve();
}

DWORD OpenFile::Close() {
    DWORD error = Flush();
    ReleaseReserve();
    int closing = fd;
    fd = -1;
    ReturnBuffer();
    // The descriptor is released even when close reports an error (EIO from a deferred
    // write), so the error is reported and never retried.
    if (::close(closing) != 0 && errno != EINTR && error == ERROR_SUCCESS)
        error = ErrorFromErrno(errno);
    return error;
}

char* OpenFile::Buffer() {
    if (!buffer_)
        buffer_ = canRead ? g_readBuffers.Take() : g_writeBuffers.Take();
    return buffer_;
}

void OpenFile::ReturnBuffer() {
    if (buffer_)
        (canRead ? g_readBuffers : g_writeBuffers).Give(buffer_);
    buffer_ = nullptr;
}

DWORD OpenFile::Read(char* out, DWORD size, DWORD& done) {
    done = 0;
    if (!Buffered())
        return ReadDirect(out, size, done);
    bool sawEnd = false;
    while (done < size) {
        if (readPos_ == readEnd_) {
            // A short read was the end of the file; asking again would only say so again.
            if (sawEnd)
                break;
            if (size - done >= kReadBufferSize) {
                DWORD direct = 0;
                DWORD error = ReadDirect(out + done, size - done, direct);
                done += direct;
                return error;
            }
            if (DWORD error = Refill())
                return error;
            sawEnd = readEnd_ < kReadBufferSize;
        }
        DWORD n = std::min(size - done, readEnd_ - readPos_);
        std::memcpy(out + done, buffer_ + readPos_, n);
        readPos_ += n;
        done += n;
    }
    return ERROR_SUCCESS;
}

DWORD OpenFile::Refill() {
    if (readEnd_ == kReadBufferSize && !sequential_) {
        // Doubles the kernel's own read-ahead for the rest of the file. Asked only once a full
        // buffer has been read: a file that fits one buffer is read in one call and needs no
        // advice, and most files are small.
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        sequential_ = true;
    }
    char* buffer = Buffer();
    readPos_ = 0;
    readEnd_ = 0;
    for (;;) {
        ssize_t n = ::read(fd, buffer, kReadBufferSize);
        if (n >= 0) {
            readEnd_ = static_cast<DWORD>(n);
            return ERROR_SUCCESS;
        }
        if (errno != EINTR)
            return ErrorFromErrno(errno);
    }
}

DWORD OpenFile::ReadDirect(char* out, DWORD size, DWORD& done) {
    while (done < size) {
        ssize_t n = ::read(fd, out + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ErrorFromErrno(errno);
        DWORD asked = size - done;
        done += static_cast<DWORD>(n);
        // A regular file reads short only at its end.
        if (static_cast<DWORD>(n) < asked)
            break;
    }
    return ERROR_SUCCESS;
}

DWORD OpenFile::Write(const char* in, DWORD size, DWORD& done) {
    done = 0;
    if (!Buffered())
        return WriteDirect(in, size, done);
    DWORD room = kWriteBufferSize - pending_;
    if (size < room) {
        std::memcpy(Buffer() + pending_, in, size);
        pending_ += size;
        done = size;
        return ERROR_SUCCESS;
    }
    // The buffer is filled to the brim before it goes out, so the file is written in whole,
    // aligned buffers.
    if (pending_ > 0) {
        std::memcpy(buffer_ + pending_, in, room);
        pending_ = kWriteBufferSize;
        if (DWORD error = FlushPending())
            return error;
        done = room;
    }
    DWORD rest = size - done;
    if (rest >= kWriteBufferSize) {
        DWORD direct = 0;
        DWORD error = WriteDirect(in + done, rest, direct);
        done += direct;
        return error;
    }
    std::memcpy(Buffer(), in + done, rest);
    pending_ = rest;
    done = size;
    return ERROR_SUCCESS;
}

DWORD OpenFile::FlushPending() {
    DWORD written = 0;
    DWORD error = WriteDirect(buffer_, pending_, written);
    pending_ = 0;
    return error;
}

DWORD OpenFile::WriteDirect(const char* in, DWORD size, DWORD& done) {
    if (reserves_)
        reserve_.Cover(fd, written_, written_ + (size - done));
    while (done < size) {
        ssize_t n = ::write(fd, in + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        // A full disk shows as ENOSPC on the write after the one that filled it.
        if (n <= 0)
            return ErrorFromErrno(n < 0 ? errno : ENOSPC);
        done += static_cast<DWORD>(n);
        written_ += n;
    }
    return ERROR_SUCCESS;
}

bool OpenFile::SettledStatus(FileStatus& status) {
    if (DWORD error = Flush()) {
        SetLastError(error);
        return false;
    }
    if (int err = StatFd(fd, status)) {
        SetErrorFromErrno(err);
        return false;
    }
    return true;
}

}  // namespace w32posix
