// File times as the Win32 calls give and take them, made from POSIX times.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// The FILETIME ticks (100 ns since 1601) of a POSIX time.
inline std::uint64_t TicksOf(std::int64_t secondsSinceEpoch, std::int64_t nanos = 0) {
    return static_cast<std::uint64_t>(secondsSinceEpoch + 11644473600LL) * 10000000ull +
           static_cast<std::uint64_t>(nanos / 100);
}

inline FILETIME FileTimeOf(std::uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}
