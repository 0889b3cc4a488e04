#include <gtest/gtest.h>

#include <unistd.h>
#include <sstream>

#include "bench/BrannockRunner.h"
#include "bench/ExternalRunners.h"
#include "bench/Process.h"
#include "bench/TreeGen.h"
#include "tests/support/TempDir.h"

TEST(BenchProcess, MeasuresTheChildAndItsChildren) {
    // The busy loop runs in a grandchild: its CPU time must reach the measurement all the same.
    ProcessUsage busy = RunProcess(
        {"sh", "-c", "sh -c 'i=0; while [ $i -lt 100000 ]; do i=$((i+1)); done'; echo done"}, true);
    EXPECT_EQ(busy.exitStatus, 0);
    EXPECT_EQ(busy.output, "done\n");
    EXPECT_GT(busy.cpuSeconds, 0.02);
    EXPECT_GE(busy.wallSeconds, busy.cpuSeconds * 0.5);
    EXPECT_EQ(RunProcess({"sh", "-c", "exit 3"}).exitStatus, 3);
    EXPECT_EQ(RunProcess({"/no/such/program"}).exitStatus, 127);
    EXPECT_THROW(RunTool({"sh", "-c", "exit 1"}), RunFailure);
    EXPECT_GT(ProcessCpuSeconds(getpid()), 0.0);
    EXPECT_GT(PeakResidentKiB(getpid()), 100);
}

TEST(BenchProcess, CycleCommandCopiesAndCounts) {
    TempDir dir;
    TreeCensus census = GenerateSmallFileTree(dir.path() / "src", 20, 3, 9);
    fs::path dest = dir.path() / "dest";
    fs::create_directories(dest);
    std::string program = (dir.path() / "brannock").string();
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunCycleCommand({program, (dir.path() / "src").string(), dest.string(), "1"}), 0);
    std::istringstream printed(testing::internal::GetCapturedStdout());
    long copies = 0, peakKiB = 0;
    printed >> copies >> peakKiB;
    EXPECT_EQ(copies, 20);
    EXPECT_GT(peakKiB, 100);
    EXPECT_EQ(CensusOf(dest), census);
    EXPECT_EQ(RunCycleCommand({program}), 2);
    EXPECT_EQ(RunCycleCommand({program, "s", "d", "0", "fastest"}), 2);

    BrannockRunner failing(dir.path(), "/bin/false");
    EXPECT_THROW(failing.Run({dir.path() / "src", dest, false}), RunFailure);
}
