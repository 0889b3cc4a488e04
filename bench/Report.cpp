#include "bench/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

double Ratio(double numerator, double denominator) {
    if (denominator <= 0.0)
        return std::numeric_limits<double>::infinity();
    return numerator / denominator;
}

double TimeOf(const CaseResult& result, Tool tool) {
    switch (tool) {
        case Tool::Brannock:
            return result.brannock;
        case Tool::Rsync:
            return result.rsync;
        case Tool::Cp:
            return result.cp;
    }
    return 0.0;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

}  // namespace

std::string ToolName(Tool tool) {
    switch (tool) {
        case Tool::Brannock:
            return "brannock";
        case Tool::Rsync:
            return "rsync";
        case Tool::Cp:
            return "cp";
    }
    return "?";
}

double RatioVsRsync(const CaseResult& result) {
    return Ratio(result.brannock, result.rsync);
}

double TargetRatio(const CaseResult& result) {
    return Ratio(result.brannock, TimeOf(result, result.target));
}

bool MeetsTarget(const CaseResult& result) {
    return std::round(TargetRatio(result) * 100.0) <= std::round(result.limit * 100.0);
}

std::string BenchLine(const CaseResult& r) {
    return Format("bench %c: brannock %.3f s, rsync %.3f s, cp %.3f s, ratio-vs-rsync %.2f", r.id,
                  r.brannock, r.rsync, r.cp, RatioVsRsync(r));
}

std::string SummaryTable(const std::vector<CaseResult>& results) {
    int width = static_cast<int>(std::string("description").size());
    for (const auto& r : results)
        width = std::max(width, static_cast<int>(r.description.size()));
    std::string table =
        Format("%-4s  %-*s  %10s  %10s  %10s  %6s  %-16s  %s\n", "case", width, "description",
               "brannock", "rsync", "cp", "ratio", "target", "result");
    for (const auto& r : results) {
        std::string target = Format("<= %.1fx %s", r.limit, ToolName(r.target).c_str());
        table += Format("%-4c  %-*s  %8.3f s  %8.3f s  %8.3f s  %5.2fx  %-16s  %s\n", r.id, width,
                        r.description.c_str(), r.brannock, r.rsync, r.cp, TargetRatio(r),
                        target.c_str(), MeetsTarget(r) ? "PASS" : "MISS");
    }
    return table;
}
