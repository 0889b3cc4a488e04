#include <gtest/gtest.h>

#include "bench/BenchConfig.h"
#include "bench/Report.h"
#include "bench/Timing.h"

#include <map>
#include <string>

TEST(BenchMedian, OddEvenAndEmpty) {
    EXPECT_DOUBLE_EQ(Median({3.0, 1.0, 2.0, 10.0, 0.5}), 2.0);
    EXPECT_DOUBLE_EQ(Median({4.0, 1.0, 3.0, 2.0}), 2.5);
    EXPECT_DOUBLE_EQ(Median({7.0}), 7.0);
    EXPECT_DOUBLE_EQ(Median({}), 0.0);
}

TEST(BenchReport, LineHasTheFixedForm) {
    CaseResult r{'a', "ignored in the line", 1.23456, 1.0, 0.5, Tool::Rsync, 1.2};
    EXPECT_EQ(BenchLine(r),
              "bench a: brannock 1.235 s, rsync 1.000 s, cp 0.500 s, ratio-vs-rsync 1.23");
}

TEST(BenchReport, TableJudgesAgainstTheTargetTool) {
    // Case c is measured against cp: twice rsync's time but within 1.5x cp's.
    CaseResult c{'c', "large files, cold copy", 3.0, 1.5, 2.0, Tool::Cp, 1.5};
    EXPECT_DOUBLE_EQ(RatioVsRsync(c), 2.0);
    EXPECT_DOUBLE_EQ(TargetRatio(c), 1.5);
    EXPECT_TRUE(MeetsTarget(c));
    std::string table = SummaryTable({c});
    EXPECT_NE(table.find("large files, cold copy"), std::string::npos);
    EXPECT_NE(table.find("1.50x"), std::string::npos);
    EXPECT_NE(table.find("<= 1.5x cp"), std::string::npos);
    EXPECT_NE(table.find("PASS"), std::string::npos);
}

TEST(BenchReport, VerdictFollowsThePrintedRatio) {
    CaseResult r{'b', "rescan", 1.004, 1.0, 1.0, Tool::Rsync, 1.0};
    EXPECT_TRUE(MeetsTarget(r));  // printed as 1.00x
    r.brannock = 1.006;           // printed as 1.01x
    EXPECT_FALSE(MeetsTarget(r));
    EXPECT_NE(SummaryTable({r}).find("MISS"), std::string::npos);
    r.rsync = 0.0;  // a tool that took no measurable time cannot be beaten
    EXPECT_FALSE(MeetsTarget(r));
}

TEST(BenchConfigEnv, DefaultsAndOverrides) {
    std::map<std::string, std::string> env;
    auto lookup = [&env](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    BenchConfig defaults = BenchConfig::FromEnvironment(lookup);
    EXPECT_EQ(defaults.runs, 5);
    EXPECT_EQ(defaults.smallFiles, 20000);
    EXPECT_EQ(defaults.bigFileMiB, 128);
    EXPECT_EQ(defaults.cases, "abcd");

    env = {{"BRANNOCK_BENCH_RUNS", "1"},
           {"BRANNOCK_BENCH_FILES", "2000"},
           {"BRANNOCK_BENCH_CASES", "ca"}};
    BenchConfig quick = BenchConfig::FromEnvironment(lookup);
    EXPECT_EQ(quick.runs, 1);
    EXPECT_EQ(quick.smallFiles, 2000);
    EXPECT_EQ(quick.cases, "ac");
    EXPECT_FALSE(quick.Runs('b'));

    for (auto bad :
         {std::pair{"BRANNOCK_BENCH_RUNS", "0"}, std::pair{"BRANNOCK_BENCH_RUNS", "5x"},
          std::pair{"BRANNOCK_BENCH_BIG_MIB", "-1"}, std::pair{"BRANNOCK_BENCH_CASES", "ae"}}) {
        env = {{bad.first, bad.second}};
        EXPECT_THROW(BenchConfig::FromEnvironment(lookup), std::invalid_argument) << bad.first;
    }
}
