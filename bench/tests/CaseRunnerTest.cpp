// The runs themselves: the processes measured, the runners' commands, and the checks that
// refuse a run whose mirror is wrong.
#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <tuple>

#include "bench/CaseRunner.h"
#include "bench/ExternalRunners.h"
#include "bench/Process.h"
#include "bench/TreeGen.h"
#include "tests/support/TempDir.h"

namespace {

// Mirrors with the standard library, optionally leaving one kind of fault behind.
class FakeRunner : public Runner {
  public:
    enum class Fault { None, DropFile, StaleTime, FailRun, WrongCopyCount };
    FakeRunner(std::string name, Fault fault) : name_(std::move(name)), fault_(fault) {}
    std::string Name() const override { return name_; }
    SyncResult Run(const SyncJob& job) override {
        if (fault_ == Fault::FailRun)
            throw RunFailure("exit status 23");
        const std::int64_t before = CensusOf(job.destRoot).files;
        fs::copy(job.source, job.destRoot,
                 fs::copy_options::recursive | fs::copy_options::skip_existing);
        for (const auto& entry : fs::recursive_directory_iterator(job.source))
            fs::last_write_time(job.destRoot / entry.path().lexically_relative(job.source),
                                fs::last_write_time(entry.path()));
        const long copies = static_cast<long>(CensusOf(job.destRoot).files - before);
        const fs::path first = job.destRoot / "dir1-0" / "file-00000.txt";
        if (fault_ == Fault::StaleTime)
            fs::last_write_time(first, fs::last_write_time(first) - std::chrono::hours(1));
        if (fault_ == Fault::DropFile)
            fs::remove(first);
        return {0.01, 0.02, 100, fault_ == Fault::WrongCopyCount ? copies + 1 : copies};
    }

  private:
    std::string name_;
    Fault fault_;
};

class BenchCaseRunner : public ::testing::Test {
  protected:
    CaseResult RunWith(FakeRunner::Fault fault, bool rescan,
                       std::vector<Tool> tools = {Tool::Brannock, Tool::Rsync, Tool::Cp}) {
        FakeRunner one("one", FakeRunner::Fault::None), two("two", FakeRunner::Fault::None);
        FakeRunner odd("odd", fault);
        CaseRunner runner(dir.path(), 2,
                          {{Tool::Brannock, &one}, {Tool::Rsync, &two}, {Tool::Cp, &odd}}, false);
        return runner.Run({'a', "test", &tree, rescan, false, Tool::Rsync, 1.0, 0.0, tools});
    }
    TempDir dir;
    SourceTree tree{"small", dir.path() / "src",
                    GenerateSmallFileTree(dir.path() / "src", 60, 10, 5)};
};

}  // namespace

TEST_F(BenchCaseRunner, ReportsFiguresOfCorrectRunsAndRefusesWrongOrFailedOnes) {
    const Figures cp = RunWith(FakeRunner::Fault::None, false).tools.at(Tool::Cp);
    EXPECT_EQ(std::tuple(cp.medianWall, cp.medianCpu, cp.peakKiB), std::tuple(0.01, 0.02, 100));
    // Only the case's tools run, the first being the one judged.
    CaseResult rescan = RunWith(FakeRunner::Fault::None, true, {Tool::Rsync, Tool::Brannock});
    EXPECT_EQ(std::tuple(rescan.tools.size(), rescan.subject), std::tuple(2u, Tool::Rsync));
    using enum FakeRunner::Fault;
    for (FakeRunner::Fault wrong : {DropFile, StaleTime, WrongCopyCount})
        EXPECT_THROW(RunWith(wrong, false), WrongResult) << static_cast<int>(wrong);
    EXPECT_THROW(RunWith(FailRun, false), RunFailure);
}

// rsync deletes orphans when Brannock does, and only then: else the two do unequal work.
TEST(BenchRunners, RsyncDeletesOnlyWhenAsked) {
    EXPECT_EQ(RsyncRunner::Command({"/s", "/d", true}),
              (std::vector<std::string>{"rsync", "-a", "--delete", "--", "/s/", "/d/"}));
    EXPECT_EQ(RsyncRunner::Command({"/s", "/d", false}),
              (std::vector<std::string>{"rsync", "-a", "--", "/s/", "/d/"}));
}

TEST(BenchProcess, MeasuresTheChildAndItsChildren) {
    // The busy loop runs in a grandchild: its CPU time must reach the measurement all the same.
    ProcessUsage busy = RunProcess(
        {"sh", "-c", "sh -c 'i=0; while [ $i -lt 100000 ]; do i=$((i+1)); done'; echo done"}, true);
    EXPECT_EQ(std::tuple(busy.exitStatus, busy.output), std::tuple(0, "done\n"));
    EXPECT_GT(busy.cpuSeconds, 0.02);
    EXPECT_GE(busy.wallSeconds, busy.cpuSeconds * 0.5);
    EXPECT_GT(ProcessCpuSeconds(getpid()), 0.0);
    EXPECT_GT(PeakResidentKiB(getpid()), 100);
}
