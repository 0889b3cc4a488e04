// The program's own entries at the top of the Sync To directory: the mark that makes the
// folder a mirror, and the folder of kept copies. Neither is mirror content: the cleanup passes
// over both, and the erase keeps the mark.
#pragma once

#include <string_view>

namespace engine {

inline constexpr std::string_view kMirrorMarkName = ".brannock-mirror";
inline constexpr std::string_view kVersionsFolderName = ".brannock-versions";

// True when `dir` names the Sync To directory `syncTo` itself, either text ending with
// separators or not; false for an empty `syncTo`, which names no folder.
bool IsSyncToFolder(std::string_view syncTo, std::string_view dir);

// True when the entry `name` of the folder `dir` is one of the program's own entries at the
// top of the Sync To directory `syncTo`.
bool IsProgramEntry(std::string_view syncTo, std::string_view dir, std::string_view name);

}  // namespace engine
