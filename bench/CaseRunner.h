// Runs one benchmark case: every tool on the same tree, the runs interleaved so that all tools
// meet the same state of the machine, each run checked before its time counts.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/Report.h"
#include "bench/Runner.h"
#include "bench/TreeGen.h"

// A generated source tree and what a complete copy of it holds.
struct SourceTree {
    std::string name;  // names the destination folders of the tree's copies
    fs::path root;
    TreeCensus census;
    int sampleEvery = 1;  // every how many files a copy is compared in full
};

struct BenchCase {
    char id = '?';
    std::string description;
    const SourceTree* tree = nullptr;
    bool rescan = false;  // false: each run starts from an empty destination
    bool deleteOrphans = false;
    Tool target = Tool::Rsync;
    double limit = 1.0;
    double memoryLimitMiB = 0.0;                                        // 0: no memory target
    std::vector<Tool> tools = {Tool::Brannock, Tool::Rsync, Tool::Cp};  // the subject first
    Tool subject() const { return tools.front(); }
};

// A run that reported success but left a wrong destination.
class WrongResult : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class CaseRunner {
  public:
    // `runners` holds a runner for every tool of the cases run. `flush` writes back the
    // system's caches before every timed run.
    CaseRunner(fs::path workDir, int runs, std::map<Tool, Runner*> runners, bool flush = true);

    CaseResult Run(const BenchCase& bench);

  private:
    // The destination of a tool's rescans; each cold run gets a fresh one, numbered by `run`.
    fs::path DestRoot(const BenchCase& bench, const Runner& runner, int run = -1) const;
    // One measured run; a cold run's many-file destination is added to `spent` for removal
    // when the case ends.
    RunSample RunOnce(Runner& runner, const BenchCase& bench, int run,
                      std::vector<fs::path>& spent);
    // Runs the tool once into `destRoot` (readied beforehand) and checks its result.
    SyncResult TimedRun(Runner& runner, const BenchCase& bench, const fs::path& destRoot,
                        bool checkCopies);
    void Verify(Runner& runner, const BenchCase& bench, const SyncJob& job,
                const SyncResult& result, bool checkCopies) const;

    fs::path workDir_;
    int runs_;
    std::map<Tool, Runner*> runners_;
    bool flush_;
};
