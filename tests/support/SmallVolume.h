// A real full disk for tests: a 1 MiB memory file system mounted on a fresh folder, and
// unmounted again however the test ends. Only root may mount; elsewhere Mounted() is false and
// the test skips itself.
#pragma once

#include <filesystem>
#include <string>

class SmallVolume {
  public:
    explicit SmallVolume(const std::filesystem::path& mountPoint);
    ~SmallVolume();
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    bool Mounted() const { return why_.empty(); }
    // Why the volume could not be mounted, for the skip message.
    const std::string& Why() const { return why_; }
    const std::filesystem::path& path() const { return mountPoint_; }

  private:
    std::filesystem::path mountPoint_;
    std::string why_;
};
