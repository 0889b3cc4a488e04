#include "bench/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "bench/Timing.h"

namespace {

constexpr Tool kAllTools[] = {Tool::Brannock, Tool::BrannockNoLog, Tool::BrannockQt, Tool::Rsync,
                              Tool::Cp};

double Ratio(double numerator, double denominator) {
    if (denominator <= 0.0)
        return std::numeric_limits<double>::infinity();
    return numerator / denominator;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

bool WithinLimit(double ratio, double limit) {
    return std::round(ratio * 100.0) <= std::round(limit * 100.0);
}

double MiB(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

// The subject first, then the others in a fixed order.
std::vector<Tool> ToolsOf(const CaseResult& r) {
    std::vector<Tool> tools = {r.subject};
    for (Tool tool : kAllTools) {
        if (tool != r.subject && r.tools.count(tool))
            tools.push_back(tool);
    }
    return tools;
}

std::string Cell(const CaseResult& r, Tool tool) {
    auto it = r.tools.find(tool);
    if (it == r.tools.end())
        return "-";
    const Figures& f = it->second;
    return Format("%s %.3f/%.3f/%.3f", ToolName(tool).c_str(), f.medianWall, f.minWall,
                  f.medianCpu);
}

}  // namespace

Figures FiguresOf(const std::vector<RunSample>& runs) {
    std::vector<double> walls, cpus;
    Figures figures;
    for (const RunSample& run : runs) {
        walls.push_back(run.wall);
        cpus.push_back(run.cpu);
        figures.peakKiB = std::max(figures.peakKiB, run.peakKiB);
    }
    figures.medianWall = Median(walls);
    figures.minWall = walls.empty() ? 0.0 : *std::min_element(walls.begin(), walls.end());
    figures.medianCpu = Median(cpus);
    return figures;
}

std::string ToolName(Tool tool) {
    switch (tool) {
        case Tool::Brannock:
            return "brannock";
        case Tool::BrannockQt:
            return "brannock-qt";
        case Tool::BrannockNoLog:
            return "brannock-nolog";
        case Tool::Rsync:
            return "rsync";
        case Tool::Cp:
            return "cp";
    }
    return "?";
}

double WallRatio(const CaseResult& r, Tool against) {
    auto it = r.tools.find(against);
    auto subject = r.tools.find(r.subject);
    if (it == r.tools.end() || subject == r.tools.end())
        return std::numeric_limits<double>::infinity();
    return Ratio(subject->second.medianWall, it->second.medianWall);
}

double CpuRatio(const CaseResult& r, Tool against) {
    auto it = r.tools.find(against);
    auto subject = r.tools.find(r.subject);
    if (it == r.tools.end() || subject == r.tools.end())
        return std::numeric_limits<double>::infinity();
    return Ratio(subject->second.medianCpu, it->second.medianCpu);
}

bool MeetsTarget(const CaseResult& r) {
    if (!WithinLimit(WallRatio(r, r.target), r.limit) ||
        !WithinLimit(CpuRatio(r, r.target), r.limit))
        return false;
    if (r.memoryLimitMiB <= 0.0)
        return true;
    auto subject = r.tools.find(r.subject);
    return std::round(MiB(subject->second.peakKiB) * 10.0) <= std::round(r.memoryLimitMiB * 10.0);
}

std::string BenchLine(const CaseResult& r) {
    std::string line = Format("bench %c:", r.id);
    std::string separator = " ";
    for (Tool tool : ToolsOf(r)) {
        line += separator + Format("%s %.3f s", ToolName(tool).c_str(),
                                   r.tools.count(tool) ? r.tools.at(tool).medianWall : 0.0);
        separator = ", ";
    }
    if (r.subject != Tool::Rsync && r.tools.count(Tool::Rsync))
        line += Format(", ratio-vs-rsync %.2f", WallRatio(r, Tool::Rsync));
    std::string target = ToolName(r.target);
    if (r.target != Tool::Rsync)
        line += Format(", ratio-vs-%s %.2f", target.c_str(), WallRatio(r, r.target));
    line += Format(", cpu-ratio-vs-%s %.2f", target.c_str(), CpuRatio(r, r.target));
    return line;
}

std::string SummaryTable(const std::vector<CaseResult>& results) {
    int width = static_cast<int>(std::string("description").size());
    for (const auto& r : results)
        width = std::max(width, static_cast<int>(r.description.size()));
    std::string table =
        "Times in seconds: median wall / fastest wall / median CPU (user + "
        "system, child processes included); ratios of the medians.\n";
    table +=
        Format("%-4s  %-*s  %-34s  %-34s  %6s  %6s  %9s  %-26s  %s\n", "case", width, "description",
               "measured", "against", "wall", "cpu", "peak mem", "target", "result");
    for (const auto& r : results) {
        std::string target = Format("<= %.3gx %s", r.limit, ToolName(r.target).c_str());
        if (r.memoryLimitMiB > 0.0)
            target += Format(", <= %.0f MiB", r.memoryLimitMiB);
        long peak = r.tools.count(r.subject) ? r.tools.at(r.subject).peakKiB : 0;
        table += Format("%-4c  %-*s  %-34s  %-34s  %5.2fx  %5.2fx  %5.1f MiB  %-26s  %s\n", r.id,
                        width, r.description.c_str(), Cell(r, r.subject).c_str(),
                        Cell(r, r.target).c_str(), WallRatio(r, r.target), CpuRatio(r, r.target),
                        MiB(peak), target.c_str(), MeetsTarget(r) ? "PASS" : "MISS");
    }
    return table;
}

std::string LogCostLine(const CaseResult& r) {
    const auto with = r.tools.find(Tool::Brannock);
    const auto without = r.tools.find(Tool::BrannockNoLog);
    if (with == r.tools.end() || without == r.tools.end())
        return {};
    const auto percent = [](double a, double b) { return (Ratio(a, b) - 1.0) * 100.0; };
    return Format(
        "activity log in case %c: %+.1f%% wall, %+.1f%% cpu (median wall %.3f s with it, "
        "%.3f s without; median cpu %.3f s, %.3f s)",
        r.id, percent(with->second.medianWall, without->second.medianWall),
        percent(with->second.medianCpu, without->second.medianCpu), with->second.medianWall,
        without->second.medianWall, with->second.medianCpu, without->second.medianCpu);
}
