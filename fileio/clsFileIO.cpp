#include "fileio/clsFileIO.h"

#include <algorithm>
#include <memory>

#include "fileio/modWin32.h"

namespace {

constexpr std::int32_t kDefaultBlockSize = 10000;
constexpr std::uint64_t kTicksPerSecond = 10'000'000;

std::uint64_t TicksOf(const FILETIME& t) {
    return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
}

// The same opening for all three operations; only the CreateFileA arguments differ.
HANDLE CreateWith(const std::string& filename, DWORD access, DWORD share, DWORD disposition,
                  DWORD attributes) {
    HANDLE h =
        CreateFileA(filename.c_str(), access, share, nullptr, disposition, attributes, nullptr);
    CaptureLastError();
    return h;
}

}  // namespace

bool clsFileIO::Open(HANDLE opened, HANDLE& handle) {
    if (opened == INVALID_HANDLE_VALUE) {
        m_ErrMsg = GetSystemErrorText();
        handle = nullptr;
        return false;
    }
    handle = opened;
    return true;
}

bool clsFileIO::OpenExistingFile(const std::string& filename, HANDLE& handle) {
    return Open(
        CreateWith(filename, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0),
        handle);
}

bool clsFileIO::OpenExistingFileForWrite(const std::string& filename, HANDLE& handle) {
    return Open(
        CreateWith(filename, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0),
        handle);
}

bool clsFileIO::OpenNewFile(const std::string& filename, HANDLE& handle) {
    return Open(CreateWith(filename, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL), handle);
}

bool clsFileIO::CloseFile(HANDLE handle) {
    const BOOL closed = CloseHandle(handle);
    CaptureLastError();
    if (!closed) {
        m_ErrMsg = GetSystemErrorText();
        return false;
    }
    return true;
}

bool clsFileIO::CopyFile(const std::string& source, const std::string& dest,
                         std::optional<bool> overwrite, std::optional<bool> prog,
                         std::optional<std::int32_t> bsize) {
    const std::int32_t blockSize = bsize.value_or(kDefaultBlockSize);
    if (blockSize < 1) {
        m_ErrMsg = "Invalid block size: " + std::to_string(blockSize);
        return false;
    }

    HANDLE src = nullptr;
    HANDLE dst = nullptr;
    m_Changed = false;
    if (!OpenExistingFile(source, src)) {
        m_ErrMsg = "Unable to open source file: " + m_ErrMsg;
        return FailCopy(src, dst);
    }
    if (overwrite.value_or(false)) {
        std::string why;
        if (KeepOldCopy && !KeepOldCopy(dest, why)) {
            m_ErrMsg = "Unable to open destination file: " + why;
            return FailCopy(src, dst);
        }
        // Whatever stops the deletion also stops the creation below, which reports it.
        DeleteFileA(dest.c_str());
        CaptureLastError();
    }
    if (!OpenNewFile(dest, dst)) {
        m_ErrMsg = "Unable to open destination file: " + m_ErrMsg;
        return FailCopy(src, dst);
    }
    const SourceState start = StateOf(src);
    if (!CopyBlocks(src, dst, blockSize, prog.value_or(true), start.size))
        return FailCopy(src, dst);

    const bool closed = CloseFile(dst);
    // The handle is spent either way; closing it a second time would only report a bad handle.
    dst = nullptr;
    if (!closed)
        return FailCopy(src, dst);

    ApplySourceTimes(src, dest, start);
    return true;
}

clsFileIO::SourceState clsFileIO::StateOf(HANDLE src) {
    SourceState state;
    FILETIME lastWrite{};
    DWORD sizeHigh = 0;
    const BOOL timed = GetFileTime(src, nullptr, nullptr, &lastWrite);
    CaptureLastError();
    const DWORD sizeLow = GetFileSize(src, &sizeHigh);
    CaptureLastError();
    state.lastWrite = TicksOf(lastWrite);
    state.size = static_cast<std::int64_t>((std::uint64_t{sizeHigh} << 32) | sizeLow);
    state.known = timed && (sizeLow != INVALID_FILE_SIZE || GetLastError() == ERROR_SUCCESS);
    return state;
}

bool clsFileIO::CopyBlocks(HANDLE src, HANDLE dst, std::int32_t blockSize, bool prog,
                           std::int64_t totalBytes) {
    const auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(blockSize));
    std::int64_t bytesProcessed = 0;
    m_Cancel = false;

    // What was written after the copy started is left for the next copy: a file that another
    // program keeps appending to is not chased to its end.
    while (bytesProcessed < totalBytes) {
        const auto asked =
            static_cast<DWORD>(std::min<std::int64_t>(blockSize, totalBytes - bytesProcessed));
        DWORD count = 0;
        const BOOL read = ReadFile(src, buffer.get(), asked, &count, nullptr);
        CaptureLastError();
        if (!read)
            return FailWithSystemText();
        if (count == 0)
            return true;

        DWORD written = 0;
        const BOOL wrote = WriteFile(dst, buffer.get(), count, &written, nullptr);
        CaptureLastError();
        if (!wrote)
            return FailWithSystemText();

        bytesProcessed += count;
        if (prog && CopyProgress)
            CopyProgress(bytesProcessed, totalBytes);
        if (m_Cancel) {
            m_ErrMsg = "Copy cancelled";
            return false;
        }
    }
    return true;
}

void clsFileIO::ApplySourceTimes(HANDLE src, const std::string& dest, const SourceState& start) {
    // A failure here leaves the copy with the times of its writing; the copy itself stands.
    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
    GetFileTime(src, &created, &accessed, &written);
    CaptureLastError();
    const SourceState end = StateOf(src);
    m_Changed =
        start.known && end.known && (end.lastWrite != start.lastWrite || end.size != start.size);
    HANDLE dst = nullptr;
    if (OpenExistingFileForWrite(dest, dst)) {
        if (m_Changed) {
            // A second before the source's time, so the two differ to the second now and after
            // any later write of the source, whatever the copy's own writing time would be.
            const std::uint64_t ticks =
                end.lastWrite > kTicksPerSecond ? end.lastWrite - kTicksPerSecond : 0;
            const FILETIME before{static_cast<DWORD>(ticks & 0xFFFFFFFFu),
                                  static_cast<DWORD>(ticks >> 32)};
            SetFileTime(dst, nullptr, nullptr, &before);
        } else {
            SetFileTime(dst, &created, &accessed, &written);
        }
        CaptureLastError();
        CloseFile(dst);
    }
    CloseFile(src);
}

bool clsFileIO::FailWithSystemText() {
    m_ErrMsg = GetSystemErrorText();
    return false;
}

bool clsFileIO::FailCopy(HANDLE src, HANDLE dst) {
    // The reason already stated is the one the caller needs, not a later closing's.
    const std::string reason = m_ErrMsg;
    if (src)
        CloseFile(src);
    if (dst)
        CloseFile(dst);
    m_ErrMsg = reason;
    return false;
}
