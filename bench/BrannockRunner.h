// Brannock's own sync cycle, in process: a headless main window set up as the settings file
// would leave it with syncing on, one fileset and the Delete option as the job asks.
#pragma once

#include "bench/Runner.h"

class BrannockRunner : public Runner {
  public:
    // Keeps the settings file in `workDir`.
    explicit BrannockRunner(const fs::path& workDir);

    std::string Name() const override { return "brannock"; }
    // Brannock puts a source folder below the destination under its full path, the drive
    // letter (if any) becoming a folder: /tmp/x/src lands in <dest>/tmp/x/src.
    fs::path MirrorOf(const fs::path& source, const fs::path& destRoot) const override;
    SyncResult Run(const SyncJob& job) override;

  private:
    fs::path exePath_;
    fs::path iniPath_;
};
