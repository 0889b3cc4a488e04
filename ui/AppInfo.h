// The product's name and version.
#pragma once

#include <string>

namespace app {
inline constexpr const char* kTitle = "Brannock";
inline constexpr int kMajor = 1;
inline constexpr int kMinor = 0;
inline constexpr int kRevision = 2;

// "Brannock v1.0.2": each number in plain decimal without leading zeros.
inline std::string TitleWithVersion() {
    return std::string(kTitle) + " v" + std::to_string(kMajor) + "." + std::to_string(kMinor) +
           "." + std::to_string(kRevision);
}
}  // namespace app
