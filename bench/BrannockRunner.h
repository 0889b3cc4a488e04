// Brannock's own sync cycle, headless: a main window set up as the settings file would leave
// it with syncing on, one fileset and the Delete option as the job asks. Each cycle runs in a
// fresh process of the benchmark's own program, so that its CPU time and peak memory are the
// cycle's alone.
#pragma once

#include <string>
#include <vector>

#include "bench/Runner.h"

// The argument that makes the benchmark's program run one cycle and exit.
inline constexpr const char* kCycleArgument = "--cycle";

// Brannock puts a source folder below the destination under its full path, the drive letter
// (if any) becoming a folder: /tmp/x/src lands in <dest>/tmp/x/src.
fs::path BrannockMirrorOf(const fs::path& source, const fs::path& destRoot);

class BrannockRunner : public Runner {
  public:
    // Keeps the settings file in `workDir`; `benchProgram` is the benchmark's own executable.
    // `programPriority` runs the cycle at the priority the program gives itself as it starts,
    // for comparisons with the program. Like the program, the cycle writes its activity log
    // beside the settings file; `activityLog` false leaves it off, to measure what it costs.
    BrannockRunner(const fs::path& workDir, fs::path benchProgram, bool programPriority = false,
                   bool activityLog = true);

    std::string Name() const override { return activityLog_ ? "brannock" : "brannock-nolog"; }
    fs::path MirrorOf(const fs::path& source, const fs::path& destRoot) const override {
        return BrannockMirrorOf(source, destRoot);
    }
    SyncResult Run(const SyncJob& job) override;

  private:
    fs::path benchProgram_;
    fs::path exePath_;
    bool programPriority_;
    bool activityLog_;
};

// The child's side: `args` are the settings program path, source, destination, "0" or "1"
// for the Delete option ("keep" for Delete with KeepDeleted) and, optionally, "lowest" for the
// program's own priority and "nolog" for no activity log. Prints the number of files copied and
// the process's peak resident memory in KiB; returns the exit status.
int RunCycleCommand(const std::vector<std::string>& args);
