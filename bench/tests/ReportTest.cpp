#include <gtest/gtest.h>

#include "bench/Report.h"
#include "bench/Timing.h"

#include <map>
#include <string>
#include <tuple>

namespace {

CaseResult Result(char id, Tool target, double limit, std::map<Tool, Figures> tools) {
    return {id, "case " + std::string(1, id), std::move(tools), Tool::Brannock, target, limit};
}

}  // namespace

TEST(BenchReport, FiguresAreMedianFastestAndLargestOfAnyCount) {
    Figures f = FiguresOf({{3.0, 1.0, 100}, {1.0, 2.0, 300}, {2.0, 4.0, 200}});
    EXPECT_EQ(std::tuple(f.medianWall, f.minWall, f.medianCpu, f.peakKiB),
              std::tuple(2.0, 1.0, 2.0, 300));
    EXPECT_DOUBLE_EQ(Median({4.0, 1.0, 3.0, 2.0}), 2.5);
}

// The log's cost compares the program's cycle with and without its log, when both ran.
TEST(BenchReport, LinesHaveTheFixedForm) {
    CaseResult a = Result('a', Tool::Cp, 1.1,
                          {{Tool::Brannock, {1.23456, 1.0, 0.55, 1}},
                           {Tool::BrannockNoLog, {1.2, 1.1, 0.5, 1}},
                           {Tool::Rsync, {1.0, 0.9, 0.5, 1}},
                           {Tool::Cp, {0.5, 0.4, 0.3, 1}}});
    EXPECT_EQ(BenchLine(a),
              "bench a: brannock 1.235 s, brannock-nolog 1.200 s, rsync 1.000 s, cp 0.500 s, "
              "ratio-vs-rsync 1.23, ratio-vs-cp 2.47, cpu-ratio-vs-cp 1.83");
    EXPECT_EQ(LogCostLine(a),
              "activity log in case a: +2.9% wall, +10.0% cpu (median wall 1.235 s with it, "
              "1.200 s without; median cpu 0.550 s, 0.500 s)");
    a.tools.erase(Tool::BrannockNoLog);
    EXPECT_EQ(LogCostLine(a), "");
}

// The subject judged is the case's own, here the Qt program.
TEST(BenchReport, TargetNeedsWallCpuAndMemory) {
    CaseResult e = Result('e', Tool::Rsync, 0.9,
                          {{Tool::Brannock, {9.0, 9.0, 9.0, 1}},
                           {Tool::BrannockQt, {0.9, 0.8, 0.5, 64 * 1024}},
                           {Tool::Rsync, {1.0, 0.9, 1.0, 1}}});
    e.subject = Tool::BrannockQt;
    e.memoryLimitMiB = 64;
    EXPECT_TRUE(MeetsTarget(e));
    std::string table = SummaryTable({e});
    for (const char* text : {"0.90x", "0.50x", "64.0 MiB", "PASS"})
        EXPECT_NE(table.find(text), std::string::npos) << text;

    e.tools[Tool::BrannockQt].peakKiB = 64 * 1024 + 200;  // printed as 64.2 MiB
    EXPECT_FALSE(MeetsTarget(e));
    e.tools[Tool::BrannockQt].peakKiB = 1;
    e.tools[Tool::BrannockQt].medianCpu = 0.906;  // printed as 0.91x
    EXPECT_FALSE(MeetsTarget(e));
    EXPECT_NE(SummaryTable({e}).find("MISS"), std::string::npos);
    e.tools[Tool::BrannockQt].medianCpu = 0.904;  // printed as 0.90x
    EXPECT_TRUE(MeetsTarget(e));
    e.tools[Tool::Rsync].medianWall = 0.0;  // a tool that took no measurable time cannot be beaten
    EXPECT_FALSE(MeetsTarget(e));
    e.tools.erase(Tool::Rsync);  // nor one that did not run
    EXPECT_FALSE(MeetsTarget(e));
}
