// What one sync cycle did, counted as it goes, for its closing line in the activity log and
// the tray tip's summary.
#pragma once

#include <cstdint>

namespace activity {

struct CycleCounts {
    std::int64_t looked = 0;         // files looked at by the copy passes
    std::int64_t copied = 0;         // files copied
    std::int64_t copiedBytes = 0;    // their bytes
    std::int64_t deleted = 0;        // copies deleted (or kept aside) by the cleanup
    std::int64_t failedFiles = 0;    // files that failed
    std::int64_t failedFolders = 0;  // folders that failed
    std::int64_t cutoff = 0;         // files passed over by the cut-off date
    std::int64_t unlisted = 0;       // folders that could not be listed
    std::int64_t skipped = 0;        // entries passed over (special files)
    std::int64_t kept = 0;           // copies moved aside into the versions folder
};

}  // namespace activity
