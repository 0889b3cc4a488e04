// One tool that mirrors a source folder into a destination folder, measured around its own
// work only: preparing the run and checking its result are left to the caller.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

struct SyncJob {
    fs::path source;
    fs::path destRoot;
    bool deleteOrphans = false;  // remove destination files whose source is gone
};

struct SyncResult {
    double seconds = 0.0;     // wall time
    double cpuSeconds = 0.0;  // user + system time of every process of the tool
    long peakKiB = 0;         // the largest resident set among those processes
    long copies = -1;         // files the tool copied, -1 when it does not tell
};

// A run that did not do its job (a failed cycle, a tool's non-zero exit status).
class RunFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Runner {
  public:
    virtual ~Runner() = default;
    virtual std::string Name() const = 0;
    // The folder below `destRoot` that holds the copy of `source` once the tool has run.
    virtual fs::path MirrorOf(const fs::path& /*source*/, const fs::path& destRoot) const {
        return destRoot;
    }
    virtual SyncResult Run(const SyncJob& job) = 0;
};
