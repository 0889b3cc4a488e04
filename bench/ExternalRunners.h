// rsync and cp, started as child processes on the same trees as Brannock.
#pragma once

#include <string>
#include <vector>

#include "bench/Runner.h"

// True when `program --version` runs and succeeds.
bool ToolAvailable(const std::string& program);

// Lets the system write back what earlier runs left in its caches, so that one tool's
// write-back does not land in the next tool's time.
void FlushFileSystem();

// Runs `argv` as one measured run of a tool; a non-zero exit status is a RunFailure.
SyncResult RunTool(const std::vector<std::string>& argv);

// `rsync -a` (with `--delete` when the job deletes orphans): contents of source into destRoot.
class RsyncRunner : public Runner {
  public:
    std::string Name() const override { return "rsync"; }
    SyncResult Run(const SyncJob& job) override;
    static std::vector<std::string> Command(const SyncJob& job);
};

// `cp -a`: contents of source into destRoot, copying everything again when it is populated.
class CpRunner : public Runner {
  public:
    std::string Name() const override { return "cp"; }
    SyncResult Run(const SyncJob& job) override;
    static std::vector<std::string> Command(const SyncJob& job);
};
