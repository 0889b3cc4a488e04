// How a cycle's counts read: the closing line of a cycle in the activity log and the tray
// tip's line about the last cycle.
#pragma once

#include <cstdint>
#include <string>

#include "activity/CycleCounts.h"
#include "runtime/DateValue.h"

namespace activity {

// "1 file", "2 files": a count with its noun.
std::string Counted(std::int64_t n, const char* one, const char* many);

// A byte count for people: "512 bytes", "3.4 KB", "12.0 MB", "1.5 GB" (units of 1024).
std::string ByteText(std::int64_t bytes);

// A duration for people: "0.4 s", "12 s", "3 min 5 s", "2 h 4 min".
std::string DurationText(std::int64_t milliseconds);

// The details of a cycle's closing line: how long it took, then every count in a fixed order
// ("2.1 s: 1200 looked at, 12 copied (3.4 MB), 3 deleted, 1 file and 0 folders failed,
// 5 passed over by the cut-off date, 1 folder not listed"); counts that only some options
// produce follow when they are not zero.
std::string CycleSummary(const CycleCounts& counts, std::int64_t milliseconds);

// "Last cycle 11:02: 12 copied, 3 deleted, 1 failed" (files), for the cycle that started at
// `started`.
std::string TraySummary(const CycleCounts& counts, runtime::DateValue started);

}  // namespace activity
