#include "tests/support/SmallVolume.h"

#include <cstdlib>

#include "tests/support/TempDir.h"

SmallVolume::SmallVolume(const std::filesystem::path& mountPoint) : mountPoint_(mountPoint) {
    if (!RunningAsRoot()) {  // never on Windows, which has no memory file systems
        why_ = "mounting needs root";
        return;
    }
    std::filesystem::create_directories(mountPoint_);
    const std::string cmd =
        "mount -t tmpfs -o size=1m tmpfs '" + Narrow(mountPoint_) + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0)
        why_ = "cannot mount a tmpfs";
}

SmallVolume::~SmallVolume() {
    if (!Mounted())
        return;
    // Lazily, so a file still open in a failed test cannot keep the volume mounted.
    const std::string cmd = "umount -l '" + Narrow(mountPoint_) + "'";
    [[maybe_unused]] const int status = std::system(cmd.c_str());
}
