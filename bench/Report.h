// The benchmark's output: one line per case in a fixed form that scripts can read, then a
// table that sets each case against its targets.
#pragma once

#include <map>
#include <string>
#include <vector>

// brannock: the headless cycle; brannock-qt: the Qt program.
// brannock-nolog: the headless cycle without its activity log.
enum class Tool { Brannock, Rsync, Cp, BrannockQt, BrannockNoLog };

// One tool's runs of one case.
struct Figures {
    double medianWall = 0.0;  // seconds
    double minWall = 0.0;
    double medianCpu = 0.0;  // user + system seconds
    long peakKiB = 0;        // the largest resident set of any run
};

struct RunSample {
    double wall = 0.0;
    double cpu = 0.0;
    long peakKiB = 0;
};

Figures FiguresOf(const std::vector<RunSample>& runs);

struct CaseResult {
    char id = '?';
    std::string description;
    std::map<Tool, Figures> tools;  // the tools that ran
    Tool subject = Tool::Brannock;  // the tool whose figures are judged
    Tool target = Tool::Rsync;      // the tool they are measured against
    double limit = 1.0;             // subject at most `limit` times the target, wall and CPU
    double memoryLimitMiB = 0.0;    // the subject's peak memory at most this; 0: no limit
};

std::string ToolName(Tool tool);
// The subject's median wall time (or median CPU time) over `against`'s; infinite when
// `against` took no measurable time or did not run.
double WallRatio(const CaseResult& result, Tool against);
double CpuRatio(const CaseResult& result, Tool against);
// Judged on the ratios and the memory as printed, so the table never contradicts itself.
bool MeetsTarget(const CaseResult& result);

// bench <case>: brannock <s> s, rsync <s> s, cp <s> s, ratio-vs-rsync <r>,
// cpu-ratio-vs-<target> <r>; the tools that ran, the subject first, median wall times.
std::string BenchLine(const CaseResult& result);
std::string SummaryTable(const std::vector<CaseResult>& results);
// "activity log in case a: +1.2% wall, +0.8% cpu (...)": what the log costs the headless cycle,
// from a case that ran it with and without; "" when the case did not.
std::string LogCostLine(const CaseResult& result);
