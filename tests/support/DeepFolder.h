// Folders nested past the system's path limit, which neither the standard library nor a shell
// path can reach, made and removed through the program's own calls and descriptors.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/win32.h"
#include "tests/support/TempDir.h"

class DeepFolder {
  public:
    // Windows reaches such paths only through its own \\?\ prefix, which the program never
    // adds: the tests of deep paths skip there.
    static constexpr bool kReachable =
#ifdef _WIN32
        false;
#else
        true;
#endif

    // Folders of 200-character names below `start` (made if missing) until one more would pass
    // `length` characters. Everything in `root` goes with this object.
    DeepFolder(const TempDir& root, const std::string& start, std::size_t length)
        : root_(root.str()), path_(start) {
        CreateDirectoryA(start.c_str(), nullptr);
        while (path_.size() + 201 <= length) {
            path_ += "/" + std::string(200, 'd');
            EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << GetLastError();
        }
    }
    // The standard library's removal stops at the system's limit; rm walks by descriptors.
    ~DeepFolder() {
        std::system(("rm -rf '" + root_ + "'/*").c_str());
    }

    const std::string& path() const {
        return path_;
    }

    // Files at such depths, through the program's own calls.
    static void Write(const std::string& file, const std::string& content) {
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
        DWORD written = 0;
        EXPECT_TRUE(
            WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
        CloseHandle(h);
    }
    // -1 for a file that is missing.
    static std::int64_t SizeOf(const std::string& file) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)
                   ? std::int64_t{data.nFileSizeLow}
                   : -1;
    }

  private:
    std::string root_;
    std::string path_;
};
