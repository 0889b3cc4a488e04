#include "bench/CaseRunner.h"

#include <cstdio>

#include "bench/ExternalRunners.h"
#include "bench/Timing.h"

namespace {

// Trees of at most this many files lose their cold copies right after each run.
constexpr std::int64_t kFilesRemovedAtOnce = 1000;

std::string CensusText(const TreeCensus& census) {
    return std::to_string(census.files) + " files, " + std::to_string(census.bytes) + " bytes";
}

}  // namespace

CaseRunner::CaseRunner(fs::path workDir, int runs, std::map<Tool, Runner*> runners, bool flush)
    : workDir_(std::move(workDir)), runs_(runs), runners_(std::move(runners)), flush_(flush) {}

fs::path CaseRunner::DestRoot(const BenchCase& bench, const Runner& runner, int run) const {
    std::string name = "dest-" + bench.tree->name + "-" + runner.Name();
    if (run >= 0)
        name += "-run" + std::to_string(run + 1);
    return workDir_ / name;
}

CaseResult CaseRunner::Run(const BenchCase& bench) {
    std::vector<Runner*> runners;
    for (Tool tool : bench.tools)
        runners.push_back(runners_.at(tool));
    if (bench.rescan) {
        // Brings each destination up to date first; how much it copies depends on the cases
        // that ran before.
        for (Runner* runner : runners) {
            fs::create_directories(DestRoot(bench, *runner));
            TimedRun(*runner, bench, DestRoot(bench, *runner), false);
        }
    }
    std::vector<fs::path> spent;
    std::vector<std::vector<RunSample>> samples(runners.size());
    for (int run = 0; run < runs_; ++run) {
        // Rotating the order keeps a tool from always following the same one.
        for (std::size_t k = 0; k < runners.size(); ++k) {
            std::size_t tool = (static_cast<std::size_t>(run) + k) % runners.size();
            samples[tool].push_back(RunOnce(*runners[tool], bench, run, spent));
        }
    }
    for (const fs::path& destRoot : spent)
        fs::remove_all(destRoot);
    CaseResult result{bench.id,    bench.description,   {}, bench.tools.front(), bench.target,
                      bench.limit, bench.memoryLimitMiB};
    for (std::size_t k = 0; k < runners.size(); ++k)
        result.tools[bench.tools[k]] = FiguresOf(samples[k]);
    return result;
}

RunSample CaseRunner::RunOnce(Runner& runner, const BenchCase& bench, int run,
                              std::vector<fs::path>& spent) {
    fs::path destRoot = bench.rescan ? DestRoot(bench, runner) : DestRoot(bench, runner, run);
    if (!bench.rescan) {
        fs::remove_all(destRoot);
        fs::create_directories(destRoot);
    }
    SyncResult result = TimedRun(runner, bench, destRoot, true);
    std::fprintf(stderr, "  case %c run %d/%d: %-11s %.3f s wall, %.3f s cpu", bench.id, run + 1,
                 runs_, runner.Name().c_str(), result.seconds, result.cpuSeconds);
    if (result.peakKiB > 0)
        std::fprintf(stderr, ", %.1f MiB", static_cast<double>(result.peakKiB) / 1024.0);
    std::fputc('\n', stderr);
    if (!bench.rescan) {
        // A file system slows down creating files while it holds many recently deleted ones
        // (ext4 skips their inodes one by one), so no cold run may follow the deletion of a
        // many-file destination: those wait until the case ends.
        if (bench.tree->census.files <= kFilesRemovedAtOnce) {
            fs::remove_all(destRoot);
        } else {
            spent.push_back(destRoot);
        }
    }
    return {result.seconds, result.cpuSeconds, result.peakKiB};
}

SyncResult CaseRunner::TimedRun(Runner& runner, const BenchCase& bench, const fs::path& destRoot,
                                bool checkCopies) {
    SyncJob job{bench.tree->root, destRoot, bench.deleteOrphans};
    if (flush_)
        FlushFileSystem();
    SyncResult result;
    try {
        result = runner.Run(job);
    } catch (const RunFailure& failure) {
        throw RunFailure(runner.Name() + ", case " + bench.id + ": " + failure.what());
    }
    Verify(runner, bench, job, result, checkCopies);
    return result;
}

void CaseRunner::Verify(Runner& runner, const BenchCase& bench, const SyncJob& job,
                        const SyncResult& result, bool checkCopies) const {
    std::string where = runner.Name() + ", case " + bench.id + ": ";
    // The copies of the source only: beside them a runner may keep files of its own (the
    // program's mark of its mirror).
    fs::path mirror = runner.MirrorOf(job.source, job.destRoot);
    TreeCensus copy = CensusOf(mirror);
    if (copy != bench.tree->census) {
        throw WrongResult(where + "the destination holds " + CensusText(copy) + ", the source " +
                          CensusText(bench.tree->census));
    }
    std::string difference = CompareSample(job.source, mirror, bench.tree->sampleEvery);
    if (!difference.empty())
        throw WrongResult(where + difference);
    if (checkCopies && result.copies >= 0) {
        long expected = bench.rescan ? 0 : static_cast<long>(bench.tree->census.files);
        if (result.copies != expected) {
            throw WrongResult(where + "copied " + std::to_string(result.copies) +
                              " files, expected " + std::to_string(expected));
        }
    }
}
