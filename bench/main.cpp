// make bench: Brannock's headless sync cycle against rsync -a and cp -a on generated trees.
// Prints one line per case, then a table against the targets. Exits 0 after measuring (also
// when a target is missed), 1 when a run gave a wrong result, 2 when it cannot run at all.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>

#include "bench/BenchConfig.h"
#include "bench/BrannockRunner.h"
#include "bench/CaseRunner.h"
#include "bench/ExternalRunners.h"
#include "bench/Timing.h"

namespace {

// A fresh folder in the system's temporary folder, removed with everything in it at the end.
class Workspace {
  public:
    Workspace() {
        std::random_device random;
        for (;;) {
            path_ = fs::temp_directory_path() / ("brannock-bench-" + std::to_string(random()));
            if (fs::create_directory(path_))
                return;
        }
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

SourceTree SmallTree(const fs::path& work, const BenchConfig& config) {
    std::fprintf(stderr, "generating %d files of 1-16 KiB in %d folders...\n", config.smallFiles,
                 config.folders);
    fs::path root = work / "small" / "src";
    TreeCensus census = GenerateSmallFileTree(root, config.smallFiles, config.folders, 1);
    return {"small", root, census, 200};
}

SourceTree LargeTree(const fs::path& work, const BenchConfig& config) {
    std::fprintf(stderr, "generating %d files of %lld MiB...\n", config.bigFiles,
                 static_cast<long long>(config.bigFileMiB));
    fs::path root = work / "large" / "src";
    TreeCensus census = GenerateLargeFileTree(root, config.bigFiles, config.bigFileMiB * kMiB, 2);
    return {"large", root, census, 1};
}

std::vector<BenchCase> Cases(const BenchConfig& config, const SourceTree& small,
                             const SourceTree& large) {
    std::string files = std::to_string(config.smallFiles) + " files of 1-16 KiB in " +
                        std::to_string(config.folders) + " folders";
    std::string big =
        std::to_string(config.bigFiles) + " files of " + std::to_string(config.bigFileMiB) + " MiB";
    return {
        {'a', files + ", cold copy", &small, false, false, Tool::Rsync, 1.2},
        {'b', files + ", rescan, up to date", &small, true, false, Tool::Rsync, 1.0},
        {'c', big + ", cold copy", &large, false, false, Tool::Cp, 1.5},
        {'d', files + ", rescan with Delete", &small, true, true, Tool::Rsync, 1.0},
    };
}

int RunBenchmark(const BenchConfig& config) {
    Workspace work;
    std::fprintf(stderr, "working in %s, %d run(s) per measurement\n", work.path().string().c_str(),
                 config.runs);
    SourceTree small, large;
    if (config.Runs('a') || config.Runs('b') || config.Runs('d'))
        small = SmallTree(work.path(), config);
    if (config.Runs('c'))
        large = LargeTree(work.path(), config);

    BrannockRunner brannock(work.path());
    RsyncRunner rsync;
    CpRunner cp;
    CaseRunner runner(work.path(), config.runs, {&brannock, &rsync, &cp});
    std::vector<CaseResult> results;
    for (const BenchCase& bench : Cases(config, small, large)) {
        if (!config.Runs(bench.id))
            continue;
        std::fprintf(stderr, "case %c: %s\n", bench.id, bench.description.c_str());
        results.push_back(runner.Run(bench));
        std::cout << BenchLine(results.back()) << std::endl;
    }
    std::cout << '\n' << SummaryTable(results) << std::flush;
    return 0;
}

}  // namespace

int main() {
    BenchConfig config;
    try {
        config = BenchConfig::FromEnvironment([](const char* name) { return std::getenv(name); });
    } catch (const std::invalid_argument& error) {
        std::cerr << "brannock_bench: " << error.what() << '\n';
        return 2;
    }
    for (const char* tool : {"rsync", "cp"}) {
        if (!ToolAvailable(tool)) {
            std::cerr << "brannock_bench: " << tool
                      << " is missing (scripts/install-deps.sh native installs it)\n";
            return 2;
        }
    }
    try {
        return RunBenchmark(config);
    } catch (const RunFailure& error) {
        std::cerr << "brannock_bench: failed run: " << error.what() << '\n';
    } catch (const WrongResult& error) {
        std::cerr << "brannock_bench: wrong result: " << error.what() << '\n';
    } catch (const std::exception& error) {
        std::cerr << "brannock_bench: " << error.what() << '\n';
    }
    return 1;
}
