// How many files the process holds open: a test compares the count before and after to find
// a handle left open.
#pragma once

#include <filesystem>
#include <iterator>
#include <system_error>

// The number of files the process holds open, or -1 where the system cannot tell.
inline int OpenDescriptors() {
#ifdef __linux__
    std::error_code ec;
    auto it = std::filesystem::directory_iterator("/proc/self/fd", ec);
    return ec ? -1 : static_cast<int>(std::distance(it, std::filesystem::directory_iterator()));
#else
    return -1;
#endif
}
