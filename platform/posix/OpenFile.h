// What a file handle stands for: an open descriptor, the access it was opened with, and the
// buffer that turns the small reads and writes callers make into few large system calls.
//
// A handle opened only for reading reads ahead; a handle opened only for writing holds its
// writes back until the buffer fills or another operation on the handle needs the file to be
// up to date (Flush). A handle opened for both is not buffered, so its reads always see its
// writes. Other handles and path calls see held-back writes once they are flushed, at the
// latest when the handle is closed.
#pragma once

#include "platform/posix/Errors.h"
#include "platform/posix/FileStatus.h"
#include "platform/posix/Handles.h"
#include "platform/posix/SpaceReserve.h"

namespace w32posix {

class OpenFile : public HandleObject {
  public:
    static constexpr HandleKind kKind = HandleKind::File;

    // `startsEmpty`: the file was created or emptied by the open, so a write-only handle's
    // writes only ever extend it and may reserve space ahead of them.
    OpenFile(int fd, bool canRead, bool canWrite, bool startsEmpty = false);
    ~OpenFile() override;
    void AtExit() override;

    // Each returns ERROR_SUCCESS or the Win32 error, with `done` set to the bytes the call
    // moved. A read that meets the end of the file stops there.
    DWORD Read(char* out, DWORD size, DWORD& done);
    DWORD Write(const char* in, DWORD size, DWORD& done);
    // Writes out what is held back. A failed flush drops the held-back bytes, so the failure
    // is reported once.
    DWORD Flush() { return pending_ == 0 ? ERROR_SUCCESS : FlushPending(); }
    // Flushes and releases the descriptor, which is released even when that fails.
    DWORD Close();
    // The file's status as other handles will see it, held-back writes out first. Returns
    // false with the last error set.
    bool SettledStatus(FileStatus& status);
    // Gives back the space reserved past the end of the file; see SpaceReserve.
    void ReleaseReserve() { reserve_.Release(fd); }

    int fd;
    const bool canRead;
    const bool canWrite;

  private:
    bool Buffered() const { return canRead != canWrite; }
    // The handle's buffer, taken from the pool at its first use.
    char* Buffer();
    void ReturnBuffer();
    DWORD FlushPending();
    DWORD Refill();
    // `done` starts at 0 and counts the bytes moved, also when the call fails part way.
    DWORD ReadDirect(char* out, DWORD size, DWORD& done);
    DWORD WriteDirect(const char* in, DWORD size, DWORD& done);

    char* buffer_ = nullptr;
    // Read-ahead: bytes [readPos_, readEnd_) of the buffer are the file's next bytes.
    DWORD readPos_ = 0;
    DWORD readEnd_ = 0;
    bool sequential_ = false;  // the kernel was told the file is read from start to end
    // Write-behind: the first pending_ bytes of the buffer follow what the file holds.
    DWORD pending_ = 0;
    // Bytes this handle has written, which is where the file ends while it reserves.
    off_t written_ = 0;
    const bool reserves_;
    SpaceReserve reserve_;
};

// The open file behind a handle; empty, with ERROR_INVALID_HANDLE set, for any other handle.
inline HandleRef<OpenFile> FileOf(HANDLE handle) {
    auto file = Lookup<OpenFile>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

}  // namespace w32posix
