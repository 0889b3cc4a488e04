// The benchmark's output: one line per case in a fixed form that scripts can read, then a
// table that sets each case against its target.
#pragma once

#include <string>
#include <vector>

enum class Tool { Brannock, Rsync, Cp };

struct CaseResult {
    char id = '?';
    std::string description;
    double brannock = 0.0;  // median seconds of each tool
    double rsync = 0.0;
    double cp = 0.0;
    Tool target = Tool::Rsync;  // the tool Brannock's time is measured against
    double limit = 1.0;         // the target: Brannock at most `limit` times that tool's time
};

std::string ToolName(Tool tool);
double RatioVsRsync(const CaseResult& result);
double TargetRatio(const CaseResult& result);
// Judged on the ratio as printed (two decimals), so the table never contradicts itself.
bool MeetsTarget(const CaseResult& result);

// bench <case>: brannock <s> s, rsync <s> s, cp <s> s, ratio-vs-rsync <r>
std::string BenchLine(const CaseResult& result);
std::string SummaryTable(const std::vector<CaseResult>& results);
