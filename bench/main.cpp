// make bench: Brannock's headless sync cycle against rsync -a and cp -a on generated trees, and
// the Qt program against the headless cycle. Prints one line per case, then a table against
// the targets. Exits 0 after measuring (also
// when a target is missed), 1 when a run gave a wrong result, 2 when it cannot run at all.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <random>

#include "bench/BenchConfig.h"
#include "bench/BrannockRunner.h"
#include "bench/CaseRunner.h"
#include "bench/ExternalRunners.h"
#include "bench/QtRunner.h"

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

SourceTree SmallFileTree(const fs::path& work, const char* name, int files, int folders) {
    std::fprintf(stderr, "generating %d files of 1-16 KiB in %d folders...\n", files, folders);
    fs::path root = work / name / "src";
    TreeCensus census = GenerateSmallFileTree(root, files, folders, 1);
    return {name, root, census, 200};
}

SourceTree LargeTree(const fs::path& work, const BenchConfig& config) {
    std::fprintf(stderr, "generating %d files of %lld MiB...\n", config.bigFiles,
                 static_cast<long long>(config.bigFileMiB));
    fs::path root = work / "large" / "src";
    TreeCensus census = GenerateLargeFileTree(root, config.bigFiles, config.bigFileMiB * kMiB, 2);
    return {"large", root, census, 1};
}

struct Trees {
    SourceTree small, large, scale;
};

std::vector<BenchCase> Cases(const BenchConfig& config, const Trees& trees) {
    auto filesIn = [](int files, int folders) {
        return std::to_string(files) + " files of 1-16 KiB in " + std::to_string(folders) +
               " folders";
    };
    std::string small = filesIn(config.smallFiles, config.folders);
    std::string scale = filesIn(config.scaleFiles, config.scaleFolders);
    std::string big =
        std::to_string(config.bigFiles) + " files of " + std::to_string(config.bigFileMiB) + " MiB";
    const std::vector<Tool> againstRsync = {Tool::Brannock, Tool::Rsync};
    const std::vector<Tool> qtAgainstHeadless = {Tool::BrannockQt, Tool::Brannock};
    constexpr double kMemoryLimitMiB = 64.0;
    return {
        // Case a also runs the cycle without its activity log: the log's cost.
        {'a',
         small + ", cold copy",
         &trees.small,
         false,
         false,
         Tool::Rsync,
         1.1,
         0.0,
         {Tool::Brannock, Tool::Rsync, Tool::Cp, Tool::BrannockNoLog}},
        {'b', small + ", rescan, up to date", &trees.small, true, false, Tool::Rsync, 0.9},
        {'c', big + ", cold copy", &trees.large, false, false, Tool::Cp, 1.3},
        {'d', small + ", rescan with Delete", &trees.small, true, true, Tool::Rsync, 0.9},
        {'e', scale + ", rescan with Delete", &trees.scale, true, true, Tool::Rsync, 0.9,
         kMemoryLimitMiB, againstRsync},
        {'f', scale + ", cold copy", &trees.scale, false, false, Tool::Rsync, 1.1, kMemoryLimitMiB,
         againstRsync},
        {'g', "case b by the Qt program", &trees.small, true, false, Tool::Brannock, 1.15, 0.0,
         qtAgainstHeadless},
    };
}

Trees MakeTrees(const fs::path& work, const BenchConfig& config) {
    Trees trees;
    if (config.Runs('a') || config.Runs('b') || config.Runs('d') || config.Runs('g'))
        trees.small = SmallFileTree(work, "small", config.smallFiles, config.folders);
    if (config.Runs('c'))
        trees.large = LargeTree(work, config);
    if (config.Runs('e') || config.Runs('f'))
        trees.scale = SmallFileTree(work, "scale", config.scaleFiles, config.scaleFolders);
    return trees;
}

// Case g needs the built Qt program; without it the case is left out.
BenchConfig WithoutMissingQt(BenchConfig config) {
    if (config.Runs('g') && (config.qtProgram.empty() || !fs::exists(config.qtProgram))) {
        std::fprintf(stderr, "no Qt program built (%s): case g left out\n",
                     config.qtProgram.empty() ? "none configured" : config.qtProgram.c_str());
        config.cases.erase(config.cases.find('g'), 1);
    }
    return config;
}

int RunBenchmark(const BenchConfig& wanted) {
    BenchConfig config = WithoutMissingQt(wanted);
    Workspace work;
    std::fprintf(stderr, "working in %s, %d run(s) per measurement\n", work.path().string().c_str(),
                 config.runs);
    Trees trees = MakeTrees(work.path(), config);

    BrannockRunner brannock(work.path(), fs::read_symlink("/proc/self/exe"));
    BrannockRunner brannockNoLog(work.path(), fs::read_symlink("/proc/self/exe"), false, false);
    RsyncRunner rsync;
    CpRunner cp;
    std::map<Tool, Runner*> runners = {{Tool::Brannock, &brannock},
                                       {Tool::BrannockNoLog, &brannockNoLog},
                                       {Tool::Rsync, &rsync},
                                       {Tool::Cp, &cp}};
    std::unique_ptr<QtRunner> qt;
    if (config.Runs('g')) {
        qt = std::make_unique<QtRunner>(work.path(), config.qtProgram);
        runners[Tool::BrannockQt] = qt.get();
    }
    CaseRunner runner(work.path(), config.runs, runners);
    // The Qt program runs at the priority it gives itself; the headless cycle it is set
    // against runs there too.
    BrannockRunner brannockAsProgram(work.path(), fs::read_symlink("/proc/self/exe"), true);
    runners[Tool::Brannock] = &brannockAsProgram;
    CaseRunner programRunner(work.path(), config.runs, runners);
    std::vector<CaseResult> results;
    for (const BenchCase& bench : Cases(config, trees)) {
        if (!config.Runs(bench.id))
            continue;
        std::fprintf(stderr, "case %c: %s\n", bench.id, bench.description.c_str());
        CaseRunner& caseRunner = bench.subject() == Tool::BrannockQt ? programRunner : runner;
        results.push_back(caseRunner.Run(bench));
        std::cout << BenchLine(results.back()) << std::endl;
        if (const std::string cost = LogCostLine(results.back()); !cost.empty())
            std::cout << cost << std::endl;
    }
    std::cout << '\n' << SummaryTable(results) << std::flush;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == kCycleArgument)
        return RunCycleCommand(std::vector<std::string>(argv + 2, argv + argc));
    BenchConfig config;
    try {
        config = BenchConfig::FromEnvironment([](const char* name) { return std::getenv(name); });
        if (config.qtProgram.empty())
            config.qtProgram = BRANNOCK_BENCH_QT_PROGRAM;
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
