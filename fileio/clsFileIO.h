// The program's only way of writing file contents: a block-wise copier with a progress event
// after every block, a cancel request honoured after every block, and the source's three file
// times put on the copy. A copy reads no further than the size its source had when the copy
// started; a source that another program wrote meanwhile gives a copy that never passes for
// up to date (see ChangedWhileCopied).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/win32.h"

class clsFileIO {
  public:
    // Raised after every block; both counts are 64-bit so files of any size report truly.
    using ProgressHandler =
        std::function<void(std::int64_t& bytesProcessed, std::int64_t& totalBytes)>;
    ProgressHandler CopyProgress;

    // Asked, when one is set, before an overwrite deletes the destination: it may move the old
    // copy away instead. False fails the copy with `why` and leaves the destination as it is.
    using KeepHandler = std::function<bool(const std::string& dest, std::string& why)>;
    KeepHandler KeepOldCopy;

    // Text of the most recent failure.
    std::string ErrMsg() const { return m_ErrMsg; }
    // Requests a cancel of the copy in progress.
    void Cancel(bool b) { m_Cancel = b; }
    // True after a successful copy whose source's last-write time or size at the end differed
    // from those at the start: the copy holds what was read, and its last-write time is set a
    // second before the source's, so that the next comparison finds them different and copies
    // again. False after any other copy.
    bool ChangedWhileCopied() const { return m_Changed; }

    bool OpenExistingFile(const std::string& filename, HANDLE& handle);
    bool OpenExistingFileForWrite(const std::string& filename, HANDLE& handle);
    bool OpenNewFile(const std::string& filename, HANDLE& handle);

    // Defaults: overwrite false, prog true, bsize 10000 bytes. A bsize below 1 is refused
    // (False) before any file is touched.
    bool CopyFile(const std::string& source, const std::string& dest,
                  std::optional<bool> overwrite = std::nullopt,
                  std::optional<bool> prog = std::nullopt,
                  std::optional<std::int32_t> bsize = std::nullopt);

  private:
    bool CloseFile(HANDLE handle);

    // Stores a fresh handle in `handle`, or 0 with the system's reason when the open failed.
    bool Open(HANDLE opened, HANDLE& handle);
    // What the copy compares at its end with its start: the source's last-write time and size.
    struct SourceState {
        std::uint64_t lastWrite = 0;
        std::int64_t size = 0;
        bool known = false;
    };
    static SourceState StateOf(HANDLE src);

    // The read-write loop with its progress events and cancel test after every block; reads
    // `totalBytes` at most.
    bool CopyBlocks(HANDLE src, HANDLE dst, std::int32_t blockSize, bool prog,
                    std::int64_t totalBytes);
    // Puts the source's three times on the closed copy, unless the source is not as it was
    // at `start`; then closes the source.
    void ApplySourceTimes(HANDLE src, const std::string& dest, const SourceState& start);
    bool FailWithSystemText();
    // Closes whatever is open, keeping the reason already in ErrMsg.
    bool FailCopy(HANDLE src, HANDLE dst);

    std::string m_ErrMsg;
    bool m_Cancel = false;
    bool m_Changed = false;
};
