// The program's own entries at the top of the Sync To directory: the versions folder, where
// deleted and replaced copies are kept, and the mirror's mark. They are not mirror content:
// no source maps onto them, the cleanup passes over them, the copy pass never writes there.
#pragma once

#include <string>
#include <string_view>

namespace engine {

inline constexpr std::string_view kVersionsFolderName = ".brannock-versions";
inline constexpr std::string_view kMirrorMarkName = ".brannock-mirror";

// True when `dir` names the Sync To directory `syncTo` itself, either text ending with
// separators or not; false for an empty `syncTo`, which names no folder.
bool IsSyncToFolder(std::string_view syncTo, std::string_view dir);

// True when the entry `name` of the folder `dir` is one of the program's own entries: `dir`
// is the Sync To directory `syncTo`, and the name is one of the two (on Windows in any mixture
// of case, as the file system matches it).
bool IsProgramEntry(std::string_view syncTo, std::string_view dir, std::string_view name);

// The versions folder of the Sync To directory `syncTo`.
std::string VersionsFolder(std::string_view syncTo);

// True when the folder text `folder`, below `syncTo`, is the versions folder or lies in it,
// read as the system would read it: doubled separators and "." and ".." parts included.
bool InVersionsFolder(std::string_view syncTo, std::string_view folder);

}  // namespace engine
