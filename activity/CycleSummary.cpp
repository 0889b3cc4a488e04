#include "activity/CycleSummary.h"

#include <cstdio>
#include <iterator>

namespace activity {
namespace {

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

}  // namespace

std::string Counted(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string ByteText(std::int64_t bytes) {
    if (bytes < 1024)
        return Counted(bytes, "byte", "bytes");
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

std::string DurationText(std::int64_t milliseconds) {
    if (milliseconds < 0)
        milliseconds = 0;
    if (milliseconds < 10'000) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(milliseconds) / 1000.0);
        return text;
    }
    const std::int64_t seconds = milliseconds / 1000;
    if (seconds < 60)
        return std::to_string(seconds) + " s";
    if (seconds < 3600)
        return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds / 60 % 60) + " min";
}

std::string CycleSummary(const CycleCounts& c, std::int64_t milliseconds) {
    std::string text = DurationText(milliseconds) + ": " + std::to_string(c.looked) +
                       " looked at, " + std::to_string(c.copied) + " copied (" +
                       ByteText(c.copiedBytes) + "), " + std::to_string(c.deleted) + " deleted, " +
                       Counted(c.failedFiles, "file", "files") + " and " +
                       Counted(c.failedFolders, "folder", "folders") + " failed, " +
                       std::to_string(c.cutoff) + " passed over by the cut-off date, " +
                       Counted(c.unlisted, "folder", "folders") + " not listed";
    if (c.kept != 0)
        text += ", " + std::to_string(c.kept) + " kept";
    if (c.skipped != 0)
        text += ", " + std::to_string(c.skipped) + " skipped";
    return text;
}

std::string TraySummary(const CycleCounts& c, runtime::DateValue started) {
    const runtime::CivilDateTime t = runtime::SplitDate(started);
    return "Last cycle " + TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ": " +
           std::to_string(c.copied) + " copied, " + std::to_string(c.deleted) + " deleted, " +
           std::to_string(c.failedFiles) + " failed";
}

}  // namespace activity
