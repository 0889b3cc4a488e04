// The built Qt program itself, on the offscreen platform: a copy of its executable with a
// settings file beside it that has syncing on, so that its first cycle starts as it loads.
// The cycle is timed between two marker filesets, one before and one after the measured
// fileset: the copy of the first appears when the cycle starts, that of the last when it
// reaches its end. The program is then ended as a task manager would end it.
#pragma once

#include <string>

#include "bench/Runner.h"

class QtRunner : public Runner {
  public:
    // Copies `program` into `workDir`/qt.
    QtRunner(const fs::path& workDir, const fs::path& program);

    std::string Name() const override { return "brannock-qt"; }
    fs::path MirrorOf(const fs::path& source, const fs::path& destRoot) const override;
    SyncResult Run(const SyncJob& job) override;

  private:
    void WriteSettings(const SyncJob& job) const;

    fs::path exePath_;
    fs::path startMarker_, endMarker_;  // folders of one file each
};
