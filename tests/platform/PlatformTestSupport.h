// Helpers shared by the platform tests: a fresh folder per test, and plain-text views of what
// the Win32 calls return.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "platform/win32.h"
#include "tests/support/FileTimes.h"
#include "tests/support/SmallVolume.h"
#include "tests/support/TempDir.h"
// Wine departs from Windows where a test says so: read-only files for root, "*.", file times.
#include "tests/support/Wine.h"

using Names = std::set<std::string>;

class PlatformTest : public ::testing::Test {
  protected:
    // Joined as text: names may be UTF-8 whatever code page std::filesystem assumes.
    std::string Path(const std::string& name) const { return dir.str() + kSep + name; }

    TempDir dir;
};

// Every name that an enumeration of `pattern` yields; `error` receives the last error that
// ended it (ERROR_NO_MORE_FILES after a full enumeration).
inline Names FoundNames(const std::string& pattern, DWORD* error = nullptr) {
    Names names;
    WIN32_FIND_DATAA data{};
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &data))
        names.insert(data.cFileName);
    if (error)
        *error = GetLastError();
    FindClose(h);  // refused when nothing was found, and only after the error was taken
    return names;
}

inline std::uint64_t Ticks(const FILETIME& t) {
    return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
}

inline HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       disposition, 0, nullptr);
}

// Bytes that differ from one offset to the next, so a block out of place shows.
inline std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 4093) & 0xFF);
    return data;
}

// Writes `data` from `offset` up to `until` (the end by default) in blocks of `block` bytes, the
// last one possibly shorter; returns where the writes stopped.
inline std::size_t WriteBlocks(HANDLE h, const std::string& data, std::size_t offset = 0,
                               std::size_t block = 10000, std::size_t until = std::string::npos) {
    for (until = std::min(until, data.size()); offset < until;) {
        const auto size = static_cast<DWORD>(std::min(block, until - offset));
        DWORD written = 0;
        if (!WriteFile(h, data.data() + offset, size, &written, nullptr) || written != size) {
            ADD_FAILURE() << "a block of " << size << " at " << offset << " was not written";
            break;
        }
        offset += size;
    }
    return offset;
}

// A call's outcome as one text, so that result and error compare in one check: "ok", or the
// error it left. A handle that opened is closed.
inline std::string Failed(DWORD code) {
    return "error " + std::to_string(code);
}
inline std::string Outcome(BOOL ok) {
    return ok ? "ok" : Failed(GetLastError());
}
inline std::string Outcome(HANDLE h) {
    return h != INVALID_HANDLE_VALUE && CloseHandle(h) ? "ok" : Failed(GetLastError());
}

// The one-line text that the program shows for `code`.
inline std::string SystemText(DWORD code) {
    SetLastError(code);
    CaptureLastError();
    return GetSystemErrorText();
}
