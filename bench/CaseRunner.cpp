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

CaseRunner::CaseRunner(fs::path workDir, int runs, std::vector<Runner*> runners, bool flush)
    : workDir_(std::move(workDir)), runs_(runs), runners_(std::move(runners)), flush_(flush) {}

fs::path CaseRunner::DestRoot(const CaseSpec& spec, const Runner& runner, int run) const {
    std::string name = "dest-" + spec.tree->name + "-" + runner.Name();
    if (run >= 0)
        name += "-run" + std::to_string(run + 1);
    return workDir_ / name;
}

CaseResult CaseRunner::Run(const CaseSpec& spec) {
    if (spec.rescan) {
        // Brings each destination up to date first; how much it copies depends on the cases
        // that ran before.
        for (Runner* runner : runners_) {
            fs::create_directories(DestRoot(spec, *runner));
            TimedRun(*runner, spec, DestRoot(spec, *runner), false);
        }
    }
    std::vector<fs::path> spent;
    std::vector<std::vector<double>> samples(runners_.size());
    for (int run = 0; run < runs_; ++run) {
        // Rotating the order keeps a tool from always following the same one.
        for (std::size_t k = 0; k < runners_.size(); ++k) {
            std::size_t tool = (static_cast<std::size_t>(run) + k) % runners_.size();
            samples[tool].push_back(RunOnce(*runners_[tool], spec, run, spent));
        }
    }
    for (const fs::path& destRoot : spent)
        fs::remove_all(destRoot);
    return CaseResult{
        spec.id,     spec.description, Median(samples[0]), Median(samples[1]), Median(samples[2]),
        spec.target, spec.limit};
}

double CaseRunner::RunOnce(Runner& runner, const CaseSpec& spec, int run,
                           std::vector<fs::path>& spent) {
    fs::path destRoot = spec.rescan ? DestRoot(spec, runner) : DestRoot(spec, runner, run);
    if (!spec.rescan) {
        fs::remove_all(destRoot);
        fs::create_directories(destRoot);
    }
    double seconds = TimedRun(runner, spec, destRoot, true);
    std::fprintf(stderr, "  case %c run %d/%d: %-8s %.3f s\n", spec.id, run + 1, runs_,
                 runner.Name().c_str(), seconds);
    if (!spec.rescan) {
        // A file system slows down creating files while it holds many recently deleted ones
        // (ext4 skips their inodes one by one), so no cold run may follow the deletion of a
        // many-file destination: those wait until the case ends.
        if (spec.tree->census.files <= kFilesRemovedAtOnce) {
            fs::remove_all(destRoot);
        } else {
            spent.push_back(destRoot);
        }
    }
    return seconds;
}

double CaseRunner::TimedRun(Runner& runner, const CaseSpec& spec, const fs::path& destRoot,
                            bool checkCopies) {
    SyncJob job{spec.tree->root, destRoot, spec.deleteOrphans};
    if (flush_)
        FlushFileSystem();
    SyncResult result;
    try {
        result = runner.Run(job);
    } catch (const RunFailure& failure) {
        throw RunFailure(runner.Name() + ", case " + spec.id + ": " + failure.what());
    }
    Verify(runner, spec, job, result, checkCopies);
    return result.seconds;
}

void CaseRunner::Verify(Runner& runner, const CaseSpec& spec, const SyncJob& job,
                        const SyncResult& result, bool checkCopies) const {
    std::string where = runner.Name() + ", case " + spec.id + ": ";
    TreeCensus copy = CensusOf(job.destRoot);
    if (copy != spec.tree->census) {
        throw WrongResult(where + "the destination holds " + CensusText(copy) + ", the source " +
                          CensusText(spec.tree->census));
    }
    fs::path mirror = runner.MirrorOf(job.source, job.destRoot);
    std::string difference = CompareSample(job.source, mirror, spec.tree->sampleEvery);
    if (!difference.empty())
        throw WrongResult(where + difference);
    if (checkCopies && result.copies >= 0) {
        long expected = spec.rescan ? 0 : static_cast<long>(spec.tree->census.files);
        if (result.copies != expected) {
            throw WrongResult(where + "copied " + std::to_string(result.copies) +
                              " files, expected " + std::to_string(expected));
        }
    }
}
