// Folders nested past the system's path limit, which neither the standard library nor a shell
// path can reach, made and removed through the program's own calls and descriptors.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fileio/PathText.h"
#include "platform/win32.h"
#include "tests/support/TempDir.h"
#include "tests/support/Wine.h"

class DeepFolder {
  public:
    // How long a path the tests may make: Windows' own limit, less where Wine stands on a host
    // whose paths end at 4,096 bytes with the prefix's folder before them.
    static std::size_t Reach() { return RunningUnderWine() ? 3000 : 32767; }

    // Folders of 200-character names below `start` (made if missing) until one more would pass
    // `length` characters (Reach() at most). Everything in `root` goes with this object.
    DeepFolder(const TempDir& root, const std::string& start, std::size_t length)
        : root_(root.str()), path_(start) {
        length = std::min(length, Reach());
        CreateDirectoryA(start.c_str(), nullptr);
        while (path_.size() + 201 <= length) {
            path_ += std::string(kSepText) + std::string(200, 'd');
            EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << GetLastError();
        }
    }
    const std::string& path() const { return path_; }

    ~DeepFolder() {
#ifdef _WIN32
        // The standard library's removal stops at MAX_PATH there.
        RemoveBelow(root_);
#else
        // The standard library's removal stops at the system's limit; rm walks by descriptors.
        std::system(("rm -rf '" + root_ + "'/*").c_str());
#endif
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
#ifdef _WIN32
    // Everything inside `folder`, through the program's own calls.
    static void RemoveBelow(const std::string& folder) {
        WIN32_FIND_DATAA entry{};
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::string name = entry.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveBelow(path);
                RemoveDirectoryA(path.c_str());
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
#endif

    std::string root_;
    std::string path_;
};
