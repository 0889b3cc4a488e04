// Test support: a fresh temporary folder per test, and small file helpers that use only the
// standard library, so tests run unchanged on both platforms.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder's path as the program's narrow text, with a sub-path joined on.
    std::string str(const std::string& sub = {}) const;

  private:
    std::filesystem::path path_;
};

// Writes `content` to `file`, creating its folders.
void WriteFile(const std::filesystem::path& file, const std::string& content);
// `size` bytes of a repeating pattern.
void WriteFileOfSize(const std::filesystem::path& file, std::int64_t size);
std::string ReadFileText(const std::filesystem::path& file);
// Sets a file's last-write time to `secondsSinceEpoch` (UTC) plus `nanos`.
void SetWriteTime(const std::filesystem::path& file, std::int64_t secondsSinceEpoch,
                  std::int64_t nanos = 0);
std::int64_t WriteTimeSeconds(const std::filesystem::path& file);
// The path as the program's narrow text.
std::string Narrow(const std::filesystem::path& p);
// True when the tests run with administrator rights (root): chattr and mount work then.
bool RunningAsRoot();
